#pragma once

#include "chartlib/Layer.h"

namespace chartlib {

// A line through the points of one data set; points without a value break
// it.
class LineLayer : public Layer
{
public:
    LineLayer(XYChart& chart, DoubleArray data, int colour, const std::string& name);
    void draw(Canvas& canvas) const override;

protected:
    bool pointArea(int index, Area& area) const override;
};

} // namespace chartlib
