#include "chartlib/DrawArea.h"

#include "chartlib/BaseChart.h"
#include "chartlib/MarkupText.h"

namespace chartlib {

void DrawArea::line(double x1, double y1, double x2, double y2, int colour, int width)
{
    Op op;
    op.kind = Op::Kind::Line;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.colour = colour;
    op.width = width;
    m_ops.push_back(std::move(op));
}

void DrawArea::text(const std::string& markup, const std::string& font, double fontSize, double x, double y,
                    int colour, int alignment)
{
    Op op;
    op.kind = Op::Kind::Text;
    op.x1 = x;
    op.y1 = y;
    op.colour = colour;
    op.text = markup;
    op.font = font;
    op.fontSize = fontSize;
    op.alignment = alignment;
    m_ops.push_back(std::move(op));
}

void DrawArea::draw(Canvas& canvas, const BaseChart& chart) const
{
    for(const Op& op : m_ops) {
        const BaseChart::Paint paint = chart.resolveColour(op.colour);
        if(op.kind == Op::Kind::Line) {
            canvas.line(op.x1, op.y1, op.x2, op.y2, paint.colour, op.width, paint.dash);
        } else {
            MarkupText text(op.text, chart.resolveFont(op.font, op.fontSize), paint.colour);
            text.draw(canvas, op.x1, op.y1, op.alignment);
        }
    }
}

} // namespace chartlib
