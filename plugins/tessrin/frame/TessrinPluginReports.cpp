// Report pages of the centre notebook: the sales report.
#include "frame/TessrinPlugin.h"
#include "history/SalesReportPanel.h"

#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <wx/imaglist.h>
#include <wx/intl.h>

namespace {
constexpr int kSalesReportImage = 4; // "output-pane/16/Sales_report"
} // namespace

void TessrinPlugin::OnSalesReport(wxCommandEvent& event)
{
    wxUnusedVar(event);
    Notebook* book = m_mgr ? m_mgr->GetCentreBook() : nullptr;
    if(!book || !m_db) {
        return;
    }
    // A new page for every command; report pages are not looked for.
    auto* panel = new SalesReportPanel(m_db.get(), book);
    panel->SetFocus();
    // Report pages stay in the notebook past UnPlug: a key that reaches one
    // after the plug-in object has gone goes nowhere.
    panel->Bind(wxEVT_KEY_UP, [](wxKeyEvent& key) {
        if(g_plugin) {
            ThePlugin()->OnKeyUp(key);
        } else {
            key.Skip();
        }
    });
    const wxBitmap image = m_pageImages && m_pageImages->GetImageCount() > kSalesReportImage
                               ? m_pageImages->GetBitmap(kSalesReportImage)
                               : wxNullBitmap;
    book->AddPage(panel, _("salesReportPanel"), true, image);
}
