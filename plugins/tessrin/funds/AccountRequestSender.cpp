#include "funds/AccountRequestSender.h"

#include "common/IClientPlugin.h"
#include "connection/Client.h"

namespace {
template <class Request>
int SendThroughClient(const Request& request, int (CTradeApi::*operation)(const Request*, int))
{
    Client* client = g_plugin ? g_plugin->GetClient().get() : nullptr;
    return client ? client->Send(operation, &request) : -1;
}
} // namespace

int AccountRequestSender::Send(sFFixMoveMoney& request)
{
    return SendThroughClient(request, &CTradeApi::ReqMoveMoney);
}

int AccountRequestSender::Send(sFFixMasterAccount& request)
{
    return SendThroughClient(request, &CTradeApi::ReqMasterAccount);
}

int AccountRequestSender::Send(sFFixSetSuretyMoney& request)
{
    return SendThroughClient(request, &CTradeApi::ReqSetSuretyMoney);
}
