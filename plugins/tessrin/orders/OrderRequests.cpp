#include "orders/OrderRequests.h"

#include "connection/RequestFields.h"
#include "db/RecordStore.h"
#include "orders/OrderRules.h"

#include <cstring>

namespace {
// Order codes are copied with this bound, whatever the field's size.
constexpr std::size_t kOrderCodeBound = 16;
constexpr std::size_t kDeliveryCodeBound = 17;
} // namespace

sFFixSetOrder BuildSetOrder(const OrderRules& rules, const OrderInputs& inputs)
{
    sFFixSetOrder request;
    std::memset(&request, 0, sizeof request);
    const OrderTicket& ticket = rules.GetTicket();
    const symbol_Info* symbol = ticket.m_pSymbolInfo;
    if(!symbol) {
        return request;
    }
    request.accountKey = symbol->accountKey;
    request.side = ticket.m_direction;
    if(ticket.m_openCloseType == eClose) {
        CopyToCharField(request.closeOrderCode, ticket.m_orderCodeRe, kOrderCodeBound);
    }
    request.price = rules.OrderPrice();
    request.quantity = inputs.quantity;
    request.orderType = rules.GetOrderType();
    request.buySpreadPoints = symbol->askSpreadPoints;
    request.sellSpreadPoints = symbol->bidSpreadPoints;
    request.pointDiff = inputs.usePointDiff ? inputs.pointDiff : kSetOrderOpenPointDiff;
    request.stopLoss = inputs.stopLoss;
    request.takeProfit = inputs.takeProfit;
    request.symbolId = symbol->symbolId;
    if(ticket.m_orderType == eLimitOrder) {
        request.validDateType = inputs.expireSelection == 1 ? '2' : '1';
    }
    if(inputs.withoutMargin) {
        request.marginTradeType = '3';
    }
    return request;
}

sFFixModifyOrder BuildModifyOrder(const wxString& orderCode, double stopLoss, double takeProfit)
{
    sFFixModifyOrder request;
    std::memset(&request, 0, sizeof request);
    CopyToCharField(request.orderCode, orderCode, kOrderCodeBound);
    request.stopLoss = stopLoss;
    request.takeProfit = takeProfit;
    return request;
}

sFFixCancelOrder BuildCancelOrder(const wxString& orderCode)
{
    sFFixCancelOrder request;
    std::memset(&request, 0, sizeof request);
    CopyToCharField(request.orderCode, orderCode, kOrderCodeBound);
    return request;
}

sFFixHoldBillDelivery BuildHoldBillDelivery(const wxString& orderCode, bool apply)
{
    sFFixHoldBillDelivery request;
    std::memset(&request, 0, sizeof request);
    CopyToCharField(request.orderCode, orderCode, kDeliveryCodeBound);
    request.apply = apply ? '1' : '0';
    return request;
}

sFFixPositionCloseOrder BuildPositionCloseOrder(const OrderRules& rules, const trade_Position& position,
                                                const OrderInputs& inputs)
{
    sFFixPositionCloseOrder request;
    std::memset(&request, 0, sizeof request);
    const OrderTicket& ticket = rules.GetTicket();
    request.accountKey = position.accountKey;
    request.symbolId = ticket.m_symbolId;
    request.side = ticket.m_direction;
    request.orderType = '2';
    request.price = rules.SideQuote();
    request.quantity = inputs.quantity;
    if(ticket.m_pSymbolInfo) {
        request.buySpreadPoints = ticket.m_pSymbolInfo->askSpreadPoints;
        request.sellSpreadPoints = ticket.m_pSymbolInfo->bidSpreadPoints;
    }
    request.pointDiff = inputs.usePointDiff ? inputs.pointDiff : kPositionCloseOpenPointDiff;
    request.closeFlag = '1';
    return request;
}
