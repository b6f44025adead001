#include "funds/TransferAcc.h"

#include "db/NumberFormat.h"
#include "funds/AccountChoice.h"
#include "funds/AccountDialogRules.h"

#include <wx/intl.h>

TransferAcc::TransferAcc(wxWindow* /*parent*/, RecordStore* db)
    : AccountDialog(db, _("TransferAccDlg"), _("Transfer Cash Success!"), -1)
{
    m_flow.SetMovesMoney();
}

void TransferAcc::OnInitDialog(wxInitDialogEvent& /*event*/)
{
    const std::vector<AccountDialogRules::Entry> entries = AccountDialogRules::AllAccounts(m_db);
    AccountChoice::Fill(m_comboBoxSource, entries);
    AccountChoice::Fill(m_comboBoxDest, entries);
    if(!entries.empty()) {
        m_comboBoxSource->SetSelection(0);
    }
    if(entries.size() > 1) {
        m_comboBoxDest->SetSelection(1);
    }
    ShowAccountLine();
}

void TransferAcc::ShowAccountLine()
{
    const user_Account* account =
        AccountDialogRules::FindAccount(m_db, AccountChoice::ChosenKey(m_comboBoxSource));
    if(!account) {
        return;
    }
    m_staticTextSourceLine->SetLabel(_("CurrentOutMoney:") +
                                     FormatMoney(AccountDialogRules::OutMoney(*account)));
}

void TransferAcc::OnAccountSelected(wxCommandEvent& event)
{
    ShowAccountLine();
    event.Skip();
}

bool TransferAcc::MakeRequest(sFFixMoveMoney& request)
{
    const int fromKey = AccountChoice::ChosenKey(m_comboBoxSource);
    const int toKey = AccountChoice::ChosenKey(m_comboBoxDest);
    if(fromKey == toKey) {
        m_flow.GetErrMsgBox().ShowErrMsgBox(_("mustn't transfer money between the same account!"), -1);
        return false;
    }
    const wxString password = m_textCtrlPassword->GetValue();
    if(!m_flow.CheckPassword(password)) {
        return false;
    }
    request = AccountDialogRules::MakeMoveMoney(
        fromKey, toKey, AccountDialogRules::ParseAmount(m_textCtrlAmount->GetValue()), password);
    return true;
}
