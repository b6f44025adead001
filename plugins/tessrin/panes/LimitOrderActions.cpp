#include "panes/LimitOrderActions.h"

#include "db/symbol_Info.h"
#include "db/trade_Limit.h"
#include "orders/OrderTicket.h"

double LimitOrderRestQuantity(const trade_Limit& order)
{
    return order.quantityOrder - order.quantityComplete;
}

void FillNewLimitOrderTicket(OrderTicket& ticket, const symbol_Info& symbol)
{
    ticket.m_pSymbolInfo = &symbol;
    ticket.m_symbolId = symbol.symbolId;
    ticket.m_orderType = eLimitOrder;
    ticket.m_openCloseType = eOpen;
}

void FillLimitOrderTicket(OrderTicket& ticket, const symbol_Info& symbol, const trade_Limit& order, int kind)
{
    ticket.m_pSymbolInfo = &symbol;
    ticket.m_symbolId = symbol.symbolId;
    ticket.m_pLimitOrder = &order;
    ticket.m_orderCodeRe = order.orderCode;
    ticket.m_orderType = eLimitOrder;
    ticket.m_openCloseType = kind;
    ticket.m_stopLossPrice = order.stopLoss;
    ticket.m_takeProfitPrice = order.takeProfit;
    ticket.m_limitPrice = order.orderPrice;
    ticket.m_direction = order.side;
    ticket.m_quantity = static_cast<int>(order.quantityOrder);
}
