#include "funds/SetSuretyMoney.h"

#include "common/PluginEvents.h"
#include "db/NumberFormat.h"
#include "db/RecordStore.h"
#include "funds/AccountChoice.h"
#include "funds/AccountDialogRules.h"
#include "funds/AccountRequestSender.h"

#include <wx/app.h>
#include <wx/intl.h>
#include <wx/valnum.h>

SetSuretyMoney::SetSuretyMoney(wxWindow* /*parent*/, RecordStore* db)
    : SetSuretyMoneyBase(nullptr, wxID_ANY, _("Set Surety Money")), m_db(db), m_flow(this, *this, m_buttonOk),
      m_sender([](sFFixSetSuretyMoney& request) { return AccountRequestSender::Send(request); })
{
    wxTheApp->Bind(wxEVT_PLUGIN_UNPLUG, &SetSuretyMoney::OnPluginUnplug, this);
    if(m_db && m_db->m_user_Account_table) {
        m_db->m_user_Account_table->AddActionTrigger(this);
    }
}

SetSuretyMoney::~SetSuretyMoney()
{
    if(wxTheApp) {
        wxTheApp->Unbind(wxEVT_PLUGIN_UNPLUG, &SetSuretyMoney::OnPluginUnplug, this);
    }
    UnregisterTrigger();
}

void SetSuretyMoney::UnregisterTrigger()
{
    if(auto* table = GetObservedTable()) {
        table->RemoveActionTrigger(this);
    }
}

void SetSuretyMoney::OnInitDialog(wxInitDialogEvent& /*event*/)
{
    wxFloatingPointValidator<double> amount(2, nullptr, wxNUM_VAL_DEFAULT);
    amount.SetRange(0, 99999999);
    m_textCtrlAmount->SetValidator(amount);

    const std::vector<AccountDialogRules::Entry> entries = AccountDialogRules::SuretyAccounts(m_db);
    AccountChoice::Fill(m_comboBoxAccount, entries);
    if(!entries.empty()) {
        m_comboBoxAccount->SetSelection(0);
    }
    RefreshSuretyLine();
}

void SetSuretyMoney::RefreshSuretyLine()
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
    RefreshSuretyLine();
    event.Skip();
}

void SetSuretyMoney::afterUpdate(const user_Account& /*stored*/, CTransaction* /*transaction*/,
                                 void* /*reserved*/)
{
    RefreshSuretyLine();
}

void SetSuretyMoney::OnOk(wxCommandEvent& event)
{
    event.Skip();
    if(m_flow.IsWaiting()) {
        return; // "ok" is disabled; one request at a time
    }
    const wxString password = m_textCtrlPassword->GetValue();
    if(!m_flow.CheckPassword(password)) {
        return;
    }
    sFFixSetSuretyMoney request = AccountDialogRules::MakeSetSuretyMoney(
        AccountChoice::ChosenKey(m_comboBoxAccount),
        AccountDialogRules::ParseAmount(m_textCtrlAmount->GetValue()), password);
    m_flow.Sent(m_sender ? m_sender(request) : -1);
}

void SetSuretyMoney::OnResponse(int requestId, int errorCode, const wxString& text)
{
    m_flow.OnResponse(requestId, errorCode, text, _("Set Surety Money Success!"), -1);
}

void SetSuretyMoney::OnResponseTimeOut(int /*requestId*/)
{
    m_flow.OnResponseTimeOut();
}

void SetSuretyMoney::OnClose(wxCloseEvent& /*event*/)
{
    m_flow.OnClose();
}

void SetSuretyMoney::OnPluginUnplug(wxCommandEvent& event)
{
    event.Skip(); // other windows close too
    UnregisterTrigger();
    m_db = nullptr;
    m_flow.OnUnplug();
}
