// The trade requests that dialogs and panes send through the plug-in.
#include "connection/Client.h"
#include "frame/TessrinPlugin.h"

int TessrinPlugin::ReqQryPayPortInfo()
{
    return m_client ? m_client->ReqQryPayPortInfo() : -1;
}

int TessrinPlugin::ReqSetOrder(sFFixSetOrder* request)
{
    return m_client && request ? m_client->Send(&CTradeApi::ReqSetOrder, request) : -1;
}

int TessrinPlugin::ReqModifyOrder(sFFixModifyOrder* request)
{
    return m_client && request ? m_client->Send(&CTradeApi::ReqModifyOrder, request) : -1;
}

int TessrinPlugin::ReqCancelOrder(sFFixCancelOrder* request)
{
    return m_client && request ? m_client->Send(&CTradeApi::ReqCancelOrder, request) : -1;
}

int TessrinPlugin::ReqModifyPassword(sFFixModifyPassword* request)
{
    return m_client && request ? m_client->Send(&CTradeApi::ReqModifyPassword, request) : -1;
}

int TessrinPlugin::ReqFinancingGoods(sFFixFinancingGoods* request)
{
    return m_client && request ? m_client->Send(&CTradeApi::ReqFinancingGoods, request) : -1;
}
