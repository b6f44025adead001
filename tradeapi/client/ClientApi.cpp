// The five exports of libClientApi.so.
#include "tradeapi/ClientApi.h"

#include "MDApiImpl.h"
#include "TradeApiImpl.h"

namespace {

// Holds nothing: every API object owns its own link and thread.
class ClientApiImpl final : public CClientApi
{
public:
    void Release() override { delete this; }
};

} // namespace

#define TRADEAPI_EXPORT __attribute__((visibility("default")))

extern "C" {

TRADEAPI_EXPORT void GlobalInit() {}

TRADEAPI_EXPORT void GlobalUnInit() {}

TRADEAPI_EXPORT CClientApi* CreateClientApi()
{
    return new ClientApiImpl;
}

TRADEAPI_EXPORT CTradeApi* CreateTradeApi(CClientApi* client, CTradeApiCallback* callback, const char*, int)
{
    if(!client || !callback)
        return nullptr;
    return new tradeapi::client::TradeApiImpl(*callback);
}

TRADEAPI_EXPORT CMDApi* CreateMDApi(CClientApi* client, CMDApiCallback* callback, const char*, int)
{
    if(!client || !callback)
        return nullptr;
    return new tradeapi::client::MDApiImpl(*callback);
}
}
