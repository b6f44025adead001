#include "chartlib/RecordingCanvas.h"

namespace chartlib {

void RecordingCanvas::setAntiAlias(bool shapes, int textMode)
{
    m_antiAlias = shapes;
    m_textAntiAlias = textMode;
}

void RecordingCanvas::rect(double x, double y, double width, double height, Argb fill, Argb edge,
                           double edgeWidth)
{
    Op op;
    op.kind = Kind::Rect;
    op.points = {{x, y}, {x + width, y + height}};
    op.fill = fill;
    op.colour = edge;
    op.width = edgeWidth;
    m_ops.push_back(std::move(op));
}

void RecordingCanvas::line(double x1, double y1, double x2, double y2, Argb colour, double width, int dash)
{
    Op op;
    op.kind = Kind::Line;
    op.points = {{x1, y1}, {x2, y2}};
    op.colour = colour;
    op.width = width;
    op.dash = dash;
    m_ops.push_back(std::move(op));
}

void RecordingCanvas::polyline(const std::vector<Point>& points, Argb colour, double width, int dash)
{
    Op op;
    op.kind = Kind::Polyline;
    op.points = points;
    op.colour = colour;
    op.width = width;
    op.dash = dash;
    m_ops.push_back(std::move(op));
}

void RecordingCanvas::polygon(const std::vector<Point>& points, Argb fill, Argb edge)
{
    Op op;
    op.kind = Kind::Polygon;
    op.points = points;
    op.fill = fill;
    op.colour = edge;
    m_ops.push_back(std::move(op));
}

void RecordingCanvas::text(double x, double y, const std::string& utf8, const FontSpec& font, Argb colour,
                           double angle)
{
    Op op;
    op.kind = Kind::Text;
    op.points = {{x, y}};
    op.text = utf8;
    op.font = font;
    op.colour = colour;
    op.angle = angle;
    m_ops.push_back(std::move(op));
}

Size RecordingCanvas::measureText(const std::string& utf8, const FontSpec& font)
{
    // Points at 96 dpi; Latin characters about half as wide as high, others
    // (Chinese) square.
    const double pixels = font.size * 4.0 / 3.0;
    double width = 0;
    for(size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if((c & 0xC0) == 0x80) {
            continue; // continuation byte of the character before
        }
        width += c < 0x80 ? pixels * (font.bold ? 0.6 : 0.55) : pixels;
    }
    return {width, pixels * 1.25};
}

std::vector<RecordingCanvas::Op> RecordingCanvas::ops(Kind kind) const
{
    std::vector<Op> out;
    for(const Op& op : m_ops) {
        if(op.kind == kind) {
            out.push_back(op);
        }
    }
    return out;
}

std::vector<std::string> RecordingCanvas::texts() const
{
    std::vector<std::string> out;
    for(const Op& op : m_ops) {
        if(op.kind == Kind::Text) {
            out.push_back(op.text);
        }
    }
    return out;
}

} // namespace chartlib
