#pragma once
// libClientApi.so loaded by name from the build tree, as the plug-in loads it.
#include "tradeapi/ClientApi.h"

#include <string>

class ClientLibrary
{
public:
    ClientLibrary();
    ~ClientLibrary();
    ClientLibrary(const ClientLibrary&) = delete;
    ClientLibrary& operator=(const ClientLibrary&) = delete;

    CClientApi* Client() const { return m_client; }
    CTradeApi* NewTrade(CTradeApiCallback& callback, const char* login = "demo") const;
    CMDApi* NewMd(CMDApiCallback& callback, const char* login = "demo") const;

private:
    void* m_handle = nullptr;
    CClientApi* m_client = nullptr;
    CreateTradeApiFn m_createTrade = nullptr;
    CreateMDApiFn m_createMd = nullptr;
    GlobalUnInitFn m_unInit = nullptr;
};
