#include "EventPump.h"
#include "FakeApis.h"
#include "FakeConnectionHost.h"
#include "connection/AccountStatusLines.h"
#include "connection/Client.h"
#include "connection/RequestCallBack.h"
#include "connection/RequestId.h"
#include "connection/RequestNotify.h"
#include "connection/ServerClockWindow.h"
#include "db/DateTimeText.h"
#include "db/RecordStore.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <tradeapi/FixedText.h>
#include <wx/base64.h>

namespace {

const wxDateTime kStart(8, wxDateTime::Dec, 2026, 10, 0, 0);

template <class Event, class... Args> void Feed(Client& client, CallbackCode code, Args... args)
{
    Event event(code, args...);
    client.ProcessEvent(event);
}

sFFixRspInfo Result(int errorId)
{
    sFFixRspInfo info{};
    info.errorId = errorId;
    return info;
}

sFFixRspUserLogin LoginAnswer(int userId)
{
    sFFixRspUserLogin login{};
    std::strcpy(login.loginAccount, "demo01");
    std::strcpy(login.tradingDay, "20261208");
    std::strcpy(login.serverTime, "100005");
    login.userId = userId;
    std::strcpy(login.userName, "\xe5\xbc\xa0\xe4\xb8\x89"); // UTF-8 name
    return login;
}

class RecordingCallBack : public RequestCallBack
{
public:
    void OnResponse(int requestId, int errorCode, const wxString& text) override
    {
        answers.push_back({requestId, errorCode});
        lastText = text;
    }
    void OnResponseTimeOut(int requestId) override { timeouts.push_back(requestId); }
    std::vector<std::pair<int, int>> answers;
    std::vector<int> timeouts;
    wxString lastText;
};

class ClientTest : public ::testing::Test
{
protected:
    ClientTest()
    {
        db.CreateTables();
        client = std::make_unique<Client>("demo", &db, &host);
        client->SetClock([this] { return now; });
        client->SetTradeApi(&trade);
        client->SetMdApi(&md);
        client->SetAllQueryStamps(now);
    }
    ~ClientTest() override
    {
        client->Release();
        client.reset();
        AccountStatusLines::Get().Clear();
    }

    // Trade login through the events, then forget the requests it caused.
    void LogIn(int userId = 42) { LogIn(LoginAnswer(userId)); }
    void LogIn(const sFFixRspUserLogin& answer)
    {
        client->GetTradeConnecter().StartLogin("pw");
        Feed<TradeConnectionEvent>(*client, CallbackCode::Connect, 0);
        Feed<TradeAnswerEvent<sFFixRspUserLogin>>(*client, CallbackCode::RspUserLogin, answer, Result(0), 1);
        trade.sent.clear();
        trade.calls.clear();
    }
    void Advance(long ms) { now += wxTimeSpan::Milliseconds(ms); }
    // The start-up timer of the login fires.
    void StartUpQueries()
    {
        wxTimer timer;
        wxTimerEvent event(timer);
        client->OnTimer(event);
    }
    // The answer without rows to a query the fake library took.
    void AnswerEmpty(const FakeTradeApi::Sent& query)
    {
        const int id = query.requestId;
        const std::map<std::string, std::function<void()>> answers = {
            {"ReqQryAccount", [&] { Empty<sFFixRspQryAccount>(CallbackCode::RspQryAccount, id); }},
            {"ReqQrySymbolInfo", [&] { Empty<sFFixRspQrySymbolInfo>(CallbackCode::RspQrySymbolInfo, id); }},
            {"ReqQryBinaryContract",
             [&] { Empty<sFFixBinaryContract>(CallbackCode::RspQryBinaryContract, id); }},
            {"ReqQryCurrencyExchangeRate",
             [&] { Empty<sFFixCurrencyExchangeRate>(CallbackCode::RspQryCurrencyExchangeRate, id); }},
            {"ReqQryHoldDetail", [&] { Empty<sFFixHoldDetail>(CallbackCode::RspQryHoldDetail, id); }},
            {"ReqQryPosition", [&] { Empty<sFFixPosition>(CallbackCode::RspQryPosition, id); }},
            {"ReqQryCloseBill", [&] { Empty<sFFixCloseBill>(CallbackCode::RspQryCloseBill, id); }},
            {"ReqQryLimitOrder", [&] { Empty<sFFixLimitOrder>(CallbackCode::RspQryLimitOrder, id); }},
            {"ReqQryBinaryOrer", [&] { Empty<sFFixBinaryOrer>(CallbackCode::RspQryBinaryOrder, id); }},
            {"ReqQryInOutMoney", [&] { Empty<sFFixRspInOutMoney>(CallbackCode::RspQryInOutMoney, id); }},
            {"ReqQryPayPortInfo", [&] { Empty<sFFixPayPortInfo>(CallbackCode::RspQryPayPortInfo, id); }},
            {"ReqQryDeliveryOrder",
             [&] { Empty<sFFixDeliveryOrder>(CallbackCode::RspQryDeliveryOrder, id); }},
            {"ReqQryUserInventory",
             [&] { Empty<sFFixUserInventory>(CallbackCode::RspQryUserInventory, id); }},
        };
        const auto answer = answers.find(query.operation);
        ASSERT_NE(answer, answers.end()) << query.operation;
        answer->second();
    }
    // Answers every query sent so far, and those the answers chain, except
    // the operations named.
    void AnswerAllBut(const std::vector<std::string>& unanswered = {})
    {
        for(size_t i = 0; i < trade.sent.size(); ++i) {
            const FakeTradeApi::Sent query = trade.sent[i];
            if(std::find(unanswered.begin(), unanswered.end(), query.operation) == unanswered.end()) {
                AnswerEmpty(query);
            }
        }
    }
    template <class Row> void Empty(CallbackCode code, int id)
    {
        Feed<TradeQueryRowEvent<Row>>(*client, code, Row{}, id, eLastTypeEmpty);
    }

    RecordStore db;
    FakeConnectionHost host;
    FakeTradeApi trade;
    FakeMdApi md;
    wxDateTime now = kStart;
    std::unique_ptr<Client> client;
};

TEST_F(ClientTest, TradeLoginAnswerStoresTheUserAndFillsTheStatusBar)
{
    server_time stale;
    stale.id = 1;
    stale.serverTime = kStart - wxTimeSpan::Hours(5);
    db.m_server_time_table->Upsert(stale);

    LogIn(42);

    EXPECT_EQ(client->GetTradeConnecter().GetStatus(), eLS_LoginSuccess);
    EXPECT_EQ(client->GetUserId(), 42);
    const auto& logins = db.m_user_LoginInfo_table->GetIndexByPrimary();
    ASSERT_EQ(logins.size(), 1u);
    EXPECT_EQ(logins.begin()->loginAccount, "demo01");
    EXPECT_EQ(logins.begin()->userName, wxString::FromUTF8("\xe5\xbc\xa0\xe4\xb8\x89"));
    EXPECT_EQ(logins.begin()->tradingDay.Format("%Y-%m-%d"), "2026-12-08");
    EXPECT_TRUE(db.m_server_time_table->GetIndexByPrimary().empty());
    EXPECT_EQ(host.fields[1], wxString::FromUTF8("\xe5\xbc\xa0\xe4\xb8\x89") + "|demo01");
    EXPECT_EQ(host.fields[4], "Demo Market");
    EXPECT_EQ(host.fields[3], "2026-12-08");
    // The lock screen is told the password this login used.
    EXPECT_EQ(host.acceptedPasswords, std::vector<wxString>{"pw"});
}

TEST_F(ClientTest, StartUpQueriesGo300MsAfterEachTradeLogin)
{
    LogIn(42);
    ASSERT_TRUE(PumpUntil([&] { return trade.sent.size() >= 4; }, std::chrono::milliseconds(3000)));
    const std::vector<std::string> startUp = {"ReqQryAccount", "ReqQrySymbolInfo", "ReqQryBinaryContract",
                                              "ReqQryCurrencyExchangeRate"};
    EXPECT_EQ(trade.Operations(), startUp);
    sFFixUserId account;
    std::memcpy(&account, trade.sent[0].bytes.data(), sizeof account);
    EXPECT_EQ(account.userId, 42);

    // A second login answer restarts the one-shot.
    trade.sent.clear();
    Feed<TradeAnswerEvent<sFFixRspUserLogin>>(*client, CallbackCode::RspUserLogin, LoginAnswer(42), Result(0),
                                              1);
    ASSERT_TRUE(PumpUntil([&] { return trade.sent.size() >= 4; }, std::chrono::milliseconds(3000)));
    EXPECT_EQ(trade.Operations(), startUp);
}

TEST_F(ClientTest, RefusedTradeLoginMovesTheMachineAndTellsWhyOnce)
{
    client->GetTradeConnecter().StartLogin("pw");
    Feed<TradeConnectionEvent>(*client, CallbackCode::Connect, 0);
    trade.calls.clear();
    sFFixRspInfo refusal = Result(21);
    tradeapi::SetFixedText(refusal.errorMsg, "wrong password");
    Feed<TradeAnswerEvent<sFFixRspUserLogin>>(*client, CallbackCode::RspUserLogin, LoginAnswer(42), refusal,
                                              1);

    EXPECT_EQ(client->GetTradeConnecter().GetStatus(), eLS_LoginFailed);
    EXPECT_EQ(client->GetUserId(), 0);
    EXPECT_TRUE(db.m_user_LoginInfo_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(host.fields.empty());
    EXPECT_TRUE(host.acceptedPasswords.empty());
    // The login machine and the error answer each disconnect.
    EXPECT_EQ(trade.calls, (std::vector<std::string>{"Disconnect", "Disconnect"}));

    // The next tick tells the trader, in the output and in a box.
    client->CheckPendingQueries();
    EXPECT_EQ(host.outputs, std::vector<wxString>{"Login Failed|wrong password"});
    EXPECT_TRUE(PumpUntil([&] { return !host.messageBoxes.empty(); }, std::chrono::milliseconds(3000)));
    EXPECT_EQ(host.messageBoxes, std::vector<wxString>{"Login Failed|wrong password"});
    // The same reason again is not repeated; without "showErrMsgBox", no box.
    Feed<TradeAnswerEvent<sFFixRspUserLogin>>(*client, CallbackCode::RspUserLogin, LoginAnswer(42), refusal,
                                              1);
    client->GetMdConnecter().StartLogin(wxString('x', 100));
    host.config["showErrMsgBox"] = false;
    client->CheckPendingQueries();
    PumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(host.outputs.back(), "Market Data Login Failed|login name or password too long");
    EXPECT_EQ(host.outputs.size() + host.messageBoxes.size(), 3u);
}

struct StampCase
{
    CallbackCode code;
    Client::QueryKind kind;
};

TEST_F(ClientTest, AnswerCodesClearTheirQueryStampBeforeTheHandler)
{
    const StampCase cases[] = {
        {CallbackCode::RspQryAccount, Client::eQryAccount},
        {CallbackCode::RspQrySymbolInfo, Client::eQrySymbolInfo},
        {CallbackCode::RspQryHoldDetail, Client::eQryHoldDetail},
        {CallbackCode::RspQryCloseBill, Client::eQryCloseBill},
        {CallbackCode::RspQryLimitOrder, Client::eQryLimitOrder},
        {CallbackCode::RspQryInOutMoney, Client::eQryInOutMoney},
        {CallbackCode::RspQryCurrencyExchangeRate, Client::eQryCurrencyExchangeRate},
        {CallbackCode::RspQryBinaryContract, Client::eQryBinaryContract},
        {CallbackCode::RspQryDeliveryOrder, Client::eQryDeliveryOrder},
        {CallbackCode::RspQryBinaryOrder, Client::eQryBinaryOrder},
        {CallbackCode::RspQryPosition, Client::eQryPosition},
        {CallbackCode::RspQryBonusPoint, Client::eQryBonusPoint},
        {CallbackCode::RspQryUserInventory, Client::eQryUserInventory},
        {CallbackCode::RspQrySymbolInventory, Client::eQrySymbolInventory},
    };
    for(const StampCase& c : cases) {
        client->SetAllQueryStamps(now);
        switch(c.code) {
        case CallbackCode::RspQryAccount:
            Feed<TradeQueryRowEvent<sFFixRspQryAccount>>(*client, CallbackCode::RspQryAccount,
                                                         sFFixRspQryAccount{}, 5, eLastTypeEmpty);
            break;
        case CallbackCode::RspQrySymbolInfo:
            Feed<TradeQueryRowEvent<sFFixRspQrySymbolInfo>>(*client, CallbackCode::RspQrySymbolInfo,
                                                            sFFixRspQrySymbolInfo{}, 5, eLastTypeEmpty);
            break;
        case CallbackCode::RspQryHoldDetail:
            Feed<TradeQueryRowEvent<sFFixHoldDetail>>(*client, CallbackCode::RspQryHoldDetail,
                                                      sFFixHoldDetail{}, 5, eLastTypeEmpty);
            break;
        case CallbackCode::RspQryCloseBill:
            Feed<TradeQueryRowEvent<sFFixCloseBill>>(*client, CallbackCode::RspQryCloseBill, sFFixCloseBill{},
                                                     5, eLastTypeEmpty);
            break;
        case CallbackCode::RspQryLimitOrder:
            Feed<TradeQueryRowEvent<sFFixLimitOrder>>(*client, CallbackCode::RspQryLimitOrder,
                                                      sFFixLimitOrder{}, 5, eLastTypeEmpty);
            break;
        case CallbackCode::RspQryInOutMoney:
            Feed<TradeQueryRowEvent<sFFixRspInOutMoney>>(*client, CallbackCode::RspQryInOutMoney,
                                                         sFFixRspInOutMoney{}, 5, eLastTypeEmpty);
            break;
        case CallbackCode::RspQryCurrencyExchangeRate:
            Feed<TradeQueryRowEvent<sFFixCurrencyExchangeRate>>(
                *client, CallbackCode::RspQryCurrencyExchangeRate, sFFixCurrencyExchangeRate{}, 5,
                eLastTypeEmpty);
            break;
        case CallbackCode::RspQryBinaryContract:
            Feed<TradeQueryRowEvent<sFFixBinaryContract>>(*client, CallbackCode::RspQryBinaryContract,
                                                          sFFixBinaryContract{}, 5, eLastTypeEmpty);
            break;
        case CallbackCode::RspQryDeliveryOrder:
            Feed<TradeQueryRowEvent<sFFixDeliveryOrder>>(*client, CallbackCode::RspQryDeliveryOrder,
                                                         sFFixDeliveryOrder{}, 5, eLastTypeEmpty);
            break;
        case CallbackCode::RspQryBinaryOrder:
            Feed<TradeQueryRowEvent<sFFixBinaryOrer>>(*client, CallbackCode::RspQryBinaryOrder,
                                                      sFFixBinaryOrer{}, 5, eLastTypeEmpty);
            break;
        case CallbackCode::RspQryPosition:
            Feed<TradeQueryRowEvent<sFFixPosition>>(*client, CallbackCode::RspQryPosition, sFFixPosition{}, 5,
                                                    eLastTypeEmpty);
            break;
        case CallbackCode::RspQryBonusPoint:
            Feed<TradeQueryRowEvent<sFFixBonusPoint>>(*client, CallbackCode::RspQryBonusPoint,
                                                      sFFixBonusPoint{}, 5, eLastTypeEmpty);
            break;
        case CallbackCode::RspQryUserInventory:
            Feed<TradeQueryRowEvent<sFFixUserInventory>>(*client, CallbackCode::RspQryUserInventory,
                                                         sFFixUserInventory{}, 5, eLastTypeEmpty);
            break;
        case CallbackCode::RspQrySymbolInventory:
            Feed<TradeQueryRowEvent<sFFixSymbolInventory>>(*client, CallbackCode::RspQrySymbolInventory,
                                                           sFFixSymbolInventory{}, 5, eLastTypeEmpty);
            break;
        default:
            FAIL() << "no answer event for code " << static_cast<int>(c.code);
        }
        for(int k = 0; k < Client::eQueryKindCount; ++k) {
            const auto kind = static_cast<Client::QueryKind>(k);
            EXPECT_EQ(client->GetQueryStamp(kind).IsValid(), kind != c.kind)
                << "code " << static_cast<int>(c.code) << " kind " << k;
        }
    }
}

TEST_F(ClientTest, OnlyTheTradeSymbolAnswerClearsTheSymbolStampAndMd1031ClearsTheMdStamp)
{
    Feed<MdQueryRowEvent<sFFixRspQrySymbolInfo>>(*client, CallbackCode::RspQrySymbolInfo,
                                                 sFFixRspQrySymbolInfo{}, 5, eLastTypeEmpty);
    EXPECT_TRUE(client->GetQueryStamp(Client::eQrySymbolInfo).IsValid());
    Feed<MdSubscribeEvent>(*client, CallbackCode::RspSubscribeMarketData, std::vector<int>{1}, Result(0), 6);
    EXPECT_FALSE(client->GetQueryStamp(Client::eQryMdSymbolInfo).IsValid());
}

TEST_F(ClientTest, DroppedCodesChangeNothing)
{
    LogIn();
    client->SetAllQueryStamps(now);
    const int before = g_requestId;
    Feed<TradeNoticeEvent<sFFixPayPortInfo>>(*client, CallbackCode::NtfPayPortInfo, sFFixPayPortInfo{});
    Feed<TradeNoticeEvent<sFFixModifyPassword>>(*client, CallbackCode::NtfModifyPassword,
                                                sFFixModifyPassword{});
    Feed<TradeNoticeEvent<sFFixPriceReport>>(*client, CallbackCode::NtfPriceReport, sFFixPriceReport{});
    Feed<TradeQueryRowEvent<sFFixPriceTrade>>(*client, CallbackCode::RspQryPriceTrade, sFFixPriceTrade{}, 5,
                                              eLastTypeLast);
    Feed<TradeNoticeEvent<sFFixPriceTrade>>(*client, CallbackCode::NtfPriceTrade, sFFixPriceTrade{});
    Feed<TradeInfoEvent>(*client, CallbackCode::Rsp2176, Result(3), 5);
    Feed<TradeNoticeEvent<sFFixSymbolBookingInfo>>(*client, CallbackCode::NtfSymbolBookingInfo,
                                                   sFFixSymbolBookingInfo{});
    // A payload that does not belong to its code is dropped, not misread.
    Feed<TradeConnectionEvent>(*client, CallbackCode::RspQryAccount, 0);
    Feed<MdQueryRowEvent<sFFixPriceTrade>>(*client, CallbackCode::RspQryPriceTrade, sFFixPriceTrade{}, 5,
                                           eLastTypeLast);

    EXPECT_EQ(client->GetTradeConnecter().GetStatus(), eLS_LoginSuccess);
    EXPECT_TRUE(trade.calls.empty());
    EXPECT_EQ(g_requestId, before);
    for(int k = 0; k < Client::eQueryKindCount; ++k) {
        EXPECT_EQ(client->GetQueryStamp(static_cast<Client::QueryKind>(k)), now);
    }
}

TEST_F(ClientTest, TradeDisconnectFailsEveryWaitingRequestOnceWithCodeOne)
{
    LogIn();
    RecordingCallBack window;
    RequestNotify::Get()->WaitResponse(501, &window, 10000);
    RequestNotify::Get()->WaitResponse(502, &window, 10000);

    Feed<MdConnectionEvent>(*client, CallbackCode::Disconnect, 2);
    EXPECT_TRUE(window.answers.empty());

    Advance(700);
    Feed<TradeConnectionEvent>(*client, CallbackCode::Disconnect, 1);
    ASSERT_EQ(window.answers.size(), 2u);
    EXPECT_EQ(window.answers[0].second, 1);
    EXPECT_EQ(window.answers[1].second, 1);
    EXPECT_EQ(RequestNotify::Get()->GetCount(), 0u);
    EXPECT_EQ(client->GetTradeConnecter().GetStatus(), eLS_Login1);
    EXPECT_EQ(client->GetQueryStamp(Client::eQryPosition), now);

    Feed<TradeConnectionEvent>(*client, CallbackCode::Disconnect, 1);
    EXPECT_EQ(window.answers.size(), 2u);
}

class StateListener : public wxEvtHandler
{
public:
    StateListener() { EventNotifier::Get()->Bind(wxEVT_CMD_CONNECTION_STATE, &StateListener::OnState, this); }
    ~StateListener() override
    {
        EventNotifier::Get()->Unbind(wxEVT_CMD_CONNECTION_STATE, &StateListener::OnState, this);
    }
    std::vector<wxArrayString> reports;

private:
    void OnState(wxCommandEvent& event)
    {
        reports.push_back(*static_cast<wxArrayString*>(event.GetClientData()));
        event.Skip();
    }
};

TEST_F(ClientTest, ConnectionStateIsReportedOnChangeAndWhileConnecting)
{
    StateListener listener;
    client->CheckPendingQueries();
    EXPECT_TRUE(listener.reports.empty()); // nothing changed yet

    client->GetTradeConnecter().StartLogin("pw");
    client->CheckPendingQueries();
    ASSERT_EQ(listener.reports.size(), 1u);
    const wxArrayString& state = listener.reports[0];
    ASSERT_EQ(state.size(), 4u);
    EXPECT_EQ(state[0], "Demo Market");
    EXPECT_EQ(state[1], "demo");
    EXPECT_EQ(state[2], "Trade|1");
    EXPECT_EQ(state[3], "Md|0");
    EXPECT_EQ(host.fields[5], "Demo Market\ndemo\nTrade|1\nMd|0");

    host.blinkPhase = 2; // connecting: reported on every tick, blinking
    client->CheckPendingQueries();
    ASSERT_EQ(listener.reports.size(), 2u);
    EXPECT_EQ(listener.reports[1][2], "Trade|2");

    Feed<TradeConnectionEvent>(*client, CallbackCode::Connect, 0);
    Feed<TradeAnswerEvent<sFFixRspUserLogin>>(*client, CallbackCode::RspUserLogin, LoginAnswer(7), Result(0),
                                              1);
    // Logged in, the trading day not yet in: shown as logging in, blinking.
    client->CheckPendingQueries();
    ASSERT_EQ(listener.reports.size(), 3u);
    EXPECT_EQ(listener.reports[2][2], "Trade|2");
    EXPECT_FALSE(client->IsReady());
    trade.sent.clear(); // the login request
    StartUpQueries();
    AnswerAllBut({"ReqQryPosition"});
    host.blinkPhase = 1;
    client->CheckPendingQueries();
    ASSERT_EQ(listener.reports.size(), 4u);
    EXPECT_EQ(listener.reports[3][2], "Trade|1");
    EXPECT_EQ(host.fields[5], "Demo Market\ndemo\nTrade|1\nMd|0");

    // The last answer makes it ready: reported once.
    trade.sent.clear();
    Empty<sFFixPosition>(CallbackCode::RspQryPosition, 99);
    EXPECT_TRUE(client->IsReady());
    client->CheckPendingQueries();
    ASSERT_EQ(listener.reports.size(), 5u);
    EXPECT_EQ(listener.reports[4][2], "Trade|3");
    client->CheckPendingQueries();
    EXPECT_EQ(listener.reports.size(), 5u);

    // A lost link starts over.
    Feed<TradeConnectionEvent>(*client, CallbackCode::Disconnect, 1);
    EXPECT_FALSE(client->IsReady());
    EXPECT_FALSE(client->GetQueryCycle().HasBegun());
}

TEST_F(ClientTest, AQueryOfTheLoginsCycleIsSentAgainUntilAnsweredThoughItsTableIsFull)
{
    // A reconnection: the tables still hold the rows of the last login.
    user_Account account;
    account.accountKey = 11;
    account.bonusPoint = 0.0;
    db.m_user_Account_table->Upsert(account);
    trade_HoldBill bill;
    bill.orderCode = "H1";
    db.m_trade_HoldBill_table->Insert(bill);
    trade_Position position;
    position.symbolId = 3;
    db.m_trade_Position_table->Insert(position);
    host.config["HideStoreOrderPane"] = true;
    LogIn();
    StartUpQueries();
    // The market answers all but the account, hold and position queries;
    // the position answer has begun.
    AnswerAllBut({"ReqQryAccount", "ReqQryHoldDetail", "ReqQryPosition"});
    const auto positionQuery =
        std::find_if(trade.sent.begin(), trade.sent.end(),
                     [](const FakeTradeApi::Sent& q) { return q.operation == "ReqQryPosition"; });
    ASSERT_NE(positionQuery, trade.sent.end());
    Feed<TradeQueryRowEvent<sFFixPosition>>(*client, CallbackCode::RspQryPosition, sFFixPosition{},
                                            positionQuery->requestId, eLastTypeMore);
    Advance(2000);
    Feed<TradeQueryRowEvent<sFFixPosition>>(*client, CallbackCode::RspQryPosition, sFFixPosition{},
                                            positionQuery->requestId, eLastTypeMore);
    EXPECT_FALSE(client->IsReady());

    trade.sent.clear();
    Advance(1001);
    client->CheckPendingQueries();
    EXPECT_EQ(trade.Operations(), (std::vector<std::string>{"ReqQryAccount", "ReqQryHoldDetail"}))
        << "the position's answer is still coming";

    // Refused by the library: tried again after the same wait.
    trade.sent.clear();
    trade.result = 0;
    Advance(3001);
    client->CheckPendingQueries();
    EXPECT_EQ(trade.Operations(),
              (std::vector<std::string>{"ReqQryAccount", "ReqQryHoldDetail", "ReqQryPosition"}));
    trade.result = 1;
    trade.sent.clear();
    Advance(3000);
    client->CheckPendingQueries();
    EXPECT_TRUE(trade.sent.empty()) << "3000 ms is not overdue";
    Advance(1);
    client->CheckPendingQueries();
    ASSERT_EQ(trade.Operations(),
              (std::vector<std::string>{"ReqQryAccount", "ReqQryHoldDetail", "ReqQryPosition"}));

    // Their answers end the cycle and sweep what the market no longer has.
    AnswerAllBut();
    EXPECT_TRUE(client->IsReady());
    EXPECT_TRUE(db.m_user_Account_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(db.m_trade_HoldBill_table->GetIndexByPrimary().empty());
    EXPECT_TRUE(db.m_trade_Position_table->GetIndexByPrimary().empty());
    trade.sent.clear();
    Advance(10000);
    client->CheckPendingQueries();
    EXPECT_TRUE(trade.sent.empty()) << "all answered: nothing is asked again";
}

TEST_F(ClientTest, ServerClockIgnoresUpToOneSecondBehindAndFollowsAnythingElse)
{
    const wxTimeSpan ahead = wxTimeSpan::Seconds(10);
    client->SyncServerClock(now + ahead);
    EXPECT_EQ(client->GetServerTimeOffset(), ahead);

    client->SyncServerClock(now + ahead - wxTimeSpan::Milliseconds(500));
    EXPECT_EQ(client->GetServerTimeOffset(), ahead);
    client->SyncServerClock(now + ahead - wxTimeSpan::Milliseconds(1000));
    EXPECT_EQ(client->GetServerTimeOffset(), ahead);
    client->SyncServerClock(now + ahead - wxTimeSpan::Milliseconds(1500));
    EXPECT_EQ(client->GetServerTimeOffset(), ahead - wxTimeSpan::Milliseconds(1500));
    client->SyncServerClock(now + ahead + wxTimeSpan::Milliseconds(1));
    EXPECT_EQ(client->GetServerTimeOffset(), ahead + wxTimeSpan::Milliseconds(1));
}

TEST(ServerClockWindow, AQuoteTimeCountsOnlyWithinAMinuteOfTheExpectedTime)
{
    const wxDateTime expected(8, wxDateTime::Dec, 2026, 10, 0, 0);
    const struct
    {
        long offsetMs;
        bool within;
    } cases[] = {{0, true},       {60000, true},   {-60000, true},         {60001, false},
                 {-60001, false}, {540000, false}, {-86400000L * 3, false}};
    for(const auto& c : cases) {
        EXPECT_EQ(IsWithinServerClockWindow(expected + wxTimeSpan::Milliseconds(c.offsetMs), expected),
                  c.within)
            << c.offsetMs;
    }
    EXPECT_FALSE(IsWithinServerClockWindow(wxDefaultDateTime, expected));
}

TEST_F(ClientTest, AQuoteFarFromTheLoginsClockLeavesTheServerClockAlone)
{
    symbol_price price;
    price.symbolId = 5;
    db.m_symbol_price_table->Insert(price);
    // The login answer's time of day is today's: so is the clock here.
    now = wxDateTime::Today() + wxTimeSpan::Hours(10);
    LogIn(); // the login answer says 10:00:05: the server is 5 s ahead
    ASSERT_EQ(client->GetServerTimeOffset(), wxTimeSpan::Seconds(5));

    sFFixMarketData tick{};
    tick.symbolId = 5;
    tick.lastPrice = 3.0;
    std::strcpy(tick.quoteDate, now.Format("%Y%m%d").utf8_str());
    std::strcpy(tick.quoteTime, "100900"); // nine minutes ahead
    Feed<MdNoticeEvent<sFFixMarketData>>(*client, CallbackCode::NtfMarketData, tick);
    EXPECT_EQ(client->GetServerTimeOffset(), wxTimeSpan::Seconds(5));
    client->AdvanceServerClock(now);
    EXPECT_EQ(db.m_server_time_table->GetIndexByPrimary().begin()->serverTime, now + wxTimeSpan::Seconds(5));

    std::strcpy(tick.quoteTime, "100105"); // the login's clock and a minute
    Feed<MdNoticeEvent<sFFixMarketData>>(*client, CallbackCode::NtfMarketData, tick);
    EXPECT_EQ(client->GetServerTimeOffset(), wxTimeSpan::Seconds(65));
}

TEST_F(ClientTest, TheShownServerTimeTakesTheMarketsDateFromTheLoginAndQuotesOfTheTradingDay)
{
    symbol_price price;
    price.symbolId = 5;
    db.m_symbol_price_table->Insert(price);
    const struct
    {
        const char *machine, *serverTime, *tradingDay, *quoteDate, *shown;
    } cases[] = {
        {"20261209T235950", "000005", "20261210", "", "2026-12-10 00:00:05"}, // the market past midnight
        {"20261210T000005", "235955", "20261209", "", "2026-12-09 23:59:55"}, // the machine past midnight
        {"20261209T100000", "100000", "20261210", "20261210", "2026-12-10 10:00:01"}, // a day ahead
        {"20261210T100000", "100000", "20261209", "20261209", "2026-12-09 10:00:01"}, // a day behind
        {"20261209T100000", "100000", "20261209", "20261208", "2026-12-09 10:00:00"}, // a stale quote
    };
    for(const auto& c : cases) {
        now = ParseCompactDateTime(c.machine);
        sFFixRspUserLogin answer = LoginAnswer(42);
        std::strcpy(answer.serverTime, c.serverTime);
        std::strcpy(answer.tradingDay, c.tradingDay);
        LogIn(answer);
        client->AdvanceServerClock(now);
        sFFixMarketData tick{};
        tick.symbolId = 5;
        std::strcpy(tick.quoteDate, c.quoteDate);
        std::strcpy(tick.quoteTime, "100001");
        Feed<MdNoticeEvent<sFFixMarketData>>(*client, CallbackCode::NtfMarketData, tick);
        client->AdvanceServerClock(now);
        EXPECT_EQ(db.m_server_time_table->GetIndexByPrimary().begin()->serverTime.Format("%Y-%m-%d %H:%M:%S"),
                  c.shown)
            << c.serverTime << " " << c.quoteDate;
    }
}

TEST_F(ClientTest, ShownServerTimeOnlyMovesForwardAndOnlyWhileLoggedIn)
{
    client->AdvanceServerClock(now);
    EXPECT_TRUE(db.m_server_time_table->GetIndexByPrimary().empty());

    LogIn();
    const wxTimeSpan offset = client->GetServerTimeOffset();
    client->AdvanceServerClock(now);
    ASSERT_EQ(db.m_server_time_table->GetIndexByPrimary().size(), 1u);
    EXPECT_EQ(db.m_server_time_table->GetIndexByPrimary().begin()->serverTime, now + offset);

    client->AdvanceServerClock(now - wxTimeSpan::Seconds(3));
    EXPECT_EQ(db.m_server_time_table->GetIndexByPrimary().begin()->serverTime, now + offset);
    client->AdvanceServerClock(now + wxTimeSpan::Seconds(1));
    EXPECT_EQ(db.m_server_time_table->GetIndexByPrimary().begin()->serverTime,
              now + offset + wxTimeSpan::Seconds(1));
}

TEST_F(ClientTest, EmptyTablesAreReQueriedOnlyWhenMoreThan3000MsLate)
{
    LogIn();
    client->SetAllQueryStamps(now);
    Advance(3000);
    client->CheckPendingQueries();
    EXPECT_TRUE(trade.sent.empty()) << "3000 ms is not late";

    Advance(1);
    client->CheckPendingQueries();
    EXPECT_EQ(trade.Operations(),
              (std::vector<std::string>{"ReqQryAccount", "ReqQrySymbolInfo", "ReqQryCurrencyExchangeRate",
                                        "ReqQryBinaryContract", "ReqQryDeliveryOrder", "ReqQryHoldDetail",
                                        "ReqQryPosition", "ReqQryCloseBill", "ReqQryLimitOrder",
                                        "ReqQryInOutMoney", "ReqQryBinaryOrer", "ReqQryUserInventory"}));

    // Each re-send took a new stamp: nothing again until 3000 ms later.
    trade.sent.clear();
    Advance(3000);
    client->CheckPendingQueries();
    EXPECT_TRUE(trade.sent.empty());
}

TEST_F(ClientTest, AnswerThatHasBegunOrFilledTableIsNotReQueried)
{
    LogIn();
    client->SetAllQueryStamps(now);
    Feed<TradeQueryRowEvent<sFFixRspQryAccount>>(*client, CallbackCode::RspQryAccount, sFFixRspQryAccount{},
                                                 5, eLastTypeMore);
    trade_Position position;
    position.symbolId = 3;
    db.m_trade_Position_table->Insert(position);
    host.config["HideStoreOrderPane"] = true;

    Advance(5000);
    client->CheckPendingQueries();
    const auto sent = trade.Operations();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "ReqQryAccount"), 0);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "ReqQryPosition"), 0);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "ReqQryUserInventory"), 0);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "ReqQryHoldDetail"), 1);
}

TEST_F(ClientTest, UserInventoryIsReQueriedUntilThreeWereAccepted)
{
    LogIn();
    int inventoryQueries = 0;
    for(int tick = 0; tick < 6; ++tick) {
        trade.sent.clear();
        Advance(3001);
        client->CheckPendingQueries();
        const auto sent = trade.Operations();
        inventoryQueries += static_cast<int>(std::count(sent.begin(), sent.end(), "ReqQryUserInventory"));
    }
    EXPECT_EQ(inventoryQueries, 3);
    EXPECT_EQ(client->GetUserInventoryQueries(), 3);
}

TEST_F(ClientTest, BonusPointsAreAskedForUntilAnAccountHasOne)
{
    LogIn();
    user_Account account;
    account.accountKey = 11;
    account.bonusPoint = -1.0;
    db.m_user_Account_table->Upsert(account);

    Advance(3001);
    client->CheckPendingQueries();
    auto sent = trade.Operations();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "ReqQryBonusPoint"), 1);

    account.bonusPoint = 0.0;
    db.m_user_Account_table->Upsert(account);
    trade.sent.clear();
    Advance(3001);
    client->CheckPendingQueries();
    sent = trade.Operations();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "ReqQryBonusPoint"), 0);
}

TEST_F(ClientTest, RefusedRequestUsesUpItsIdAndKeepsItsStamp)
{
    LogIn();
    const wxDateTime stamp = client->GetQueryStamp(Client::eQryAccount);
    trade.result = 0;
    const int before = g_requestId;
    Advance(10);
    EXPECT_EQ(client->ReqQryAccount(), -1);
    EXPECT_EQ(client->GetQueryStamp(Client::eQryAccount), stamp);
    trade.result = 1;
    EXPECT_EQ(client->ReqQryAccount(), before + 2);
    EXPECT_EQ(client->GetQueryStamp(Client::eQryAccount), now);
}

TEST_F(ClientTest, EveryRequestOfAWindowLeavesWithItsOperationAndTheNextId)
{
    sFFixSetOrder order{};
    sFFixModifyOrder modify{};
    sFFixCancelOrder cancel{};
    sFFixPositionCloseOrder close{};
    close.symbolId = 77;
    sFFixHoldBillDelivery delivery{};
    sFFixModifyPassword password{};
    sFFixFinancingGoods goods{};
    sFFixMasterAccount master{};
    sFFixMoveMoney move{};
    sFFixSetSuretyMoney surety{};
    const int first = g_requestId + 1;
    const std::vector<int> ids = {client->ReqSetOrder(&order),
                                  client->ReqModifyOrder(&modify),
                                  client->ReqCancelOrder(&cancel),
                                  client->ReqPositionCloseOrder(&close),
                                  client->ReqHoldBillDelivery(&delivery),
                                  client->ReqModifyPassword(&password),
                                  client->ReqFinancingGoods(&goods),
                                  client->ReqMasterAccount(&master),
                                  client->ReqMoveMoney(&move),
                                  client->ReqSetSuretyMoney(&surety)};
    const std::vector<std::string> operations = {
        "ReqSetOrder",         "ReqModifyOrder",    "ReqCancelOrder",    "ReqPositionCloseOrder",
        "ReqHoldBillDelivery", "ReqModifyPassword", "ReqFinancingGoods", "ReqMasterAccount",
        "ReqMoveMoney",        "ReqSetSuretyMoney"};
    ASSERT_EQ(trade.Operations(), operations);
    for(std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_EQ(ids[i], first + static_cast<int>(i)) << operations[i];
        EXPECT_EQ(trade.sent[i].requestId, ids[i]) << operations[i];
    }
    sFFixPositionCloseOrder sent{};
    ASSERT_EQ(trade.sent[3].bytes.size(), sizeof(sent));
    std::memcpy(&sent, trade.sent[3].bytes.data(), sizeof(sent));
    EXPECT_EQ(sent.symbolId, 77);

    // None to send takes no id; a refusal uses its id up.
    const int next = g_requestId;
    EXPECT_EQ(client->ReqSetOrder(nullptr), -1);
    EXPECT_EQ(g_requestId, next);
    trade.result = 0;
    EXPECT_EQ(client->ReqSetOrder(&order), -1);
    EXPECT_EQ(g_requestId, next + 1);

    // The market-data side takes the same counter.
    db.m_symbol_Info_table->Insert(symbol_Info{});
    client->ReqSubscribeSymbolList();
    EXPECT_EQ(md.requests.back(), "ReqSubscribeMarketData");
    EXPECT_EQ(g_requestId, next + 2);

    // Without the library objects nothing goes and no id is taken.
    client->Release();
    trade.result = 1;
    EXPECT_EQ(client->ReqSetOrder(&order), -1);
    EXPECT_EQ(g_requestId, next + 2);
    EXPECT_EQ(trade.sent.size(), ids.size() + 1);
}

TEST_F(ClientTest, OnlyWhileEmptyQueriesTakeNoIdOnceTheirTableIsFilled)
{
    LogIn();
    sys_CurrencyExchangeRate rate;
    rate.fromCurrency = "USD";
    rate.toCurrency = "CNY";
    rate.rate = 7.1;
    db.m_sys_CurrencyExchangeRate_table->Insert(rate);
    trade_priceLevel level{};
    db.m_trade_priceLevel_table->Insert(level);

    const int before = g_requestId;
    EXPECT_EQ(client->ReqQryCurrencyExchangeRate(), -1);
    EXPECT_EQ(client->ReqQryPriceReport(3), -1);
    EXPECT_EQ(g_requestId, before);
    EXPECT_TRUE(trade.sent.empty());

    EXPECT_EQ(client->ReqQrySysPayPortInfo(), before + 1);
    ASSERT_EQ(trade.sent.size(), 1u);
    EXPECT_EQ(trade.sent[0].operation, "ReqQrySysPayPortInfo");
}

TEST_F(ClientTest, SubscriptionListsEverySymbolInAscendingIdWithModeTwo)
{
    client->ReqSubscribeSymbolList();
    EXPECT_TRUE(md.subscriptions.empty()); // no symbols, nothing sent
    for(int id : {9, 2, 5}) {
        symbol_Info symbol;
        symbol.symbolId = id;
        db.m_symbol_Info_table->Insert(symbol);
    }
    client->SetAllQueryStamps(wxDefaultDateTime);
    client->ReqSubscribeSymbolList();
    ASSERT_EQ(md.subscriptions.size(), 1u);
    const auto& entries = md.subscriptions[0];
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].symbolId, 2);
    EXPECT_EQ(entries[1].symbolId, 5);
    EXPECT_EQ(entries[2].symbolId, 9);
    EXPECT_EQ(entries[2].mode, 2);
    EXPECT_EQ(client->GetQueryStamp(Client::eQryMdSymbolInfo), now);
}

TEST_F(ClientTest, FirstSubscriptionAfterMdLoginGoesOnTheFirstTickPast100Ms)
{
    LogIn();
    symbol_Info symbol;
    symbol.symbolId = 4;
    db.m_symbol_Info_table->Insert(symbol);
    client->GetMdConnecter().StartLogin("pw");
    Feed<MdConnectionEvent>(*client, CallbackCode::Connect, 0);
    Feed<MdAnswerEvent<sFFixRspUserLogin>>(*client, CallbackCode::RspUserLogin, LoginAnswer(42), Result(0),
                                           1);
    EXPECT_EQ(md.requests.back(), "ReqQrySymbolInfo");
    EXPECT_EQ(client->GetMdQueryDelayMs(), 100);
    client->SetAllQueryStamps(now);

    Advance(100);
    client->CheckPendingQueries();
    EXPECT_TRUE(md.subscriptions.empty());
    Advance(1);
    client->CheckPendingQueries();
    EXPECT_EQ(md.subscriptions.size(), 1u);
    EXPECT_EQ(client->GetMdQueryDelayMs(), 3000);

    Advance(3000);
    client->CheckPendingQueries();
    EXPECT_EQ(md.subscriptions.size(), 1u);
    Advance(1);
    client->CheckPendingQueries();
    EXPECT_EQ(md.subscriptions.size(), 2u);
}

TEST_F(ClientTest, BankPasswordLeavesMaskedWithTheRequestId)
{
    LogIn();
    sFFixReqInOutMoney request{};
    std::strcpy(request.bankPassword, "123456");
    const int id = client->ReqInOutMoney(&request);
    ASSERT_NE(id, -1);
    ASSERT_EQ(trade.sent.size(), 1u);
    EXPECT_EQ(trade.sent[0].requestId, id);
    sFFixReqInOutMoney sent;
    std::memcpy(&sent, trade.sent[0].bytes.data(), sizeof sent);
    const wxMemoryBuffer bytes = wxBase64Decode(wxString(sent.bankPassword));
    ASSERT_EQ(bytes.GetDataLen(), 6u);
    const auto* masked = static_cast<const unsigned char*>(bytes.GetData());
    for(int i = 0; i < 6; ++i) {
        const unsigned keyByte = (static_cast<unsigned>(id) >> (8 * (i % 4))) & 0xffu;
        EXPECT_EQ(static_cast<char>(masked[i] ^ keyByte), "123456"[i]);
    }

    sFFixRegistPayPort tooLong{};
    std::memset(tooLong.bankPassword, '7', 19);
    EXPECT_EQ(client->ReqRegistPayPort(&tooLong), -1);
    EXPECT_EQ(trade.sent.size(), 1u);
}

TEST_F(ClientTest, ReleaseDropsEveryLibraryPointerAndRequestsFail)
{
    client->Release();
    EXPECT_EQ(trade.released, 1);
    EXPECT_EQ(md.released, 1);
    EXPECT_EQ(client->GetTradeApi(), nullptr);
    EXPECT_EQ(client->GetMdApi(), nullptr);
    EXPECT_EQ(client->GetTradeConnecter().GetApi(), nullptr);
    EXPECT_EQ(client->GetMdConnecter().GetApi(), nullptr);
    EXPECT_EQ(client->GetTradeClient(), nullptr);
    EXPECT_EQ(client->GetMdClient(), nullptr);
    EXPECT_EQ(client->ReqQryAccount(), -1);
    sFFixReqInOutMoney request{};
    EXPECT_EQ(client->ReqInOutMoney(&request), -1);
    client->GetTradeConnecter().StartLogin("pw");
    EXPECT_TRUE(trade.calls.empty());
    client->Release(); // twice is harmless
    EXPECT_EQ(trade.released, 1);
}

trade_BinaryOrder Running(const char* code, const wxDateTime& open, const wxDateTime& expire,
                          char state = '3')
{
    trade_BinaryOrder order;
    order.orderCode = code;
    order.openTime = open;
    order.expireTime = expire;
    order.orderState = state;
    return order;
}

TEST_F(ClientTest, RunningBinaryOrdersCountDownAgainstTheServerClock)
{
    LogIn();
    const wxDateTime server = now + client->GetServerTimeOffset();
    auto& orders = *db.m_trade_BinaryOrder_table;
    orders.Upsert(Running("past", server - wxTimeSpan::Seconds(60), server - wxTimeSpan::Seconds(1)));
    orders.Upsert(Running("live", server - wxTimeSpan::Seconds(10), server + wxTimeSpan::Seconds(20)));
    orders.Upsert(Running("later", server + wxTimeSpan::Seconds(5), server + wxTimeSpan::Seconds(35)));
    orders.Upsert(
        Running("settled", server - wxTimeSpan::Seconds(10), server + wxTimeSpan::Seconds(20), '2'));
    // Times the market put decades apart give the int's limits, not a wrapped count.
    orders.Upsert(Running("decades", server - wxTimeSpan::Seconds(1), server + wxTimeSpan::Days(365 * 70)));
    orders.Upsert(
        Running("opens later", server + wxTimeSpan::Days(365 * 70), server + wxTimeSpan::Seconds(5)));

    client->CheckPendingQueries();

    auto remaining = [&](const char* code) {
        return orders.GetIndexByPrimary().find(wxString(code))->remainingMs;
    };
    EXPECT_EQ(remaining("past"), 1);
    EXPECT_EQ(remaining("live"), 20000);
    EXPECT_EQ(remaining("later"), 30000);
    EXPECT_EQ(remaining("settled"), 0);
    EXPECT_EQ(remaining("decades"), std::numeric_limits<int>::max());
    EXPECT_EQ(remaining("opens later"), std::numeric_limits<int>::min());
}

TEST_F(ClientTest, AccountLinesRotateThroughEveryAccountWithItsColour)
{
    client->RotateAccountStatus();
    EXPECT_TRUE(host.fields.empty());

    AccountStatusLines::Get().SetLine(7, "first");
    AccountStatusLines::Get().SetLine(3, "second");
    client->RotateAccountStatus();
    EXPECT_EQ(host.fields[2], "first");
    EXPECT_EQ(host.colours[2], StatusColour::Black);
    client->RotateAccountStatus();
    EXPECT_EQ(host.fields[2], "second");
    EXPECT_EQ(host.colours[2], StatusColour::Blue);
    AccountStatusLines::Get().SetLine(7, "first again");
    client->RotateAccountStatus();
    EXPECT_EQ(host.fields[2], "first again");
    EXPECT_EQ(host.colours[2], StatusColour::Black);
}

} // namespace
