#pragma once

// The one stand-in for the plug-in's order sender: keeps every request an
// order window hands over instead of sending it.
#include "orders/IOrderSender.h"

#include <cstddef>
#include <vector>

// Ids count up from nextId; while `refuse` is set every request is kept and
// answered -1, as when the library refuses it.
class RecordingOrderSender : public IOrderSender
{
public:
    int SetOrder(sFFixSetOrder& request) override { return Record(setOrders, request); }
    int ModifyOrder(sFFixModifyOrder& request) override { return Record(modifies, request); }
    int CancelOrder(sFFixCancelOrder& request) override { return Record(cancels, request); }
    int HoldBillDelivery(const sFFixHoldBillDelivery& request) override
    {
        return Record(deliveries, request);
    }
    int PositionCloseOrder(const sFFixPositionCloseOrder& request) override
    {
        return Record(closes, request);
    }

    std::size_t Count() const
    {
        return setOrders.size() + modifies.size() + cancels.size() + deliveries.size() + closes.size();
    }

    bool refuse = false;
    int nextId = 500;
    std::vector<sFFixSetOrder> setOrders;
    std::vector<sFFixModifyOrder> modifies;
    std::vector<sFFixCancelOrder> cancels;
    std::vector<sFFixHoldBillDelivery> deliveries;
    std::vector<sFFixPositionCloseOrder> closes;

private:
    template <class Request> int Record(std::vector<Request>& list, const Request& request)
    {
        list.push_back(request);
        return refuse ? -1 : nextId++;
    }
};
