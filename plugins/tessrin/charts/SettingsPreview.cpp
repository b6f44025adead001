#include "charts/SettingsPreview.h"

#include "charts/ChartStyle.h"
#include "common/ChartViewPanelGlobalConfig.h"

#include <chartlib/ChartTime.h>
#include <pelmora/DrawingUtils.h>

namespace {
constexpr int kRows = 30;
constexpr int kColumns = 6;
constexpr int kSeed = 9;
constexpr double kDay = 86400;
} // namespace

SettingsPreview::SettingsPreview(int style) : m_style(style), m_table(kSeed, kColumns, kRows)
{
    m_table.setDateCol(0, chartlib::chartTime(2002, 9, 4), kDay, true);
    m_table.setHLOCCols(1, 100, -5, 5);
    m_table.setCol(5, 50000000, 250000000);
}

int SettingsPreview::GridColour(int background)
{
    const wxColour colour = ChartStyle::ToColour(background);
    const wxColour grid = DrawingUtils::IsDark(colour) ? DrawingUtils::LightColour(colour, 2.0f)
                                                       : DrawingUtils::DarkColour(colour, 2.0f);
    return ChartStyle::ChartColour(grid);
}

std::unique_ptr<FinanceChart> SettingsPreview::Build(const ChartViewPanelGlobalConfig& colours,
                                                     bool bullSolid, bool bearSolid, int width,
                                                     int height) const
{
    const int background = ChartStyle::ChartColour(colours.GetBackgroundColour());
    const int foreground = ChartStyle::ChartColour(colours.GetForegroundColour());
    const int bull = ChartStyle::ChartColour(colours.GetCandUpColour());
    const int bear = ChartStyle::ChartColour(colours.GetCandDownColour());

    auto chart = std::make_unique<FinanceChart>(width);
    chart->leftMargin = kLeftMargin;
    chart->rightMargin = kRightMargin;
    chart->topMargin = kTopMargin;
    chart->bottomMargin = kBottomMargin;
    chart->loadSeries(kExtraPoints, m_table.getCol(0), m_table.getCol(1), m_table.getCol(2),
                      m_table.getCol(3), m_table.getCol(4), m_table.getCol(5));
    chartlib::XYChart* main = chart->addPriceChart(height - kTopMargin - kBottomMargin);

    chartlib::Layer* layer = nullptr;
    if(m_style == 1) {
        chartlib::CandleStickLayer* candles = chart->addCandles(bull, bear);
        candles->setColors(bullSolid ? bull : background, bull, bearSolid ? bear : background, bear);
        layer = candles;
    } else {
        layer = chart->addHlocBars(ChartStyle::ChartColour(colours.GetBarUpColour()),
                                   ChartStyle::ChartColour(colours.GetBarDownColour()));
    }
    layer->setLineWidth(2);
    layer->setHTMLImageMap("", "", "");

    chartlib::PlotArea* plot = main->getPlotArea();
    plot->setBackground(background);
    main->xAxis()->setColors(foreground, foreground, foreground, foreground);
    main->yAxis()->setColors(foreground, foreground, foreground, foreground);
    const int grid = GridColour(background);
    plot->setGridColor(grid, grid);
    return chart;
}
