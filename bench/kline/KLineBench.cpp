// K-line histories under a flood of ticks and a large download.
//
// (a) One live tick inside the newest K-line: symbol_price Update, the commit
//     trigger of every history (21 observe the table, one is the symbol's
//     with 10,000 K-lines), OnTick and AddOrUpdate in a unit of work, its
//     commit to one sKData observer. Target: at most 5 us per tick.
// (b) One 1,000-row answer parsed and merged, into an empty history and into
//     one that already holds those K-lines. Target: under 5 ms.
#include "BenchMain.h"
#include "charts/HistoryQuote.h"
#include "charts/ePeriodType.h"
#include "db/RecordStore.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <pelmora/Job.h>
#include <pelmora/JobQueueSingleton.h>
#include <vector>
#include <wx/init.h>

namespace {

constexpr int kOtherHistories = 20;
constexpr int kHistoryBars = 10000;
constexpr int kAnswerRows = 1000;
constexpr int64_t kStart = 1704067200; // 1 January 2024

class ChartObserver : public CCommitTrigger<sKData>
{
public:
    double seen = 0.0;
    void commitAdd(const sKData& stored, int) override { seen += stored.close; }
    void commitUpdate(const sKData&, const sKData& stored, int) override { seen += stored.close; }
};

void AddSymbol(RecordStore& db, int id, const wxString& code)
{
    symbol_Property property;
    property.symbolId = id;
    property.symbolCode = code;
    db.m_symbol_Property_table->Insert(property);
    symbol_price price;
    price.symbolId = id;
    price.lastPrice = 100.0;
    db.m_symbol_price_table->Insert(price);
}

void BM_LiveTick(benchmark::State& state)
{
    RecordStore db;
    db.CreateTables();
    const wxArrayString noServers;
    std::vector<std::unique_ptr<HistoryQuote>> others;
    for(int i = 1; i <= kOtherHistories; ++i) {
        const wxString code = wxString::Format("S%d", i);
        AddSymbol(db, i, code);
        others.push_back(std::make_unique<HistoryQuote>(&db, code, eMinute1, noServers));
    }
    AddSymbol(db, 0, "S0");
    HistoryQuote history(&db, "S0", eMinute1, noServers);
    for(int i = 0; i < kHistoryBars; ++i) {
        const double price = 100.0 + (i % 50) * 0.01;
        history.AddOrUpdate({static_cast<double>(kStart + 60 * i), price, price + 0.2, price - 0.2, price, 0},
                            nullptr, true);
    }
    ChartObserver chart;
    history.AddCommitTrigger(&chart);

    const int64_t inNewest = static_cast<int64_t>(history.GetLastKData().time) + 20;
    auto& prices = *db.m_symbol_price_table;
    const auto row = prices.GetIndexByPrimary().find(0);
    symbol_price tick = *row;
    tick.quoteTime = wxDateTime(static_cast<time_t>(inNewest));
    int step = 0;
    for(auto _ : state) {
        tick.lastPrice = 100.0 + (step++ % 40) * 0.01;
        prices.Update(row, tick);
    }
    benchmark::DoNotOptimize(chart.seen);
    if(history.GetKDataCount() != kHistoryBars || history.IsDownloading()) {
        state.SkipWithError("a tick left the newest K-line");
    }
    history.RemoveCommitTrigger(&chart);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LiveTick);

wxString AnswerText()
{
    wxString text = "var hisquotes_data = [";
    for(int i = 0; i < kAnswerRows; ++i) {
        const double price = 3500.0 + (i % 97) * 0.5;
        text += wxString::Format("%s{\"row\":\"%lld,20240101,%.2f,%.2f,%.2f,%.2f,0,0\"}", i ? "," : "",
                                 static_cast<long long>(kStart + 300 * i), price, price + 2.5, price - 2.0,
                                 price + 0.5);
    }
    return text + "];";
}

void Deliver(HistoryQuote& history, const wxString& text)
{
    wxCommandEvent answer(wxEVT_CMD_JOB_STATUS);
    answer.SetString(text);
    answer.SetExtraLong(-kAnswerRows);
    history.ProcessEvent(answer);
}

// Arg 0: into an empty history (every row inserted); 1: into one holding the
// same K-lines (every row an update).
void BM_AnswerMerge(benchmark::State& state)
{
    RecordStore db;
    db.CreateTables();
    const wxArrayString noServers;
    const wxString text = AnswerText();
    const bool overlapping = state.range(0) == 1;
    ChartObserver chart;
    for(auto _ : state) {
        state.PauseTiming();
        auto history = std::make_unique<HistoryQuote>(&db, "S0", eMinute5, noServers);
        history->AddCommitTrigger(&chart);
        if(overlapping) {
            Deliver(*history, text);
        }
        state.ResumeTiming();
        Deliver(*history, text);
        state.PauseTiming();
        if(history->GetKDataCount() != kAnswerRows) {
            state.SkipWithError("rows were lost");
        }
        history->RemoveCommitTrigger(&chart);
        history.reset();
        state.ResumeTiming();
    }
    benchmark::DoNotOptimize(chart.seen);
    state.SetItemsProcessed(state.iterations() * kAnswerRows);
}
BENCHMARK(BM_AnswerMerge)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarks(argc, argv, [] { JobQueueSingleton::Release(); });
}
