// The symbol pages of the centre notebook: hang-order pages (and, later,
// chart pages), opened for a symbol and closed at shut-down.
#include "frame/TessrinPlugin.h"
#include "orders/HangOrderPane.h"

#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>

namespace {
constexpr int kChartPageImage = 3; // "output-pane/24/chart"
} // namespace

void TessrinPlugin::ShowChartWindow(const symbol_Info& symbol, bool select)
{
    if(!m_db || !symbol.GetSymbolProperty(m_db.get())) {
        return;
    }
    Notebook* centre = m_mgr ? m_mgr->GetCentreBook() : nullptr;
    if(!centre) {
        return;
    }
    const wxString caption = symbol.cachedSymbolProperty->symbolName;
    if(symbol.marketType == '3') {
        for(size_t i = 0; i < centre->GetPageCount(); ++i) {
            const auto* page = dynamic_cast<const HangOrderPane*>(centre->GetPage(i));
            if(page && page->GetCaption() == symbol.symbolCode) {
                centre->SetSelection(i, false);
                return;
            }
        }
        auto* page = new HangOrderPane(centre, m_db.get(), symbol, m_mgr);
        page->Bind(wxEVT_KEY_UP, &TessrinPlugin::OnKeyUp, this);
        const bool hasImage = m_pageImages && kChartPageImage < m_pageImages->GetImageCount();
        centre->AddPage(page, caption, select, hasImage ? m_pageImages->GetBitmap(kChartPageImage) : wxNullBitmap);
    }
}

wxArrayString TessrinPlugin::CloseCentrePages()
{
    wxArrayString names;
    Notebook* centre = m_mgr ? m_mgr->GetCentreBook() : nullptr;
    if(!centre) {
        return names;
    }
    size_t index = 0;
    while(index < centre->GetPageCount()) {
        wxWindow* page = centre->GetPage(index);
        const auto* hangOrders = dynamic_cast<const HangOrderPane*>(page);
        if(!hangOrders) {
            ++index;
            continue;
        }
        names.Add(hangOrders->GetCaption());
        centre->SetSelection(index == 0 ? 1 : index - 1, false);
        centre->RemovePage(index, false);
        // The pane saves the store while the record store still exists.
        page->Destroy();
    }
    return names;
}
