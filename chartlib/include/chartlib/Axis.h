#pragma once

#include "chartlib/ChartConstants.h"
#include "chartlib/DoubleArray.h"
#include "chartlib/LabelFilter.h"

#include <string>
#include <utility>
#include <vector>

namespace chartlib {

class BaseChart;
class Canvas;
class PlotArea;
class XYChart;

// A tick of a laid-out axis.
struct AxisTick
{
    double value = 0; // x axis: index of the shown point; y axis: the value
    std::string text; // markup; empty for a tick without a label
    bool major = true;
};

// An axis of an XY chart. The x axis is index based: point i of the shown
// (trimmed) data sits at x value i, labelled from the labels given. The y
// axis scales itself over the shown data of its layers.
class Axis
{
public:
    Axis(XYChart& chart, bool isXAxis);

    // With indent, the first and last points sit half a slot inside the plot.
    void setIndent(bool indent);
    // Positive lengths point out of the plot area, negative ones into it.
    void setTickLength(int majorTickLen, int minorTickLen);
    // -1 makes the title colour that of the labels and the tick colour that
    // of the axis line.
    void setColors(int axisColor, int labelColor = TextColor, int titleColor = -1, int tickColor = -1);
    void setLabelStyle(const std::string& font = "normal", double fontSize = 8, int fontColor = TextColor,
                       double fontAngle = 0);
    // Takes every setting of the other axis, its labels and formats too.
    void copyAxis(const Axis* axis);

    // Values (chart times) that label the points of the x axis.
    void setLabels(DoubleArray labels);
    // Labels the points the first filter picks with the first format, then
    // those the second picks with the second, keeping labels at least
    // `labelSpan` points apart. Calls add up; a format "-" marks a tick
    // without text.
    void setMultiFormat(LabelFilter filter1, const std::string& format1, LabelFilter filter2,
                        const std::string& format2, int labelSpan = 1);
    void setMultiFormat(LabelFilter filter, const std::string& format, int labelSpan = 1);
    struct LabelFormat
    {
        LabelFilter filter;
        std::string format;
        int labelSpan;
    };
    // Every format given, in the order of priority.
    std::vector<LabelFormat> getMultiFormats() const;

    // The scale runs from the smallest to the largest shown value, stretched
    // by the extensions (fractions of the range). It starts at zero when the
    // smallest value is at most zeroAffinity times the largest.
    void setAutoScale(double topExtension = 0.1, double bottomExtension = 0.1, double zeroAffinity = 0.8);
    // Least distance in pixels between ticks; 0 leaves minor ticks out.
    void setTickDensity(int majorTickSpacing, int minorTickSpacing = -1);
    // Pixels kept free between the scale's ends and the plot area's edges.
    void setMargin(int topMargin, int bottomMargin = 0);
    void setLinearScale();
    void setLogScale();
    bool isLogScale() const { return m_set.logScale; }

    // The label of x value v (or the value v on an axis without labels) in
    // the format: a pattern ("yyyy/mm/dd hh:nn:ss") or a template.
    std::string getFormattedLabel(double v, const std::string& format = std::string()) const;

    // The label value of shown point i (the index on an axis without
    // labels); NoValue past the labels.
    double getLabelValue(int index) const;

    // After layout.
    double getMinValue() const;
    double getMaxValue() const;
    const std::vector<AxisTick>& getTicks() const;

private:
    friend class XYChart;

    struct Group
    {
        std::vector<std::pair<LabelFilter, std::string>> formats;
        int labelSpan = 1;
    };
    struct Settings
    {
        bool indent = true;
        int majorTickLen = 4;
        int minorTickLen = 2;
        int axisColor = LineColor;
        int labelColor = TextColor;
        int titleColor = TextColor;
        int tickColor = LineColor;
        std::string labelFont = "normal";
        double labelSize = 8;
        double labelAngle = 0;
        std::vector<double> labels;
        std::vector<Group> groups;
        double topExtension = 0.1;
        double bottomExtension = 0.1;
        double zeroAffinity = 0.8;
        int majorDensity = 30;
        int minorDensity = 0;
        int topMargin = 0;
        int bottomMargin = 0;
        bool logScale = false;
    };

    // Layout, called by the chart.
    void scaleIndex(int count, int trimStart, int left, int width);
    void scaleValues(double lo, double hi, bool any, int top, int height);
    double toPixel(double v) const;
    double fromPixel(double pixel) const;
    void pickLabelTicks(double slotWidth);
    void pickValueTicks(double pixelLength);
    void invalidate();

    void drawGrid(Canvas& canvas, const PlotArea& plot, const BaseChart& chart) const;
    void drawAxis(Canvas& canvas, const PlotArea& plot, const BaseChart& chart, bool onRight) const;

    XYChart& m_chart;
    bool m_isX;
    Settings m_set;
    // Computed by the layout.
    double m_min = 0, m_max = 1;
    double m_pixelStart = 0, m_pixelEnd = 1;
    int m_trimStart = 0;
    int m_count = 0;
    int m_decimals = 0;
    std::vector<AxisTick> m_ticks;
};

} // namespace chartlib
