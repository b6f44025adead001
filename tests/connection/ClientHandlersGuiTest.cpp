// Answers and pushes fed through the Client's dispatcher as the library's
// events, checked in the record tables, the output window, the log and the
// waiting windows.
#include "EventPump.h"
#include "FakeApis.h"
#include "FakeConnectionHost.h"
#include "LogCapture.h"
#include "connection/AccountStatusLines.h"
#include "connection/Client.h"
#include "connection/RequestCallBack.h"
#include "connection/RequestId.h"
#include "connection/RequestNotify.h"
#include "db/CActionTrigger.h"
#include "db/CCommitTrigger.h"
#include "db/RecordStore.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <tradeapi/FixedText.h>

namespace {

using tradeapi::SetFixedText;

const wxDateTime kStart(8, wxDateTime::Dec, 2026, 10, 0, 0);

template <class Event, class... Args> void Feed(Client& client, CallbackCode code, Args... args)
{
    Event event(code, args...);
    client.ProcessEvent(event);
}

sFFixRspInfo Result(int errorId, const char* text = "")
{
    sFFixRspInfo info{};
    info.errorId = errorId;
    SetFixedText(info.errorMsg, text);
    return info;
}

sFFixRspQrySymbolInfo SymbolRow(int symbolId, int marketId, const char* code, double last = 10.0)
{
    sFFixRspQrySymbolInfo row{};
    row.accountKey = 7;
    row.symbolId = symbolId;
    row.marketId = marketId;
    row.digits = 2;
    SetFixedText(row.currency, "CNY");
    SetFixedText(row.symbolCode, code);
    SetFixedText(row.symbolName, std::string("N-") + code);
    row.contractSize = 100;
    row.marketType = '2';
    row.lastPrice = last;
    SetFixedText(row.quoteDate, "20261208");
    SetFixedText(row.quoteTime, "095959");
    return row;
}

sFFixRspQryAccount AccountRow(int key, int marketId, double remain = 1000.0)
{
    sFFixRspQryAccount row{};
    row.accountKey = key;
    row.marketId = marketId;
    row.marginRemain = remain;
    row.marginUsed = 100.0;
    row.netValue = remain;
    row.riskKind = '2';
    SetFixedText(row.currency, "CNY");
    SetFixedText(row.marketName, "Spot");
    return row;
}

sFFixHoldDetail HoldRow(const char* code, int symbolId, double quantity, double holdPrice = 9.0)
{
    sFFixHoldDetail row{};
    row.accountKey = 7;
    row.side = 'b';
    row.symbolId = symbolId;
    row.quantity = quantity;
    row.holdPrice = holdPrice;
    SetFixedText(row.orderCode, code);
    return row;
}

sFFixLimitOrder LimitRow(const char* code, int symbolId, double ordered, double done, double price = 9.5)
{
    sFFixLimitOrder row{};
    row.accountKey = 7;
    row.side = 'b';
    row.limitType = '1';
    row.symbolId = symbolId;
    row.quantityOrder = ordered;
    row.quantityComplete = done;
    row.orderPrice = price;
    SetFixedText(row.orderCode, code);
    return row;
}

template <class Record> class Counter : public CActionTrigger<Record>
{
public:
    void afterAdd(const Record&, CTransaction*, void*) override { ++adds; }
    void afterUpdate(const Record&, CTransaction*, void*) override { ++updates; }
    bool beforeRemove(const Record&, CTransaction*, void*) override
    {
        ++removes;
        return true;
    }
    int adds = 0;
    int updates = 0;
    int removes = 0;
};

class MoneyCommits : public CCommitTrigger<am_AmountInOut>
{
public:
    void commitUpdate(const am_AmountInOut&, const am_AmountInOut& stored, int) override
    {
        urls.push_back(stored.bankUrl);
    }
    std::vector<wxString> urls;
};

class RecordingCallBack : public RequestCallBack
{
public:
    void OnResponse(int requestId, int errorCode, const wxString& text) override
    {
        answers.push_back({requestId, errorCode});
        texts.push_back(text);
    }
    void OnResponseTimeOut(int) override {}
    std::vector<std::pair<int, int>> answers;
    std::vector<wxString> texts;
};

class HandlersTest : public ::testing::Test
{
protected:
    HandlersTest()
    {
        db.CreateTables();
        client = std::make_unique<Client>("demo", &db, &host);
        client->SetClock([this] { return now; });
        client->SetTradeApi(&trade);
        client->SetMdApi(&md);
        LogIn();
    }
    ~HandlersTest() override
    {
        client->Release();
        client.reset();
        AccountStatusLines::Get().Clear();
        RequestNotify::Release();
    }

    void LogIn()
    {
        client->GetTradeConnecter().StartLogin("pw");
        Feed<TradeConnectionEvent>(*client, CallbackCode::Connect, 0);
        sFFixRspUserLogin login{};
        SetFixedText(login.loginAccount, "demo01");
        SetFixedText(login.tradingDay, "20261208");
        login.userId = 42;
        Feed<TradeAnswerEvent<sFFixRspUserLogin>>(*client, CallbackCode::RspUserLogin, login, Result(0), 1);
        trade.sent.clear();
    }

    // The usual market: account 7 and symbols 11 (market 1) and 12 (market 2).
    void SetUpMarket()
    {
        Feed<TradeQueryRowEvent<sFFixRspQryAccount>>(*client, CallbackCode::RspQryAccount, AccountRow(7, 1),
                                                     90, eLastTypeLast);
        Feed<TradeQueryRowEvent<sFFixRspQrySymbolInfo>>(*client, CallbackCode::RspQrySymbolInfo,
                                                        SymbolRow(11, 1, "AG"), 91, eLastTypeMore);
        Feed<TradeQueryRowEvent<sFFixRspQrySymbolInfo>>(*client, CallbackCode::RspQrySymbolInfo,
                                                        SymbolRow(12, 2, "AU"), 91, eLastTypeLast);
        trade.sent.clear();
    }

    const user_Account& Account(int key) { return *db.m_user_Account_table->GetIndexByPrimary().find(key); }

    RecordStore db;
    FakeConnectionHost host;
    FakeTradeApi trade;
    FakeMdApi md;
    wxDateTime now = kStart;
    std::unique_ptr<Client> client;
};

// --- query answers -----------------------------------------------------

TEST_F(HandlersTest, SymbolAnswerFillsThreeRecordsAndThenChainsTheFollowUpQueries)
{
    Feed<TradeQueryRowEvent<sFFixRspQrySymbolInfo>>(*client, CallbackCode::RspQrySymbolInfo,
                                                    SymbolRow(11, 1, "AG", 5.5), 100, eLastTypeMore);
    EXPECT_TRUE(trade.sent.empty());
    Feed<TradeQueryRowEvent<sFFixRspQrySymbolInfo>>(*client, CallbackCode::RspQrySymbolInfo,
                                                    SymbolRow(12, 2, "AU"), 100, eLastTypeLast);

    const auto& symbols = db.m_symbol_Info_table->GetIndexByPrimary();
    ASSERT_EQ(symbols.size(), 2u);
    EXPECT_EQ(symbols.find(11)->displayOrder, 1);
    EXPECT_EQ(symbols.find(12)->displayOrder, 2);
    EXPECT_EQ(symbols.find(11)->userId, 42);
    EXPECT_EQ(db.m_symbol_Property_table->GetIndexByPrimary().find(11)->symbolName, "N-AG");
    EXPECT_DOUBLE_EQ(db.m_symbol_price_table->GetIndexByPrimary().find(11)->lastPrice, 5.5);
    const std::vector<std::string> chain = {
        "ReqQryHoldDetail",  "ReqQryPosition",      "ReqQryCloseBill",
        "ReqQryLimitOrder",  "ReqQryBinaryOrer",    "ReqQryInOutMoney",
        "ReqQryPayPortInfo", "ReqQryDeliveryOrder", "ReqQryUserInventory"};
    EXPECT_EQ(trade.Operations(), chain);

    // A later answer without symbol 12 sweeps it; hidden goods skip the inventory.
    host.config["HideStoreOrderPane"] = true;
    trade.sent.clear();
    Feed<TradeQueryRowEvent<sFFixRspQrySymbolInfo>>(*client, CallbackCode::RspQrySymbolInfo,
                                                    SymbolRow(11, 1, "AG"), 101, eLastTypeLast);
    EXPECT_EQ(symbols.size(), 1u);
    EXPECT_EQ(symbols.count(12), 0u);
    std::vector<std::string> withoutGoods(chain.begin(), chain.end() - 1);
    EXPECT_EQ(trade.Operations(), withoutGoods);
}

TEST_F(HandlersTest, SymbolAnswerOfOnlyFilteredMarketsEmptiesTheTableAndStillChains)
{
    SetUpMarket();
    host.markets.Add(9);
    Feed<TradeQueryRowEvent<sFFixRspQrySymbolInfo>>(*client, CallbackCode::RspQrySymbolInfo,
                                                    SymbolRow(11, 1, "AG"), 120, eLastTypeLast);
    EXPECT_TRUE(db.m_symbol_Info_table->GetIndexByPrimary().empty());
    ASSERT_FALSE(trade.sent.empty());
    EXPECT_EQ(trade.sent.front().operation, "ReqQryHoldDetail");
}

TEST_F(HandlersTest, MarketDataSymbolAnswerSubscribesEveryKnownSymbol)
{
    Feed<MdQueryRowEvent<sFFixRspQrySymbolInfo>>(*client, CallbackCode::RspQrySymbolInfo,
                                                 SymbolRow(11, 1, "AG"), 130, eLastTypeMore);
    EXPECT_TRUE(md.subscriptions.empty());
    Feed<MdQueryRowEvent<sFFixRspQrySymbolInfo>>(*client, CallbackCode::RspQrySymbolInfo,
                                                 SymbolRow(12, 1, "AU"), 130, eLastTypeLast);
    ASSERT_EQ(md.subscriptions.size(), 1u);
    EXPECT_EQ(md.subscriptions[0].size(), 2u);
    EXPECT_TRUE(trade.sent.empty());

    Feed<MdSubscribeEvent>(*client, CallbackCode::RspSubscribeMarketData, std::vector<int>{11, 12},
                           Result(5, "no"), 131);
    EXPECT_TRUE(client->IsMdSubscribed());
}

TEST_F(HandlersTest, TradeAndMarketDataSymbolAnswersInterleavedKeepEverySymbol)
{
    // Both links answer the symbol list at a login; a long list arrives in turns.
    using Trade = TradeQueryRowEvent<sFFixRspQrySymbolInfo>;
    using Md = MdQueryRowEvent<sFFixRspQrySymbolInfo>;
    Feed<Trade>(*client, CallbackCode::RspQrySymbolInfo, SymbolRow(11, 1, "AG"), 140, eLastTypeMore);
    Feed<Md>(*client, CallbackCode::RspQrySymbolInfo, SymbolRow(11, 1, "AG"), 141, eLastTypeMore);
    Feed<Md>(*client, CallbackCode::RspQrySymbolInfo, SymbolRow(12, 1, "AU"), 141, eLastTypeMore);
    Feed<Trade>(*client, CallbackCode::RspQrySymbolInfo, SymbolRow(12, 1, "AU"), 140, eLastTypeMore);
    Feed<Md>(*client, CallbackCode::RspQrySymbolInfo, SymbolRow(13, 1, "CU"), 141, eLastTypeLast);
    Feed<Trade>(*client, CallbackCode::RspQrySymbolInfo, SymbolRow(13, 1, "CU"), 140, eLastTypeLast);
    EXPECT_EQ(db.m_symbol_Info_table->GetIndexByPrimary().size(), 3u);
}

TEST_F(HandlersTest, LaterAnswerUpdatesRowsStillReportedAndSweepsTheOmittedOneAtItsLastRow)
{
    SetUpMarket();
    Feed<TradeQueryRowEvent<sFFixHoldDetail>>(*client, CallbackCode::RspQryHoldDetail, HoldRow("A", 11, 1),
                                              200, eLastTypeMore);
    Feed<TradeQueryRowEvent<sFFixHoldDetail>>(*client, CallbackCode::RspQryHoldDetail, HoldRow("B", 11, 1),
                                              200, eLastTypeMore);
    Feed<TradeQueryRowEvent<sFFixHoldDetail>>(*client, CallbackCode::RspQryHoldDetail, HoldRow("C", 12, 1),
                                              200, eLastTypeLast);
    auto& holds = *db.m_trade_HoldBill_table;
    ASSERT_EQ(holds.GetIndexByPrimary().size(), 3u);

    Counter<trade_HoldBill> counter;
    holds.AddActionTrigger(&counter);
    Feed<TradeQueryRowEvent<sFFixHoldDetail>>(*client, CallbackCode::RspQryHoldDetail, HoldRow("A", 11, 2),
                                              201, eLastTypeMore);
    EXPECT_EQ(counter.removes, 0);
    Feed<TradeQueryRowEvent<sFFixHoldDetail>>(*client, CallbackCode::RspQryHoldDetail, HoldRow("B", 11, 2),
                                              201, eLastTypeLast);
    holds.RemoveActionTrigger(&counter);

    EXPECT_EQ(counter.adds, 0);
    EXPECT_EQ(counter.updates, 2);
    EXPECT_EQ(counter.removes, 1);
    EXPECT_EQ(holds.GetIndexByPrimary().size(), 2u);
    EXPECT_EQ(holds.GetIndexByPrimary().count("C"), 0u);
    EXPECT_DOUBLE_EQ(holds.Find("A")->quantity, 2.0);
    EXPECT_EQ(holds.Find("A")->refreshSerial, 201u);
}

TEST_F(HandlersTest, EmptyAnswersAndRowsOfUnknownSymbolsOrFilteredMarketsStillSweep)
{
    SetUpMarket();
    Feed<TradeQueryRowEvent<sFFixLimitOrder>>(*client, CallbackCode::RspQryLimitOrder,
                                              LimitRow("L1", 11, 2, 0), 300, eLastTypeLast);
    ASSERT_EQ(db.m_trade_Limit_table->GetIndexByPrimary().size(), 1u);
    Feed<TradeQueryRowEvent<sFFixLimitOrder>>(*client, CallbackCode::RspQryLimitOrder,
                                              LimitRow("L2", 99, 2, 0), 301, eLastTypeLast);
    EXPECT_TRUE(db.m_trade_Limit_table->GetIndexByPrimary().empty());

    sFFixCloseBill bill{};
    bill.symbolId = 11;
    SetFixedText(bill.orderCode, "K1");
    Feed<TradeQueryRowEvent<sFFixCloseBill>>(*client, CallbackCode::RspQryCloseBill, bill, 302,
                                             eLastTypeLast);
    ASSERT_EQ(db.m_trade_CloseBill_table->GetIndexByPrimary().size(), 1u);
    Feed<TradeQueryRowEvent<sFFixCloseBill>>(*client, CallbackCode::RspQryCloseBill, sFFixCloseBill{}, 303,
                                             eLastTypeEmpty);
    EXPECT_TRUE(db.m_trade_CloseBill_table->GetIndexByPrimary().empty());

    host.markets.Add(2);
    sFFixPosition position{};
    position.symbolId = 11; // market 1: filtered out
    position.buyQuantity = 1;
    Feed<TradeQueryRowEvent<sFFixPosition>>(*client, CallbackCode::RspQryPosition, position, 304,
                                            eLastTypeLast);
    EXPECT_TRUE(db.m_trade_Position_table->GetIndexByPrimary().empty());
    position.symbolId = 12;
    Feed<TradeQueryRowEvent<sFFixPosition>>(*client, CallbackCode::RspQryPosition, position, 305,
                                            eLastTypeLast);
    EXPECT_EQ(db.m_trade_Position_table->GetIndexByPrimary().size(), 1u);
}

TEST_F(HandlersTest, AccountRowsPassEveryMarketStartWithUnknownBonusAndGetTheirStatusLine)
{
    host.markets.Add(9);
    Feed<TradeQueryRowEvent<sFFixRspQryAccount>>(*client, CallbackCode::RspQryAccount, AccountRow(7, 1), 400,
                                                 eLastTypeLast);
    ASSERT_EQ(db.m_user_Account_table->GetIndexByPrimary().size(), 1u);
    EXPECT_DOUBLE_EQ(Account(7).bonusPoint, -1.0);
    EXPECT_DOUBLE_EQ(Account(7).riskRate, 10.0); // net value 1000 over used margin 100
    EXPECT_EQ(Account(7).userId, 42);
    EXPECT_EQ(AccountStatusLines::Get().GetCount(), 1u);

    Feed<TradeQueryRowEvent<sFFixRspQryAccount>>(*client, CallbackCode::RspQryAccount, AccountRow(8, 1), 401,
                                                 eLastTypeLast);
    EXPECT_EQ(db.m_user_Account_table->GetIndexByPrimary().count(7), 0u);
    Feed<TradeQueryRowEvent<sFFixRspQryAccount>>(*client, CallbackCode::RspQryAccount, sFFixRspQryAccount{},
                                                 402, eLastTypeEmpty);
    EXPECT_TRUE(db.m_user_Account_table->GetIndexByPrimary().empty());
}

TEST_F(HandlersTest, HoldBillsAndTicksRefreshTheAccountsProfitAndTheServerClock)
{
    SetUpMarket();
    // One lot of 100 units bought at 9, quoted at 10: 200 for two lots.
    Feed<TradeQueryRowEvent<sFFixHoldDetail>>(*client, CallbackCode::RspQryHoldDetail,
                                              HoldRow("A", 11, 2, 9.0), 500, eLastTypeLast);
    EXPECT_DOUBLE_EQ(Account(7).profitDyn, 200.0);
    EXPECT_DOUBLE_EQ(Account(7).netValue, 1200.0);
    EXPECT_DOUBLE_EQ(Account(7).marginFree, 1100.0);
    EXPECT_DOUBLE_EQ(Account(7).riskRate, 12.0);

    const wxTimeSpan offset = client->GetServerTimeOffset();
    sFFixMarketData tick{};
    tick.symbolId = 99;
    tick.lastPrice = 1.0;
    SetFixedText(tick.quoteDate, "20261208");
    SetFixedText(tick.quoteTime, "110000");
    Feed<MdNoticeEvent<sFFixMarketData>>(*client, CallbackCode::NtfMarketData, tick);
    EXPECT_EQ(client->GetServerTimeOffset(), offset);
    EXPECT_EQ(db.m_symbol_price_table->GetIndexByPrimary().count(99), 0u);

    tick.symbolId = 11;
    tick.digits = 3; // the symbol answer said 2
    tick.lastPrice = 11.0;
    Feed<MdNoticeEvent<sFFixMarketData>>(*client, CallbackCode::NtfMarketData, tick);
    EXPECT_DOUBLE_EQ(db.m_symbol_price_table->GetIndexByPrimary().find(11)->lastPrice, 11.0);
    EXPECT_EQ(db.m_symbol_price_table->GetIndexByPrimary().find(11)->digits, 3);
    EXPECT_DOUBLE_EQ(Account(7).profitDyn, 400.0);
    // A quote an hour from the local clock is taken, but not as the time.
    EXPECT_EQ(client->GetServerTimeOffset(), offset);
    for(const char* time : {"095859", "100101"}) { // past a minute either way
        SetFixedText(tick.quoteTime, time);
        Feed<MdNoticeEvent<sFFixMarketData>>(*client, CallbackCode::NtfMarketData, tick);
        EXPECT_EQ(client->GetServerTimeOffset(), offset) << time;
    }
    SetFixedText(tick.quoteTime, "100030");
    Feed<MdNoticeEvent<sFFixMarketData>>(*client, CallbackCode::NtfMarketData, tick);
    EXPECT_EQ(client->GetServerTimeOffset(), wxTimeSpan::Seconds(30));

    // A symbol answer leaves the market-data link's live tick, and fills the
    // quote once the link is down, never as live.
    const symbol_price& quote = *db.m_symbol_price_table->GetIndexByPrimary().find(11);
    client->GetMdConnecter().StartLogin("pw");
    for(const bool mdUp : {true, false}) {
        Feed<MdConnectionEvent>(*client, mdUp ? CallbackCode::Connect : CallbackCode::Disconnect, 0);
        Feed<TradeQueryRowEvent<sFFixRspQrySymbolInfo>>(*client, CallbackCode::RspQrySymbolInfo,
                                                        SymbolRow(11, 1, "AG", 10.5), 600, eLastTypeMore);
        EXPECT_EQ(quote.live, mdUp);
        EXPECT_DOUBLE_EQ(quote.lastPrice, mdUp ? 11.0 : 10.5);
    }

    // A hold push of quantity 0 removes the bill and still refreshes.
    Feed<TradeNoticeEvent<sFFixHoldDetail>>(*client, CallbackCode::NtfHoldDetail, HoldRow("A", 11, 0));
    EXPECT_TRUE(db.m_trade_HoldBill_table->GetIndexByPrimary().empty());
    EXPECT_DOUBLE_EQ(Account(7).profitDyn, 0.0);
}

// --- pushes and notices ------------------------------------------------

TEST_F(HandlersTest, MarketOpenFillIsLoggedAndAnnouncedOtherFillsOnlyLogged)
{
    SetUpMarket();
    LogCapture log;
    sFFixTrade fill{};
    fill.accountKey = 7;
    fill.symbolId = 11;
    fill.side = 'b';
    fill.orderType = '1';
    fill.price = 10.5;
    fill.quantity = 2;
    SetFixedText(fill.orderCode, "T1");
    SetFixedText(fill.tradeTime, "101500");
    Feed<TradeNoticeEvent<sFFixTrade>>(*client, CallbackCode::NtfTrade, fill);
    ASSERT_EQ(host.outputs.size(), 1u);
    EXPECT_EQ(host.outputs[0],
              "Market Trade[T1]|symbolName[N-AG],bsCode[Buy],tradePrice[10.50],quantity[2.00]");
    EXPECT_TRUE(log.Contains("[demo01][Spot] Notify Trade : OrderCode[T1],Symbol[AG],Quantity[2.00],BS[B],"
                             "Price[10.50],OrderType[MarketOpen],TradeTime[10:15:00]"));

    fill.orderType = '2';
    Feed<TradeNoticeEvent<sFFixTrade>>(*client, CallbackCode::NtfTrade, fill);
    EXPECT_EQ(host.outputs.size(), 1u);
    EXPECT_EQ(log.lines.size(), 2u);
}

TEST_F(HandlersTest, ClosedBillIsStoredWithThePushSerialAndAnnouncedUnlessSwitchedOff)
{
    SetUpMarket();
    sFFixCloseBill bill{};
    bill.symbolId = 11;
    bill.side = 's';
    bill.closePrice = 10.0;
    bill.quantity = 1;
    bill.closeProfit = 50;
    SetFixedText(bill.orderCode, "K1");
    Feed<TradeNoticeEvent<sFFixCloseBill>>(*client, CallbackCode::NtfCloseBill, bill);
    const auto& bills = db.m_trade_CloseBill_table->GetIndexByPrimary();
    ASSERT_EQ(bills.size(), 1u);
    EXPECT_EQ(bills.begin()->refreshSerial, static_cast<uint32_t>(g_requestId));
    ASSERT_EQ(host.outputs.size(), 1u);
    EXPECT_EQ(host.outputs[0],
              "Close Trade[K1]|symbolName[N-AG],bsCode[Sell],priceClose[10.00],quantityClose[1.00],"
              "profitClose[50.00]");

    host.hiddenNotices.insert(2);
    SetFixedText(bill.orderCode, "K2");
    Feed<TradeNoticeEvent<sFFixCloseBill>>(*client, CallbackCode::NtfCloseBill, bill);
    EXPECT_EQ(bills.size(), 2u);
    EXPECT_EQ(host.outputs.size(), 1u);
}

TEST_F(HandlersTest, LimitOrderLifeGivesSetThenTradeWithStoredPriceAndPushedFillOrCancel)
{
    SetUpMarket();
    auto& limits = db.m_trade_Limit_table->GetIndexByPrimary();
    Feed<TradeNoticeEvent<sFFixLimitOrder>>(*client, CallbackCode::NtfLimitOrder, LimitRow("L1", 11, 3, 1));
    ASSERT_EQ(limits.size(), 1u);
    EXPECT_EQ(host.outputs.back(),
              "Limit Set[L1]|symbolName[N-AG],bsCode[Buy],orderPrice[9.50],quantityOrder[3.00]");

    Feed<TradeNoticeEvent<sFFixLimitOrder>>(*client, CallbackCode::NtfLimitOrder,
                                            LimitRow("L1", 11, 3, 3, 9.75));
    EXPECT_TRUE(limits.empty());
    EXPECT_EQ(host.outputs.back(),
              "Limit Trade[L1]|symbolName[N-AG],bsCode[Buy],orderPrice[9.50],quantityComplete[3.00]");

    Feed<TradeNoticeEvent<sFFixLimitOrder>>(*client, CallbackCode::NtfLimitOrder, LimitRow("L2", 11, 2, 0));
    Feed<TradeNoticeEvent<sFFixLimitOrder>>(*client, CallbackCode::NtfLimitOrder, LimitRow("L2", 11, 0, 0));
    EXPECT_TRUE(limits.empty());
    EXPECT_EQ(host.outputs.back(), "Limit Cancel[L2]|success");
    EXPECT_EQ(host.outputs.size(), 4u);
}

TEST_F(HandlersTest, FinishedPushOfAnUnknownLimitOrderIsNeverStoredOrAnnouncedAsSet)
{
    SetUpMarket();
    Feed<TradeNoticeEvent<sFFixLimitOrder>>(*client, CallbackCode::NtfLimitOrder,
                                            LimitRow("L9", 11, 2, 2, 9.25));
    EXPECT_TRUE(db.m_trade_Limit_table->GetIndexByPrimary().empty());
    ASSERT_EQ(host.outputs.size(), 1u);
    EXPECT_EQ(host.outputs[0],
              "Limit Trade[L9]|symbolName[N-AG],bsCode[Buy],orderPrice[9.25],quantityComplete[2.00]");

    Feed<TradeNoticeEvent<sFFixLimitOrder>>(*client, CallbackCode::NtfLimitOrder, LimitRow("L8", 11, 0, 0));
    EXPECT_TRUE(db.m_trade_Limit_table->GetIndexByPrimary().empty());
    EXPECT_EQ(host.outputs.size(), 1u);
}

TEST_F(HandlersTest, MoneyMovementsOfTypeInOrOutAreStoredAndAnnounced)
{
    SetUpMarket();
    sFFixRspInOutMoney move{};
    move.accountKey = 7;
    move.inOutId = 77;
    move.amount = 50;
    move.inOutType = '1';
    move.approveState = '1';
    Feed<TradeNoticeEvent<sFFixRspInOutMoney>>(*client, CallbackCode::NtfInOutMoney, move);
    ASSERT_EQ(db.m_am_AmountInOut_table->GetIndexByPrimary().size(), 1u);
    ASSERT_EQ(host.outputs.size(), 1u);
    EXPECT_EQ(host.outputs[0], "InOut Nofity[In]|amChange[50.00],amStatus[Waiting]");

    move.inOutType = '3';
    move.inOutId = 78;
    Feed<TradeNoticeEvent<sFFixRspInOutMoney>>(*client, CallbackCode::NtfInOutMoney, move);
    EXPECT_EQ(db.m_am_AmountInOut_table->GetIndexByPrimary().size(), 1u);
    EXPECT_EQ(host.outputs.size(), 1u);
}

TEST_F(HandlersTest, BankUrlStaysOnTheMovementThroughLaterRowsWithoutOne)
{
    SetUpMarket();
    sFFixPayPortInfo port{};
    port.sysPayPortId = 3;
    SetFixedText(port.currency, "CNY");
    Feed<TradeQueryRowEvent<sFFixPayPortInfo>>(*client, CallbackCode::RspQryPayPortInfo, port, 600,
                                               eLastTypeLast);
    sFFixRspInOutMoney move{};
    move.accountKey = 7;
    move.inOutId = 77;
    move.inOutType = '1';
    Feed<TradeNoticeEvent<sFFixRspInOutMoney>>(*client, CallbackCode::NtfInOutMoney, move);

    sFFixBankInUrl url{};
    url.accountKey = 7;
    url.id = 77;
    SetFixedText(url.url, "https://bank.example/pay?order=77");
    MoneyCommits commits;
    db.m_am_AmountInOut_table->AddCommitTrigger(&commits);
    Feed<TradeNoticeEvent<sFFixBankInUrl>>(*client, CallbackCode::NtfBankInUrl, url);
    db.m_am_AmountInOut_table->RemoveCommitTrigger(&commits);
    const auto& moves = db.m_am_AmountInOut_table->GetIndexByPrimary();
    EXPECT_EQ(moves.find(77)->bankUrl, "https://bank.example/pay?order=77");
    EXPECT_EQ(commits.urls, std::vector<wxString>{"https://bank.example/pay?order=77"});

    move.approveState = '2';
    Feed<TradeNoticeEvent<sFFixRspInOutMoney>>(*client, CallbackCode::NtfInOutMoney, move);
    Feed<TradeQueryRowEvent<sFFixRspInOutMoney>>(*client, CallbackCode::RspQryInOutMoney, move,
                                                 g_requestId + 1, eLastTypeLast);
    EXPECT_EQ(moves.find(77)->approveState, '2');
    EXPECT_EQ(moves.find(77)->bankUrl, "https://bank.example/pay?order=77");

    // Another account's key: the movement is left alone.
    url.accountKey = 8;
    SetFixedText(url.url, "https://bank.example/other");
    Feed<TradeNoticeEvent<sFFixBankInUrl>>(*client, CallbackCode::NtfBankInUrl, url);
    EXPECT_EQ(moves.find(77)->bankUrl, "https://bank.example/pay?order=77");

    // A signing page is an attachment, whether or not a movement has the id.
    url.id = 5;
    url.sysPayPortId = 3;
    SetFixedText(url.url, "https://bank.example/sign?qianyue=1");
    Feed<TradeNoticeEvent<sFFixBankInUrl>>(*client, CallbackCode::NtfBankInUrl, url);
    EXPECT_EQ(db.m_user_AttPay_table->GetIndexByPrimary().size(), 1u);
}

TEST_F(HandlersTest, BinaryOrderSettlementIsAnnouncedOnlyWithoutRemainingPeriod)
{
    SetUpMarket();
    sFFixBinaryOrer order{};
    order.symbolId = 11;
    order.side = 's';
    order.periodSeconds = 30;
    order.profit = 12;
    order.orderState = '3';
    SetFixedText(order.orderCode, "B1");
    TradeNoticeEvent<sFFixBinaryOrer> running(CallbackCode::NtfBinaryOrder, order);
    client->ProcessEvent(running);
    const auto& orders = db.m_trade_BinaryOrder_table->GetIndexByPrimary();
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders.begin()->localExpireTime, running.GetStamp() + wxTimeSpan::Seconds(30));
    EXPECT_TRUE(host.outputs.empty());

    order.periodSeconds = 0;
    order.orderState = '2';
    Feed<TradeNoticeEvent<sFFixBinaryOrer>>(*client, CallbackCode::NtfBinaryOrder, order);
    EXPECT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders.begin()->orderState, '2');
    ASSERT_EQ(host.outputs.size(), 1u);
    EXPECT_EQ(host.outputs[0], "MinOrder Trade[B1]|symbolName[N-AG],bsCode[Sell],profitClose[12.00]");
}

TEST_F(HandlersTest, RiskNoticesOfOneSecondStayTwoRecordsAndUnknownAccountsAreDropped)
{
    SetUpMarket();
    sFFixRiskInfo risk{};
    risk.accountKey = 7;
    risk.riskCode1 = '2';
    risk.value1 = 0.5;
    SetFixedText(risk.noticeDate, "20261208");
    SetFixedText(risk.noticeTime, "101010");
    Feed<TradeNoticeEvent<sFFixRiskInfo>>(*client, CallbackCode::NtfRiskInfo, risk);
    Feed<TradeNoticeEvent<sFFixRiskInfo>>(*client, CallbackCode::NtfRiskInfo2, risk);
    Feed<TradeNoticeEvent<sFFixRiskInfo>>(*client, CallbackCode::NtfRiskInfo2, risk);
    const auto& notices = db.m_risk_notice_table->GetIndexByPrimary();
    ASSERT_EQ(notices.size(), 2u);
    int fresh = 0;
    for(const risk_notice& n : notices) {
        fresh += n.isNew;
    }
    EXPECT_EQ(fresh, 1);

    risk.accountKey = 99;
    Feed<TradeNoticeEvent<sFFixRiskInfo>>(*client, CallbackCode::NtfRiskInfo, risk);
    EXPECT_EQ(notices.size(), 2u);
}

TEST_F(HandlersTest, PositionPushWithNothingHeldRemovesOnlyAnExistingPosition)
{
    SetUpMarket();
    sFFixPosition position{};
    position.symbolId = 11;
    Counter<trade_Position> counter;
    db.m_trade_Position_table->AddActionTrigger(&counter);
    Feed<TradeNoticeEvent<sFFixPosition>>(*client, CallbackCode::NtfPosition, position);
    EXPECT_EQ(counter.adds + counter.updates + counter.removes, 0);
    position.buyQuantity = 2;
    Feed<TradeNoticeEvent<sFFixPosition>>(*client, CallbackCode::NtfPosition, position);
    position.buyQuantity = 0;
    Feed<TradeNoticeEvent<sFFixPosition>>(*client, CallbackCode::NtfPosition, position);
    db.m_trade_Position_table->RemoveActionTrigger(&counter);
    EXPECT_EQ(counter.adds, 1);
    EXPECT_EQ(counter.removes, 1);
    EXPECT_TRUE(db.m_trade_Position_table->GetIndexByPrimary().empty());
}

TEST_F(HandlersTest, MoneyPushUpdatesTheAccountItsStatusLineAndTheLog)
{
    SetUpMarket();
    LogCapture log;
    sFFixMoney money{};
    money.accountKey = 7;
    money.marginRemain = 2000;
    money.marginUsed = 500;
    money.marginFreezed = 10;
    money.dailyCharge = 3;
    Feed<TradeNoticeEvent<sFFixMoney>>(*client, CallbackCode::NtfMoneyChanged, money);
    EXPECT_DOUBLE_EQ(Account(7).marginRemain, 2000.0);
    EXPECT_DOUBLE_EQ(Account(7).netValue, 2000.0);
    EXPECT_DOUBLE_EQ(Account(7).riskRate, 4.0);
    EXPECT_TRUE(log.Contains("[demo01][Spot] Notify Money : Remain[2000.00],Freezed[10.00],Used[500.00],"
                             "DailyCharge[3.00]"));
    const AccountStatusLine* line = AccountStatusLines::Get().Next();
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(line->text.Contains("Remain [2000.00]"));
}

TEST_F(HandlersTest, AccountCodesOfAFilteredAccountChangeWithoutTellingObservers)
{
    SetUpMarket();
    host.markets.Add(2);
    Counter<user_Account> counter;
    db.m_user_Account_table->AddActionTrigger(&counter);
    sFFixAccount codes{};
    codes.accountKey = 7;
    codes.accStatus = '5';
    codes.accountState = '1';
    Feed<TradeNoticeEvent<sFFixAccount>>(*client, CallbackCode::NtfAccount, codes);
    EXPECT_EQ(counter.updates, 0);
    EXPECT_EQ(Account(7).accStatus, '5');
    host.markets.Clear();
    codes.accStatus = '6';
    Feed<TradeNoticeEvent<sFFixAccount>>(*client, CallbackCode::NtfAccount, codes);
    db.m_user_Account_table->RemoveActionTrigger(&counter);
    EXPECT_EQ(counter.updates, 1);
    EXPECT_EQ(Account(7).accStatus, '6');
}

TEST_F(HandlersTest, KickOutLogsBothOutAndTellsTheHostOnlyAfterTheMessage)
{
    int kicked = 0;
    auto onKicked = [&](wxCommandEvent&) { ++kicked; };
    EventNotifier::Get()->Bind(wxEVT_CMD_USER_KICKED, onKicked);
    client->GetMdConnecter().StartLogin("pw");
    sFFixUserId user{};
    Feed<TradeNoticeEvent<sFFixUserId>>(*client, CallbackCode::NtfUserId, user);
    ASSERT_EQ(host.messageBoxes.size(), 1u);
    EXPECT_EQ(host.messageBoxes[0], "Notify|User Kicked");
    EXPECT_EQ(client->GetTradeConnecter().GetStatus(), eLS_Logout);
    EXPECT_EQ(client->GetMdConnecter().GetStatus(), eLS_Logout);
    EXPECT_EQ(md.calls.back(), "Disconnect");
    EXPECT_EQ(trade.calls.back(), "Disconnect");
    EXPECT_EQ(kicked, 0);
    EXPECT_TRUE(PumpUntil([&] { return kicked == 1; }, std::chrono::milliseconds(3000)));
    EventNotifier::Get()->Unbind(wxEVT_CMD_USER_KICKED, onKicked);
}

// --- request answers ---------------------------------------------------

TEST_F(HandlersTest, RequestAnswersReachTheWaitingWindowWithTheirTexts)
{
    SetUpMarket();
    RecordingCallBack window;
    RequestNotify::Get()->WaitResponse(700, &window, 10000);
    Feed<TradeInfoEvent>(*client, CallbackCode::RspModifyPassword, Result(0), 700);
    ASSERT_EQ(window.answers.size(), 1u);
    EXPECT_EQ(window.answers[0], std::make_pair(700, 0));
    EXPECT_EQ(window.texts[0], "");

    sFFixSetOrder order{};
    order.accountKey = 7;
    order.symbolId = 11;
    order.side = 'b';
    order.price = 10.0;
    order.quantity = 1;
    order.orderType = '1';
    SetFixedText(order.resultText, "ORD-1");
    RequestNotify::Get()->WaitResponse(701, &window, 10000);
    Feed<TradeAnswerEvent<sFFixSetOrder>>(*client, CallbackCode::RspSetOrder, order, Result(0), 701);
    EXPECT_EQ(window.texts.back(), "ORD-1");

    LogCapture log;
    RequestNotify::Get()->WaitResponse(702, &window, 10000);
    Feed<TradeAnswerEvent<sFFixSetOrder>>(*client, CallbackCode::RspSetOrder, order, Result(31, "too late"),
                                          702);
    EXPECT_EQ(window.answers.back(), std::make_pair(702, 31));
    EXPECT_TRUE(log.Contains("[demo01][Spot]Set Order Failed : [too late:31],Symbol[AG],Quantity[1.00],BS[B],"
                             "Price[10.00],OrderType[MarketOpen]"));
}

TEST_F(HandlersTest, ModifyAnswerLogsOldAndNewPricesWithTheOrderKind)
{
    SetUpMarket();
    sFFixHoldDetail hold = HoldRow("H1", 11, 1);
    hold.stopLoss = 9.0;
    Feed<TradeNoticeEvent<sFFixHoldDetail>>(*client, CallbackCode::NtfHoldDetail, hold);
    sFFixLimitOrder limit = LimitRow("L1", 11, 2, 0);
    limit.takeProfit = 12.0;
    Feed<TradeNoticeEvent<sFFixLimitOrder>>(*client, CallbackCode::NtfLimitOrder, limit);

    LogCapture log;
    sFFixModifyOrder modify{};
    SetFixedText(modify.orderCode, "H1");
    modify.stopLoss = 8.5;
    modify.takeProfit = 11.0;
    Feed<TradeAnswerEvent<sFFixModifyOrder>>(*client, CallbackCode::RspModifyOrder, modify, Result(0), 800);
    SetFixedText(modify.orderCode, "L1");
    Feed<TradeAnswerEvent<sFFixModifyOrder>>(*client, CallbackCode::RspModifyOrder, modify, Result(0), 801);
    SetFixedText(modify.orderCode, "none");
    Feed<TradeAnswerEvent<sFFixModifyOrder>>(*client, CallbackCode::RspModifyOrder, modify, Result(0), 802);
    ASSERT_EQ(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[0], "[demo01][Spot]Modify Order Response : [:0],OrderCode[H1],OrderType[HoldDetail],"
                            "Symbol[AG],StopLoss[9.00 -> 8.50],TakeProfit[0.00 -> 11.00]");
    EXPECT_EQ(log.lines[1], "[demo01][Spot]Modify Order Response : [:0],OrderCode[L1],OrderType[LimitOrder],"
                            "Symbol[AG],StopLoss[0.00 -> 8.50],TakeProfit[12.00 -> 11.00]");
}

TEST_F(HandlersTest, BonusAnswerWithoutRowsSettlesOnlyUnknownPoints)
{
    SetUpMarket();
    Feed<TradeQueryRowEvent<sFFixRspQryAccount>>(*client, CallbackCode::RspQryAccount, AccountRow(8, 1), 95,
                                                 eLastTypeMore);
    Feed<TradeQueryRowEvent<sFFixRspQryAccount>>(*client, CallbackCode::RspQryAccount, AccountRow(7, 1), 95,
                                                 eLastTypeLast);
    sFFixBonusPoint bonus{};
    bonus.accountKey = 8;
    bonus.bonusPoint = 5.0;
    Feed<TradeNoticeEvent<sFFixBonusPoint>>(*client, CallbackCode::NtfBonusPoint, bonus);
    EXPECT_DOUBLE_EQ(Account(8).bonusPoint, 5.0);

    RecordingCallBack window;
    RequestNotify::Get()->WaitResponse(900, &window, 10000);
    Feed<TradeQueryRowEvent<sFFixBonusPoint>>(*client, CallbackCode::RspQryBonusPoint, sFFixBonusPoint{}, 900,
                                              eLastTypeEmpty);
    EXPECT_DOUBLE_EQ(Account(7).bonusPoint, 0.0);
    EXPECT_DOUBLE_EQ(Account(8).bonusPoint, 5.0);
    EXPECT_EQ(window.answers.size(), 1u);

    // A row for an unknown account wakes nobody.
    RequestNotify::Get()->WaitResponse(901, &window, 10000);
    bonus.accountKey = 99;
    Feed<TradeQueryRowEvent<sFFixBonusPoint>>(*client, CallbackCode::RspQryBonusPoint, bonus, 901,
                                              eLastTypeLast);
    EXPECT_EQ(window.answers.size(), 1u);
    EXPECT_TRUE(RequestNotify::Get()->IsWaiting(901));
}

TEST_F(HandlersTest, GoodsAnswersFilterMarketsSweepAndHandOverOnce)
{
    RecordingCallBack window;
    sFFixSymbolInventory stock{};
    stock.symbolId = 11;
    stock.marketId = 1;
    RequestNotify::Get()->WaitResponse(1000, &window, 10000);
    Feed<TradeQueryRowEvent<sFFixSymbolInventory>>(*client, CallbackCode::RspQrySymbolInventory, stock, 1000,
                                                   eLastTypeMore);
    EXPECT_TRUE(window.answers.empty());
    Feed<TradeQueryRowEvent<sFFixSymbolInventory>>(*client, CallbackCode::RspQrySymbolInventory, stock, 1000,
                                                   eLastTypeLast);
    EXPECT_EQ(window.answers.size(), 1u);
    EXPECT_EQ(db.m_SymbolInventory_table->GetIndexByPrimary().size(), 1u);

    sFFixUserInventory goods{};
    goods.storeId = 1;
    goods.symbolId = 11;
    goods.marketId = 1;
    Feed<TradeQueryRowEvent<sFFixUserInventory>>(*client, CallbackCode::RspQryUserInventory, goods, 1001,
                                                 eLastTypeLast);
    EXPECT_EQ(db.m_UserInventory_table->GetIndexByPrimary().size(), 1u);
    host.markets.Add(2);
    Feed<TradeQueryRowEvent<sFFixUserInventory>>(*client, CallbackCode::RspQryUserInventory, goods, 1002,
                                                 eLastTypeLast);
    EXPECT_TRUE(db.m_UserInventory_table->GetIndexByPrimary().empty());
}

TEST_F(HandlersTest, MoneyAnswerUpdatesKnownAccountsAndWakesOnlyForThem)
{
    SetUpMarket();
    RecordingCallBack window;
    sFFixMoney money{};
    money.accountKey = 99;
    money.withdrawable = 321.0;
    RequestNotify::Get()->WaitResponse(1100, &window, 10000);
    Feed<TradeQueryRowEvent<sFFixMoney>>(*client, CallbackCode::RspQryMoney, money, 1100, eLastTypeLast);
    EXPECT_TRUE(window.answers.empty());
    money.accountKey = 7;
    Feed<TradeQueryRowEvent<sFFixMoney>>(*client, CallbackCode::RspQryMoney, money, 1100, eLastTypeLast);
    EXPECT_EQ(window.answers.size(), 1u);
    EXPECT_DOUBLE_EQ(Account(7).withdrawableMoney, 321.0);

    RequestNotify::Get()->WaitResponse(1101, &window, 10000);
    Feed<TradeQueryRowEvent<sFFixMoney>>(*client, CallbackCode::RspQryMoney, sFFixMoney{}, 1101,
                                         eLastTypeEmpty);
    EXPECT_EQ(window.answers.size(), 2u);
    EXPECT_EQ(db.m_user_Account_table->GetIndexByPrimary().size(), 1u);
}

TEST_F(HandlersTest, ExchangeRatesAreFoundByTheirPairFromQueriesAndPushes)
{
    sFFixCurrencyExchangeRate rate{};
    SetFixedText(rate.fromCurrency, "USD");
    SetFixedText(rate.toCurrency, "CNY");
    rate.rate = 7.1;
    Feed<TradeQueryRowEvent<sFFixCurrencyExchangeRate>>(*client, CallbackCode::RspQryCurrencyExchangeRate,
                                                        rate, 1200, eLastTypeLast);
    rate.rate = 7.2;
    Feed<TradeNoticeEvent<sFFixCurrencyExchangeRate>>(*client, CallbackCode::NtfCurrencyExchangeRate, rate);
    const auto& rates = db.m_sys_CurrencyExchangeRate_table->GetIndexByPrimary();
    ASSERT_EQ(rates.size(), 1u);
    EXPECT_DOUBLE_EQ(rates.begin()->rate, 7.2);

    SetFixedText(rate.toCurrency, "EUR");
    Feed<TradeNoticeEvent<sFFixCurrencyExchangeRate>>(*client, CallbackCode::NtfCurrencyExchangeRate, rate);
    EXPECT_EQ(rates.size(), 2u);
    // The pushed pair carries serial 0: the next full answer without it removes it.
    SetFixedText(rate.toCurrency, "CNY");
    Feed<TradeQueryRowEvent<sFFixCurrencyExchangeRate>>(*client, CallbackCode::RspQryCurrencyExchangeRate,
                                                        rate, 1201, eLastTypeLast);
    EXPECT_EQ(rates.size(), 1u);
}

TEST_F(HandlersTest, ContractAndDeliveryPushesFollowStateAndMarket)
{
    SetUpMarket();
    sFFixBinaryContract contract{};
    contract.contractNo = 9001;
    contract.contractId = 11;
    contract.state = '1';
    Feed<TradeNoticeEvent<sFFixBinaryContract>>(*client, CallbackCode::NtfBinaryContract, contract);
    EXPECT_TRUE(db.m_trade_Contract_table->GetIndexByPrimary().empty());
    contract.state = '2';
    Feed<TradeNoticeEvent<sFFixBinaryContract>>(*client, CallbackCode::NtfBinaryContract, contract);
    ASSERT_EQ(db.m_trade_Contract_table->GetIndexByPrimary().size(), 1u);
    EXPECT_DOUBLE_EQ(db.m_trade_Contract_table->Find(9001, 11)->amountStep, 1.0);
    contract.state = '3';
    Feed<TradeNoticeEvent<sFFixBinaryContract>>(*client, CallbackCode::NtfBinaryContract, contract);
    EXPECT_TRUE(db.m_trade_Contract_table->GetIndexByPrimary().empty());

    host.markets.Add(1);
    sFFixDeliveryOrder delivery{};
    delivery.symbolId = 12; // market 2
    SetFixedText(delivery.orderCode, "D1");
    Feed<TradeNoticeEvent<sFFixDeliveryOrder>>(*client, CallbackCode::NtfDeliveryOrder, delivery);
    EXPECT_TRUE(db.m_trade_DeliveryOrder_table->GetIndexByPrimary().empty());
    delivery.symbolId = 11;
    Feed<TradeNoticeEvent<sFFixDeliveryOrder>>(*client, CallbackCode::NtfDeliveryOrder, delivery);
    ASSERT_EQ(db.m_trade_DeliveryOrder_table->GetIndexByPrimary().size(), 1u);
    EXPECT_EQ(db.m_trade_DeliveryOrder_table->GetIndexByPrimary().begin()->refreshSerial, 0u);
}

// --- numbers from a hostile market --------------------------------------

constexpr int kMinInt = std::numeric_limits<int>::min();
constexpr int kMaxInt = std::numeric_limits<int>::max();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInfinity = std::numeric_limits<double>::infinity();

// What the market sends in one trading day: an account, an OTC symbol (whose
// profit takes the spreads in points of the symbol's decimals), a hold, a
// tick, the same risk notice twice and a money push.
struct HostileDay
{
    const char* name;
    int accountKey = 7;
    sFFixRspQryAccount account = AccountRow(7, 1);
    sFFixRspQrySymbolInfo symbol = SymbolRow(11, 1, "AG");
    sFFixMarketData tick{};
    sFFixRiskInfo risk{};
    sFFixMoney money{};
    bool moneyIsNoFigure = false;
};

HostileDay Day(const char* name, const std::function<void(HostileDay&)>& change)
{
    HostileDay day;
    day.name = name;
    day.symbol.marketType = '1';
    day.symbol.askSpreadPoints = 3;
    day.symbol.bidSpreadPoints = 2;
    day.tick.symbolId = 11;
    day.tick.digits = 2;
    day.tick.lastPrice = 10.5;
    SetFixedText(day.tick.quoteDate, "20261208");
    SetFixedText(day.tick.quoteTime, "100001");
    day.risk.riskCode1 = '2';
    day.risk.value1 = 0.5;
    SetFixedText(day.risk.noticeDate, "20261208");
    SetFixedText(day.risk.noticeTime, "100002");
    day.money.marginRemain = 900.0;
    change(day);
    day.account.accountKey = day.accountKey;
    day.symbol.accountKey = day.accountKey;
    day.risk.accountKey = day.accountKey;
    day.money.accountKey = day.accountKey;
    return day;
}

bool AllFinite(std::initializer_list<double> values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

TEST_F(HandlersTest, ExtremeNumbersInSymbolPriceAndAccountRowsNeitherCrashNorCorruptTheTables)
{
    const HostileDay days[] = {
        Day("symbol decimals smallest int", [](HostileDay& d) { d.symbol.digits = kMinInt; }),
        Day("symbol decimals largest int", [](HostileDay& d) { d.symbol.digits = kMaxInt; }),
        Day("symbol spreads at the int limits",
            [](HostileDay& d) {
                d.symbol.askSpreadPoints = kMaxInt;
                d.symbol.bidSpreadPoints = kMinInt;
            }),
        Day("symbol negative counts",
            [](HostileDay& d) {
                d.symbol.contractSize = -100;
                d.symbol.maxHoldQuantity = -1;
                d.symbol.maxOrderQuantity = kMinInt;
            }),
        Day("symbol prices no number",
            [](HostileDay& d) {
                d.symbol.lastPrice = kNaN;
                d.symbol.highPrice = kInfinity;
                d.symbol.settlementPrice = -kInfinity;
            }),
        Day("tick prices no number",
            [](HostileDay& d) {
                d.tick.lastPrice = kNaN;
                d.tick.highPrice = kInfinity;
                d.tick.quote[0] = -kInfinity;
            }),
        Day("tick decimals smallest byte", [](HostileDay& d) { d.tick.digits = static_cast<char>(0x80); }),
        Day("account money no number",
            [](HostileDay& d) {
                d.account.marginRemain = kNaN;
                d.account.marginUsed = kInfinity;
                d.account.netValue = kNaN;
                d.money.marginRemain = kNaN;
                d.money.marginUsed = -kInfinity;
                d.moneyIsNoFigure = true;
            }),
        Day("account ints at the limits",
            [](HostileDay& d) {
                d.accountKey = kMinInt;
                d.account.marketId = kMaxInt;
                d.account.userFlags = kMinInt;
            }),
        Day("risk values no number", [](HostileDay& d) { d.risk.value1 = kNaN; }),
    };
    for(const HostileDay& day : days) {
        SCOPED_TRACE(day.name);
        RecordStore store;
        store.CreateTables();
        Client market("demo", &store, &host);
        market.SetClock([this] { return now; });
        Feed<TradeQueryRowEvent<sFFixRspQryAccount>>(market, CallbackCode::RspQryAccount, day.account, 90,
                                                     eLastTypeLast);
        Feed<TradeQueryRowEvent<sFFixRspQrySymbolInfo>>(market, CallbackCode::RspQrySymbolInfo, day.symbol,
                                                        91, eLastTypeLast);
        sFFixHoldDetail hold = HoldRow("H1", 11, 2, 9.0);
        hold.accountKey = day.accountKey;
        Feed<TradeNoticeEvent<sFFixHoldDetail>>(market, CallbackCode::NtfHoldDetail, hold);
        Feed<MdNoticeEvent<sFFixMarketData>>(market, CallbackCode::NtfMarketData, day.tick);
        Feed<TradeNoticeEvent<sFFixRiskInfo>>(market, CallbackCode::NtfRiskInfo, day.risk);
        Feed<TradeNoticeEvent<sFFixRiskInfo>>(market, CallbackCode::NtfRiskInfo, day.risk);
        Feed<TradeNoticeEvent<sFFixMoney>>(market, CallbackCode::NtfMoneyChanged, day.money);
        market.Release();

        ASSERT_EQ(store.m_user_Account_table->GetIndexByPrimary().size(), 1u);
        const user_Account& account = *store.m_user_Account_table->GetIndexByPrimary().begin();
        EXPECT_EQ(account.accountKey, day.accountKey);
        if(day.moneyIsNoFigure) {
            // No figure, and none made from it: not a balance of 0.
            EXPECT_TRUE(std::isnan(account.marginRemain) && std::isnan(account.netValue) &&
                        std::isnan(account.riskRate));
        } else {
            EXPECT_TRUE(AllFinite({account.marginRemain, account.marginUsed, account.marginFree,
                                   account.netValue, account.profitDyn, account.riskRate}));
        }
        ASSERT_EQ(store.m_symbol_Property_table->GetIndexByPrimary().size(), 1u);
        const symbol_Property& property = *store.m_symbol_Property_table->GetIndexByPrimary().begin();
        EXPECT_LE(std::abs(property.digits), 7);
        EXPECT_GE(property.contractSize, 0);
        EXPECT_GE(property.maxHoldQuantity, 0);
        EXPECT_GE(property.maxOrderQuantity, 0);
        ASSERT_EQ(store.m_symbol_price_table->GetIndexByPrimary().size(), 1u);
        const symbol_price& price = *store.m_symbol_price_table->GetIndexByPrimary().begin();
        EXPECT_TRUE(AllFinite({price.lastPrice, price.highPrice, price.lowPrice, price.carriedPrices[0]}));
        ASSERT_EQ(store.m_trade_HoldBill_table->GetIndexByPrimary().size(), 1u);
        EXPECT_TRUE(AllFinite({store.m_trade_HoldBill_table->GetIndexByPrimary().begin()->quantity}));
        // The same notice twice is one record: no value that never equals itself.
        EXPECT_EQ(store.m_risk_notice_table->GetIndexByPrimary().size(), 1u);
        AccountStatusLines::Get().Clear();
    }
}

} // namespace
