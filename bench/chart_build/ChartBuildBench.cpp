// One redraw of a chart window: build a 1,000 x 600 FinanceChart of 130
// points (100 shown, 30 leading) with candles and three moving averages, as
// the chart window styles it, and render it into a bitmap. The chart window
// redraws at most every 50 ms; the target is under 20 ms.
//
// Needs a display: xvfb-run -a build/bench/bench_chart_build
#include "charts/FinanceChart.h"

#include <benchmark/benchmark.h>
#include <chartlib/ChartTime.h>
#include <chartlib/RanTable.h>
#include <chartlib/WxChartRenderer.h>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <wx/app.h>
#include <wx/init.h>

using namespace chartlib;

namespace {

constexpr int kWidth = 1000, kHeight = 600;

struct Bars
{
    RanTable table{11, 6, 130};
    Bars()
    {
        table.setDateCol(0, chartTime(2024, 1, 2, 9, 0), 300, false);
        table.setHLOCCols(1, 100, -1, 1, 10, 1e308);
        table.setCol(5, 1000, 5000);
    }
};

std::unique_ptr<FinanceChart> BuildChart(const Bars& bars)
{
    auto chart = std::make_unique<FinanceChart>(kWidth);
    chart->setDefaultFonts("msyh.ttc");
    chart->leftMargin = 5;
    chart->rightMargin = 50;
    chart->topMargin = 1;
    chart->bottomMargin = 30;
    chart->legendFont = chart->yAxisFont = chart->xAxisFont = "msyh.ttc";
    chart->legendFontSize = chart->yAxisFontSize = chart->xAxisFontSize = 10;
    chart->legendFontColor = chart->legendBgColor = Transparent;
    chart->yAxisFontColor = chart->xAxisFontColor = Transparent;
    chart->yAxisMargin = 13;
    const RanTable& t = bars.table;
    chart->loadSeries(30, t.getCol(0), t.getCol(1), t.getCol(2), t.getCol(3), t.getCol(4), DoubleArray());
    XYChart* main = chart->addPriceChart(kHeight - 30 - 1);
    const int grid = chart->dashLineColor(0xC0C0C0, 0x0202);
    main->setPlotArea(0, 0, kWidth - 50, kHeight - 30, 0xFFFFFF, 0xF8F8F8, Transparent, grid, grid);
    main->yAxis()->setTickDensity(30, 0);
    main->xAxis()->setTickDensity(30, 0);
    chart->addSmaLine(10, 0xCC33CC);
    chart->addSmaLine(20, 0x33CCCC);
    chart->addSmaLine(30, 0xCCCC33);
    CandleStickLayer* candles = chart->addCandles(0xCC0000, 0x009900);
    candles->setColors(0xCC0000, 0xCC0000, 0x009900, 0x009900);
    candles->setLineWidth(1);
    candles->setDataWidth((kWidth - 55) / 100 - 2);
    chart->setBackground(0xFFFFFF, Transparent);
    main->getPlotArea()->setBackground(0xFFFFFF, -1, -1);
    main->getPlotArea()->setGridWidth(1, 1, 0, 0);
    main->xAxis()->setColors(0x010101, 0x010101, 0x010101, 0x010101);
    main->yAxis()->setColors(0x010101, 0x010101, 0x010101, 0x010101);
    return chart;
}

void BM_ChartBuildAndRender(benchmark::State& state)
{
    const Bars bars;
    for(auto _ : state) {
        std::unique_ptr<FinanceChart> chart = BuildChart(bars);
        const wxBitmap bitmap = WxChartRenderer::render(*chart, false);
        benchmark::DoNotOptimize(bitmap.IsOk());
    }
}
BENCHMARK(BM_ChartBuildAndRender)->Unit(benchmark::kMillisecond);

void BM_ChartBuildOnly(benchmark::State& state)
{
    const Bars bars;
    for(auto _ : state) {
        std::unique_ptr<FinanceChart> chart = BuildChart(bars);
        chart->layout();
        benchmark::DoNotOptimize(chart->mainPane()->getYCoor(100));
    }
}
BENCHMARK(BM_ChartBuildOnly)->Unit(benchmark::kMicrosecond);

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
