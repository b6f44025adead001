#include "funds/ChangeMainAcc.h"

#include "funds/AccountChoice.h"
#include "funds/AccountDialogRules.h"

#include <wx/intl.h>

ChangeMainAcc::ChangeMainAcc(wxWindow* /*parent*/, RecordStore* db)
    : AccountDialog(db, _("changeMainAccDlg"), _("Change MainAcc Success!"), 0)
{}

void ChangeMainAcc::OnInitDialog(wxInitDialogEvent& event)
{
    event.Skip();
    const AccountDialogRules::MainAccountChoice choice = AccountDialogRules::MainAccounts(m_db);
    AccountChoice::Fill(m_comboBoxAccount, choice.others);
    if(!choice.others.empty()) {
        m_comboBoxAccount->SetSelection(0);
    }
    ShowAccountLine();
}

void ChangeMainAcc::ShowAccountLine()
{
    const wxString name =
        AccountDialogRules::MainAccountName(m_db, AccountChoice::ChosenKey(m_comboBoxAccount));
    const wxString line = name.empty() ? wxString() : _("current main account:") + name;
    // Every tick of an account's profit comes here.
    if(m_textCtrlMainLine->GetValue() != line) {
        m_textCtrlMainLine->ChangeValue(line);
    }
}

void ChangeMainAcc::OnAccountSelected(wxCommandEvent& event)
{
    event.Skip();
    ShowAccountLine();
}

bool ChangeMainAcc::MakeRequest(sFFixMasterAccount& request)
{
    if(!m_db || !m_db->m_user_Account_table || m_db->m_user_Account_table->GetIndexByPrimary().empty()) {
        m_buttonOk->Disable();
        return false;
    }
    request = AccountDialogRules::MakeMasterAccount(m_db, AccountChoice::ChosenKey(m_comboBoxAccount));
    return true;
}
