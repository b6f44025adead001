// Hold profit, quotes with spreads, and their sums, on a real record store.
#include "db/AccountProfitBook.h"
#include "db/RecordStore.h"
#include "db/TradeArithmetic.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace {

class VetoAdd : public CActionTrigger<symbol_Property>
{
public:
    bool beforeAdd(const symbol_Property&, CTransaction*, void*) override { return false; }
};

class TradeProfit : public ::testing::Test
{
protected:
    void SetUp() override { m_store.CreateTables(); }

    void AddAccount(int key, const char* currency)
    {
        user_Account account;
        account.accountKey = key;
        account.currency = currency;
        ASSERT_TRUE(m_store.m_user_Account_table->Insert(account).second);
    }

    // A symbol booked to `accountKey`, quoted in `currency`.
    void AddSymbol(int id, int accountKey, char marketType, const char* currency, double lastPrice,
                   int contractSize = 10)
    {
        symbol_Info symbol;
        symbol.symbolId = id;
        symbol.accountKey = accountKey;
        symbol.marketType = marketType;
        symbol.bidSpreadPoints = 10;
        symbol.askSpreadPoints = 20;
        ASSERT_TRUE(m_store.m_symbol_Info_table->Insert(symbol).second);

        symbol_Property property;
        property.symbolId = id;
        property.digits = 2;
        property.contractSize = contractSize;
        property.currency = currency;
        ASSERT_TRUE(m_store.m_symbol_Property_table->Insert(property).second);

        symbol_price price;
        price.symbolId = id;
        price.digits = 2;
        price.lastPrice = lastPrice;
        ASSERT_TRUE(m_store.m_symbol_price_table->Insert(price).second);
    }

    void AddRate(const char* from, const char* to, double rate)
    {
        sys_CurrencyExchangeRate row;
        row.fromCurrency = from;
        row.toCurrency = to;
        row.rate = rate;
        ASSERT_TRUE(m_store.m_sys_CurrencyExchangeRate_table->Insert(row).second);
    }

    const trade_HoldBill& AddHold(const char* code, int accountKey, int symbolId, char side, double quantity,
                                  double holdPrice, double openPrice)
    {
        trade_HoldBill hold;
        hold.orderCode = code;
        hold.accountKey = accountKey;
        hold.symbolId = symbolId;
        hold.side = side;
        hold.quantity = quantity;
        hold.holdPrice = holdPrice;
        hold.openPrice = openPrice;
        const auto inserted = m_store.m_trade_HoldBill_table->Insert(hold);
        EXPECT_TRUE(inserted.second);
        return *inserted.first;
    }

    const symbol_Info& Symbol(int id) { return *m_store.m_symbol_Info_table->GetIndexByPrimary().find(id); }
    const user_Account& Account(int key)
    {
        return *m_store.m_user_Account_table->GetIndexByPrimary().find(key);
    }

    void MovePrice(int symbolId, double lastPrice)
    {
        m_store.m_symbol_price_table->Modify(symbolId,
                                             [lastPrice](symbol_price& p) { p.lastPrice = lastPrice; });
    }
    void ChangeHold(const char* code, const std::function<void(trade_HoldBill&)>& change)
    {
        m_store.m_trade_HoldBill_table->Modify(wxString(code), change);
    }

    RecordStore m_store;
};

} // namespace

TEST_F(TradeProfit, StopProfitBoundsSpreadTheLastPrice)
{
    AddAccount(1, "CNY");
    AddSymbol(7, 1, '1', "CNY", 100.0);
    double bid = -1;
    double ask = -1;
    EXPECT_TRUE(CalcStopProfitBounds(&m_store, Symbol(7), bid, ask));
    EXPECT_DOUBLE_EQ(bid, 99.9);
    EXPECT_DOUBLE_EQ(ask, 100.2);
}

TEST_F(TradeProfit, StopProfitBoundsAreZeroWhenTheLinkFails)
{
    symbol_Info symbol;
    symbol.symbolId = 9;
    ASSERT_TRUE(m_store.m_symbol_Info_table->Insert(symbol).second);
    VetoAdd veto;
    m_store.m_symbol_Property_table->AddActionTrigger(&veto);
    double bid = -1;
    double ask = -1;
    EXPECT_FALSE(CalcStopProfitBounds(&m_store, Symbol(9), bid, ask));
    EXPECT_EQ(bid, 0.0);
    EXPECT_EQ(ask, 0.0);
    m_store.m_symbol_Property_table->RemoveActionTrigger(&veto);

    EXPECT_FALSE(CalcStopProfitBounds(nullptr, symbol, bid, ask));
}

TEST_F(TradeProfit, OtcHoldClosesOnTheOtherSideOfTheQuote)
{
    AddAccount(1, "CNY");
    AddSymbol(7, 1, '1', "CNY", 100.0);
    AddRate("CNY", "CNY", 1.0);
    // A buy closes at the bid 99.90, a sell at the ask 100.20; 10 units a lot.
    const trade_HoldBill& buy = AddHold("B1", 1, 7, 'b', 2, 99.0, 98.5);
    const trade_HoldBill& sell = AddHold("S1", 1, 7, 's', 1, 101.0, 100.0);
    EXPECT_DOUBLE_EQ(CalcHoldProfit(&m_store, buy, kProfitFromHoldPrice), 18.0);
    EXPECT_DOUBLE_EQ(CalcHoldProfit(&m_store, buy, kProfitFromOpenPrice), 28.0);
    EXPECT_DOUBLE_EQ(CalcHoldProfit(&m_store, buy, 0), 18.0) << "other modes use the hold price";
    EXPECT_DOUBLE_EQ(CalcHoldProfit(&m_store, sell, kProfitFromHoldPrice), 8.0);
    EXPECT_DOUBLE_EQ(CalcHoldProfit(&m_store, sell, kProfitFromOpenPrice), -2.0);
}

TEST_F(TradeProfit, OtherMarketsCloseAtTheLastPrice)
{
    AddAccount(1, "CNY");
    AddSymbol(8, 1, '2', "CNY", 100.0);
    const trade_HoldBill& buy = AddHold("B1", 1, 8, 'b', 1, 99.0, 99.0);
    EXPECT_DOUBLE_EQ(CalcHoldProfit(&m_store, buy, kProfitFromHoldPrice), 10.0);
}

TEST_F(TradeProfit, HoldWithoutAQuoteHasNoProfit)
{
    AddAccount(1, "CNY");
    AddSymbol(7, 1, '1', "CNY", 0.0);
    const trade_HoldBill& buy = AddHold("B1", 1, 7, 'b', 5, 99.0, 99.0);
    EXPECT_EQ(CalcHoldProfit(&m_store, buy, kProfitFromHoldPrice), 0.0);
}

TEST_F(TradeProfit, HoldOfAnUnknownSymbolOrWithoutAccountHasNoProfit)
{
    AddAccount(1, "CNY");
    AddSymbol(7, 2, '1', "CNY", 100.0); // its account 2 does not exist
    const trade_HoldBill& orphan = AddHold("O1", 1, 99, 'b', 1, 99.0, 99.0);
    const trade_HoldBill& noAccount = AddHold("N1", 1, 7, 'b', 1, 99.0, 99.0);
    EXPECT_EQ(CalcHoldProfit(&m_store, orphan, kProfitFromHoldPrice), 0.0);
    EXPECT_EQ(CalcHoldProfit(&m_store, noAccount, kProfitFromHoldPrice), 0.0);
    EXPECT_EQ(CalcHoldProfit(nullptr, noAccount, kProfitFromHoldPrice), 0.0);
}

TEST_F(TradeProfit, OwnCurrencyWithoutRateRowGetsRateOneOnFirstUse)
{
    AddAccount(1, "CNY");
    AddSymbol(8, 1, '2', "CNY", 100.0);
    const trade_HoldBill& buy = AddHold("B1", 1, 8, 'b', 1, 99.0, 99.0);
    ASSERT_EQ(m_store.m_sys_CurrencyExchangeRate_table->GetContainer().size(), 0u);
    EXPECT_DOUBLE_EQ(CalcHoldProfit(&m_store, buy, kProfitFromHoldPrice), 10.0);
    const auto& rates = m_store.m_sys_CurrencyExchangeRate_table->GetContainer();
    ASSERT_EQ(rates.size(), 1u);
    EXPECT_EQ(rates.begin()->rate, 1.0);
    CalcHoldProfit(&m_store, buy, kProfitFromHoldPrice);
    EXPECT_EQ(rates.size(), 1u);
}

TEST_F(TradeProfit, ForeignCurrencyNeedsARate)
{
    AddAccount(1, "CNY");
    AddSymbol(8, 1, '2', "USD", 100.0);
    const trade_HoldBill& buy = AddHold("B1", 1, 8, 'b', 1, 99.0, 99.0);
    EXPECT_EQ(CalcHoldProfit(&m_store, buy, kProfitFromHoldPrice), 0.0);
    EXPECT_EQ(m_store.m_sys_CurrencyExchangeRate_table->GetContainer().size(), 0u);

    AddRate("USD", "CNY", 7.0);
    EXPECT_DOUBLE_EQ(CalcHoldProfit(&m_store, buy, kProfitFromHoldPrice), 70.0);
}

TEST_F(TradeProfit, ProfitIsInTheCurrencyOfTheSymbolsAccount)
{
    AddAccount(1, "CNY");
    AddAccount(2, "USD");
    AddSymbol(8, 1, '2', "USD", 100.0);
    AddRate("USD", "CNY", 7.0);
    // The hold names the USD account, but the symbol books to the CNY one.
    const trade_HoldBill& buy = AddHold("B1", 2, 8, 'b', 1, 99.0, 99.0);
    EXPECT_DOUBLE_EQ(CalcHoldProfit(&m_store, buy, kProfitFromHoldPrice), 70.0);
}

TEST_F(TradeProfit, ProfitIsRoundedToCents)
{
    AddAccount(1, "CNY");
    AddSymbol(8, 1, '2', "CNY", 100.0, 1);
    const trade_HoldBill& buy = AddHold("B1", 1, 8, 'b', 0.125, 99.0, 99.0);
    const trade_HoldBill& sell = AddHold("S1", 1, 8, 's', 0.125, 99.0, 99.0);
    EXPECT_DOUBLE_EQ(CalcHoldProfit(&m_store, buy, kProfitFromHoldPrice), 0.13);
    EXPECT_DOUBLE_EQ(CalcHoldProfit(&m_store, sell, kProfitFromHoldPrice), -0.13);
}

TEST_F(TradeProfit, SumsOverTheAccountAndOverTheSymbol)
{
    AddAccount(1, "CNY");
    AddAccount(2, "CNY");
    AddSymbol(7, 1, '2', "CNY", 100.0);
    AddSymbol(8, 1, '2', "CNY", 50.0);
    AddHold("A", 1, 7, 'b', 1, 99.0, 90.0);   // 10 (hold) / 100 (open)
    AddHold("B", 1, 8, 's', 2, 51.0, 52.0);   // 20 / 40
    AddHold("C", 2, 7, 's', 1, 101.0, 101.0); // 10 / 10

    EXPECT_DOUBLE_EQ(SumHoldProfit(&m_store, *m_store.m_user_Account_table->GetIndexByPrimary().find(1),
                                   kProfitFromHoldPrice),
                     30.0);
    EXPECT_DOUBLE_EQ(SumHoldProfit(&m_store, *m_store.m_user_Account_table->GetIndexByPrimary().find(1),
                                   kProfitFromOpenPrice),
                     140.0);
    EXPECT_DOUBLE_EQ(SumPositionProfit(&m_store, 7), 20.0);
    EXPECT_DOUBLE_EQ(SumPositionProfit(&m_store, 8), 20.0);
    EXPECT_DOUBLE_EQ(SumPositionProfit(&m_store, -1), 40.0);
    EXPECT_EQ(SumPositionProfit(&m_store, 99), 0.0);

    user_Account stranger;
    stranger.accountKey = 42;
    EXPECT_EQ(SumHoldProfit(&m_store, stranger, kProfitFromHoldPrice), 0.0);
}

// The book against the full sum: prices, bills, accounts of bills and rates
// change, and each account's profit stays what its bills add up to.
TEST_F(TradeProfit, TheBookKeepsEveryAccountAtTheSumOfItsBills)
{
    AddAccount(1, "CNY");
    AddAccount(2, "USD");
    AddSymbol(7, 1, '1', "CNY", 100.0);
    AddSymbol(8, 1, '2', "USD", 50.0);
    AddSymbol(9, 2, '2', "USD", 20.0, 3);
    AddRate("CNY", "CNY", 1.0);
    AddRate("USD", "CNY", 7.0);
    AddRate("USD", "USD", 1.0);
    AddHold("A", 1, 7, 'b', 2, 99.0, 90.0);
    AddHold("B", 1, 8, 's', 1, 51.0, 52.0);
    AccountProfitBook book(&m_store); // made over bills already there
    AddHold("C", 2, 9, 'b', 4, 19.5, 19.0);
    AddHold("D", 2, 7, 's', 0.125, 101.0, 101.0); // a bill of another account's symbol

    const struct
    {
        const char* name;
        std::function<void()> step;
        int pricedSymbol; // 0: no price push
        std::vector<int> moved;
    } steps[] = {
        {"a tick of 7", [&] { MovePrice(7, 100.37); }, 7, {1, 2}},
        {"a tick of 8", [&] { MovePrice(8, 49.99); }, 8, {1}},
        {"the same price again", [&] { MovePrice(8, 49.99); }, 8, {}},
        {"a tick of a symbol without bills", [&] {}, 42, {}},
        {"more quantity", [&] { ChangeHold("C", [](trade_HoldBill& h) { h.quantity = 5; }); }, 0, {}},
        {"a bill moves to the other account",
         [&] { ChangeHold("B", [](trade_HoldBill& h) { h.accountKey = 2; }); },
         0,
         {}},
        {"a new bill", [&] { AddHold("E", 1, 9, 's', 2, 21.0, 21.0); }, 0, {}},
        {"a bill closes",
         [&] {
             auto& table = *m_store.m_trade_HoldBill_table;
             table.Remove(table.Find("A"));
         },
         0,
         {}},
        {"the rate moves",
         [&] {
             auto& rates = *m_store.m_sys_CurrencyExchangeRate_table;
             sys_CurrencyExchangeRate changed = *rates.GetExchangeRate("USD", "CNY");
             changed.rate = 7.25;
             rates.Update(rates.GetExchangeRate("USD", "CNY"), changed);
         },
         0,
         {}},
        {"a tick after the rate", [&] { MovePrice(9, 20.5); }, 9, {1, 2}},
        {"a bill removed without telling anyone",
         [&] {
             auto& table = *m_store.m_trade_HoldBill_table;
             table.Remove(table.Find("C"), false);
         },
         0,
         {}},
    };
    for(const auto& s : steps) {
        SCOPED_TRACE(s.name);
        s.step();
        if(s.pricedSymbol != 0) {
            std::vector<int> changed;
            book.OnPrice(s.pricedSymbol, changed);
            std::sort(changed.begin(), changed.end());
            std::vector<int> expected = s.moved;
            std::sort(expected.begin(), expected.end());
            EXPECT_EQ(changed, expected);
        }
        for(int key : {1, 2}) {
            const double sum = SumHoldProfit(&m_store, Account(key), kProfitFromHoldPrice);
            EXPECT_NEAR(book.Profit(key), sum, 1e-9) << "account " << key;
            EXPECT_EQ(std::llround(book.Profit(key) * 100), std::llround(sum * 100)) << "account " << key;
        }
    }
    EXPECT_EQ(book.Profit(42), 0.0);
}

TEST_F(TradeProfit, ANonFiniteShareLeavesTheSumOnceItsBillDoes)
{
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    AddAccount(1, "CNY");
    AddSymbol(7, 1, '2', "CNY", 100.0);
    AddRate("CNY", "CNY", 1.0);
    AddHold("A", 1, 7, 'b', 1, 99.0, 99.0); // 10
    AccountProfitBook book(&m_store);
    EXPECT_DOUBLE_EQ(book.Profit(1), 10.0);

    const struct
    {
        const char* name;
        std::function<void()> step;
        int pricedSymbol;
        bool finite;
        double profit;
    } steps[] = {
        {"a bill priced NaN", [&] { AddHold("N", 1, 7, 'b', 1, kNaN, kNaN); }, 0, false, 0},
        {"a tick while it stands", [&] { MovePrice(7, 101.0); }, 7, false, 0},
        {"the bill gets a price", [&] { ChangeHold("N", [](trade_HoldBill& h) { h.holdPrice = 100.0; }); }, 0,
         true, 30.0},
        {"a price beyond every sum", [&] { MovePrice(7, 1e307); }, 7, false, 0},
        {"back to a price", [&] { MovePrice(7, 102.0); }, 7, true, 50.0},
        {"NaN again, then its bill goes",
         [&] {
             ChangeHold("N", [&](trade_HoldBill& h) { h.quantity = kNaN; });
             auto& table = *m_store.m_trade_HoldBill_table;
             table.Remove(table.Find("N"));
         },
         0, true, 30.0},
    };
    for(const auto& s : steps) {
        SCOPED_TRACE(s.name);
        s.step();
        if(s.pricedSymbol != 0) {
            std::vector<int> changed;
            book.OnPrice(s.pricedSymbol, changed);
        }
        const double sum = SumHoldProfit(&m_store, Account(1), kProfitFromHoldPrice);
        EXPECT_EQ(std::isfinite(book.Profit(1)), s.finite);
        EXPECT_EQ(std::isfinite(sum), s.finite);
        if(s.finite) {
            EXPECT_DOUBLE_EQ(book.Profit(1), s.profit);
            EXPECT_DOUBLE_EQ(sum, s.profit);
        }
    }
}
