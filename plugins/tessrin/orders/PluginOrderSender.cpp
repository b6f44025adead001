#include "orders/PluginOrderSender.h"

#include "common/IClientPlugin.h"
#include "connection/Client.h"

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
    Client* client = g_plugin ? g_plugin->GetClient().get() : nullptr;
    return client ? client->Send(&CTradeApi::ReqHoldBillDelivery, &request) : -1;
}

int PluginOrderSender::PositionCloseOrder(const sFFixPositionCloseOrder& request)
{
    Client* client = g_plugin ? g_plugin->GetClient().get() : nullptr;
    return client ? client->Send(&CTradeApi::ReqPositionCloseOrder, &request, 0, 0) : -1;
}
