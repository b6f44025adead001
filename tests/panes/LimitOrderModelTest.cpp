// The limit-orders pane without a window: its cells over a real record
// table, and the order dialog's fields of its three commands.
#include "panes/LimitOrderModel.h"

#include "PaneTestRecords.h"
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

TEST(LimitOrderModel, RowsShowTheRestQuantityPricesInTheSymbolsDecimalsAndCodeTexts)
{
    PaneTestRecords records;
    wxObjectDataPtr<LimitOrderModel> model(new LimitOrderModel(&records.store));
    trade_Limit order = Order("L0001");
    order.symbolId = PaneTestRecords::kPlatinum;
    order.freezed = 123.456;
    order.orderPrice = 381.5;
    order.stopLoss = 0;
    order.takeProfit = 379.25;
    order.validDateType = '2';
    order.openTime = wxDateTime(8, wxDateTime::Dec, 2026, 9, 5, 0);
    ASSERT_TRUE(records.store.m_trade_Limit_table->Insert(order).second);
    trade_Limit orphan = Order("L0002");
    orphan.symbolId = PaneTestRecords::kOrphan;
    ASSERT_TRUE(records.store.m_trade_Limit_table->Insert(orphan).second);

    ASSERT_EQ(model->GetColumnCount(), 13u);
    ASSERT_EQ(model->GetCount(), 2u);
    const char* expected[] = {"1",    "L0001",  "铂金", "现货一部", "LimitOrder",          "123.46",  "S",
                              "3.00", "381.50", "0.00", "379.25",   "2026-12-08 09:05:00", "ThisWeek"};
    for(unsigned int column = 0; column < 13; ++column) {
        wxVariant value;
        model->GetValueByRow(value, 0, column);
        EXPECT_EQ(value.MakeString(), wxString::FromUTF8(expected[column])) << "column " << column;
        wxDataViewItemAttr attr;
        EXPECT_FALSE(model->GetAttrByRow(0, column, attr)) << "no colours, column " << column;
    }
    // The order whose symbol has no account shows an empty row.
    for(unsigned int column = 0; column < 13; ++column) {
        wxVariant value;
        model->GetValueByRow(value, 1, column);
        EXPECT_TRUE(value.IsNull()) << "column " << column;
    }
}
