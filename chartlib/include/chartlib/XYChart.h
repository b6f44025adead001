#pragma once

#include "chartlib/Axis.h"
#include "chartlib/BaseChart.h"
#include "chartlib/DoubleArray.h"
#include "chartlib/PlotArea.h"

#include <memory>
#include <vector>

namespace chartlib {

class CandleStickLayer;
class HLOCLayer;
class Layer;
class LegendBox;
class LineLayer;

// A chart with a plot area, an index-based x axis, a y axis and layers.
// Coordinates are those of this chart; getAbsOffsetX/Y place it in a
// multi-chart. Everything is laid out on demand, without a display.
class XYChart : public BaseChart
{
public:
    // The background is transparent so that a multi-chart shows through.
    XYChart(int width, int height, int bgColor = Transparent, int edgeColor = Transparent);
    ~XYChart() override;

    // Shows only `len` points of every layer and label from `startPos`.
    void setTrimData(int startPos, int len = 0x7FFFFFFF);

    Axis* xAxis() { return m_xAxis.get(); }
    Axis* yAxis() { return m_yAxis.get(); }
    void setYAxisOnRight(bool onRight = true) { m_yAxisOnRight = onRight; }

    PlotArea* setPlotArea(int x, int y, int width, int height, int bgColor = Transparent, int altBgColor = -1,
                          int edgeColor = -1, int hGridColor = 0xC0C0C0, int vGridColor = Transparent);
    PlotArea* getPlotArea() { return &m_plotArea; }

    LegendBox* addLegend(int x, int y, bool vertical = false, const std::string& font = "normal",
                         double fontSize = 10);
    // Null until addLegend.
    LegendBox* getLegend() { return m_legend.get(); }

    // Edge -1 draws each candle's edge in its fill colour.
    CandleStickLayer* addCandleStickLayer(DoubleArray highData, DoubleArray lowData, DoubleArray openData,
                                          DoubleArray closeData, int riseColor = 0xFFFFFF,
                                          int fallColor = 0x000000, int edgeColor = -1);
    HLOCLayer* addHLOCLayer(DoubleArray highData, DoubleArray lowData, DoubleArray openData,
                            DoubleArray closeData, int color = LineColor);
    LineLayer* addLineLayer(DoubleArray data, int color = LineColor, const std::string& name = std::string());

    int getLayerCount() const { return static_cast<int>(m_layers.size()); }
    // In the order added; the first added is drawn on top.
    Layer* getLayer(int index) const;
    // z 0 is the bottom layer, drawn first.
    Layer* getLayerByZ(int z) const;

    // Pixel of an x value (a point index) and of a y value; the y value at a
    // pixel row; the x value of the point nearest to a pixel column.
    int getXCoor(double xValue);
    int getYCoor(double yValue);
    double getYValue(int yCoor);
    double getNearestXValue(double xCoor);

    std::string getHTMLImageMap(const std::string& url, const std::string& queryFormat = std::string(),
                                const std::string& extraAttr = std::string(), int offsetX = 0,
                                int offsetY = 0) override;
    void layout() override;

    // For layers and axes: the shown window and the scales.
    int trimStart() const { return m_trimStart; }
    int trimLength() const { return m_trimLength; }
    int pointCount();
    double xPixel(double xValue);
    double yPixel(double yValue);
    double slotWidth();
    void invalidateLayout() { m_laidOut = false; }

protected:
    void draw(Canvas& canvas) override;

private:
    template <class L, class... Args> L* add(Args&&... args);

    PlotArea m_plotArea;
    std::unique_ptr<Axis> m_xAxis;
    std::unique_ptr<Axis> m_yAxis;
    bool m_yAxisOnRight = false;
    std::vector<std::unique_ptr<Layer>> m_layers;
    std::unique_ptr<LegendBox> m_legend;
    int m_trimStart = 0;
    int m_trimLength = 0x7FFFFFFF;
    bool m_laidOut = false;
    int m_pointCount = 0;
};

} // namespace chartlib
