#include "LoginController.h"

#include "BusTracer.h"
#include "Tracer.h"
#include "pelmora/EventNotifier.h"
#include "pelmora/HostEvents.h"

#include <wx/intl.h>

LoginController::LoginController(Tracer& tracer) : m_tracer(tracer)
{
    EventNotifier::Get()->Bind(wxEVT_CMD_CONNECTION_STATE, &LoginController::OnConnectionState, this);
    EventNotifier::Get()->Bind(wxEVT_CMD_PASSWORD_CHANGED, &LoginController::OnPasswordChanged, this);
    EventNotifier::Get()->Bind(wxEVT_CMD_USER_KICKED, &LoginController::OnUserKicked, this);
}

LoginController::~LoginController()
{
    EventNotifier::Get()->Unbind(wxEVT_CMD_CONNECTION_STATE, &LoginController::OnConnectionState, this);
    EventNotifier::Get()->Unbind(wxEVT_CMD_PASSWORD_CHANGED, &LoginController::OnPasswordChanged, this);
    EventNotifier::Get()->Unbind(wxEVT_CMD_USER_KICKED, &LoginController::OnUserKicked, this);
}

wxArrayString LoginController::QueryServerNames()
{
    wxArrayString names;
    EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_QUERY_SERVER_NAMES, &names);
    m_tracer.Bus(wxEVT_CMD_QUERY_SERVER_NAMES, BusTracer::Payload(wxEVT_CMD_QUERY_SERVER_NAMES, &names));
    return names;
}

void LoginController::Login(const wxString& server, const wxString& user, const wxString& password)
{
    m_server = server;
    m_user = user;
    m_password = password;
    m_state.clear();
    m_loggedIn = true;
    m_loginAnnounced = false;
    wxArrayString request;
    request.Add(server);
    request.Add(user);
    request.Add(password);
    m_tracer.Bus(wxEVT_CMD_LOGIN_REQUEST, BusTracer::Payload(wxEVT_CMD_LOGIN_REQUEST, &request));
    EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_LOGIN_REQUEST, &request);
    Changed();
}

void LoginController::Logout()
{
    m_loggedIn = false;
    m_password.clear(); // the next at the desk types their own
    m_state.clear();
    m_tracer.Bus(wxEVT_CMD_LOGOUT_REQUEST, wxString());
    EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_LOGOUT_REQUEST, nullptr);
    AnnounceLogout();
    Changed();
}

void LoginController::AnnounceLogin()
{
    if(!m_loggedIn || !m_loginAnnounced) {
        return; // logged out before the queued announcement came
    }
    wxArrayString who;
    who.Add(m_server);
    who.Add(m_user);
    m_tracer.Bus(wxEVT_CMD_REFRESH_VIEWS, BusTracer::Payload(wxEVT_CMD_REFRESH_VIEWS, &who));
    EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_REFRESH_VIEWS, &who);
}

void LoginController::AnnounceLogout()
{
    m_loginAnnounced = false;
    m_tracer.Bus(wxEVT_CMD_REFRESH_VIEWS, wxString());
    EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_REFRESH_VIEWS, nullptr);
}

namespace {
// A front's state text, "<name>|<status>", in words.
wxString StateWords(const wxString& state)
{
    long status = -1;
    if(!state.AfterLast('|').ToLong(&status)) {
        return state;
    }
    switch(status) {
    case 0:
        return _("Not logged in");
    case 1:
    case 2:
        return _("Logging in");
    case 3:
        return _("Logged in");
    case 4:
        return _("Login failed");
    default:
        return state;
    }
}
} // namespace

wxString LoginController::DescribeState() const
{
    if(!m_loggedIn) {
        return _("Not logged in");
    }
    wxString text = m_user + "@" + m_server;
    if(m_state.size() >= 4) {
        text << " [" << _("Trade") << ": " << StateWords(m_state[2]) << ", " << _("Market") << ": "
             << StateWords(m_state[3]) << "]";
    }
    return text;
}

void LoginController::OnConnectionState(wxCommandEvent& event)
{
    event.Skip();
    const auto* texts = static_cast<const wxArrayString*>(event.GetClientData());
    if(!texts || !m_loggedIn) {
        return; // a late report after logout must not revive the session
    }
    m_state = *texts;
    // The trade side's state text ends in "|3" when logged in; a login that
    // comes back after a drop is announced again. Queued: this runs inside
    // the plug-in's own bus send.
    const bool tradeLoggedIn = m_state.size() >= 3 && m_state[2].EndsWith("|3");
    if(tradeLoggedIn && !m_loginAnnounced) {
        m_loginAnnounced = true;
        CallAfter(&LoginController::AnnounceLogin);
    } else if(!tradeLoggedIn) {
        m_loginAnnounced = false;
    }
    Changed();
}

void LoginController::OnPasswordChanged(wxCommandEvent& event)
{
    event.Skip();
    const auto* texts = static_cast<const wxArrayString*>(event.GetClientData());
    if(texts && !texts->empty()) {
        m_password = texts->front();
    }
}

void LoginController::OnUserKicked(wxCommandEvent& event)
{
    event.Skip();
    m_loggedIn = false;
    m_password.clear();
    m_state.clear();
    AnnounceLogout();
    Changed();
    if(m_onKicked) {
        m_onKicked();
    }
}

void LoginController::Changed()
{
    if(m_onChange) {
        m_onChange();
    }
}
