// The Client against the simulated market through the real trade API
// library: the trading day fills every table, an order's answer reaches its
// waiting window, and the fill and a price move leave the account's money
// equal to the market's own to the cent.
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
#include "db/TradeArithmetic.h"

#include <cmath>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <tradeapi/FixedText.h>

namespace {

class Waiter : public RequestCallBack
{
public:
    void OnResponse(int requestId, int errorCode, const wxString& text) override
    {
        answers.push_back({requestId, errorCode});
        texts.push_back(text);
    }
    void OnResponseTimeOut(int requestId) override { timeouts.push_back(requestId); }
    std::vector<std::pair<int, int>> answers;
    std::vector<wxString> texts;
    std::vector<int> timeouts;
};

long Cents(double value)
{
    return std::lround(value * 100.0);
}

nlohmann::json StateOf(const SimProcess& sim, const char* list, const char* keyName, int key)
{
    const auto state = nlohmann::json::parse(sim.Get("/admin/state"), nullptr, false);
    if(!state.is_object() || !state.contains(list)) {
        return {};
    }
    for(const auto& row : state[list]) {
        if(row.value(keyName, 0) == key) {
            return row;
        }
    }
    return {};
}

class ClientMarketTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        sim = std::make_unique<SimProcess>("--seed 3");
        ASSERT_EQ(sim->Post("/admin/walk?rate=0"), 200); // prices move only when told
        library = std::make_unique<ClientLibrary>();
        ASSERT_NE(library->Client(), nullptr);
        host.trade.Clear();
        host.trade.Add(sim->TradeAddress(0));
        host.md.Clear();
        host.md.Add(sim->MdAddress());
        db.CreateTables();
        client = std::make_unique<Client>("demo", &db, &host);
        client->SetTradeApi(library->NewTrade(*client->GetTradeClient()));
        client->SetMdApi(library->NewMd(*client->GetMdClient()));
    }
    void TearDown() override
    {
        if(client) {
            client->Release();
        }
        client.reset();
        library.reset();
        RequestNotify::Release();
    }

    // The account's money as the client holds it equals the market's.
    void ExpectAccountAsMarket(int key)
    {
        const auto market = StateOf(*sim, "accounts", "key", key);
        ASSERT_TRUE(market.is_object());
        const user_Account& mine = *db.m_user_Account_table->GetIndexByPrimary().find(key);
        EXPECT_EQ(Cents(mine.marginUsed), Cents(market["marginUsed"].get<double>()));
        EXPECT_EQ(Cents(mine.profitDyn), Cents(market["profitDyn"].get<double>()));
        EXPECT_EQ(Cents(mine.netValue), Cents(market["netValue"].get<double>()));
        const double risk = CalcRiskRate(mine.riskKind, market["netValue"].get<double>(),
                                         market["marginUsed"].get<double>(), mine.suretyMoney);
        EXPECT_EQ(std::lround(mine.riskRate * 1e6), std::lround(risk * 1e6));
    }

    double LastPrice(int symbolId)
    {
        const auto& prices = db.m_symbol_price_table->GetIndexByPrimary();
        const auto found = prices.find(symbolId);
        return found == prices.end() ? 0.0 : found->lastPrice;
    }

    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<ClientLibrary> library;
    FakeConnectionHost host;
    RecordStore db;
    std::unique_ptr<Client> client;
};

TEST_F(ClientMarketTest, TradingDayFillsTheTablesAndAnOrderFillReachesBillsPositionsAndMoney)
{
    client->GetTradeConnecter().StartLogin("demo123");
    client->GetMdConnecter().StartLogin("demo123");
    auto filled = [&] {
        return db.m_user_Account_table->GetIndexByPrimary().size() == 4 &&
               db.m_symbol_Info_table->GetIndexByPrimary().size() == 5 &&
               db.m_trade_HoldBill_table->GetIndexByPrimary().size() == 2 &&
               db.m_trade_CloseBill_table->GetIndexByPrimary().size() == 1 &&
               db.m_trade_Limit_table->GetIndexByPrimary().size() == 1 &&
               db.m_am_AmountInOut_table->GetIndexByPrimary().size() == 2 &&
               !db.m_user_Payport_table->GetIndexByPrimary().empty() &&
               db.m_trade_Contract_table->GetIndexByPrimary().size() == 2 &&
               db.m_sys_CurrencyExchangeRate_table->GetIndexByPrimary().size() >= 2 &&
               db.m_UserInventory_table->GetIndexByPrimary().size() == 1 && client->IsMdSubscribed();
    };
    ASSERT_TRUE(PumpUntil(filled, std::chrono::milliseconds(15000)));
    EXPECT_FALSE(db.m_trade_Position_table->GetIndexByPrimary().empty());
    EXPECT_EQ(db.m_symbol_Property_table->GetIndexByPrimary().find(101)->symbolName,
              wxString::FromUTF8("\xe7\x99\xbd\xe9\x93\xb6"));
    EXPECT_GT(LastPrice(101), 0.0);
    const auto contract = db.m_trade_Contract_table->Find(9001, 401);
    ASSERT_NE(contract, db.m_trade_Contract_table->GetIndexByPrimary().end());
    EXPECT_DOUBLE_EQ(contract->maxInvestAmount, 5000.0);
    EXPECT_DOUBLE_EQ(contract->amountStep, 10.0);
    EXPECT_DOUBLE_EQ(contract->profitRate, 0.8);

    // A market order on platinum; its answer wakes the waiting window.
    const auto quote = StateOf(*sim, "prices", "symbol", 102);
    ASSERT_TRUE(quote.is_object());
    sFFixSetOrder order{};
    order.accountKey = 11;
    order.symbolId = 102;
    order.side = 'b';
    order.orderType = '1';
    order.quantity = 2;
    order.price = quote["ask"].get<double>();
    order.pointDiff = 100;
    const int id = client->ReqSetOrder(&order);
    ASSERT_NE(id, -1);
    Waiter window;
    RequestNotify::Get()->WaitResponse(id, &window, 10000);
    ASSERT_TRUE(PumpUntil([&] { return !window.answers.empty(); }, std::chrono::milliseconds(10000)));
    EXPECT_EQ(window.answers[0], std::make_pair(id, 0));

    auto holdOf102 = [&] {
        for(const trade_HoldBill& hold : db.m_trade_HoldBill_table->GetIndexByPrimary()) {
            if(hold.symbolId == 102 && hold.accountKey == 11) {
                return true;
            }
        }
        return false;
    };
    ASSERT_TRUE(PumpUntil(holdOf102, std::chrono::milliseconds(10000)));
    EXPECT_TRUE(PumpUntil([&] { return db.m_trade_Position_table->GetIndex<BySymbolId>().count(102) == 1; },
                          std::chrono::milliseconds(5000)));
    auto moneyAsMarket = [&] {
        const auto market = StateOf(*sim, "accounts", "key", 11);
        const user_Account& mine = *db.m_user_Account_table->GetIndexByPrimary().find(11);
        return market.is_object() && Cents(mine.marginUsed) == Cents(market["marginUsed"].get<double>());
    };
    ASSERT_TRUE(PumpUntil(moneyAsMarket, std::chrono::milliseconds(5000)));
    ExpectAccountAsMarket(11);

    // A price move reaches symbol_price and the account's floating profit.
    const double moved = LastPrice(101) + 40;
    ASSERT_EQ(sim->Post("/admin/price?symbol=101&price=" + std::to_string(moved)), 200);
    ASSERT_TRUE(PumpUntil([&] { return LastPrice(101) == moved; }, std::chrono::milliseconds(5000)));
    ExpectAccountAsMarket(11);

    // A tick of a symbol with three decimals keeps them, so the client's
    // bid and ask are the market's.
    ASSERT_EQ(sim->Post("/admin/price?symbol=301&price=72.5"), 200);
    ASSERT_TRUE(PumpUntil([&] { return LastPrice(301) == 72.5; }, std::chrono::milliseconds(5000)));
    EXPECT_EQ(db.m_symbol_price_table->GetIndexByPrimary().find(301)->digits, 3);
    const auto oil = StateOf(*sim, "prices", "symbol", 301);
    ASSERT_TRUE(oil.is_object());
    double bid = 0.0;
    double ask = 0.0;
    ASSERT_TRUE(CalcStopProfitBounds(&db, *db.m_symbol_Info_table->GetIndexByPrimary().find(301), bid, ask));
    EXPECT_EQ(std::lround(bid * 1000), std::lround(oil["bid"].get<double>() * 1000));
    EXPECT_EQ(std::lround(ask * 1000), std::lround(oil["ask"].get<double>() * 1000));
}

} // namespace
