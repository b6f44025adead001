// Price ticks from the market-data callback to the table: the library's
// thread copies each tick into a queued event, the Client dispatches it into
// symbol_price, and the profit of the symbol's account is refreshed from its
// hold bills. Two observers watch the price table as the quote board and a
// chart would; the second run adds the risk pane's 20 rules. The argument is
// the number of hold bills per account, spread over the account's symbols.

#include "BenchMain.h"
#include "connection/Client.h"
#include "connection/IConnectionHost.h"
#include "connection/MdClient.h"
#include "db/RecordStore.h"
#include "db/TradeArithmetic.h"
#include "risk/RiskEvaluator.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <tradeapi/FixedText.h>
#include <vector>
#include <wx/app.h>
#include <wx/init.h>

namespace {

constexpr int kSymbols = 200;
constexpr int kAccounts = 2;

class QuietHost : public IConnectionHost
{
public:
    void SetStatusField(int, const wxString&) override {}
    void SetStatusFieldColour(int, StatusColour) override {}
    int GetBlinkPhase() const override { return 1; }
    void OutputLog(const wxString&, const wxString&) override {}
    void ShowMessageBox(const wxString&, const wxString&) override {}
    void ShowLoggedOut() override {}
    void OnLoginAccepted(const wxString&) override {}
    bool IsShowNotify(int) const override { return true; }
    const wxArrayInt& GetMarketIds() const override { return m_markets; }
    bool ReadConfigBool(const wxString&, bool defaultValue) const override { return defaultValue; }
    wxString GetServerText() const override { return "Bench"; }
    const wxArrayString& GetTradeAddresses() const override { return m_addresses; }
    const wxArrayString& GetMdAddresses() const override { return m_addresses; }

private:
    wxArrayInt m_markets;
    wxArrayString m_addresses;
};

class PriceObserver : public CActionTrigger<symbol_price>, public CCommitTrigger<symbol_price>
{
public:
    double seen = 0.0;
    void afterUpdate(const symbol_price& stored, CTransaction*, void*) override { seen += stored.lastPrice; }
    void commitUpdate(const symbol_price& oldValue, const symbol_price& stored, int) override
    {
        seen += stored.lastPrice - oldValue.lastPrice;
    }
};

template <class Event, class... Args> void Feed(Client& client, CallbackCode code, Args... args)
{
    Event event(code, args...);
    client.ProcessEvent(event);
}

// A client over 200 symbols in two accounts, each with the given number of
// hold bills.
class PushBed
{
public:
    explicit PushBed(int holdsPerAccount) : client("bench", &db, &host)
    {
        for(int key = 1; key <= 2; ++key) {
            sFFixRspQryAccount account{};
            account.accountKey = key;
            account.marginRemain = 100000.0;
            account.riskKind = '1';
            tradeapi::SetFixedText(account.currency, "CNY");
            Feed<TradeQueryRowEvent<sFFixRspQryAccount>>(client, CallbackCode::RspQryAccount, account, 10,
                                                         key == 2 ? eLastTypeLast : eLastTypeMore);
        }
        for(int id = 1; id <= kSymbols; ++id) {
            sFFixRspQrySymbolInfo row{};
            row.symbolId = id;
            row.accountKey = 1 + id % 2;
            row.digits = 2;
            row.contractSize = 10;
            row.marketType = '1';
            row.lastPrice = 100.0;
            tradeapi::SetFixedText(row.currency, "CNY");
            tradeapi::SetFixedText(row.symbolCode, "S" + std::to_string(id));
            tradeapi::SetFixedText(row.symbolName, "N" + std::to_string(id));
            Feed<TradeQueryRowEvent<sFFixRspQrySymbolInfo>>(client, CallbackCode::RspQrySymbolInfo, row, 11,
                                                            id == kSymbols ? eLastTypeLast : eLastTypeMore);
        }
        for(int n = 0; n < kAccounts * holdsPerAccount; ++n) {
            sFFixHoldDetail hold{};
            hold.symbolId = 1 + n % kSymbols; // odd symbols trade in account 2, even in account 1
            hold.accountKey = 1 + hold.symbolId % 2;
            hold.side = n % 3 == 0 ? 's' : 'b';
            hold.quantity = 1 + n % 4;
            hold.holdPrice = 99.0;
            tradeapi::SetFixedText(hold.orderCode, "H" + std::to_string(n));
            Feed<TradeNoticeEvent<sFFixHoldDetail>>(client, CallbackCode::NtfHoldDetail, hold);
        }
        db.m_symbol_price_table->AddActionTrigger(&board);
        db.m_symbol_price_table->AddCommitTrigger(&board);
        db.m_symbol_price_table->AddActionTrigger(&chart);
        ticks.resize(kSymbols);
        for(int i = 0; i < kSymbols; ++i) {
            ticks[i].symbolId = i + 1;
            tradeapi::SetFixedText(ticks[i].quoteDate, "20261208");
            tradeapi::SetFixedText(ticks[i].quoteTime, "101500");
        }
    }
    ~PushBed()
    {
        db.m_symbol_price_table->RemoveActionTrigger(&chart);
        db.m_symbol_price_table->RemoveActionTrigger(&board);
        db.m_symbol_price_table->RemoveCommitTrigger(&board);
        client.Release();
    }
    PushBed(const PushBed&) = delete;
    PushBed& operator=(const PushBed&) = delete;

    // One tick of every symbol, dispatched.
    void PushAll(double price)
    {
        MdClient& md = *client.GetMdClient();
        for(sFFixMarketData& tick : ticks) {
            tick.lastPrice = price;
            md.OnNtfMarketData(&tick, 0, 0);
        }
        // A handler takes one queued event per call; the application
        // drains every handler's queue.
        wxTheApp->ProcessPendingEvents();
    }

    RecordStore db;
    bool tablesMade = (db.CreateTables(), true); // before the Client
    QuietHost host;
    Client client;
    PriceObserver board;
    PriceObserver chart;
    std::vector<sFFixMarketData> ticks;
};

void Run(benchmark::State& state, PushBed& bed)
{
    double price = 100.0;
    for(auto _ : state) {
        price = price > 110.0 ? 100.0 : price + 0.01;
        bed.PushAll(price);
    }
    state.SetItemsProcessed(state.iterations() * kSymbols);
    benchmark::DoNotOptimize(bed.board.seen + bed.chart.seen);
    // Shows that the ticks reached the accounts' floating profit, and that
    // the sum kept by difference is the bills' sum.
    const user_Account& account = *bed.db.m_user_Account_table->GetIndexByPrimary().find(1);
    state.counters["profit1"] = account.profitDyn;
    state.counters["profit1_full_sum"] = SumHoldProfit(&bed.db, account, kProfitFromHoldPrice);
}

void BM_PricePush(benchmark::State& state)
{
    PushBed bed(static_cast<int>(state.range(0)));
    Run(state, bed);
}
BENCHMARK(BM_PricePush)->ArgName("bills")->Arg(20)->Arg(200)->Arg(2000);

// The risk pane's triggers over its evaluator: price rules by symbol name,
// account rules against every account.
class RiskWatch : public CActionTrigger<symbol_price>, public CActionTrigger<user_Account>
{
public:
    RiskWatch(RecordStore& db, RiskObjectVec rules)
        : m_db(db), m_rules(std::move(rules)),
          m_evaluator([this](const wxString&, const wxString&) { ++lines; }, [this](size_t) { ++rowChanges; })
    {
        m_db.m_symbol_price_table->AddActionTrigger(this);
        m_db.m_user_Account_table->AddActionTrigger(this);
    }
    ~RiskWatch() override
    {
        m_db.m_symbol_price_table->RemoveActionTrigger(this);
        m_db.m_user_Account_table->RemoveActionTrigger(this);
    }
    void afterUpdate(const symbol_price& stored, CTransaction*, void*) override
    {
        if(stored.GetSymbolProperty(&m_db)) {
            m_evaluator.OnPrice(m_rules, stored.cachedSymbolProperty->symbolName, stored.lastPrice);
        }
    }
    void afterUpdate(const user_Account&, CTransaction*, void*) override
    {
        m_accounts.clear();
        for(const user_Account& account : m_db.m_user_Account_table->GetIndexByPrimary()) {
            m_accounts.push_back(&account);
        }
        m_evaluator.OnAccounts(m_rules, m_accounts);
    }
    const RiskObjectVec& Rules() const { return m_rules; }

    long long lines = 0;
    long long rowChanges = 0;

private:
    RecordStore& m_db;
    RiskObjectVec m_rules;
    RiskEvaluator m_evaluator;
    std::vector<const user_Account*> m_accounts;
};

void BM_PricePushWithRiskRules(benchmark::State& state)
{
    PushBed bed(static_cast<int>(state.range(0)));
    RiskObjectVec rules;
    for(int i = 0; i < 10; ++i) {
        auto price = std::make_shared<RiskObject>();
        price->m_riskType = 'A';
        price->m_riskItem = "N" + std::to_string(1 + i * 20);
        price->m_riskMaxVal = 105.0; // crossed twice per walk
        price->m_bWindow = true;
        rules.push_back(price);
        auto account = std::make_shared<RiskObject>();
        account->m_riskType = static_cast<char>('B' + i % 3);
        account->m_riskMaxVal = i % 3 == 2 ? 0.0 : 0.5;
        account->m_bWindow = true;
        rules.push_back(account);
    }
    RiskWatch watch(bed.db, rules);
    Run(state, bed);
    state.counters["riskLines"] = static_cast<double>(watch.lines);
    state.counters["riskRowChanges"] = static_cast<double>(watch.rowChanges);
}
BENCHMARK(BM_PricePushWithRiskRules)->ArgName("bills")->Arg(20);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarks(argc, argv);
}
