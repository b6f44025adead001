// What one price tick costs a chart page on top of the K-line history: the
// newest K-line changes in a unit of work, its commit reaches the page, and
// the page's window (five series of 100 K-lines and 30 leading ones) follows
// it and sets the redraw flag. The drawing itself waits for the 50 ms timer
// (bench_chart_build). Target: at most 50 us per tick.
#include "BenchMain.h"
#include "charts/ChartPanelData.h"
#include "charts/HistoryQuote.h"
#include "charts/ePeriodType.h"
#include "db/CTransaction.h"
#include "db/RecordStore.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <wx/init.h>

namespace {

constexpr int kHistoryBars = 10000;
constexpr int64_t kStart = 1704067200; // 1 January 2024

class PageTrigger : public CCommitTrigger<sKData>
{
public:
    explicit PageTrigger(ChartPanelData& data) : m_data(data) {}
    void commitAdd(const sKData& stored, int) override { m_data.OnKDataAdded(stored); }
    void commitUpdate(const sKData&, const sKData& stored, int) override { m_data.UpdateKData(stored); }

private:
    ChartPanelData& m_data;
};

// Arg 0: the window shows the newest K-line (it follows every tick);
// 1: it is scrolled back (a tick only asks for the cursor).
void BM_ChartTick(benchmark::State& state)
{
    RecordStore db;
    db.CreateTables();
    auto history = std::make_shared<HistoryQuote>(&db, "S0", eMinute1, wxArrayString());
    for(int i = 0; i < kHistoryBars; ++i) {
        const double price = 100.0 + (i % 50) * 0.01;
        history->AddOrUpdate(
            {static_cast<double>(kStart + 60 * i), price, price + 0.2, price - 0.2, price, 0}, nullptr, true);
    }
    ChartPanelData data;
    data.SetHistory(history);
    data.CreateSeries();
    data.Seek(state.range(0) == 0 ? kHistoryBars - ChartPanelData::kScreenCount : 500, eSeekAbsolute);
    PageTrigger page(data);
    history->AddCommitTrigger(&page);

    sKData newest = history->GetLastKData();
    int step = 0;
    for(auto _ : state) {
        newest.close = 100.0 + (step++ % 40) * 0.01;
        newest.high = std::max(newest.high, newest.close);
        CTransaction transaction;
        history->AddOrUpdate(newest, &transaction, true);
        transaction.Commit(0);
    }
    const bool follows = state.range(0) == 0;
    if(data.NeedsRedraw() != follows || data.GetSeriesArray(0)->IsAtEnd() != follows) {
        state.SkipWithError("the window did not do what a tick asks of it");
    }
    history->RemoveCommitTrigger(&page);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ChartTick)->Arg(0)->Arg(1);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarks(argc, argv);
}
