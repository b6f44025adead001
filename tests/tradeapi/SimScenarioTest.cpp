// simmarketd started from a scenario file instead of the demo market.
#include "ClientLibrary.h"
#include "EventLog.h"
#include "SimProcess.h"
#include "tradeapi/FixedText.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <unistd.h>

namespace {

class ScenarioFile
{
public:
    explicit ScenarioFile(const std::string& text)
    {
        char pattern[] = "/tmp/simmarket-scenario-XXXXXX";
        const int fd = mkstemp(pattern);
        if(fd >= 0)
            close(fd);
        m_path = pattern;
        std::ofstream(m_path) << text;
    }
    ~ScenarioFile() { std::remove(m_path.c_str()); }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace

TEST(SimScenario, MarketComesFromTheScenarioFile)
{
    const nlohmann::json scenario = {
        {"pricePushesPerSecond", 0},
        {"users",
         {{{"userId", 7},
           {"login", "solo"},
           {"password", "pw"},
           {"accounts", {{{"key", 70}, {"currency", "CNY"}, {"marketId", 5}, {"balance", 1000.0}}}}}}},
        {"symbols",
         {{{"id", 501},
           {"code", "ZN"},
           {"marketId", 5},
           {"currency", "CNY"},
           {"price", 21000.0},
           {"digits", 0}},
          {{"id", 502}, {"code", "NI"}, {"marketId", 6}, {"currency", "CNY"}, {"price", 130000.0}}}}};
    ScenarioFile file(scenario.dump());
    SimProcess sim("--scenario " + file.Path());

    ClientLibrary lib;
    TradeRecorder rec;
    CTradeApi* api = lib.NewTrade(rec, "solo");
    api->Connect(sim.TradeAddress(0).c_str());
    ASSERT_TRUE(rec.log.WaitCode(100));
    sFFixReqUserLogin req{};
    tradeapi::SetFixedText(req.loginName, "solo");
    tradeapi::SetFixedText(req.password, "pw");
    ASSERT_GT(api->ReqUserLogin(&req, 1), 0);
    auto login = rec.log.WaitCode(10002);
    ASSERT_TRUE(login);
    EXPECT_EQ(login->info.errorId, 0);
    EXPECT_EQ(login->As<sFFixRspUserLogin>().userId, 7);

    // Only the symbols of the user's markets, each tied to the user's account there.
    const sFFixUserId user{7};
    ASSERT_GT(api->ReqQrySymbolInfo(&user, 3), 0);
    auto row = rec.log.WaitCode(1004);
    ASSERT_TRUE(row);
    EXPECT_TRUE(row->last);
    const auto symbol = row->As<sFFixRspQrySymbolInfo>();
    EXPECT_EQ(tradeapi::FixedText(symbol.symbolCode), "ZN");
    EXPECT_EQ(symbol.accountKey, 70);
    EXPECT_DOUBLE_EQ(symbol.lastPrice, 21000.0);
    api->Release();
}

TEST(SimScenario, MalformedScenarioStopsTheDaemonAtStart)
{
    ScenarioFile file(R"({"users": [{"userId": 1}], "symbols": []})");
    EXPECT_THROW(SimProcess("--scenario " + file.Path()), std::runtime_error);
}
