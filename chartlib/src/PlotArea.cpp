#include "chartlib/PlotArea.h"

#include <algorithm>

namespace chartlib {

void PlotArea::setGeometry(int x, int y, int width, int height)
{
    m_x = x;
    m_y = y;
    m_width = std::max(0, width);
    m_height = std::max(0, height);
}

void PlotArea::setBackground(int colour, int altBgColor, int edgeColor)
{
    m_background = colour;
    m_altBackground = altBgColor == -1 ? Transparent : altBgColor;
    m_edge = edgeColor == -1 ? Transparent : edgeColor;
}

void PlotArea::setGridColor(int hGridColor, int vGridColor, int minorHGridColor, int minorVGridColor)
{
    m_hGrid = hGridColor;
    m_vGrid = vGridColor;
    m_minorHGrid = minorHGridColor == -1 ? Transparent : minorHGridColor;
    m_minorVGrid = minorVGridColor == -1 ? Transparent : minorVGridColor;
}

void PlotArea::setGridWidth(int hGridWidth, int vGridWidth, int minorHGridWidth, int minorVGridWidth)
{
    m_hGridWidth = std::max(0, hGridWidth);
    m_vGridWidth = vGridWidth == -1 ? m_hGridWidth : std::max(0, vGridWidth);
    m_minorHGridWidth = minorHGridWidth == -1 ? m_hGridWidth : std::max(0, minorHGridWidth);
    m_minorVGridWidth = minorVGridWidth == -1 ? m_vGridWidth : std::max(0, minorVGridWidth);
}

} // namespace chartlib
