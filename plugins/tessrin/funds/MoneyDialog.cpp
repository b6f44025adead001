#include "funds/MoneyDialog.h"

#include "common/IClientPlugin.h"
#include "common/MessageLine.h"
#include "common/PluginEvents.h"
#include "connection/Client.h"
#include "db/NumberFormat.h"
#include "db/RecordStore.h"
#include "funds/MoneyRules.h"

#include <cstdint>
#include <wx/app.h>
#include <wx/intl.h>
#include <wx/textdlg.h>
#include <wx/valnum.h>

namespace {
// Queued to the dialog itself: many pushes in one burst refresh it once.
const wxEventTypeTag<wxCommandEvent> kMoneyDialogRefresh(wxNewEventType());

int SendThroughClient(sFFixReqInOutMoney& request)
{
    Client* client = LoginClient();
    return client ? client->ReqInOutMoney(&request) : -1;
}
} // namespace

MoneyDialog::MoneyDialog(wxWindow* /*parent*/, RecordStore* db, int mode)
    : MoneyDialogBase(nullptr, wxID_ANY, _("Deposit Money")), m_mode(mode), m_db(db), m_wait(this),
      m_messageLine(m_textCtrlMessage, _("ErrorMessage")), m_sender(&SendThroughClient),
      m_clock([] { return wxDateTime::Now(); })
{
    m_prompt = [this](wxString& password) { return AskBankPassword(password); };
    Bind(kMoneyDialogRefresh, &MoneyDialog::OnDeferredRefresh, this);
    wxTheApp->Bind(wxEVT_PLUGIN_UNPLUG, &MoneyDialog::OnPluginUnplug, this);
    if(m_db && m_db->m_user_Payport_table) {
        m_db->m_user_Payport_table->AddActionTrigger(static_cast<CActionTrigger<user_Payport>*>(this));
        m_db->m_sys_PayPort_table->AddActionTrigger(static_cast<CActionTrigger<sys_PayPort>*>(this));
        m_db->m_user_Account_table->AddActionTrigger(static_cast<CActionTrigger<user_Account>*>(this));
    }
}

MoneyDialog::~MoneyDialog()
{
    Unbind(kMoneyDialogRefresh, &MoneyDialog::OnDeferredRefresh, this);
    if(wxTheApp) {
        wxTheApp->Unbind(wxEVT_PLUGIN_UNPLUG, &MoneyDialog::OnPluginUnplug, this);
    }
    UnregisterTriggers();
    m_wait.Drop();
}

void MoneyDialog::UnregisterTriggers()
{
    if(auto* table = CActionTrigger<user_Payport>::GetObservedTable()) {
        table->RemoveActionTrigger(static_cast<CActionTrigger<user_Payport>*>(this));
    }
    if(auto* table = CActionTrigger<sys_PayPort>::GetObservedTable()) {
        table->RemoveActionTrigger(static_cast<CActionTrigger<sys_PayPort>*>(this));
    }
    if(auto* table = CActionTrigger<user_Account>::GetObservedTable()) {
        table->RemoveActionTrigger(static_cast<CActionTrigger<user_Account>*>(this));
    }
}

void MoneyDialog::SetClock(Clock clock)
{
    m_clock = clock;
    m_messageLine.SetClock(std::move(clock));
}

void MoneyDialog::OnInitDialog(wxInitDialogEvent& /*event*/)
{
    if(m_mode == 0) {
        SetTitle(_("Deposit Money"));
        m_staticTextAmount->SetLabel(_("Amount(In)"));
    } else {
        SetTitle(_("Take Out Money"));
        m_staticTextAmount->SetLabel(_("Amount(Out)"));
    }
    m_textCtrlAmount->SetFocus();
    m_textCtrlAmount->SelectAll();

    wxFloatingPointValidator<double> amount(2, &m_amount, wxNUM_VAL_THOUSANDS_SEPARATOR);
    amount.SetRange(0, 99999999);
    m_textCtrlAmount->SetValidator(amount);

    // The user's pay ports, so that the bank line can follow; not waited for.
    if(Client* client = LoginClient()) {
        client->ReqQryPayPortInfo();
    }
    Update();
}

void MoneyDialog::Update()
{
    FillAccountChoice();
    UpdateBankLine();
    UpdateMoneyLines();
    MoneyDialogBase::Update();
}

void MoneyDialog::FillAccountChoice()
{
    if(!m_db || !m_db->m_user_Account_table) {
        return;
    }
    std::vector<int> itemKeys;
    for(unsigned int i = 0; i < m_comboBoxAccount->GetCount(); ++i) {
        itemKeys.push_back(ItemKey(i));
    }
    const MoneyRules::ChoicePlan plan =
        MoneyRules::PlanAccountChoice(itemKeys, *m_db->m_user_Account_table, m_accountKey);
    for(unsigned int position : plan.removed) {
        m_comboBoxAccount->Delete(position);
    }
    // A kept account may have a new market name.
    for(unsigned int i = 0; i < m_comboBoxAccount->GetCount(); ++i) {
        const user_Account* account = MoneyRules::FindAccount(m_db, ItemKey(i));
        if(account && m_comboBoxAccount->GetString(i) != account->marketName) {
            m_comboBoxAccount->SetString(i, account->marketName);
        }
    }
    for(const user_Account* account : plan.appended) {
        m_comboBoxAccount->Append(account->marketName,
                                  reinterpret_cast<void*>(static_cast<intptr_t>(account->accountKey)));
    }
    m_accountKey = plan.accountKey;
    if(plan.selection >= 0) {
        m_comboBoxAccount->SetSelection(plan.selection);
    }
}

int MoneyDialog::ItemKey(unsigned int item) const
{
    return static_cast<int>(reinterpret_cast<intptr_t>(m_comboBoxAccount->GetClientData(item)));
}

void MoneyDialog::UpdateBankLine()
{
    wxString bankName;
    switch(MoneyRules::GetBankLine(m_db, m_accountKey, bankName)) {
    case MoneyRules::eBankUnchanged:
        break;
    case MoneyRules::eNoPayport:
        m_textCtrlBank->ChangeValue(_("------------"));
        break;
    case MoneyRules::eBankName:
        m_textCtrlBank->ChangeValue(bankName);
        break;
    case MoneyRules::eQuerySysPayPorts:
        // The name comes with the answer, through the pay-port trigger.
        if(Client* client = LoginClient()) {
            client->ReqQrySysPayPortInfo();
        }
        m_textCtrlBank->ChangeValue(_("************"));
        break;
    }
}

void MoneyDialog::UpdateMoneyLines()
{
    const user_Account* account = MoneyRules::FindAccount(m_db, m_accountKey);
    if(!account || !account->GetLoginInfo(m_db)) {
        return;
    }
    m_textCtrlName->ChangeValue(account->cachedLoginInfo->userName);
    m_textCtrlRemain->ChangeValue(FormatMoney(account->marginRemain));
    m_textCtrlWithdrawable->ChangeValue(MoneyRules::WithdrawableText(*account));
}

void MoneyDialog::OnAccountSelected(wxCommandEvent& /*event*/)
{
    const int selection = m_comboBoxAccount->GetSelection();
    if(selection == wxNOT_FOUND || !m_db || !m_db->m_user_Account_table) {
        return;
    }
    // The item may outlive its account: only an account still stored counts.
    const user_Account* account =
        MoneyRules::FindAccount(m_db, ItemKey(static_cast<unsigned int>(selection)));
    if(account && account->userId == m_userId) {
        m_accountKey = account->accountKey;
        RequestRefresh();
    }
}

void MoneyDialog::RequestRefresh()
{
    m_refreshPending = true;
    wxCommandEvent event(kMoneyDialogRefresh, 0);
    wxPostEvent(this, event);
}

void MoneyDialog::OnDeferredRefresh(wxCommandEvent& event)
{
    if(m_refreshPending) {
        m_refreshPending = false;
        Update();
    }
    event.Skip();
}

void MoneyDialog::afterAdd(const user_Payport& /*stored*/, CTransaction* /*transaction*/, void* /*reserved*/)
{
    UpdateBankLine();
}

void MoneyDialog::afterUpdate(const user_Payport& /*stored*/, CTransaction* /*transaction*/,
                              void* /*reserved*/)
{
    UpdateBankLine();
}

void MoneyDialog::afterAdd(const sys_PayPort& /*stored*/, CTransaction* /*transaction*/, void* /*reserved*/)
{
    UpdateBankLine();
}

void MoneyDialog::afterUpdate(const sys_PayPort& /*stored*/, CTransaction* /*transaction*/,
                              void* /*reserved*/)
{
    UpdateBankLine();
}

void MoneyDialog::afterAdd(const user_Account& /*stored*/, CTransaction* /*transaction*/, void* /*reserved*/)
{
    UpdateMoneyLines();
}

void MoneyDialog::afterUpdate(const user_Account& /*stored*/, CTransaction* /*transaction*/,
                              void* /*reserved*/)
{
    UpdateMoneyLines();
}

bool MoneyDialog::beforeRemove(const user_Account& /*stored*/, CTransaction* /*transaction*/,
                               void* /*reserved*/)
{
    UpdateMoneyLines();
    return true;
}

void MoneyDialog::OnOk(wxCommandEvent& /*event*/)
{
    if(!m_wait.CanSend()) {
        return; // OK is disabled; one request at a time
    }
    if(!m_messageExpiry.IsValid() || !m_messageExpiry.IsLaterThan(m_clock())) {
        m_messageLine.Clear();
    }
    double amount = 0.0;
    const MoneyRules::CheckResult check = MoneyRules::Check(
        m_db, m_accountKey, m_textCtrlMoneyPassword->GetValue(), m_textCtrlAmount->GetValue(), amount);
    if(check != MoneyRules::eCheckPassed) {
        ShowMessage(wxGetTranslation(MoneyRules::CheckMessage(check)), -1);
        return;
    }
    Client* client = LoginClient();
    if(m_db->m_user_Payport_table->GetIndexByPrimary().empty() && client) {
        client->ReqQryPayPortInfo();
    }
    wxString bankPassword;
    const user_Account* account = MoneyRules::FindAccount(m_db, m_accountKey);
    if(MoneyRules::NeedsBankPassword(m_db, *account) && !m_prompt(bankPassword)) {
        return;
    }
    sFFixReqInOutMoney request = MoneyRules::MakeRequest(m_accountKey, amount, m_mode,
                                                         m_textCtrlMoneyPassword->GetValue(), bankPassword);
    const int requestId = m_sender ? m_sender(request) : -1;
    if(requestId < 0) {
        ShowMessage(MessageLine::UnsentText(_("Send Command Failed!")), -1);
        return;
    }
    StartWaitting(requestId);
}

bool MoneyDialog::AskBankPassword(wxString& password)
{
    wxPasswordEntryDialog prompt(this, _("Input Bank Password: "), wxGetPasswordFromUserPromptStr,
                                 wxEmptyString, wxOK | wxCANCEL | wxCENTRE);
    if(prompt.ShowModal() != wxID_OK) {
        return false;
    }
    password = prompt.GetValue();
    return true;
}

void MoneyDialog::StartWaitting(int requestId)
{
    m_wait.Start(requestId, kWaitMs);
    m_buttonOk->Disable();
}

void MoneyDialog::OnResponse(int requestId, int errorCode, const wxString& text)
{
    const UnsettledRequestWait::Answer answer = m_wait.OnResponse(requestId, errorCode);
    if(answer == UnsettledRequestWait::eNotOurs) {
        return;
    }
    if(answer == UnsettledRequestWait::eLateCarriedOut) {
        // Told, not closed: the trader learns what became of it.
        m_buttonOk->Enable();
        ShowMessage(UnsettledRequestWait::CarriedOutText(), 0);
        return;
    }
    if(errorCode == 0) {
        m_succeeded = true;
        Close();
        return;
    }
    m_buttonOk->Enable();
    ShowMessage(text, errorCode);
}

void MoneyDialog::OnResponseTimeOut(int requestId)
{
    // Honoured whatever its id while waiting: the dialog has one request at a time.
    const UnsettledRequestWait::TimeOut outcome =
        m_wait.OnResponseTimeOut(m_wait.IsWaiting() ? m_wait.GetRequestId() : requestId);
    if(outcome != UnsettledRequestWait::eNotOursTimeOut) {
        m_buttonOk->Enable(outcome == UnsettledRequestWait::eNoWord); // not while the money may still move
        ShowMessage(UnsettledRequestWait::TimeOutText(outcome), -1);
    }
}

void MoneyDialog::OnResponseLost(int requestId, int errorCode, const wxString& /*text*/)
{
    if(m_wait.OnResponseLost(requestId)) {
        ShowMessage(UnsettledRequestWait::LinkLostText(), errorCode); // OK stays disabled
    }
}

void MoneyDialog::ShowMessage(const wxString& text, int code)
{
    m_messageExpiry = m_messageLine.Show(text, code, true, true);
}

void MoneyDialog::OnClose(wxCloseEvent& /*event*/)
{
    m_wait.Drop();
    // The opener destroys the dialog once ShowModal returns.
    if(IsModal()) {
        EndModal(m_succeeded ? wxID_OK : wxID_CANCEL);
    } else {
        Hide();
    }
}

void MoneyDialog::OnPluginUnplug(wxCommandEvent& event)
{
    event.Skip(); // other windows close too
    // The tables and the registry of waits go right after this event.
    UnregisterTriggers();
    m_db = nullptr;
    m_wait.Drop();
    if(IsModal()) {
        EndModal(wxID_CANCEL);
    }
}
