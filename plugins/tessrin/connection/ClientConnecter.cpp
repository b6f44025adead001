#include "connection/ClientConnecter.h"

#include "connection/CGetLocalIp.h"
#include "connection/ErrorTextTable.h"
#include "connection/RequestFields.h"

#include <cstdlib>
#include <string>
#include <tradeapi/FixedText.h>
#include <tradeapi/TradeApi.h>
#include <wx/debug.h>
#include <wx/intl.h>
#include <wx/log.h>

wxString LoginStatusText(int status)
{
    switch(status) {
    case eLS_UnLogin:
        return _("UnLogin");
    case eLS_Login1:
    case eLS_Login2:
        return _("Login");
    case eLS_LoginSuccess:
        return _("Login Success");
    case eLS_LoginFailed:
        return _("Login Failed");
    case eLS_Logout:
        return _("Logout");
    default:
        return _("UnKnow");
    }
}

namespace {
// The library takes addresses as narrow text.
std::string NarrowAddress(const wxString& address)
{
    std::string narrow;
    ToNarrowText(address, narrow);
    return narrow;
}

wxString ErrorText(const sFFixRspInfo& result)
{
    return ServerMessageText(result.errorId, wxString::FromUTF8(tradeapi::FixedText(result.errorMsg)));
}
} // namespace

template <class Api>
ClientConnecter<Api>::ClientConnecter(const wxArrayString& addresses, const wxString& loginName,
                                      const wxString& name)
    : m_name(name), m_loginName(loginName), m_addresses(addresses)
{}

template <class Api> void ClientConnecter<Api>::SetStatus(int status)
{
    m_status = status;
    m_changed = true;
}

template <class Api> wxString ClientConnecter<Api>::Line(const wxString& format) const
{
    return wxString::Format(format, m_loginName, m_name);
}

template <class Api> wxString ClientConnecter<Api>::Line(const wxString& format, const wxString& third) const
{
    return wxString::Format(format, m_loginName, m_name, third);
}

template <class Api> void ClientConnecter<Api>::Connect(const wxString& address)
{
    if(m_api != nullptr) {
        m_api->Connect(NarrowAddress(address).c_str());
    }
}

template <class Api> void ClientConnecter<Api>::SetAddress(const wxString& address)
{
    if(m_api != nullptr) {
        m_api->SetAddress(NarrowAddress(address).c_str());
    }
}

template <class Api> void ClientConnecter<Api>::ReConnect(int delay)
{
    if(m_api != nullptr) {
        m_api->ReConnect(delay);
    }
}

template <class Api> void ClientConnecter<Api>::Disconnect()
{
    if(m_api != nullptr) {
        m_api->Disconnect();
    }
}

template <class Api> void ClientConnecter<Api>::StartLogin(const wxString& password)
{
    if(m_status != eLS_UnLogin && m_status != eLS_LoginFailed) {
        wxLogMessage("%s", Line(_("[%s] %s Server in %s"), GetStatusText()));
        return;
    }
    // Refused before any connection: nothing to pick from, or a credential
    // that would have to be cut to fit its field.
    wxString refusal;
    sFFixReqUserLogin probe;
    if(m_addresses.empty()) {
        refusal = _("no server address");
    } else if(!FillLoginRequest(probe, m_loginName, password, wxString())) {
        refusal = _("login name or password too long");
    }
    if(!refusal.empty()) {
        wxLogMessage("%s", Line(_("[%s] %s Server Login Failed: %s"), refusal));
        m_failure = refusal;
        SetStatus(eLS_LoginFailed);
        return;
    }

    m_tries = 1;
    m_current = static_cast<unsigned>(std::rand()) % m_addresses.size();
    m_reconnect = 0;
    m_password = password;
    wxASSERT_MSG(m_bConnect == false, "m_bConnect == false");
    m_bConnect = true;
    if(m_status == eLS_UnLogin) {
        Connect(m_addresses[m_current]);
    } else {
        SetAddress(m_addresses[m_current]);
        ReConnect(1000);
    }
    wxLogDebug("%s", Line(_("[%s] %s Server Start Login")));
    SetStatus(eLS_Login1);
}

template <class Api> void ClientConnecter<Api>::Logout()
{
    m_changed = true;
    if(!m_bConnect) {
        m_status = eLS_UnLogin;
    } else {
        m_status = eLS_Logout;
        Disconnect();
    }
    wxLogMessage("%s", Line(_("[%s] %s Server logout")));
}

template <class Api> void ClientConnecter<Api>::SetConnectResult(bool connected)
{
    wxASSERT_MSG(m_bConnect == true, "m_bConnect == true");
    if(!connected) {
        if(m_status == eLS_Logout) {
            SetStatus(eLS_UnLogin);
            m_bConnect = false;
        } else if(NextAddress(1000)) {
            wxLogMessage("%s", Line(_("[%s] %s Server Connect Failed, Try Next Address")));
        } else {
            wxLogMessage("%s", Line(_("[%s] %s Server Connect Failed")));
            wxLogMessage("%s", Line(_("[%s] %s Server Login Failed")));
            m_failure = _("No server could be reached.");
            SetStatus(eLS_LoginFailed);
        }
        return;
    }
    if(m_status == eLS_Logout) {
        SetStatus(eLS_UnLogin);
        Disconnect();
        return;
    }
    wxLogMessage("%s", Line(_("[%s] %s Server Connect Success")));
    m_tries = 0;
    sFFixReqUserLogin request;
    if(!FillLoginRequest(request, m_loginName, m_password, CGetLocalIp::GetLocalIp())) {
        // StartLogin already refused such credentials; never send a cut one.
        m_failure = _("login name or password too long");
        wxLogMessage("%s", Line(_("[%s] %s Server Login Failed: %s"), m_failure));
        SetStatus(eLS_LoginFailed);
        Disconnect();
        return;
    }
    if(m_api != nullptr) {
        m_api->ReqUserLogin(&request, 1);
    }
}

template <class Api>
void ClientConnecter<Api>::SetLoginResult(const sFFixRspUserLogin& /*login*/, const sFFixRspInfo& result)
{
    if(m_status == eLS_Logout) {
        return;
    }
    if(result.errorId != 0) {
        m_failure = ErrorText(result);
        wxLogMessage("%s", Line(_("[%s] %s Server Login Failed: %s"), m_failure));
        // 20: no such user, 21: wrong name or password; retrying cannot help.
        const bool final = result.errorId == 20 || result.errorId == 21;
        SetStatus(final ? eLS_LoginFailed : eLS_Login1);
        Disconnect();
        return;
    }
    wxLogMessage("%s", Line(_("[%s] %s Server Login Success")));
    SetStatus(eLS_LoginSuccess);
}

template <class Api> void ClientConnecter<Api>::OnDisconnect()
{
    m_bConnect = false;
    switch(m_status) {
    case eLS_LoginFailed:
        return;
    case eLS_UnLogin:
        // An idle machine (after a logout that raced a connection) must not start a login.
        return;
    case eLS_Logout:
        SetStatus(eLS_UnLogin);
        return;
    case eLS_LoginSuccess:
        wxLogDebug("%s", Line(_("[%s] %s Server Disconnct")));
        m_tries = 0;
        m_reconnect = 1;
        SetStatus(eLS_Login1);
        NextAddress(2000);
        return;
    default:
        wxLogDebug("%s", Line(_("[%s] %s Server Login TimeOut")));
        if(!NextAddress(2000)) {
            wxLogMessage("%s", Line(_("[%s] %s Server Login Failed")));
            m_failure = _("The server did not answer the login.");
            SetStatus(eLS_LoginFailed);
        }
        return;
    }
}

template <class Api> void ClientConnecter<Api>::OnErrorRsp(const sFFixRspInfo& result)
{
    if(result.errorId == 0) {
        return;
    }
    wxLogError("%s", Line(_("[%s] %s Server Error: %s"), ErrorText(result)));
    Disconnect();
}

template <class Api> wxString ClientConnecter<Api>::TakeFailure()
{
    wxString failure;
    failure.swap(m_failure);
    return failure;
}

template <class Api> bool ClientConnecter<Api>::NextAddress(int delay)
{
    const auto count = static_cast<unsigned>(m_addresses.size());
    if(count == 0) {
        m_bConnect = false;
        return false;
    }
    if(m_tries >= count) {
        if(m_reconnect == 0) {
            m_bConnect = false;
            return false;
        }
        m_tries = 0;
    }
    m_current = (m_current + 1) % count;
    ++m_tries;
    SetAddress(m_addresses[m_current]);
    ReConnect(delay);
    m_bConnect = true;
    return true;
}

template <class Api> wxString ClientConnecter<Api>::GetStateString(int blinkPhase)
{
    int reported = m_status;
    if(m_status == eLS_Login1 || m_status == eLS_Login2) {
        reported = blinkPhase;
    } else if(m_status == eLS_Logout) {
        reported = eLS_UnLogin;
    }
    m_changed = false;
    return wxString::Format("%s|%d", m_name, reported);
}

template class ClientConnecter<CTradeApi>;
template class ClientConnecter<CMDApi>;
