// The binary-option quick order without a window: the page's requests, the
// periods, the lists the page shows, the checks in order, the request bytes
// and the notice's answers.
#include "orders/MinTradeRules.h"

#include "db/trade_Contract.h"

#include <cstring>
#include <gtest/gtest.h>
#include <limits>

using namespace MinTradeRules;

namespace {

trade_Contract Contract(int count, char unit, char state = '2', int64_t id = 9001)
{
    trade_Contract contract;
    contract.periodCount = count;
    contract.periodUnit = unit;
    contract.contractState = state;
    contract.contractId = id;
    contract.minInvestAmount = 10;
    contract.maxInvestAmount = 1000;
    contract.amountStep = 10;
    contract.profitRate = 0.76;
    contract.chargeRate = 0.02;
    contract.symbolId = 401;
    return contract;
}

std::string Str(const wxString& text)
{
    return text.utf8_string();
}

} // namespace

TEST(MinTradePageRequests, OnlyOneQueryOnTheSentinelHostIsAnOrderAndAKeyKeepsItsFirstValue)
{
    const wxString base = kOrderSentinelUrl;
    const auto order =
        ParseOrderRequest(base + "?direction=b&invest=100&timelimit=60&direction=s&junk&a=b=c");
    ASSERT_TRUE(order);
    EXPECT_EQ(order->size(), 3u);
    EXPECT_EQ(Str(order->at("direction")), "b");
    EXPECT_EQ(Str(order->at("invest")), "100");
    EXPECT_EQ(Str(order->at("timelimit")), "60");
    // Not percent-decoded.
    EXPECT_EQ(Str(ParseOrderRequest(base + "?invest=1%30")->at("invest")), "1%30");
    EXPECT_FALSE(ParseOrderRequest(base + "?a=1?b=2"));
    EXPECT_FALSE(ParseOrderRequest(base));
    EXPECT_FALSE(ParseOrderRequest("http://example.com/?direction=b"));
    EXPECT_FALSE(ParseOrderRequest("http://ORDER.TESSRIN.INVALID/?direction=b"));
    // An escaped "?" does not split.
    EXPECT_TRUE(ParseOrderRequest(base + "?invest=1\\?2"));
}

TEST(MinTradePageRequests, TheNoticeAnswersOnItsSentinelInAnyCaseButNotWithAnotherPath)
{
    const wxString sentinel = kNoticeSentinelUrl;
    struct Case
    {
        wxString url;
        std::optional<bool> showAgain;
    };
    const Case cases[] = {
        {sentinel + "?TRUE", false},
        {sentinel + "?true", false},
        {sentinel + "?yes", true},
        {sentinel + "?false", true},
        {sentinel.Upper() + "?true", false},
        {sentinel + "more/?true", std::nullopt},
        {sentinel.Left(sentinel.length() - 1) + "?true", std::nullopt},
        {sentinel, std::nullopt},
        {sentinel + "?a?b", std::nullopt},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(ParseNoticeAnswer(c.url), c.showAgain) << c.url;
    }
}

TEST(MinTradePeriods, SecondsMapToTheLargestUnitBelowADayAndDurationsBack)
{
    struct Case
    {
        int64_t seconds;
        int count;
        char unit;
    };
    const Case cases[] = {{59, 59, '1'},  {60, 1, '2'},     {3599, 59, '2'},
                          {3600, 1, '3'}, {86399, 23, '3'}, {86400, 0, 0}};
    for(const Case& c : cases) {
        const Period period = PeriodOfSeconds(c.seconds);
        EXPECT_EQ(period.count, c.count) << c.seconds;
        EXPECT_EQ(period.unit, c.unit) << c.seconds;
    }
    EXPECT_EQ(DurationMs(5, '1'), 5000);
    EXPECT_EQ(DurationMs(5, '2'), 300000);
    EXPECT_EQ(DurationMs(2, '3'), 7200000);
    EXPECT_EQ(DurationMs(1, '4'), -1);
}

TEST(MinTradeLists, ContractsSortByDurationAndFillTheSevenLists)
{
    const trade_Contract fiveMin = Contract(5, '2'), sixty = Contract(60, '1'), odd = Contract(1, '9');
    const auto sorted = SortByDuration({&fiveMin, &sixty, &odd});
    ASSERT_EQ(sorted.size(), 3u);
    EXPECT_EQ(sorted[0], &odd);
    EXPECT_EQ(sorted[1], &sixty);
    EXPECT_EQ(sorted[2], &fiveMin);

    const auto lists = TimeLists({&sixty, &fiveMin});
    EXPECT_EQ(Str(lists[1]), "60,300");
    EXPECT_EQ(Str(lists[2]), "76,76");
    EXPECT_EQ(Str(lists[3]), "10,10");
    EXPECT_EQ(Str(lists[4]), "1000,1000");
    EXPECT_EQ(Str(lists[5]), "10,10");
    EXPECT_EQ(Str(lists[6]), "0.02,0.02");
    EXPECT_EQ(lists[0].Freq(','), 1u);

    const auto none = TimeLists({});
    const char* placeholders[] = {"Invalid", "60", "76", "100", "100", "100", ""};
    for(size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(Str(none[i]), placeholders[i]) << i;
    }
    EXPECT_EQ(Str(JoinItems({"a,b", "c"})), "a\\,b,c");
}

TEST(MinTradeChecks, EachFailureGivesItsMessageInOrderAndBothBoundsPass)
{
    const trade_Contract sixty = Contract(60, '1'), closed = Contract(5, '2', '3'), day = Contract(24, '3');
    const std::vector<const trade_Contract*> contracts{&closed, &sixty, &day};
    struct Case
    {
        bool symbolKnown;
        Query query;
        const char* error;
        char side;
    };
    const Case cases[] = {
        {false, {{"timelimit", "x"}}, "Symbol Invalid", 's'},
        {true, {{"timelimit", "6O"}, {"invest", "100"}}, "Invalid Period Time", 's'},
        {true, {{"invest", "100"}}, "Invalid Period Time", 's'},
        {true, {{"timelimit", "4294967356"}, {"invest", "100"}}, "Invalid Period Time", 's'},
        {true, {{"timelimit", "300"}, {"invest", "100"}}, "Invalid Contract", 's'},
        {true, {{"timelimit", "86400"}, {"invest", "100"}}, "Invalid Contract", 's'},
        {true, {{"timelimit", "0"}, {"invest", "100"}}, "Invalid Contract", 's'},
        {true, {{"timelimit", "60"}, {"invest", "5"}}, "Invalid invest amount", 's'},
        {true, {{"timelimit", "60"}, {"invest", "nan"}}, "Invalid invest amount", 's'},
        {true, {{"timelimit", "60"}, {"invest", "inf"}}, "Invalid invest amount", 's'},
        {true, {{"timelimit", "60"}, {"invest", "1000.01"}}, "Invalid invest amount", 's'},
        {true, {{"timelimit", "60"}, {"invest", "ten"}}, "Invalid invest amount", 's'},
        {true, {{"timelimit", "60"}, {"invest", "105"}}, "Invalid invest amount", 's'}, // off the step of 10
        {true, {{"timelimit", "60"}, {"invest", "10"}, {"direction", "b"}}, "", 'b'},
        {true, {{"timelimit", "60"}, {"invest", "1000"}, {"direction", "B"}}, "", 's'},
        {true, {{"timelimit", "60"}, {"invest", "100"}}, "", 's'},
    };
    for(const Case& c : cases) {
        const CheckedOrder order = CheckOrder(c.query, c.symbolKnown, contracts);
        EXPECT_EQ(Str(order.error), c.error) << Str(c.query.count("invest") ? c.query.at("invest") : "");
        if(order.error.empty()) {
            EXPECT_EQ(order.contract, &sixty);
            EXPECT_EQ(order.side, c.side);
        }
    }
}

TEST(MinTradeRequest, TheBinaryOrderFillsItsNamedOffsetsAndNothingElse)
{
    const trade_Contract contract = Contract(60, '1', '2', 0x0102030405060708LL);
    for(const wxString& mode : {wxString(), wxString("2x")}) {
        const sFFixSetOrder request = BuildRequest(11, 401, contract, 'b', 100.0, 1.2345, mode);
        unsigned char bytes[sizeof(request)];
        std::memcpy(bytes, &request, sizeof(request));
        int32_t account = 0, diff = 0, symbol = 0;
        double price = 0, amount = 0;
        int64_t key = 0;
        std::memcpy(&account, bytes + 0, 4);
        std::memcpy(&price, bytes + 48, 8);
        std::memcpy(&amount, bytes + 56, 8);
        std::memcpy(&diff, bytes + 76, 4);
        std::memcpy(&symbol, bytes + 96, 4);
        std::memcpy(&key, bytes + 128, 8);
        EXPECT_EQ(account, 11);
        EXPECT_EQ(bytes[4], 'b');
        EXPECT_EQ(price, 1.2345);
        EXPECT_EQ(amount, 100.0);
        EXPECT_EQ(bytes[64], 'F');
        EXPECT_EQ(diff, 20);
        EXPECT_EQ(symbol, 401);
        EXPECT_EQ(key, 0x0102030405060708LL);
        EXPECT_EQ(bytes[136], mode.empty() ? '1' : '2');
        const std::pair<size_t, size_t> named[] = {{0, 5}, {48, 65}, {76, 80}, {96, 100}, {128, 137}};
        for(size_t offset = 0; offset < sizeof(bytes); ++offset) {
            bool inside = false;
            for(const auto& [from, to] : named) {
                inside = inside || (offset >= from && offset < to);
            }
            if(!inside) {
                EXPECT_EQ(bytes[offset], 0) << offset;
            }
        }
    }
}

TEST(MinTradeMessages, TheCodeFollowsInBracketsExceptForMinusOne)
{
    EXPECT_EQ(Str(ErrorText("09:30:00", "Invalid Contract", -1)), "[09:30:00]Invalid Contract");
    EXPECT_EQ(Str(ErrorText("09:30:00", "refused", 1009)), "[09:30:00]refused[1009]");
    EXPECT_EQ(Str(ErrorText("09:30:00", "ok", 0)), "[09:30:00]ok[0]");
}
