#include "funds/TransferAcc.h"

#include "common/PluginEvents.h"
#include "db/NumberFormat.h"
#include "db/RecordStore.h"
#include "funds/AccountChoice.h"
#include "funds/AccountDialogRules.h"
#include "funds/AccountRequestSender.h"

#include <wx/app.h>
#include <wx/intl.h>
#include <wx/valnum.h>

TransferAcc::TransferAcc(wxWindow* /*parent*/, RecordStore* db)
    : TransferAccBase(nullptr), m_db(db), m_flow(this, *this, m_buttonOk),
      m_sender([](sFFixMoveMoney& request) { return AccountRequestSender::Send(request); })
{
    wxTheApp->Bind(wxEVT_PLUGIN_UNPLUG, &TransferAcc::OnPluginUnplug, this);
    if(m_db && m_db->m_user_Account_table) {
        m_db->m_user_Account_table->AddActionTrigger(this);
    }
}

TransferAcc::~TransferAcc()
{
    if(wxTheApp) {
        wxTheApp->Unbind(wxEVT_PLUGIN_UNPLUG, &TransferAcc::OnPluginUnplug, this);
    }
    UnregisterTrigger();
}

void TransferAcc::UnregisterTrigger()
{
    if(auto* table = GetObservedTable()) {
        table->RemoveActionTrigger(this);
    }
}

void TransferAcc::OnInitDialog(wxInitDialogEvent& /*event*/)
{
    SetTitle(_("TransferAccDlg"));
    wxFloatingPointValidator<double> amount(2, nullptr, wxNUM_VAL_DEFAULT);
    amount.SetRange(0, 99999999);
    m_textCtrlAmount->SetValidator(amount);

    const std::vector<AccountDialogRules::Entry> entries = AccountDialogRules::AllAccounts(m_db);
    AccountChoice::Fill(m_comboBoxSource, entries);
    AccountChoice::Fill(m_comboBoxDest, entries);
    if(!entries.empty()) {
        m_comboBoxSource->SetSelection(0);
    }
    if(entries.size() > 1) {
        m_comboBoxDest->SetSelection(1);
    }
    RefreshSourceLine();
}

void TransferAcc::RefreshSourceLine()
{
    const user_Account* account =
        AccountDialogRules::FindAccount(m_db, AccountChoice::ChosenKey(m_comboBoxSource));
    if(!account) {
        return;
    }
    m_staticTextSourceLine->SetLabel(_("CurrentOutMoney:") +
                                     FormatMoney(AccountDialogRules::OutMoney(*account)));
}

void TransferAcc::OnSourceSelected(wxCommandEvent& event)
{
    RefreshSourceLine();
    event.Skip();
}

void TransferAcc::afterUpdate(const user_Account& /*stored*/, CTransaction* /*transaction*/,
                              void* /*reserved*/)
{
    RefreshSourceLine();
}

void TransferAcc::OnOk(wxCommandEvent& event)
{
    event.Skip();
    if(m_flow.IsWaiting()) {
        return; // "ok" is disabled; one request at a time
    }
    const int fromKey = AccountChoice::ChosenKey(m_comboBoxSource);
    const int toKey = AccountChoice::ChosenKey(m_comboBoxDest);
    if(fromKey == toKey) {
        m_flow.GetErrMsgBox().ShowErrMsgBox(_("mustn't transfer money between the same account!"), -1);
        return;
    }
    const wxString password = m_textCtrlPassword->GetValue();
    if(!m_flow.CheckPassword(password)) {
        return;
    }
    sFFixMoveMoney request = AccountDialogRules::MakeMoveMoney(
        fromKey, toKey, AccountDialogRules::ParseAmount(m_textCtrlAmount->GetValue()), password);
    m_flow.Sent(m_sender ? m_sender(request) : -1);
}

void TransferAcc::OnResponse(int requestId, int errorCode, const wxString& text)
{
    m_flow.OnResponse(requestId, errorCode, text, _("Transfer Cash Success!"), -1);
}

void TransferAcc::OnResponseTimeOut(int /*requestId*/)
{
    m_flow.OnResponseTimeOut();
}

void TransferAcc::OnClose(wxCloseEvent& /*event*/)
{
    m_flow.OnClose();
}

void TransferAcc::OnPluginUnplug(wxCommandEvent& event)
{
    event.Skip(); // other windows close too
    UnregisterTrigger();
    m_db = nullptr;
    m_flow.OnUnplug();
}
