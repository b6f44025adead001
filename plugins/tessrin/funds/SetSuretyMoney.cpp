#include "funds/SetSuretyMoney.h"

#include "db/NumberFormat.h"
#include "funds/AccountChoice.h"
#include "funds/AccountDialogRules.h"
#include "funds/DialogPrompts.h"

#include <wx/intl.h>

SetSuretyMoney::SetSuretyMoney(wxWindow* /*parent*/, RecordStore* db)
    : AccountDialog(db, _("Set Surety Money"), _("Set Surety Money Success!"), -1)
{}

void SetSuretyMoney::OnInitDialog(wxInitDialogEvent& /*event*/)
{
    const std::vector<AccountDialogRules::Entry> entries = AccountDialogRules::SuretyAccounts(m_db);
    AccountChoice::Fill(m_comboBoxAccount, entries);
    if(!entries.empty()) {
        m_comboBoxAccount->SetSelection(0);
    }
    ShowAccountLine();
}

void SetSuretyMoney::ShowAccountLine()
{
    const user_Account* account =
        AccountDialogRules::FindAccount(m_db, AccountChoice::ChosenKey(m_comboBoxAccount));
    if(!account) {
        return;
    }
    m_staticTextSuretyLine->SetLabel(_("CurrentSuretyMoney:") + FormatMoney(account->suretyMoney));
}

void SetSuretyMoney::OnAccountSelected(wxCommandEvent& event)
{
    ShowAccountLine();
    event.Skip();
}

bool SetSuretyMoney::MakeRequest(sFFixSetSuretyMoney& request)
{
    const wxString password = m_textCtrlPassword->GetValue();
    if(!m_flow.CheckPassword(password)) {
        return false;
    }
    const int accountKey = AccountChoice::ChosenKey(m_comboBoxAccount);
    const double amount = AccountDialogRules::ParseAmount(m_textCtrlAmount->GetValue());
    // Asked before sending: the market would take an amount the account
    // cannot cover and close its positions at once.
    if(const user_Account* account = AccountDialogRules::FindAccount(m_db, accountKey)) {
        const AccountDialogRules::SuretyCheck check = AccountDialogRules::CheckSurety(*account, amount);
        if(check.verdict == AccountDialogRules::SuretyCheck::eNotCovered) {
            m_flow.GetErrMsgBox().ShowErrMsgBox(check.message, -1);
            return false;
        }
        if(check.verdict == AccountDialogRules::SuretyCheck::eWarning &&
           !DialogPrompts::Native().ask(check.message, _("Set Surety Money"))) {
            return false;
        }
    }
    request = AccountDialogRules::MakeSetSuretyMoney(accountKey, amount, password);
    return true;
}
