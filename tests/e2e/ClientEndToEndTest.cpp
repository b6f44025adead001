// The real host with the plug-in against the simulated market: log in to the
// demo account, follow the connection through drops and a market restart,
// and quit cleanly. Assertions are on the host's trace and the market's state.
#include "HostProcess.h"
#include "SimProcess.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>

namespace {

const char* const kLoggedIn = R"(^bus 10004 Demo\|demo\|Trade\|3\|Md\|3$)";
// A connection-state report in which either side is not logged in.
const char* const kNotLoggedIn = R"(^bus 10004 Demo\|demo\|Trade\|([^3]|3\|Md\|[^3]))";
constexpr int kLoginMs = 30000;

// The host logs in and runs until the test quits it.
std::vector<std::string> LoginArgs()
{
    return {"--login", "Demo,demo,demo123"};
}

// The market's sessions of the demo user that are logged in.
int LoggedInSessions(const SimProcess& market)
{
    const std::string body = market.Get("/admin/state");
    if(body.empty()) {
        return -1;
    }
    const nlohmann::json state = nlohmann::json::parse(body, nullptr, false);
    if(state.is_discarded() || !state.contains("sessions")) {
        return -1;
    }
    int count = 0;
    for(const auto& session : state.at("sessions")) {
        if(session.value("login", std::string()) == "demo" && session.value("loggedIn", false)) {
            ++count;
        }
    }
    return count;
}

bool WaitForSessions(const SimProcess& market, int wanted, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while(LoggedInSessions(market) != wanted) {
        if(std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

class ClientEndToEndTest : public ::testing::Test
{
protected:
    ClientEndToEndTest() : m_market(std::make_unique<SimProcess>()), m_host(*m_market) {}

    std::unique_ptr<SimProcess> m_market;
    HostProcess m_host;
};

} // namespace

TEST_F(ClientEndToEndTest, LoginAnnouncesTheClientAndShowsTheStateAndStatusFields)
{
    // A stored price rule that holds at any price writes its line once.
    const nlohmann::ordered_json rule = {{"m_riskType", "mdWarning"}, {"m_riskItem", "白银"},
                                         {"m_riskMaxVal", "1.00"},    {"m_riskCondition", ""},
                                         {"m_bSound", false},         {"m_bWindow", true}};
    m_host.SetObjectSetting("RiskCustomPanel",
                            {{"RiskObjectVector.demo", {{"0", rule}}}, {"RiskCustoms", {"demo"}}});
    m_host.Start(LoginArgs());
    const int client = m_host.WaitForLine("^bus 778877 ?$", kLoginMs);
    ASSERT_GE(client, 0) << m_host.Describe();
    const int login = m_host.WaitForLine(R"(^bus 10001 Demo\|demo\|\*\*\*$)", 0);
    ASSERT_GE(login, 0) << m_host.Describe();
    EXPECT_LT(login, client);
    EXPECT_GT(m_host.WaitForLine(kLoggedIn, kLoginMs), client) << m_host.Describe();
    EXPECT_GE(m_host.WaitForLine(R"(^status 1 Account \[.+\|demo\]$)", kLoginMs), 0) << m_host.Describe();
    EXPECT_GE(m_host.WaitForLine(R"(^status 3 Trading Day \[\d{4}-\d{2}-\d{2}\]$)", kLoginMs), 0)
        << m_host.Describe();
    EXPECT_GE(m_host.WaitForLine(R"(^status 4 Demo$)", kLoginMs), 0) << m_host.Describe();
    // The account line in the words of the English catalogue the host loads.
    const int accountLine =
        m_host.WaitForLine(R"(^status 2 \[ .+ \] Status \[Normal\] Balance \[[0-9.]+\] )", kLoginMs);
    EXPECT_GE(accountLine, 0) << m_host.Describe();
    EXPECT_GE(m_host.WaitForLine(R"(^status 6 \d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}$)", kLoginMs), 0)
        << m_host.Describe();
    EXPECT_TRUE(WaitForSessions(*m_market, 2, kLoginMs)) << m_market->Get("/admin/state");
    // The quote boards become workspace pages once their symbols arrived.
    EXPECT_GE(m_host.WaitForLine("^page workspace add OTC$", kLoginMs), 0) << m_host.Describe();
    EXPECT_GE(m_host.WaitForLine("^page workspace add Binary Options$", kLoginMs), 0) << m_host.Describe();
    // The host's refresh after the login loads the rules; the next quote of
    // silver raises the alarm.
    const int refreshed = m_host.WaitForLine(R"(^bus 11111 Demo\|demo$)", kLoginMs);
    ASSERT_GE(refreshed, 0) << m_host.Describe();
    // The account line comes with the login, before the clock's next second.
    EXPECT_LT(accountLine, m_host.WaitForLine("^status 6 ", kLoginMs, refreshed)) << m_host.Describe();
    ASSERT_EQ(m_market->Post("/admin/price?symbol=101&price=5050"), 200);
    EXPECT_GE(m_host.WaitForLine("^output Price Alert\\|白银$", kLoginMs), 0) << m_host.Describe();
    ASSERT_EQ(m_market->Post("/admin/price?symbol=101&price=5060"), 200);

    // Quitting releases both connections and ends the program normally.
    m_host.Quit();
    EXPECT_EQ(m_host.Wait(30000), 0) << m_host.Describe();
    for(const char* page :
        {"page workspace add OTC", "page workspace add Binary Options", "output Price Alert|白银"}) {
        const std::vector<std::string> lines = m_host.TraceLines();
        EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string(page)), 1) << page;
    }
    EXPECT_TRUE(WaitForSessions(*m_market, 0, kLoginMs)) << m_market->Get("/admin/state");
}

TEST_F(ClientEndToEndTest, DroppedFrontsAreReconnectedAndLoggedInAgain)
{
    m_host.Start(LoginArgs());
    const int first = m_host.WaitForLine(kLoggedIn, kLoginMs);
    ASSERT_GE(first, 0) << m_host.Describe();
    for(const char* front : {"trade1", "trade2", "md"}) {
        ASSERT_EQ(m_market->Post(std::string("/admin/front?name=") + front + "&action=drop"), 200);
    }
    const int lost = m_host.WaitForLine(kNotLoggedIn, kLoginMs, first + 1);
    ASSERT_GT(lost, first) << m_host.Describe();
    EXPECT_GT(m_host.WaitForLine(kLoggedIn, kLoginMs, lost + 1), lost) << m_host.Describe();
    EXPECT_TRUE(WaitForSessions(*m_market, 2, kLoginMs));
    m_host.Quit();
    EXPECT_EQ(m_host.Wait(40000), 0) << m_host.Describe();
}

TEST_F(ClientEndToEndTest, AMarketRestartedOnTheSamePortsIsLoggedInAgain)
{
    const int trade1 = m_market->TradePort(0);
    const int trade2 = m_market->TradePort(1);
    const int md = m_market->MdPort();
    const int http = m_market->HttpPort();
    m_host.Start(LoginArgs());
    const int first = m_host.WaitForLine(kLoggedIn, kLoginMs);
    ASSERT_GE(first, 0) << m_host.Describe();

    m_market.reset(); // SIGTERM, bounded wait
    const int lost = m_host.WaitForLine(kNotLoggedIn, kLoginMs, first + 1);
    ASSERT_GT(lost, first) << m_host.Describe();
    m_market =
        std::make_unique<SimProcess>("--ports " + std::to_string(trade1) + "," + std::to_string(trade2) +
                                     "," + std::to_string(md) + "," + std::to_string(http));
    EXPECT_GT(m_host.WaitForLine(kLoggedIn, kLoginMs, lost + 1), lost) << m_host.Describe();
    EXPECT_TRUE(WaitForSessions(*m_market, 2, kLoginMs));
    m_host.Quit();
    EXPECT_EQ(m_host.Wait(40000), 0) << m_host.Describe();
}

TEST_F(ClientEndToEndTest, TheNewestUnreadBulletinReachesTheOutputWindowWithinTenSecondsOfTheLogin)
{
    // "NoticeStartShow" is off: the bulletin is written, no tips open.
    m_host.Start(LoginArgs());
    EXPECT_GE(m_host.WaitForLine("^page output add Notice $", kLoginMs), 0) << m_host.Describe();
    const int login = m_host.WaitForLine(kLoggedIn, kLoginMs);
    ASSERT_GE(login, 0) << m_host.Describe();
    const int bulletin = m_host.WaitForLine("^output 交易时间调整通知\\|", kLoginMs, login);
    ASSERT_GT(bulletin, login) << m_host.Describe();
    const std::vector<long long> stamps = m_host.TraceStamps();
    EXPECT_LE(stamps[bulletin] - stamps[login], 10000) << m_host.Describe();
    m_host.Quit();
    EXPECT_EQ(m_host.Wait(30000), 0) << m_host.Describe();
}

TEST_F(ClientEndToEndTest, TheHistoryPageIsAddedOnceAndItsPagesKeepTheirLayoutsAtExit)
{
    m_host.Start(LoginArgs());
    ASSERT_GE(m_host.WaitForLine(kLoggedIn, kLoginMs), 0) << m_host.Describe();
    m_host.Quit();
    ASSERT_EQ(m_host.Wait(30000), 0) << m_host.Describe();
    const std::vector<std::string> lines = m_host.TraceLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "page output add History "), 1) << m_host.Describe();

    std::ifstream in(m_host.DataDir() + "/../user/config/editor.conf");
    const nlohmann::json config = nlohmann::json::parse(in, nullptr, false);
    ASSERT_TRUE(config.is_object());
    for(const char* name : {"HistoryOrderPane", "HistoryLimitPane", "HistoryCashPanel",
                            "HistoryInOutMoneyPanel", "HistoryBinaryOrderPane"}) {
        EXPECT_TRUE(config["objects"].contains(name)) << name;
    }
}
