#pragma once

#include "chartlib/ChartConstants.h"

namespace chartlib {

// The rectangle of an XY chart where the layers draw, with its background,
// border and grid. Pixel rows and columns are inclusive: getRightX() is
// getLeftX() + getWidth() - 1.
class PlotArea
{
public:
    // -1 leaves the alternate background and the border out.
    void setBackground(int colour, int altBgColor = -1, int edgeColor = -1);
    // -1 for the minor grid colours leaves the minor grid out.
    void setGridColor(int hGridColor, int vGridColor = Transparent, int minorHGridColor = -1,
                      int minorVGridColor = -1);
    // Width 0 draws no such grid line; -1 takes the major width.
    void setGridWidth(int hGridWidth, int vGridWidth = -1, int minorHGridWidth = -1,
                      int minorVGridWidth = -1);

    int getLeftX() const { return m_x; }
    int getTopY() const { return m_y; }
    int getRightX() const { return m_x + m_width - 1; }
    int getBottomY() const { return m_y + m_height - 1; }
    int getWidth() const { return m_width; }
    int getHeight() const { return m_height; }

    int backgroundColor() const { return m_background; }
    int altBackgroundColor() const { return m_altBackground; }
    int edgeColor() const { return m_edge; }
    int hGridColor() const { return m_hGrid; }
    int vGridColor() const { return m_vGrid; }
    int minorHGridColor() const { return m_minorHGrid; }
    int minorVGridColor() const { return m_minorVGrid; }
    int hGridWidth() const { return m_hGridWidth; }
    int vGridWidth() const { return m_vGridWidth; }
    int minorHGridWidth() const { return m_minorHGridWidth; }
    int minorVGridWidth() const { return m_minorVGridWidth; }

private:
    friend class XYChart;
    void setGeometry(int x, int y, int width, int height);

    int m_x = 0, m_y = 0, m_width = 0, m_height = 0;
    int m_background = Transparent;
    int m_altBackground = Transparent;
    int m_edge = Transparent;
    int m_hGrid = 0xC0C0C0;
    int m_vGrid = Transparent;
    int m_minorHGrid = Transparent;
    int m_minorVGrid = Transparent;
    int m_hGridWidth = 1;
    int m_vGridWidth = 1;
    int m_minorHGridWidth = 1;
    int m_minorVGridWidth = 1;
};

} // namespace chartlib
