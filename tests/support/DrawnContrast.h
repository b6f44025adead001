#pragma once
// The contrast of two colours as the web's accessibility guidelines measure
// it, from 1 (alike) to 21 (black on white), and that of what the (Xvfb)
// screen shows in a rectangle: the colour at its top left (the background)
// against the colour farthest from it (the core of a glyph).
#include <algorithm>
#include <cmath>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>

inline double Contrast(const wxColour& a, const wxColour& b)
{
    auto luminance = [](const wxColour& colour) {
        auto linear = [](unsigned char channel) {
            const double c = channel / 255.0;
            return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.Red()) + 0.7152 * linear(colour.Green()) +
               0.0722 * linear(colour.Blue());
    };
    const double x = luminance(a) + 0.05, y = luminance(b) + 0.05;
    return std::max(x, y) / std::min(x, y);
}

inline double DrawnContrast(const wxRect& onScreen)
{
    wxBitmap bitmap(onScreen.GetSize());
    wxScreenDC screen;
    wxMemoryDC(bitmap).Blit(0, 0, onScreen.width, onScreen.height, &screen, onScreen.x, onScreen.y);
    const wxImage image = bitmap.ConvertToImage();
    const unsigned char* rgb = image.GetData();
    double most = 1.0;
    for(int i = 0; i < image.GetWidth() * image.GetHeight(); ++i) {
        const unsigned char* p = rgb + 3 * i;
        most = std::max(most, Contrast(wxColour(p[0], p[1], p[2]), wxColour(rgb[0], rgb[1], rgb[2])));
    }
    return most;
}
