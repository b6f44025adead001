#pragma once

#include <memory>
#include <tradeapi/ClientApi.h>
#include <wx/string.h>

class clDynamicLibrary;

// The trade API library a server entry names: loaded from the program's own
// folders by bare name, its five exports bound, initialised, and its client
// object made; kept loaded from one login to the next of the same name.
// GUI thread only.
class TradeApiLibrary
{
public:
    TradeApiLibrary();
    ~TradeApiLibrary();
    TradeApiLibrary(const TradeApiLibrary&) = delete;
    TradeApiLibrary& operator=(const TradeApiLibrary&) = delete;

    // Loads (or keeps) the library of that name and binds its five exports;
    // false leaves no library loaded.
    bool Load(const wxString& name);
    // Releases the client object, uninitialises and lets the library go.
    void Unload();

    // The library's trade and market-data objects for a login; only while
    // loaded.
    CTradeApi* CreateTradeApi(CTradeApiCallback* callback, const char* login);
    CMDApi* CreateMDApi(CMDApiCallback* callback, const char* login);

private:
    void ClearEntryPoints();

    CClientApi* m_clientApi = nullptr; // released through its own Release
    std::unique_ptr<clDynamicLibrary> m_library;
    GlobalInitFn m_globalInit = nullptr;
    GlobalUnInitFn m_globalUnInit = nullptr;
    CreateClientApiFn m_createClientApi = nullptr;
    CreateTradeApiFn m_createTradeApi = nullptr;
    CreateMDApiFn m_createMDApi = nullptr;
    wxString m_libraryName;
};
