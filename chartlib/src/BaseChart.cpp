#include "chartlib/BaseChart.h"

#include "chartlib/FontName.h"
#include "chartlib/ValueFormat.h"

#include <algorithm>

namespace chartlib {
namespace {

constexpr uint32_t kPaletteBase = 0xFFFF0000u;
constexpr uint32_t kDashBase = 0xFFFE0000u;

} // namespace

BaseChart::BaseChart(int width, int height) : m_width(std::max(0, width)), m_height(std::max(0, height)) {}

BaseChart::~BaseChart() = default;

void BaseChart::setSize(int width, int height)
{
    m_width = std::max(0, width);
    m_height = std::max(0, height);
}

void BaseChart::setBackground(int colour, int edgeColour)
{
    m_background = colour;
    m_edge = edgeColour;
}

void BaseChart::setAntiAlias(bool shapeAntiAlias, int textAntiAlias)
{
    m_antiAlias = shapeAntiAlias;
    m_textAntiAlias = textAntiAlias;
}

void BaseChart::setDefaultFonts(const std::string& normal)
{
    m_normalFont = normal.empty() ? "normal" : normal;
}

FontSpec BaseChart::resolveFont(const std::string& name, double size) const
{
    const BaseChart& top = root();
    std::string face = name;
    if(face.empty() || face == "normal") {
        face = top.m_normalFont;
    } else if(face == "bold") {
        return FontSpec{true, size};
    }
    return FontSpec{isBoldFontName(face), size};
}

std::string BaseChart::formatValue(double value, const std::string& format) const
{
    return chartlib::formatValue(value, format);
}

int BaseChart::dashLineColor(int colour, int pattern)
{
    BaseChart& top = root();
    for(size_t i = 0; i < top.m_dashes.size(); ++i) {
        if(top.m_dashes[i].colour == colour && top.m_dashes[i].pattern == pattern) {
            return static_cast<int>(kDashBase + i);
        }
    }
    if(top.m_dashes.size() >= 0xFFFF) {
        return colour; // out of dash slots: draw it solid rather than wrong
    }
    top.m_dashes.push_back({colour, pattern});
    return static_cast<int>(kDashBase + top.m_dashes.size() - 1);
}

BaseChart::Paint BaseChart::resolveColour(int colour) const
{
    const uint32_t c = static_cast<uint32_t>(colour);
    if((c & 0xFFFF0000u) == kDashBase) {
        const BaseChart& top = root();
        const size_t index = c & 0xFFFFu;
        if(index < top.m_dashes.size()) {
            const Dash& dash = top.m_dashes[index];
            // A dash colour never names another dash colour.
            const uint32_t inner = static_cast<uint32_t>(dash.colour);
            if((inner & 0xFFFF0000u) != kDashBase) {
                return {resolveColour(dash.colour).colour, dash.pattern};
            }
        }
        return {0xFF000000u, 0};
    }
    if((c & 0xFFFF0000u) == kPaletteBase) {
        switch(c & 0xFFFFu) {
        case 0:
            return {0x00FFFFFFu, 0}; // background
        case 1:
        case 2:
            return {0x00000000u, 0}; // lines and texts
        default:
            return {0xFF000000u, 0};
        }
    }
    return {c, 0};
}

DrawArea* BaseChart::initDynamicLayer()
{
    if(!m_dynamic) {
        m_dynamic = std::make_unique<DrawArea>();
    }
    m_dynamic->clear();
    return m_dynamic.get();
}

int BaseChart::getAbsOffsetX() const
{
    return m_parent ? m_parent->getAbsOffsetX() + m_offsetX : 0;
}

int BaseChart::getAbsOffsetY() const
{
    return m_parent ? m_parent->getAbsOffsetY() + m_offsetY : 0;
}

void BaseChart::drawBackground(Canvas& canvas) const
{
    const Paint fill = resolveColour(m_background);
    const Paint edge = resolveColour(m_edge);
    if(!isTransparent(fill.colour) || !isTransparent(edge.colour)) {
        canvas.rect(0, 0, m_width, m_height, fill.colour, edge.colour, 1);
    }
}

void BaseChart::render(Canvas& canvas)
{
    layout();
    canvas.setAntiAlias(m_antiAlias, m_textAntiAlias);
    draw(canvas);
}

void BaseChart::renderDynamicLayer(Canvas& canvas) const
{
    if(m_dynamic) {
        m_dynamic->draw(canvas, *this);
    }
}

} // namespace chartlib
