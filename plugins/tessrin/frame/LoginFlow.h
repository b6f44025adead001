#pragma once

#include "common/ServerInfo.h"
#include "frame/TradeApiLibrary.h"

#include <memory>
#include <wx/string.h>

class Client;
class TessrinPlugin;

// A login to a server of the list: the trade API library its entry names,
// a new Client over the plug-in's record store with both connections
// started, and the server it logs in to; a logout releases the Client and
// keeps the library for the next login. GUI thread only.
class LoginFlow
{
public:
    explicit LoginFlow(TessrinPlugin& plugin);
    ~LoginFlow();
    LoginFlow(const LoginFlow&) = delete;
    LoginFlow& operator=(const LoginFlow&) = delete;

    // Replaces the Client of an earlier login. Without a usable library there
    // is no Client and no login server afterwards.
    void Login(const ServerInfo& server, const wxString& loginName, const wxString& password);
    // Releases the Client's library objects and drops it.
    void ReleaseClient();

    bool LoadTradeApiLibrary(const wxString& name) { return m_library.Load(name); }
    void UnloadTradeApiLibrary() { m_library.Unload(); }

    // Empty before the first login and after logout.
    const std::shared_ptr<Client>& GetClient() const { return m_client; }
    // The server of the current login; empty without a Client.
    const ServerInfo& GetLoginServer() const { return m_loginServer; }

private:
    TessrinPlugin& m_plugin;
    std::shared_ptr<Client> m_client;
    ServerInfo m_loginServer;
    TradeApiLibrary m_library;
};
