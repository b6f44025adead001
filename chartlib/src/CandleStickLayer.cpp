#include "chartlib/CandleStickLayer.h"

#include "chartlib/XYChart.h"

#include <algorithm>
#include <cmath>

namespace chartlib {

CandleStickLayer::CandleStickLayer(XYChart& chart, DoubleArray high, DoubleArray low, DoubleArray open,
                                   DoubleArray close, int riseColor, int fallColor, int edgeColor)
    : BoxLayer(chart, high, low, open, close, riseColor), m_upFill(riseColor),
      m_upLine(edgeColor == -1 ? riseColor : edgeColor), m_downFill(fallColor),
      m_downLine(edgeColor == -1 ? fallColor : edgeColor)
{}

void CandleStickLayer::setColors(int upFillColor, int upLineColor, int downFillColor, int downLineColor)
{
    m_upFill = upFillColor;
    m_upLine = upLineColor;
    m_downFill = downFillColor;
    m_downLine = downLineColor;
}

void CandleStickLayer::draw(Canvas& canvas) const
{
    const int count = shownLength();
    const double width = boxWidth();
    for(int i = 0; i < count; ++i) {
        const double high = m_dataSets[0]->getValue(i);
        const double low = m_dataSets[1]->getValue(i);
        const double open = m_dataSets[2]->getValue(i);
        const double close = m_dataSets[3]->getValue(i);
        if(!hasValue(open) || !hasValue(close)) {
            continue;
        }
        const bool up = close >= open;
        const BaseChart::Paint fill = m_chart.resolveColour(up ? m_upFill : m_downFill);
        const BaseChart::Paint line = m_chart.resolveColour(up ? m_upLine : m_downLine);
        const double x = std::round(m_chart.xPixel(i));
        if(hasValue(high) && hasValue(low) && !isTransparent(line.colour)) {
            canvas.line(x, std::round(m_chart.yPixel(high)), x, std::round(m_chart.yPixel(low)), line.colour,
                        std::max(1, m_lineWidth), line.dash);
        }
        const double top = std::round(m_chart.yPixel(std::max(open, close)));
        const double bottom = std::round(m_chart.yPixel(std::min(open, close)));
        canvas.rect(x - std::floor(width / 2), top, width, bottom - top + 1, fill.colour, line.colour,
                    m_lineWidth);
    }
}

} // namespace chartlib
