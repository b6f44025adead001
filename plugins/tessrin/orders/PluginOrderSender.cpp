#include "orders/PluginOrderSender.h"

#include "common/IClientPlugin.h"
#include "connection/RequestId.h"

#include <tradeapi/TradeApi.h>

namespace {
// The request went out when the library took it under an id that is not
// negative.
bool Sent(int result, int id)
{
    return result > 0 && id >= 0;
}
} // namespace

int PluginOrderSender::SetOrder(sFFixSetOrder& request)
{
    return g_plugin ? g_plugin->ReqSetOrder(&request) : -1;
}

int PluginOrderSender::ModifyOrder(sFFixModifyOrder& request)
{
    return g_plugin ? g_plugin->ReqModifyOrder(&request) : -1;
}

int PluginOrderSender::CancelOrder(sFFixCancelOrder& request)
{
    return g_plugin ? g_plugin->ReqCancelOrder(&request) : -1;
}

int PluginOrderSender::HoldBillDelivery(const sFFixHoldBillDelivery& request)
{
    CTradeApi* api = g_plugin ? g_plugin->GetTradeApi() : nullptr;
    if(!api) {
        return -1;
    }
    const int id = NextRequestId();
    return Sent(api->ReqHoldBillDelivery(&request, id), id) ? id : -1;
}

int PluginOrderSender::PositionCloseOrder(const sFFixPositionCloseOrder& request)
{
    CTradeApi* api = g_plugin ? g_plugin->GetTradeApi() : nullptr;
    if(!api) {
        return -1;
    }
    const int id = NextRequestId();
    return Sent(api->ReqPositionCloseOrder(&request, 0, 0, id), id) ? id : -1;
}
