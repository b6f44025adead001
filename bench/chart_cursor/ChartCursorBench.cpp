// One mouse move over a chart page: the K-line under the mouse, the cursor
// drawn afresh on the chart's dynamic layer and the viewer repainted (the
// chart's picture is kept), against a full redraw (a new chart built, handed
// to the viewer and painted). 1,000 x 600 pixels, 100 points shown and 30
// leading ones. The cursor follows the mouse: target under 5 ms a move.
//
// Needs a display: xvfb-run -a build/bench/bench_chart_cursor
#include "charts/ChartPainter.h"
#include "charts/ChartPanelData.h"
#include "charts/HistoryQuote.h"
#include "charts/ePeriodType.h"
#include "db/RecordStore.h"

#include <benchmark/benchmark.h>
#include <chartlib/XYChart.h>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <pelmora/pmChartViewer.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>

namespace {

constexpr int kWidth = 1000, kHeight = 600;
constexpr int kBars = 130;
constexpr int64_t kStart = 1704067200; // 1 January 2024

// A page's data and a viewer in a shown frame, the chart drawn once.
struct Page
{
    RecordStore db;
    std::shared_ptr<HistoryQuote> history;
    ChartPanelData data;
    ChartStyle style;
    wxFrame* frame;
    pmChartViewer* viewer;

    Page()
    {
        db.CreateTables();
        history = std::make_shared<HistoryQuote>(&db, "S0", eMinute1, wxArrayString());
        for(int i = 0; i < kBars; ++i) {
            const double price = 100.0 + (i * 7 % 50) * 0.1;
            history->AddOrUpdate(
                {static_cast<double>(kStart + 60 * i), price - 0.3, price + 0.5, price - 0.5, price, 0},
                nullptr, true);
        }
        data.SetHistory(history);
        data.CreateSeries();
        data.Seek(kBars - ChartPanelData::kScreenCount, eSeekAbsolute);
        style.decimals = 2;
        frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(kWidth + 40, kHeight + 80));
        viewer = new pmChartViewer(frame, wxID_ANY, wxDefaultPosition, wxSize(kWidth, kHeight));
        frame->Show();
        Redraw();
    }
    ~Page() { frame->Destroy(); }

    void Redraw()
    {
        ChartPainter painter(data, style);
        std::unique_ptr<KLineChart> chart = painter.BuildChart(kWidth, kHeight);
        chartlib::BaseChart* previous = viewer->getChart();
        viewer->setChart(chart.release());
        delete previous;
        viewer->Update();
    }
};

void BM_CursorMove(benchmark::State& state)
{
    Page page;
    auto* chart = dynamic_cast<KLineChart*>(page.viewer->getChart());
    chartlib::XYChart* pane = chart->getChart(0);
    int mouseX = 10;
    for(auto _ : state) {
        mouseX = mouseX >= kWidth - 60 ? 10 : mouseX + 7;
        page.data.SetCursorX(static_cast<int>(pane->getNearestXValue(mouseX)));
        page.data.SetCursorY(200);
        ChartPainter(page.data, page.style).DrawTrackCursor(chart);
        page.viewer->updateDisplay();
        page.viewer->Update(); // the repaint a mouse move leads to
    }
}
BENCHMARK(BM_CursorMove)->Unit(benchmark::kMillisecond);

void BM_FullRedraw(benchmark::State& state)
{
    Page page;
    for(auto _ : state) {
        page.Redraw();
    }
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("GDK_BACKEND", "x11", 1);
    setenv("GDK_GL", "disable", 0);
    wxApp::SetInstance(new wxApp); // wx owns the application object
    int wxArgc = 1;
    if(!wxEntryStart(wxArgc, argv)) {
        std::fprintf(stderr, "no display: run under xvfb-run\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wxEntryCleanup();
    return 0;
}
