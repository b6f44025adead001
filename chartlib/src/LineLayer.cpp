#include "chartlib/LineLayer.h"

#include "chartlib/ChartConstants.h"
#include "chartlib/XYChart.h"

namespace chartlib {

LineLayer::LineLayer(XYChart& chart, DoubleArray data, int colour, const std::string& name) : Layer(chart)
{
    addDataSet(data, colour, name);
}

void LineLayer::draw(Canvas& canvas) const
{
    const DataSet& set = *m_dataSets[0];
    const BaseChart::Paint paint = m_chart.resolveColour(set.getDataColor());
    if(isTransparent(paint.colour) || m_lineWidth == 0) {
        return;
    }
    const int count = shownLength();
    std::vector<Point> run;
    auto flush = [&] {
        if(run.size() > 1) {
            canvas.polyline(run, paint.colour, m_lineWidth, paint.dash);
        }
        run.clear();
    };
    for(int i = 0; i < count; ++i) {
        const double v = set.getValue(i);
        if(!hasValue(v)) {
            flush();
            continue;
        }
        run.push_back({m_chart.xPixel(i), m_chart.yPixel(v)});
    }
    flush();
}

bool LineLayer::pointArea(int index, Area& area) const
{
    const double v = m_dataSets[0]->getValue(index);
    if(!hasValue(v)) {
        return false;
    }
    const double x = m_chart.xPixel(index), y = m_chart.yPixel(v);
    area = {x - 4, y - 4, x + 4, y + 4};
    return true;
}

} // namespace chartlib
