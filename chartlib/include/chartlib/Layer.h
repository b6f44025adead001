#pragma once

#include "chartlib/DataSet.h"

#include <memory>
#include <string>
#include <vector>

namespace chartlib {

class Canvas;
class XYChart;

// Data sets drawn one way on an XY chart.
class Layer
{
public:
    virtual ~Layer();
    Layer(const Layer&) = delete;
    Layer& operator=(const Layer&) = delete;

    int getDataSetCount() const { return static_cast<int>(m_dataSets.size()); }
    DataSet* getDataSet(int index) const;
    void setLineWidth(int width);
    int getLineWidth() const { return m_lineWidth; }

    // Image-map areas of this layer, one per point. Fields in the texts:
    // {x}, {xLabel}, {value}, {dataSetName} and, for boxes, {open}, {high},
    // {low}, {close}; each may take a format, "{xLabel|yyyy/mm/d}". Without
    // a call the chart's own arguments apply; with all three empty the layer
    // has no areas. A url of "clickable" gives areas without a link.
    void setHTMLImageMap(const std::string& url, const std::string& queryFormat = std::string(),
                         const std::string& extraAttr = std::string());

    // The index of the shown point nearest to the x value; -1 without data.
    int getXIndexOf(double xValue) const;

    // For the chart.
    int shownLength() const;
    void valueRange(double& lo, double& hi, bool logScale) const;
    virtual void draw(Canvas& canvas) const = 0;
    std::string imageMap(const std::string& url, const std::string& queryFormat, const std::string& extraAttr,
                         int offsetX, int offsetY) const;

protected:
    explicit Layer(XYChart& chart);
    DataSet& addDataSet(DoubleArray data, int colour, const std::string& name);

    struct Area
    {
        double left, top, right, bottom;
    };
    // The area of point i, or false when it has none.
    virtual bool pointArea(int index, Area& area) const;
    // The point's {value}.
    virtual double pointValue(int index) const;
    // Whether the data set enters the y scale.
    virtual bool scales(int dataSet) const;

    XYChart& m_chart;
    std::vector<std::unique_ptr<DataSet>> m_dataSets;
    int m_lineWidth = 1;

private:
    bool m_hasImageMap = false;
    std::string m_url, m_query, m_attr;
};

} // namespace chartlib
