#pragma once

#include "chartlib/ChartConstants.h"

namespace chartlib {

// A rectangle drawn on a chart.
class Box
{
public:
    virtual ~Box() = default;

    // -1 leaves the edge out.
    void setBackground(int colour, int edgeColor = -1);
    // A width or height of 0 or less fits the content.
    void setSize(int width, int height);

    int getLeftX() const { return m_x; }
    int getTopY() const { return m_y; }
    int backgroundColor() const { return m_background; }
    int edgeColor() const { return m_edge; }

protected:
    Box(int x, int y) : m_x(x), m_y(y) {}

    int m_x, m_y;
    int m_width = 0;
    int m_height = 0;
    int m_background = Transparent;
    int m_edge = Transparent;
};

} // namespace chartlib
