#pragma once

#include "charts/ChartStyle.h"
#include "charts/ChartTextRoom.h"
#include "charts/KLineChart.h"

#include <memory>
#include <string>

class ChartPanelData;
namespace chartlib {
class BaseChart;
class DrawArea;
class MultiChart;
class XYChart;
} // namespace chartlib

// Turns a chart page's window of K-lines into a picture: a new finance
// chart for each redraw, and on its dynamic layer the cross-hair with the
// legend of the K-line under it, the axis labels of the cursor and the
// symbol's latest price. Draws only; what to draw is the data's.
class ChartPainter
{
public:
    static constexpr int kLeftMargin = 5;
    static constexpr int kRightMargin = 50;
    static constexpr int kTopMargin = 1;
    static constexpr int kBottomMargin = 30;
    static constexpr int kFontSize = 9; // cursor texts
    static constexpr const char* kFontName = "msyh.ttc";
    static constexpr const char* kBoldFontName = "msyhbd.ttc";
    static constexpr const char* kCursorTimeFormat = "yyyy/mm/dd hh:nn:ss";

    // With `room` the labels and the legend get the room they need: the
    // right margin widens to the latest price and the K-lines start below
    // the legend; without it the margins are fixed.
    ChartPainter(ChartPanelData& data, const ChartStyle& style, ChartTextRoom* room = nullptr)
        : m_data(data), m_style(style), m_room(room)
    {}

    // A chart of the viewer's size with the cursor drawn; sets the data's
    // pixels per K-line and takes the cursor line to the K-line's close.
    std::unique_ptr<KLineChart> BuildChart(int width, int height);
    // The main pane's image map with the tool tips of the K-lines.
    std::string ImageMap(KLineChart& chart) const;
    // Draws the cursor on the chart's dynamic layer afresh; clears the
    // data's cursor flag. Nothing without a chart, panes or K-lines, except
    // the text that the download failed while the data shows that.
    void DrawTrackCursor(chartlib::BaseChart* chart);

private:
    // "Query failed" in the middle of the price pane.
    void DrawFailure(chartlib::MultiChart& chart, chartlib::DrawArea& layer) const;
    std::string ValueFormat() const;
    std::string Format(chartlib::BaseChart& chart, double value, const std::string& format) const;
    // "Open: [..] High: [..] Low: [..] Close: [..]" with the change against
    // the newest K-line.
    std::string OhlcLegend(chartlib::BaseChart& chart, double open, double high, double low,
                           double close) const;
    // A pane's legend of the K-line at window index `x` (at most `valid` - 1).
    std::string PaneLegend(chartlib::MultiChart& chart, chartlib::XYChart& pane, int x, int valid) const;
    // The label of the symbol's latest price.
    std::string LatestLabel(chartlib::BaseChart& chart) const;
    // Keeps the main pane's K-lines below its legend.
    void ReserveLegend(KLineChart& chart, chartlib::XYChart& main) const;

    ChartPanelData& m_data;
    const ChartStyle& m_style;
    ChartTextRoom* m_room; // null: fixed margins
};
