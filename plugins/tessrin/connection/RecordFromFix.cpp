#include "connection/RecordFromFix.h"

#include "db/ChartPeriod.h"
#include "db/DateTimeText.h"
#include "db/TradeArithmetic.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>
#include <wx/arrstr.h>

namespace {

// Two adjacent ints that a record keeps as one 64-bit value, byte for byte.
int64_t JoinInts(int32_t first, int32_t second)
{
    const int32_t pair[2] = {first, second};
    int64_t value = 0;
    std::memcpy(&value, pair, sizeof value);
    return value;
}

// A field's characters up to its first NUL, not copied.
template <std::size_t N> std::string_view FieldChars(const char (&field)[N])
{
    const void* end = std::memchr(field, 0, N);
    return std::string_view(field, end ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : N);
}

template <std::size_t D, std::size_t T> wxDateTime DateAndTime(const char (&date)[D], const char (&time)[T])
{
    return ParseQuoteDateTime(FieldChars(date), FieldChars(time));
}

template <std::size_t N> wxDateTime CompactDateTime(const char (&field)[N])
{
    return ParseCompactDateTime(NarrowText(field));
}

// A margin list: split at ',' with '\' escaping.
template <std::size_t N> wxArrayString MarginList(const char (&field)[N])
{
    const wxString text = Utf8Text(field);
    return text.empty() ? wxArrayString() : wxSplit(text, ',', '\\');
}

// The quote keeps only the low byte of the decimals, with its sign, whether
// it comes from the symbol answer or from a tick.
int QuoteDigits(int value)
{
    return static_cast<signed char>(static_cast<unsigned>(value) & 0xffu);
}

// A number that is no figure (NaN, infinity, 1e308) means nothing: kept as
// 0, so that no sum, comparison, chart or later record inherits it.
template <class Number> Number Finite(Number value)
{
    return IsFigure(value) ? value : Number(0);
}

// A figure of a bill, a position or an account that is no figure (NaN, an
// infinity, 1e308) is kept as NaN: shown "---", and the profits, net values
// and risk rates made with it are no figures either. As 0 it made a price of
// 0 and a false forced close.
double Figure(double value)
{
    return IsFigure(value) ? value : std::numeric_limits<double>::quiet_NaN();
}

// A quantity below zero or a price not above it is no figure either: no
// market sends one (a negative profit or charge is a figure, and stays).
double Quantity(double value)
{
    return value >= 0.0 ? Figure(value) : std::numeric_limits<double>::quiet_NaN();
}

double Price(double value)
{
    return value > 0.0 ? Figure(value) : std::numeric_limits<double>::quiet_NaN();
}

// A tick's price replaces the stored one only when it is a figure: boards,
// charts and profits keep the last real quote.
void KeepOrTake(double& stored, double wire)
{
    if(IsFigure(wire)) {
        stored = wire;
    }
}

// The same for the prices that must be above zero: a tick of -1 was the
// chart's low.
void KeepOrTakePrice(double& stored, double wire)
{
    if(wire > 0.0) {
        KeepOrTake(stored, wire);
    }
}

// A count below zero is taken as none.
int Count(int value)
{
    return value < 0 ? 0 : value;
}

// The symbol's price decimals within what the arithmetic distinguishes:
// beyond 7 either way every computation and format gives what 7 gives.
int PriceDigits(int value)
{
    return std::clamp(value, -kMaxPointDigits, kMaxPointDigits);
}

} // namespace

user_Account AccountFromFix(const sFFixRspQryAccount& row, int userId)
{
    user_Account a;
    a.accountName = Utf8Text(row.accountName);
    a.userId = userId;
    a.accountKey = row.accountKey;
    a.dealerId = row.carriedInt1;
    a.organisationId = row.carriedInt2;
    a.exchangeId = row.carriedInt3;
    a.marginFree = Figure(row.marginFree);
    a.marginFreezed = Figure(row.marginFreezed);
    a.marginRemain = Figure(row.marginRemain);
    a.marginUsed = Figure(row.marginUsed);
    a.withdrawableMoney = Figure(row.withdrawable);
    a.lastDelayCharge = Figure(row.lastDelayCharge);
    a.carriedDouble1 = Figure(row.carried1);
    a.currency = NarrowText(row.currency);
    a.netValue = Figure(row.netValue);
    a.profitClose = Figure(row.profitClose);
    a.profitDyn = Figure(row.profitDyn);
    a.dailyCharge = Figure(row.dailyCharge);
    a.riskKind = row.riskKind;
    a.forceCloseLine = Figure(row.forceCloseLine);
    a.warningLine = Figure(row.warningLine);
    a.accStatus = row.accStatus;
    a.carriedInt1 = row.carriedInt4;
    a.carriedInt2 = row.carriedInt5;
    a.userFlags = row.userFlags;
    a.accountState = row.accountState;
    a.accountClass = row.accountClass;
    a.marketId = row.marketId;
    a.marketName = Utf8Text(row.marketName);
    a.marketType = row.marketType;
    a.suretyMoney = Figure(row.suretyMoney);
    return a;
}

void ApplyMoney(user_Account& account, const sFFixMoney& money)
{
    account.withdrawableMoney = Figure(money.withdrawable);
    account.marginFreezed = Figure(money.marginFreezed);
    account.marginRemain = Figure(money.marginRemain);
    account.marginUsed = Figure(money.marginUsed);
    account.dailyCharge = Figure(money.dailyCharge);
    account.profitClose = Figure(money.profitClose);
    account.suretyMoney = Figure(money.suretyMoney);
}

trade_HoldBill HoldBillFromFix(const sFFixHoldDetail& row, bool queryAnswer)
{
    trade_HoldBill h;
    h.accountKey = row.accountKey;
    h.side = row.side;
    h.symbolId = row.symbolId;
    h.stopLoss = Figure(row.stopLoss);
    h.takeProfit = Figure(row.takeProfit);
    h.quantity = Quantity(row.quantity);
    h.orderCode = NarrowText(row.orderCode);
    h.holdPrice = Price(row.holdPrice);
    h.openPrice = Price(row.openPrice);
    h.totalChargeInterest = Figure(row.totalChargeInterest);
    h.carriedDouble1 = Figure(row.carried1);
    h.chargeOpen = Figure(row.chargeOpen);
    h.marginUsed = Figure(row.marginUsed);
    h.carriedValue1 = JoinInts(row.carriedInt1, row.carriedInt2);
    h.openTime = DateAndTime(row.openDate, row.openTime);
    // A push carries the delivery type too once it changes (an application
    // made or withdrawn); 0 there means "as before".
    h.deliveryType = row.queryFlag;
    if(queryAnswer) {
        h.carriedDouble2 = Figure(row.queryValue);
    }
    h.deliveryStatus = row.deliveryStatus;
    h.carriedTime1 = CompactDateTime(row.deliveryTime);
    h.carriedDouble3 = Figure(row.carried2);
    return h;
}

trade_Position PositionFromFix(const sFFixPosition& row)
{
    trade_Position p;
    p.accountKey = row.accountKey;
    p.buyAmount = Figure(row.buyAmount);
    p.sellAmount = Figure(row.sellAmount);
    p.buyQuantity = Quantity(row.buyQuantity);
    p.sellQuantity = Quantity(row.sellQuantity);
    p.symbolId = row.symbolId;
    return p;
}

trade_CloseBill CloseBillFromFix(const sFFixCloseBill& row)
{
    trade_CloseBill c;
    c.accountKey = row.accountKey;
    c.side = row.side;
    c.chargeClose = Finite(row.chargeClose);
    c.chargeOpen = Finite(row.chargeOpen);
    c.closeType = row.closeType;
    c.orderCode = NarrowText(row.orderCode);
    c.orderCodeRe = NarrowText(row.orderCodeRe);
    c.closePrice = Finite(row.closePrice);
    c.holdPrice = Finite(row.holdPrice);
    c.openPrice = Finite(row.openPrice);
    c.closeProfit = Finite(row.closeProfit);
    c.quantity = Finite(row.quantity);
    c.symbolId = row.symbolId;
    c.carriedValue1 = JoinInts(row.carriedInt1, row.carriedInt2);
    c.closeTime = DateAndTime(row.closeDate, row.closeTime);
    c.openTime = DateAndTime(row.openDate, row.openTime);
    return c;
}

trade_Limit LimitFromFix(const sFFixLimitOrder& row)
{
    trade_Limit l;
    l.accountKey = row.accountKey;
    l.side = row.side;
    l.limitType = row.limitType;
    l.freezed = Finite(row.freezed);
    l.openTime = DateAndTime(row.openDate, row.openTime);
    l.orderCode = NarrowText(row.orderCode);
    l.orderPrice = Finite(row.orderPrice);
    l.quantityComplete = Finite(row.quantityComplete);
    l.quantityOrder = Finite(row.quantityOrder);
    l.stopLoss = Finite(row.stopLoss);
    l.takeProfit = Finite(row.takeProfit);
    l.symbolId = row.symbolId;
    l.validDate = ParseCompactDate(NarrowText(row.validDate));
    l.validDateType = row.validDateType;
    return l;
}

bool IsLimitFinished(const sFFixLimitOrder& row)
{
    return row.quantityOrder == 0.0 || row.quantityComplete == row.quantityOrder;
}

am_AmountInOut AmountInOutFromFix(const sFFixRspInOutMoney& row)
{
    am_AmountInOut m;
    m.inOutId = row.inOutId;
    m.accountKey = row.accountKey;
    m.amount = Finite(row.amount);
    m.carriedChar1 = row.carriedChar1;
    m.carriedInt1 = row.carriedInt1;
    m.inOutType = row.inOutType;
    m.approveState = row.approveState;
    m.carriedText1 = Utf8Text(row.remark);
    m.changeTime = DateAndTime(row.changeDate, row.changeTime);
    m.confirmTime = DateAndTime(row.confirmDate, row.confirmTime);
    m.carriedChar2 = row.carriedChar2;
    m.carriedInt2 = row.carriedInt2;
    m.serialCode = NarrowText(row.serialCode);
    return m;
}

user_Payport PayportFromFix(const sFFixPayPortInfo& row)
{
    user_Payport p;
    p.carriedInt1 = row.carriedInt1;
    p.sysPayPortId = row.sysPayPortId;
    p.payportKey = user_Payport::MakePayportKey(row.payportKeyHigh, row.payportKeyLow);
    p.seatSuffix = NarrowText(row.seatSuffix);
    p.identityNumber = NarrowText(row.identityNumber);
    p.identityType = row.identityType;
    p.registState = row.registState;
    p.cardNumber = NarrowText(row.bankCardNumber);
    p.accountName = Utf8Text(row.accountName);
    p.currency = NarrowText(row.currency);
    return p;
}

sys_PayPort SysPayPortFromFix(const sFFixSysPayPortInfo& row)
{
    sys_PayPort p;
    p.sysPayPortId = row.sysPayPortId;
    p.completeFlag = row.completeFlag;
    p.currency = NarrowText(row.currency);
    p.carriedText1 = NarrowText(row.shortName);
    p.bankName = Utf8Text(row.bankName);
    p.payPortCode = NarrowText(row.payPortCode);
    p.channelName = Utf8Text(row.channelName);
    p.needBankPassword = row.bankPasswordFlag == '1' ? 1 : 0;
    return p;
}

sys_CurrencyExchangeRate ExchangeRateFromFix(const sFFixCurrencyExchangeRate& row)
{
    sys_CurrencyExchangeRate r;
    r.fromCurrency = NarrowText(row.fromCurrency);
    r.toCurrency = NarrowText(row.toCurrency);
    r.rate = Finite(row.rate);
    return r;
}

trade_priceLevel PriceLevelFromFix(const sFFixPriceReport& row)
{
    trade_priceLevel p;
    p.priceLevelId = row.priceLevelId;
    static_assert(sizeof p.levels / sizeof p.levels[0] == sizeof row.levels / sizeof row.levels[0],
                  "the level blocks match");
    for(std::size_t i = 0; i < sizeof p.levels / sizeof p.levels[0]; ++i) {
        p.levels[i] = Finite(row.levels[i]);
    }
    p.quoteTime = DateAndTime(row.quoteDate, row.quoteTime);
    return p;
}

risk_notice RiskNoticeFromFix(const sFFixRiskInfo& row, bool isNew)
{
    risk_notice n;
    n.accountKey = row.accountKey;
    n.noticeKind = row.riskCode1;
    n.riskKind = row.riskCode2;
    n.riskRate = Finite(row.value1);
    n.carriedDouble1 = Finite(row.value2);
    n.carriedDouble2 = Finite(row.value3);
    n.carriedDouble3 = Finite(row.value4);
    n.noticeTime = DateAndTime(row.noticeDate, row.noticeTime);
    n.isNew = isNew ? 1 : 0;
    return n;
}

trade_Contract ContractFromFix(const sFFixBinaryContract& row)
{
    trade_Contract c;
    c.maxInvestAmount = Finite(row.value1);
    c.minInvestAmount = Finite(row.value2);
    c.amountStep = Finite(row.value3);
    c.contractId = row.contractNo;
    c.contractState = row.state;
    c.carriedTime1 = CompactDateTime(row.startTime);
    c.carriedDouble1 = Finite(row.value4);
    c.periodCount = row.int1;
    c.periodUnit = row.char1;
    c.profitRate = Finite(row.value5);
    c.carriedInt1 = row.int2;
    c.carriedTime2 = CompactDateTime(row.endTime);
    c.symbolId = row.contractId;
    c.chargeRate = Finite(row.value6);
    c.carriedDouble2 = Finite(row.value7);
    c.carriedDouble3 = Finite(row.value8);
    if(c.amountStep <= 0.0) {
        c.amountStep = 1.0;
    }
    if(c.maxInvestAmount < 0.0) {
        c.maxInvestAmount = 1.0;
    }
    if(c.minInvestAmount < 0.0) {
        c.maxInvestAmount = 0.0;
    }
    return c;
}

trade_BinaryOrder BinaryOrderFromFix(const sFFixBinaryOrer& row, const wxDateTime& arrival)
{
    trade_BinaryOrder o;
    o.accountKey = row.int1;
    o.symbolId = row.symbolId;
    o.side = row.side;
    o.periodCount = row.periodCount;
    o.periodUnit = row.periodUnit;
    o.periodName = PeriodText(row.periodCount, row.periodUnit);
    o.referencePrice = Finite(row.referencePrice);
    o.openPrice = Finite(row.openPrice);
    o.expirePrice = Finite(row.expirePrice);
    o.orderAmount = Finite(row.orderAmount);
    o.orderCode = NarrowText(row.orderCode);
    o.profit = Finite(row.profit);
    o.openCharge = Finite(row.value2);
    o.closeCharge = Finite(row.value3);
    o.openTime = CompactDateTime(row.openTime);
    o.expireTime = CompactDateTime(row.expireTime);
    o.periodSeconds = row.periodSeconds;
    o.lossBackRate = Finite(row.value4);
    o.profitRate = Finite(row.profitRate);
    o.contractId = JoinInts(row.int2, row.int3);
    o.orderState = row.orderState;
    o.carriedDouble1 = Finite(row.value5);
    o.carriedInt1 = row.int4;
    o.charge = Finite(row.charge);
    if(arrival.IsValid()) {
        o.localExpireTime = arrival + wxTimeSpan::Seconds(row.periodSeconds);
    }
    return o;
}

trade_DeliveryOrder DeliveryOrderFromFix(const sFFixDeliveryOrder& row)
{
    trade_DeliveryOrder d;
    d.accountKey = row.accountKey;
    d.side = row.side;
    d.chargeClose = Finite(row.chargeClose);
    d.carriedChar1 = row.carriedChar1;
    d.orderCode = NarrowText(row.orderCode);
    d.orderCodeRe = NarrowText(row.orderCodeRe);
    d.deliveryPrice = Finite(row.deliveryPrice);
    d.carriedDouble1 = Finite(row.carried1);
    d.carriedDouble2 = Finite(row.carried2);
    d.closeProfit = Finite(row.closeProfit);
    d.quantity = Finite(row.quantity);
    d.symbolId = row.symbolId;
    d.carriedValue1 = JoinInts(row.carriedInt1, row.carriedInt2);
    d.closeTime = DateAndTime(row.closeDate, row.closeTime);
    d.carriedTime1 = DateAndTime(row.secondDate, row.secondTime);
    d.deliveryConfirmStatus = row.deliveryConfirmStatus;
    d.deliveryConfirmTime = CompactDateTime(row.deliveryConfirmTime);
    d.deliveryMargin = Finite(row.deliveryMargin);
    d.deliveryTime = CompactDateTime(row.deliveryTime);
    d.deliveryMoney = Finite(row.deliveryMoney);
    d.deliveryCharge = Finite(row.deliveryCharge);
    return d;
}

UserInventory UserInventoryFromFix(const sFFixUserInventory& row)
{
    UserInventory u;
    u.carriedInt1 = row.int1;
    u.storeId = row.storeId;
    u.marketId = row.marketId;
    u.userAmount = Finite(row.userAmount);
    u.financedQuantity = Finite(row.financedQuantity);
    u.usedAmount = Finite(row.usedAmount);
    u.symbolId = row.symbolId;
    u.storeName = Utf8Text(row.text);
    return u;
}

SymbolInventory SymbolInventoryFromFix(const sFFixSymbolInventory& row)
{
    SymbolInventory s;
    s.inventorySN = NarrowText(row.inventorySN);
    s.stockInTime = CompactDateTime(row.stockInTime);
    s.symbolId = row.symbolId;
    s.marketId = row.marketId;
    s.inventoryAmount = Finite(row.inventoryAmount);
    s.inventoryAvailable = Finite(row.inventoryAvailable);
    s.carriedDouble1 = Finite(row.price);
    s.inventoryKeyA = row.int1;
    s.inventoryKeyB = row.int2;
    s.vendorName = Utf8Text(row.text);
    return s;
}

symbol_Info SymbolInfoFromFix(const sFFixRspQrySymbolInfo& row, int userId)
{
    symbol_Info s;
    s.userId = userId;
    s.accountKey = row.accountKey;
    s.symbolId = row.symbolId;
    s.carriedDouble1 = Finite(row.carried1);
    s.carriedDouble2 = Finite(row.carried2);
    s.carriedChar1 = row.tradeFlag != '0' ? 1 : 0;
    s.askSpreadPoints = row.askSpreadPoints;
    s.bidSpreadPoints = row.bidSpreadPoints;
    s.limitPoints = row.carriedInt1;
    s.stopLossPoints = row.carriedInt2;
    s.takeProfitPoints = row.carriedInt3;
    s.carriedInt1 = row.carriedInt4;
    s.symbolCode = NarrowText(row.symbolCode);
    s.marginType = row.marginType;
    s.buyMarginList = MarginList(row.buyMarginList);
    s.sellMarginList = MarginList(row.sellMarginList);
    s.carriedInt2 = row.carriedInt5;
    s.chargeRate = Finite(row.chargeRate);
    s.carriedDouble4 = Finite(row.carried4);
    s.carriedDouble5 = Finite(row.carried5);
    s.carriedInt3 = row.carriedInt6;
    s.carriedChar2 = row.carriedChar2;
    s.carriedChar3 = row.carriedChar3;
    s.marketType = row.marketType;
    s.settlementPrice = Finite(row.settlementPrice);
    s.marketId = row.marketId;
    return s;
}

void FillSymbolProperty(symbol_Property& property, const sFFixRspQrySymbolInfo& row)
{
    property.symbolCode = NarrowText(row.symbolCode);
    property.symbolName = Utf8Text(row.symbolName);
    property.digits = PriceDigits(row.digits);
    property.carriedChar1 = row.carriedChar1;
    property.carriedInt1 = row.marketId;
    property.marketName = Utf8Text(row.marketName);
    property.carriedText1 = NarrowText(row.carriedText);
    property.contractSize = Count(row.contractSize);
    property.maxHoldQuantity = Count(row.maxHoldQuantity);
    property.maxOrderQuantity = Count(row.maxOrderQuantity);
    property.carriedTime1 = ParseCompactTime(NarrowText(row.tradeStartTime));
    property.carriedTime2 = ParseCompactTime(NarrowText(row.tradeEndTime));
    property.currency = NarrowText(row.currency);
}

void FillSymbolPrice(symbol_price& price, const sFFixRspQrySymbolInfo& row)
{
    price.carriedDouble1 = Finite(row.carriedPrice);
    // A live quote is the market-data link's latest, and every later price
    // comes that way too: an answer's snapshot may be older than it.
    if(price.live) {
        return;
    }
    price.digits = QuoteDigits(row.digits);
    price.lastPrice = Finite(row.lastPrice);
    price.highPrice = Finite(row.highPrice);
    price.lowPrice = Finite(row.lowPrice);
    price.carriedPrices[0] = Finite(row.openPrice);
    price.quoteTime = DateAndTime(row.quoteDate, row.quoteTime);
}

void ApplyMarketData(symbol_price& price, const sFFixMarketData& tick)
{
    price.digits = QuoteDigits(tick.digits);
    // A price that is not a number leaves the quote it would replace.
    KeepOrTakePrice(price.highPrice, tick.highPrice);
    KeepOrTakePrice(price.lowPrice, tick.lowPrice);
    KeepOrTakePrice(price.lastPrice, tick.lastPrice);
    static_assert(sizeof tick.quote / sizeof tick.quote[0] == 7, "seven further prices");
    for(int i = 0; i < 7; ++i) {
        KeepOrTake(price.carriedPrices[i], tick.quote[i]);
    }
    price.quoteTime = DateAndTime(tick.quoteDate, tick.quoteTime);
}
