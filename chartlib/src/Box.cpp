#include "chartlib/Box.h"

#include "chartlib/TextBox.h"

namespace chartlib {

void Box::setBackground(int colour, int edgeColor)
{
    m_background = colour;
    m_edge = edgeColor == -1 ? Transparent : edgeColor;
}

void Box::setSize(int width, int height)
{
    m_width = width;
    m_height = height;
}

void TextBox::setMargin(int left, int right, int top, int bottom)
{
    m_marginLeft = left;
    m_marginRight = right;
    m_marginTop = top;
    m_marginBottom = bottom;
}

} // namespace chartlib
