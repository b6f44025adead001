#pragma once

#include "chartlib/Layer.h"

namespace chartlib {

// A layer drawing one box per point: candles and HLOC bars. Its data sets
// are high, low, open and close, in this order.
class BoxLayer : public Layer
{
public:
    // Share of each point's slot left empty, 0 to 1 (0.2 at first).
    void setDataGap(double gap);
    // Box width in pixels, replacing the gap; 0 or less goes back to the gap.
    void setDataWidth(int width);

protected:
    BoxLayer(XYChart& chart, DoubleArray high, DoubleArray low, DoubleArray open, DoubleArray close,
             int colour);

    double boxWidth() const;
    bool pointArea(int index, Area& area) const override;
    double pointValue(int index) const override;

    double m_gap = 0.2;
    int m_dataWidth = 0;
};

} // namespace chartlib
