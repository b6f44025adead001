#include "funds/AccountRequestSender.h"

#include "common/IClientPlugin.h"
#include "connection/Client.h"
#include "connection/RequestId.h"

#include <tradeapi/TradeApi.h>

namespace {
template <class Request>
int SendThroughApi(Request& request, int (CTradeApi::*operation)(const Request*, int))
{
    const std::shared_ptr<Client> client = g_plugin ? g_plugin->GetClient() : nullptr;
    CTradeApi* api = client ? client->GetTradeApi() : nullptr;
    if(!api) {
        return -1;
    }
    const int id = NextRequestId();
    return (api->*operation)(&request, id) > 0 && id >= 0 ? id : -1;
}
} // namespace

int AccountRequestSender::Send(sFFixMoveMoney& request)
{
    return SendThroughApi(request, &CTradeApi::ReqMoveMoney);
}

int AccountRequestSender::Send(sFFixMasterAccount& request)
{
    return SendThroughApi(request, &CTradeApi::ReqMasterAccount);
}

int AccountRequestSender::Send(sFFixSetSuretyMoney& request)
{
    return SendThroughApi(request, &CTradeApi::ReqSetSuretyMoney);
}
