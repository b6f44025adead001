#pragma once
// Turns the market's records into the rows and pushes the client reads.
#include "MarketState.h"
#include "tradeapi/FFixStructs.h"

namespace simmarket {

class RowBuilder
{
public:
    explicit RowBuilder(MarketState& state) : m_state(state) {}

    sFFixRspQrySymbolInfo Symbol(const SimSymbol& symbol, int accountKey, int64_t nowMs) const;
    sFFixMarketData MarketData(const SimSymbol& symbol, int64_t nowMs) const;
    sFFixRspQryAccount Account(const SimAccount& account, const SimUser& user) const;
    sFFixMoney Money(const SimAccount& account) const;
    sFFixHoldDetail Hold(const SimHold& hold) const;
    // Quantity 0: the hold bill is gone.
    sFFixHoldDetail HoldGone(const SimHold& hold) const;
    // Both quantities 0 when the account holds nothing of the symbol.
    sFFixPosition Position(int accountKey, int symbolId) const;
    sFFixCloseBill CloseBill(const SimCloseBill& bill) const;
    sFFixLimitOrder Limit(const SimLimit& limit, double quantityComplete) const;
    sFFixCurrencyExchangeRate Rate(const SimRate& rate) const;
    sFFixRspInOutMoney MoneyMove(const SimMoneyMove& move) const;
    sFFixSysPayPortInfo SysPayPort(const SimSysPayPort& port) const;
    sFFixPayPortInfo UserPayPort(const SimUserPayPort& port) const;

private:
    MarketState& m_state;
};

} // namespace simmarket
