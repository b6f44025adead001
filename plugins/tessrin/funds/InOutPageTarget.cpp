#include "funds/InOutPageTarget.h"

#include "db/RecordStore.h"

#include <platform/WebAddress.h>
#include <wx/log.h>
#include <wx/uri.h>

InOutPageTarget ChooseInOutPageTarget(RecordStore* db, const am_AmountInOut& row, bool keyShowInBrowser,
                                      bool settingShowInBrowser)
{
    if(!db || row.bankUrl.empty() || !symbol_Info::GetAccount(row, db) ||
       !row.cachedAccount->GetLoginInfo(db)) {
        return InOutPageTarget::eNone;
    }
    return keyShowInBrowser || settingShowInBrowser ? InOutPageTarget::eBrowser
                                                    : InOutPageTarget::eCentrePage;
}

bool AcceptBankAddress(const wxString& url)
{
    if(WebAddress::IsWeb(wxURI(url).BuildURI())) {
        return true;
    }
    wxLogWarning("Bank page: refused the address \"%s\" (only http and https addresses open).", url);
    return false;
}

wxString PayPortBankAddress(RecordStore* db, const am_AmountInOut& row)
{
    if(!db || !symbol_Info::GetAccount(row, db)) {
        return row.bankUrl;
    }
    const auto& payports = *db->m_user_Payport_table;
    const auto payport = FindUserPayport(payports, *row.cachedAccount);
    if(payport == payports.GetIndexByPrimary().end()) {
        return row.bankUrl;
    }
    for(const user_AttPay& attached : db->m_user_AttPay_table->GetIndexByPrimary()) {
        if(attached.sysPayPortId == payport->sysPayPortId && !attached.bankUrl.empty()) {
            return attached.bankUrl;
        }
    }
    return row.bankUrl;
}
