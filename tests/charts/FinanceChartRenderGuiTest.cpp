// The wx renderer on the (Xvfb) screen: a 1,000 x 600 candle chart with
// three moving averages, grid and date labels, saved as finance_chart.png in
// the test folder.
#include "ScreenshotSaver.h"
#include "charts/FinanceChart.h"

#include <chartlib/ChartTime.h>
#include <chartlib/RanTable.h>
#include <chartlib/WxCanvas.h>
#include <chartlib/WxChartRenderer.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <wx/app.h>
#include <wx/dcbuffer.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

using namespace chartlib;

namespace {

// 130 trading days: 30 leading ones feed the averages, 100 are shown.
struct Bars
{
    RanTable table{7, 6, 130};
    Bars()
    {
        table.setDateCol(0, chartTime(2024, 1, 2), 86400, true);
        table.setHLOCCols(1, 100, -3, 3, 10, 1e308);
        table.setCol(5, 1000, 5000);
    }
};

std::unique_ptr<FinanceChart> BuildChart(const Bars& bars)
{
    auto chart = std::make_unique<FinanceChart>(1000);
    const RanTable& t = bars.table;
    chart->loadSeries(30, t.getCol(0), t.getCol(1), t.getCol(2), t.getCol(3), t.getCol(4), t.getCol(5));
    chart->addPriceChart(600 - 30 - 35 - 1);
    chart->addSmaLine(10, 0xCC33CC);
    chart->addSmaLine(20, 0x33CCCC);
    chart->addSmaLine(30, 0xCCCC33);
    chart->addCandles(0xCC0000, 0x009900);
    return chart;
}

bool Near(const wxImage& image, int x, int y, int rgb, int tolerance)
{
    return std::abs(image.GetRed(x, y) - ((rgb >> 16) & 0xFF)) <= tolerance &&
           std::abs(image.GetGreen(x, y) - ((rgb >> 8) & 0xFF)) <= tolerance &&
           std::abs(image.GetBlue(x, y) - (rgb & 0xFF)) <= tolerance;
}

// Shows the rendered bitmap in a borderless frame of its size.
class ChartFrame : public wxFrame
{
public:
    explicit ChartFrame(const wxBitmap& bitmap)
        : wxFrame(nullptr, wxID_ANY, "chart", wxPoint(0, 0), bitmap.GetSize(), wxBORDER_NONE),
          m_bitmap(bitmap)
    {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
            wxAutoBufferedPaintDC dc(this);
            dc.DrawBitmap(m_bitmap, 0, 0);
            painted = true;
        });
    }
    bool painted = false;

private:
    wxBitmap m_bitmap;
};

} // namespace

TEST(FinanceChartRender, CandlesAveragesGridAndDatesReachTheScreenAndThePng)
{
    const Bars bars;
    std::unique_ptr<FinanceChart> chart = BuildChart(bars);
    ASSERT_EQ(1000, chart->getWidth());
    ASSERT_EQ(600, chart->getHeight());
    const wxBitmap bitmap = WxChartRenderer::render(*chart);
    ASSERT_TRUE(bitmap.IsOk());
    EXPECT_EQ(wxSize(1000, 600), bitmap.GetSize());

    ChartFrame* frame = new ChartFrame(bitmap);
    frame->Show();
    frame->Refresh();
    const wxStopWatch clock;
    while(!(frame->painted && frame->IsShownOnScreen()) && clock.Time() < 5000) {
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    }
    ASSERT_TRUE(frame->painted) << "the frame was never painted";
    ASSERT_TRUE(SaveWindowScreenshot(frame, "finance_chart.png"));
    frame->Destroy();
    wxTheApp->Yield(true);

    wxImage png;
    ASSERT_TRUE(png.LoadFile(TestOutputPath("finance_chart.png"), wxBITMAP_TYPE_PNG));
    EXPECT_EQ(1000, png.GetWidth());
    EXPECT_EQ(600, png.GetHeight());

    // Inside the plot area: the candles in both colours, every average, and
    // far more than the white background.
    XYChart* main = chart->mainPane();
    const PlotArea* plot = main->getPlotArea();
    int drawn = 0, rising = 0, falling = 0, averages[3] = {0, 0, 0};
    const int averageColours[3] = {0xCC33CC, 0x33CCCC, 0xCCCC33};
    for(int y = plot->getTopY(); y <= plot->getBottomY(); ++y) {
        for(int x = plot->getLeftX(); x <= plot->getRightX(); ++x) {
            drawn += Near(png, x, y, 0xFFFFFF, 0) ? 0 : 1;
            rising += Near(png, x, y, 0xCC0000, 8) ? 1 : 0;
            falling += Near(png, x, y, 0x009900, 8) ? 1 : 0;
            for(int k = 0; k < 3; ++k) {
                averages[k] += Near(png, x, y, averageColours[k], 24) ? 1 : 0;
            }
        }
    }
    EXPECT_GT(drawn, plot->getWidth() * plot->getHeight() / 20);
    EXPECT_GT(rising, 100);
    EXPECT_GT(falling, 100);
    for(int k = 0; k < 3; ++k) {
        EXPECT_GT(averages[k], 50) << "average " << k;
    }
    // Date labels stand in the band under the plot.
    int labelInk = 0;
    for(int y = plot->getBottomY() + 3; y < plot->getBottomY() + 20; ++y) {
        for(int x = plot->getLeftX(); x <= plot->getRightX(); ++x) {
            labelInk += png.GetRed(x, y) < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(labelInk, 100);
}

TEST(FinanceChartRender, TheDynamicLayerDrawsOverTheChart)
{
    const Bars bars;
    std::unique_ptr<FinanceChart> chart = BuildChart(bars);
    DrawArea* cursor = chart->initDynamicLayer();
    cursor->line(500, 40, 500, 560, 0x0000FF, 3);
    cursor->line(300, 100, 300, 200, chart->dashLineColor(0x0000FF, FineDotLine), 1);
    cursor->text("<*font,bgColor=C080C0,color=000000*> 101.25 <*/font*>", "msyhbd.ttc", 9, 960, 300, 0xFFFFFF,
                 Left);
    const wxImage with = WxChartRenderer::render(*chart, true).ConvertToImage();
    const wxImage without = WxChartRenderer::render(*chart, false).ConvertToImage();
    EXPECT_TRUE(Near(with, 500, 300, 0x0000FF, 8));
    EXPECT_FALSE(Near(without, 500, 300, 0x0000FF, 8));
    EXPECT_TRUE(Near(with, 962, 300, 0xC080C0, 8)); // the label's background
    // A dotted line is one pixel wide, every other pixel inked in full.
    for(int y = 120; y < 124; ++y) {
        EXPECT_EQ(Near(with, 300, y, 0x0000FF, 8), y % 2 == 0) << y;
        EXPECT_FALSE(Near(with, 299, y, 0x0000FF, 128) || Near(with, 301, y, 0x0000FF, 128)) << y;
    }
    // The CJK face is used when it is installed.
    if(!WxCanvas::faceName().empty()) {
        EXPECT_TRUE(WxCanvas::faceName().StartsWith("Noto Sans CJK"));
    }
}
