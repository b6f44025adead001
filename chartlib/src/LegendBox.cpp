#include "chartlib/LegendBox.h"

#include "chartlib/Layer.h"
#include "chartlib/MarkupText.h"
#include "chartlib/XYChart.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace chartlib {

LegendBox::LegendBox(XYChart& chart, int x, int y, bool vertical, const std::string& font, double fontSize)
    : TextBox(x, y, font, fontSize), m_chart(chart), m_vertical(vertical)
{}

void LegendBox::addKey(const std::string& text, int colour, int lineWidth)
{
    m_keys.push_back({text, colour, lineWidth});
}

std::vector<LegendBox::Key> LegendBox::keys() const
{
    std::vector<Key> out = m_keys;
    for(int i = 0; i < m_chart.getLayerCount(); ++i) {
        const Layer* layer = m_chart.getLayer(i);
        for(int k = 0; k < layer->getDataSetCount(); ++k) {
            const DataSet* set = layer->getDataSet(k);
            if(!set->getDataName().empty()) {
                out.push_back({set->getDataName(), set->getDataColor(), std::max(1, layer->getLineWidth())});
            }
        }
    }
    return out;
}

void LegendBox::draw(Canvas& canvas) const
{
    const std::vector<Key> all = keys();
    const BaseChart::Paint textPaint = m_chart.resolveColour(m_fontColor);
    const FontSpec font = m_chart.resolveFont(m_font, m_fontSize);
    const double swatch = std::round(font.size * 4.0 / 3.0 * 0.7);
    const double gap = 4, spacing = 12;

    struct Placed
    {
        std::unique_ptr<MarkupText> text;
        const Key* key;
        double x, y, height;
    };
    std::vector<Placed> placed;
    const double innerWidth = m_width > 0 ? m_width - m_marginLeft - m_marginRight : 0;
    double x = 0, y = 0, lineHeight = 0, widest = 0;
    for(const Key& key : all) {
        auto text = std::make_unique<MarkupText>(key.text, font, textPaint.colour);
        const Size size = text->size(canvas);
        const double width = swatch + gap + size.width;
        const double height = std::max(size.height, swatch);
        const bool wrap = x > 0 && (m_vertical || (innerWidth > 0 && x + width > innerWidth));
        if(wrap) {
            x = 0;
            y += lineHeight;
            lineHeight = 0;
        }
        placed.push_back({std::move(text), &key, x, y, height});
        x += width + spacing;
        widest = std::max(widest, x - spacing);
        lineHeight = std::max(lineHeight, height);
    }
    const double contentHeight = y + lineHeight;
    const double boxWidth = m_width > 0 ? m_width : widest + m_marginLeft + m_marginRight;
    const double boxHeight = m_height > 0 ? m_height : contentHeight + m_marginTop + m_marginBottom;
    const BaseChart::Paint fill = m_chart.resolveColour(m_background);
    const BaseChart::Paint edge = m_chart.resolveColour(m_edge);
    if(!all.empty() && (!isTransparent(fill.colour) || !isTransparent(edge.colour))) {
        canvas.rect(m_x, m_y, boxWidth, boxHeight, fill.colour, edge.colour, 1);
    }
    for(const Placed& item : placed) {
        const double left = m_x + m_marginLeft + item.x;
        const double top = m_y + m_marginTop + item.y;
        const BaseChart::Paint keyPaint = m_chart.resolveColour(item.key->colour);
        const double middle = top + item.height / 2;
        if(item.key->lineWidth > 0) {
            canvas.line(left, middle, left + swatch, middle, keyPaint.colour, item.key->lineWidth,
                        keyPaint.dash);
        } else {
            canvas.rect(left, middle - swatch / 2, swatch, swatch, keyPaint.colour, 0xFF000000u, 0);
        }
        item.text->draw(canvas, left + swatch + gap, middle, Left);
    }
}

} // namespace chartlib
