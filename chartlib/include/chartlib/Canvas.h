#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace chartlib {

struct Point
{
    double x = 0;
    double y = 0;
};

struct Size
{
    double width = 0;
    double height = 0;
};

// A face the charts ask for; each back-end maps it to an installed font.
struct FontSpec
{
    bool bold = false;
    double size = 8; // points
};

// Concrete colours, 0xAARRGGBB with AA = 0 opaque.
using Argb = uint32_t;
inline bool isTransparent(Argb colour)
{
    return (colour >> 24) == 0xFF;
}

// The drawing interface every chart draws through, in pixels of the chart
// image. `dash` is a pattern of on/off lengths (0 = solid). Transparent
// colours draw nothing.
class Canvas
{
public:
    virtual ~Canvas() = default;

    virtual void setAntiAlias(bool shapes, int textMode) = 0;
    // Covers width x height pixels from (x, y); the edge lies on its
    // outermost pixels.
    virtual void rect(double x, double y, double width, double height, Argb fill, Argb edge,
                      double edgeWidth) = 0;
    virtual void line(double x1, double y1, double x2, double y2, Argb colour, double width, int dash) = 0;
    virtual void polyline(const std::vector<Point>& points, Argb colour, double width, int dash) = 0;
    virtual void polygon(const std::vector<Point>& points, Argb fill, Argb edge) = 0;
    // (x, y) is the top left of the text, which turns by `angle` degrees
    // anticlockwise around it.
    virtual void text(double x, double y, const std::string& utf8, const FontSpec& font, Argb colour,
                      double angle) = 0;
    virtual Size measureText(const std::string& utf8, const FontSpec& font) = 0;
};

} // namespace chartlib
