#pragma once

#include <tradeapi/FFixOrder.h>

// Where the order dialog's requests go. Each returns the request id when the
// request left, else -1.
class IOrderSender
{
public:
    virtual ~IOrderSender() = default;

    virtual int SetOrder(sFFixSetOrder& request) = 0;
    virtual int ModifyOrder(sFFixModifyOrder& request) = 0;
    virtual int CancelOrder(sFFixCancelOrder& request) = 0;
    virtual int HoldBillDelivery(const sFFixHoldBillDelivery& request) = 0;
    virtual int PositionCloseOrder(const sFFixPositionCloseOrder& request) = 0;
};
