// What the positions pane works out and decides without a window: averages,
// link texts, sums, colours, the menu, the double click and the order
// dialog's fields.
#include "panes/PositionFigures.h"

#include "db/RecordStore.h"
#include "orders/OrderTicket.h"
#include "panes/PositionActions.h"
#include "panes/ProfitColour.h"

#include <gtest/gtest.h>
#include <optional>
#include <pelmora/DrawingUtils.h>
#include <wx/dataview.h>

namespace {

trade_Position Position(int symbolId, double buyQuantity, double sellQuantity)
{
    trade_Position position;
    position.symbolId = symbolId;
    position.buyQuantity = buyQuantity;
    position.sellQuantity = sellQuantity;
    return position;
}

symbol_Info Symbol(int symbolId)
{
    symbol_Info symbol;
    symbol.symbolId = symbolId;
    return symbol;
}

} // namespace

TEST(PositionFigures, AveragePriceIsZeroWhereContractUnitTimesQuantityIsNotPositive)
{
    struct Case
    {
        double amount;
        int unit;
        double quantity;
        double average;
    };
    const Case cases[] = {
        {150000.0, 15, 2.0, 5000.0}, // 150000 / 30
        {761.0, 1, 2.0, 380.5},      {100.0, 0, 2.0, 0.0},   {100.0, 15, 0.0, 0.0},
        {100.0, -15, 2.0, 0.0},      {100.0, 15, -1.0, 0.0},
    };
    for(const Case& c : cases) {
        EXPECT_DOUBLE_EQ(PositionAveragePrice(c.amount, c.unit, c.quantity), c.average)
            << c.amount << " / (" << c.unit << " x " << c.quantity << ")";
    }
}

TEST(PositionFigures, QuantityLinkIsATwoDecimalTextMarkedWithADashWhenEmpty)
{
    EXPECT_EQ(QuantityLinkText(2.0), "2.00");
    EXPECT_EQ(QuantityLinkText(0.5), "0.50");
    EXPECT_EQ(QuantityLinkText(0.0), "0.00-");
    EXPECT_EQ(QuantityLinkText(-1.0), "-1.00-");

    // The renderer takes a list of texts; one element here.
    const wxVariant value = QuantityLinkValue(3.0);
    ASSERT_EQ(value.GetType(), "arrstring");
    ASSERT_EQ(value.GetArrayString().size(), 1u);
    EXPECT_EQ(value.GetArrayString()[0], "3.00");
}

TEST(PositionFigures, TotalsSumEachSideOverEveryPosition)
{
    RecordStore store;
    store.CreateTables();
    EXPECT_EQ(SumPositionQuantities(*store.m_trade_Position_table).buyQuantity, 0.0);
    store.m_trade_Position_table->Insert(Position(101, 2.0, 0.0));
    store.m_trade_Position_table->Insert(Position(102, 1.5, 3.0));
    store.m_trade_Position_table->Insert(Position(301, 0.0, 10.0));
    const PositionTotals totals = SumPositionQuantities(*store.m_trade_Position_table);
    EXPECT_DOUBLE_EQ(totals.buyQuantity, 3.5);
    EXPECT_DOUBLE_EQ(totals.sellQuantity, 13.0);
}

TEST(ProfitColour, UpAboveZeroDownBelowAndTheCellsOwnColourAtZero)
{
    EXPECT_EQ(TrendOfProfit(0.01), ProfitTrend::Up);
    EXPECT_EQ(TrendOfProfit(-0.01), ProfitTrend::Down);
    EXPECT_EQ(TrendOfProfit(0.0), ProfitTrend::Flat);
    EXPECT_EQ(TrendOfProfit(-0.0), ProfitTrend::Flat);

    wxDataViewItemAttr up;
    ColourProfit(12.5, up);
    EXPECT_EQ(up.GetColour(), DrawingUtils::GetGlobalUpColour());
    wxDataViewItemAttr down;
    ColourProfit(-3.0, down);
    EXPECT_EQ(down.GetColour(), DrawingUtils::GetGlobalDownColour());
    // Zero leaves what the cell had, here a bold face and no colour.
    wxDataViewItemAttr flat;
    flat.SetBold(true);
    ColourProfit(0.0, flat);
    EXPECT_FALSE(flat.HasColour());
    EXPECT_TRUE(flat.GetBold());
}

TEST(PositionActions, DoubleClickColumnsChooseTheSide)
{
    const std::optional<PositionSide> expected[] = {std::nullopt,       std::nullopt,       std::nullopt,
                                                    PositionSide::Buy,  PositionSide::Sell, PositionSide::Buy,
                                                    PositionSide::Sell, std::nullopt,       std::nullopt};
    for(int column = 0; column < 9; ++column) {
        EXPECT_EQ(ActivatedSide(column), expected[column]) << "column " << column;
    }
    EXPECT_EQ(ActivatedSide(-1), std::nullopt); // an activation without a column
}

TEST(PositionActions, MenuEnablesTheCloseItemsOfTheSidesThatHoldAQuantity)
{
    // No position under the pointer: the hook answers true, items untouched.
    const PositionMenuState none = DecidePositionMenu(nullptr);
    EXPECT_TRUE(none.hookAnswer);

    struct Case
    {
        double buy;
        double sell;
        bool closeBuy;
        bool closeSell;
    };
    const Case cases[] = {
        {2, 0, true, false}, {0, 3, false, true}, {1, 1, true, true}, {0, -1, false, false}};
    for(const Case& c : cases) {
        const trade_Position position = Position(101, c.buy, c.sell);
        const PositionMenuState state = DecidePositionMenu(&position);
        EXPECT_FALSE(state.hookAnswer);
        EXPECT_EQ(state.closeBuyEnabled, c.closeBuy) << c.buy << "/" << c.sell;
        EXPECT_EQ(state.closeSellEnabled, c.closeSell) << c.buy << "/" << c.sell;
    }
}

TEST(PositionActions, CloseDialogGetsKindFiveAtMarketOppositeDirectionAndTruncatedQuantity)
{
    const symbol_Info symbol = Symbol(101);
    const trade_Position position = Position(101, 2.9, 7.0);
    struct Case
    {
        PositionSide side;
        char direction;
        int quantity;
    };
    for(const Case& c : {Case{PositionSide::Buy, 's', 2}, Case{PositionSide::Sell, 'b', 7}}) {
        OrderTicket ticket;
        ticket.m_orderCodeRe = "H0001"; // left from an earlier use: cleared
        trade_HoldBill bill;
        ticket.m_pHoldBill = &bill;
        FillClosePositionTicket(ticket, symbol, position, c.side);
        EXPECT_EQ(ticket.m_openCloseType, eClosePosition);
        EXPECT_EQ(ticket.m_orderType, eMarketOrder);
        EXPECT_EQ(ticket.m_direction, c.direction);
        EXPECT_EQ(ticket.m_quantity, c.quantity);
        EXPECT_EQ(ticket.m_pSymbolInfo, &symbol);
        EXPECT_EQ(ticket.m_symbolId, 101);
        EXPECT_EQ(ticket.m_pPosition, &position);
        EXPECT_EQ(ticket.m_pHoldBill, nullptr);
        EXPECT_TRUE(ticket.m_orderCodeRe.empty());
    }
    EXPECT_DOUBLE_EQ(SideQuantity(position, PositionSide::Buy), 2.9);
    EXPECT_DOUBLE_EQ(SideQuantity(position, PositionSide::Sell), 7.0);
}

TEST(PositionActions, NewOrderIsAMarketOpenSellingOnlyForTheCommandIntegerS)
{
    EXPECT_EQ(NewOrderDirection(0), 'b'); // a menu command
    EXPECT_EQ(NewOrderDirection('b'), 'b');
    EXPECT_EQ(NewOrderDirection('s'), 's');
    EXPECT_EQ(NewOrderDirection('S'), 'b');

    const symbol_Info symbol = Symbol(102);
    OrderTicket ticket;
    ticket.m_orderType = eLimitOrder;
    ticket.m_openCloseType = eClose;
    FillPositionNewOrderTicket(ticket, symbol, 's');
    EXPECT_EQ(ticket.m_orderType, eMarketOrder);
    EXPECT_EQ(ticket.m_openCloseType, eOpen);
    EXPECT_EQ(ticket.m_direction, 's');
    EXPECT_EQ(ticket.m_symbolId, 102);
    EXPECT_EQ(ticket.m_pSymbolInfo, &symbol);
}
