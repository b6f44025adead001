#include "chartlib/HLOCLayer.h"

#include "chartlib/XYChart.h"

#include <algorithm>
#include <cmath>

namespace chartlib {

HLOCLayer::HLOCLayer(XYChart& chart, DoubleArray high, DoubleArray low, DoubleArray open, DoubleArray close,
                     int colour)
    : BoxLayer(chart, high, low, open, close, colour), m_colour(colour), m_rise(colour), m_fall(colour)
{}

void HLOCLayer::setColorMethod(int method, int riseColor, int fallColor, double leadValue)
{
    m_method = method;
    m_rise = riseColor;
    m_fall = fallColor == -1 ? riseColor : fallColor;
    m_lead = leadValue;
}

int HLOCLayer::barColor(int index) const
{
    const DataSet& closes = *m_dataSets[3];
    const double close = closes.getValue(index);
    if(m_method == HLOCOpenClose) {
        const double open = m_dataSets[2]->getValue(index);
        return !hasValue(open) || close >= open ? m_rise : m_fall;
    }
    if(m_method != HLOCUpDown) {
        return m_colour;
    }
    // The close before it may lie in the trimmed part of the series.
    double previous = m_lead;
    for(long global = static_cast<long>(m_chart.trimStart()) + index - 1; global >= 0; --global) {
        const double v = closes.fullValue(static_cast<int>(global));
        if(hasValue(v)) {
            previous = v;
            break;
        }
    }
    return close >= previous ? m_rise : m_fall;
}

void HLOCLayer::draw(Canvas& canvas) const
{
    const int count = shownLength();
    const double half = std::floor(boxWidth() / 2);
    for(int i = 0; i < count; ++i) {
        const double high = m_dataSets[0]->getValue(i);
        const double low = m_dataSets[1]->getValue(i);
        const double open = m_dataSets[2]->getValue(i);
        const double close = m_dataSets[3]->getValue(i);
        if(!hasValue(high) || !hasValue(low)) {
            continue;
        }
        const BaseChart::Paint paint = m_chart.resolveColour(barColor(i));
        if(isTransparent(paint.colour)) {
            continue;
        }
        const double x = std::round(m_chart.xPixel(i));
        const int width = std::max(1, m_lineWidth);
        canvas.line(x, std::round(m_chart.yPixel(high)), x, std::round(m_chart.yPixel(low)), paint.colour,
                    width, paint.dash);
        if(hasValue(open)) {
            const double y = std::round(m_chart.yPixel(open));
            canvas.line(x - half, y, x, y, paint.colour, width, paint.dash);
        }
        if(hasValue(close)) {
            const double y = std::round(m_chart.yPixel(close));
            canvas.line(x, y, x + half, y, paint.colour, width, paint.dash);
        }
    }
}

} // namespace chartlib
