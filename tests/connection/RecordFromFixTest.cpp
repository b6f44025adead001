#include "connection/RecordFromFix.h"

#include "connection/MarketFilter.h"
#include "connection/TradeNotices.h"
#include "db/TradeArithmetic.h"

#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace {

using tradeapi::SetFixedText;

TEST(RecordFromFix, AccountRowKeepsUtf8NamesAndTheClientsUser)
{
    sFFixRspQryAccount row{};
    SetFixedText(row.accountName, "\xe8\xb4\xa6\xe6\x88\xb7");
    row.accountKey = 7;
    row.marginRemain = 1000.5;
    row.withdrawable = 12.0;
    SetFixedText(row.currency, "CNY");
    row.riskKind = '2';
    SetFixedText(row.marketName, "\xe5\xb8\x82\xe5\x9c\xba");
    row.accStatus = '1';
    row.accountState = '2';
    row.marketType = 'x';
    row.accountClass = 'y';
    row.marketId = 3;
    row.suretyMoney = 9.0;

    const user_Account a = AccountFromFix(row, 42);
    EXPECT_EQ(a.userId, 42);
    EXPECT_EQ(a.accountKey, 7);
    EXPECT_EQ(a.accountName, wxString::FromUTF8("\xe8\xb4\xa6\xe6\x88\xb7"));
    EXPECT_EQ(a.marketName, wxString::FromUTF8("\xe5\xb8\x82\xe5\x9c\xba"));
    EXPECT_EQ(a.currency, "CNY");
    EXPECT_DOUBLE_EQ(a.marginRemain, 1000.5);
    EXPECT_DOUBLE_EQ(a.withdrawableMoney, 12.0);
    EXPECT_EQ(a.accStatus, '1');
    EXPECT_EQ(a.accountState, '2');
    EXPECT_EQ(a.marketType, 'x');
    EXPECT_EQ(a.accountClass, 'y');
    EXPECT_EQ(a.marketId, 3);
    EXPECT_EQ(a.refreshSerial, 0u);
}

TEST(RecordFromFix, TextFilledToTheLastByteIsReadNoFurther)
{
    sFFixHoldDetail row{};
    std::memset(row.orderCode, 'A', sizeof row.orderCode); // no terminator
    row.queryFlag = '1';
    row.queryValue = 2.5;
    SetFixedText(row.openDate, "20261208");
    SetFixedText(row.openTime, "093015");

    const trade_HoldBill pushed = HoldBillFromFix(row, false);
    EXPECT_EQ(pushed.orderCode, wxString('A', sizeof row.orderCode));
    EXPECT_EQ(pushed.deliveryType, '1');
    EXPECT_DOUBLE_EQ(pushed.carriedDouble2, 0.0);
    EXPECT_EQ(pushed.openTime.Format("%Y-%m-%d %H:%M:%S"), "2026-12-08 09:30:15");

    const trade_HoldBill queried = HoldBillFromFix(row, true);
    EXPECT_EQ(queried.deliveryType, '1');
    EXPECT_DOUBLE_EQ(queried.carriedDouble2, 2.5);
}

TEST(RecordFromFix, SymbolRowSplitsEscapedMarginListsAndKeepsTheLowByteOfDigits)
{
    sFFixRspQrySymbolInfo row{};
    row.symbolId = 11;
    row.marketId = 4;
    row.digits = 0x102; // the quote keeps 2
    row.tradeFlag = '0';
    SetFixedText(row.symbolCode, "AG");
    SetFixedText(row.symbolName, "\xe7\x99\xbd\xe9\x93\xb6");
    SetFixedText(row.buyMarginList, "0.1,2\\,5,x");
    row.lastPrice = 5.25;
    SetFixedText(row.quoteDate, "20261208");
    SetFixedText(row.quoteTime, "101112");

    const symbol_Info info = SymbolInfoFromFix(row, 42);
    EXPECT_EQ(info.userId, 42);
    EXPECT_EQ(info.marketId, 4);
    EXPECT_EQ(info.carriedChar1, 0);
    ASSERT_EQ(info.buyMarginList.size(), 3u);
    EXPECT_EQ(info.buyMarginList[1], "2,5");
    EXPECT_TRUE(info.sellMarginList.empty());

    symbol_Property property;
    FillSymbolProperty(property, row);
    EXPECT_EQ(property.symbolName, wxString::FromUTF8("\xe7\x99\xbd\xe9\x93\xb6"));
    EXPECT_EQ(property.digits, 7); // beyond 7 decimals every use gives what 7 gives

    symbol_price price;
    FillSymbolPrice(price, row);
    EXPECT_EQ(price.digits, 2);
    EXPECT_DOUBLE_EQ(price.lastPrice, 5.25);
    EXPECT_EQ(price.quoteTime.Format("%H:%M:%S"), "10:11:12");
}

TEST(RecordFromFix, TickReplacesTheDecimalsAndPricesOfTheQuote)
{
    symbol_price price;
    price.symbolId = 301;
    price.digits = 2;
    price.carriedDouble1 = 9.5;

    sFFixMarketData tick{};
    tick.symbolId = 301;
    tick.digits = 3;
    tick.highPrice = 72.75;
    tick.lowPrice = 71.875;
    tick.lastPrice = 72.125;
    for(int i = 0; i < 7; ++i) {
        tick.quote[i] = 70.0 + i;
    }
    SetFixedText(tick.quoteDate, "20261208");
    SetFixedText(tick.quoteTime, "131415");
    ApplyMarketData(price, tick);
    EXPECT_EQ(price.digits, 3);
    EXPECT_DOUBLE_EQ(price.highPrice, 72.75);
    EXPECT_DOUBLE_EQ(price.lowPrice, 71.875);
    EXPECT_DOUBLE_EQ(price.lastPrice, 72.125);
    EXPECT_DOUBLE_EQ(price.carriedPrices[0], 70.0);
    EXPECT_DOUBLE_EQ(price.carriedPrices[6], 76.0);
    EXPECT_DOUBLE_EQ(price.carriedDouble1, 9.5);
    EXPECT_EQ(price.quoteTime.Format("%Y-%m-%d %H:%M:%S"), "2026-12-08 13:14:15");

    // The byte keeps its sign, as the low byte of the symbol answer does.
    tick.digits = static_cast<char>(-2);
    ApplyMarketData(price, tick);
    EXPECT_EQ(price.digits, -2);
}

// --- numbers from the market that mean nothing ------------------------------

constexpr int kMinInt = std::numeric_limits<int>::min();
constexpr int kMaxInt = std::numeric_limits<int>::max();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInfinity = std::numeric_limits<double>::infinity();

TEST(RecordFromFixBounds, SymbolRowKeepsDecimalsInRangeCountsAtLeastZeroAndPricesFinite)
{
    struct Case
    {
        int digits;
        int count; // contract size, largest holding and largest order
        double number;
        int expectedDigits;
        int expectedCount;
        double expectedNumber;
    };
    const Case cases[] = {
        {kMinInt, kMinInt, kNaN, -7, 0, 0.0},     {kMaxInt, kMaxInt, kInfinity, 7, kMaxInt, 0.0},
        {-1, -1, -kInfinity, -1, 0, 0.0},         {4, 250, 12.5, 4, 250, 12.5},
        {kMinInt + 1, -250, -12.5, -7, 0, -12.5}, {2, 1, 1e308, 2, 1, 0.0},
    };
    for(const Case& c : cases) {
        sFFixRspQrySymbolInfo row{};
        row.digits = c.digits;
        row.contractSize = c.count;
        row.maxHoldQuantity = c.count;
        row.maxOrderQuantity = c.count;
        row.lastPrice = c.number;
        row.highPrice = c.number;
        row.settlementPrice = c.number;
        symbol_Property property;
        FillSymbolProperty(property, row);
        symbol_price price;
        FillSymbolPrice(price, row);
        const symbol_Info info = SymbolInfoFromFix(row, 1);
        SCOPED_TRACE(testing::Message()
                     << "digits " << c.digits << " count " << c.count << " number " << c.number);
        EXPECT_EQ(property.digits, c.expectedDigits);
        EXPECT_EQ(property.contractSize, c.expectedCount);
        EXPECT_EQ(property.maxHoldQuantity, c.expectedCount);
        EXPECT_EQ(property.maxOrderQuantity, c.expectedCount);
        EXPECT_EQ(price.lastPrice, c.expectedNumber);
        EXPECT_EQ(price.highPrice, c.expectedNumber);
        EXPECT_EQ(info.settlementPrice, c.expectedNumber);
    }
}

TEST(RecordFromFixBounds, TickPriceThatIsNoFigureLeavesTheStoredOne)
{
    symbol_price price;
    price.lastPrice = 10.0;
    price.highPrice = 11.0;
    price.lowPrice = 9.0;
    price.carriedPrices[3] = 8.0;
    const double noNumbers[] = {kNaN, kInfinity, -kInfinity, 1e308, -1.0, 0.0}; // no market's prices
    for(double wire : noNumbers) {
        sFFixMarketData tick{};
        tick.lastPrice = wire;
        tick.highPrice = wire;
        tick.lowPrice = 9.5; // a real price beside them still counts
        tick.quote[3] = wire;
        tick.digits = static_cast<char>(0x80); // the smallest byte
        ApplyMarketData(price, tick);
        EXPECT_EQ(price.lastPrice, 10.0) << wire;
        EXPECT_EQ(price.highPrice, 11.0) << wire;
        EXPECT_EQ(price.lowPrice, 9.5) << wire;
        EXPECT_EQ(price.carriedPrices[3], IsFigure(wire) ? wire : 8.0) << wire; // the library's to mean
        EXPECT_EQ(price.digits, -128);
    }
}

TEST(RecordFromFixBounds, AccountAndBillFiguresThatAreNoFigureStayNoNumberOtherValuesBecomeZero)
{
    const double noNumbers[] = {kNaN, kInfinity, -kInfinity, 1e308, -1e13};
    for(double wire : noNumbers) {
        sFFixRspQryAccount row{};
        row.accountKey = kMinInt;
        row.marginRemain = wire;
        row.marginUsed = wire;
        row.netValue = wire;
        row.suretyMoney = 5.0;
        const user_Account account = AccountFromFix(row, kMaxInt);
        EXPECT_EQ(account.accountKey, kMinInt);
        EXPECT_EQ(account.userId, kMaxInt);
        // As 0 a balance or a bill's price made a false forced close.
        EXPECT_TRUE(std::isnan(account.marginRemain)) << wire;
        EXPECT_TRUE(std::isnan(account.marginUsed)) << wire;
        EXPECT_TRUE(std::isnan(account.netValue)) << wire;
        EXPECT_EQ(account.suretyMoney, 5.0);

        sFFixMoney money{};
        money.marginRemain = wire;
        money.profitClose = 3.0;
        user_Account moved = account;
        ApplyMoney(moved, money);
        EXPECT_TRUE(std::isnan(moved.marginRemain)) << wire;
        EXPECT_EQ(moved.profitClose, 3.0);

        sFFixHoldDetail hold{};
        hold.holdPrice = wire;
        hold.quantity = 2.0;
        const trade_HoldBill bill = HoldBillFromFix(hold, false);
        EXPECT_TRUE(std::isnan(bill.holdPrice)) << wire;
        EXPECT_EQ(bill.quantity, 2.0);
        if(std::isfinite(wire)) {
            continue; // the values below are never summed or shown as figures
        }

        sFFixRiskInfo risk{};
        risk.value1 = wire;
        risk.value2 = 0.25;
        const risk_notice notice = RiskNoticeFromFix(risk, true);
        EXPECT_EQ(notice.riskRate, 0.0) << wire;
        EXPECT_EQ(notice.carriedDouble1, 0.25);

        sFFixPriceReport report{};
        report.levels[5] = static_cast<float>(wire);
        report.levels[6] = 2.5f;
        const trade_priceLevel levels = PriceLevelFromFix(report);
        EXPECT_EQ(levels.BuyVolume(0), 0.0f) << wire;
        EXPECT_EQ(levels.BuyVolume(1), 2.5f);

        sFFixBinaryContract contract{};
        contract.value3 = wire; // the amount step
        EXPECT_EQ(ContractFromFix(contract).amountStep, 1.0) << wire;
    }
}

TEST(RecordFromFix, ContractValuesAreCorrectedInOrder)
{
    sFFixBinaryContract row{};
    row.value1 = -5.0;
    row.value2 = 3.0;
    row.value3 = 0.0;
    row.state = '2';
    trade_Contract c = ContractFromFix(row);
    EXPECT_DOUBLE_EQ(c.amountStep, 1.0);
    EXPECT_DOUBLE_EQ(c.maxInvestAmount, 1.0);

    row.value1 = 100.0;
    row.value2 = -1.0;
    row.value3 = 0.5;
    c = ContractFromFix(row);
    EXPECT_DOUBLE_EQ(c.maxInvestAmount, 0.0);
    EXPECT_DOUBLE_EQ(c.amountStep, 0.5);
}

TEST(RecordFromFix, BinaryOrderExpiresLocallyAfterItsPeriod)
{
    sFFixBinaryOrer row{};
    row.periodCount = 5;
    row.periodUnit = '2';
    row.periodSeconds = 30;
    SetFixedText(row.openTime, "20261208T100000");
    const wxDateTime arrival(8, wxDateTime::Dec, 2026, 10, 0, 1);
    const trade_BinaryOrder o = BinaryOrderFromFix(row, arrival);
    EXPECT_EQ(o.periodName, "5M");
    EXPECT_EQ(o.localExpireTime, arrival + wxTimeSpan::Seconds(30));
    EXPECT_EQ(o.openTime.Format("%H:%M:%S"), "10:00:00");
}

TEST(RecordFromFix, LimitOrderIsFinishedWhenCancelledOrFullyFilled)
{
    sFFixLimitOrder row{};
    row.quantityOrder = 0.0;
    EXPECT_TRUE(IsLimitFinished(row));
    row.quantityOrder = 3.0;
    row.quantityComplete = 3.0;
    EXPECT_TRUE(IsLimitFinished(row));
    row.quantityComplete = 1.0;
    EXPECT_FALSE(IsLimitFinished(row));
}

TEST(RecordFromFix, PriceLevelsAreCopiedAsTheyAre)
{
    sFFixPriceReport row{};
    row.priceLevelId = 9;
    for(int i = 0; i < 24; ++i) {
        row.levels[i] = 0.5f * static_cast<float>(i);
    }
    const trade_priceLevel p = PriceLevelFromFix(row);
    EXPECT_EQ(p.priceLevelId, 9);
    EXPECT_FLOAT_EQ(p.SellVolume(4), 9.5f);
}

TEST(MarketFilter, EmptyListKeepsEveryMarketOtherwiseOnlyListedOnes)
{
    wxArrayInt markets;
    EXPECT_TRUE(PassesMarketFilter(markets, 17));
    markets.Add(3);
    markets.Add(5);
    EXPECT_TRUE(PassesMarketFilter(markets, 5));
    EXPECT_FALSE(PassesMarketFilter(markets, 4));
}

TEST(TradeNotices, TitlesCarryTheCodeAndTextsTheFormattedValues)
{
    TradeNotice n = MarketTradeNotice("M1", "Silver", 'b', 5.5, 3, 2.0);
    EXPECT_EQ(n.title, "Market Trade[M1]");
    EXPECT_EQ(n.text, "symbolName[Silver],bsCode[Buy],tradePrice[5.500],quantity[2.00]");

    n = CloseTradeNotice("C1", "Silver", 's', 5.25, 2, 1.0, -3.456);
    EXPECT_EQ(n.title, "Close Trade[C1]");
    EXPECT_EQ(n.text,
              "symbolName[Silver],bsCode[Sell],priceClose[5.25],quantityClose[1.00],profitClose[-3.46]");

    n = LimitSetNotice("L1", "Gold", 'b', 300.0, 1, 4.0);
    EXPECT_EQ(n.title, "Limit Set[L1]");
    EXPECT_EQ(n.text, "symbolName[Gold],bsCode[Buy],orderPrice[300.0],quantityOrder[4.00]");

    n = LimitTradeNotice("L1", "Gold", 'b', 300.0, 1, 4.0);
    EXPECT_EQ(n.title, "Limit Trade[L1]");
    EXPECT_EQ(n.text, "symbolName[Gold],bsCode[Buy],orderPrice[300.0],quantityComplete[4.00]");

    n = LimitCancelNotice("L1");
    EXPECT_EQ(n.title, "Limit Cancel[L1]");
    EXPECT_EQ(n.text, "success");

    n = InOutNotice('1', 50.0, '3');
    EXPECT_EQ(n.title, "InOut Nofity[In]");
    EXPECT_EQ(n.text, "amChange[50.00],amStatus[Pass]");

    n = MinOrderNotice("B1", "Gold", 's', 12.0);
    EXPECT_EQ(n.title, "MinOrder Trade[B1]");
    EXPECT_EQ(n.text, "symbolName[Gold],bsCode[Sell],profitClose[12.00]");
}

} // namespace
