#pragma once

#include "orders/IOrderSender.h"

// The plug-in's senders for set, modify and cancel; delivery and position
// close go through the login's Client with the next request id. Without a
// login nothing is sent.
class PluginOrderSender : public IOrderSender
{
public:
    int SetOrder(sFFixSetOrder& request) override;
    int ModifyOrder(sFFixModifyOrder& request) override;
    int CancelOrder(sFFixCancelOrder& request) override;
    int HoldBillDelivery(const sFFixHoldBillDelivery& request) override;
    int PositionCloseOrder(const sFFixPositionCloseOrder& request) override;
};
