// The quick-trade panel's prices, checks and market orders, without a
// display: the bytes of a request for an OTC and an aggregate symbol.
#include "panes/QuickOrderQuote.h"

#include "SymbolBoardFixture.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

class QuickOrderQuoteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        store.CreateTables();
        // digits 3: a point is 0.001; quotes 10.498 / 10.503.
        AddBoardSymbol(store, {101, "AG", "Silver", '1', 1, 3, 10.5, 3, 2});
        AddBoardSymbol(store, {201, "CU", "Copper", '2', 2, 1, 68500.0, 5, 5});
        store.m_symbol_Info_table->Modify(101, [](symbol_Info& s) {
            s.stopLossPoints = 10;
            s.takeProfitPoints = 20;
            s.marginType = '2';
            s.buyMarginList.Add("0.08");
            s.sellMarginList.Add("n/a");
        });
    }
    QuickOrderQuote Quote(int id) { return QuickOrderQuote(&store, *FindBoardSymbol(store, id)); }

    RecordStore store;
};

TEST_F(QuickOrderQuoteTest, CaptionAndQuotesComeFromTheStoredPrice)
{
    const QuickOrderQuote ag = Quote(101);
    ASSERT_TRUE(ag.IsValid());
    EXPECT_DOUBLE_EQ(ag.GetBuyQuote(), 10.503);
    EXPECT_DOUBLE_EQ(ag.GetSellQuote(), 10.498);
    EXPECT_EQ(ag.Caption(), "Silver : 10.503 / 10.498");
    EXPECT_EQ(Quote(201).Caption(), "68500.0"); // the aggregate price alone
    MoveLast(store, 101, 11.0);
    EXPECT_EQ(Quote(101).Caption(), "Silver : 11.003 / 10.998");
}

TEST_F(QuickOrderQuoteTest, StopsAreCheckedAgainstTheDistancesAndZeroIsNone)
{
    const QuickOrderQuote ag = Quote(101);
    const double takeProfitLimit = ag.GetSellQuote() + 20 * ag.GetPoint();
    const double stopLossLimit = ag.GetSellQuote() - 10 * ag.GetPoint();
    struct Case
    {
        char side;
        double stopLoss;
        double takeProfit;
        const char* message;
    };
    const Case cases[] = {
        {'b', 0.0, 0.0, ""},
        {'b', 0.0, takeProfitLimit, ""}, // exactly at the limit passes
        {'b', 0.0, takeProfitLimit - 0.001, "Take Profit Price Invalid"},
        {'b', stopLossLimit, 0.0, ""},
        {'b', stopLossLimit + 0.001, 0.0, "Stop Loss Price Invalid"},
        {'s', 0.0, ag.GetBuyQuote() - 20 * ag.GetPoint(), ""},
        {'s', 0.0, ag.GetBuyQuote(), "Take Profit Price Invalid"},
        {'s', ag.GetBuyQuote() + 10 * ag.GetPoint(), 0.0, ""},
        {'s', ag.GetBuyQuote(), 0.0, "Stop Loss Price Invalid"},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(ag.CheckStops(c.side, c.stopLoss, c.takeProfit), c.message)
            << c.side << " " << c.stopLoss << " " << c.takeProfit;
    }
}

TEST_F(QuickOrderQuoteTest, RequestBytesOfAnOtcAndAnAggregateOrder)
{
    QuickOrderQuote::Inputs inputs;
    inputs.quantity = 3;
    inputs.usePointDiff = false;
    inputs.pointDiff = 7;
    inputs.stopLoss = 10.0;
    inputs.takeProfit = 11.0;
    sFFixSetOrder expected;
    std::memset(&expected, 0, sizeof expected);
    expected.accountKey = 11;
    expected.side = 'b';
    expected.price = Quote(101).GetBuyQuote();
    expected.quantity = 3;
    expected.orderType = '1';
    expected.buySpreadPoints = 3;
    expected.sellSpreadPoints = 2;
    expected.pointDiff = 10000; // "biggest diff" off
    expected.stopLoss = 10.0;
    expected.takeProfit = 11.0;
    expected.symbolId = 101;
    expected.marginTradeType = '2';
    expected.sideListValue = 0.08;
    const sFFixSetOrder buy = Quote(101).BuildRequest('b', inputs);
    EXPECT_EQ(std::memcmp(&buy, &expected, sizeof buy), 0);

    // Sell takes the sell quote; a side value that is no number is 0.
    inputs.usePointDiff = true;
    const sFFixSetOrder sell = Quote(101).BuildRequest('s', inputs);
    EXPECT_DOUBLE_EQ(sell.price, Quote(101).GetSellQuote());
    EXPECT_EQ(sell.pointDiff, 7);
    EXPECT_EQ(sell.sideListValue, 0.0);

    // The aggregate market opens at its price with its own code.
    const sFFixSetOrder cu = Quote(201).BuildRequest('s', inputs);
    EXPECT_EQ(cu.orderType, 'C');
    EXPECT_DOUBLE_EQ(cu.price, 68500.0);
    EXPECT_EQ(cu.symbolId, 201);
}

} // namespace
