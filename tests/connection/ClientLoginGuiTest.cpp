// A Client logs in to the simulated market through the real trade API
// library, survives a dropped trade front, and ends waits of requests whose
// answers never come.
#include "ClientLibrary.h"
#include "EventPump.h"
#include "FakeConnectionHost.h"
#include "SimProcess.h"
#include "connection/Client.h"
#include "connection/MdClient.h"
#include "connection/RequestCallBack.h"
#include "connection/RequestNotify.h"
#include "connection/TradeClient.h"
#include "db/RecordStore.h"

#include <cstring>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

class Waiter : public RequestCallBack
{
public:
    void OnResponse(int requestId, int errorCode, const wxString&) override
    {
        answers.push_back({requestId, errorCode});
    }
    void OnResponseTimeOut(int requestId) override { timeouts.push_back(requestId); }
    std::vector<std::pair<int, int>> answers;
    std::vector<int> timeouts;
};

// The front name of the user's open trade session, or "".
std::string TradeFrontOf(const nlohmann::json& state, int userId)
{
    if(!state.contains("sessions")) {
        return "";
    }
    for(const auto& session : state["sessions"]) {
        const std::string front = session.value("front", "");
        if(session.value("userId", 0) == userId && front.rfind("trade", 0) == 0) {
            return front;
        }
    }
    return "";
}

TEST(ClientLogin, BothFrontsLogInAndADroppedTradeFrontReconnectsToTheNextAddress)
{
    SimProcess sim("--seed 3");
    ClientLibrary library;

    FakeConnectionHost host;
    host.trade.Clear();
    host.trade.Add(sim.TradeAddress(0));
    host.trade.Add(sim.TradeAddress(1));
    host.md.Clear();
    host.md.Add(sim.MdAddress());
    RecordStore db;
    db.CreateTables();
    Client client("demo", &db, &host);
    client.SetTradeApi(library.NewTrade(*client.GetTradeClient()));
    client.SetMdApi(library.NewMd(*client.GetMdClient()));
    ASSERT_NE(client.GetTradeApi(), nullptr);
    ASSERT_NE(client.GetMdApi(), nullptr);
    client.GetTradeConnecter().StartLogin("demo123");
    client.GetMdConnecter().StartLogin("demo123");

    auto loggedIn = [&] {
        return client.GetTradeConnecter().GetStatus() == eLS_LoginSuccess &&
               client.GetMdConnecter().GetStatus() == eLS_LoginSuccess;
    };
    ASSERT_TRUE(PumpUntil(loggedIn, std::chrono::milliseconds(10000)));
    EXPECT_EQ(client.GetUserId(), 1001);
    EXPECT_EQ(db.m_user_LoginInfo_table->GetIndexByPrimary().size(), 1u);
    EXPECT_EQ(host.fields[4], "Demo Market");

    // An answer that never comes ends in the wait's time-out.
    ASSERT_EQ(200, sim.Post("/admin/answer?code=1039&mode=swallow"));
    Waiter late;
    sFFixReqInOutMoney money{};
    money.accountKey = 1;
    money.amount = 10.0;
    money.direction = '1';
    std::strcpy(money.bankPassword, "1234");
    const int moneyId = client.ReqInOutMoney(&money);
    ASSERT_NE(moneyId, -1);
    RequestNotify::Get()->WaitResponse(moneyId, &late, 300);
    EXPECT_TRUE(PumpUntil(
        [&] {
            RequestNotify::Get()->CheckTimeOut(wxDateTime::UNow());
            return !late.timeouts.empty();
        },
        std::chrono::milliseconds(5000)));
    EXPECT_EQ(late.timeouts, std::vector<int>{moneyId});
    EXPECT_TRUE(late.answers.empty());

    // Dropping the trade front fails every waiting request once, then the
    // machine reconnects to the other address and logs in again.
    const std::string before = TradeFrontOf(sim.State(), 1001);
    ASSERT_FALSE(before.empty());
    const unsigned indexBefore = client.GetTradeConnecter().GetCurrentIndex();
    ASSERT_EQ(200, sim.Post("/admin/answer?code=1007&mode=swallow"));
    ASSERT_EQ(200, sim.Post("/admin/answer?code=1013&mode=swallow"));
    Waiter waiting;
    RequestNotify::Get()->WaitResponse(client.ReqQryAccount(), &waiting, 60000);
    RequestNotify::Get()->WaitResponse(client.ReqQryPosition(), &waiting, 60000);
    ASSERT_EQ(200, sim.Post("/admin/front?name=" + before + "&action=drop"));

    ASSERT_TRUE(PumpUntil([&] { return waiting.answers.size() >= 2; }, std::chrono::milliseconds(10000)));
    EXPECT_EQ(waiting.answers[0].second, 1);
    EXPECT_EQ(waiting.answers[1].second, 1);
    ASSERT_TRUE(PumpUntil([&] { return client.GetTradeConnecter().GetStatus() == eLS_LoginSuccess; },
                          std::chrono::milliseconds(15000)));
    EXPECT_NE(client.GetTradeConnecter().GetCurrentIndex(), indexBefore);
    std::string after;
    PumpUntil(
        [&] {
            after = TradeFrontOf(sim.State(), 1001);
            return !after.empty() && after != before;
        },
        std::chrono::milliseconds(5000));
    EXPECT_NE(after, before);
    EXPECT_EQ(client.GetMdConnecter().GetStatus(), eLS_LoginSuccess);
    EXPECT_EQ(waiting.answers.size(), 2u);

    client.Release();
}

} // namespace
