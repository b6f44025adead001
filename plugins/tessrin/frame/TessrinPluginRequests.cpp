// The trade requests that dialogs and panes send through the plug-in.
#include "connection/Client.h"
#include "connection/RequestId.h"
#include "frame/TessrinPlugin.h"

namespace {
// The request id when the library took the request, else -1. Without a
// trade API object nothing is sent and no id is used up.
template <class Request>
int SendTradeRequest(Client* client, int (CTradeApi::*operation)(const Request*, int), const Request* request)
{
    CTradeApi* api = client ? client->GetTradeApi() : nullptr;
    if(!api || !request) {
        return -1;
    }
    const int id = NextRequestId();
    return (api->*operation)(request, id) > 0 ? id : -1;
}
} // namespace

int TessrinPlugin::ReqQryPayPortInfo()
{
    if(!m_client) {
        return -1;
    }
    sFFixUserId request{};
    request.userId = m_client->GetUserId();
    return SendTradeRequest(m_client.get(), &CTradeApi::ReqQryPayPortInfo, &request);
}

int TessrinPlugin::ReqSetOrder(sFFixSetOrder* request)
{
    return SendTradeRequest(m_client.get(), &CTradeApi::ReqSetOrder, request);
}

int TessrinPlugin::ReqModifyOrder(sFFixModifyOrder* request)
{
    return SendTradeRequest(m_client.get(), &CTradeApi::ReqModifyOrder, request);
}

int TessrinPlugin::ReqCancelOrder(sFFixCancelOrder* request)
{
    return SendTradeRequest(m_client.get(), &CTradeApi::ReqCancelOrder, request);
}

int TessrinPlugin::ReqModifyPassword(sFFixModifyPassword* request)
{
    return SendTradeRequest(m_client.get(), &CTradeApi::ReqModifyPassword, request);
}

int TessrinPlugin::ReqFinancingGoods(sFFixFinancingGoods* request)
{
    return SendTradeRequest(m_client.get(), &CTradeApi::ReqFinancingGoods, request);
}
