#include "funds/PayPortRegistDlg.h"

#include "common/IClientPlugin.h"
#include "common/MessageLine.h"
#include "common/ModalMessageBox.h"
#include "common/PluginEvents.h"
#include "connection/Client.h"
#include "connection/RequestNotify.h"
#include "db/RecordStore.h"
#include "funds/OpenInOutPageExternal.h"
#include "funds/SignControlRegistrar.h"

#include <platform/BrowserLauncher.h>
#include <platform/SignControlRegistry.h>
#include <platform/SystemProcessLauncher.h>
#include <wx/app.h>
#include <wx/intl.h>
#include <wx/textdlg.h>

namespace {
constexpr int kRecheckTimerId = wxID_HIGHEST + 7789;
} // namespace

bool IsSignControlInstalled()
{
    return SignControlRegistry().CanCreate("NetSign.InfoSecNetSign");
}

void PayPortRegistDlg::RegistSignControl(wxWindow* parent)
{
    if(g_plugin) {
        SignControlRegistrar(g_plugin->GetProcessLauncher()).Run(parent);
        return;
    }
    SystemProcessLauncher launcher;
    SignControlRegistrar(launcher).Run(parent);
}

PayPortRegistDlg::Services PayPortRegistDlg::DefaultServices()
{
    Services services;
    services.regist = [](sFFixRegistPayPort& request) {
        Client* client = LoginClient();
        return client ? client->ReqRegistPayPort(&request) : -1;
    };
    services.unRegist = [](sFFixUnRegistPayPort& request) {
        Client* client = LoginClient();
        return client ? client->ReqUnRegistPayPort(&request) : -1;
    };
    services.queryUserPayPorts = [] {
        Client* client = LoginClient();
        return client ? client->ReqQryPayPortInfo() : -1;
    };
    services.querySysPayPorts = [] {
        Client* client = LoginClient();
        return client ? client->ReqQrySysPayPortInfo() : -1;
    };
    services.askBankPassword = [](wxWindow* parent, wxString& password) {
        wxPasswordEntryDialog prompt(parent, _("Input Bank Password: "), wxGetPasswordFromUserPromptStr,
                                     wxEmptyString, wxOK | wxCANCEL | wxCENTRE);
        if(prompt.ShowModal() != wxID_OK) {
            return false;
        }
        password = prompt.GetValue();
        return true;
    };
    services.confirm = [](wxWindow* parent, const wxString& caption, const wxString& message) {
        return ModalMessageBox::Show(message, caption, wxYES_NO | wxCENTRE, parent) == wxYES;
    };
    services.showPayPortPage = [](const user_AttPay& page) {
        if(g_plugin) {
            g_plugin->ShowPayPortPage(page);
        }
    };
    services.signControlInstalled = &IsSignControlInstalled;
    services.registSignControl = &PayPortRegistDlg::RegistSignControl;
    services.browser = []() -> BrowserLauncher* {
        return g_plugin ? &g_plugin->GetBrowserLauncher() : nullptr;
    };
    return services;
}

PayPortRegistDlg::PayPortRegistDlg(wxWindow* /*parent*/, RecordStore* db, const user_Account& account)
    : PayPortRegistDlgBase(nullptr, wxID_ANY, _("PayPort Regist")), m_db(db), m_userId(account.userId),
      m_accountKey(account.accountKey),
      m_userName(account.cachedLoginInfo.Get() ? account.cachedLoginInfo.Get()->userName : wxString()),
      m_wait(this), m_model(db, account.accountKey), m_messageLine(m_textCtrlMessage, _("ErrorMessage")),
      m_services(DefaultServices()), m_signControlRecheck(this, kRecheckTimerId)
{
    Bind(wxEVT_TIMER, &PayPortRegistDlg::OnSignControlRecheck, this, kRecheckTimerId);
    wxTheApp->Bind(wxEVT_PLUGIN_UNPLUG, &PayPortRegistDlg::OnPluginUnplug, this);
    if(m_db && m_db->m_sys_PayPort_table) {
        m_db->m_sys_PayPort_table->AddActionTrigger(static_cast<CActionTrigger<sys_PayPort>*>(this));
        m_db->m_user_AttPay_table->AddActionTrigger(static_cast<CActionTrigger<user_AttPay>*>(this));
        m_db->m_user_Payport_table->AddActionTrigger(static_cast<CActionTrigger<user_Payport>*>(this));
    }
}

PayPortRegistDlg::~PayPortRegistDlg()
{
    m_signControlRecheck.Stop();
    Unbind(wxEVT_TIMER, &PayPortRegistDlg::OnSignControlRecheck, this, kRecheckTimerId);
    if(wxTheApp) {
        wxTheApp->Unbind(wxEVT_PLUGIN_UNPLUG, &PayPortRegistDlg::OnPluginUnplug, this);
    }
    UnregisterTriggers();
    m_wait.Drop();
}

void PayPortRegistDlg::UnregisterTriggers()
{
    if(auto* table = CActionTrigger<sys_PayPort>::GetObservedTable()) {
        table->RemoveActionTrigger(static_cast<CActionTrigger<sys_PayPort>*>(this));
    }
    if(auto* table = CActionTrigger<user_AttPay>::GetObservedTable()) {
        table->RemoveActionTrigger(static_cast<CActionTrigger<user_AttPay>*>(this));
    }
    if(auto* table = CActionTrigger<user_Payport>::GetObservedTable()) {
        table->RemoveActionTrigger(static_cast<CActionTrigger<user_Payport>*>(this));
    }
}

void PayPortRegistDlg::SetRequestNotify(RequestNotify* registry)
{
    m_registry = registry;
    m_wait.SetRegistry(registry);
}

void PayPortRegistDlg::OnInitDialog(wxInitDialogEvent& /*event*/)
{
    Open();
}

void PayPortRegistDlg::Open()
{
    m_comboBoxIdType->Clear();
    for(const wxString& text : PayPortRegistRules::IdentityTypeTexts()) {
        m_comboBoxIdType->Append(wxGetTranslation(text));
    }
    m_comboBoxIdType->SetSelection(0);

    // A registration kept from before may be stale: it goes once the query
    // for the current ones has left, so the account is never left without.
    if(const user_Payport* stale = m_model.GetDialogRegistration()) {
        const int64_t key = stale->payportKey;
        if(m_services.queryUserPayPorts() >= 0 && m_db) {
            auto& table = *m_db->m_user_Payport_table;
            const auto found = table.GetIndexByPrimary().find(key);
            if(found != table.GetIndexByPrimary().end()) {
                table.Remove(found);
            }
        }
    } else {
        m_services.queryUserPayPorts();
    }

    const int queryId = m_services.querySysPayPorts();
    if(queryId >= 0) {
        m_payPortQueryId = queryId;
        (m_registry ? m_registry : RequestNotify::Get())->WaitResponse(queryId, this, kPayPortQueryWaitMs);
    } else {
        RefreshAll();
    }
}

void PayPortRegistDlg::RefreshAll()
{
    m_model.Refresh();
    ShowModel();
}

void PayPortRegistDlg::ShowChoice(wxComboBox* list, const PayPortRegistModel::Choice& choice)
{
    bool same = list->GetCount() == choice.items.size();
    for(unsigned int i = 0; same && i < list->GetCount(); ++i) {
        same = list->GetString(i) == choice.items[i];
    }
    if(!same) {
        list->Clear();
        for(const wxString& item : choice.items) {
            list->Append(item);
        }
    }
    list->SetSelection(choice.selection);
}

void PayPortRegistDlg::ShowModel()
{
    ShowChoice(m_comboBoxMarket, m_model.GetMarkets());
    ShowChoice(m_comboBoxChannel, m_model.GetChannels());
    ShowChoice(m_comboBoxBank, m_model.GetBanks());
    m_textCtrlSitNo->ChangeValue(m_model.GetSeatText());

    if(const user_Payport* registration = m_model.GetRegistration()) {
        m_textCtrlCardNo->ChangeValue(registration->cardNumber);
        m_textCtrlCardNoConfirm->ChangeValue(registration->cardNumber);
        m_textCtrlAccountName->ChangeValue(registration->accountName);
        m_comboBoxIdType->SetSelection(PayPortRegistRules::IdentityIndex(registration->identityType));
        m_textCtrlIdCard->ChangeValue(registration->identityNumber);
    } else {
        m_textCtrlCardNo->Clear();
        m_textCtrlCardNoConfirm->Clear();
        m_textCtrlAccountName->Clear();
        // The type keeps a real selection: GTK goes on showing the text of a
        // cleared one, and what is shown is what the request carries.
        if(m_comboBoxIdType->GetSelection() == wxNOT_FOUND) {
            m_comboBoxIdType->SetSelection(0);
        }
        m_textCtrlIdCard->Clear();
    }

    // One request at a time: a refresh while waiting leaves "Ok" disabled.
    m_buttonOk->Enable(!m_wait.IsWaiting());
    const bool registering = m_model.GetMode() == PayPortRegistRules::eRegist;
    for(wxWindow* control : std::initializer_list<wxWindow*>{
            m_comboBoxChannel, m_comboBoxBank, m_textCtrlCardNo, m_textCtrlCardNoConfirm,
            m_textCtrlAccountName, m_comboBoxIdType, m_textCtrlIdCard}) {
        control->Enable(registering);
    }
    if(!registering) {
        m_textCtrlMoneyPassword->SetFocus();
    }

    const wxString action = wxGetTranslation(PayPortRegistRules::ActionText(m_model.GetMode()));
    SetTitle(wxString::Format(_("[%s : %s]"), action, m_userName));
    if(m_buttonOk->GetLabel() != action) {
        m_buttonOk->SetLabel(action);
        Layout(); // a registration answered late turns the button into the longer "Unregister"
    }
}

void PayPortRegistDlg::OnMarketSelected(wxCommandEvent& event)
{
    const int selection = m_comboBoxMarket->GetSelection();
    if(selection != wxNOT_FOUND) {
        m_model.SelectMarket(selection);
        ShowModel();
    }
    event.Skip();
}

void PayPortRegistDlg::OnChannelSelected(wxCommandEvent& event)
{
    const int selection = m_comboBoxChannel->GetSelection();
    if(selection != wxNOT_FOUND) {
        m_model.GetChannels().selection = selection;
        m_model.RefreshFromChannel();
        ShowModel();
    }
    event.Skip();
}

void PayPortRegistDlg::OnOk(wxCommandEvent& /*event*/)
{
    if(m_wait.IsWaiting()) {
        return; // "Ok" is disabled: one request at a time
    }
    // The lists as the trader left them.
    m_model.GetMarkets().selection = m_comboBoxMarket->GetSelection();
    m_model.GetChannels().selection = m_comboBoxChannel->GetSelection();
    m_model.GetBanks().selection = m_comboBoxBank->GetSelection();
    m_model.Reselect();
    if(!m_model.GetPayPort()) {
        return;
    }
    if(m_model.GetMode() == PayPortRegistRules::eRegist) {
        Regist();
    } else {
        UnRegist();
    }
}

void PayPortRegistDlg::Regist()
{
    m_messageLine.Clear();
    PayPortRegistRules::RegistInput input;
    input.bank = m_comboBoxBank->GetStringSelection();
    input.card = m_textCtrlCardNo->GetValue();
    input.cardConfirm = m_textCtrlCardNoConfirm->GetValue();
    input.accountName = m_textCtrlAccountName->GetValue();
    input.idTypeIndex = m_comboBoxIdType->GetSelection();
    input.idCard = m_textCtrlIdCard->GetValue();
    input.moneyPassword = m_textCtrlMoneyPassword->GetValue();
    const PayPortRegistRules::Check check = PayPortRegistRules::CheckRegist(input);
    if(!check.Passed()) {
        ShowMessage(wxGetTranslation(check.message), -1, true);
        FocusField(check.field);
        return;
    }

    // The prompts run modal loops in which the tables may change: what the
    // request needs is taken first.
    const sys_PayPort& port = *m_model.GetPayPort();
    const int payPortId = port.sysPayPortId;
    const bool askBankPassword = port.needBankPassword != 0;
    const wxString channel = m_comboBoxChannel->GetStringSelection();
    wxString bankPassword;
    if(askBankPassword && !m_services.askBankPassword(this, bankPassword)) {
        return;
    }
    const wxString action = wxGetTranslation(PayPortRegistRules::ActionText(PayPortRegistRules::eRegist));
    const wxString message =
        wxString::Format(_("Are uou sure %s Account[%s]?"), action, m_userName) +
        wxString::Format(_("\n\n     Channel: [%s]\n\n     Bank: [%s]\n\n     Card Number: [%s]"), channel,
                         input.bank, input.card);
    if(!m_services.confirm(this, action, message)) {
        return;
    }
    sFFixRegistPayPort request =
        PayPortRegistRules::MakeRegistRequest(m_userId, input, payPortId, bankPassword);
    const int requestId = m_services.regist(request);
    if(requestId < 0) {
        ShowMessage(MessageLine::UnsentText(_("Send Command Failed!")), -1, true);
        return;
    }
    m_requestMode = PayPortRegistRules::eRegist;
    m_requestPayPortId = payPortId;
    StartWaitting(requestId);
}

void PayPortRegistDlg::UnRegist()
{
    // The registration the dialog shows, on the port it shows: another
    // market's may be cancelled, never the opening account's in its place.
    const user_Payport* registration = m_model.GetRegistration();
    const sys_PayPort* port = m_model.GetPayPort();
    if(!registration || !port) {
        ModalMessageBox::Show(_("UnRegist Error: Find User PayPort Failed!"), wxMessageBoxCaptionStr,
                              wxOK | wxCENTRE, this);
        return;
    }
    // The prompts run modal loops in which the tables may change.
    const int payPortId = registration->sysPayPortId;
    const int64_t registrationKey = registration->payportKey;
    const bool askBankPassword = port->needBankPassword != 0;
    const wxString channel = port->channelName;
    const wxString bank = port->bankName;
    const wxString card = registration->cardNumber;
    const wxString moneyPassword = m_textCtrlMoneyPassword->GetValue();
    const PayPortRegistRules::Check check = PayPortRegistRules::CheckUnRegist(moneyPassword);
    if(!check.Passed()) {
        ShowMessage(wxGetTranslation(check.message), -1, true);
        FocusField(check.field);
        return;
    }
    wxString bankPassword;
    if(askBankPassword && !m_services.askBankPassword(this, bankPassword)) {
        return;
    }
    const wxString message =
        wxString::Format(_("Are uou sure UnRegist Account[%s]?"), m_userName) +
        wxString::Format(_("\n\n     Channel: [%s]\n\n     Bank: [%s]\n\n     Card Number: [%s]"), channel,
                         bank, card);
    if(!m_services.confirm(this, _("UnRegist Account"), message)) {
        return;
    }
    sFFixUnRegistPayPort request =
        PayPortRegistRules::MakeUnRegistRequest(m_userId, payPortId, moneyPassword, bankPassword);
    const int requestId = m_services.unRegist(request);
    if(requestId < 0) {
        ShowMessage(MessageLine::UnsentText(_("Send Command Failed!")), -1, true);
        return;
    }
    m_requestMode = PayPortRegistRules::eUnRegist;
    m_requestPayPortId = payPortId;
    m_requestRegistrationKey = registrationKey;
    StartWaitting(requestId);
}

void PayPortRegistDlg::FocusField(PayPortRegistRules::Field field)
{
    switch(field) {
    case PayPortRegistRules::eNoField:
        break;
    case PayPortRegistRules::eBankField:
        m_comboBoxBank->SetFocus();
        break;
    case PayPortRegistRules::eCardField:
        m_textCtrlCardNo->SetFocus();
        break;
    case PayPortRegistRules::eCardConfirmField:
        m_textCtrlCardNoConfirm->SetFocus();
        break;
    case PayPortRegistRules::eAccountNameField:
        m_textCtrlAccountName->SetFocus();
        break;
    case PayPortRegistRules::eIdCardField:
        m_textCtrlIdCard->SetFocus();
        break;
    case PayPortRegistRules::eMoneyPasswordField:
        m_textCtrlMoneyPassword->SetFocus();
        break;
    }
}

void PayPortRegistDlg::StartWaitting(int requestId)
{
    m_wait.Start(requestId, kWaitMs);
    m_buttonOk->Disable();
}

void PayPortRegistDlg::OnResponse(int requestId, int errorCode, const wxString& text)
{
    if(requestId == m_payPortQueryId) {
        m_payPortQueryId = -1;
        RefreshAll();
        return;
    }
    if(!m_wait.End(requestId)) {
        return;
    }
    if(errorCode != 0) {
        m_buttonOk->Enable();
        ShowMessage(text, errorCode, true);
        // The server no longer knows the registration.
        if(m_requestMode == PayPortRegistRules::eUnRegist && errorCode == 85) {
            RemoveCancelledRegistration();
            QueryIfUnregistered();
            RefreshAll();
        }
        return;
    }
    if(m_requestMode == PayPortRegistRules::eRegist) {
        QueryIfUnregistered();
        const sys_PayPort* port = nullptr;
        if(m_db && m_db->m_sys_PayPort_table) {
            const auto& ports = m_db->m_sys_PayPort_table->GetIndexByPrimary();
            const auto found = ports.find(m_requestPayPortId);
            port = found == ports.end() ? nullptr : &*found;
        }
        ShowMessage(port && port->completeFlag == '1' ? _("Regist Apply Success, Please Wait ...")
                                                      : _("Regist Apply Success"),
                    0, false);
        return;
    }
    RemoveCancelledRegistration();
    QueryIfUnregistered();
    ShowMessage(_("UnRegist Apply Success, Please Wait ..."), 0, false);
}

void PayPortRegistDlg::OnResponseTimeOut(int requestId)
{
    if(requestId == m_payPortQueryId) {
        m_payPortQueryId = -1;
        return; // the lists stay as the pushes left them
    }
    // Only the awaited request's time-out ends the wait.
    if(!m_wait.End(requestId)) {
        return;
    }
    m_buttonOk->Enable();
    QueryIfUnregistered();
    ShowMessage(_("Request Time Out!"), -1, true);
}

void PayPortRegistDlg::ShowMessage(const wxString& text, int code, bool asError)
{
    m_messageLine.Show(text, code, asError, true);
}

void PayPortRegistDlg::QueryIfUnregistered()
{
    if(m_db && !m_model.GetDialogRegistration()) {
        m_services.queryUserPayPorts();
    }
}

void PayPortRegistDlg::RemoveCancelledRegistration()
{
    if(!m_db || !m_db->m_user_Payport_table) {
        return;
    }
    auto& table = *m_db->m_user_Payport_table;
    const auto found = table.GetIndexByPrimary().find(m_requestRegistrationKey);
    if(found != table.GetIndexByPrimary().end()) {
        table.Remove(found);
    }
}

void PayPortRegistDlg::afterAdd(const user_Payport& /*stored*/, CTransaction* /*transaction*/,
                                void* /*reserved*/)
{
    RefreshAll();
}

void PayPortRegistDlg::afterUpdate(const user_Payport& /*stored*/, CTransaction* /*transaction*/,
                                   void* /*reserved*/)
{
    RefreshAll();
}

void PayPortRegistDlg::afterAdd(const user_AttPay& stored, CTransaction* /*transaction*/, void* /*reserved*/)
{
    OpenPayPortPageLater(stored.attPayId);
}

void PayPortRegistDlg::afterUpdate(const user_AttPay& stored, CTransaction* /*transaction*/,
                                   void* /*reserved*/)
{
    OpenPayPortPageLater(stored.attPayId);
}

void PayPortRegistDlg::OpenPayPortPageLater(int attPayId)
{
    // Not inside the table's change: the page may wait modally, and the
    // events dispatched meanwhile change these tables and may close us.
    CallAfter([this, attPayId] {
        if(!m_db || !m_db->m_user_AttPay_table) {
            return;
        }
        const auto& pages = m_db->m_user_AttPay_table->GetIndexByPrimary();
        const auto found = pages.find(attPayId);
        if(found != pages.end()) {
            const user_AttPay page = *found;
            OpenPayPortPage(page);
        }
    });
}

void PayPortRegistDlg::OpenPayPortPage(const user_AttPay& page)
{
    if(!m_db || !page.GetSysPayPort(m_db) || page.bankUrl.empty()) {
        return;
    }
    if(page.cachedSysPayPort.Get()->payPortCode == "Ostrel" && !m_services.signControlInstalled()) {
        m_recheckAttPayId = page.attPayId;
        // A page pushed during the wait is the one opened after it.
        if(m_registeringSignControl || m_signControlRecheck.IsRunning()) {
            return;
        }
        m_registeringSignControl = true;
        m_services.registSignControl(this);
        m_registeringSignControl = false;
        if(!m_db) {
            EndDialog(); // unloaded during the wait
            return;
        }
        // Tested again a second later, without blocking the events.
        m_signControlRecheck.StartOnce(kSignControlRecheckMs);
        return;
    }
    m_services.showPayPortPage(page);
    EndDialog();
}

void PayPortRegistDlg::OnSignControlRecheck(wxTimerEvent& /*event*/)
{
    if(!m_db || !m_db->m_user_AttPay_table) {
        return;
    }
    const auto& pages = m_db->m_user_AttPay_table->GetIndexByPrimary();
    const auto found = pages.find(m_recheckAttPayId);
    if(found == pages.end()) {
        return;
    }
    const user_AttPay page = *found;
    if(m_services.signControlInstalled()) {
        m_services.showPayPortPage(page);
        EndDialog();
        return;
    }
    // The dialog stays open.
    OpenInOutsideBrowser(page.bankUrl);
}

void PayPortRegistDlg::OpenInOutsideBrowser(const wxString& url)
{
    BrowserLauncher* browser = m_services.browser ? m_services.browser() : nullptr;
    if(!browser) {
        return;
    }
    OpenInBankBrowser(*browser, url);
}

void PayPortRegistDlg::OnClose(wxCloseEvent& /*event*/)
{
    if(m_wait.IsWaiting()) {
        m_wait.Drop();
    }
    EndDialog();
}

void PayPortRegistDlg::EndDialog()
{
    m_signControlRecheck.Stop();
    // The opener destroys the dialog once ShowModal returns.
    if(IsModal()) {
        EndModal(wxID_CANCEL);
    } else {
        Hide();
    }
}

void PayPortRegistDlg::OnPluginUnplug(wxCommandEvent& event)
{
    event.Skip(); // other windows close too
    // The tables and the registry of waits go right after this event.
    UnregisterTriggers();
    m_db = nullptr;
    m_model.Detach();
    m_wait.Drop();
    // A wait for the signing control ends first; this loop ends after it.
    if(!m_registeringSignControl) {
        EndDialog();
    }
}
