#pragma once

#include "chartlib/Canvas.h"
#include "chartlib/ChartConstants.h"

#include <string>
#include <vector>

namespace chartlib {

class BaseChart;

// The dynamic layer of a chart: lines and texts kept as given and drawn over
// the chart image, so a cursor moves without building the chart again.
// Coordinates are those of the whole chart image.
class DrawArea
{
public:
    struct Op
    {
        enum class Kind { Line, Text };
        Kind kind = Kind::Line;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // a text's point is (x1, y1)
        int colour = 0;
        int width = 1;
        std::string text; // markup
        std::string font;
        double fontSize = 0;
        int alignment = TopLeft;
    };

    // `colour` may be a dash colour of the chart (BaseChart::dashLineColor).
    void line(double x1, double y1, double x2, double y2, int colour, int width = 1);
    // Markup text placed at (x, y) by the alignment.
    void text(const std::string& markup, const std::string& font, double fontSize, double x, double y,
              int colour, int alignment = TopLeft);
    void clear() { m_ops.clear(); }

    const std::vector<Op>& ops() const { return m_ops; }
    void draw(Canvas& canvas, const BaseChart& chart) const;

private:
    std::vector<Op> m_ops;
};

} // namespace chartlib
