// Order margin and the largest order quantity, on a real record store.
#include "db/RecordStore.h"
#include "db/TradeArithmetic.h"

#include <gtest/gtest.h>

namespace {

class TradeMargin : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_store.CreateTables();

        user_Account account;
        account.accountKey = 1;
        account.currency = "CNY";
        account.netValue = 10000.0;
        account.marginUsed = 3000.0;
        account.marginFreezed = 1000.0; // 6000 free
        ASSERT_TRUE(m_store.m_user_Account_table->Insert(account).second);

        symbol_Info symbol;
        symbol.symbolId = 7;
        symbol.accountKey = 1;
        symbol.marketType = '1';
        symbol.marginType = '2';
        symbol.bidSpreadPoints = 10; // bid 99.90
        symbol.askSpreadPoints = 20; // ask 100.20
        symbol.buyMarginList.Add("0.1");
        symbol.sellMarginList.Add("0.05");
        ASSERT_TRUE(m_store.m_symbol_Info_table->Insert(symbol).second);

        symbol_Property property;
        property.symbolId = 7;
        property.digits = 2;
        property.contractSize = 10;
        property.currency = "CNY";
        property.maxOrderQuantity = 1000;
        property.maxHoldQuantity = 100;
        ASSERT_TRUE(m_store.m_symbol_Property_table->Insert(property).second);

        symbol_price price;
        price.symbolId = 7;
        price.digits = 2;
        price.lastPrice = 100.0;
        ASSERT_TRUE(m_store.m_symbol_price_table->Insert(price).second);

        SetRate("CNY", "CNY", 1.0);
    }

    void SetRate(const char* from, const char* to, double rate)
    {
        auto& table = *m_store.m_sys_CurrencyExchangeRate_table;
        sys_CurrencyExchangeRate row;
        row.fromCurrency = from;
        row.toCurrency = to;
        row.rate = rate;
        const auto found =
            table.GetIndexByPrimary().find(boost::make_tuple(row.fromCurrency, row.toCurrency));
        if(found == table.GetIndexByPrimary().end()) {
            ASSERT_TRUE(table.Insert(row).second);
        } else {
            ASSERT_TRUE(table.Update(found, row));
        }
    }

    void ChangeSymbol(void (*change)(symbol_Info&))
    {
        auto& table = *m_store.m_symbol_Info_table;
        symbol_Info changed = *table.GetIndexByPrimary().find(7);
        change(changed);
        ASSERT_TRUE(table.Update(table.GetIndexByPrimary().find(7), changed));
    }

    void AddHold(const char* code, double quantity)
    {
        trade_HoldBill hold;
        hold.orderCode = code;
        hold.accountKey = 1;
        hold.symbolId = 7;
        hold.side = 'b';
        hold.quantity = quantity;
        ASSERT_TRUE(m_store.m_trade_HoldBill_table->Insert(hold).second);
    }

    const symbol_Info& Symbol() { return *m_store.m_symbol_Info_table->GetIndexByPrimary().find(7); }

    RecordStore m_store;
};

} // namespace

TEST_F(TradeMargin, RatioMarginAtTheMarketPriceOfTheSide)
{
    // buy at the ask: 100.20 x 3 x 10 x 0.1; sell at the bid: 99.90 x 3 x 10 x 0.05
    EXPECT_DOUBLE_EQ(CalcOrderMargin(&m_store, Symbol(), 'b', kMarketPrice, nullptr, 3, 0), 300.6);
    EXPECT_DOUBLE_EQ(CalcOrderMargin(&m_store, Symbol(), 's', kMarketPrice, nullptr, 3, 0), 149.85);
}

TEST_F(TradeMargin, RatioMarginAtAGivenPrice)
{
    EXPECT_DOUBLE_EQ(CalcOrderMargin(&m_store, Symbol(), 'b', kGivenPrice, nullptr, 2, 50.0), 100.0);
    EXPECT_EQ(CalcOrderMargin(&m_store, Symbol(), 'b', kGivenPrice, nullptr, 2, 10000001.0), 0.0);
    EXPECT_DOUBLE_EQ(CalcOrderMargin(&m_store, Symbol(), 'b', kGivenPrice, nullptr, 1, 10000000.0),
                     10000000.0);
    EXPECT_EQ(CalcOrderMargin(&m_store, Symbol(), 'b', 7, nullptr, 2, 50.0), 0.0)
        << "unknown mode prices at 0";
}

TEST_F(TradeMargin, FixedMarginPerUnitIgnoresThePrice)
{
    ChangeSymbol([](symbol_Info& s) { s.marginType = '1'; });
    EXPECT_DOUBLE_EQ(CalcOrderMargin(&m_store, Symbol(), 'b', kGivenPrice, nullptr, 4, 12345.0), 0.4);
    ChangeSymbol([](symbol_Info& s) { s.marginType = '5'; });
    EXPECT_DOUBLE_EQ(CalcOrderMargin(&m_store, Symbol(), 's', kMarketPrice, nullptr, 4, 0), 0.2);
    ChangeSymbol([](symbol_Info& s) { s.marginType = '4'; });
    EXPECT_DOUBLE_EQ(CalcOrderMargin(&m_store, Symbol(), 'b', kGivenPrice, nullptr, 1, 10.0), 10.0);
}

TEST_F(TradeMargin, UnknownMarginTypeOrSideTakesNoMargin)
{
    ChangeSymbol([](symbol_Info& s) { s.marginType = '3'; });
    EXPECT_EQ(CalcOrderMargin(&m_store, Symbol(), 'b', kGivenPrice, nullptr, 1, 10.0), 0.0);
    ChangeSymbol([](symbol_Info& s) { s.marginType = '2'; });
    EXPECT_EQ(CalcOrderMargin(&m_store, Symbol(), 'x', kGivenPrice, nullptr, 1, 10.0), 0.0);
}

TEST_F(TradeMargin, ReportsTheMarginRateOfTheSide)
{
    double rate = -1;
    CalcOrderMargin(&m_store, Symbol(), 'b', kMarketPrice, &rate, 1, 0);
    EXPECT_DOUBLE_EQ(rate, 0.1);
    CalcOrderMargin(&m_store, Symbol(), 's', kMarketPrice, &rate, 1, 0);
    EXPECT_DOUBLE_EQ(rate, 0.05);

    ChangeSymbol([](symbol_Info& s) { s.buyMarginList.Clear(); });
    EXPECT_EQ(CalcOrderMargin(&m_store, Symbol(), 'b', kMarketPrice, &rate, 1, 0), 0.0);
    EXPECT_EQ(rate, 0.0);
}

TEST_F(TradeMargin, NeedsAnExistingExchangeRateAndAddsNone)
{
    m_store.m_sys_CurrencyExchangeRate_table->Remove(
        m_store.m_sys_CurrencyExchangeRate_table->GetIndexByPrimary().begin());
    EXPECT_EQ(CalcOrderMargin(&m_store, Symbol(), 'b', kGivenPrice, nullptr, 1, 10.0), 0.0);
    EXPECT_EQ(m_store.m_sys_CurrencyExchangeRate_table->GetContainer().size(), 0u);
}

TEST_F(TradeMargin, ConvertsToTheAccountCurrencyAndRoundsToCents)
{
    SetRate("CNY", "CNY", 0.5);
    // 0.125 x 1 x 10 x 0.1 x 0.5 = 0.0625 -> 0.06
    EXPECT_DOUBLE_EQ(CalcOrderMargin(&m_store, Symbol(), 'b', kGivenPrice, nullptr, 1, 0.125), 0.06);
    SetRate("CNY", "CNY", 2.5);
    // 0.5 x 1 x 10 x 0.1 x 2.5 = 1.25
    EXPECT_DOUBLE_EQ(CalcOrderMargin(&m_store, Symbol(), 'b', kGivenPrice, nullptr, 1, 0.5), 1.25);
}

TEST_F(TradeMargin, MaxQuantityIsTheFreeMoneyOverTheMarginOfOneUnit)
{
    // 6000 free / (50 x 10 x 0.1 = 50 a unit)
    EXPECT_DOUBLE_EQ(CalcMaxOrderQuantity(&m_store, Symbol(), 'b', kGivenPrice, false, 50.0), 120.0);
    // at the market: 6000 / (99.90 x 10 x 0.05)
    EXPECT_DOUBLE_EQ(CalcMaxOrderQuantity(&m_store, Symbol(), 's', kMarketPrice, false, 0), 6000.0 / 49.95);
}

TEST_F(TradeMargin, MaxQuantityIsCappedByTheLargestOrder)
{
    EXPECT_DOUBLE_EQ(CalcMaxOrderQuantity(&m_store, Symbol(), 'b', kGivenPrice, false, 0.5), 1000.0);
}

TEST_F(TradeMargin, MaxQuantityLeavesRoomUnderTheLargestHolding)
{
    AddHold("H1", 30);
    AddHold("H2", 40);
    EXPECT_DOUBLE_EQ(CalcMaxOrderQuantity(&m_store, Symbol(), 'b', kGivenPrice, true, 50.0), 30.0);
    EXPECT_DOUBLE_EQ(CalcMaxOrderQuantity(&m_store, Symbol(), 'b', kGivenPrice, false, 50.0), 120.0);
    AddHold("H3", 45);
    EXPECT_EQ(CalcMaxOrderQuantity(&m_store, Symbol(), 'b', kGivenPrice, true, 50.0), 0.0) << "never below 0";
}

TEST_F(TradeMargin, MaxQuantityIsZeroWithoutFreeMoneyOrMargin)
{
    auto& accounts = *m_store.m_user_Account_table;
    user_Account broke = *accounts.GetIndexByPrimary().find(1);
    broke.marginUsed = 9000.0; // exactly nothing free
    ASSERT_TRUE(accounts.Update(accounts.GetIndexByPrimary().find(1), broke));
    EXPECT_EQ(CalcMaxOrderQuantity(&m_store, Symbol(), 'b', kGivenPrice, false, 50.0), 0.0);

    broke.marginUsed = 3000.0;
    ASSERT_TRUE(accounts.Update(accounts.GetIndexByPrimary().find(1), broke));
    ChangeSymbol([](symbol_Info& s) { s.marginType = '3'; });
    EXPECT_EQ(CalcMaxOrderQuantity(&m_store, Symbol(), 'b', kGivenPrice, false, 50.0), 0.0);
}

TEST_F(TradeMargin, MaxQuantityOfASmallUnitMarginIsNotLostToRounding)
{
    // 0.004 a unit rounds to no margin at all in cents; 6000 free still buys
    // 1.5 million units, capped here by the largest order.
    ChangeSymbol([](symbol_Info& s) {
        s.marginType = '1';
        s.buyMarginList[0] = "0.004";
    });
    EXPECT_EQ(CalcOrderMargin(&m_store, Symbol(), 'b', kGivenPrice, nullptr, 1, 0), 0.0);
    EXPECT_DOUBLE_EQ(CalcMaxOrderQuantity(&m_store, Symbol(), 'b', kGivenPrice, false, 0), 1000.0);

    // 0.014 a unit rounds to 0.01: 7 free would seem to cover 700 units, but
    // covers 500.
    auto& accounts = *m_store.m_user_Account_table;
    user_Account account = *accounts.GetIndexByPrimary().find(1);
    account.netValue = 4007.0;
    ASSERT_TRUE(accounts.Update(accounts.GetIndexByPrimary().find(1), account));
    ChangeSymbol([](symbol_Info& s) { s.buyMarginList[0] = "0.014"; });
    EXPECT_DOUBLE_EQ(CalcMaxOrderQuantity(&m_store, Symbol(), 'b', kGivenPrice, false, 0), 500.0);
}

TEST_F(TradeMargin, MaxQuantityOfAnUnlinkedSymbolIsZero)
{
    symbol_Info stray;
    stray.symbolId = 99;
    stray.accountKey = 5; // no such account
    EXPECT_EQ(CalcMaxOrderQuantity(&m_store, stray, 'b', kGivenPrice, false, 50.0), 0.0);
    EXPECT_EQ(CalcMaxOrderQuantity(nullptr, Symbol(), 'b', kGivenPrice, false, 50.0), 0.0);
}

TEST_F(TradeMargin, MaxQuantityPaysTheChargeAndStopsShortOfTheForceCloseLineOfEachRiskKind)
{
    // A unit at 50: margin 50, charge 0.5, and 3.00 lost at once to the spread.
    ChangeSymbol([](symbol_Info& s) { s.chargeRate = 0.001; });
    EXPECT_DOUBLE_EQ(CalcMaxOrderQuantity(&m_store, Symbol(), 'b', kGivenPrice, false, 50.0), 6000.0 / 50.5);
    auto& accounts = *m_store.m_user_Account_table;
    auto setRisk = [&](char kind, double line, double surety) {
        user_Account account = *accounts.GetIndexByPrimary().find(1);
        account.riskKind = kind;
        account.forceCloseLine = line;
        account.suretyMoney = surety;
        ASSERT_TRUE(accounts.Update(accounts.GetIndexByPrimary().find(1), account));
    };
    // '1': (3000 + 50 q) / (10000 - 3.5 q) < 0.5 up to 38 units, not 39.
    setRisk('1', 0.5, 0);
    EXPECT_EQ(CalcMaxOrderQuantity(&m_store, Symbol(), 'b', kGivenPrice, false, 50.0), 38.0);
    EXPECT_LT(CalcRiskRateAfterOrder(&m_store, Symbol(), 'b', kGivenPrice, 50.0, 38), 0.5);
    EXPECT_TRUE(
        IsRiskLineReached('1', CalcRiskRateAfterOrder(&m_store, Symbol(), 'b', kGivenPrice, 50.0, 39), 0.5));
    // '2': (10000 - 3.5 q) / (3000 + 50 q) > 1.5 up to 70; '3': (10000 - 3.5 q - 5000) / 5000 > 0.95 up
    // to 71.
    setRisk('2', 1.5, 0);
    EXPECT_EQ(CalcMaxOrderQuantity(&m_store, Symbol(), 'b', kGivenPrice, false, 50.0), 70.0);
    setRisk('3', 0.95, 5000);
    EXPECT_EQ(CalcMaxOrderQuantity(&m_store, Symbol(), 'b', kGivenPrice, false, 50.0), 71.0);
    EXPECT_FALSE(IsRiskLineReached('3', 0.96, 0.95));
    EXPECT_TRUE(IsRiskLineReached('3', 0.95, 0.95));
}
