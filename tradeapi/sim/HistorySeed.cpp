#include "HistorySeed.h"

#include "MarketMath.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <stdexcept>

namespace simmarket {

using nlohmann::json;

namespace {

constexpr int kOpenMinute = 9 * 60 + 30; // trading starts at 09:30
constexpr int kMaxRows = 10000;

std::string Code(const char* prefix, int number)
{
    char text[16];
    std::snprintf(text, sizeof text, "%s%05d", prefix, number % 100000);
    return text;
}

int Count(const json& entry, const char* key)
{
    const int count = entry.value(key, 0);
    if(count < 0 || count > kMaxRows)
        throw std::runtime_error(std::string("history \"") + key + "\" must be 0 to 10000");
    return count;
}

struct Change
{
    int64_t timeMs;
    int accountKey;
    char type;
    double amount;
    std::string ref;
};

} // namespace

int64_t HistorySeed::DayTime(int daysBack, int minuteOfDay) const
{
    const std::time_t now = static_cast<std::time_t>(m_nowMs / 1000);
    std::tm local{};
    localtime_r(&now, &local);
    local.tm_mday -= daysBack;
    local.tm_hour = minuteOfDay / 60;
    local.tm_min = minuteOfDay % 60;
    local.tm_sec = 0;
    local.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&local)) * 1000;
}

void HistorySeed::Generate(const json& entry)
{
    const int accountKey = entry.at("account").get<int>();
    SimAccount* account = m_state.FindAccount(accountKey);
    if(!account)
        throw std::runtime_error("history names an unknown account " + std::to_string(accountKey));
    const int days = entry.value("days", 10);
    if(days < 1 || days > 3650)
        throw std::runtime_error("history \"days\" must be 1 to 3650");
    std::vector<const SimSymbol*> symbols;
    for(const auto& [id, symbol] : m_state.symbols)
        if(symbol.marketId == account->marketId)
            symbols.push_back(&symbol);

    // Rows are spread over the days, newest first, a few minutes apart.
    auto when = [&](int i, int offsetMinutes) {
        return DayTime(1 + i % days, kOpenMinute + (i / days) * 17 % 300 + offsetMinutes);
    };
    const int bills = symbols.empty() ? 0 : Count(entry, "closeBills");
    for(int i = 0; i < bills; ++i) {
        const SimSymbol& s = *symbols[i % symbols.size()];
        const double rate = m_state.ExchangeRate(s.currency, account->currency);
        SimCloseBill c;
        c.code = Code("CH", i + 1);
        c.codeRe = Code("HH", i + 1);
        c.accountKey = accountKey;
        c.symbolId = s.id;
        const char holdSide = i % 2 ? 's' : 'b';
        c.side = holdSide == 'b' ? 's' : 'b';
        c.closeType = '3';
        c.quantity = 1 + i % 3;
        c.openPrice = c.holdPrice = s.last + PointsToPrice((i * 7) % 21 - 10, s.digits);
        c.closePrice = c.openPrice + PointsToPrice((i * 13) % 31 - 15, s.digits);
        c.profit = ProfitPoints(holdSide, c.holdPrice, c.closePrice, s.contractSize * c.quantity, rate);
        c.chargeOpen = m_state.Charge(s, *account, c.openPrice, c.quantity);
        c.chargeClose = m_state.Charge(s, *account, c.closePrice, c.quantity);
        c.openTimeMs = when(i, 0);
        c.closeTimeMs = c.openTimeMs + 25 * 60 * 1000;
        c.history = true;
        m_state.closeBills.push_back(c);
    }
    const int limits = symbols.empty() ? 0 : Count(entry, "finishedLimits");
    for(int i = 0; i < limits; ++i) {
        const SimSymbol& s = *symbols[(i + 1) % symbols.size()];
        SimLimit l;
        l.code = Code("LH", i + 1);
        l.accountKey = accountKey;
        l.symbolId = s.id;
        l.side = i % 2 ? 's' : 'b';
        l.limitType = i % 3 == 2 ? '2' : '1';
        l.price = s.last + PointsToPrice(i % 2 ? 20 + i % 7 : -20 - i % 7, s.digits);
        l.quantity = 1 + i % 2;
        l.validDateType = '1';
        l.openTimeMs = when(i, 5);
        l.frozen = m_state.Margin(s, *account, l.side, l.price, l.quantity) +
                   m_state.Charge(s, *account, l.price, l.quantity);
        l.finish = i % 2 ? 'C' : 'F';
        l.quantityComplete = l.finish == 'F' ? l.quantity : 0;
        l.finishTimeMs = l.openTimeMs + 40 * 60 * 1000;
        m_state.finishedLimits.push_back(l);
    }
    const int moves = Count(entry, "moneyMoves");
    for(int i = 0; i < moves; ++i) {
        SimMoneyMove m;
        m.id = m_state.NextMoneyId();
        m.accountKey = accountKey;
        m.type = i % 3 == 2 ? '2' : '1';
        m.approveState = i % 7 == 5 ? '4' : i % 11 == 9 ? '5' : '3';
        m.amount = 1000 + (i * 250) % 4000;
        m.serialCode = (m.type == '1' ? "IN" : "OUT") + std::to_string(m.id);
        m.changeTimeMs = when(i, 10);
        m.confirmTimeMs = m.changeTimeMs + 5 * 60 * 1000;
        m.history = true;
        m_state.moneyMoves[m.id] = m;
    }
}

void HistorySeed::OpenCashLedger()
{
    std::vector<Change> changes;
    auto add = [&changes](int64_t timeMs, int account, char type, double amount, const std::string& ref) {
        if(amount != 0)
            changes.push_back({timeMs, account, type, amount, ref});
    };
    for(const auto& [code, h] : m_state.holds)
        add(h.openTimeMs, h.accountKey, '4', -h.chargeOpen, code);
    for(const auto& c : m_state.closeBills) {
        add(c.openTimeMs, c.accountKey, '4', -c.chargeOpen, c.codeRe);
        add(c.closeTimeMs, c.accountKey, '6', c.profit, c.code);
        add(c.closeTimeMs, c.accountKey, '5', -c.chargeClose, c.code);
    }
    for(const auto& [id, m] : m_state.moneyMoves) {
        const std::string ref = std::to_string(id);
        const int64_t confirmed = m.confirmTimeMs > 0 ? m.confirmTimeMs : m.changeTimeMs;
        if(m.type == '1' && m.approveState == '3')
            add(confirmed, m.accountKey, '1', m.amount, ref);
        if(m.type == '2') {
            // A withdrawal leaves at once and comes back when refused.
            add(m.changeTimeMs, m.accountKey, '2', -m.amount, ref);
            if(m.approveState == '4' || m.approveState == '5')
                add(confirmed, m.accountKey, 'I', m.amount, ref);
        }
    }
    std::stable_sort(changes.begin(), changes.end(),
                     [](const Change& a, const Change& b) { return a.timeMs < b.timeMs; });

    for(auto& [key, account] : m_state.accounts) {
        const double balance = account.balance;
        double sum = 0;
        int64_t first = m_nowMs;
        for(const Change& c : changes)
            if(c.accountKey == key) {
                sum += c.amount;
                if(c.timeMs > 0)
                    first = std::min(first, c.timeMs);
            }
        // The opening balance comes first, then the changes lead to today's.
        SimCashEntry opening;
        opening.accountKey = key;
        opening.type = '3';
        opening.change = opening.after = account.balance = RoundCents(balance - sum);
        opening.timeMs = first - 60 * 1000;
        opening.ref = "opening";
        m_state.cashLedger.push_back(opening);
        for(const Change& c : changes)
            if(c.accountKey == key)
                m_state.ChangeBalance(account, c.amount, c.type, c.ref, c.timeMs);
        account.balance = balance; // exact, whatever the rounding on the way
    }
    std::stable_sort(m_state.cashLedger.begin(), m_state.cashLedger.end(),
                     [](const SimCashEntry& a, const SimCashEntry& b) { return a.timeMs < b.timeMs; });
    for(std::size_t i = 0; i < m_state.cashLedger.size(); ++i)
        m_state.cashLedger[i].serial = static_cast<int64_t>(i + 1);
    m_state.m_lastCashSerial = static_cast<int64_t>(m_state.cashLedger.size());
}

} // namespace simmarket
