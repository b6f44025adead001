#pragma once

#include "chartlib/BaseChart.h"

#include <vector>

namespace chartlib {

class XYChart;

// Several XY charts (panes) placed on one image. The panes are not owned:
// whoever creates them keeps them alive as long as this chart.
class MultiChart : public BaseChart
{
public:
    MultiChart(int width, int height, int bgColor = BackgroundColor, int edgeColor = Transparent);

    void addChart(int x, int y, XYChart* chart);
    int getChartCount() const { return static_cast<int>(m_panes.size()); }
    XYChart* getChart(int index = 0) const;

    // The pane whose plot area a viewer scrolls and tracks.
    void setMainChart(XYChart* chart) { m_main = chart; }
    XYChart* getMainChart() const { return m_main; }

    std::string getHTMLImageMap(const std::string& url, const std::string& queryFormat = std::string(),
                                const std::string& extraAttr = std::string(), int offsetX = 0,
                                int offsetY = 0) override;
    void layout() override;

protected:
    void draw(Canvas& canvas) override;

private:
    std::vector<XYChart*> m_panes;
    XYChart* m_main = nullptr;
};

} // namespace chartlib
