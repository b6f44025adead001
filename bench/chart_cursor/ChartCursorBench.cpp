// One mouse move over a chart page: the K-line under the mouse, the cursor
// drawn afresh on the chart's dynamic layer and the viewer repainted (the
// chart's picture is kept), against a full redraw (a new chart built, handed
// to the viewer and painted). 1,000 x 600 pixels, 100 points shown and 30
// leading ones. The page measures the legend and the price label with the
// screen's fonts as it does. The cursor follows the mouse: target under 5 ms
// a move.
//
// Needs a display: xvfb-run -a build/bench/bench_chart_cursor
#include "charts/ChartPainter.h"
#include "charts/ChartPanelData.h"
#include "charts/HistoryQuote.h"
#include "charts/ePeriodType.h"
#include "db/RecordStore.h"

#include <benchmark/benchmark.h>
#include <chartlib/WxChartRenderer.h>
#include <chartlib/XYChart.h>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/init.h>

namespace {

constexpr int kWidth = 1000, kHeight = 600;
constexpr int kBars = 130;
constexpr int64_t kStart = 1704067200; // 1 January 2024

// A page's data with a chart drawn once, and the screen the viewer paints:
// the chart's picture, kept between paints, with the dynamic layer over it
// (what pmChartViewer's paint does; a window's paint is not synchronous on
// GTK, so the bench paints into memory).
struct Page
{
    RecordStore db;
    std::shared_ptr<HistoryQuote> history;
    ChartPanelData data;
    ChartStyle style;
    ChartTextRoom room;
    std::unique_ptr<KLineChart> chart;
    wxBitmap picture;
    wxBitmap screen{kWidth, kHeight};

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
        Redraw();
    }

    void Redraw()
    {
        chart = ChartPainter(data, style, &room).BuildChart(kWidth, kHeight);
        picture = chartlib::WxChartRenderer::render(*chart, false);
        Paint();
    }
    void Paint()
    {
        wxMemoryDC dc(screen);
        dc.DrawBitmap(picture, 0, 0, false);
        std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(dc));
        chartlib::WxChartRenderer::drawDynamicLayer(*chart, *gc);
    }
};

void BM_CursorMove(benchmark::State& state)
{
    Page page;
    chartlib::XYChart* pane = page.chart->getChart(0);
    int mouseX = 10;
    for(auto _ : state) {
        mouseX = mouseX >= kWidth - 60 ? 10 : mouseX + 7;
        page.data.SetCursorX(static_cast<int>(pane->getNearestXValue(mouseX)));
        page.data.SetCursorY(200);
        ChartPainter(page.data, page.style, &page.room).DrawTrackCursor(page.chart.get());
        page.Paint();
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
    // The benchmark's own flags first: wx refuses options it does not know.
    benchmark::Initialize(&argc, argv);
    if(benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    wxApp::SetInstance(new wxApp); // wx owns the application object
    int wxArgc = 1;
    if(!wxEntryStart(wxArgc, argv)) {
        std::fprintf(stderr, "no display: run under xvfb-run\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wxEntryCleanup();
    return 0;
}
