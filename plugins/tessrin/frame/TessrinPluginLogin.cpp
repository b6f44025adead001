// Login and logout on the host's request, and the trade API library they load.
#include "connection/CGetLocalIp.h"
#include "connection/Client.h"
#include "connection/MdClient.h"
#include "connection/TradeClient.h"
#include "frame/PasswordDigest.h"
#include "frame/TessrinPlugin.h"

#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <pelmora/clDynamicLibrary.h>
#include <wx/arrstr.h>
#include <wx/log.h>

namespace {
// The address of an export; null when the library lacks it.
template <class Function> Function BindSymbol(clDynamicLibrary& library, const char* name)
{
    bool found = false;
    void* address = library.GetSymbol(name, &found);
    return found ? reinterpret_cast<Function>(address) : nullptr;
}
} // namespace

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
    m_passwordDigest = PasswordDigest(password);

    const ServerInfo* server = m_serverItem.FindServer(serverName);
    if(!server) {
        TellServerListUnread();
    }
    if(!server || !m_db) {
        return;
    }
    if(m_client) {
        m_client->Release();
    }
    if(!LoadTradeApiLibrary(server->api)) {
        wxLogDebug("Login to %s: trade API library \"%s\" not usable", serverName, server->api);
        m_client.reset();
        m_loginServer = ServerInfo();
        return;
    }
    // The Client takes the server's addresses and text from here.
    m_loginServer = *server;
    m_client = std::make_shared<Client>(loginName, m_db.get(), this);
    const std::shared_ptr<Client> client = m_client;
    const wxScopedCharBuffer narrowLogin = loginName.mb_str();
    client->SetTradeApi(m_createTradeApi(m_clientApi, client->GetTradeClient(), narrowLogin.data(), 0));
    client->SetMdApi(m_createMDApi(m_clientApi, client->GetMdClient(), narrowLogin.data(), 0));

    CGetLocalIp::GetLocalIp(true, m_loginServer.history);
    // The probe runs a modal loop: the host may have logged out, logged in
    // again or unloaded the plug-in in the meantime.
    if(m_client != client || !m_db) {
        return;
    }
    client->GetTradeConnecter().StartLogin(password);
    client->GetMdConnecter().StartLogin(password);
    EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_CLIENT_CREATED, client.get());
}

void TessrinPlugin::OnLogoutRequest(wxCommandEvent& event)
{
    event.Skip();
    ReleaseClient(); // the library stays loaded for the next login
}

void TessrinPlugin::OnLoginAccepted(const wxString& password)
{
    m_passwordDigest = PasswordDigest(password);
}

void TessrinPlugin::OnLoginPasswordChanged(wxCommandEvent& event)
{
    event.Skip(); // the host keeps the new password too
    const auto* password = static_cast<const wxArrayString*>(event.GetClientData());
    if(password && password->size() == 1) {
        m_passwordDigest = PasswordDigest((*password)[0]);
    }
}

void TessrinPlugin::ReleaseClient()
{
    if(m_client) {
        m_client->Release();
        m_client.reset();
    }
    // A record that outlived its login would send later queries to the old server.
    m_loginServer = ServerInfo();
}

bool TessrinPlugin::LoadTradeApiLibrary(const wxString& name)
{
    if(m_library && m_library->IsLoaded() && m_libraryName == name) {
        return true;
    }
    UnloadTradeApiLibrary();
    m_libraryName = name;
    m_library = std::make_unique<clDynamicLibrary>();
    // The name comes from a file: a path in it would load code from anywhere.
    if(!clDynamicLibrary::IsBareName(name)) {
        wxLogWarning("Trade API library \"%s\" refused: the server list may name only a library file of "
                     "the program's own folder",
                     name);
    }
    bool bound = m_library->LoadFromHostFolders(name);
    if(bound) {
        m_globalInit = BindSymbol<GlobalInitFn>(*m_library, "GlobalInit");
        m_globalUnInit = m_globalInit ? BindSymbol<GlobalUnInitFn>(*m_library, "GlobalUnInit") : nullptr;
        m_createClientApi =
            m_globalUnInit ? BindSymbol<CreateClientApiFn>(*m_library, "CreateClientApi") : nullptr;
        m_createTradeApi =
            m_createClientApi ? BindSymbol<CreateTradeApiFn>(*m_library, "CreateTradeApi") : nullptr;
        m_createMDApi = m_createTradeApi ? BindSymbol<CreateMDApiFn>(*m_library, "CreateMDApi") : nullptr;
        bound = m_createMDApi != nullptr;
    }
    if(!bound) {
        wxLogDebug("Trade API library \"%s\": %s", name, m_library->GetError());
        // Nothing of a half-bound library is kept: a later request for the
        // same name loads it afresh.
        ClearTradeApiEntryPoints();
        m_library.reset();
        m_libraryName.clear();
        return false;
    }
    m_globalInit();
    m_clientApi = m_createClientApi();
    if(!m_clientApi) {
        UnloadTradeApiLibrary();
        return false;
    }
    return true;
}

void TessrinPlugin::UnloadTradeApiLibrary()
{
    if(m_clientApi) {
        m_clientApi->Release();
        m_clientApi = nullptr;
    }
    if(m_globalUnInit) {
        m_globalUnInit();
    }
    ClearTradeApiEntryPoints();
    if(m_library) {
        m_library->Detach();
        m_library.reset();
    }
    m_libraryName.clear();
}

void TessrinPlugin::ClearTradeApiEntryPoints()
{
    m_globalInit = nullptr;
    m_globalUnInit = nullptr;
    m_createClientApi = nullptr;
    m_createTradeApi = nullptr;
    m_createMDApi = nullptr;
}

wxString TessrinPlugin::GetServerText() const
{
    return m_loginServer.name;
}

const wxArrayString& TessrinPlugin::GetTradeAddresses() const
{
    return m_loginServer.trade;
}

const wxArrayString& TessrinPlugin::GetMdAddresses() const
{
    return m_loginServer.mq;
}
