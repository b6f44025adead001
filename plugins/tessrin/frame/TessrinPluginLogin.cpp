// Login and logout on the host's request, and the password the lock screen
// asks for.
#include "frame/TessrinPlugin.h"

#include <wx/arrstr.h>

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
    m_login.Login(*server, loginName, password);
}

void TessrinPlugin::OnLogoutRequest(wxCommandEvent& event)
{
    event.Skip();
    ReleaseClient(); // the library stays loaded for the next login
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
