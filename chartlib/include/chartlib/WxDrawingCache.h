#pragma once

#include "chartlib/Canvas.h"

#include <map>
#include <string>
#include <tuple>
#include <wx/font.h>
#include <wx/graphics.h>

namespace chartlib {

// What one window's charts draw with, kept from one drawing to the next.
// Making a graphics font asks the display for the window's resolution, a
// round trip to the X server, and measuring a text lays it out anew; a
// window that redraws its chart several times a second does both once. The
// fonts are made at the resolution of the first context they are made for:
// keep one cache per kind of context (window, bitmap).
class WxDrawingCache
{
public:
    const wxGraphicsFont& Font(const wxGraphicsContext& gc, const FontSpec& font, Argb colour);
    Size Extent(wxGraphicsContext& gc, const std::string& utf8, const FontSpec& font);

private:
    // Texts measured at most: a window's labels and figures, not a history.
    static constexpr std::size_t kMaxExtents = 4096;

    std::map<std::tuple<bool, double, Argb>, wxGraphicsFont> m_fonts;
    std::map<std::tuple<bool, double>, wxFont> m_wxFonts;
    std::map<std::tuple<bool, double, std::string>, Size> m_extents;
};

} // namespace chartlib
