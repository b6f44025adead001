#pragma once

#include <tradeapi/FFixAccount.h>

// Sends the account dialogs' requests through the plug-in's Client, each
// with the next request id. The id, or -1 when there is no Client or the
// API refused.
class AccountRequestSender
{
public:
    static int Send(sFFixMoveMoney& request);
    static int Send(sFFixMasterAccount& request);
    static int Send(sFFixSetSuretyMoney& request);
};
