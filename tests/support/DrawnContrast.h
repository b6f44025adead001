#pragma once

// The contrast of two colours as the web's accessibility guidelines measure
// it, from 1 (alike) to 21 (black on white), and that of what the (Xvfb)
// screen shows in a rectangle: its commonest colour (the background) against
// the colour farthest from it (the core of a glyph).
#include <algorithm>
#include <cmath>
#include <map>
#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/gdicmn.h>
#include <wx/image.h>

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
    const double x = luminance(a) + 0.05;
    const double y = luminance(b) + 0.05;
    return std::max(x, y) / std::min(x, y);
}

inline double DrawnContrast(const wxRect& onScreen)
{
    if(onScreen.IsEmpty()) {
        return 0.0;
    }
    wxBitmap bitmap(onScreen.GetSize());
    {
        wxScreenDC screen;
        wxMemoryDC memory(bitmap);
        memory.Blit(0, 0, onScreen.width, onScreen.height, &screen, onScreen.x, onScreen.y);
    }
    const wxImage image = bitmap.ConvertToImage();
    std::map<unsigned long, int> counts;
    const unsigned char* rgb = image.GetData();
    const int pixels = image.GetWidth() * image.GetHeight();
    for(int i = 0; i < pixels; ++i) {
        ++counts[(rgb[3 * i] << 16) | (rgb[3 * i + 1] << 8) | rgb[3 * i + 2]];
    }
    const auto background = std::max_element(
        counts.begin(), counts.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    auto colour = [](unsigned long packed) {
        return wxColour((packed >> 16) & 0xFF, (packed >> 8) & 0xFF, packed & 0xFF);
    };
    double most = 1.0;
    for(const auto& [packed, count] : counts) {
        most = std::max(most, Contrast(colour(packed), colour(background->first)));
    }
    return most;
}
