#include "frame/LoginFlow.h"

#include "connection/Client.h"
#include "connection/MdClient.h"
#include "connection/TradeClient.h"
#include "frame/TessrinPlugin.h"

#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <wx/log.h>

LoginFlow::LoginFlow(TessrinPlugin& plugin) : m_plugin(plugin) {}

LoginFlow::~LoginFlow() = default;

void LoginFlow::Login(const ServerInfo& server, const wxString& loginName, const wxString& password)
{
    if(m_client) {
        m_client->Release();
    }
    if(!LoadTradeApiLibrary(server.api)) {
        wxLogDebug("Login to %s: trade API library \"%s\" not usable", server.name, server.api);
        m_client.reset();
        m_loginServer = ServerInfo();
        return;
    }
    // The Client takes the server's addresses and text from here.
    m_loginServer = server;
    m_client = std::make_shared<Client>(loginName, m_plugin.GetDatabase(), &m_plugin);
    const std::shared_ptr<Client> client = m_client;
    const wxScopedCharBuffer narrowLogin = loginName.mb_str();
    client->SetTradeApi(m_library.CreateTradeApi(client->GetTradeClient(), narrowLogin.data()));
    client->SetMdApi(m_library.CreateMDApi(client->GetMdClient(), narrowLogin.data()));

    // The local-address probe may still run when this returns; a logout or
    // another login before it reports releases this Client, and with it the
    // probe, so the announcement is always of the current Client.
    Client* created = client.get();
    client->StartLogin(password, m_loginServer.history, [created] {
        EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_CLIENT_CREATED, created);
    });
}

void LoginFlow::ReleaseClient()
{
    if(m_client) {
        m_client->Release();
        m_client.reset();
    }
    // A record that outlived its login would send later queries to the old server.
    m_loginServer = ServerInfo();
}
