#pragma once

#include "db/CActionTrigger.h"
#include "db/TradeArithmetic.h"

#include <cstdint>
#include <unordered_map>
#include <vector>
#include <wx/string.h>

class RecordStore;
struct sys_CurrencyExchangeRate;
struct symbol_Info;
struct trade_HoldBill;

// The floating profit of every account (its hold bills' profit from the hold
// price), kept by difference. The book holds each bill's last share and each
// account's sum in cents: a price push recomputes only the bills of its
// symbol and moves their accounts' sums by the change, so its cost does not
// grow with the bills of other symbols. Exchange rates are cached per
// currency pair until the rate table changes, which has every sum recomputed.
// A share that is no finite number of cents (NaN, infinity, beyond 10^13)
// has its account recomputed in full at each change, so it never stays in a
// sum once its bill has gone or become finite again. It observes the hold
// bills and the rates of the store; the store must outlive it. GUI thread only.
class AccountProfitBook : public CActionTrigger<trade_HoldBill>,
                          public CActionTrigger<sys_CurrencyExchangeRate>
{
public:
    explicit AccountProfitBook(RecordStore* db);
    ~AccountProfitBook() override;
    AccountProfitBook(const AccountProfitBook&) = delete;
    AccountProfitBook& operator=(const AccountProfitBook&) = delete;

    // The symbol's bills at its current quote; appends to `changed` each
    // account whose profit moved (once).
    void OnPrice(int symbolId, std::vector<int>& changed);
    // The account's floating profit (0 without bills).
    double Profit(int accountKey);
    // The account's bills recomputed from their records, as after a change
    // the book does not see (a link, an account's currency).
    void Recompute(int accountKey);

    void afterAdd(const trade_HoldBill& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const trade_HoldBill& stored, CTransaction* transaction, void* reserved) override;
    bool beforeRemove(const trade_HoldBill& stored, CTransaction* transaction, void* reserved) override;

    void afterAdd(const sys_CurrencyExchangeRate& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const sys_CurrencyExchangeRate& stored, CTransaction* transaction,
                     void* reserved) override;
    bool beforeRemove(const sys_CurrencyExchangeRate& stored, CTransaction* transaction,
                      void* reserved) override;

private:
    struct Share
    {
        int accountKey = 0;
        double profit = 0.0;
    };
    struct Sum
    {
        int64_t cents = 0;  // of the exact shares
        int inexact = 0;    // shares that are no finite number of cents
        uint64_t rates = 0; // the rate generation it was summed under; 0: stale
    };
    struct Rate
    {
        wxString from;
        wxString to;
        bool found = false;
        double rate = 0.0;
    };

    double ShareOf(const trade_HoldBill& bill);
    // The bill's share recomputed and moved into its account's sum.
    void TakeShare(const trade_HoldBill& bill);
    bool Terms(const symbol_Info& symbol, HoldProfitTerms& terms);
    bool RateOf(const wxString& from, const wxString& to, double& rate);
    Sum& SumOf(int accountKey);
    // Moves the account's sum from one share of a bill to another.
    void Move(int accountKey, double from, double to);
    static bool Exact(double profit);
    static int64_t Cents(double profit);
    // Everything again when the table lost bills the book was not told of.
    void CatchUp();
    void RebuildAll();
    void RatesChanged();

    RecordStore* m_db;
    std::unordered_map<const trade_HoldBill*, Share> m_shares;
    std::unordered_map<int, Sum> m_sums;
    std::vector<Rate> m_rates;
    uint64_t m_rateGeneration = 1;
    uint64_t m_removals = 0; // of the hold table, as far as the book followed them
};
