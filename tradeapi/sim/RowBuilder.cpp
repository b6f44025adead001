#include "RowBuilder.h"

#include "MarketMath.h"
#include "SimClock.h"
#include "tradeapi/FixedText.h"

#include <cstdio>

namespace simmarket {

using tradeapi::SetFixedText;

namespace {

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

void SetDateTime(char (&date)[9], char (&time)[9], int64_t ms)
{
    if(ms <= 0)
        return;
    SetFixedText(date, SimClock::DateText(ms));
    SetFixedText(time, SimClock::TimeText(ms));
}

} // namespace

sFFixRspQrySymbolInfo RowBuilder::Symbol(const SimSymbol& s, int accountKey, int64_t nowMs) const
{
    sFFixRspQrySymbolInfo r{};
    r.accountKey = accountKey;
    r.digits = s.digits;
    SetFixedText(r.currency, s.currency);
    r.tradeFlag = '1';
    r.askSpreadPoints = s.askSpread;
    r.bidSpreadPoints = s.bidSpread;
    r.lastPrice = s.last;
    r.highPrice = s.high;
    r.lowPrice = s.low;
    r.openPrice = s.open;
    r.symbolId = s.id;
    SetFixedText(r.symbolCode, s.code);
    SetFixedText(r.symbolName, s.name);
    r.marketId = s.marketId;
    SetFixedText(r.marketName, s.marketName);
    r.contractSize = s.contractSize;
    r.maxHoldQuantity = s.maxHold;
    r.maxOrderQuantity = s.maxOrder;
    SetFixedText(r.quoteTime, SimClock::TimeText(nowMs));
    SetFixedText(r.quoteDate, SimClock::DateText(nowMs));
    SetFixedText(r.tradeStartTime, "090000");
    SetFixedText(r.tradeEndTime, "040000");
    r.marginType = s.marginType;
    SetFixedText(r.buyMarginList, Number(s.buyMargin));
    SetFixedText(r.sellMarginList, Number(s.sellMargin));
    r.marketType = s.marketType;
    r.chargeRate = s.chargeRate;
    r.settlementPrice = s.settlement;
    return r;
}

sFFixMarketData RowBuilder::MarketData(const SimSymbol& s, int64_t nowMs) const
{
    sFFixMarketData r{};
    r.symbolId = s.id;
    // Only the low byte fits; the client keeps the same byte of the symbol answer.
    r.digits = static_cast<char>(s.digits);
    r.highPrice = s.high;
    r.lowPrice = s.low;
    r.lastPrice = s.last;
    r.quote[0] = s.open;
    r.quote[1] = m_state.Bid(s);
    r.quote[2] = m_state.Ask(s);
    r.quote[3] = s.settlement;
    SetFixedText(r.quoteDate, SimClock::DateText(nowMs));
    SetFixedText(r.quoteTime, SimClock::TimeText(nowMs));
    return r;
}

sFFixRspQryAccount RowBuilder::Account(const SimAccount& a, const SimUser& user) const
{
    sFFixRspQryAccount r{};
    SetFixedText(r.accountName, a.name);
    r.accountKey = a.key;
    const double floating = RoundCents(m_state.FloatingProfit(a.key));
    const double used = m_state.MarginUsed(a.key);
    const double freezed = m_state.MarginFreezed(a.key);
    r.marginRemain = a.balance;
    r.marginUsed = used;
    r.marginFreezed = freezed;
    r.netValue = RoundCents(a.balance + floating);
    r.marginFree = RoundCents(r.netValue - used - freezed);
    r.withdrawable = m_state.Withdrawable(a.key);
    SetFixedText(r.currency, a.currency);
    r.profitClose = a.profitClose;
    r.profitDyn = floating;
    r.dailyCharge = a.dailyCharge;
    r.riskKind = a.riskKind;
    r.riskRate = RiskRate(a.riskKind, r.netValue, used, a.suretyMoney);
    r.forceCloseLine = a.forceCloseLine;
    r.warningLine = a.warningLine;
    SetFixedText(r.marketName, a.marketName);
    r.lastDelayCharge = a.lastDelayCharge;
    r.accountState = a.accountState;
    r.accStatus = a.accStatus;
    r.accountClass = a.accountClass;
    r.marketType = a.marketType;
    r.userFlags = user.mustChangePassword ? 2 : 0;
    r.marketId = a.marketId;
    r.suretyMoney = a.suretyMoney;
    return r;
}

sFFixMoney RowBuilder::Money(const SimAccount& a) const
{
    sFFixMoney r{};
    r.accountKey = a.key;
    r.withdrawable = m_state.Withdrawable(a.key);
    r.marginFreezed = m_state.MarginFreezed(a.key);
    r.marginRemain = a.balance;
    r.marginUsed = m_state.MarginUsed(a.key);
    r.dailyCharge = a.dailyCharge;
    r.profitClose = a.profitClose;
    r.suretyMoney = a.suretyMoney;
    return r;
}

sFFixHoldDetail RowBuilder::Hold(const SimHold& h) const
{
    sFFixHoldDetail r{};
    r.accountKey = h.accountKey;
    r.side = h.side;
    r.symbolId = h.symbolId;
    r.stopLoss = h.stopLoss;
    r.takeProfit = h.takeProfit;
    r.quantity = h.quantity;
    SetFixedText(r.orderCode, h.code);
    r.holdPrice = h.holdPrice;
    r.openPrice = h.openPrice;
    r.totalChargeInterest = h.chargeOpen;
    r.chargeOpen = h.chargeOpen;
    r.marginUsed = h.margin;
    SetDateTime(r.openDate, r.openTime, h.openTimeMs);
    // The delivery type: '2' once delivery is applied for, so a client can
    // offer the withdrawal.
    r.queryFlag = h.deliveryApplied ? '2' : '1';
    r.deliveryStatus = '1';
    return r;
}

sFFixHoldDetail RowBuilder::HoldGone(const SimHold& h) const
{
    sFFixHoldDetail r = Hold(h);
    r.quantity = 0;
    r.marginUsed = 0;
    return r;
}

sFFixPosition RowBuilder::Position(int accountKey, int symbolId) const
{
    sFFixPosition r{};
    r.accountKey = accountKey;
    r.symbolId = symbolId;
    auto sit = m_state.symbols.find(symbolId);
    const int contract = sit == m_state.symbols.end() ? 1 : sit->second.contractSize;
    for(const auto& [code, h] : m_state.holds) {
        if(h.accountKey != accountKey || h.symbolId != symbolId)
            continue;
        if(h.side == 'b') {
            r.buyQuantity += h.quantity;
            r.buyAmount += h.holdPrice * h.quantity * contract;
        } else {
            r.sellQuantity += h.quantity;
            r.sellAmount += h.holdPrice * h.quantity * contract;
        }
    }
    r.buyAmount = RoundCents(r.buyAmount);
    r.sellAmount = RoundCents(r.sellAmount);
    return r;
}

sFFixCloseBill RowBuilder::CloseBill(const SimCloseBill& c) const
{
    sFFixCloseBill r{};
    r.accountKey = c.accountKey;
    r.side = c.side;
    r.chargeClose = c.chargeClose;
    r.chargeOpen = c.chargeOpen;
    r.closeType = c.closeType;
    SetFixedText(r.orderCode, c.code);
    SetFixedText(r.orderCodeRe, c.codeRe);
    r.closePrice = c.closePrice;
    r.holdPrice = c.holdPrice;
    r.openPrice = c.openPrice;
    r.closeProfit = c.profit;
    r.quantity = c.quantity;
    r.symbolId = c.symbolId;
    SetDateTime(r.closeDate, r.closeTime, c.closeTimeMs);
    SetDateTime(r.openDate, r.openTime, c.openTimeMs);
    return r;
}

sFFixLimitOrder RowBuilder::Limit(const SimLimit& l, double quantityComplete) const
{
    sFFixLimitOrder r{};
    r.accountKey = l.accountKey;
    r.side = l.side;
    r.limitType = l.limitType;
    r.freezed = l.frozen;
    SetDateTime(r.openDate, r.openTime, l.openTimeMs);
    SetFixedText(r.orderCode, l.code);
    r.orderPrice = l.price;
    r.quantityComplete = quantityComplete;
    r.quantityOrder = l.quantity;
    r.stopLoss = l.stopLoss;
    r.takeProfit = l.takeProfit;
    r.symbolId = l.symbolId;
    if(l.openTimeMs > 0)
        SetFixedText(r.validDate, SimClock::DateText(l.openTimeMs));
    r.validDateType = l.validDateType;
    return r;
}

sFFixCurrencyExchangeRate RowBuilder::Rate(const SimRate& rate) const
{
    sFFixCurrencyExchangeRate r{};
    SetFixedText(r.fromCurrency, rate.from);
    SetFixedText(r.toCurrency, rate.to);
    r.rate = rate.rate;
    return r;
}

sFFixRspInOutMoney RowBuilder::MoneyMove(const SimMoneyMove& m) const
{
    sFFixRspInOutMoney r{};
    r.accountKey = m.accountKey;
    r.amount = m.amount;
    r.inOutType = m.type;
    r.approveState = m.approveState;
    SetFixedText(r.remark, m.remark);
    r.inOutId = m.id;
    SetDateTime(r.changeDate, r.changeTime, m.changeTimeMs);
    SetDateTime(r.confirmDate, r.confirmTime, m.confirmTimeMs);
    SetFixedText(r.serialCode, m.serialCode);
    return r;
}

sFFixSysPayPortInfo RowBuilder::SysPayPort(const SimSysPayPort& p) const
{
    sFFixSysPayPortInfo r{};
    SetFixedText(r.currency, p.currency);
    SetFixedText(r.shortName, p.shortName);
    r.sysPayPortId = p.id;
    SetFixedText(r.bankName, p.bankName);
    SetFixedText(r.payPortCode, p.code);
    r.bankPasswordFlag = p.bankPassword ? '1' : '0';
    r.completeFlag = p.completeFlag;
    SetFixedText(r.channelName, p.channelName);
    return r;
}

sFFixPayPortInfo RowBuilder::UserPayPort(const SimUserPayPort& p) const
{
    sFFixPayPortInfo r{};
    SetFixedText(r.bankCardNumber, p.bankCard);
    SetFixedText(r.identityNumber, p.identityNumber);
    SetFixedText(r.accountName, p.accountName);
    r.sysPayPortId = p.sysPayPortId;
    r.payportKeyHigh = static_cast<int32_t>(p.key >> 32);
    r.payportKeyLow = static_cast<int32_t>(p.key & 0xffffffff);
    SetFixedText(r.currency, p.currency);
    r.identityType = p.identityType;
    r.registState = p.registState;
    SetFixedText(r.seatSuffix, p.seatSuffix);
    return r;
}

} // namespace simmarket
