#ifndef PELMORA_APP_LOGINCONTROLLER_H
#define PELMORA_APP_LOGINCONTROLLER_H

#include <functional>
#include <wx/arrstr.h>
#include <wx/event.h>

class Tracer;

// The host's side of logging in: asks the plug-ins for server names, sends
// login and logout on the bus, and follows what the plug-ins report back
// (connection state, a changed password, a forced logout). Views are told to
// refresh (11111) once the trade side of a login has succeeded, with the
// server and user as client data, and without client data after a logout.
class LoginController : public wxEvtHandler
{
public:
    explicit LoginController(Tracer& tracer);
    ~LoginController() override;

    wxArrayString QueryServerNames();
    void Login(const wxString& server, const wxString& user, const wxString& password);
    void Logout();

    bool IsLoggedIn() const { return m_loggedIn; }
    const wxString& GetServer() const { return m_server; }
    const wxString& GetUser() const { return m_user; }
    // The password for the next login while logged in: the one typed last,
    // or the one a password change reported since. None once logged out
    // (by the user or the market): the login dialog offers no one's.
    const wxString& GetPassword() const { return m_password; }
    // The four texts of the last connection report, empty after logout.
    const wxArrayString& GetConnectionState() const { return m_state; }
    // "user@server [Trade: Logged in, Market: Login failed]", the fronts'
    // states in words.
    wxString DescribeState() const;

    // Called after every change the window should show.
    void SetChangeObserver(std::function<void()> observer) { m_onChange = std::move(observer); }
    // Called (queued) when the market logged the user out.
    void SetKickedObserver(std::function<void()> observer) { m_onKicked = std::move(observer); }

private:
    void OnConnectionState(wxCommandEvent& event);
    void OnPasswordChanged(wxCommandEvent& event);
    void OnUserKicked(wxCommandEvent& event);
    void Changed();
    void AnnounceLogin();
    void AnnounceLogout();

    Tracer& m_tracer;
    wxString m_server;
    wxString m_user;
    wxString m_password;
    wxArrayString m_state;
    bool m_loggedIn = false;
    bool m_loginAnnounced = false; // 11111 told of the login in force
    std::function<void()> m_onChange;
    std::function<void()> m_onKicked;
};

#endif // PELMORA_APP_LOGINCONTROLLER_H
