#include "chartlib/XYChart.h"

#include "chartlib/CandleStickLayer.h"
#include "chartlib/HLOCLayer.h"
#include "chartlib/LegendBox.h"
#include "chartlib/LineLayer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace chartlib {

XYChart::XYChart(int width, int height, int bgColor, int edgeColor)
    : BaseChart(width, height), m_xAxis(std::make_unique<Axis>(*this, true)),
      m_yAxis(std::make_unique<Axis>(*this, false))
{
    setBackground(bgColor, edgeColor);
    m_plotArea.setGeometry(0, 0, width, height);
}

XYChart::~XYChart() = default;

void XYChart::setTrimData(int startPos, int len)
{
    m_trimStart = std::max(0, startPos);
    m_trimLength = std::max(0, len);
    invalidateLayout();
}

PlotArea* XYChart::setPlotArea(int x, int y, int width, int height, int bgColor, int altBgColor,
                               int edgeColor, int hGridColor, int vGridColor)
{
    m_plotArea.setGeometry(x, y, width, height);
    m_plotArea.setBackground(bgColor, altBgColor, edgeColor);
    m_plotArea.setGridColor(hGridColor, vGridColor);
    invalidateLayout();
    return &m_plotArea;
}

LegendBox* XYChart::addLegend(int x, int y, bool vertical, const std::string& font, double fontSize)
{
    m_legend = std::make_unique<LegendBox>(*this, x, y, vertical, font, fontSize);
    return m_legend.get();
}

template <class L, class... Args> L* XYChart::add(Args&&... args)
{
    auto layer = std::make_unique<L>(*this, std::forward<Args>(args)...);
    L* raw = layer.get();
    m_layers.push_back(std::move(layer));
    invalidateLayout();
    return raw;
}

CandleStickLayer* XYChart::addCandleStickLayer(DoubleArray highData, DoubleArray lowData,
                                               DoubleArray openData, DoubleArray closeData, int riseColor,
                                               int fallColor, int edgeColor)
{
    return add<CandleStickLayer>(highData, lowData, openData, closeData, riseColor, fallColor, edgeColor);
}

HLOCLayer* XYChart::addHLOCLayer(DoubleArray highData, DoubleArray lowData, DoubleArray openData,
                                 DoubleArray closeData, int color)
{
    return add<HLOCLayer>(highData, lowData, openData, closeData, color);
}

LineLayer* XYChart::addLineLayer(DoubleArray data, int color, const std::string& name)
{
    return add<LineLayer>(data, color, name);
}

Layer* XYChart::getLayer(int index) const
{
    return index >= 0 && index < getLayerCount() ? m_layers[index].get() : nullptr;
}

Layer* XYChart::getLayerByZ(int z) const
{
    return getLayer(getLayerCount() - 1 - z);
}

void XYChart::layout()
{
    if(m_laidOut) {
        return;
    }
    m_laidOut = true;
    // Labels and layers both count towards the points shown.
    const long labels = static_cast<long>(m_xAxis->m_set.labels.size()) - m_trimStart;
    int count = static_cast<int>(std::clamp<long>(labels, 0, m_trimLength));
    for(const auto& layer : m_layers) {
        count = std::max(count, layer->shownLength());
    }
    m_pointCount = count;
    m_xAxis->scaleIndex(count, m_trimStart, m_plotArea.getLeftX(), m_plotArea.getWidth());

    double lo = std::numeric_limits<double>::max();
    double hi = std::numeric_limits<double>::lowest();
    for(const auto& layer : m_layers) {
        layer->valueRange(lo, hi, m_yAxis->isLogScale());
    }
    m_yAxis->scaleValues(lo, hi, lo <= hi, m_plotArea.getTopY(), m_plotArea.getHeight());
}

int XYChart::pointCount()
{
    layout();
    return m_pointCount;
}

double XYChart::xPixel(double xValue)
{
    layout();
    return m_xAxis->toPixel(xValue);
}

double XYChart::yPixel(double yValue)
{
    layout();
    return m_yAxis->toPixel(yValue);
}

double XYChart::slotWidth()
{
    layout();
    return m_plotArea.getWidth() / static_cast<double>(std::max(1, m_pointCount));
}

int XYChart::getXCoor(double xValue)
{
    return static_cast<int>(std::lround(xPixel(xValue)));
}

int XYChart::getYCoor(double yValue)
{
    return static_cast<int>(std::lround(yPixel(yValue)));
}

double XYChart::getYValue(int yCoor)
{
    layout();
    return m_yAxis->fromPixel(yCoor);
}

double XYChart::getNearestXValue(double xCoor)
{
    layout();
    if(m_pointCount == 0) {
        return 0;
    }
    const double v = std::round(m_xAxis->fromPixel(xCoor));
    return std::clamp(v, 0.0, static_cast<double>(m_pointCount - 1));
}

std::string XYChart::getHTMLImageMap(const std::string& url, const std::string& queryFormat,
                                     const std::string& extraAttr, int offsetX, int offsetY)
{
    layout();
    std::string out;
    for(const auto& layer : m_layers) {
        out += layer->imageMap(url, queryFormat, extraAttr, getAbsOffsetX() + offsetX,
                               getAbsOffsetY() + offsetY);
    }
    return out;
}

void XYChart::draw(Canvas& canvas)
{
    layout();
    drawBackground(canvas);
    const PlotArea& plot = m_plotArea;
    const Paint fill = resolveColour(plot.backgroundColor());
    if(!isTransparent(fill.colour) && plot.getWidth() > 0 && plot.getHeight() > 0) {
        canvas.rect(plot.getLeftX(), plot.getTopY(), plot.getWidth(), plot.getHeight(), fill.colour,
                    0xFF000000u, 0);
    }
    // Alternate bands between the major ticks of the y axis, from the bottom.
    const Paint alternate = resolveColour(plot.altBackgroundColor());
    if(!isTransparent(alternate.colour)) {
        std::vector<double> edges = {static_cast<double>(plot.getBottomY() + 1)};
        for(const AxisTick& tick : m_yAxis->m_ticks) {
            const double y = std::round(m_yAxis->toPixel(tick.value));
            if(tick.major && y > plot.getTopY() && y <= plot.getBottomY()) {
                edges.push_back(y);
            }
        }
        edges.push_back(plot.getTopY());
        for(size_t i = 1; i < edges.size(); i += 2) {
            canvas.rect(plot.getLeftX(), edges[i], plot.getWidth(), edges[i - 1] - edges[i], alternate.colour,
                        0xFF000000u, 0);
        }
    }
    m_yAxis->drawGrid(canvas, plot, *this);
    m_xAxis->drawGrid(canvas, plot, *this);
    for(int z = 0; z < getLayerCount(); ++z) {
        getLayerByZ(z)->draw(canvas);
    }
    const Paint edge = resolveColour(plot.edgeColor());
    if(!isTransparent(edge.colour)) {
        canvas.rect(plot.getLeftX(), plot.getTopY(), plot.getWidth(), plot.getHeight(), 0xFF000000u,
                    edge.colour, 1);
    }
    m_xAxis->drawAxis(canvas, plot, *this, false);
    m_yAxis->drawAxis(canvas, plot, *this, m_yAxisOnRight);
    if(m_legend) {
        m_legend->draw(canvas);
    }
}

} // namespace chartlib
