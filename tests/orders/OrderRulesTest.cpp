// The order dialog's rules on a real record store: quotes, bounds, the limit
// boundary, order-type codes, the checks, quantity ranges, titles and which
// controls a kind shows.
#include "orders/OrderRules.h"

#include "OrderTestMarket.h"

#include <gtest/gtest.h>
#include <string>

namespace {

class OrderRulesTest : public ::testing::Test
{
protected:
    OrderTicket Ticket(int kind, int orderType, char side, int symbolId = 101)
    {
        OrderTicket ticket;
        ticket.m_pDb = &market.store;
        ticket.m_symbolId = symbolId;
        ticket.m_openCloseType = kind;
        ticket.m_orderType = orderType;
        ticket.m_direction = side;
        return ticket;
    }
    // A ticket whose check has passed.
    OrderTicket Checked(int kind, int orderType, char side, int symbolId = 101)
    {
        OrderTicket ticket = Ticket(kind, orderType, side, symbolId);
        EXPECT_EQ(OrderRules::eCheckPassed, OrderRules(ticket).Check());
        return ticket;
    }

    OrderTestMarket market;
};

} // namespace

TEST_F(OrderRulesTest, QuotesAddTheBuySpreadAndTakeTheSellSpread)
{
    OrderTicket ticket = Checked(eOpen, eMarketOrder, 'b');
    const OrderRules rules(ticket);
    double sell = 0.0;
    double buy = 0.0;
    ASSERT_TRUE(rules.GetQuotes(sell, buy));
    EXPECT_NEAR(9.98, sell, 1e-9);
    EXPECT_NEAR(10.03, buy, 1e-9);
    EXPECT_NEAR(10.03, rules.OrderPrice(), 1e-9);
    ticket.m_direction = 's';
    EXPECT_NEAR(9.98, rules.OrderPrice(), 1e-9);
}

TEST_F(OrderRulesTest, StopLossAndTakeProfitBoundsAcceptThePriceAtTheBoundAndNotOnePointBeyond)
{
    struct Case
    {
        char side;
        double stopBound, stopAt, stopBeyond;
        double profitBound, profitAt, profitBeyond;
    };
    // Quotes 9.98 / 10.03, both distances 5 points of 0.01.
    const Case cases[] = {
        {'b', 9.93, 9.93, 9.94, 10.03, 10.03, 10.02},
        {'s', 10.08, 10.08, 10.07, 9.98, 9.98, 9.99},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.side);
        OrderTicket ticket = Checked(eOpen, eMarketOrder, c.side);
        const OrderRules rules(ticket);
        EXPECT_NEAR(c.stopBound, rules.StopLossBound(), 1e-9);
        EXPECT_NEAR(c.profitBound, rules.TakeProfitBound(), 1e-9);
        // Typed prices, not the computed bounds: the comparison must survive
        // the rounding of 9.98 - 0.05.
        EXPECT_TRUE(rules.IsStopLossValid(c.stopAt));
        EXPECT_FALSE(rules.IsStopLossValid(c.stopBeyond));
        EXPECT_TRUE(rules.IsTakeProfitValid(c.profitAt));
        EXPECT_FALSE(rules.IsTakeProfitValid(c.profitBeyond));
        EXPECT_TRUE(rules.IsStopLossValid(0.0));
        EXPECT_TRUE(rules.IsTakeProfitValid(0.0));
        EXPECT_TRUE(rules.IsStopLossBeyondBound(c.stopBeyond));
        EXPECT_FALSE(rules.IsStopLossBeyondBound(0.0));
        // Below 0 is no price, whichever side of the bound it lies on.
        EXPECT_FALSE(rules.IsStopLossValid(-5.0));
        EXPECT_FALSE(rules.IsTakeProfitValid(-5.0));
        EXPECT_TRUE(rules.IsStopLossBeyondBound(-5.0));
    }
}

TEST_F(OrderRulesTest, LimitOrderBoundsFollowTheLimitPriceAndAreZeroWithoutOne)
{
    OrderTicket ticket = Checked(eOpen, eLimitOrder, 'b');
    const OrderRules rules(ticket);
    EXPECT_EQ(0.0, rules.StopLossBound());
    EXPECT_EQ(0.0, rules.TakeProfitBound());
    ticket.m_limitPrice = 10.5;
    EXPECT_NEAR(10.45, rules.StopLossBound(), 1e-9);
    EXPECT_NEAR(10.55, rules.TakeProfitBound(), 1e-9);
    ticket.m_direction = 's';
    EXPECT_NEAR(10.55, rules.StopLossBound(), 1e-9);
    EXPECT_NEAR(10.45, rules.TakeProfitBound(), 1e-9);
}

TEST_F(OrderRulesTest, MarketBoundsAreZeroWithoutAQuote)
{
    market.SetPrice(101, 0.0);
    OrderTicket ticket = Checked(eOpen, eMarketOrder, 'b');
    EXPECT_EQ(0.0, OrderRules(ticket).StopLossBound());
    EXPECT_EQ(0.0, OrderRules(ticket).TakeProfitBound());
}

TEST_F(OrderRulesTest, LimitPriceMustStayTheLimitDistanceFromTheSideQuote)
{
    struct Case
    {
        char side;
        double price;
        bool valid;
    };
    // Limit distance 10 points: 0.10 from 10.03 (buy) or 9.98 (sell).
    const Case cases[] = {
        {'b', 10.13, true}, {'b', 10.12, false}, {'b', 9.93, true},  {'b', 9.94, false},  {'b', 0.0, true},
        {'s', 9.88, true},  {'s', 9.89, false},  {'s', 10.08, true}, {'s', 10.07, false},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.side) + " " + std::to_string(c.price));
        OrderTicket ticket = Checked(eOpen, eLimitOrder, c.side);
        EXPECT_EQ(c.valid, OrderRules(ticket).IsLimitPriceValid(c.price));
    }
    OrderTicket buy = Checked(eOpen, eLimitOrder, 'b');
    EXPECT_NEAR(10.13, OrderRules(buy).LimitBoundary(true), 1e-9);
    EXPECT_NEAR(9.93, OrderRules(buy).LimitBoundary(false), 1e-9);
    OrderTicket aggregate = Checked(eOpen, eLimitOrder, 'b', 201);
    EXPECT_TRUE(OrderRules(aggregate).IsLimitPriceValid(68500.01));
    // A negative price is invalid everywhere, the aggregate market too.
    EXPECT_FALSE(OrderRules(buy).IsLimitPriceValid(-5.0));
    EXPECT_FALSE(OrderRules(aggregate).IsLimitPriceValid(-0.01));
}

TEST_F(OrderRulesTest, OrderTypeCodeByMarketKindAndLimitPrice)
{
    struct Case
    {
        int symbolId;
        int kind;
        int orderType;
        char side;
        double limit;
        char code;
    };
    const Case cases[] = {
        {201, eOpen, eMarketOrder, 'b', 0, 'C'},          {201, eClose, eMarketOrder, 's', 0, 'E'},
        {201, eOpen, eLimitOrder, 'b', 68000, 'B'},       {201, eModify, eLimitOrder, 'b', 68000, 'D'},
        {101, eOpen, eMarketOrder, 'b', 0, '1'},          {101, eClose, eMarketOrder, 'b', 0, '2'},
        {101, eClosePosition, eMarketOrder, 's', 0, '2'}, {101, eOpen, eLimitOrder, 'b', 10.5, '4'},
        {101, eOpen, eLimitOrder, 'b', 10.03, '3'},       {101, eOpen, eLimitOrder, 'b', 9.5, '3'},
        {101, eOpen, eLimitOrder, 's', 9.98, '4'},        {101, eOpen, eLimitOrder, 's', 9.5, '4'},
        {101, eOpen, eLimitOrder, 's', 10.5, '3'},        {101, eModify, eLimitOrder, 'b', 10.5, 0},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.symbolId) + " kind " + std::to_string(c.kind) + " " + c.side + " " +
                     std::to_string(c.limit));
        OrderTicket ticket = Ticket(c.kind, c.orderType, c.side, c.symbolId);
        ticket.m_limitPrice = c.limit;
        const symbol_Info* symbol = market.Symbol(c.symbolId);
        ticket.m_pSymbolInfo = symbol;
        EXPECT_EQ(c.code, OrderRules(ticket).GetOrderType());
    }
}

TEST_F(OrderRulesTest, ChecksFindEveryRecordAgainAndNameWhatIsMissing)
{
    market.AddHold("H1", 'b', 3);
    market.AddLimit("L1", 'b', 9.5, 2);
    market.AddPosition(11, 4, 0);
    symbol_Info orphan = *market.Symbol(101);
    orphan.symbolId = 102;
    orphan.accountKey = 99; // no such account
    market.store.m_symbol_Info_table->Insert(orphan);
    symbol_Property property;
    property.symbolId = 102;
    market.store.m_symbol_Property_table->Insert(property);

    struct Case
    {
        const char* name;
        int kind;
        int orderType;
        int symbolId;
        const char* code;
        OrderRules::CheckResult result;
    };
    const Case cases[] = {
        {"new order", eOpen, eMarketOrder, 101, "", OrderRules::eCheckPassed},
        {"unknown symbol", eOpen, eMarketOrder, 555, "", OrderRules::eSymbolInvalid},
        {"symbol without account", eOpen, eMarketOrder, 102, "", OrderRules::eAccountInvalid},
        {"close of a bill", eClose, eMarketOrder, 101, "H1", OrderRules::eCheckPassed},
        {"close of a gone bill", eClose, eMarketOrder, 101, "h1", OrderRules::eOrderInvalid},
        {"modify of a bill", eModify, eMarketOrder, 101, "H1", OrderRules::eCheckPassed},
        {"modify of a gone bill", eModify, eMarketOrder, 101, "H2", OrderRules::eOrderInvalid},
        {"modify of a limit order", eModify, eLimitOrder, 101, "L1", OrderRules::eCheckPassed},
        {"cancel of a gone limit order", eCancel, eLimitOrder, 101, "L2", OrderRules::eOrderInvalid},
        {"delivery of a bill", eDelivery, eMarketOrder, 101, "H1", OrderRules::eCheckPassed},
        {"delivery of a gone bill", eDelivery, eMarketOrder, 101, "H9", OrderRules::eOrderInvalid},
        {"close of a position", eClosePosition, eMarketOrder, 101, "", OrderRules::eCheckPassed},
        {"close of a gone position", eClosePosition, eMarketOrder, 201, "", OrderRules::eOrderInvalid},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OrderTicket ticket = Ticket(c.kind, c.orderType, 'b', c.symbolId);
        ticket.m_orderCodeRe = c.code;
        OrderRules rules(ticket);
        EXPECT_EQ(c.result, rules.Check());
        EXPECT_EQ(c.result == OrderRules::eSymbolInvalid, ticket.m_pSymbolInfo == nullptr);
    }
    EXPECT_STREQ("Symbol Invalid", OrderRules::CheckMessage(OrderRules::eSymbolInvalid));
    EXPECT_STREQ("Order Invalid", OrderRules::CheckMessage(OrderRules::eOrderInvalid));
    EXPECT_STREQ("Account Invalid, Maybe Disconnected!",
                 OrderRules::CheckMessage(OrderRules::eAccountInvalid));
}

TEST_F(OrderRulesTest, AGoneBillOfAModifyAlwaysReachesTheMessageLine)
{
    const std::tuple<int, int, bool> cases[] = {{eModify, eMarketOrder, true},
                                                {eCancel, eMarketOrder, true},
                                                {eModify, eLimitOrder, false},
                                                {eClose, eMarketOrder, false},
                                                {eDelivery, eMarketOrder, false}};
    for(const auto& [kind, orderType, forced] : cases) {
        SCOPED_TRACE(kind);
        OrderTicket ticket = Ticket(kind, orderType, 'b');
        ticket.m_orderCodeRe = "gone";
        OrderRules rules(ticket);
        EXPECT_EQ(forced, rules.CheckForcesLine(rules.Check()));
    }
}

TEST_F(OrderRulesTest, QuantityRangeByKind)
{
    const trade_HoldBill* hold = market.AddHold("H1", 'b', 7.9);
    const trade_Limit* limit = market.AddLimit("L1", 'b', 9.5, 4);
    const trade_Position* position = market.AddPosition(11, 6, 9);

    OrderTicket open = Checked(eOpen, eMarketOrder, 'b');
    EXPECT_EQ(50, OrderRules(open).MaxQuantity()); // the symbol's largest order

    OrderTicket close = Ticket(eClose, eMarketOrder, 's');
    close.m_pHoldBill = hold;
    EXPECT_EQ(7, OrderRules(close).MaxQuantity());

    OrderTicket cancel = Ticket(eCancel, eLimitOrder, 'b');
    cancel.m_pLimitOrder = limit;
    EXPECT_EQ(4, OrderRules(cancel).MaxQuantity());

    OrderTicket closeBuySide = Ticket(eClosePosition, eMarketOrder, 's');
    closeBuySide.m_pPosition = position;
    EXPECT_EQ(6, OrderRules(closeBuySide).MaxQuantity());
    OrderTicket closeSellSide = Ticket(eClosePosition, eMarketOrder, 'b');
    closeSellSide.m_pPosition = position;
    EXPECT_EQ(9, OrderRules(closeSellSide).MaxQuantity());

    OrderTicket nothing = Ticket(eModify, eMarketOrder, 'b');
    EXPECT_EQ(0, OrderRules(nothing).MaxQuantity());

    // Typed quantities are judged as typed: below 1 nothing, above the
    // largest the dialog shows refused.
    struct Case
    {
        OrderTicket* ticket;
        double quantity;
        OrderRules::QuantityVerdict verdict;
    };
    const Case cases[] = {
        {&open, 0, OrderRules::eQuantityNone},
        {&open, -5, OrderRules::eQuantityNone},
        {&open, 50, OrderRules::eQuantitySendable},
        {&open, 51, OrderRules::eQuantityTooLarge},
        {&open, 9999, OrderRules::eQuantityTooLarge},
        {&close, 7, OrderRules::eQuantitySendable},
        {&close, 8, OrderRules::eQuantityTooLarge},
        {&closeSellSide, 9, OrderRules::eQuantitySendable},
        {&closeSellSide, 10, OrderRules::eQuantityTooLarge},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.quantity);
        EXPECT_EQ(c.verdict, OrderRules(*c.ticket).CheckQuantity(c.quantity));
    }
}

TEST_F(OrderRulesTest, OkStaysEnabledWhileWaitingOnlyForLimitOrdersAndCancels)
{
    const std::tuple<int, int, bool> cases[] = {
        {eOpen, eMarketOrder, true},     {eOpen, eLimitOrder, false},         {eClose, eMarketOrder, true},
        {eModify, eMarketOrder, true},   {eModify, eLimitOrder, true},        {eCancel, eLimitOrder, false},
        {eDelivery, eMarketOrder, true}, {eClosePosition, eMarketOrder, true}};
    for(const auto& [kind, orderType, disables] : cases) {
        EXPECT_EQ(disables, OrderRules::DisablesOkWhileWaiting(kind, orderType)) << kind << " " << orderType;
    }
}

TEST_F(OrderRulesTest, VisibleControlGroupsByKind)
{
    struct Case
    {
        int kind;
        int orderType;
        bool margin;
        OrderControlVisibility shown;
    };
    const Case cases[] = {
        {eOpen, eMarketOrder, false, {true, false, false, true, true}},
        {eOpen, eLimitOrder, true, {true, true, true, true, false}},
        {eClose, eMarketOrder, false, {true, false, false, false, true}},
        {eModify, eMarketOrder, false, {true, false, false, true, false}},
        {eModify, eLimitOrder, false, {true, false, true, true, false}},
        {eCancel, eLimitOrder, false, {true, false, true, true, false}},
        {eDelivery, eMarketOrder, false, {false, false, false, false, false}},
        {eClosePosition, eMarketOrder, true, {true, true, false, false, true}},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + "/" + std::to_string(c.orderType));
        const OrderControlVisibility shown = OrderRules::Visibility(c.kind, c.orderType, c.margin);
        EXPECT_EQ(c.shown.orderType, shown.orderType);
        EXPECT_EQ(c.shown.marginType, shown.marginType);
        EXPECT_EQ(c.shown.limitPart, shown.limitPart);
        EXPECT_EQ(c.shown.stopProfit, shown.stopProfit);
        EXPECT_EQ(c.shown.pointDiff, shown.pointDiff);
    }
}

TEST_F(OrderRulesTest, TitleNamesTheKindTheOrderAndTheMatchingMode)
{
    market.AddHold("H1", 'b', 1, 0);
    market.AddHold("H2", 'b', 1, '2');
    market.AddHold("H3", 'b', 1, '7');
    market.AddPosition(11, 1, 0);
    struct Case
    {
        int kind;
        const char* code;
        const char* title;
    };
    const Case cases[] = {
        {eOpen, "", "New Order:OTC"},
        {eClose, "H1", "Close Order[H1]:OTC"},
        {eModify, "H1", "Modify Order[H1]:OTC"},
        {eCancel, "L1", "Cancel Order[L1]:OTC"},
        {eDelivery, "H1", "Delivery Order[H1]:OTC"},
        {eDelivery, "H2", "UnDelivery Order[H2]:OTC"},
        {eDelivery, "H3", "Exception Delivery Type[H3]:OTC"},
        {eClosePosition, "", "Close Position[Silver]:OTC"},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.title);
        OrderTicket ticket = Ticket(c.kind, eMarketOrder, 'b');
        ticket.m_orderCodeRe = c.code;
        OrderRules rules(ticket);
        rules.Check();
        ticket.m_pSymbolInfo = market.Symbol(101);
        wxString title = "unchanged";
        ASSERT_TRUE(rules.GetTitle(title));
        EXPECT_EQ(c.title, title);
    }
}
