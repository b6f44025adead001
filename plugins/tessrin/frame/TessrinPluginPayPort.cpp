// Bank pages of the pay ports in the centre notebook.
#include "db/RecordStore.h"
#include "frame/TessrinPlugin.h"
#include "funds/InOutPageTarget.h"
#include "funds/PayPortRegistPanel.h"

#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <wx/intl.h>

void TessrinPlugin::ShowPayPortPage(const user_AttPay& row)
{
    Notebook* book = m_mgr ? m_mgr->GetCentreBook() : nullptr;
    if(!book || !m_db || row.bankUrl.empty() || !row.GetSysPayPort(m_db.get()) ||
       !AcceptBankAddress(row.bankUrl)) {
        return;
    }
    // A new page every time; the pages stay past unload and go with the notebook.
    auto* panel = new PayPortRegistPanel(book, row.bankUrl);
    panel->LoadUrl(row.bankUrl);
    book->AddPage(panel, _("PayPort"), true, wxNullBitmap);
}
