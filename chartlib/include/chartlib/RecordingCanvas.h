#pragma once

#include "chartlib/Canvas.h"

#include <vector>

namespace chartlib {

// The back-end for tests: keeps every drawing operation with its values and
// measures text with fixed metrics, so layouts are the same on every machine.
class RecordingCanvas : public Canvas
{
public:
    enum class Kind { Rect, Line, Polyline, Polygon, Text };

    struct Op
    {
        Kind kind = Kind::Line;
        std::vector<Point> points; // rect: top left and bottom right; line: both ends
        Argb colour = 0;           // line, edge or text colour
        Argb fill = 0;             // rect and polygon
        double width = 0;          // line or edge width
        int dash = 0;
        std::string text;
        FontSpec font;
        double angle = 0;
    };

    void setAntiAlias(bool shapes, int textMode) override;
    void rect(double x, double y, double width, double height, Argb fill, Argb edge,
              double edgeWidth) override;
    void line(double x1, double y1, double x2, double y2, Argb colour, double width, int dash) override;
    void polyline(const std::vector<Point>& points, Argb colour, double width, int dash) override;
    void polygon(const std::vector<Point>& points, Argb fill, Argb edge) override;
    void text(double x, double y, const std::string& utf8, const FontSpec& font, Argb colour,
              double angle) override;
    Size measureText(const std::string& utf8, const FontSpec& font) override;

    const std::vector<Op>& ops() const { return m_ops; }
    std::vector<Op> ops(Kind kind) const;
    // Texts drawn, in order.
    std::vector<std::string> texts() const;
    void clear() { m_ops.clear(); }
    bool antiAlias() const { return m_antiAlias; }
    int textAntiAlias() const { return m_textAntiAlias; }

private:
    std::vector<Op> m_ops;
    bool m_antiAlias = false;
    int m_textAntiAlias = 0;
};

} // namespace chartlib
