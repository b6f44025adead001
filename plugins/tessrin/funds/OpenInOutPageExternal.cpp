#include "funds/OpenInOutPageExternal.h"

#include "common/IClientPlugin.h"
#include "common/ModalMessageBox.h"
#include "db/RecordStore.h"
#include "funds/PayPortRegistPanel.h"

#include <platform/BrowserLauncher.h>
#include <platform/ShellResult.h>
#include <wx/intl.h>

namespace {
constexpr const char* kBankBrowser = "iexplore.exe";
} // namespace

bool CanOpenInOutPageExternal(RecordStore* db, const am_AmountInOut& row)
{
    if(!db || row.bankUrl.empty()) {
        return false;
    }
    if(!symbol_Info::GetAccount(row, db) || !row.cachedAccount->GetLoginInfo(db)) {
        return false;
    }
    const auto& payports = *db->m_user_Payport_table;
    const auto payport = FindUserPayport(payports, *row.cachedAccount);
    return payport != payports.GetIndexByPrimary().end() && payport->GetSysPayPort(db);
}

bool OpenInBankBrowser(BrowserLauncher& browser, const wxString& url)
{
    const wxString address = PayPortRegistPanel::NormaliseUrl(url);
    if(ShellResult::Started(browser.OpenInNamedBrowser(kBankBrowser, address)) ||
       browser.OpenInDefaultBrowser(address)) {
        return true;
    }
    ModalMessageBox::Show(
        wxString::Format(_("No browser could be started to open the bank's page:\n%s"), address),
        _("Browser"), wxOK | wxICON_WARNING | wxCENTRE);
    return false;
}

void OpenInOutPageExternal(RecordStore* db, const am_AmountInOut& row, BrowserLauncher& browser)
{
    if(CanOpenInOutPageExternal(db, row)) {
        OpenInBankBrowser(browser, row.bankUrl);
    }
}

void OpenInOutPageExternal(RecordStore* db, const am_AmountInOut& row)
{
    if(g_plugin) {
        OpenInOutPageExternal(db, row, g_plugin->GetBrowserLauncher());
    }
}
