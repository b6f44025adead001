// The finance chart composer against the recording back-end.
#include "charts/FinanceChart.h"

#include <chartlib/ChartConstants.h>
#include <chartlib/ChartTime.h>
#include <chartlib/ImageMap.h>
#include <chartlib/LegendBox.h>
#include <chartlib/RanTable.h>
#include <chartlib/RecordingCanvas.h>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace chartlib;
using Kind = RecordingCanvas::Kind;

namespace {

constexpr double kDay = 86400;

// Bars that rise by one a point, with their own time stamps.
struct Series
{
    std::vector<double> times, high, low, open, close;

    Series(double start, int count, double step)
    {
        for(int i = 0; i < count; ++i) {
            add(start + i * step, 100 + i, 101 + i);
        }
    }
    explicit Series(std::vector<double> stamps)
    {
        for(size_t i = 0; i < stamps.size(); ++i) {
            add(stamps[i], 100 + i, 101 + i);
        }
    }
    void add(double t, double o, double c)
    {
        times.push_back(t);
        open.push_back(o);
        close.push_back(c);
        high.push_back(std::max(o, c) + 1);
        low.push_back(std::min(o, c) - 1);
    }
    void load(FinanceChart& chart, int extra, const std::vector<double>& volume = {}) const
    {
        chart.loadSeries(extra, times, high, low, open, close, volume);
    }
};

std::vector<double> MonthStarts(int year, int month, int count, int every)
{
    std::vector<double> out;
    for(int i = 0; i < count; ++i) {
        out.push_back(chartTime(year, month + i * every, 1));
    }
    return out;
}

std::vector<std::string> TickTexts(Axis* axis)
{
    std::vector<std::string> out;
    for(const AxisTick& tick : axis->getTicks()) {
        out.push_back(tick.text);
    }
    return out;
}

// Rectangles of the candle bodies: those with the candle colours.
std::vector<RecordingCanvas::Op> Bodies(FinanceChart& chart)
{
    RecordingCanvas canvas;
    chart.render(canvas);
    std::vector<RecordingCanvas::Op> out;
    for(const auto& op : canvas.ops(Kind::Rect)) {
        // The legend's key is a square of the same colour without an edge.
        if((op.fill == 0xCC0000u || op.fill == 0x009900u) && op.colour == op.fill) {
            out.push_back(op);
        }
    }
    return out;
}

} // namespace

TEST(FinanceChartSeries, VolumeIsScaledToItsUnitAndExtraPointsAreNeverNegative)
{
    struct Case
    {
        std::vector<double> volume;
        const char* unit;
        double first;
    };
    const Case cases[] = {
        {{999, 10}, "", 999},
        {{1000, 500}, "K", 1},
        {{2500000, 1000000}, "M", 2.5},
        {{3e9, NoValue}, "B", 3},
    };
    const Series bars(chartTime(2024, 1, 2), 2, kDay);
    for(const Case& c : cases) {
        FinanceChart chart(600);
        bars.load(chart, 0, c.volume);
        EXPECT_EQ(c.unit, chart.volumeUnit()) << c.volume[0];
        ASSERT_EQ(2u, chart.volume().size());
        EXPECT_DOUBLE_EQ(c.first, chart.volume()[0]);
    }
    FinanceChart none(600);
    bars.load(none, -5);
    EXPECT_EQ(0, none.extraPoints());
    EXPECT_TRUE(none.volume().empty());
    EXPECT_EQ("", none.volumeUnit());
}

TEST(FinanceChartDates, LabelStepKeepsLabelsTheSpacingApart)
{
    // 100 five-minute bars on a 520-pixel plot: 100 x 50 / 520 + 1 = 10.
    FinanceChart chart(600);
    const Series bars(chartTime(2024, 1, 15, 9, 0), 110, 300);
    bars.load(chart, 10);
    chart.addPriceChart(300);
    const auto formats = chart.mainPane()->xAxis()->getMultiFormats();
    ASSERT_EQ(2u, formats.size());
    EXPECT_EQ(10, formats[0].labelSpan);
    EXPECT_EQ(10, formats[1].labelSpan);
    const auto& ticks = chart.mainPane()->xAxis()->getTicks();
    for(size_t i = 1; i < ticks.size(); ++i) {
        EXPECT_GE(ticks[i].value - ticks[i - 1].value, 10);
    }
}

TEST(FinanceChartDates, TheSpacingOfTheBarsPicksHoursDaysMonthsOrYears)
{
    using K = LabelFilter::Kind;
    struct Case
    {
        const char* what;
        int width;
        std::vector<double> times;
        std::vector<K> filters;
        std::vector<std::string> formats;
        std::vector<std::string> someTicks; // in this order among the ticks
    };
    std::vector<double> daily, weekly;
    for(int i = 0; i < 366; ++i) {
        daily.push_back(chartTime(2024, 1, 1) + i * kDay);
    }
    for(int i = 0; i < 157; ++i) {
        weekly.push_back(chartTime(2021, 1, 4) + i * 7 * kDay);
    }
    const Case cases[] = {
        {"five-minute bars over a day",
         1000,
         Series(chartTime(2024, 1, 15), 288, 300).times,
         {K::StartOfDay, K::StartOfHour},
         {"<*font=bold*>{value|mm/d h:nn}", "{value|h:nn}"},
         {"<*font=bold*>01/15 0:00", "2:00", "22:00"}}, // 16 points apart: every second hour
        // Day labels need room: on a narrower plot a year of days shows months.
        {"daily bars over a year",
         3000,
         daily,
         {K::StartOfMonth, K::StartOfDay},
         {"<*font=bold*>{value|mm/d}", "{value|d}"},
         {"<*font=bold*>01/1", "<*font=bold*>02/1", "<*font=bold*>12/1"}},
        {"weekly bars over three years",
         1000,
         weekly,
         {K::StartOfYear, K::StartOfMonth, K::StartOfMonth},
         {"<*font=bold*>{value|yy/mm}", "{value|mmm}", "-"},
         {"<*font=bold*>21/01", "May", "<*font=bold*>22/01", "<*font=bold*>23/01"}},
        {"monthly bars over ten years",
         1000,
         MonthStarts(2015, 1, 120, 1),
         {K::StartOfYear},
         {"{value|yyyy}"},
         {"2015", "2016", "2024"}},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Series bars(c.times);
        FinanceChart chart(c.width);
        bars.load(chart, 0);
        chart.addPriceChart(400);
        const auto formats = chart.mainPane()->xAxis()->getMultiFormats();
        ASSERT_EQ(c.filters.size(), formats.size());
        for(size_t i = 0; i < formats.size(); ++i) {
            EXPECT_EQ(c.filters[i], formats[i].filter.kind) << i;
            EXPECT_EQ(c.formats[i], formats[i].format) << i;
        }
        const std::vector<std::string> ticks = TickTexts(chart.mainPane()->xAxis());
        auto from = ticks.begin();
        for(const std::string& expected : c.someTicks) {
            from = std::find(from, ticks.end(), expected);
            EXPECT_NE(ticks.end(), from) << expected;
        }
    }
}

TEST(FinanceChartDates, WeeklyMonthsMarkEveryMonthAndLabelEveryFewOnTheCalendar)
{
    std::vector<double> weekly;
    for(int i = 0; i < 157; ++i) {
        weekly.push_back(chartTime(2021, 1, 4) + i * 7 * kDay);
    }
    const Series bars(weekly);
    FinanceChart chart(1000);
    bars.load(chart, 0);
    chart.addPriceChart(400);
    // Interval 94,348,800 / 920 x 50 s = 59.4 days: every second month.
    const auto formats = chart.mainPane()->xAxis()->getMultiFormats();
    EXPECT_EQ(2, formats[1].filter.step);
    int marks = 0, labels = 0;
    for(const AxisTick& tick : chart.mainPane()->xAxis()->getTicks()) {
        ++marks;
        labels += tick.text.empty() ? 0 : 1;
        if(!tick.text.empty() && tick.text.find("bold") == std::string::npos) {
            EXPECT_EQ(1, splitChartTime(weekly[static_cast<size_t>(tick.value)]).month % 2) << tick.text;
        }
    }
    EXPECT_EQ(37, marks);  // January 2021 to January 2024
    EXPECT_EQ(19, labels); // the odd months
}

TEST(FinanceChartLegend, OhlcKeyTakesItsColourFromTheLastBar)
{
    struct Case
    {
        const char* what;
        bool candle;
        std::vector<double> open, close;
        const char* text;
        int colour;
    };
    const Case cases[] = {
        {"falling candle", true, {12, 10}, {11, 9}, "Op:10.0, Hi:11.0, Lo:8.00, Cl:9.00", 0x009900},
        {"rising candle", true, {12, 9}, {11, 10}, "Op:9.00, Hi:11.0, Lo:8.00, Cl:10.0", 0xCC0000},
        {"no open", true, {12, NoValue}, {11, 9}, "Hi:11.0, Lo:8.00, Cl:9.00", 0x009900},
        {"bars falling", false, {12, 10}, {11, 9}, "Op:10.0, Hi:11.0, Lo:8.00, Cl:9.00", 0x009900},
        {"bars rising", false, {12, 10}, {8, 9}, "Op:10.0, Hi:11.0, Lo:8.00, Cl:9.00", 0xCC0000},
        {"one bar has no change",
         false,
         {NoValue, 10},
         {NoValue, 9},
         "Op:10.0, Hi:11.0, Lo:8.00, Cl:9.00",
         0xCC0000},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<double> times = {chartTime(2024, 1, 2), chartTime(2024, 1, 3)};
        const std::vector<double> high = {13, 11}, low = {10, 8};
        FinanceChart chart(600);
        chart.loadSeries(0, times, high, low, c.open, c.close, {});
        chart.addPriceChart(300);
        if(c.candle) {
            chart.addCandles(0xCC0000, 0x009900);
        } else {
            chart.addHlocBars(0xCC0000, 0x009900);
        }
        const auto keys = chart.mainPane()->getLegend()->keys();
        ASSERT_EQ(1u, keys.size());
        EXPECT_EQ(c.text, keys[0].text);
        EXPECT_EQ(c.colour, keys[0].colour);
    }
}

TEST(FinanceChartLayers, CandleWidthIsOddOnNarrowSlotsAndGapsCloseOverSixtyPoints)
{
    struct Case
    {
        int shown;
        double bodyWidth;
    };
    // A 920-pixel plot: 184 points give 5 pixels each, 230 give 4, 306 give 3,
    // 460 give 2; 60 points keep the gap, 61 lose it.
    const Case cases[] = {{184, 5}, {230, 5}, {306, 3}, {460, 3}, {60, 920.0 / 60 * 0.8}, {61, 920.0 / 61}};
    for(const Case& c : cases) {
        const Series bars(chartTime(2024, 1, 1), c.shown + 30, kDay);
        FinanceChart chart(1000);
        bars.load(chart, 30);
        chart.addPriceChart(400);
        chart.addCandles(0xCC0000, 0x009900);
        const auto bodies = Bodies(chart);
        ASSERT_EQ(static_cast<size_t>(c.shown), bodies.size()) << c.shown;
        EXPECT_NEAR(c.bodyWidth, bodies[0].points[1].x - bodies[0].points[0].x, 1e-9) << c.shown;
    }
}

TEST(FinanceChartLayers, HlocBarsComparePreviousClosesFromALeadBelowEverything)
{
    const std::vector<double> times = {1, 2, 3, 4};
    const std::vector<double> close = {-50, -60, -55, -55}, high = {0, 0, 0, 0}, low = {-70, -70, -70, -70};
    FinanceChart chart(600);
    chart.loadSeries(0, times, high, low, close, close, {});
    chart.addPriceChart(300);
    HLOCLayer* bars = chart.addHlocBars(0xFF3333, 0x33CC33);
    ASSERT_NE(nullptr, bars);
    EXPECT_EQ(0xFF3333, bars->barColor(0)); // any close is above the lead
    EXPECT_EQ(0x33CC33, bars->barColor(1));
    EXPECT_EQ(0xFF3333, bars->barColor(2));
    EXPECT_EQ(0xFF3333, bars->barColor(3));
}

TEST(FinanceChartLayers, SmaLineCarriesItsNameLastValueAndAverages)
{
    const Series bars(chartTime(2024, 1, 1), 40, kDay); // closes 101..140
    FinanceChart chart(1000);
    bars.load(chart, 30);
    chart.addPriceChart(400);
    LineLayer* sma = chart.addSmaLine(10, 0xCC33CC);
    ASSERT_NE(nullptr, sma);
    const DataSet* set = sma->getDataSet(0);
    EXPECT_EQ("SMA (10): 136", set->getDataName()); // mean of 131..140 in "P3"
    EXPECT_EQ(0xCC33CC, set->getDataColor());
    EXPECT_DOUBLE_EQ(126.5, set->getValue(0)); // shown point 0 is point 30: 122..131
    EXPECT_DOUBLE_EQ(135.5, set->getValue(9));

    FinanceChart empty(1000);
    const std::vector<double> times = {1, 2, 3};
    const std::vector<double> closes = {1, 2, 3};
    empty.loadSeries(0, times, closes, closes, closes, closes, {});
    empty.addPriceChart(400);
    EXPECT_EQ("SMA (5)", empty.addSmaLine(5, 0)->getDataSet(0)->getDataName()); // too few points
}

TEST(FinanceChartLayers, LegendTextAndLastValidIndex)
{
    FinanceChart chart(600);
    const std::vector<double> values = {1, 2.5, NoValue}, none = {NoValue, NoValue};
    EXPECT_EQ(1, FinanceChart::lastValidIndex(values));
    EXPECT_EQ(-1, FinanceChart::lastValidIndex(none));
    EXPECT_EQ(-1, FinanceChart::lastValidIndex(DoubleArray()));
    EXPECT_EQ("Vol: 2.50", chart.legendText("Vol", values));
    EXPECT_EQ("Vol", chart.legendText("Vol", none));
    EXPECT_EQ("", chart.legendText("", values));
    chart.generalFormat = "{value|1}";
    EXPECT_EQ("Vol: 2.5", chart.legendText("Vol", values));
}

TEST(FinanceChartLayers, ToolTipsDateThePointsAsPreciselyAsTheirSpacing)
{
    struct Case
    {
        std::vector<double> times;
        int extra;
        const char* format;
    };
    // The average spacing divides by the number of points, not of gaps:
    // 24 months average under 30 days and 30 calendar days under one day.
    const Case cases[] = {
        {MonthStarts(2015, 1, 120, 1), 0, "[{xLabel|yyyy/mm}]"},
        {MonthStarts(2020, 1, 24, 1), 0, "[{xLabel|yyyy/mm/d}]"},
        {Series(chartTime(2024, 1, 1), 30, 2 * kDay).times, 0, "[{xLabel|yyyy/mm/d}]"},
        {Series(chartTime(2024, 1, 1), 30, kDay).times, 0, "[{xLabel|yyyy/mm/d hh:nn:ss}]"},
        {Series(chartTime(2024, 1, 1), 30, 300).times, 0, "[{xLabel|yyyy/mm/d hh:nn:ss}]"},
        {Series(chartTime(2024, 1, 1), 3, kDay).times, 3, "[{xLabel|yyyy/mm/d hh:nn:ss}]"},
    };
    for(const Case& c : cases) {
        const Series bars(c.times);
        FinanceChart chart(600);
        bars.load(chart, c.extra);
        EXPECT_EQ(std::string("title='") + c.format +
                      " \nOpen: {open}\nHigh: {high}\nLow: {low}\nClose: {close}'",
                  chart.toolTipText());
    }

    const Series days(chartTime(2024, 1, 1), 5, 2 * kDay);
    FinanceChart chart(600);
    days.load(chart, 2);
    chart.addPriceChart(300);
    chart.addCandles(0xCC0000, 0x009900);
    const auto areas = parseImageMap(chart.mainPane()->getHTMLImageMap("clickable", "", "title='{value|2}'"));
    ASSERT_EQ(3u, areas.size());
    EXPECT_EQ("[2024/01/5] \nOpen: 102\nHigh: 104\nLow: 101\nClose: 103", areas[0].title);
}

TEST(FinanceChartPanes, PanesStackUnderTheMainPaneAndShareItsDates)
{
    const Series bars(chartTime(2024, 1, 1), 40, kDay);
    FinanceChart chart(1000);
    bars.load(chart, 10);
    XYChart* main = chart.addPriceChart(300);
    XYChart* lower = chart.addPane(80);
    ASSERT_EQ(2, chart.getChartCount());
    EXPECT_EQ(main, chart.getMainChart());
    EXPECT_EQ(0, main->getAbsOffsetY());
    EXPECT_EQ(300 + 1 + 2, lower->getAbsOffsetY());
    EXPECT_EQ(30 + (300 + 1 + 2 + 1 + 80) + 35, chart.getHeight());
    EXPECT_EQ(30 + 35 + 80, lower->getHeight());
    // Plot areas follow the margins; the lower pane takes over the dates.
    EXPECT_EQ(40, lower->getPlotArea()->getLeftX());
    EXPECT_EQ(920, lower->getPlotArea()->getWidth());
    EXPECT_EQ(TickTexts(main->xAxis()), TickTexts(lower->xAxis()));
    RecordingCanvas canvas;
    chart.render(canvas);
    int dateLabels = 0;
    for(const auto& op : canvas.ops(Kind::Text)) {
        if(op.text == "<*font=bold*>02/1" || op.text == "02/1") {
            ++dateLabels;
            EXPECT_GT(op.points[0].y, lower->getAbsOffsetY() + 30 + 80); // under the lower plot only
        }
    }
    EXPECT_EQ(1, dateLabels);
    EXPECT_TRUE(canvas.antiAlias());
    EXPECT_EQ(2, canvas.textAntiAlias());
    // Price layers go to the main pane.
    chart.addCandles(0xCC0000, 0x009900);
    EXPECT_EQ(1, main->getLayerCount());
    EXPECT_EQ(0, lower->getLayerCount());
    // A pane under 100 pixels ticks every 15 pixels, not 30: the shown
    // 5.1..20 over 65 pixels goes by 5, not by 10.
    std::vector<double> ramp;
    for(int i = 0; i < 40; ++i) {
        ramp.push_back(i / 39.0 * 20);
    }
    lower->addLineLayer(ramp);
    EXPECT_EQ(4u, lower->yAxis()->getTicks().size());
    EXPECT_FALSE(main->yAxis()->isLogScale());

    FinanceChart logChart(1000);
    logChart.logScale = true;
    bars.load(logChart, 10);
    XYChart* logMain = logChart.addPriceChart(300);
    logChart.addCandles(0xCC0000, 0x009900);
    EXPECT_TRUE(logMain->yAxis()->isLogScale());
    EXPECT_NEAR(logMain->getYCoor(110) - logMain->getYCoor(121),
                logMain->getYCoor(121) - logMain->getYCoor(133.1), 1);
}

TEST(FinanceChartPanes, AViewerNarrowerThanItsMarginsStillBuildsAndDraws)
{
    for(int width : {80, 50, 0}) {
        SCOPED_TRACE(width);
        const Series bars(chartTime(2024, 1, 1), 130, 300);
        FinanceChart chart(width);
        bars.load(chart, 30);
        chart.addPriceChart(100);
        chart.addSmaLine(10, 0xCC33CC);
        CandleStickLayer* candles = chart.addCandles(0xCC0000, 0x009900);
        ASSERT_NE(nullptr, candles);
        // Plot width 1: 100 x 50 / 1 + 1 points between labels.
        EXPECT_EQ(5001, chart.mainPane()->xAxis()->getMultiFormats()[0].labelSpan);
        RecordingCanvas canvas;
        chart.render(canvas);
        chart.mainPane()->getNearestXValue(10);
        chart.mainPane()->getHTMLImageMap("clickable");
    }
}

TEST(FinanceChartPanes, ThePreviewBuildsFromTheRandomTable)
{
    RanTable table(9, 6, 30);
    table.setDateCol(0, chartTime(2002, 9, 4), 86400, true);
    table.setHLOCCols(1, 100, -5, 5, 0, 1e308);
    table.setCol(5, 50000000, 250000000);
    FinanceChart chart(600);
    chart.leftMargin = 1;
    chart.rightMargin = 30;
    chart.topMargin = 1;
    chart.bottomMargin = 30;
    chart.loadSeries(10, table.getCol(0), table.getCol(1), table.getCol(2), table.getCol(3), table.getCol(4),
                     table.getCol(5));
    EXPECT_EQ("M", chart.volumeUnit());
    XYChart* main = chart.addPriceChart(400 - 31);
    CandleStickLayer* candles = chart.addCandles(0xCC0000, 0x009900);
    candles->setColors(0xCC0000, 0xCC0000, 0xFFFFFF, 0x009900);
    candles->setLineWidth(2);
    candles->setHTMLImageMap("", "", "");
    EXPECT_EQ(401, chart.getHeight()); // the pane's height counts one more pixel
    EXPECT_EQ(569, main->getPlotArea()->getWidth());
    EXPECT_TRUE(chart.getHTMLImageMap("clickable", "", "title='x'").empty());
    RecordingCanvas canvas;
    chart.render(canvas);
    int bodies = 0;
    for(const auto& op : canvas.ops(Kind::Rect)) {
        bodies += (op.colour == 0xCC0000u || op.colour == 0x009900u) && op.width == 2 ? 1 : 0;
    }
    EXPECT_EQ(20, bodies);
}
