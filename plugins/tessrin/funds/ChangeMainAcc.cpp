#include "funds/ChangeMainAcc.h"

#include "common/PluginEvents.h"
#include "db/RecordStore.h"
#include "funds/AccountChoice.h"
#include "funds/AccountDialogRules.h"
#include "funds/AccountRequestSender.h"

#include <wx/app.h>
#include <wx/intl.h>

ChangeMainAcc::ChangeMainAcc(wxWindow* /*parent*/, RecordStore* db)
    : ChangeMainAccBase(nullptr), m_db(db), m_flow(this, *this, m_buttonOk),
      m_sender([](sFFixMasterAccount& request) { return AccountRequestSender::Send(request); })
{
    wxTheApp->Bind(wxEVT_PLUGIN_UNPLUG, &ChangeMainAcc::OnPluginUnplug, this);
    m_comboBoxAccount->Bind(wxEVT_COMBOBOX, &ChangeMainAcc::OnAccountChosen, this);
}

ChangeMainAcc::~ChangeMainAcc()
{
    if(wxTheApp) {
        wxTheApp->Unbind(wxEVT_PLUGIN_UNPLUG, &ChangeMainAcc::OnPluginUnplug, this);
    }
    UnregisterTrigger();
}

void ChangeMainAcc::UnregisterTrigger()
{
    if(auto* table = GetObservedTable()) {
        table->RemoveActionTrigger(this);
    }
}

void ChangeMainAcc::OnInitDialog(wxInitDialogEvent& event)
{
    event.Skip();
    SetTitle(_("changeMainAccDlg"));
    const AccountDialogRules::MainAccountChoice choice = AccountDialogRules::MainAccounts(m_db);
    AccountChoice::Fill(m_comboBoxAccount, choice.others);
    if(!choice.others.empty()) {
        m_comboBoxAccount->SetSelection(0);
    }
    ShowMainAccount();
    if(m_db && m_db->m_user_Account_table && !GetObservedTable()) {
        m_db->m_user_Account_table->AddActionTrigger(this);
    }
}

void ChangeMainAcc::ShowMainAccount()
{
    const wxString name =
        AccountDialogRules::MainAccountName(m_db, AccountChoice::ChosenKey(m_comboBoxAccount));
    const wxString line = name.empty() ? wxString() : _("current main account:") + name;
    // Every tick of an account's profit comes here.
    if(m_textCtrlMainLine->GetValue() != line) {
        m_textCtrlMainLine->ChangeValue(line);
    }
}

void ChangeMainAcc::OnAccountChosen(wxCommandEvent& event)
{
    event.Skip();
    ShowMainAccount();
}

void ChangeMainAcc::afterUpdate(const user_Account& /*stored*/, CTransaction* /*transaction*/,
                                void* /*reserved*/)
{
    ShowMainAccount();
}

void ChangeMainAcc::OnOk(wxCommandEvent& event)
{
    event.Skip();
    if(m_flow.IsWaiting()) {
        return; // the button is disabled; one request at a time
    }
    if(!m_db || !m_db->m_user_Account_table || m_db->m_user_Account_table->GetIndexByPrimary().empty()) {
        m_buttonOk->Disable();
        return;
    }
    sFFixMasterAccount request =
        AccountDialogRules::MakeMasterAccount(m_db, AccountChoice::ChosenKey(m_comboBoxAccount));
    m_flow.Sent(m_sender ? m_sender(request) : -1);
}

void ChangeMainAcc::OnResponse(int requestId, int errorCode, const wxString& text)
{
    m_flow.OnResponse(requestId, errorCode, text, _("Change MainAcc Success!"), 0);
}

void ChangeMainAcc::OnResponseTimeOut(int /*requestId*/)
{
    m_flow.OnResponseTimeOut();
}

void ChangeMainAcc::OnClose(wxCloseEvent& /*event*/)
{
    m_flow.OnClose();
}

void ChangeMainAcc::OnPluginUnplug(wxCommandEvent& event)
{
    event.Skip(); // other windows close too
    UnregisterTrigger();
    m_db = nullptr;
    m_flow.OnUnplug();
}
