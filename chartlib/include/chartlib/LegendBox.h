#pragma once

#include "chartlib/TextBox.h"

#include <string>
#include <vector>

namespace chartlib {

class Canvas;
class XYChart;

// The legend of an XY chart: the keys added, then one key per named data
// set of the layers in the order they were added, side by side (wrapping at
// the box width) or one under the other.
class LegendBox : public TextBox
{
public:
    LegendBox(XYChart& chart, int x, int y, bool vertical, const std::string& font, double fontSize);

    // `text` may hold markup; lineWidth 0 draws the key as a filled square.
    void addKey(const std::string& text, int colour, int lineWidth = 0);

    struct Key
    {
        std::string text;
        int colour;
        int lineWidth;
    };
    // Every key shown, added ones first.
    std::vector<Key> keys() const;

    void draw(Canvas& canvas) const;

private:
    XYChart& m_chart;
    bool m_vertical;
    std::vector<Key> m_keys;
};

} // namespace chartlib
