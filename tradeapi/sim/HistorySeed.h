#pragma once
// The history a market has when it starts: past closed bills, finished limit
// orders and money movements of an account, generated from the scenario key
// "history" so the report pages have several pages to show, and the cash
// log that leads from an opening balance through every dated change of the
// scenario to the accounts' balances.
#include "MarketState.h"

#include <nlohmann/json.hpp>

namespace simmarket {

class HistorySeed
{
public:
    HistorySeed(MarketState& state, int64_t nowMs) : m_state(state), m_nowMs(nowMs) {}

    // {"account": K, "days": D, "closeBills": N, "finishedLimits": N,
    //  "moneyMoves": N}: that many rows spread over the D days before today,
    // during trading hours, marked as history. The same scenario and day
    // give the same rows.
    void Generate(const nlohmann::json& entry);
    // Writes each account's cash log: an opening entry, then every dated
    // change the scenario implies (charges, profits, money movements), so
    // the last entry's balance is the account's balance.
    void OpenCashLedger();

private:
    // Local time of a day before today (1 = yesterday) at the given minute.
    int64_t DayTime(int daysBack, int minuteOfDay) const;

    MarketState& m_state;
    int64_t m_nowMs;
};

} // namespace simmarket
