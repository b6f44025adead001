#pragma once

#include "chartlib/Canvas.h"

namespace chartlib {

// Draws on another canvas shifted by an offset: how a multi-chart places
// its panes.
class TranslatedCanvas : public Canvas
{
public:
    TranslatedCanvas(Canvas& target, double dx, double dy) : m_target(target), m_dx(dx), m_dy(dy) {}

    void setAntiAlias(bool shapes, int textMode) override { m_target.setAntiAlias(shapes, textMode); }
    void rect(double x, double y, double width, double height, Argb fill, Argb edge,
              double edgeWidth) override
    {
        m_target.rect(x + m_dx, y + m_dy, width, height, fill, edge, edgeWidth);
    }
    void line(double x1, double y1, double x2, double y2, Argb colour, double width, int dash) override
    {
        m_target.line(x1 + m_dx, y1 + m_dy, x2 + m_dx, y2 + m_dy, colour, width, dash);
    }
    void polyline(const std::vector<Point>& points, Argb colour, double width, int dash) override
    {
        m_target.polyline(shifted(points), colour, width, dash);
    }
    void polygon(const std::vector<Point>& points, Argb fill, Argb edge) override
    {
        m_target.polygon(shifted(points), fill, edge);
    }
    void text(double x, double y, const std::string& utf8, const FontSpec& font, Argb colour,
              double angle) override
    {
        m_target.text(x + m_dx, y + m_dy, utf8, font, colour, angle);
    }
    Size measureText(const std::string& utf8, const FontSpec& font) override
    {
        return m_target.measureText(utf8, font);
    }

private:
    std::vector<Point> shifted(std::vector<Point> points) const
    {
        for(Point& p : points) {
            p.x += m_dx;
            p.y += m_dy;
        }
        return points;
    }

    Canvas& m_target;
    double m_dx;
    double m_dy;
};

} // namespace chartlib
