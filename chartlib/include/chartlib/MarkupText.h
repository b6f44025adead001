#pragma once

#include "chartlib/Canvas.h"

#include <string>
#include <vector>

namespace chartlib {

// One piece of parsed markup.
struct MarkupNode
{
    enum class Kind { Text, Symbol, Block, Break };
    enum class VAlign { Top, Middle, Bottom };

    Kind kind = Kind::Text;
    // Text: its words and style.
    std::string text;
    bool bold = false;
    double size = 8;
    Argb colour = 0;
    Argb background = 0xFF000000;
    // Symbol: "triangle", "invertedtriangle" or "square", square of `width`.
    std::string shape;
    double width = 0;
    Argb edge = 0xFF000000; // also the symbol's fill is `colour`
    // Block: laid out as one box, wrapped at maxWidth (0 = never).
    std::vector<MarkupNode> children;
    double maxWidth = 0;
    VAlign valign = VAlign::Middle;
};

// Text with the chart markup: "<*font=bold*>", "<*font,color=CC0000,
// bgColor=E0E0B0*>", "<*block,valign=top,maxWidth=300*>", "<*img=@triangle,
// width=8,color=00AA88,edgeColor=000000*>" (also @invertedtriangle and
// @square), closed by "<*/font*>", "<*/block*>" or "<*/*>" (the innermost
// tag). A closing tag with nothing to close is ignored. Colours are
// hexadecimal RRGGBB or AARRGGBB.
class MarkupText
{
public:
    MarkupText(const std::string& markup, const FontSpec& font, Argb colour);

    const MarkupNode& root() const { return m_root; }
    // The words without the tags.
    std::string plainText() const;

    Size size(Canvas& canvas);
    // Draws the text so that its box sits at (x, y) by the alignment.
    void draw(Canvas& canvas, double x, double y, int alignment, double angle = 0);

private:
    struct Placed
    {
        MarkupNode leaf; // a text run or a symbol
        double x, y, width, height;
    };
    struct Box
    {
        double width = 0, height = 0;
        std::vector<Placed> items;
    };

    Box layoutBlock(const MarkupNode& block, Canvas& canvas) const;
    void ensureLayout(Canvas& canvas);

    MarkupNode m_root;
    bool m_laidOut = false;
    Box m_box;
};

} // namespace chartlib
