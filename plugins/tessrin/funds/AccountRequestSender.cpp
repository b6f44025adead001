#include "funds/AccountRequestSender.h"

#include "common/IClientPlugin.h"
#include "connection/Client.h"

int AccountRequestSender::Send(sFFixMoveMoney& request)
{
    Client* client = LoginClient();
    return client ? client->ReqMoveMoney(&request) : -1;
}

int AccountRequestSender::Send(sFFixMasterAccount& request)
{
    Client* client = LoginClient();
    return client ? client->ReqMasterAccount(&request) : -1;
}

int AccountRequestSender::Send(sFFixSetSuretyMoney& request)
{
    Client* client = LoginClient();
    return client ? client->ReqSetSuretyMoney(&request) : -1;
}
