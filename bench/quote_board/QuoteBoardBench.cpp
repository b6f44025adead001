// A quote board of 1,000 symbols in a window about 40 rows tall, on a refresh
// clock as in the terminal: one quote of every symbol through the quote table
// (find, update, mark, flash, dirty row), the clock's tick that tells the
// list of the rows it shows, the toolkit's repaint of those rows, and one
// expiry pass over 1,000 flashes. Beside it, the same repaint of a plain
// wxDataViewListCtrl of 1,000 rows of eight texts, the toolkit's own cost.
// A repaint that reads no cell of its model fails the benchmark. Run under a
// display: xvfb-run -a bench/bench_quote_board
#include "common/RefreshClock.h"
#include "db/RecordStore.h"
#include "panes/SymbolModel.h"
#include "panes/SymbolPane.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <pelmora/EditorConfig.h>
#include <pelmora/pmDataViewCtrl.h>
#include <wx/app.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/utils.h>

namespace {

constexpr int kSymbols = 1000;
constexpr int kColumns = 8;
const wxSize kWindow(600, 1000);

// A text cell that counts the values the toolkit hands it to draw: each
// one read from the model.
class CountingTextRenderer : public wxDataViewTextRenderer
{
public:
    bool SetValue(const wxVariant& value) override
    {
        ++reads;
        return wxDataViewTextRenderer::SetValue(value);
    }
    long reads = 0;
};

// Puts a counting cell in place of the list's column of `modelColumn`, at
// its place and width.
CountingTextRenderer* CountColumn(wxDataViewCtrl& list, unsigned int modelColumn)
{
    wxDataViewColumn* old = nullptr;
    for(unsigned int i = 0; i < list.GetColumnCount() && !old; ++i) {
        if(list.GetColumn(i)->GetModelColumn() == modelColumn) {
            old = list.GetColumn(i);
        }
    }
    const unsigned int position = static_cast<unsigned int>(list.GetColumnPosition(old));
    const int width = old->GetWidth();
    const wxString title = old->GetTitle();
    list.DeleteColumn(old);
    auto* renderer = new CountingTextRenderer;
    list.InsertColumn(position, new wxDataViewColumn(title, renderer, modelColumn, width));
    return renderer;
}

// The toolkit's repaint of what the list was told, now; the cells it read.
long Repaint(wxDataViewCtrl& list, const CountingTextRenderer& counter)
{
    const long before = counter.reads;
    list.Update();
    return counter.reads - before;
}

void ReportRowsRead(benchmark::State& state, long cells)
{
    if(cells == 0) {
        state.SkipWithError("the repaint read no cell of the model");
        return;
    }
    state.counters["cells_read"] =
        benchmark::Counter(static_cast<double>(cells), benchmark::Counter::kAvgIterations);
}

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
        frame = new wxFrame(nullptr, wxID_ANY, "board", wxPoint(0, 0), kWindow);
        board = new SymbolPane(&store, nullptr, nullptr, frame, '1', &clock);
        board->Rebuild();
        counter = CountColumn(*board->GetList(), SymbolModel::eTime);
        frame->Show();
        frame->Layout();
        wxTheApp->Yield(true); // mapped and laid out before anything is measured
        board->GetList()->Update();
        const wxRect first = board->GetList()->GetItemRect(board->GetModel()->GetItem(0));
        std::fprintf(stderr, "visible rows: about %d of %d (row %d px)\n",
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
    CountingTextRenderer* counter; // the list's
};

// The plain control beside the board: its visible rows' texts changed, the
// toolkit told of each cell.
struct PlainList
{
    PlainList()
    {
        frame = new wxFrame(nullptr, wxID_ANY, "plain", wxPoint(kWindow.x + 40, 0), kWindow);
        list = new wxDataViewListCtrl(frame, wxID_ANY);
        for(int column = 0; column < kColumns; ++column) {
            list->AppendTextColumn(wxString::Format("C%d", column), wxDATAVIEW_CELL_INERT, 70);
        }
        counter = CountColumn(*list, kColumns - 1);
        for(int row = 0; row < kSymbols; ++row) {
            wxVector<wxVariant> values;
            for(int column = 0; column < kColumns; ++column) {
                values.push_back(wxString::Format("%d.%02d", 100 + row, column));
            }
            list->AppendItem(values);
        }
        frame->Show();
        wxTheApp->Yield(true);
        list->Update();
    }
    ~PlainList()
    {
        frame->Destroy();
        wxTheApp->ProcessIdle();
    }

    void Change(int step)
    {
        const int rows = std::min(kSymbols, list->GetCountPerPage() + 1);
        for(int row = 0; row < rows; ++row) {
            for(int column = 0; column < kColumns; ++column) {
                list->SetTextValue(wxString::Format("%d.%02d", 100 + row + step, column),
                                   static_cast<unsigned int>(row), static_cast<unsigned int>(column));
            }
        }
    }

    wxFrame* frame;
    wxDataViewListCtrl* list;
    CountingTextRenderer* counter;
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

// The toolkit's repaint of the rows the tick told the list of.
void BM_RepaintVisibleRows(benchmark::State& state)
{
    Board& board = TheBoard();
    double step = 0.01;
    long cells = 0;
    for(auto _ : state) {
        state.PauseTiming();
        board.BurstAndTick(step);
        step = -step;
        state.ResumeTiming();
        cells += Repaint(*board.board->GetList(), *board.counter);
    }
    ReportRowsRead(state, cells);
}
BENCHMARK(BM_RepaintVisibleRows)->Unit(benchmark::kMillisecond);

void BM_BurstAndRepaint(benchmark::State& state)
{
    Board& board = TheBoard();
    double step = 0.01;
    long cells = 0;
    for(auto _ : state) {
        board.BurstAndTick(step);
        step = -step;
        cells += Repaint(*board.board->GetList(), *board.counter);
    }
    ReportRowsRead(state, cells);
}
BENCHMARK(BM_BurstAndRepaint)->Unit(benchmark::kMillisecond);

// The baseline: the same repaint of a plain list.
void BM_PlainListRepaint(benchmark::State& state)
{
    PlainList plain;
    int step = 1;
    long cells = 0;
    for(auto _ : state) {
        state.PauseTiming();
        plain.Change(step);
        step = -step;
        state.ResumeTiming();
        cells += Repaint(*plain.list, *plain.counter);
    }
    ReportRowsRead(state, cells);
}
BENCHMARK(BM_PlainListRepaint)->Unit(benchmark::kMillisecond);

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
