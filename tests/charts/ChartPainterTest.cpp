// A chart page's picture against the recording back-end: the chart built
// from the page's window (pixels per K-line, modes, grid, candle colours,
// tool tips) and the cursor on its dynamic layer (legend, lines, labels).
#include "charts/ChartPainter.h"

#include "charts/ChartPanelData.h"
#include "charts/ChartTextRoom.h"
#include "charts/HistoryQuote.h"
#include "charts/ePeriodType.h"
#include "db/CTransaction.h"
#include "db/RecordStore.h"

#include <chartlib/ChartConstants.h>
#include <chartlib/DataSet.h>
#include <chartlib/DrawArea.h>
#include <chartlib/ImageMap.h>
#include <chartlib/Layer.h>
#include <chartlib/MarkupText.h>
#include <chartlib/PlotArea.h>
#include <chartlib/RecordingCanvas.h>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <memory>
#include <pelmora/Job.h>
#include <regex>
#include <string>
#include <vector>

using namespace chartlib;
using Kind = RecordingCanvas::Kind;

namespace {

// 15 March 2024 00:00 in UTC+8.
constexpr int64_t kMidnight = 1710432000;

class ChartPainterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("TZ", "CST-8", 1);
        tzset();
        history = std::make_shared<HistoryQuote>(&store, "AG", eMinute1, wxArrayString());
        data.SetHistory(history);
        data.CreateSeries();
    }
    void TearDown() override
    {
        unsetenv("TZ");
        tzset();
    }

    // K-lines `spacing` seconds apart, closing at the given prices (a rising
    // one opens 0.25 lower, a falling one 0.25 higher, by turns); the window
    // at the end.
    void Fill(const std::vector<double>& closes, int spacing = 60)
    {
        CTransaction transaction;
        for(size_t i = 0; i < closes.size(); ++i) {
            const double c = closes[i];
            const double o = i % 2 ? c + 0.25 : c - 0.25;
            const sKData bar{static_cast<double>(kMidnight + spacing * static_cast<int64_t>(i)),
                             o,
                             std::max(o, c) + 1,
                             std::min(o, c) - 1,
                             c,
                             0};
            history->AddOrUpdate(bar, &transaction, true);
        }
        transaction.Commit(0);
        data.SeekToNewest();
    }
    void Fill(int count, int spacing = 60)
    {
        std::vector<double> closes;
        for(int i = 0; i < count; ++i) {
            closes.push_back(100 + (i % 7));
        }
        Fill(closes, spacing);
    }
    std::unique_ptr<KLineChart> Build(int width, int height = 400)
    {
        return ChartPainter(data, style).BuildChart(width, height);
    }
    // The texts on the dynamic layer that start with the prefix.
    static std::vector<DrawArea::Op> Texts(const BaseChart& chart, const std::string& prefix)
    {
        std::vector<DrawArea::Op> found;
        if(const DrawArea* layer = chart.getDynamicLayer()) {
            for(const DrawArea::Op& op : layer->ops()) {
                if(op.kind == DrawArea::Op::Kind::Text && op.text.compare(0, prefix.size(), prefix) == 0) {
                    found.push_back(op);
                }
            }
        }
        return found;
    }
    static std::string Legend(const BaseChart& chart)
    {
        const auto texts = Texts(chart, "<*block,valign=top");
        return texts.size() == 1 ? texts[0].text : std::string("<no single legend>");
    }

    RecordStore store;
    std::shared_ptr<HistoryQuote> history;
    ChartPanelData data;
    ChartStyle style;
};

} // namespace

TEST_F(ChartPainterTest, PixelsPerKLineAndBoxWidthFollowTheViewerWidth)
{
    Fill(200);
    struct Case
    {
        int width, pixels;
        double body; // candle body width drawn
    } cases[] = {
        {705, 6, 6.55}, // the composer's: a whole 6.55-pixel slot
        {1055, 10, 8},  // pixels - 2
        {300, 2, 3},    // narrow: the composer's again
        {100, 1, 1},    // never below 1 pixel per K-line
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.width);
        auto chart = Build(c.width);
        EXPECT_EQ(data.GetPixelsPerBar(), c.pixels);
        RecordingCanvas canvas;
        chart->render(canvas);
        int bodies = 0;
        for(const auto& op : canvas.ops(Kind::Rect)) {
            if(op.colour == 0xCC0000u || op.colour == 0x009900u) {
                const double width = op.points[1].x - op.points[0].x;
                EXPECT_NEAR(width, c.body, 1e-9);
                ++bodies;
            }
        }
        EXPECT_EQ(bodies, 95);
    }
}

TEST_F(ChartPainterTest, BarTypesGridAndCandleFillsFollowTheStyle)
{
    Fill(200);
    style.backgroundColour = 0x202020;
    style.foregroundColour = 0xE0E0E0;
    struct Case
    {
        int barType;
        bool grid, upSolid;
        int priceLayerSets; // data sets of the bottom layer: 4 boxes, 1 line, 0 none
        int averages;
        int lineWidth;
    } cases[] = {
        {1, true, true, 4, 3, 1}, {1, false, false, 4, 3, 1}, {0, true, true, 4, 3, 2},
        {2, true, true, 1, 0, 1}, {3, false, true, 1, 3, 1}, // no price layer: the bottom one is an average
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.barType);
        style.barType = c.barType;
        style.showGrid = c.grid;
        style.upSolid = c.upSolid;
        auto chart = Build(800);
        XYChart* main = chart->mainPane();
        ASSERT_NE(main, nullptr);
        int averages = 0;
        for(int i = 0; i < main->getLayerCount(); ++i) {
            const std::string name = main->getLayer(i)->getDataSet(0)->getDataName();
            averages += name.rfind("SMA", 0) == 0;
        }
        EXPECT_EQ(averages, c.averages);
        const Layer* bottom = main->getLayerByZ(0);
        EXPECT_EQ(bottom->getDataSetCount(), c.priceLayerSets);
        EXPECT_EQ(bottom->getLineWidth(), c.lineWidth);
        if(c.barType == 2) {
            EXPECT_EQ(bottom->getDataSet(0)->getDataColor(), style.foregroundColour);
            EXPECT_EQ(bottom->getDataSet(0)->getDataName(), "");
        }
        const PlotArea* plot = main->getPlotArea();
        EXPECT_EQ(plot->getLeftX(), 0);
        EXPECT_EQ(plot->getTopY(), 0);
        EXPECT_EQ(plot->getWidth(), 750);
        EXPECT_EQ(plot->getHeight(), 370);
        EXPECT_EQ(plot->hGridWidth(), c.grid ? 1 : 0);
        EXPECT_EQ(plot->vGridWidth(), c.grid ? 1 : 0);
        EXPECT_EQ(plot->backgroundColor(), style.backgroundColour);
        EXPECT_EQ(plot->altBackgroundColor(), Transparent);
        EXPECT_EQ(plot->edgeColor(), Transparent);
        EXPECT_EQ(chart->getBackgroundColor(), style.backgroundColour);

        if(c.barType == 1) {
            // Rising candles: hollow (the background) unless solid, edged in their colour.
            RecordingCanvas canvas;
            chart->render(canvas);
            int rising = 0;
            for(const auto& op : canvas.ops(Kind::Rect)) {
                if(op.colour == 0xCC0000u) {
                    EXPECT_EQ(op.fill, c.upSolid ? 0xCC0000u : 0x202020u);
                    ++rising;
                } else if(op.colour == 0x009900u) {
                    EXPECT_EQ(op.fill, 0x009900u); // falling ones stay solid
                }
            }
            EXPECT_GT(rising, 0);
        }
    }
}

TEST_F(ChartPainterTest, TheLegendComparesTheKLineUnderTheCursorWithTheNewest)
{
    style.decimals = 2;
    std::vector<double> closes(120, 10.0);
    closes[110] = 10.5;
    closes[111] = 9.5;
    closes[112] = 0; // a K-line closing at 0
    Fill(closes);
    ASSERT_EQ(data.GetValidCount(), 95); // K-lines 25 .. 119
    struct Case
    {
        const char* what;
        int kline;
        std::string change; // the end of the legend's OHLC part
    } cases[] = {
        {"above the newest", 110,
         "  <*font,color=00AA88*><*img=@triangle,width=8,color=00AA88*> 0.50 (4.76%)<*/font*><*/*>"},
        {"below the newest", 111,
         "  <*font,color=CC0000*><*img=@invertedtriangle,width=8,color=CC0000*> -0.50 "
         "(-5.26%)<*/font*><*/*>"},
        {"a close of 0 shows no percentage", 112,
         "  <*font,color=CC0000*><*img=@invertedtriangle,width=8,color=CC0000*> -10.00<*/font*><*/*>"},
        {"the newest itself", 119,
         "  <*font,color=00AA88*><*img=@triangle,width=8,color=00AA88*> 0.00 (0.00%)<*/font*><*/*>"},
        {"past the newest: the newest", 150,
         "  <*font,color=00AA88*><*img=@triangle,width=8,color=00AA88*> 0.00 (0.00%)<*/font*><*/*>"},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.what);
        data.SetCursorX(c.kline - 25);
        auto chart = Build(800);
        const std::string legend = Legend(*chart);
        const size_t ohlc = legend.find("      <*block*>Open: [");
        ASSERT_NE(ohlc, std::string::npos) << legend;
        const size_t averages = legend.find("      <*block*><*img=@square");
        ASSERT_NE(averages, std::string::npos) << legend;
        EXPECT_EQ(legend.substr(averages - c.change.size(), c.change.size()), c.change) << legend;
        EXPECT_EQ(legend.find("nan"), std::string::npos);
        EXPECT_EQ(legend.find("inf"), std::string::npos);
    }

    // The whole legend of one K-line: time, prices in their colours, the
    // averages from the shortest.
    data.SetCursorX(110 - 25);
    auto chart = Build(800);
    const std::string legend = Legend(*chart);
    EXPECT_EQ(
        legend.substr(0, legend.find("<*img=@square")),
        "<*block,valign=top,maxWidth=745*>[2024/03/15 01:50:00]      <*block*>Open: "
        "[<*font,color=ff3333*>10.25"
        "<*/font*>] High: [<*font,color=10101*>11.50<*/font*>] Low: [<*font,color=10101*>9.25<*/font*>] "
        "Close: [<*font, color=33cc33*>10.50<*/font*>]  <*font,color=00AA88*><*img=@triangle,width=8,"
        "color=00AA88*> 0.50 (4.76%)<*/font*><*/*>      <*block*>");
    const size_t sma10 = legend.find("color=cc33cc*> SMA (10): ");
    const size_t sma20 = legend.find("color=33cccc*> SMA (20): ");
    const size_t sma30 = legend.find("color=cccc33*> SMA (30): ");
    ASSERT_NE(sma30, std::string::npos) << legend;
    EXPECT_LT(sma10, sma20);
    EXPECT_LT(sma20, sma30);
    EXPECT_EQ(legend.substr(legend.size() - 5), "<*/*>");
}

TEST_F(ChartPainterTest, CursorLinesAndLabelsSitOnTheKLineAndThePlotEdges)
{
    style.decimals = 1;
    std::vector<double> closes(200);
    for(int i = 0; i < 200; ++i) {
        closes[i] = 100 + (i % 10);
    }
    Fill(closes);
    data.SetCursorX(40);
    struct Case
    {
        const char* what;
        double latest;
        int expectedY; // -1: the price's own row
    } cases[] = {
        {"above the range", 500, 10},
        {"below the range", 1, 369 - 10},
        {"inside", 104, -1},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.what);
        data.SetLatestPrice(c.latest);
        data.SetCursor(true);
        auto chart = Build(800);
        EXPECT_FALSE(data.NeedsCursor());
        XYChart* main = chart->mainPane();
        const PlotArea* plot = main->getPlotArea();
        const auto latest = Texts(*chart, "<*font,bgColor=C080C0,color=000000*> ");
        ASSERT_EQ(latest.size(), 1u);
        EXPECT_EQ(latest[0].x1, plot->getRightX() + 6);
        EXPECT_EQ(latest[0].y1, c.expectedY == -1 ? main->getYCoor(c.latest) : c.expectedY);
        EXPECT_EQ(latest[0].alignment, Left);
        EXPECT_NE(latest[0].text.find(c.latest == 1 ? " 1.0<*/font*> <*/font*>" : ".0<*/font*>"),
                  std::string::npos)
            << latest[0].text;

        // The cross-hair on K-line 145 (window index 40), its close 105.
        const int x = main->getXCoor(40);
        const int y = main->getYCoor(105);
        EXPECT_EQ(data.GetCursorY(), y);
        int vertical = 0, horizontal = 0;
        for(const DrawArea::Op& op : chart->getDynamicLayer()->ops()) {
            if(op.kind != DrawArea::Op::Kind::Line) {
                continue;
            }
            if(op.x1 == x && op.x2 == x && op.y1 == plot->getTopY() && op.y2 == plot->getBottomY()) {
                ++vertical;
            }
            if(op.y1 == y && op.y2 == y && op.x1 == plot->getLeftX() && op.x2 == plot->getRightX()) {
                ++horizontal;
            }
            EXPECT_EQ(chart->resolveColour(op.colour).dash, FineDotLine);
        }
        EXPECT_EQ(vertical, 1);
        EXPECT_EQ(horizontal, 1);
        const auto labels = Texts(*chart, "<*font,bgColor=E0E0B0,color=000000*> ");
        ASSERT_EQ(labels.size(), 2u);
        EXPECT_EQ(labels[0].text, "<*font,bgColor=E0E0B0,color=000000*> 2024/03/15 02:25:00 <*/font*>");
        EXPECT_EQ(labels[0].x1, x);
        EXPECT_EQ(labels[0].y1, plot->getBottomY() + 6);
        EXPECT_EQ(labels[0].alignment, TopCenter);
        EXPECT_EQ(labels[1].x1, plot->getRightX() + 6);
        EXPECT_EQ(labels[1].y1, y);
        EXPECT_NE(labels[1].text.find("105."), std::string::npos) << labels[1].text;
    }

    // A cursor y set by the mouse stays; a new chart takes the close again.
    ChartPainter painter(data, style);
    auto chart = painter.BuildChart(800, 400);
    data.SetCursorY(123);
    painter.DrawTrackCursor(chart.get());
    EXPECT_EQ(data.GetCursorY(), 123);
}

TEST_F(ChartPainterTest, WithTextRoomTheKLinesStartBelowTheLegendAndTheLatestPriceStandsWhole)
{
    style.decimals = 1;
    Fill(std::vector<double>(200, 68497.2));
    data.SetLatestPrice(68497.2);
    RecordingCanvas metrics;
    ChartTextRoom room(metrics);
    const FontSpec bold{true, ChartPainter::kFontSize};
    for(const int width : {1000, 450, 300}) {
        SCOPED_TRACE(width);
        auto chart = ChartPainter(data, style, &room).BuildChart(width, 400);
        XYChart* main = chart->mainPane();
        const auto legend = Texts(*chart, "<*block,valign=top");
        const auto latest = Texts(*chart, "<*font,bgColor=C080C0,color=000000*> ");
        ASSERT_EQ(legend.size(), 1u);
        ASSERT_EQ(latest.size(), 1u);
        const double legendBottom = legend[0].y1 + MarkupText(legend[0].text, bold, 0).size(metrics).height;
        EXPECT_LT(legendBottom, main->getYCoor(68497.2 + 1)) << "the highest K-line";
        EXPECT_LE(latest[0].x1 + MarkupText(latest[0].text, bold, 0).size(metrics).width, width);
    }
    // The cursor's time label whole under the first K-line and under the last.
    for(const int x : {0, data.GetSeriesArray(ChartPanelData::eTime)->GetValidCount() - 1}) {
        data.SetCursorX(x);
        data.SetCursor(true);
        auto chart = ChartPainter(data, style, &room).BuildChart(450, 400);
        const auto time = Texts(*chart, "<*font,bgColor=E0E0B0,color=000000*> 20");
        ASSERT_EQ(time.size(), 1u) << x;
        const double half = MarkupText(time[0].text, bold, 0).size(metrics).width / 2;
        EXPECT_TRUE(time[0].x1 - half >= 0 && time[0].x1 + half <= 450) << x << ": " << time[0].x1;
    }
}

TEST_F(ChartPainterTest, NoCursorWithoutAChartPanesOrKLines)
{
    ChartPainter painter(data, style);
    data.SetCursor(true);
    painter.DrawTrackCursor(nullptr);
    EXPECT_FALSE(data.NeedsCursor());

    // No K-lines yet: a chart, but an empty cursor layer.
    auto empty = painter.BuildChart(800, 400);
    EXPECT_EQ(empty->getDynamicLayer(), nullptr);
    MultiChart bare(100, 100);
    Fill(50);
    data.SetCursor(true);
    painter.DrawTrackCursor(&bare);
    EXPECT_FALSE(data.NeedsCursor());
    EXPECT_EQ(bare.getDynamicLayer(), nullptr);
}

TEST_F(ChartPainterTest, AFailedDownloadIsSaidOnTheChartUntilOneServes)
{
    const std::string failure = "<*font,bgColor=FFE0E0,color=CC0000*> Query failed";
    EXPECT_FALSE(data.FollowFailure());
    wxCommandEvent nothing(wxEVT_CMD_JOB_STATUS_VOID_PTR);
    history->ProcessEvent(nothing);
    ASSERT_TRUE(history->HasFailed());
    EXPECT_TRUE(data.FollowFailure());
    EXPECT_TRUE(data.NeedsRedraw());
    EXPECT_FALSE(data.FollowFailure()) << "told once";

    // An empty chart says it in the middle of the price pane.
    auto empty = Build(800, 400);
    const auto texts = Texts(*empty, failure);
    ASSERT_EQ(texts.size(), 1u);
    const PlotArea* plot = empty->mainPane()->getPlotArea();
    EXPECT_EQ(texts[0].x1, (plot->getLeftX() + plot->getRightX()) / 2);
    EXPECT_EQ(texts[0].y1, (plot->getTopY() + plot->getBottomY()) / 2);
    EXPECT_EQ(texts[0].alignment, Center);
    // Over K-lines it stands beside the cursor.
    Fill(50);
    auto filled = Build(800, 400);
    EXPECT_EQ(Texts(*filled, failure).size(), 1u);
    EXPECT_NE(Legend(*filled), "<no single legend>");

    wxCommandEvent answer(wxEVT_CMD_JOB_STATUS);
    answer.SetString("var hisquotes_data = [{\"row\":\"1710432000,x,1,2,0.5,1.5,0,0\"}];");
    answer.SetExtraLong(-200);
    history->ProcessEvent(answer);
    EXPECT_FALSE(history->HasFailed());
    EXPECT_TRUE(data.FollowFailure());
    EXPECT_TRUE(Texts(*Build(800, 400), failure).empty());
}

TEST_F(ChartPainterTest, FreeSlotsCarryOnTheTimeAxisAndToolTipsTellTheDateAsPreciseAsTheSpacing)
{
    style.decimals = 2;
    const char* const hour = R"(^\[\d{4}/\d{2}/\d{1,2} \d{2}:\d{2}:\d{2}\]\n100\.00$)";
    const char* const day = R"(^\[\d{4}/\d{2}/\d{1,2}\]\n100\.00$)";
    const char* const month = R"(^\[\d{4}/\d{2}\]\n100\.00$)";
    struct Case
    {
        int spacing;
        const char* title; // of the averages' points; the candles keep the composer's
    } cases[] = {
        {60, hour},
        // The average spacing counts the free slots too: daily K-lines fall
        // just short of a day.
        {86400, hour},
        {2 * 86400, day},
        {31 * 86400, month},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.spacing);
        history = std::make_shared<HistoryQuote>(&store, "AG", eMinute1, wxArrayString());
        data.SetHistory(history);
        data.CreateSeries();
        Fill(std::vector<double>(60, 100.0), c.spacing);
        ASSERT_EQ(data.GetValidCount(), 60);
        auto chart = Build(800);
        const auto areas = parseImageMap(ChartPainter(data, style).ImageMap(*chart));
        int candles = 0, averages = 0;
        for(const ImageMapArea& area : areas) {
            if(area.title.find("Open: ") != std::string::npos) {
                ++candles;
            } else {
                EXPECT_TRUE(std::regex_match(area.title, std::regex(c.title))) << area.title;
                ++averages;
            }
        }
        EXPECT_EQ(candles, 60);
        EXPECT_EQ(averages, 51 + 41 + 31); // each average from its 10th, 20th, 30th K-line
        // The last free slot lies one spacing step per slot past the newest K-line.
        Axis* time = chart->mainPane()->xAxis();
        const double newest = time->getLabelValue(59);
        const double last = time->getLabelValue(99);
        EXPECT_GT(last, newest);
        EXPECT_NEAR(last - newest, 40.0 * c.spacing * 59 / 60, 1e-6 * c.spacing);
    }
}
