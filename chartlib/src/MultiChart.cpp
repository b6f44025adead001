#include "chartlib/MultiChart.h"

#include "TranslatedCanvas.h"
#include "chartlib/XYChart.h"

namespace chartlib {

MultiChart::MultiChart(int width, int height, int bgColor, int edgeColor) : BaseChart(width, height)
{
    setBackground(bgColor, edgeColor);
}

void MultiChart::addChart(int x, int y, XYChart* chart)
{
    if(!chart || chart == static_cast<BaseChart*>(this)) {
        return;
    }
    chart->m_parent = this;
    chart->m_offsetX = x;
    chart->m_offsetY = y;
    m_panes.push_back(chart);
}

XYChart* MultiChart::getChart(int index) const
{
    return index >= 0 && index < getChartCount() ? m_panes[index] : nullptr;
}

std::string MultiChart::getHTMLImageMap(const std::string& url, const std::string& queryFormat,
                                        const std::string& extraAttr, int offsetX, int offsetY)
{
    std::string out;
    for(XYChart* pane : m_panes) {
        out += pane->getHTMLImageMap(url, queryFormat, extraAttr, offsetX, offsetY);
    }
    return out;
}

void MultiChart::layout()
{
    for(XYChart* pane : m_panes) {
        pane->layout();
    }
}

void MultiChart::draw(Canvas& canvas)
{
    drawBackground(canvas);
    for(XYChart* pane : m_panes) {
        TranslatedCanvas shifted(canvas, pane->getAbsOffsetX() - getAbsOffsetX(),
                                 pane->getAbsOffsetY() - getAbsOffsetY());
        pane->render(shifted);
    }
}

} // namespace chartlib
