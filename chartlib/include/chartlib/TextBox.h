#pragma once

#include "chartlib/Box.h"

#include <string>

namespace chartlib {

// A box of text with its font and inner margins.
class TextBox : public Box
{
public:
    void setFontStyle(const std::string& font) { m_font = font; }
    void setFontSize(double size) { m_fontSize = size; }
    void setFontColor(int colour) { m_fontColor = colour; }
    void setMargin(int left, int right, int top, int bottom);

    int fontColor() const { return m_fontColor; }

protected:
    TextBox(int x, int y, const std::string& font, double fontSize)
        : Box(x, y), m_font(font), m_fontSize(fontSize)
    {}

    std::string m_font;
    double m_fontSize;
    int m_fontColor = TextColor;
    int m_marginLeft = 2, m_marginRight = 2, m_marginTop = 2, m_marginBottom = 2;
};

} // namespace chartlib
