#pragma once

#include "orders/IOrderSender.h"

// The order windows' requests, sent by the login's Client (Client::ReqX)
// with the next request id. Without a login nothing is sent.
class PluginOrderSender : public IOrderSender
{
public:
    int SetOrder(sFFixSetOrder& request) override;
    int ModifyOrder(sFFixModifyOrder& request) override;
    int CancelOrder(sFFixCancelOrder& request) override;
    int HoldBillDelivery(const sFFixHoldBillDelivery& request) override;
    int PositionCloseOrder(const sFFixPositionCloseOrder& request) override;
};
