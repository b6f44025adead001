#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

struct sFFixRspInfo;
struct sFFixRspUserLogin;

// Login status of a connection. 1 and 2 are one state ("Login"), kept as 1:
// the reported number follows the connection icons' blink phase, so that the
// host's icon blinks.
enum eLoginStatus {
    eLS_UnLogin = 0,
    eLS_Login1 = 1,
    eLS_Login2 = 2,
    eLS_LoginSuccess = 3,
    eLS_LoginFailed = 4,
    eLS_Logout = 100,
};

// "UnLogin", "Login", "Login Success", "Login Failed", "Logout" or "UnKnow", translated.
wxString LoginStatusText(int status);

// The login state machine of one front ("Trade" over CTradeApi, "Md" over
// CMDApi): connects to one of its addresses, logs in once connected, moves on
// through the addresses when an attempt fails and reconnects for ever once an
// established login has dropped. Passive: it runs only when the Client feeds
// it the library's events, on the GUI thread; retry delays are the library's.
template <class Api> class ClientConnecter
{
public:
    ClientConnecter(const wxArrayString& addresses, const wxString& loginName, const wxString& name);

    // The library object; null after the Client released it (calls are then skipped).
    void SetApi(Api* api) { m_api = api; }
    Api* GetApi() const { return m_api; }

    void StartLogin(const wxString& password);
    // The password of the next login (after a change at the server).
    void SetPassword(const wxString& password) { m_password = password; }
    const wxString& GetPassword() const { return m_password; }
    void Logout();
    // Outcome of a connection attempt (events 100 and 101).
    void SetConnectResult(bool connected);
    // The login answer (event 10002).
    void SetLoginResult(const sFFixRspUserLogin& login, const sFFixRspInfo& result);
    // The connection was lost (event 102).
    void OnDisconnect();
    // An error answer (event 1): disconnects; the disconnection drives the rest.
    void OnErrorRsp(const sFFixRspInfo& result);

    // "%s|%d" of the name and the reported status (the blink phase, 1 or 2,
    // while logging in); clears the changed flag.
    wxString GetStateString(int blinkPhase);
    wxString GetStatusText() const { return LoginStatusText(m_status); }
    // Moves to the next address and reconnects after the delay; false when
    // every address has been tried and no established login dropped.
    bool NextAddress(int delay);

    // Why the last login attempt failed, in words for the trader; empty when
    // nothing failed since the last call.
    wxString TakeFailure();

    int GetStatus() const { return m_status; }
    bool IsChanged() const { return m_changed; }
    bool IsConnecting() const { return m_bConnect; }
    const wxString& GetName() const { return m_name; }
    unsigned GetCurrentIndex() const { return m_current; }

private:
    void SetStatus(int status);
    wxString Line(const wxString& format) const;
    wxString Line(const wxString& format, const wxString& third) const;
    void Connect(const wxString& address);
    void SetAddress(const wxString& address);
    void ReConnect(int delay);
    void Disconnect();

    wxString m_name;
    wxString m_loginName;
    wxString m_password;
    wxArrayString m_addresses;
    unsigned m_current = 0;
    unsigned m_tries = 0;
    int m_reconnect = 0;
    Api* m_api = nullptr; // not owned; the Client releases it
    int m_status = eLS_UnLogin;
    bool m_changed = false;
    bool m_bConnect = false;
    wxString m_failure;
};

class CTradeApi;
class CMDApi;
extern template class ClientConnecter<CTradeApi>;
extern template class ClientConnecter<CMDApi>;
