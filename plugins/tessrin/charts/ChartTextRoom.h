#pragma once

#include <memory>
#include <string>

class wxGraphicsContext;
namespace chartlib {
class BaseChart;
class Canvas;
} // namespace chartlib

// What a chart's texts need beside and above its plot, measured in the fonts
// the chart is drawn with: the height of a legend wrapped to the plot's
// width, the width of a price label. A chart is built for every tick: a
// measure is kept until the text's length or the width changes.
class ChartTextRoom
{
public:
    // Measures with the screen's fonts.
    ChartTextRoom();
    // Measures with `metrics` (the recording back-end in tests).
    explicit ChartTextRoom(chartlib::Canvas& metrics);
    ~ChartTextRoom();
    ChartTextRoom(const ChartTextRoom&) = delete;
    ChartTextRoom& operator=(const ChartTextRoom&) = delete;

    // The height of the legend markup in `chart`'s bold font, wrapped at
    // `maxWidth` as the markup says.
    int LegendHeight(const chartlib::BaseChart& chart, const std::string& legend, int maxWidth);
    // The width of a label's markup in `chart`'s bold font.
    int LabelWidth(const chartlib::BaseChart& chart, const std::string& label);

private:
    struct Kept
    {
        std::string::size_type length = std::string::npos;
        int width = -1;
        int measure = 0;
    };
    int Measure(const chartlib::BaseChart& chart, const std::string& markup, bool height);

    std::unique_ptr<wxGraphicsContext> m_screenContext; // only for measuring
    std::unique_ptr<chartlib::Canvas> m_screen;
    chartlib::Canvas& m_metrics;
    Kept m_legend;
    Kept m_label;
};
