#pragma once

#include "chartlib/BoxLayer.h"
#include "chartlib/ChartConstants.h"

namespace chartlib {

// HLOC bars: a line from low to high with the open to the left and the
// close to the right.
class HLOCLayer : public BoxLayer
{
public:
    HLOCLayer(XYChart& chart, DoubleArray high, DoubleArray low, DoubleArray open, DoubleArray close,
              int colour);

    // With HLOCUpDown a bar rises when its close is not below the close
    // before it; the first bar compares with `leadValue`.
    void setColorMethod(int method, int riseColor, int fallColor = -1, double leadValue = -NoValue);
    void draw(Canvas& canvas) const override;

    // The colour of shown bar i.
    int barColor(int index) const;

private:
    int m_method = HLOCDefault;
    int m_colour;
    int m_rise;
    int m_fall;
    double m_lead = -NoValue;
};

} // namespace chartlib
