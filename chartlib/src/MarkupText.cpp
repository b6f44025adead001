#include "chartlib/MarkupText.h"

#include "chartlib/ChartConstants.h"
#include "chartlib/FontName.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace chartlib {
namespace {

std::string trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if(first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool parseColour(const std::string& text, Argb& out)
{
    if(text.empty() || text.size() > 8) {
        return false;
    }
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 16);
    if(*end != '\0') {
        return false;
    }
    out = static_cast<Argb>(value);
    return true;
}

struct Attribute
{
    std::string key; // lower case
    std::string value;
};

std::vector<Attribute> splitTag(const std::string& body)
{
    std::vector<Attribute> out;
    size_t pos = 0;
    while(pos <= body.size()) {
        const size_t comma = body.find(',', pos);
        const std::string item =
            body.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
        const size_t eq = item.find('=');
        out.push_back({lower(trim(item.substr(0, eq))),
                       eq == std::string::npos ? std::string() : trim(item.substr(eq + 1))});
        if(comma == std::string::npos) {
            break;
        }
        pos = comma + 1;
    }
    return out;
}

enum class FrameKind { Root, Font, Block };

struct Frame
{
    FrameKind kind;
    MarkupNode style; // only the text style fields are used
    MarkupNode* block;
};

class Parser
{
public:
    Parser(MarkupNode& root, const FontSpec& font, Argb colour)
    {
        MarkupNode style;
        style.bold = font.bold;
        style.size = font.size;
        style.colour = colour;
        root.kind = MarkupNode::Kind::Block;
        m_frames.push_back({FrameKind::Root, style, &root});
    }

    void parse(const std::string& markup)
    {
        size_t pos = 0;
        while(pos < markup.size()) {
            const size_t open = markup.find("<*", pos);
            const size_t close = open == std::string::npos ? open : markup.find("*>", open + 2);
            if(close == std::string::npos) {
                addText(markup.substr(pos));
                break;
            }
            addText(markup.substr(pos, open - pos));
            tag(markup.substr(open + 2, close - open - 2));
            pos = close + 2;
        }
    }

private:
    MarkupNode& block() { return *m_frames.back().block; }
    const MarkupNode& style() const { return m_frames.back().style; }

    void addText(const std::string& text)
    {
        size_t pos = 0;
        while(pos < text.size()) {
            const size_t newline = text.find('\n', pos);
            const std::string piece =
                text.substr(pos, newline == std::string::npos ? newline : newline - pos);
            if(!piece.empty()) {
                MarkupNode node = style();
                node.kind = MarkupNode::Kind::Text;
                node.text = piece;
                block().children.push_back(std::move(node));
            }
            if(newline == std::string::npos) {
                break;
            }
            MarkupNode brk;
            brk.kind = MarkupNode::Kind::Break;
            block().children.push_back(brk);
            pos = newline + 1;
        }
    }

    void tag(const std::string& body)
    {
        const std::vector<Attribute> attributes = splitTag(body);
        const Attribute& head = attributes.front();
        if(head.key == "font") {
            font(head, attributes);
        } else if(head.key == "block") {
            openBlock(attributes);
        } else if(head.key == "img") {
            symbol(head, attributes);
        } else if(head.key == "/font") {
            closeInnermost(FrameKind::Font);
        } else if(head.key == "/block") {
            closeInnermost(FrameKind::Block);
        } else if(head.key == "/" || head.key == "/*") {
            closeInnermost(FrameKind::Root);
        }
        // Anything else is not ours and is dropped.
    }

    void font(const Attribute& head, const std::vector<Attribute>& attributes)
    {
        MarkupNode style = this->style();
        if(!head.value.empty()) {
            style.bold = isBoldFontName(head.value);
        }
        for(const Attribute& a : attributes) {
            if(a.key == "color") {
                parseColour(a.value, style.colour);
            } else if(a.key == "bgcolor") {
                parseColour(a.value, style.background);
            }
        }
        m_frames.push_back({FrameKind::Font, style, m_frames.back().block});
    }

    void openBlock(const std::vector<Attribute>& attributes)
    {
        MarkupNode node;
        node.kind = MarkupNode::Kind::Block;
        for(const Attribute& a : attributes) {
            if(a.key == "maxwidth") {
                node.maxWidth = std::max(0.0, std::atof(a.value.c_str()));
            } else if(a.key == "valign") {
                const std::string v = lower(a.value);
                node.valign = v == "top"      ? MarkupNode::VAlign::Top
                              : v == "bottom" ? MarkupNode::VAlign::Bottom
                                              : MarkupNode::VAlign::Middle;
            }
        }
        // Blocks only ever grow at the innermost level, so the pointer to the
        // new last child stays valid while it is open.
        block().children.push_back(std::move(node));
        m_frames.push_back({FrameKind::Block, style(), &block().children.back()});
    }

    void symbol(const Attribute& head, const std::vector<Attribute>& attributes)
    {
        if(head.value.size() < 2 || head.value[0] != '@') {
            return;
        }
        MarkupNode node;
        node.kind = MarkupNode::Kind::Symbol;
        node.shape = lower(head.value.substr(1));
        node.width = 8;
        node.colour = style().colour;
        for(const Attribute& a : attributes) {
            if(a.key == "width") {
                node.width = std::max(0.0, std::atof(a.value.c_str()));
            } else if(a.key == "color") {
                parseColour(a.value, node.colour);
            } else if(a.key == "edgecolor") {
                parseColour(a.value, node.edge);
            }
        }
        block().children.push_back(std::move(node));
    }

    // Root stands for "any kind".
    void closeInnermost(FrameKind kind)
    {
        for(size_t i = m_frames.size() - 1; i > 0; --i) {
            if(kind == FrameKind::Root || m_frames[i].kind == kind) {
                m_frames.resize(i);
                return;
            }
        }
    }

    std::vector<Frame> m_frames;
};

void appendPlain(const MarkupNode& node, std::string& out)
{
    if(node.kind == MarkupNode::Kind::Text) {
        out += node.text;
    } else if(node.kind == MarkupNode::Kind::Break) {
        out += '\n';
    }
    for(const MarkupNode& child : node.children) {
        appendPlain(child, out);
    }
}

// Words with their trailing blanks; leading blanks stand alone.
std::vector<std::string> splitWords(const std::string& text)
{
    std::vector<std::string> out;
    size_t pos = 0;
    while(pos < text.size()) {
        size_t end = text.find(' ', pos);
        end = end == std::string::npos ? text.size() : text.find_first_not_of(' ', end);
        end = end == std::string::npos ? text.size() : end;
        out.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return out;
}

} // namespace

MarkupText::MarkupText(const std::string& markup, const FontSpec& font, Argb colour)
{
    Parser parser(m_root, font, colour);
    parser.parse(markup);
}

std::string MarkupText::plainText() const
{
    std::string out;
    appendPlain(m_root, out);
    return out;
}

MarkupText::Box MarkupText::layoutBlock(const MarkupNode& block, Canvas& canvas) const
{
    struct Atom
    {
        MarkupNode leaf;
        Box inner; // for an inner block
        bool isBlock = false;
        bool isBreak = false;
        double width = 0, height = 0;
        MarkupNode::VAlign valign = MarkupNode::VAlign::Middle;
    };
    std::vector<Atom> atoms;
    for(const MarkupNode& child : block.children) {
        if(child.kind == MarkupNode::Kind::Text) {
            const std::vector<std::string> pieces =
                block.maxWidth > 0 ? splitWords(child.text) : std::vector<std::string>{child.text};
            for(const std::string& piece : pieces) {
                Atom atom;
                atom.leaf = child;
                atom.leaf.text = piece;
                const Size size = canvas.measureText(piece, FontSpec{child.bold, child.size});
                atom.width = size.width;
                atom.height = size.height;
                atoms.push_back(std::move(atom));
            }
        } else if(child.kind == MarkupNode::Kind::Symbol) {
            Atom atom;
            atom.leaf = child;
            atom.width = atom.height = child.width;
            atoms.push_back(std::move(atom));
        } else if(child.kind == MarkupNode::Kind::Break) {
            Atom atom;
            atom.isBreak = true;
            atoms.push_back(std::move(atom));
        } else {
            Atom atom;
            atom.inner = layoutBlock(child, canvas);
            atom.isBlock = true;
            atom.width = atom.inner.width;
            atom.height = atom.inner.height;
            atom.valign = child.valign;
            atoms.push_back(std::move(atom));
        }
    }

    Box box;
    size_t lineStart = 0;
    double x = 0, y = 0, lineHeight = 0;
    auto finishLine = [&](size_t lineEnd) {
        double left = 0;
        for(size_t i = lineStart; i < lineEnd; ++i) {
            const Atom& atom = atoms[i];
            if(atom.isBreak) {
                continue;
            }
            double top = y;
            if(atom.valign == MarkupNode::VAlign::Middle) {
                top += (lineHeight - atom.height) / 2;
            } else if(atom.valign == MarkupNode::VAlign::Bottom) {
                top += lineHeight - atom.height;
            }
            if(atom.isBlock) {
                for(const Placed& item : atom.inner.items) {
                    box.items.push_back({item.leaf, item.x + left, item.y + top, item.width, item.height});
                }
            } else {
                box.items.push_back({atom.leaf, left, top, atom.width, atom.height});
            }
            left += atom.width;
        }
        box.width = std::max(box.width, x);
        y += lineHeight;
        x = 0;
        lineHeight = 0;
        lineStart = lineEnd;
    };
    for(size_t i = 0; i < atoms.size(); ++i) {
        const Atom& atom = atoms[i];
        if(atom.isBreak) {
            finishLine(i + 1);
            continue;
        }
        if(block.maxWidth > 0 && x > 0 && x + atom.width > block.maxWidth) {
            finishLine(i);
        }
        x += atom.width;
        lineHeight = std::max(lineHeight, atom.height);
    }
    if(lineStart < atoms.size()) {
        finishLine(atoms.size());
    }
    box.height = y;
    return box;
}

void MarkupText::ensureLayout(Canvas& canvas)
{
    if(!m_laidOut) {
        m_box = layoutBlock(m_root, canvas);
        m_laidOut = true;
    }
}

Size MarkupText::size(Canvas& canvas)
{
    ensureLayout(canvas);
    return {m_box.width, m_box.height};
}

void MarkupText::draw(Canvas& canvas, double x, double y, int alignment, double angle)
{
    ensureLayout(canvas);
    if(alignment < 1 || alignment > 9) {
        alignment = TopLeft;
    }
    const int column = (alignment - 1) % 3; // 0 left, 1 centre, 2 right
    const int row = (alignment - 1) / 3;    // 0 bottom, 1 middle, 2 top
    const double left = x - (column == 1 ? m_box.width / 2 : column == 2 ? m_box.width : 0);
    const double top = y - (row == 0 ? m_box.height : row == 1 ? m_box.height / 2 : 0);
    if(angle != 0) {
        // Turned text is drawn as one run; markup styles beyond the first
        // run's do not turn with it.
        const std::string plain = plainText();
        const MarkupNode* first = nullptr;
        for(const Placed& item : m_box.items) {
            if(item.leaf.kind == MarkupNode::Kind::Text) {
                first = &item.leaf;
                break;
            }
        }
        if(first) {
            canvas.text(x, y, plain, FontSpec{first->bold, first->size}, first->colour, angle);
        }
        return;
    }
    for(const Placed& item : m_box.items) {
        const MarkupNode& leaf = item.leaf;
        const double ix = left + item.x, iy = top + item.y;
        if(leaf.kind == MarkupNode::Kind::Text) {
            if(!isTransparent(leaf.background)) {
                canvas.rect(ix, iy, item.width, item.height, leaf.background, 0xFF000000, 0);
            }
            canvas.text(ix, iy, leaf.text, FontSpec{leaf.bold, leaf.size}, leaf.colour, 0);
        } else if(leaf.shape == "triangle") {
            canvas.polygon(
                {{ix, iy + item.height}, {ix + item.width / 2, iy}, {ix + item.width, iy + item.height}},
                leaf.colour, leaf.edge);
        } else if(leaf.shape == "invertedtriangle") {
            canvas.polygon({{ix, iy}, {ix + item.width, iy}, {ix + item.width / 2, iy + item.height}},
                           leaf.colour, leaf.edge);
        } else {
            canvas.rect(ix, iy, item.width, item.height, leaf.colour, leaf.edge, 1);
        }
    }
}

} // namespace chartlib
