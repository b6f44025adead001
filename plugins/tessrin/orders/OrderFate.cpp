#include "orders/OrderFate.h"

#include "connection/RecordFromFix.h"
#include "db/RecordStore.h"
#include "orders/OrderKindTraits.h"

#include <algorithm>
#include <cmath>

namespace {

bool Same(double a, double b)
{
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b));
}

const trade_HoldBill* FindHold(RecordStore* store, const wxString& code)
{
    const auto hold = store->m_trade_HoldBill_table->Find(code);
    return hold != store->m_trade_HoldBill_table->GetIndexByPrimary().end() ? &*hold : nullptr;
}

const trade_Limit* FindLimit(RecordStore* store, const wxString& code)
{
    const auto& limits = store->m_trade_Limit_table->GetIndexByPrimary();
    const auto limit = limits.find(code);
    return limit != limits.end() ? &*limit : nullptr;
}

const trade_Position* FindPosition(RecordStore* store, int symbolId)
{
    const auto& positions = store->m_trade_Position_table->GetIndexByPrimary();
    const auto position = positions.find(symbolId);
    return position != positions.end() ? &*position : nullptr;
}

// The side a position close takes from: a buy closes the sell side.
double ClosedSide(const trade_Position* position, char side)
{
    return position ? (side == 'b' ? position->sellQuantity : position->buyQuantity) : 0.0;
}

} // namespace

OrderFate OrderFate::Of(RecordStore* store, int kind, const sFFixSetOrder& request)
{
    OrderFate fate;
    if(!store) {
        return fate;
    }
    fate.m_accountKey = request.accountKey;
    fate.m_symbolId = request.symbolId;
    fate.m_side = request.side;
    fate.m_quantity = request.quantity;
    fate.m_price = request.price;
    const char code = request.orderType;
    if(code == 'F') {
        fate.m_look = eNewBinary;
        for(const trade_BinaryOrder& order : store->m_trade_BinaryOrder_table->GetContainer()) {
            fate.m_known.insert(order.orderCode);
        }
        return fate;
    }
    if(!OrderKindTraits::Of(kind).opens) {
        fate.m_look = eBillReduced;
        fate.m_code = NarrowText(request.closeOrderCode);
        const trade_HoldBill* bill = FindHold(store, fate.m_code);
        fate.m_before = bill ? bill->quantity : 0.0;
        return fate;
    }
    fate.m_look = code == '3' || code == '4' || code == 'B' || code == 'D' ? eNewHoldOrLimit : eNewHold;
    for(const trade_HoldBill& bill : store->m_trade_HoldBill_table->GetIndexByPrimary()) {
        fate.m_known.insert(bill.orderCode);
    }
    for(const trade_Limit& limit : store->m_trade_Limit_table->GetIndexByPrimary()) {
        fate.m_known.insert(limit.orderCode);
    }
    return fate;
}

OrderFate OrderFate::Of(RecordStore* store, const sFFixModifyOrder& request)
{
    OrderFate fate;
    fate.m_look = store ? eStopsSet : eNothing;
    fate.m_code = NarrowText(request.orderCode);
    fate.m_stopLoss = request.stopLoss;
    fate.m_takeProfit = request.takeProfit;
    return fate;
}

OrderFate OrderFate::Of(RecordStore* store, const sFFixCancelOrder& request)
{
    OrderFate fate;
    fate.m_look = store ? eLimitGone : eNothing;
    fate.m_code = NarrowText(request.orderCode);
    return fate;
}

OrderFate OrderFate::Of(RecordStore* store, const sFFixHoldBillDelivery& request)
{
    OrderFate fate;
    if(!store) {
        return fate;
    }
    fate.m_look = eDeliveryChanged;
    fate.m_code = NarrowText(request.orderCode);
    if(const trade_HoldBill* bill = FindHold(store, fate.m_code)) {
        fate.m_deliveryType = bill->deliveryType;
        fate.m_deliveryStatus = bill->deliveryStatus;
    }
    return fate;
}

OrderFate OrderFate::Of(RecordStore* store, const sFFixPositionCloseOrder& request)
{
    OrderFate fate;
    if(!store) {
        return fate;
    }
    fate.m_look = ePositionReduced;
    fate.m_symbolId = request.symbolId;
    fate.m_side = request.side;
    fate.m_before = ClosedSide(FindPosition(store, request.symbolId), request.side);
    return fate;
}

bool OrderFate::HasNewHold(RecordStore* store) const
{
    const auto range = store->m_trade_HoldBill_table->GetIndex<BySymbolId>().equal_range(m_symbolId);
    return std::any_of(range.first, range.second, [this](const trade_HoldBill& bill) {
        return bill.accountKey == m_accountKey && bill.side == m_side && Same(bill.quantity, m_quantity) &&
               !m_known.count(bill.orderCode);
    });
}

bool OrderFate::HasNewLimit(RecordStore* store) const
{
    const auto& limits = store->m_trade_Limit_table->GetIndexByPrimary();
    return std::any_of(limits.begin(), limits.end(), [this](const trade_Limit& limit) {
        return limit.accountKey == m_accountKey && limit.symbolId == m_symbolId && limit.side == m_side &&
               Same(limit.quantityOrder, m_quantity) && Same(limit.orderPrice, m_price) &&
               !m_known.count(limit.orderCode);
    });
}

bool OrderFate::IsCarriedOut(RecordStore* store, const wxString& leaving) const
{
    if(!store) {
        return false;
    }
    switch(m_look) {
    case eNothing:
        return false;
    case eNewHold:
        return HasNewHold(store);
    case eNewHoldOrLimit:
        return HasNewLimit(store) || HasNewHold(store);
    case eNewBinary: {
        const auto& orders = store->m_trade_BinaryOrder_table->GetContainer();
        return std::any_of(orders.begin(), orders.end(), [this](const trade_BinaryOrder& order) {
            return order.symbolId == m_symbolId && order.side == m_side &&
                   Same(order.orderAmount, m_quantity) && !m_known.count(order.orderCode);
        });
    }
    case eBillReduced: {
        const trade_HoldBill* bill = leaving == m_code ? nullptr : FindHold(store, m_code);
        return !bill || bill->quantity < m_before - 1e-9;
    }
    case eStopsSet: {
        if(const trade_HoldBill* bill = FindHold(store, m_code)) {
            return Same(bill->stopLoss, m_stopLoss) && Same(bill->takeProfit, m_takeProfit);
        }
        const trade_Limit* limit = FindLimit(store, m_code);
        return limit && Same(limit->stopLoss, m_stopLoss) && Same(limit->takeProfit, m_takeProfit);
    }
    case eLimitGone:
        return leaving == m_code || !FindLimit(store, m_code);
    case eDeliveryChanged: {
        const trade_HoldBill* bill = leaving == m_code ? nullptr : FindHold(store, m_code);
        return !bill || bill->deliveryType != m_deliveryType || bill->deliveryStatus != m_deliveryStatus;
    }
    case ePositionReduced:
        return ClosedSide(FindPosition(store, m_symbolId), m_side) < m_before - 1e-9;
    }
    return false;
}
