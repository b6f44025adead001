// The trade requests that dialogs and panes send through the plug-in.
#include "connection/Client.h"
#include "frame/TessrinPlugin.h"

int TessrinPlugin::ReqQryPayPortInfo()
{
    return GetClient() ? GetClient()->ReqQryPayPortInfo() : -1;
}

int TessrinPlugin::ReqSetOrder(sFFixSetOrder* request)
{
    return GetClient() && request ? GetClient()->Send(&CTradeApi::ReqSetOrder, request) : -1;
}

int TessrinPlugin::ReqModifyOrder(sFFixModifyOrder* request)
{
    return GetClient() && request ? GetClient()->Send(&CTradeApi::ReqModifyOrder, request) : -1;
}

int TessrinPlugin::ReqCancelOrder(sFFixCancelOrder* request)
{
    return GetClient() && request ? GetClient()->Send(&CTradeApi::ReqCancelOrder, request) : -1;
}

int TessrinPlugin::ReqModifyPassword(sFFixModifyPassword* request)
{
    return GetClient() && request ? GetClient()->Send(&CTradeApi::ReqModifyPassword, request) : -1;
}

int TessrinPlugin::ReqFinancingGoods(sFFixFinancingGoods* request)
{
    return GetClient() && request ? GetClient()->Send(&CTradeApi::ReqFinancingGoods, request) : -1;
}
