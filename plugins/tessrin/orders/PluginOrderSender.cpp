#include "orders/PluginOrderSender.h"

#include "common/IClientPlugin.h"
#include "connection/Client.h"

int PluginOrderSender::SetOrder(sFFixSetOrder& request)
{
    Client* client = LoginClient();
    return client ? client->ReqSetOrder(&request) : -1;
}

int PluginOrderSender::ModifyOrder(sFFixModifyOrder& request)
{
    Client* client = LoginClient();
    return client ? client->ReqModifyOrder(&request) : -1;
}

int PluginOrderSender::CancelOrder(sFFixCancelOrder& request)
{
    Client* client = LoginClient();
    return client ? client->ReqCancelOrder(&request) : -1;
}

int PluginOrderSender::HoldBillDelivery(const sFFixHoldBillDelivery& request)
{
    Client* client = LoginClient();
    return client ? client->ReqHoldBillDelivery(&request) : -1;
}

int PluginOrderSender::PositionCloseOrder(const sFFixPositionCloseOrder& request)
{
    Client* client = LoginClient();
    return client ? client->ReqPositionCloseOrder(&request) : -1;
}
