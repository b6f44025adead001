// libClientApi.so against a running simmarketd: login, queries, orders with
// their pushes, faults from the admin API and connection handling.
#include "ClientLibrary.h"
#include "EventLog.h"
#include "SimProcess.h"
#include "tradeapi/FixedText.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <thread>

using tradeapi::FixedText;

namespace {

struct ApiDeleter
{
    void operator()(CTradeApi* api) const
    {
        if(api)
            api->Release();
    }
    void operator()(CMDApi* api) const
    {
        if(api)
            api->Release();
    }
};
using TradePtr = std::unique_ptr<CTradeApi, ApiDeleter>;
using MdPtr = std::unique_ptr<CMDApi, ApiDeleter>;

sFFixReqUserLogin LoginRequest(const std::string& name, const std::string& password)
{
    sFFixReqUserLogin req{};
    tradeapi::SetFixedText(req.loginName, name);
    tradeapi::SetFixedText(req.password, password);
    tradeapi::SetFixedText(req.localIp, "127.0.0.1");
    return req;
}

class ClientSim : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // No random walk: prices move only when a test sets them.
        ASSERT_EQ(sim.Post("/admin/walk?rate=0"), 200);
    }

    // Connects and logs in; returns the login answer.
    Event Login(CTradeApi& api, TradeRecorder& rec, const std::string& address,
                const std::string& name = "demo", const std::string& password = "demo123")
    {
        const std::size_t from = rec.log.Size();
        api.Connect(address.c_str());
        EXPECT_TRUE(rec.log.WaitCode(100, from));
        const auto req = LoginRequest(name, password);
        EXPECT_GT(api.ReqUserLogin(&req, 1), 0);
        auto answer = rec.log.WaitCode(10002, from);
        EXPECT_TRUE(answer);
        return answer ? *answer : Event{};
    }

    TradePtr LoggedInTrade(TradeRecorder& rec)
    {
        TradePtr api(lib.NewTrade(rec));
        const Event answer = Login(*api, rec, sim.TradeAddress(0));
        EXPECT_EQ(answer.info.errorId, 0);
        return api;
    }

    nlohmann::json Account(int key)
    {
        const auto state = nlohmann::json::parse(sim.Get("/admin/state"));
        for(const auto& a : state["accounts"])
            if(a["key"] == key)
                return a;
        return {};
    }

    sFFixSetOrder MarketOrder(char side, double quantity)
    {
        sFFixSetOrder order{};
        order.accountKey = 11;
        order.symbolId = 101;
        order.side = side;
        order.quantity = quantity;
        order.orderType = '1';
        return order;
    }

    // Codes of the events from `from` on, waiting until `count` have come.
    std::vector<int> Codes(EventLog& log, std::size_t from, std::size_t count)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while(log.Size() < from + count && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::vector<int> codes;
        const auto events = log.Snapshot();
        for(std::size_t i = from; i < events.size(); ++i)
            codes.push_back(events[i].code);
        return codes;
    }

    SimProcess sim;
    ClientLibrary lib;
};

} // namespace

TEST_F(ClientSim, LoginAnswersUnderRequestIdOneWithTheUser)
{
    TradeRecorder rec;
    TradePtr api(lib.NewTrade(rec));
    const Event answer = Login(*api, rec, sim.TradeAddress(0));
    EXPECT_EQ(answer.info.errorId, 0);
    EXPECT_EQ(answer.requestId, 1);
    const auto rsp = answer.As<sFFixRspUserLogin>();
    EXPECT_EQ(rsp.userId, 1001);
    EXPECT_EQ(FixedText(rsp.loginAccount), "demo");
    EXPECT_EQ(FixedText(rsp.tradingDay).size(), 8u);
    EXPECT_EQ(FixedText(rsp.serverTime).size(), 6u);
}

TEST_F(ClientSim, LoginRefusesUnknownUserWith20AndWrongPasswordWith21)
{
    TradeRecorder rec;
    TradePtr api(lib.NewTrade(rec));
    EXPECT_EQ(Login(*api, rec, sim.TradeAddress(0), "nobody", "x").info.errorId, 20);
    const std::size_t from = rec.log.Size();
    const auto req = LoginRequest("demo", "wrong");
    ASSERT_GT(api->ReqUserLogin(&req, 1), 0);
    auto answer = rec.log.WaitCode(10002, from);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->info.errorId, 21);
}

TEST_F(ClientSim, RequestsBeforeLoginAreRefusedByTheMarket)
{
    TradeRecorder rec;
    TradePtr api(lib.NewTrade(rec));
    api->Connect(sim.TradeAddress(0).c_str());
    ASSERT_TRUE(rec.log.WaitCode(100));
    const sFFixUserId user{1001};
    ASSERT_GT(api->ReqQryAccount(&user, 55), 0);
    auto error = rec.log.WaitCode(1);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->requestId, 55);
    EXPECT_EQ(error->info.errorId, 3);
}

TEST_F(ClientSim, AccountQueryAnswersRowByRowWithTheLastFlagOnTheFinalRow)
{
    TradeRecorder rec;
    TradePtr api = LoggedInTrade(rec);
    const std::size_t from = rec.log.Size();
    const sFFixUserId user{1001};
    ASSERT_GT(api->ReqQryAccount(&user, 4242), 0);
    ASSERT_TRUE(rec.log.WaitFor([](const Event& e) { return e.code == 1007 && e.last; }, from));
    std::vector<Event> rows;
    for(const auto& e : rec.log.Snapshot())
        if(e.code == 1007)
            rows.push_back(e);
    ASSERT_EQ(rows.size(), 4u);
    for(std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].requestId, 4242);
        EXPECT_EQ(rows[i].last, i + 1 == rows.size());
        EXPECT_FALSE(rows[i].noRows);
    }
    const auto first = rows[0].As<sFFixRspQryAccount>();
    EXPECT_EQ(first.accountKey, 11);
    EXPECT_EQ(FixedText(first.currency), "CNY");
    EXPECT_EQ(first.userFlags & 2, 0);
}

TEST_F(ClientSim, UserWhoMustChangeThePasswordCarriesFlagTwo)
{
    TradeRecorder rec;
    TradePtr api(lib.NewTrade(rec));
    ASSERT_EQ(Login(*api, rec, sim.TradeAddress(0), "changer", "changer1").info.errorId, 0);
    const std::size_t from = rec.log.Size();
    const sFFixUserId user{1003};
    ASSERT_GT(api->ReqQryAccount(&user, 7), 0);
    auto row = rec.log.WaitCode(1007, from);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->As<sFFixRspQryAccount>().userFlags & 2, 2);
}

TEST_F(ClientSim, QueryWithoutRowsAnswersOnceWithNoRow)
{
    TradeRecorder rec;
    TradePtr api = LoggedInTrade(rec);
    const std::size_t from = rec.log.Size();
    const sFFixUserId user{1001};
    ASSERT_GT(api->ReqQryDeliveryOrder(&user, 99), 0);
    auto answer = rec.log.WaitCode(1057, from);
    ASSERT_TRUE(answer);
    EXPECT_TRUE(answer->noRows);
    EXPECT_EQ(answer->requestId, 99);
    EXPECT_FALSE(rec.log.WaitCode(1057, from + 1, 300));
}

TEST_F(ClientSim, MarketOrderIsAnsweredThenFillHoldPositionAndMoneyArePushedInOrder)
{
    TradeRecorder rec;
    TradePtr api = LoggedInTrade(rec);
    ASSERT_EQ(sim.Post("/admin/price?symbol=101&price=5000"), 200);
    const std::size_t from = rec.log.Size();
    const auto order = MarketOrder('b', 2);
    ASSERT_GT(api->ReqSetOrder(&order, 501), 0);
    const auto codes = Codes(rec.log, from, 5);
    ASSERT_EQ(codes, (std::vector<int>{1009, 1010, 1018, 1017, 1016}));

    const auto events = rec.log.Snapshot();
    const Event& answer = events[from];
    EXPECT_EQ(answer.requestId, 501);
    EXPECT_EQ(answer.info.errorId, 0);
    const std::string code = FixedText(answer.As<sFFixSetOrder>().resultText);
    const auto trade = events[from + 1].As<sFFixTrade>();
    EXPECT_EQ(FixedText(trade.orderCode), code);
    EXPECT_DOUBLE_EQ(trade.price, 5002.0); // ask = last + 2 points
    EXPECT_EQ(trade.orderType, '1');
    const auto hold = events[from + 2].As<sFFixHoldDetail>();
    EXPECT_EQ(FixedText(hold.orderCode), code);
    EXPECT_DOUBLE_EQ(hold.quantity, 2.0);
    EXPECT_DOUBLE_EQ(hold.marginUsed, 5002.0 * 2 * 15 * 0.08);
    const auto position = events[from + 3].As<sFFixPosition>();
    EXPECT_DOUBLE_EQ(position.buyQuantity, 4.0); // with the demo hold of 2

    // The client's totals and the market's agree to the cent.
    const auto money = events[from + 4].As<sFFixMoney>();
    const auto account = Account(11);
    EXPECT_DOUBLE_EQ(money.marginUsed, account["marginUsed"].get<double>());
    EXPECT_DOUBLE_EQ(money.marginRemain, account["marginRemain"].get<double>());
    const double charge = 5002.0 * 2 * 15 * 0.0006;
    EXPECT_NEAR(money.marginRemain, 200000.0 - charge, 0.005);
    EXPECT_NEAR(money.dailyCharge, charge, 0.005);
}

TEST_F(ClientSim, OrderBeyondTheFreeMarginIsRefusedWithCode31)
{
    TradeRecorder rec;
    TradePtr api = LoggedInTrade(rec);
    const std::size_t from = rec.log.Size();
    sFFixSetOrder order = MarketOrder('b', 1);
    order.accountKey = 12;
    order.symbolId = 201; // 3000 a unit on 80000: 30 units would need 90000
    order.quantity = 10;
    ASSERT_GT(api->ReqSetOrder(&order, 8), 0);
    auto answer = rec.log.WaitCode(1009, from);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->info.errorId, 0);
    order.quantity = 27;
    ASSERT_GT(api->ReqSetOrder(&order, 9), 0);
    answer = rec.log.WaitFor([](const Event& e) { return e.code == 1009 && e.requestId == 9; }, from);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->info.errorId, 80); // beyond the largest single order first
    order.quantity = 10;
    ASSERT_GT(api->ReqSetOrder(&order, 10), 0);
    ASSERT_GT(api->ReqSetOrder(&order, 11), 0);
    answer = rec.log.WaitFor([](const Event& e) { return e.code == 1009 && e.requestId == 11; }, from);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->info.errorId, 31);
    // The answer says why, not only that it refused.
    EXPECT_STREQ(answer->info.errorMsg, "refused: the free money does not pay the margin and the charge");
    order.quantity = 1;
    order.stopLoss = 90000; // above the price of a buy
    ASSERT_GT(api->ReqSetOrder(&order, 12), 0);
    answer = rec.log.WaitFor([](const Event& e) { return e.code == 1009 && e.requestId == 12; }, from);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->info.errorId, 34);
    EXPECT_STREQ(answer->info.errorMsg, "stop loss beyond the price: a buy's must be below, a sell's above");
}

TEST_F(ClientSim, LimitOrderWaitsAndFillsWhenThePriceReachesIt)
{
    TradeRecorder rec;
    TradePtr api = LoggedInTrade(rec);
    ASSERT_EQ(sim.Post("/admin/price?symbol=101&price=5000"), 200);
    std::size_t from = rec.log.Size();
    sFFixSetOrder order = MarketOrder('b', 1);
    order.orderType = '3';
    order.price = 4990;
    ASSERT_GT(api->ReqSetOrder(&order, 600), 0);
    ASSERT_EQ(Codes(rec.log, from, 3), (std::vector<int>{1009, 1022, 1016}));
    auto events = rec.log.Snapshot();
    const auto waiting = events[from + 1].As<sFFixLimitOrder>();
    EXPECT_EQ(waiting.limitType, '1');
    EXPECT_DOUBLE_EQ(waiting.quantityOrder, 1.0);
    EXPECT_DOUBLE_EQ(waiting.quantityComplete, 0.0);
    EXPECT_FALSE(rec.log.WaitCode(1010, from, 300));

    from = rec.log.Size();
    ASSERT_EQ(sim.Post("/admin/price?symbol=101&price=4985"), 200); // ask 4987
    ASSERT_EQ(Codes(rec.log, from, 5), (std::vector<int>{1022, 1010, 1018, 1017, 1016}));
    events = rec.log.Snapshot();
    const auto done = events[from].As<sFFixLimitOrder>();
    EXPECT_EQ(FixedText(done.orderCode), FixedText(waiting.orderCode));
    EXPECT_DOUBLE_EQ(done.quantityComplete, done.quantityOrder);
    EXPECT_EQ(events[from + 1].As<sFFixTrade>().orderType, '3');
    EXPECT_DOUBLE_EQ(events[from + 1].As<sFFixTrade>().price, 4987.0);
    EXPECT_DOUBLE_EQ(events[from + 4].As<sFFixMoney>().marginFreezed,
                     Account(11)["marginFreezed"].get<double>());
}

TEST_F(ClientSim, CancelledStopOrderIsPushedWithQuantityZero)
{
    TradeRecorder rec;
    TradePtr api = LoggedInTrade(rec);
    ASSERT_EQ(sim.Post("/admin/price?symbol=101&price=5000"), 200);
    std::size_t from = rec.log.Size();
    sFFixSetOrder order = MarketOrder('s', 1);
    order.orderType = '4';
    order.price = 4900;
    ASSERT_GT(api->ReqSetOrder(&order, 700), 0);
    auto answer = rec.log.WaitCode(1009, from);
    ASSERT_TRUE(answer);
    ASSERT_EQ(answer->info.errorId, 0);
    const std::string code = FixedText(answer->As<sFFixSetOrder>().resultText);
    ASSERT_TRUE(rec.log.WaitCode(1016, from));

    from = rec.log.Size();
    sFFixCancelOrder cancel{};
    tradeapi::SetFixedText(cancel.orderCode, code);
    ASSERT_GT(api->ReqCancelOrder(&cancel, 701), 0);
    ASSERT_EQ(Codes(rec.log, from, 3), (std::vector<int>{1026, 1022, 1016}));
    const auto events = rec.log.Snapshot();
    EXPECT_EQ(events[from].info.errorId, 0);
    EXPECT_DOUBLE_EQ(events[from + 1].As<sFFixLimitOrder>().quantityOrder, 0.0);

    ASSERT_GT(api->ReqCancelOrder(&cancel, 702), 0);
    answer = rec.log.WaitFor([](const Event& e) { return e.code == 1026 && e.requestId == 702; }, from);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->info.errorId, 32);
}

TEST_F(ClientSim, ModifiedHoldBillIsPushedWithItsNewStopLoss)
{
    TradeRecorder rec;
    TradePtr api = LoggedInTrade(rec);
    const std::size_t from = rec.log.Size();
    sFFixModifyOrder modify{};
    tradeapi::SetFixedText(modify.orderCode, "H0001");
    modify.stopLoss = 4500;
    modify.takeProfit = 5600;
    ASSERT_GT(api->ReqModifyOrder(&modify, 800), 0);
    ASSERT_EQ(Codes(rec.log, from, 2), (std::vector<int>{1028, 1018}));
    const auto hold = rec.log.Snapshot()[from + 1].As<sFFixHoldDetail>();
    EXPECT_DOUBLE_EQ(hold.stopLoss, 4500.0);
    EXPECT_DOUBLE_EQ(hold.takeProfit, 5600.0);
}

TEST_F(ClientSim, ClosingAHoldBillAndThenThePositionPushesClosedBillsAndEmptiesIt)
{
    TradeRecorder rec;
    TradePtr api = LoggedInTrade(rec);
    ASSERT_EQ(sim.Post("/admin/price?symbol=101&price=5000"), 200);
    std::size_t from = rec.log.Size();
    sFFixSetOrder close = MarketOrder('s', 1);
    close.orderType = '2';
    tradeapi::SetFixedText(close.closeOrderCode, "H0001");
    ASSERT_GT(api->ReqSetOrder(&close, 900), 0);
    ASSERT_EQ(Codes(rec.log, from, 6), (std::vector<int>{1009, 1010, 1021, 1018, 1017, 1016}));
    auto events = rec.log.Snapshot();
    const auto bill = events[from + 2].As<sFFixCloseBill>();
    EXPECT_EQ(FixedText(bill.orderCodeRe), "H0001");
    EXPECT_DOUBLE_EQ(bill.closePrice, 4998.0); // a buy closes at the bid
    EXPECT_DOUBLE_EQ(bill.closeProfit, (4998.0 - 4980.0) * 15);
    EXPECT_DOUBLE_EQ(events[from + 3].As<sFFixHoldDetail>().quantity, 1.0);

    from = rec.log.Size();
    sFFixPositionCloseOrder all{};
    all.accountKey = 11;
    all.symbolId = 101;
    all.side = 's';
    all.orderType = '2';
    all.quantity = 1;
    all.closeFlag = '1';
    ASSERT_GT(api->ReqPositionCloseOrder(&all, 0, 0, 901), 0);
    ASSERT_EQ(Codes(rec.log, from, 6), (std::vector<int>{1053, 1010, 1021, 1018, 1017, 1016}));
    events = rec.log.Snapshot();
    EXPECT_EQ(events[from].info.errorId, 0);
    EXPECT_DOUBLE_EQ(events[from + 3].As<sFFixHoldDetail>().quantity, 0.0);
    const auto position = events[from + 4].As<sFFixPosition>();
    EXPECT_DOUBLE_EQ(position.buyQuantity + position.sellQuantity, 0.0);
    const auto money = events[from + 5].As<sFFixMoney>();
    EXPECT_DOUBLE_EQ(money.profitClose, Account(11)["profitClose"].get<double>());
    EXPECT_DOUBLE_EQ(money.marginUsed, 0.0);
}

TEST_F(ClientSim, InjectedFailureSwallowAndDelayReachTheAnswerOfOneKind)
{
    TradeRecorder rec;
    TradePtr api = LoggedInTrade(rec);
    ASSERT_EQ(sim.Post("/admin/answer?code=1009&mode=fail&error=31"), 200);
    std::size_t from = rec.log.Size();
    const auto order = MarketOrder('b', 1);
    ASSERT_GT(api->ReqSetOrder(&order, 1001), 0);
    auto answer = rec.log.WaitCode(1009, from);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->info.errorId, 31);
    EXPECT_EQ(answer->requestId, 1001);

    ASSERT_EQ(sim.Post("/admin/answer?code=1009&mode=swallow"), 200);
    from = rec.log.Size();
    ASSERT_GT(api->ReqSetOrder(&order, 1002), 0);
    EXPECT_FALSE(rec.log.WaitCode(1009, from, 400));

    ASSERT_EQ(sim.Post("/admin/answer?code=1009&mode=delay&ms=300"), 200);
    from = rec.log.Size();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_GT(api->ReqSetOrder(&order, 1003), 0);
    ASSERT_TRUE(rec.log.WaitCode(1009, from));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
    EXPECT_EQ(sim.Post("/admin/answer?code=1234&mode=fail&error=1"), 400);
}

TEST_F(ClientSim, RefusedRequestOperationReturnsZeroUntilAllowedAgain)
{
    TradeRecorder rec;
    TradePtr api = LoggedInTrade(rec);
    ASSERT_EQ(sim.Post("/admin/refuse?codes=1007"), 200);
    const sFFixUserId user{1001};
    int result = 1;
    for(int i = 0; i < 100 && result > 0; ++i) {
        result = api->ReqQryAccount(&user, 2000 + i);
        if(result > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(result, 0);
    const auto order = MarketOrder('b', 1);
    EXPECT_GT(api->ReqSetOrder(&order, 3000), 0);
    ASSERT_EQ(sim.Post("/admin/refuse?codes="), 200);
    for(int i = 0; i < 100 && result <= 0; ++i) {
        result = api->ReqQryAccount(&user, 4000 + i);
        if(result <= 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_GT(result, 0);
}

TEST_F(ClientSim, DroppedConnectionIsReportedAndReconnectReachesTheNextAddress)
{
    TradeRecorder rec;
    TradePtr api = LoggedInTrade(rec);
    std::size_t from = rec.log.Size();
    ASSERT_EQ(sim.Post("/admin/front?name=trade1&action=drop"), 200);
    auto lost = rec.log.WaitCode(102, from);
    ASSERT_TRUE(lost);
    EXPECT_EQ(lost->value, kDisconnectByPeer);

    from = rec.log.Size();
    api->SetAddress(sim.TradeAddress(1).c_str());
    api->ReConnect(50);
    ASSERT_TRUE(rec.log.WaitCode(100, from));
    const auto req = LoginRequest("demo", "demo123");
    ASSERT_GT(api->ReqUserLogin(&req, 1), 0);
    auto answer = rec.log.WaitCode(10002, from);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->info.errorId, 0);
    const auto state = nlohmann::json::parse(sim.Get("/admin/state"));
    bool onSecond = false;
    for(const auto& s : state["sessions"])
        onSecond = onSecond || (s["front"] == "trade2" && s["login"] == "demo");
    EXPECT_TRUE(onSecond);
}

TEST_F(ClientSim, RefusingFrontFailsTheAttemptAndAcceptingAgainLetsItIn)
{
    TradeRecorder rec;
    TradePtr api(lib.NewTrade(rec));
    ASSERT_EQ(sim.Post("/admin/front?name=trade1&action=refuse"), 200);
    api->Connect(sim.TradeAddress(0).c_str());
    auto failed = rec.log.WaitCode(101);
    ASSERT_TRUE(failed);
    EXPECT_FALSE(failed->text.empty());
    ASSERT_EQ(sim.Post("/admin/front?name=trade1&action=accept"), 200);
    const std::size_t from = rec.log.Size();
    api->ReConnect(0);
    EXPECT_TRUE(rec.log.WaitCode(100, from));
}

TEST_F(ClientSim, DisconnectDuringAnAttemptStillReportsTheAttempt)
{
    TradeRecorder rec;
    TradePtr api(lib.NewTrade(rec));
    api->SetAddress(sim.TradeAddress(0).c_str());
    api->ReConnect(400);
    api->Disconnect();
    auto failed = rec.log.WaitCode(101);
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->value, kConnectCancelled);
    EXPECT_FALSE(rec.log.WaitCode(100, 0, 700));
}

TEST_F(ClientSim, DisconnectAskedByTheClientEndsInTheDisconnectCallback)
{
    TradeRecorder rec;
    TradePtr api = LoggedInTrade(rec);
    const std::size_t from = rec.log.Size();
    api->Disconnect();
    auto down = rec.log.WaitCode(102, from);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->value, kDisconnectByClient);
    const sFFixUserId user{1001};
    EXPECT_EQ(api->ReqQryAccount(&user, 5), 0);
}

TEST_F(ClientSim, BadAddressFailsTheAttempt)
{
    TradeRecorder rec;
    TradePtr api(lib.NewTrade(rec));
    api->Connect("no-port-here");
    auto failed = rec.log.WaitCode(101);
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->value, kConnectBadAddress);
}

TEST_F(ClientSim, SecondLoginOfAUserKicksTheFirstSession)
{
    TradeRecorder first, second;
    TradePtr a = LoggedInTrade(first);
    const std::size_t from = first.log.Size();
    TradePtr b = LoggedInTrade(second);
    ASSERT_TRUE(first.log.WaitCode(1005, from));
    EXPECT_TRUE(first.log.WaitCode(102, from));
    EXPECT_FALSE(second.log.WaitCode(1005, 0, 200));
}

TEST_F(ClientSim, AdminKickSendsTheNoticeAndPushReachesTheUser)
{
    TradeRecorder rec;
    TradePtr api = LoggedInTrade(rec);
    sFFixCurrencyExchangeRate rate{};
    tradeapi::SetFixedText(rate.fromCurrency, "EUR");
    tradeapi::SetFixedText(rate.toCurrency, "CNY");
    rate.rate = 7.8;
    const std::string body(reinterpret_cast<const char*>(&rate), sizeof rate);
    std::size_t from = rec.log.Size();
    ASSERT_EQ(sim.Post("/admin/push?user=demo&code=1034", body), 200);
    auto pushed = rec.log.WaitCode(1034, from);
    ASSERT_TRUE(pushed);
    EXPECT_DOUBLE_EQ(pushed->As<sFFixCurrencyExchangeRate>().rate, 7.8);
    EXPECT_EQ(sim.Post("/admin/push?user=demo&code=1034", "short"), 400);

    from = rec.log.Size();
    ASSERT_EQ(sim.Post("/admin/kick?user=demo"), 200);
    EXPECT_TRUE(rec.log.WaitCode(1005, from));
}

TEST_F(ClientSim, MarketDataLoginSubscriptionAndPricePushes)
{
    MdRecorder rec;
    MdPtr md(lib.NewMd(rec));
    md->Connect(sim.MdAddress().c_str());
    ASSERT_TRUE(rec.log.WaitCode(100));
    const auto req = LoginRequest("demo", "demo123");
    ASSERT_GT(md->ReqUserLogin(&req, 1), 0);
    auto login = rec.log.WaitCode(10002);
    ASSERT_TRUE(login);
    ASSERT_EQ(login->info.errorId, 0);

    const sFFixUserId user{1001};
    ASSERT_GT(md->ReqQrySymbolInfo(&user, 12), 0);
    ASSERT_TRUE(rec.log.WaitFor([](const Event& e) { return e.code == 1004 && e.last; }));

    const sFFixSubscribeEntry entries[] = {{101, 2}, {301, 2}, {999, 2}};
    ASSERT_GT(md->ReqSubscribeMarketData(entries, 3, 13), 0);
    auto answer = rec.log.WaitCode(1031);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->requestId, 13);
    EXPECT_EQ(answer->ids, (std::vector<int>{101, 301}));
    // The current quotes come at once, in the order of the answer.
    ASSERT_TRUE(rec.log.WaitFor(
        [](const Event& e) { return e.code == 1029 && e.As<sFFixMarketData>().symbolId == 301; }));

    std::size_t from = rec.log.Size();
    ASSERT_EQ(sim.Post("/admin/price?symbol=101&price=5123"), 200);
    // Other subscribed symbols may tick meanwhile; the move must reach this one.
    auto tick = rec.log.WaitFor(
        [](const Event& e) { return e.code == 1029 && e.As<sFFixMarketData>().symbolId == 101; }, from);
    ASSERT_TRUE(tick);
    EXPECT_DOUBLE_EQ(tick->As<sFFixMarketData>().lastPrice, 5123.0);

    // A tick carries the symbol's decimals as a number, as the symbol answer does.
    auto symbolRow = rec.log.WaitFor(
        [](const Event& e) { return e.code == 1004 && e.As<sFFixRspQrySymbolInfo>().symbolId == 301; });
    ASSERT_TRUE(symbolRow);
    ASSERT_EQ(symbolRow->As<sFFixRspQrySymbolInfo>().digits, 3);
    from = rec.log.Size();
    ASSERT_EQ(sim.Post("/admin/price?symbol=301&price=72.5"), 200);
    auto oil = rec.log.WaitFor(
        [](const Event& e) { return e.code == 1029 && e.As<sFFixMarketData>().symbolId == 301; }, from);
    ASSERT_TRUE(oil);
    EXPECT_EQ(oil->As<sFFixMarketData>().digits, 3);
    EXPECT_DOUBLE_EQ(oil->As<sFFixMarketData>().lastPrice, 72.5);
}

TEST_F(ClientSim, ReleaseWithCallbacksInFlightCallsNoneAfterwards)
{
    ASSERT_EQ(sim.Post("/admin/walk?rate=100"), 200);
    MdRecorder rec;
    CMDApi* md = lib.NewMd(rec);
    md->Connect(sim.MdAddress().c_str());
    ASSERT_TRUE(rec.log.WaitCode(100));
    const auto req = LoginRequest("demo", "demo123");
    md->ReqUserLogin(&req, 1);
    ASSERT_TRUE(rec.log.WaitCode(10002));
    const sFFixSubscribeEntry entries[] = {{101, 2}, {102, 2}, {201, 2}, {301, 2}, {401, 2}};
    md->ReqSubscribeMarketData(entries, 5, 2);
    ASSERT_TRUE(rec.log.WaitFor([&](const Event&) { return rec.ticks > 50; }, 0, 5000));
    md->Release();
    rec.released = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(rec.lateCalls, 0);
}

TEST_F(ClientSim, GetIpAnswersTheCallersAddress)
{
    EXPECT_EQ(sim.Get("/getip"), "127.0.0.1");
}

TEST(SimDaemon, StopsCleanlyOnSigtermAndRestartsOnTheSamePorts)
{
    int trade1 = 0;
    std::string ports;
    {
        SimProcess first;
        trade1 = first.TradePort(0);
        ports = std::to_string(first.TradePort(0)) + "," + std::to_string(first.TradePort(1)) + "," +
                std::to_string(first.MdPort()) + "," + std::to_string(first.HttpPort());
        // A live connection must not keep the port from being taken again.
        ClientLibrary lib;
        TradeRecorder rec;
        TradePtr api(lib.NewTrade(rec));
        api->Connect(first.TradeAddress(0).c_str());
        ASSERT_TRUE(rec.log.WaitCode(100));
        EXPECT_TRUE(first.Stop());
        EXPECT_TRUE(rec.log.WaitCode(102));
    }
    SimProcess second("--ports " + ports);
    EXPECT_EQ(second.TradePort(0), trade1);
    EXPECT_EQ(second.Get("/getip"), "127.0.0.1");
}
