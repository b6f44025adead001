#include "db/AccountProfitBook.h"

#include "db/RecordStore.h"

#include <algorithm>
#include <cmath>

namespace {
// Shares beyond this many cents are summed as doubles, like NaN.
constexpr double kMostCents = 1e15;

bool SameShare(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}
} // namespace

AccountProfitBook::AccountProfitBook(RecordStore* db) : m_db(db)
{
    if(m_db && m_db->m_trade_HoldBill_table) {
        m_db->m_trade_HoldBill_table->AddActionTrigger(static_cast<CActionTrigger<trade_HoldBill>*>(this));
    }
    if(m_db && m_db->m_sys_CurrencyExchangeRate_table) {
        m_db->m_sys_CurrencyExchangeRate_table->AddActionTrigger(
            static_cast<CActionTrigger<sys_CurrencyExchangeRate>*>(this));
    }
    RebuildAll();
}

AccountProfitBook::~AccountProfitBook()
{
    if(m_db && m_db->m_trade_HoldBill_table) {
        m_db->m_trade_HoldBill_table->RemoveActionTrigger(static_cast<CActionTrigger<trade_HoldBill>*>(this));
    }
    if(m_db && m_db->m_sys_CurrencyExchangeRate_table) {
        m_db->m_sys_CurrencyExchangeRate_table->RemoveActionTrigger(
            static_cast<CActionTrigger<sys_CurrencyExchangeRate>*>(this));
    }
}

void AccountProfitBook::OnPrice(int symbolId, std::vector<int>& changed)
{
    if(!m_db || !m_db->m_trade_HoldBill_table || !m_db->m_symbol_Info_table) {
        return;
    }
    CatchUp();
    const auto range = m_db->m_trade_HoldBill_table->GetIndex<BySymbolId>().equal_range(symbolId);
    if(range.first == range.second) {
        return;
    }
    const auto& symbols = m_db->m_symbol_Info_table->GetIndexByPrimary();
    const auto symbol = symbols.find(symbolId);
    HoldProfitTerms terms;
    const bool quoted = symbol != symbols.end() && Terms(*symbol, terms);
    for(auto it = range.first; it != range.second; ++it) {
        const trade_HoldBill& bill = *it;
        const double share = quoted ? HoldProfitFrom(terms, bill, kProfitFromHoldPrice) : 0.0;
        auto found = m_shares.find(&bill);
        if(found == m_shares.end()) {
            found = m_shares.emplace(&bill, Share{bill.accountKey, 0.0}).first;
            SumOf(bill.accountKey).rates = 0; // a bill the book was not told of
        }
        Share& kept = found->second;
        if(SameShare(kept.profit, share) && kept.accountKey == bill.accountKey) {
            continue;
        }
        Move(kept.accountKey, kept.profit, 0.0);
        Move(bill.accountKey, 0.0, share);
        if(std::find(changed.begin(), changed.end(), kept.accountKey) == changed.end()) {
            changed.push_back(kept.accountKey);
        }
        if(std::find(changed.begin(), changed.end(), bill.accountKey) == changed.end()) {
            changed.push_back(bill.accountKey);
        }
        kept = Share{bill.accountKey, share};
    }
}

double AccountProfitBook::Profit(int accountKey)
{
    CatchUp();
    if(SumOf(accountKey).rates != m_rateGeneration) {
        Recompute(accountKey);
    }
    Sum& sum = SumOf(accountKey);
    if(sum.inexact == 0) {
        return static_cast<double>(sum.cents) / 100.0;
    }
    // As the bills add up one by one: NaN and infinities as they fall.
    double profit = 0.0;
    if(m_db && m_db->m_trade_HoldBill_table) {
        const auto range = m_db->m_trade_HoldBill_table->GetIndex<ByAccountKey>().equal_range(accountKey);
        for(auto it = range.first; it != range.second; ++it) {
            const auto found = m_shares.find(&*it);
            profit += found != m_shares.end() ? found->second.profit : 0.0;
        }
    }
    return profit;
}

void AccountProfitBook::Recompute(int accountKey)
{
    CatchUp();
    Sum fresh;
    if(m_db && m_db->m_trade_HoldBill_table) {
        const auto range = m_db->m_trade_HoldBill_table->GetIndex<ByAccountKey>().equal_range(accountKey);
        for(auto it = range.first; it != range.second; ++it) {
            const double share = ShareOf(*it);
            m_shares[&*it] = Share{accountKey, share};
            if(Exact(share)) {
                fresh.cents += Cents(share);
            } else {
                ++fresh.inexact;
            }
        }
    }
    fresh.rates = m_rateGeneration;
    m_sums[accountKey] = fresh;
}

void AccountProfitBook::afterAdd(const trade_HoldBill& stored, CTransaction*, void*)
{
    TakeShare(stored);
}

void AccountProfitBook::afterUpdate(const trade_HoldBill& stored, CTransaction*, void*)
{
    TakeShare(stored);
}

void AccountProfitBook::TakeShare(const trade_HoldBill& bill)
{
    // The bill's old share leaves the account it was in (an update may move
    // the bill to another); the new one joins its account now.
    const double share = ShareOf(bill);
    const auto found = m_shares.find(&bill);
    if(found != m_shares.end()) {
        Move(found->second.accountKey, found->second.profit, 0.0);
    }
    m_shares[&bill] = Share{bill.accountKey, share};
    Move(bill.accountKey, 0.0, share);
}

bool AccountProfitBook::beforeRemove(const trade_HoldBill& stored, CTransaction*, void*)
{
    const auto found = m_shares.find(&stored);
    if(found != m_shares.end()) {
        Move(found->second.accountKey, found->second.profit, 0.0);
        m_shares.erase(found);
    }
    // A veto after this would leave the counts apart: CatchUp starts anew then.
    ++m_removals;
    return true;
}

void AccountProfitBook::afterAdd(const sys_CurrencyExchangeRate&, CTransaction*, void*)
{
    RatesChanged();
}

void AccountProfitBook::afterUpdate(const sys_CurrencyExchangeRate&, CTransaction*, void*)
{
    RatesChanged();
}

bool AccountProfitBook::beforeRemove(const sys_CurrencyExchangeRate&, CTransaction*, void*)
{
    RatesChanged();
    return true;
}

double AccountProfitBook::ShareOf(const trade_HoldBill& bill)
{
    HoldProfitTerms terms;
    if(!bill.GetSymbolInfo(m_db) || !Terms(*bill.cachedSymbolInfo, terms)) {
        return 0.0;
    }
    return HoldProfitFrom(terms, bill, kProfitFromHoldPrice);
}

bool AccountProfitBook::Terms(const symbol_Info& symbol, HoldProfitTerms& terms)
{
    return MakeHoldProfitTerms(m_db, symbol, terms) &&
           RateOf(*terms.fromCurrency, *terms.toCurrency, terms.rate);
}

bool AccountProfitBook::RateOf(const wxString& from, const wxString& to, double& rate)
{
    for(const Rate& known : m_rates) {
        if(known.from == from && known.to == to) {
            rate = known.rate;
            return known.found;
        }
    }
    sys_CurrencyExchangeRateFactory* table = m_db ? m_db->m_sys_CurrencyExchangeRate_table.get() : nullptr;
    if(!table) {
        return false;
    }
    // The lookup stores a currency's rate to itself (1) the first time: a new
    // row that changes no rate summed before. The entry is made after it.
    const uint64_t generation = m_rateGeneration;
    const auto found = table->GetExchangeRate(from, to);
    Rate entry{from, to, found != table->GetIndexByPrimary().end(), 0.0};
    if(entry.found) {
        entry.rate = found->rate;
    }
    if(generation != m_rateGeneration && from == to) {
        m_rateGeneration = generation;
    }
    m_rates.push_back(entry);
    rate = entry.rate;
    return entry.found;
}

AccountProfitBook::Sum& AccountProfitBook::SumOf(int accountKey)
{
    const auto found = m_sums.find(accountKey);
    if(found != m_sums.end()) {
        return found->second;
    }
    Sum& added = m_sums[accountKey];
    added.rates = m_rateGeneration;
    return added;
}

void AccountProfitBook::Move(int accountKey, double from, double to)
{
    Sum& sum = SumOf(accountKey);
    if(Exact(from) && Exact(to)) {
        sum.cents += Cents(to) - Cents(from);
    } else {
        sum.rates = 0; // summed anew from every bill at the next read
    }
}

bool AccountProfitBook::Exact(double profit)
{
    return std::isfinite(profit) && std::fabs(profit) * 100.0 < kMostCents;
}

int64_t AccountProfitBook::Cents(double profit)
{
    return std::llround(profit * 100.0);
}

void AccountProfitBook::CatchUp()
{
    if(m_db && m_db->m_trade_HoldBill_table &&
       m_db->m_trade_HoldBill_table->GetRemovalCount() != m_removals) {
        RebuildAll();
    }
}

void AccountProfitBook::RebuildAll()
{
    m_shares.clear();
    m_sums.clear();
    m_rates.clear();
    ++m_rateGeneration;
    if(!m_db || !m_db->m_trade_HoldBill_table) {
        return;
    }
    m_removals = m_db->m_trade_HoldBill_table->GetRemovalCount();
    for(const trade_HoldBill& bill : m_db->m_trade_HoldBill_table->GetIndexByPrimary()) {
        const double share = ShareOf(bill);
        m_shares[&bill] = Share{bill.accountKey, share};
        Move(bill.accountKey, 0.0, share);
    }
}

void AccountProfitBook::RatesChanged()
{
    m_rates.clear();
    ++m_rateGeneration;
}
