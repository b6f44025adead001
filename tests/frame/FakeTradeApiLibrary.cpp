// A trade API library for the plug-in's login tests: its five exports make
// recording fake API objects and report every call to the test program, which
// defines FakeTradeApiRecord (FAKE_API_NAME tells two copies apart).
#include "FakeApis.h"

#include <memory>
#include <string>
#include <tradeapi/ClientApi.h>
#include <vector>

extern "C" void FakeTradeApiRecord(const char* library, const char* entry) __attribute__((weak));

namespace {
void Journal(const std::string& entry)
{
    if(FakeTradeApiRecord) {
        FakeTradeApiRecord(FAKE_API_NAME, entry.c_str());
    }
}

class FakeClientApi : public CClientApi
{
public:
    void Release() override { Journal("ClientApi::Release"); }
};

class JournalTradeApi : public FakeTradeApi
{
public:
    void Release() override
    {
        FakeTradeApi::Release();
        Journal("TradeApi::Release");
    }
};

class JournalMdApi : public FakeMdApi
{
public:
    void Release() override
    {
        FakeMdApi::Release();
        Journal("MdApi::Release");
    }
};

FakeClientApi g_clientApi;
// Kept until the library is unloaded, so a released object stays readable.
std::vector<std::unique_ptr<JournalTradeApi>> g_tradeApis;
std::vector<std::unique_ptr<JournalMdApi>> g_mdApis;
} // namespace

extern "C" {
void GlobalInit()
{
    Journal("GlobalInit");
}

void GlobalUnInit()
{
    Journal("GlobalUnInit");
}

CClientApi* CreateClientApi()
{
    Journal("CreateClientApi");
    return &g_clientApi;
}

CTradeApi* CreateTradeApi(CClientApi* client, CTradeApiCallback* callback, const char* loginName,
                          int reserved)
{
    Journal(std::string("CreateTradeApi ") + loginName + (client == &g_clientApi ? "" : " foreign client") +
            (callback ? "" : " no callback") + (reserved == 0 ? "" : " reserved"));
    g_tradeApis.push_back(std::make_unique<JournalTradeApi>());
    return g_tradeApis.back().get();
}

CMDApi* CreateMDApi(CClientApi* client, CMDApiCallback* callback, const char* loginName, int reserved)
{
    Journal(std::string("CreateMDApi ") + loginName + (client == &g_clientApi ? "" : " foreign client") +
            (callback ? "" : " no callback") + (reserved == 0 ? "" : " reserved"));
    g_mdApis.push_back(std::make_unique<JournalMdApi>());
    return g_mdApis.back().get();
}
}
