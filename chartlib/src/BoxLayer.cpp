#include "chartlib/BoxLayer.h"

#include "chartlib/ChartConstants.h"
#include "chartlib/XYChart.h"

#include <algorithm>

namespace chartlib {

BoxLayer::BoxLayer(XYChart& chart, DoubleArray high, DoubleArray low, DoubleArray open, DoubleArray close,
                   int colour)
    : Layer(chart)
{
    addDataSet(high, colour, std::string());
    addDataSet(low, colour, std::string());
    addDataSet(open, colour, std::string());
    addDataSet(close, colour, std::string());
}

void BoxLayer::setDataGap(double gap)
{
    m_gap = std::clamp(gap, 0.0, 1.0);
}

void BoxLayer::setDataWidth(int width)
{
    m_dataWidth = width;
}

double BoxLayer::boxWidth() const
{
    if(m_dataWidth > 0) {
        return m_dataWidth;
    }
    return std::max(1.0, m_chart.slotWidth() * (1 - m_gap));
}

bool BoxLayer::pointArea(int index, Area& area) const
{
    double lo = NoValue, hi = -NoValue;
    for(const auto& set : m_dataSets) {
        const double v = set->getValue(index);
        if(hasValue(v)) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    if(!hasValue(lo)) {
        return false;
    }
    const double x = m_chart.xPixel(index);
    const double half = std::max(2.0, boxWidth() / 2);
    area = {x - half, m_chart.yPixel(hi), x + half, m_chart.yPixel(lo)};
    return true;
}

double BoxLayer::pointValue(int index) const
{
    return m_dataSets[3]->getValue(index);
}

} // namespace chartlib
