// The host bus events the plug-in answers (login and logout among them) and
// its three timers.
#include "common/EndsWithLogin.h"
#include "common/ModalMessageBox.h"
#include "common/PluginEvents.h"
#include "common/SettingsAccessors.h"
#include "connection/AccountStatusLines.h"
#include "connection/Client.h"
#include "connection/RequestNotify.h"
#include "db/RecordStore.h"
#include "frame/NoticeClick.h"
#include "frame/TessrinPlugin.h"

#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <pelmora/HostManager.h>
#include <pelmora/OutputWindow.h>
#include <pelmora/clConfig.h>
#include <wx/app.h>
#include <wx/arrstr.h>
#include <wx/frame.h>
#include <wx/window.h>

namespace {
// Taken from the toolkit's id generator when the library is loaded.
const int kTickTimerId = wxWindow::NewControlId();
const int kPasswordPromptTimerId = wxWindow::NewControlId();
const int kAccountStatusTimerId = wxWindow::NewControlId();

constexpr int kTickMs = 500;
constexpr int kPasswordPromptMs = 8000;
constexpr int kAccountStatusMs = 5000;
// userFlags bit: the login password must be changed.
constexpr int kMustChangePassword = 2;
} // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(TessrinPlugin, IClientPlugin)
    EVT_TIMER(kTickTimerId, TessrinPlugin::OnTickTimer)
    EVT_TIMER(kPasswordPromptTimerId, TessrinPlugin::OnModifyPasswordTimer)
    EVT_TIMER(kAccountStatusTimerId, TessrinPlugin::OnClientTimer)
wxEND_EVENT_TABLE()
    // clang-format on

    void TessrinPlugin::ConnectHostEvents()
{
    EventNotifier* bus = EventNotifier::Get();
    bus->Bind(wxEVT_CMD_LOGIN_REQUEST, &TessrinPlugin::OnLoginRequest, this);
    bus->Bind(wxEVT_CMD_LOGOUT_REQUEST, &TessrinPlugin::OnLogoutRequest, this);
    bus->Bind(wxEVT_CMD_USER_KICKED, &TessrinPlugin::OnUserKicked, this);
    bus->Bind(wxEVT_CMD_PASSWORD_CHANGED, &TessrinPlugin::OnLoginPasswordChanged, this);
    bus->Bind(wxEVT_CMD_HOST_RESERVED, &TessrinPlugin::OnHostReserved, this);
    bus->Bind(wxEVT_CMD_NOTICE_CLICKED, &TessrinPlugin::OnNoticeClicked, this);
    bus->Bind(wxEVT_CMD_REFRESH_VIEWS, &TessrinPlugin::OnRefreshViews, this);
}

void TessrinPlugin::DisconnectHostEvents()
{
    EventNotifier* bus = EventNotifier::Get();
    bus->Unbind(wxEVT_CMD_LOGIN_REQUEST, &TessrinPlugin::OnLoginRequest, this);
    bus->Unbind(wxEVT_CMD_LOGOUT_REQUEST, &TessrinPlugin::OnLogoutRequest, this);
    bus->Unbind(wxEVT_CMD_USER_KICKED, &TessrinPlugin::OnUserKicked, this);
    bus->Unbind(wxEVT_CMD_PASSWORD_CHANGED, &TessrinPlugin::OnLoginPasswordChanged, this);
    bus->Unbind(wxEVT_CMD_HOST_RESERVED, &TessrinPlugin::OnHostReserved, this);
    bus->Unbind(wxEVT_CMD_NOTICE_CLICKED, &TessrinPlugin::OnNoticeClicked, this);
    bus->Unbind(wxEVT_CMD_REFRESH_VIEWS, &TessrinPlugin::OnRefreshViews, this);
}

void TessrinPlugin::SetUpTimers()
{
    m_tickTimer.SetOwner(this, kTickTimerId);
    m_passwordPromptTimer.SetOwner(this, kPasswordPromptTimerId);
    m_accountStatusTimer.SetOwner(this, kAccountStatusTimerId);
    m_accountStatusTimer.Start(kAccountStatusMs);
}

void TessrinPlugin::StartTimers()
{
    m_tickTimer.Start(kTickMs);
    m_passwordPromptTimer.Start(kPasswordPromptMs);
}

void TessrinPlugin::StopTimers()
{
    // None may run against a record store or client that is gone.
    m_tickTimer.Stop();
    m_passwordPromptTimer.Stop();
    m_accountStatusTimer.Stop();
}

void TessrinPlugin::OnTickTimer(wxTimerEvent& event)
{
    wxUnusedVar(event);
    // A time-out may show a box, whose loop runs inside the call that showed
    // it; the toolkit fires no timer whose own call has not returned, so a
    // box shown from here would stop the clock, the late queries and every
    // other time-out until the trader closed it.
    if(m_tickQueued) {
        return;
    }
    m_tickQueued = true;
    CallAfter(&TessrinPlugin::Tick);
}

void TessrinPlugin::Tick()
{
    m_tickQueued = false;
    if(!m_tickTimer.IsRunning()) {
        return; // stopped since: the client or the store may be gone
    }
    const wxDateTime now = wxDateTime::UNow();
    if(GetClient()) {
        GetClient()->CheckPendingQueries();
    }
    g_blinkPhase = g_blinkPhase == 1 ? 2 : 1;
    RequestNotify::Get()->CheckTimeOut(now);
}

void TessrinPlugin::OnModifyPasswordTimer(wxTimerEvent& event)
{
    wxUnusedVar(event);
    wxFrame* frame = m_mgr ? m_mgr->GetMainFrame() : nullptr;
    if(!frame || !frame->IsShown()) {
        return;
    }
    const user_Account* account = GetLoginUser();
    if(!account) {
        return; // asked again when the accounts have arrived
    }
    if((account->userFlags & kMustChangePassword) == 0) {
        m_passwordPromptTimer.Stop(); // once per start
        return;
    }
    if(!account->GetLoginInfo(m_db.get())) {
        return;
    }
    m_passwordPromptTimer.Stop();
    m_parts.funds->ShowPasswordPrompt(frame, account->cachedLoginInfo.Get());
}

void TessrinPlugin::OnClientTimer(wxTimerEvent& event)
{
    wxUnusedVar(event);
    if(GetClient()) {
        GetClient()->RotateAccountStatus();
    }
}

void TessrinPlugin::OnRefreshViews(wxCommandEvent& event)
{
    event.Skip();
    // The login's first account line shows with the login, not at the
    // rotation's next turn, which left it blank for up to five seconds.
    if(event.GetClientData() && GetClient() && !AccountStatusLines::Get().HasShown()) {
        GetClient()->RotateAccountStatus();
    }
}

void TessrinPlugin::OnHostReserved(wxCommandEvent& event)
{
    event.Skip();
}

void TessrinPlugin::OnNoticeClicked(wxCommandEvent& event)
{
    const auto* text = static_cast<const wxString*>(event.GetClientData());
    if(!text) {
        return;
    }
    const NoticeClick click = NoticeClick::Parse(*text);
    if(!click.IsValid()) {
        return;
    }
    m_parts.panes->ShowNoticeTarget(click);
}

void TessrinPlugin::SendUnplugEvent()
{
    // wx forgets the handlers unbound from the application object (ours,
    // just now) only at the next event it does not handle. A window that a
    // handler of the unload event hides or closes sends the application
    // object such events, which would make it forget them in the middle of
    // this dispatch: let it forget them first.
    static const wxEventTypeTag<wxCommandEvent> settle(wxNewEventType());
    wxCommandEvent nobodyHandles(settle);
    wxTheApp->ProcessEvent(nobodyHandles);

    wxCommandEvent unplug(wxEVT_PLUGIN_UNPLUG, 0);
    ProcessEvent(unplug);
}

bool TessrinPlugin::IsShowNotify(int kind) const
{
    return ::IsShowNotify(kind);
}

void TessrinPlugin::ShowMessageBox(const wxString& message, const wxString& caption)
{
    ModalMessageBox::Show(message, caption);
}

bool TessrinPlugin::ReadConfigBool(const wxString& key, bool defaultValue) const
{
    return m_config ? m_config->Read(key, defaultValue) : defaultValue;
}

void TessrinPlugin::OnLoginRequest(wxCommandEvent& event)
{
    event.Skip(); // other listeners on the bus see the login too
    const auto* request = static_cast<const wxArrayString*>(event.GetClientData());
    if(!request || request->size() != 3) {
        return;
    }
    const wxString& serverName = (*request)[0];
    const wxString& loginName = (*request)[1];
    const wxString& password = (*request)[2];
    m_lockScreen.SetPassword(password);

    const ServerInfo* server = m_serverItem.FindServer(serverName);
    if(!server) {
        TellServerListUnread();
    }
    if(!server || !m_db) {
        return;
    }
    if(GetClient()) {
        // Another login in its place: the last one's figures must not pass
        // for this one's while its answers come.
        ShowLoggedOut();
    }
    m_login.Login(*server, loginName, password);
    if(GetClient()) {
        m_parts.panes->SetLoggedIn(true);
    }
}

void TessrinPlugin::OnLogoutRequest(wxCommandEvent& event)
{
    event.Skip();
    ReleaseClient(); // the library stays loaded for the next login
    ShowLoggedOut();
}

void TessrinPlugin::OnUserKicked(wxCommandEvent& event)
{
    event.Skip(); // the host learns it too
    ShowLoggedOut();
}

void TessrinPlugin::ShowLoggedOut()
{
    // Nothing the last login showed may pass for the market's figures now,
    // nor stay open in a dialog.
    EndsWithLogin::Announce();
    if(m_db) {
        m_db->RemoveTradingRecords();
        m_db->MarkQuotesStale();
    }
    AccountStatusLines::Get().Clear();
    if(OutputWindow* output = m_mgr ? m_mgr->GetOutputWindow() : nullptr) {
        output->RemoveEntriesOf(kLoginNoticesOwner);
    }
    m_statusFields.ShowLoggedOut();
    m_parts.panes->SetLoggedIn(false);
    m_parts.funds->CloseAccountPages();
}

void TessrinPlugin::OnLoginAccepted(const wxString& password)
{
    m_lockScreen.SetPassword(password);
}

void TessrinPlugin::OnLoginPasswordChanged(wxCommandEvent& event)
{
    event.Skip(); // the host keeps the new password too
    const auto* password = static_cast<const wxArrayString*>(event.GetClientData());
    if(password && password->size() == 1) {
        m_lockScreen.SetPassword((*password)[0]);
    }
}

void TessrinPlugin::ReleaseClient()
{
    m_login.ReleaseClient();
}

bool TessrinPlugin::LoadTradeApiLibrary(const wxString& name)
{
    return m_login.LoadTradeApiLibrary(name);
}

void TessrinPlugin::UnloadTradeApiLibrary()
{
    m_login.UnloadTradeApiLibrary();
}

wxString TessrinPlugin::GetServerText() const
{
    return m_login.GetLoginServer().name;
}

const wxArrayString& TessrinPlugin::GetTradeAddresses() const
{
    return m_login.GetLoginServer().trade;
}

const wxArrayString& TessrinPlugin::GetMdAddresses() const
{
    return m_login.GetLoginServer().mq;
}
