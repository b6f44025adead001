// The two hot paths of the record store: a price tick written through the
// symbol_price table, and the full refresh of the hold-bill table followed by
// the sweep of rows the answer no longer held.

#include "BenchMain.h"
#include "db/RecordStore.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>
#include <wx/init.h>

namespace {

constexpr int kSymbols = 200;
constexpr int kBills = 10000;
constexpr int kTurnover = 1000; // bills closed and opened between two refreshes

// A model-like observer: reads the changed row as a pane would.
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

class BillObserver : public CActionTrigger<trade_HoldBill>, public CCommitTrigger<trade_HoldBill>
{
public:
    long changes = 0;
    void afterAdd(const trade_HoldBill&, CTransaction*, void*) override { ++changes; }
    void afterUpdate(const trade_HoldBill&, CTransaction*, void*) override { ++changes; }
    bool beforeRemove(const trade_HoldBill&, CTransaction*, void*) override
    {
        ++changes;
        return true;
    }
};

struct PriceFixture
{
    PriceFixture()
    {
        store.CreateTables();
        for(int id = 1; id <= kSymbols; ++id) {
            symbol_price price;
            price.symbolId = id;
            price.digits = 2;
            price.lastPrice = 100.0 + id;
            price.quoteTime = wxDateTime(8, wxDateTime::Dec, 2026, 9, 0, 0);
            store.m_symbol_price_table->Insert(price);
        }
        table().AddActionTrigger(&first);
        table().AddCommitTrigger(&first);
        table().AddActionTrigger(&second);
        table().AddCommitTrigger(&second);
    }
    ~PriceFixture()
    {
        table().RemoveActionTrigger(&first);
        table().RemoveCommitTrigger(&first);
        table().RemoveActionTrigger(&second);
        table().RemoveCommitTrigger(&second);
    }
    symbol_priceFactory& table() { return *store.m_symbol_price_table; }

    RecordStore store;
    PriceObserver first;
    PriceObserver second;
};

// Find the quote by symbol id, copy it, change the prices, Update.
void BM_TickPath(benchmark::State& state)
{
    PriceFixture fixture;
    auto& table = fixture.table();
    const wxDateTime tickTime(8, wxDateTime::Dec, 2026, 9, 0, 1);
    int symbolId = 0;
    double step = 0.01;
    for(auto _ : state) {
        symbolId = symbolId % kSymbols + 1;
        const auto stored = table.GetIndexByPrimary().find(symbolId);
        symbol_price tick = *stored;
        tick.lastPrice += step;
        tick.highPrice = std::max(tick.highPrice, tick.lastPrice);
        tick.lowPrice = tick.lowPrice == 0.0 ? tick.lastPrice : std::min(tick.lowPrice, tick.lastPrice);
        tick.quoteTime = tickTime;
        benchmark::DoNotOptimize(table.Update(stored, tick));
        step = -step;
    }
    benchmark::DoNotOptimize(fixture.first.seen);
}
BENCHMARK(BM_TickPath);

// The baseline: Update of a known row with a ready value, same two observers.
void BM_PlainUpdate(benchmark::State& state)
{
    PriceFixture fixture;
    auto& table = fixture.table();
    const auto stored = table.GetIndexByPrimary().find(1);
    symbol_price values[2] = {*stored, *stored};
    values[1].lastPrice += 0.01;
    int turn = 0;
    for(auto _ : state) {
        benchmark::DoNotOptimize(table.Update(stored, values[turn]));
        turn ^= 1;
    }
    benchmark::DoNotOptimize(fixture.first.seen);
}
BENCHMARK(BM_PlainUpdate);

trade_HoldBill Bill(int number, uint32_t serial)
{
    trade_HoldBill bill;
    bill.orderCode = wxString::Format("HB%010d", number);
    bill.accountKey = 1 + number % 4;
    bill.symbolId = 1 + number % kSymbols;
    bill.side = number % 2 ? 'b' : 's';
    bill.quantity = 1.0 + number % 7;
    bill.holdPrice = 100.0 + number % 50;
    bill.openTime = wxDateTime(8, wxDateTime::Dec, 2026, 9, 0, 0);
    bill.refreshSerial = serial;
    return bill;
}

// One full query answer of 10,000 bills (9,000 known, 1,000 new), each found
// by order code and inserted or updated, then the sweep of the 1,000 the
// answer no longer held.
void BM_HoldBillRefreshAndSweep(benchmark::State& state)
{
    RecordStore store;
    store.CreateTables();
    auto& table = *store.m_trade_HoldBill_table;
    BillObserver observer;
    table.AddActionTrigger(&observer);
    table.AddCommitTrigger(&observer);

    uint32_t serial = 1000;
    int first = 0;
    for(int n = 0; n < kBills; ++n) {
        table.Insert(Bill(n, serial));
    }
    // Rows are built before the timed part, as the answer's structures are.
    std::vector<trade_HoldBill> answer;
    answer.reserve(kBills);
    for(auto _ : state) {
        state.PauseTiming();
        ++serial;
        first += kTurnover;
        answer.clear();
        for(int n = first; n < first + kBills; ++n) {
            answer.push_back(Bill(n, serial));
        }
        state.ResumeTiming();

        for(const trade_HoldBill& row : answer) {
            const auto found = table.Find(row.orderCode);
            if(found == table.GetIndexByPrimary().end()) {
                table.Insert(row);
            } else {
                table.Update(found, row);
            }
        }
        benchmark::DoNotOptimize(table.SweepStale(serial));
    }
    if(table.GetIndexByPrimary().size() != static_cast<std::size_t>(kBills)) {
        state.SkipWithError("the sweep left the wrong number of bills");
    }
    state.SetItemsProcessed(state.iterations() * kBills);
    table.RemoveActionTrigger(&observer);
    table.RemoveCommitTrigger(&observer);
}
BENCHMARK(BM_HoldBillRefreshAndSweep)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarks(argc, argv);
}
