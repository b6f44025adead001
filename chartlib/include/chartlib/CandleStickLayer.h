#pragma once

#include "chartlib/BoxLayer.h"

namespace chartlib {

// Candles: a body from open to close on a line from low to high. A candle
// whose close is not below its open is a rising one.
class CandleStickLayer : public BoxLayer
{
public:
    CandleStickLayer(XYChart& chart, DoubleArray high, DoubleArray low, DoubleArray open, DoubleArray close,
                     int riseColor, int fallColor, int edgeColor);

    void setColors(int upFillColor, int upLineColor, int downFillColor, int downLineColor);
    void draw(Canvas& canvas) const override;

private:
    int m_upFill, m_upLine, m_downFill, m_downLine;
};

} // namespace chartlib
