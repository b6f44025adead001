// Layout without a display: scales, coordinates, labels, layers, image maps,
// legends, multi-charts and the dynamic layer, drawn on the recording
// back-end.
#include <chartlib/CandleStickLayer.h>
#include <chartlib/ChartTime.h>
#include <chartlib/HLOCLayer.h>
#include <chartlib/ImageMap.h>
#include <chartlib/LegendBox.h>
#include <chartlib/LineLayer.h>
#include <chartlib/MultiChart.h>
#include <chartlib/RecordingCanvas.h>
#include <chartlib/XYChart.h>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace chartlib;
using Kind = RecordingCanvas::Kind;

namespace {

// A 600 x 400 chart whose plot area is 500 x 300 at (50, 20).
struct Pane
{
    XYChart chart{600, 400};
    Pane() { chart.setPlotArea(50, 20, 500, 300, 0xFFFFFF, -1, 0x888888); }
};

std::vector<double> Hours(double start, int count, double step)
{
    std::vector<double> out;
    for(int i = 0; i < count; ++i) {
        out.push_back(start + i * step);
    }
    return out;
}

} // namespace

TEST(XYChartScale, YCoordinatesAndValuesAreInversesWithinTheMargins)
{
    for(bool log : {false, true}) {
        Pane pane;
        const std::vector<double> values = {10, 15, 20};
        pane.chart.addLineLayer(values, 0xFF0000);
        pane.chart.yAxis()->setAutoScale(0, 0, 0);
        pane.chart.yAxis()->setMargin(10, 5);
        if(log) {
            pane.chart.yAxis()->setLogScale();
        }
        SCOPED_TRACE(log ? "log" : "linear");
        EXPECT_EQ(20 + 10, pane.chart.getYCoor(20));          // top margin
        EXPECT_EQ(20 + 300 - 1 - 5, pane.chart.getYCoor(10)); // bottom margin
        for(int y = 30; y <= 314; ++y) {
            EXPECT_EQ(y, pane.chart.getYCoor(pane.chart.getYValue(y)));
        }
        for(double v : {10.0, 12.34, 17.5, 20.0}) {
            EXPECT_NEAR(v, pane.chart.getYValue(pane.chart.getYCoor(v)), 10.0 / 284);
        }
        // Pixel rows grow downwards.
        EXPECT_GT(pane.chart.getYValue(100), pane.chart.getYValue(200));
    }
}

TEST(XYChartScale, AutoScaleAppliesExtensionsAndZeroAffinity)
{
    struct Case
    {
        std::vector<double> data;
        double top, bottom, zero;
        double expectMin, expectMax;
    };
    const Case cases[] = {
        {{10, 20}, 0, 0.05, 0, 9.5, 20},
        {{70, 100}, 0.1, 0.1, 0.8, 0, 103}, // low enough to start at zero
        {{90, 100}, 0.1, 0.1, 0.8, 89, 101},
        {{1, 100}, 0, 0.05, 0, 0, 100}, // the extension stops at zero
        {{-5, -1}, 0, 0, 0, -5, -1},
        {{5, 5}, 0, 0, 0, 4.5, 5.5},
        {{NoValue, NoValue}, 0, 0, 0, 0, 1},
    };
    for(const Case& c : cases) {
        Pane pane;
        pane.chart.addLineLayer(c.data);
        pane.chart.yAxis()->setAutoScale(c.top, c.bottom, c.zero);
        EXPECT_DOUBLE_EQ(c.expectMin, pane.chart.yAxis()->getMinValue()) << c.data[0] << ".." << c.data[1];
        EXPECT_DOUBLE_EQ(c.expectMax, pane.chart.yAxis()->getMaxValue()) << c.data[0] << ".." << c.data[1];
    }
}

TEST(XYChartScale, TicksAreRoundStepsAtTheDensityAndOnlyTrimmedDataScales)
{
    Pane pane;
    const std::vector<double> values = {1000, 0, 100};
    pane.chart.addLineLayer(values);
    pane.chart.yAxis()->setAutoScale(0, 0, 0);
    pane.chart.setTrimData(1);
    // 0..100 over 299 pixels at 30 pixels a tick or more: every 10 would
    // be 29.9 pixels, so every 20.
    const auto& ticks = pane.chart.yAxis()->getTicks();
    ASSERT_EQ(6u, ticks.size());
    EXPECT_EQ("0", ticks.front().text);
    EXPECT_EQ("20", ticks[1].text);
    EXPECT_EQ("100", ticks.back().text);

    pane.chart.yAxis()->setTickDensity(100);
    ASSERT_EQ(3u, pane.chart.yAxis()->getTicks().size()); // every 50
    EXPECT_EQ("50", pane.chart.yAxis()->getTicks()[1].text);

    Pane small;
    small.chart.addLineLayer(std::vector<double>{0.1, 0.6});
    small.chart.yAxis()->setAutoScale(0, 0, 0);
    std::vector<std::string> texts;
    for(const AxisTick& tick : small.chart.yAxis()->getTicks()) {
        texts.push_back(tick.text);
    }
    EXPECT_EQ((std::vector<std::string>{"0.1", "0.2", "0.3", "0.4", "0.5", "0.6"}), texts);
}

TEST(XYChartScale, BadNumbersNeitherScaleNorDraw)
{
    Pane pane;
    const std::vector<double> values = {10, std::nan(""), 20, INFINITY, 15};
    pane.chart.addLineLayer(values, 0xFF0000);
    pane.chart.yAxis()->setAutoScale(0, 0, 0);
    EXPECT_EQ(10, pane.chart.yAxis()->getMinValue());
    EXPECT_EQ(20, pane.chart.yAxis()->getMaxValue());
    RecordingCanvas canvas;
    pane.chart.render(canvas);
    const auto lines = canvas.ops(Kind::Polyline);
    ASSERT_EQ(0u, lines.size()); // no two neighbours both hold a value
    // Coordinates of values off the scale stay numbers a caller can use.
    EXPECT_LT(pane.chart.getYCoor(NoValue), 0);
    EXPECT_EQ(pane.chart.getYCoor(10), pane.chart.getYCoor(std::nan("")));
}

TEST(XYChartPoints, NearestXValueAndXIndexFollowTheSlots)
{
    Pane pane;
    const std::vector<double> values = Hours(1, 12, 1);
    LineLayer* layer = pane.chart.addLineLayer(values);
    pane.chart.setTrimData(2, 10);
    // Ten shown points in slots of 50 pixels, centred with the indent.
    EXPECT_EQ(75, pane.chart.getXCoor(0));
    EXPECT_EQ(525, pane.chart.getXCoor(9));
    struct Case
    {
        double x;
        double nearest;
    };
    for(const Case& c : {Case{50, 0}, Case{99, 0}, Case{100, 1}, Case{549, 9}, Case{1000, 9}, Case{-5, 0}}) {
        EXPECT_EQ(c.nearest, pane.chart.getNearestXValue(c.x)) << c.x;
    }
    EXPECT_EQ(3, layer->getXIndexOf(3.4));
    EXPECT_EQ(9, layer->getXIndexOf(12));
    EXPECT_EQ(0, layer->getXIndexOf(-1));
    // Indexes are those of the shown points: 0 is the third value.
    EXPECT_EQ(3, layer->getDataSet(0)->getValue(0));
    EXPECT_EQ(NoValue, layer->getDataSet(0)->getValue(10));

    Pane empty;
    LineLayer* none = empty.chart.addLineLayer(DoubleArray());
    EXPECT_EQ(-1, none->getXIndexOf(0));
    EXPECT_EQ(0, empty.chart.getNearestXValue(300));
}

TEST(LabelFilter, PicksTheFirstPointOfEachPeriod)
{
    struct Case
    {
        const char* what;
        LabelFilter filter;
        std::vector<double> times;
        std::vector<int> picked;
    };
    const double morning = chartTime(2024, 1, 30, 9, 45);
    const Case cases[] = {
        {"hours", StartOfHourFilter(), Hours(morning, 6, 900), {1, 5}},
        {"first point early in its hour", StartOfHourFilter(1, 0.8), Hours(morning, 6, 900), {0, 1, 5}},
        {"days", StartOfDayFilter(1, 0.5), Hours(chartTime(2024, 1, 30, 16), 4, 8 * 3600), {1}},
        {"first point early in its day",
         StartOfDayFilter(1, 0.5),
         Hours(chartTime(2024, 1, 30, 8), 4, 8 * 3600),
         {0, 2}},
        {"months", StartOfMonthFilter(), Hours(chartTime(2024, 1, 29), 6, 86400), {3}},
        {"years", StartOfYearFilter(), Hours(chartTime(2023, 11, 15), 4, 30 * 86400), {2}},
        {"every fourth month",
         StartOfMonthFilter(4),
         {chartTime(2023, 1, 1), chartTime(2023, 2, 1), chartTime(2023, 5, 1), chartTime(2023, 6, 1),
          chartTime(2023, 9, 3), chartTime(2024, 1, 5)},
         {0, 2, 4, 5}},
    };
    for(const Case& c : cases) {
        std::vector<int> picked;
        for(int i = 0; i < static_cast<int>(c.times.size()); ++i) {
            if(c.filter.selects(c.times.data(), static_cast<int>(c.times.size()), i)) {
                picked.push_back(i);
            }
        }
        EXPECT_EQ(c.picked, picked) << c.what;
    }
}

TEST(XYChartLabels, MultiFormatsGiveTheFirstFilterPriorityAndKeepTheSpan)
{
    // Weekdays from Wednesday 4 September 2002 to the end of November.
    std::vector<double> days;
    for(double t = chartTime(2002, 9, 4); t < chartTime(2002, 12, 1); t += 86400) {
        const int weekDay = splitChartTime(t).weekDay;
        if(weekDay != 0 && weekDay != 6) {
            days.push_back(t);
        }
    }
    Pane pane;
    pane.chart.xAxis()->setLabels(days);
    pane.chart.xAxis()->setMultiFormat(StartOfMonthFilter(), "<*font=bold*>{value|mm/d}",
                                       StartOfDayFilter(1, 0.5), "{value|d}", 5);
    const auto& ticks = pane.chart.xAxis()->getTicks();
    ASSERT_GE(ticks.size(), 3u);
    EXPECT_EQ("4", ticks[0].text);
    std::vector<std::string> bold;
    for(size_t i = 0; i < ticks.size(); ++i) {
        if(ticks[i].text.rfind("<*font=bold*>", 0) == 0) {
            bold.push_back(ticks[i].text);
            EXPECT_EQ(1, splitChartTime(days[static_cast<size_t>(ticks[i].value)]).day);
        }
        if(i > 0) {
            EXPECT_GE(ticks[i].value - ticks[i - 1].value, 5);
        }
    }
    EXPECT_EQ((std::vector<std::string>{"<*font=bold*>10/1", "<*font=bold*>11/1"}), bold);

    // Drawn, the bold label is one bold run under its tick.
    pane.chart.xAxis()->setColors(0x000000, 0x000000);
    RecordingCanvas canvas;
    pane.chart.render(canvas);
    bool seen = false;
    for(const auto& op : canvas.ops(Kind::Text)) {
        if(op.text == "10/1") {
            seen = true;
            EXPECT_TRUE(op.font.bold);
            EXPECT_GT(op.points[0].y, pane.chart.getPlotArea()->getBottomY());
        }
    }
    EXPECT_TRUE(seen);
    EXPECT_EQ("2002/10/01", pane.chart.xAxis()->getFormattedLabel(19, "yyyy/mm/dd"));
    EXPECT_EQ("", pane.chart.xAxis()->getFormattedLabel(500, "yyyy/mm/dd"));
}

TEST(XYChartLayers, CandlesHlocBarsAndLinesDrawInZOrder)
{
    Pane pane;
    const std::vector<double> high = {12, 12, 13}, low = {9, 8, 10}, open = {10, 11, NoValue},
                              close = {11, 9, 12};
    const std::vector<double> line = {10, NoValue, 11};
    LineLayer* sma = pane.chart.addLineLayer(line, 0x0000FF, "SMA");
    CandleStickLayer* candles = pane.chart.addCandleStickLayer(high, low, open, close, 0xCC0000, 0x009900);
    candles->setColors(0xFFFFFF, 0xCC0000, 0x009900, 0x009900);
    candles->setDataWidth(9);
    EXPECT_EQ(candles, pane.chart.getLayerByZ(0));
    EXPECT_EQ(sma, pane.chart.getLayerByZ(1));
    ASSERT_EQ(4, candles->getDataSetCount());
    EXPECT_EQ(13, candles->getDataSet(0)->getValue(2)); // high, low, open, close

    RecordingCanvas canvas;
    pane.chart.render(canvas);
    const auto rects = canvas.ops(Kind::Rect);
    std::vector<RecordingCanvas::Op> bodies;
    for(const auto& op : rects) {
        if(op.points[1].x - op.points[0].x == 9) {
            bodies.push_back(op);
        }
    }
    ASSERT_EQ(2u, bodies.size());         // the third candle has no open
    EXPECT_EQ(0xFFFFFFu, bodies[0].fill); // rising: hollow
    EXPECT_EQ(0xCC0000u, bodies[0].colour);
    EXPECT_EQ(0x009900u, bodies[1].fill);
    EXPECT_DOUBLE_EQ(pane.chart.getXCoor(0) - 4, bodies[0].points[0].x);
    EXPECT_DOUBLE_EQ(pane.chart.getYCoor(11), bodies[0].points[0].y);
    // The line breaks at the gap, so it has no segment; it is drawn after
    // the candles, on top.
    EXPECT_TRUE(canvas.ops(Kind::Polyline).empty());

    Pane bars;
    const std::vector<double> closes = {5, 6, 4, 4};
    const std::vector<double> ups = {6, 7, 5, 5}, downs = {4, 5, 3, 3};
    HLOCLayer* hloc = bars.chart.addHLOCLayer(ups, downs, closes, closes);
    hloc->setColorMethod(HLOCUpDown, 0xFF3333, 0x33CC33, -NoValue);
    EXPECT_EQ(0xFF3333, hloc->barColor(0)); // against the lead value
    EXPECT_EQ(0xFF3333, hloc->barColor(1));
    EXPECT_EQ(0x33CC33, hloc->barColor(2));
    EXPECT_EQ(0xFF3333, hloc->barColor(3)); // unchanged counts as up
    bars.chart.setTrimData(2);
    EXPECT_EQ(0x33CC33, hloc->barColor(0)); // the close before it is trimmed but counts
    hloc->setColorMethod(HLOCUpDown, 0xFF3333, 0x33CC33, 100);
    bars.chart.setTrimData(0);
    EXPECT_EQ(0x33CC33, hloc->barColor(0));
}

TEST(XYChartImageMap, OneAreaPerPointWithItsTitleInImageCoordinates)
{
    MultiChart multi(600, 500);
    Pane pane;
    multi.addChart(0, 100, &pane.chart);
    const std::vector<double> times = {chartTime(2024, 1, 2), chartTime(2024, 1, 3), chartTime(2024, 1, 4)};
    const std::vector<double> high = {12, 12, 13}, low = {9, 8, 10}, open = {10, 11, 11},
                              close = {11, 9, 12.5};
    pane.chart.xAxis()->setLabels(times);
    CandleStickLayer* candles = pane.chart.addCandleStickLayer(high, low, open, close);
    candles->setHTMLImageMap("", "", "title='[{xLabel|yyyy/mm/d}] \nOpen: {open}\nClose: {close}'");
    const std::vector<double> average = {NoValue, 10.5, 11.25};
    pane.chart.addLineLayer(average, 0xCC33CC, "SMA (2)");
    pane.chart.addLineLayer(average)->setHTMLImageMap("", "", "");

    const auto areas = parseImageMap(pane.chart.getHTMLImageMap("clickable", "", "title='{value|2}'"));
    ASSERT_EQ(5u, areas.size()); // three candles, two averages, nothing of the silenced layer
    EXPECT_EQ("[2024/01/2] \nOpen: 10\nClose: 11", areas[0].title);
    EXPECT_EQ("[2024/01/4] \nOpen: 11\nClose: 12.5", areas[2].title);
    EXPECT_EQ("10.50", areas[3].title);
    EXPECT_TRUE(areas[0].href.empty());
    const int x = pane.chart.getXCoor(0);
    EXPECT_TRUE(areas[0].contains(x, 100 + pane.chart.getYCoor(11)));
    EXPECT_FALSE(areas[0].contains(x, pane.chart.getYCoor(11)));

    Pane linked;
    linked.chart.addLineLayer(std::vector<double>{1, 2});
    const auto links = parseImageMap(linked.chart.getHTMLImageMap("detail.html", "x={x}"));
    ASSERT_EQ(2u, links.size());
    EXPECT_EQ("detail.html?x=1", links[1].href);
}

TEST(XYChartLegend, AddedKeysComeFirstThenNamedDataSets)
{
    Pane pane;
    LegendBox* legend = pane.chart.addLegend(50, 20, false, "normal", 8);
    legend->setBackground(static_cast<int>(0x80CCCCCC), Transparent);
    legend->setSize(500, 0);
    pane.chart.addLineLayer(std::vector<double>{1, 2}, 0xCC33CC, "SMA (10): 2.00");
    pane.chart.addLineLayer(std::vector<double>{1, 2}, 0x33CCCC); // no name, no key
    legend->addKey("Op:10.0, Cl:9.00", 0x009900);
    const auto keys = legend->keys();
    ASSERT_EQ(2u, keys.size());
    EXPECT_EQ("Op:10.0, Cl:9.00", keys[0].text);
    EXPECT_EQ(0x009900, keys[0].colour);
    EXPECT_EQ("SMA (10): 2.00", keys[1].text);

    RecordingCanvas canvas;
    pane.chart.render(canvas);
    bool background = false;
    for(const auto& op : canvas.ops(Kind::Rect)) {
        background = background || (op.fill == 0x80CCCCCCu && op.points[1].x - op.points[0].x == 500);
    }
    EXPECT_TRUE(background);
    const auto texts = canvas.texts();
    EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), "SMA (10): 2.00"));
}

TEST(MultiChartLayers, DashColoursPanesAndTheDynamicLayer)
{
    MultiChart multi(600, 800);
    multi.setDefaultFonts("msyh.ttc");
    Pane top, bottom;
    multi.addChart(0, 0, &top.chart);
    multi.addChart(0, 400, &bottom.chart);
    multi.setMainChart(&top.chart);
    EXPECT_EQ(2, multi.getChartCount());
    EXPECT_EQ(&bottom.chart, multi.getChart(1));
    EXPECT_EQ(nullptr, multi.getChart(2));
    EXPECT_EQ(400, bottom.chart.getAbsOffsetY());

    const int dotted = multi.dashLineColor(0xC0C0C0, 0x0202);
    EXPECT_EQ(dotted, bottom.chart.dashLineColor(0xC0C0C0, 0x0202)); // one palette for all panes
    bottom.chart.addLineLayer(std::vector<double>{1, 2, 3});
    bottom.chart.getPlotArea()->setGridColor(dotted, Transparent);
    bottom.chart.getPlotArea()->setGridWidth(1, 0, 0, 0);

    RecordingCanvas canvas;
    multi.render(canvas);
    int dottedLines = 0;
    for(const auto& op : canvas.ops(Kind::Line)) {
        if(op.dash == 0x0202) {
            ++dottedLines;
            EXPECT_EQ(0xC0C0C0u, op.colour);
            EXPECT_GE(op.points[0].y, 400); // in the bottom pane
        }
    }
    EXPECT_GT(dottedLines, 0);

    DrawArea* layer = multi.initDynamicLayer();
    layer->line(10, 20, 10, 300, multi.dashLineColor(0x010101, 0x0101));
    layer->text("<*font,bgColor=E0E0B0,color=000000*> 12.50<*/font*> <*/font*>", "msyhbd.ttc", 9, 560, 100,
                0xFFFFFF, Left);
    canvas.clear();
    multi.renderDynamicLayer(canvas);
    ASSERT_EQ(Kind::Line, canvas.ops()[0].kind);
    EXPECT_EQ(0x0101, canvas.ops()[0].dash);
    EXPECT_EQ(0x010101u, canvas.ops()[0].colour);
    const auto texts = canvas.ops(Kind::Text);
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ(" 12.50", texts[0].text);
    EXPECT_TRUE(texts[0].font.bold);
    EXPECT_EQ(0x000000u, texts[0].colour);
    EXPECT_EQ(0xFFFFFFu, texts[1].colour);
    EXPECT_DOUBLE_EQ(560, texts[0].points[0].x);

    multi.initDynamicLayer();
    canvas.clear();
    multi.renderDynamicLayer(canvas);
    EXPECT_TRUE(canvas.ops().empty());
}
