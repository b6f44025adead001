// The limit-orders pane without a window: the rest quantity it shows and the
// order dialog's fields of its three commands.
#include "db/RecordStore.h"
#include "orders/OrderTicket.h"
#include "panes/LimitOrderActions.h"

#include <gtest/gtest.h>

namespace {

trade_Limit Order(const char* code)
{
    trade_Limit order;
    order.orderCode = code;
    order.accountKey = 11;
    order.symbolId = 101;
    order.side = 's';
    order.limitType = '1';
    order.orderPrice = 5200;
    order.quantityOrder = 5.0;
    order.quantityComplete = 2.0;
    order.stopLoss = 5300;
    order.takeProfit = 5000;
    return order;
}

} // namespace

TEST(LimitOrderActions, APartlyDealtOrderShowsTheRestWhileItsDialogGetsTheFullQuantity)
{
    const trade_Limit order = Order("L0001");
    EXPECT_DOUBLE_EQ(LimitOrderRestQuantity(order), 3.0);

    symbol_Info symbol;
    symbol.symbolId = 101;
    for(int kind : {eCancel, eModify}) {
        OrderTicket ticket;
        FillLimitOrderTicket(ticket, symbol, order, kind);
        EXPECT_EQ(ticket.m_openCloseType, kind);
        EXPECT_EQ(ticket.m_orderType, eLimitOrder);
        EXPECT_EQ(ticket.m_quantity, 5);
        EXPECT_EQ(ticket.m_pLimitOrder, &order);
        EXPECT_EQ(ticket.m_orderCodeRe, "L0001");
        EXPECT_EQ(ticket.m_direction, 's');
        EXPECT_EQ(ticket.m_limitPrice, 5200);
        EXPECT_EQ(ticket.m_stopLossPrice, 5300);
        EXPECT_EQ(ticket.m_takeProfitPrice, 5000);
        EXPECT_EQ(ticket.m_symbolId, 101);
        EXPECT_EQ(ticket.m_pSymbolInfo, &symbol);
    }
}

TEST(LimitOrderActions, NewOrderIsALimitOrderThatKeepsTheDialogsDirection)
{
    symbol_Info symbol;
    symbol.symbolId = 102;
    OrderTicket ticket;
    ticket.m_direction = 's'; // whatever the dialog starts with stays
    ticket.m_openCloseType = eModify;
    FillNewLimitOrderTicket(ticket, symbol);
    EXPECT_EQ(ticket.m_orderType, eLimitOrder);
    EXPECT_EQ(ticket.m_openCloseType, eOpen);
    EXPECT_EQ(ticket.m_direction, 's');
    EXPECT_EQ(ticket.m_symbolId, 102);
    EXPECT_EQ(ticket.m_pLimitOrder, nullptr);
}
