#include "app/FundsWindows.h"

#include "common/SettingsAccessors.h"
#include "common/TessrinConfig.h"
#include "db/RecordStore.h"
#include "frame/TessrinPlugin.h"
#include "funds/InOutPageTarget.h"
#include "funds/ModifyPasswordDlg.h"
#include "funds/OpenInOutPageExternal.h"
#include "funds/PayPortRegistPanel.h"
#include "history/SalesReportPanel.h"

#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <wx/intl.h>

FundsWindows::FundsWindows(TessrinPlugin& plugin) : m_plugin(plugin) {}

void FundsWindows::ShowPayPortPage(const user_AttPay& row)
{
    HostManager* mgr = m_plugin.GetManager();
    RecordStore* db = m_plugin.GetDatabase();
    Notebook* book = mgr ? mgr->GetCentreBook() : nullptr;
    if(!book || !db || row.bankUrl.empty() || !row.GetSysPayPort(db) || !AcceptBankAddress(row.bankUrl)) {
        return;
    }
    // One "PayPort" page, showing the latest bank page: a fresh one in the
    // place of the last, as its signing controls are given when a page is
    // made, for its own bank. The pages stay past unload and go with the
    // notebook.
    const wxString caption = _("PayPort");
    auto* panel = new PayPortRegistPanel(book, row.bankUrl);
    panel->LoadUrl(row.bankUrl);
    for(size_t i = 0; i < book->GetPageCount(); ++i) {
        // An "InOut" page is another.
        if(dynamic_cast<PayPortRegistPanel*>(book->GetPage(i)) && book->GetPageText(i) == caption) {
            book->DeletePage(i);
            book->InsertPage(i, panel, caption, true);
            return;
        }
    }
    book->AddPage(panel, caption, true, wxNullBitmap);
}

void FundsWindows::ShowInOutPage(const am_AmountInOut& row)
{
    RecordStore* db = m_plugin.GetDatabase();
    const bool keyShowInBrowser = TessrinConfig(m_plugin.GetConfig()).IsShowInoutInBrower();
    switch(ChooseInOutPageTarget(db, row, keyShowInBrowser, keyShowInBrowser || IsShowInOutUrlInBrower())) {
    case InOutPageTarget::eNone:
        return;
    case InOutPageTarget::eBrowser:
        OpenInOutPageExternal(db, row, m_plugin.GetBrowserLauncher());
        return;
    case InOutPageTarget::eCentrePage:
        break;
    }
    HostManager* mgr = m_plugin.GetManager();
    Notebook* book = mgr ? mgr->GetCentreBook() : nullptr;
    if(!book) {
        return;
    }
    // A new page on every call; an earlier "InOut" page is left as it is.
    auto* panel = new PayPortRegistPanel(book, PayPortBankAddress(db, row));
    panel->LoadUrl(row.bankUrl);
    book->AddPage(panel, _("InOut"), true, wxNullBitmap);
}

void FundsWindows::ShowPasswordPrompt(wxWindow* parent, const user_LoginInfo* login)
{
    ModifyPasswordDlg dialog(parent, login);
    dialog.ShowModal();
}

void FundsWindows::CloseAccountPages()
{
    HostManager* mgr = m_plugin.GetManager();
    Notebook* book = mgr ? mgr->GetCentreBook() : nullptr;
    if(!book) {
        return;
    }
    for(size_t i = book->GetPageCount(); i-- > 0;) {
        wxWindow* page = book->GetPage(i);
        if(dynamic_cast<PayPortRegistPanel*>(page) || dynamic_cast<SalesReportPanel*>(page)) {
            book->DeletePage(i);
        }
    }
}
