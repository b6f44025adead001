// The market's arithmetic must match the client's to the cent.
#include "MarketMath.h"

#include "MarketState.h"
#include "SimClock.h"

#include <gtest/gtest.h>
#include <map>
#include <vector>

using namespace simmarket;

TEST(MarketMath, PointsToPriceFollowsTheSignAndCapOfDigits)
{
    EXPECT_DOUBLE_EQ(PointsToPrice(15, 2), 0.15);
    EXPECT_DOUBLE_EQ(PointsToPrice(15, -2), -0.15);
    EXPECT_DOUBLE_EQ(PointsToPrice(1, 9), 1e-7);
}

TEST(MarketMath, ProfitRoundsHalvesAwayFromZero)
{
    EXPECT_DOUBLE_EQ(ProfitPoints('b', 0.0, 0.125, 1, 1), 0.13);
    EXPECT_DOUBLE_EQ(ProfitPoints('b', 0.125, 0.0, 1, 1), -0.13);
    EXPECT_DOUBLE_EQ(ProfitPoints('s', 10.0, 9.0, 15, 2), 30.0);
}

TEST(MarketMath, RiskRateOfEachKind)
{
    EXPECT_DOUBLE_EQ(RiskRate('1', 0, 500, 0), 10000.0);
    EXPECT_DOUBLE_EQ(RiskRate('2', 1000, 0, 0), 10000.0);
    EXPECT_DOUBLE_EQ(RiskRate('1', 1000, 250, 0), 0.25);
    EXPECT_DOUBLE_EQ(RiskRate('3', 150, 0, 0.5), 149.0);
    EXPECT_DOUBLE_EQ(RiskRate('9', 150, 10, 0), 0.0);
}

TEST(MarketMath, MarginByKind)
{
    EXPECT_DOUBLE_EQ(OrderMargin('1', 3000, 68500, 2, 5, 1.0), 6000.0);
    EXPECT_DOUBLE_EQ(OrderMargin('2', 0.08, 5000, 2, 15, 1.0), 12000.0);
    EXPECT_DOUBLE_EQ(OrderMargin('4', 0.02, 1.08345, 1, 1000, 7.1), 153.85);
    EXPECT_DOUBLE_EQ(OrderMargin('3', 0.1, 100, 1, 1, 1.0), 0.0);
}

class DemoMarket : public ::testing::Test
{
protected:
    void SetUp() override { state.Load(nlohmann::json::parse(DefaultScenarioText())); }
    MarketState state;
};

TEST_F(DemoMarket, HoldProfitClosesABuyAtTheBidOnMarketTypeOne)
{
    SimSymbol& ag = *state.FindSymbol(101);
    ag.last = 5000;                                // bid 4998
    const SimHold& hold = state.holds.at("H0001"); // buy 2 at 4980, contract 15
    EXPECT_DOUBLE_EQ(state.HoldProfit(hold), (4998.0 - 4980.0) * 30);
}

TEST_F(DemoMarket, ForeignCurrencyHoldUsesTheExchangeRateAndOtherTypesTheLastPrice)
{
    SimSymbol& oil = *state.FindSymbol(301);
    oil.last = 72.0;
    // Sell 10 at 73.000 in USD on a USD account, market type '3': last price.
    EXPECT_DOUBLE_EQ(state.HoldProfit(state.holds.at("H0002")), 1000.0);
    state.accounts.at(13).currency = "CNY";
    EXPECT_DOUBLE_EQ(state.HoldProfit(state.holds.at("H0002")), 7100.0);
    state.accounts.at(13).currency = "EUR";
    EXPECT_DOUBLE_EQ(state.HoldProfit(state.holds.at("H0002")), 0.0);
}

TEST_F(DemoMarket, FreeMarginTakesUsedAndFrozenFromTheNetValue)
{
    const double net = state.NetValue(11);
    EXPECT_DOUBLE_EQ(state.FreeMargin(11), net - state.MarginUsed(11) - state.MarginFreezed(11));
    EXPECT_GT(state.MarginFreezed(11), 0.0); // the waiting limit order
}

TEST(MarketStateLoad, RejectsAHoldOfAnUnknownAccount)
{
    auto scenario = nlohmann::json::parse(DefaultScenarioText());
    scenario["holds"][0]["account"] = 999;
    MarketState state;
    EXPECT_THROW(state.Load(scenario), std::exception);
}

TEST(MarketStateLoad, OrderCodesFitTheNarrowestField)
{
    MarketState state;
    state.Load(nlohmann::json::parse(DefaultScenarioText()));
    for(int i = 0; i < 5; ++i)
        EXPECT_LE(state.NextCode('H').size(), 15u);
}

TEST(MarketStateLoad, RefusesBadHistoryEntries)
{
    const auto demo = nlohmann::json::parse(DefaultScenarioText());
    const std::vector<std::pair<const char*, nlohmann::json>> broken = {
        {"history of an unknown account", {{"account", 999}}},
        {"history of no days", {{"account", 11}, {"days", 0}}},
        {"a negative count", {{"account", 11}, {"closeBills", -1}}},
        {"a count beyond reason", {{"account", 11}, {"moneyMoves", 1000000}}},
    };
    for(const auto& [what, entry] : broken) {
        auto scenario = demo;
        scenario["history"] = nlohmann::json::array({entry});
        MarketState state;
        EXPECT_THROW(state.Load(scenario), std::exception) << what;
    }
}

TEST(MarketStateLoad, GeneratedHistoryLiesOnTheDaysBeforeTodayAndIsTheSameEachTime)
{
    const auto scenario = nlohmann::json::parse(DefaultScenarioText());
    const int64_t now = SimClock::ParseDateTime("20261209T120000");
    MarketState first, second;
    first.Load(scenario, now);
    second.Load(scenario, now);
    const int64_t today = SimClock::ParseDateTime("20261209T000000");
    const int64_t earliest = SimClock::ParseDateTime("20261127T000000"); // 12 days back
    int history = 0;
    ASSERT_EQ(first.closeBills.size(), second.closeBills.size());
    for(std::size_t i = 0; i < first.closeBills.size(); ++i) {
        const SimCloseBill& bill = first.closeBills[i];
        EXPECT_EQ(bill.code, second.closeBills[i].code);
        EXPECT_EQ(bill.profit, second.closeBills[i].profit);
        if(!bill.history)
            continue;
        ++history;
        EXPECT_LT(bill.closeTimeMs, today) << bill.code;
        EXPECT_GE(bill.openTimeMs, earliest) << bill.code;
        EXPECT_LE(bill.code.size(), 15u);
        const std::string hours = SimClock::TimeText(bill.openTimeMs).substr(0, 2);
        EXPECT_TRUE(hours >= "09" && hours <= "15") << "trading hours: " << hours;
    }
    EXPECT_EQ(history, 36);
    // The cash log opens every account once and ends at its balance.
    std::map<int, int> openings;
    std::map<int, double> last;
    for(const SimCashEntry& e : first.cashLedger) {
        openings[e.accountKey] += e.ref == "opening";
        last[e.accountKey] = e.after;
    }
    for(const auto& [key, account] : first.accounts) {
        EXPECT_EQ(openings[key], 1) << key;
        EXPECT_DOUBLE_EQ(last[key], account.balance) << key;
    }
}
