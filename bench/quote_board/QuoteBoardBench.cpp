// A quote board of 1,000 symbols in a window about 40 rows tall, on a refresh
// clock as in the terminal: one quote of every symbol through the quote table
// (find, update, mark, flash, dirty row), the clock's tick and the repaint of
// the visible rows, and one expiry pass over 1,000 flashes. Run under a
// display: xvfb-run -a bench/bench_quote_board
#include "common/RefreshClock.h"
#include "db/RecordStore.h"
#include "panes/SymbolModel.h"
#include "panes/SymbolPane.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <pelmora/EditorConfig.h>
#include <wx/app.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/utils.h>

namespace {

constexpr int kSymbols = 1000;

// One board over a store filled directly, logged in as user 1.
struct Board
{
    Board()
    {
        store.CreateTables();
        user_LoginInfo login;
        login.userId = 1;
        store.m_user_LoginInfo_table->Insert(login);
        user_Account account;
        account.userId = 1;
        account.accountKey = 11;
        store.m_user_Account_table->Insert(account);
        for(int i = 0; i < kSymbols; ++i) {
            const int id = 1000 + i;
            symbol_Property property;
            property.symbolId = id;
            property.symbolCode = wxString::Format("S%04d", i);
            property.symbolName = property.symbolCode;
            store.m_symbol_Property_table->Insert(property);
            symbol_price price;
            price.symbolId = id;
            price.digits = 2;
            price.lastPrice = 100.0 + i;
            store.m_symbol_price_table->Insert(price);
            symbol_Info info;
            info.userId = 1;
            info.accountKey = 11;
            info.symbolId = id;
            info.symbolCode = property.symbolCode;
            info.marketType = '1';
            info.displayOrder = i + 1;
            info.askSpreadPoints = 2;
            info.bidSpreadPoints = 2;
            store.m_symbol_Info_table->Insert(info);
        }
        frame = new wxFrame(nullptr, wxID_ANY, "board", wxDefaultPosition, wxSize(700, 1000));
        board = new SymbolPane(&store, nullptr, nullptr, frame, '1', &clock);
        board->Rebuild();
        frame->Show();
        frame->Layout();
        wxTheApp->Yield(true); // mapped and laid out before anything is measured
        board->GetList()->Update();
        const wxRect first = board->GetList()->GetItemRect(board->GetModel()->GetItem(0));
        std::printf("visible rows: about %d of %d (row %d px)\n",
                    first.height > 0 ? board->GetList()->GetClientSize().y / first.height : 0, kSymbols,
                    first.height);
    }
    ~Board()
    {
        frame->Destroy();
        wxTheApp->ProcessIdle(); // the board leaves the store while it lives
    }

    // One quote per symbol, every price moved.
    void Burst(double step)
    {
        auto& quotes = *store.m_symbol_price_table;
        for(int i = 0; i < kSymbols; ++i) {
            quotes.Modify(1000 + i, [step](symbol_price& price) { price.lastPrice += step; });
        }
    }

    // One quote per symbol, told to the control at the clock's tick.
    void BurstAndTick(double step)
    {
        Burst(step);
        clock.Tick();
    }

    RecordStore store;
    RefreshClock clock;
    wxFrame* frame;
    SymbolPane* board;
};

std::unique_ptr<Board> g_board; // made and destroyed inside the wx application's life

Board& TheBoard()
{
    return *g_board;
}

void BM_QuoteBurst(benchmark::State& state)
{
    Board& board = TheBoard();
    double step = 0.01;
    for(auto _ : state) {
        board.BurstAndTick(step);
        step = -step;
    }
    state.SetItemsProcessed(state.iterations() * kSymbols);
}
BENCHMARK(BM_QuoteBurst)->Unit(benchmark::kMillisecond);

void BM_RepaintVisibleRows(benchmark::State& state)
{
    Board& board = TheBoard();
    double step = 0.01;
    for(auto _ : state) {
        state.PauseTiming();
        board.BurstAndTick(step);
        step = -step;
        state.ResumeTiming();
        board.board->GetList()->Refresh();
        board.board->GetList()->Update();
    }
}
BENCHMARK(BM_RepaintVisibleRows)->Unit(benchmark::kMillisecond);

// The same with the toolkit's pending drawing dispatched by the event loop.
void BM_RepaintThroughEventLoop(benchmark::State& state)
{
    Board& board = TheBoard();
    double step = 0.01;
    for(auto _ : state) {
        state.PauseTiming();
        board.BurstAndTick(step);
        step = -step;
        state.ResumeTiming();
        board.board->GetList()->Refresh();
        board.board->GetList()->Update();
        wxTheApp->Yield(true);
    }
}
BENCHMARK(BM_RepaintThroughEventLoop)->Unit(benchmark::kMillisecond);

void BM_BurstAndRepaint(benchmark::State& state)
{
    Board& board = TheBoard();
    double step = 0.01;
    for(auto _ : state) {
        board.BurstAndTick(step);
        step = -step;
        board.board->GetList()->Update();
    }
}
BENCHMARK(BM_BurstAndRepaint)->Unit(benchmark::kMillisecond);

void BM_ExpireThousandHighlights(benchmark::State& state)
{
    Board& board = TheBoard();
    SymbolModel& model = *board.board->GetModel();
    wxDateTime now = wxDateTime::UNow();
    model.SetClock([&now] { return now; });
    double step = 0.01;
    for(auto _ : state) {
        state.PauseTiming();
        board.BurstAndTick(step);
        step = -step;
        now += wxTimeSpan::Seconds(1);
        state.ResumeTiming();
        benchmark::DoNotOptimize(model.ExpireHighlights());
    }
    model.SetClock(nullptr);
}
BENCHMARK(BM_ExpireThousandHighlights)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    // The board's stored layout goes to a scratch folder, not the user's.
    const wxString userDir = wxFileName::GetTempDir() + "/bench_quote_board";
    wxFileName::Mkdir(userDir, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    wxSetEnv("PELMORA_USER_DATA_DIR", userDir);
    // The benchmark's own flags first: wx refuses options it does not know.
    benchmark::Initialize(&argc, argv);
    if(benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    wxApp::SetInstance(new wxApp);
    int wxArgc = 1;
    if(!wxEntryStart(wxArgc, argv) || !wxTheApp->CallOnInit()) {
        return 1;
    }
    g_board = std::make_unique<Board>();
    benchmark::RunSpecifiedBenchmarks();
    g_board.reset();
    EditorConfigST::Free();
    benchmark::Shutdown();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
