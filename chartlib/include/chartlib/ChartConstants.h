#pragma once

// Values shared by every chart object. Colours are 0xAARRGGBB where AA = 0 is
// opaque and 0xFF fully transparent; the 0xFFFFxxxx and 0xFFFExxxx ranges,
// which would otherwise be invisible, name palette and dash colours.
#include <cmath>

namespace chartlib {

// A series entry without a value: skipped when scaling and drawing.
constexpr double NoValue = 1.7E+308;

// Whether an entry holds a value; a NaN or an infinity counts as none, so a
// bad number never reaches a scale or a coordinate.
inline bool hasValue(double v)
{
    return v != NoValue && std::isfinite(v);
}

constexpr int Transparent = static_cast<int>(0xFF000000);
constexpr int BackgroundColor = static_cast<int>(0xFFFF0000);
constexpr int LineColor = static_cast<int>(0xFFFF0001);
constexpr int TextColor = static_cast<int>(0xFFFF0002);

// Dash patterns: on and off lengths in pixels, one byte each.
constexpr int DashLine = 0x0505;
constexpr int DotLine = 0x0202;
constexpr int FineDotLine = 0x0101;

// Anchor of a text at its point, laid out like a numeric keypad.
enum Alignment {
    BottomLeft = 1,
    BottomCenter = 2,
    BottomRight = 3,
    Left = 4,
    Center = 5,
    Right = 6,
    TopLeft = 7,
    TopCenter = 8,
    TopRight = 9
};

// How an HLOC layer picks each bar's colour.
enum HLOCColorMethod {
    HLOCDefault = 0,   // one colour for all bars
    HLOCOpenClose = 1, // up when the close is not below the open
    HLOCUpDown = 2     // up when the close is not below the previous close
};

} // namespace chartlib
