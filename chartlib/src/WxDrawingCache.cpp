#include "chartlib/WxDrawingCache.h"

#include "chartlib/WxCanvas.h"

namespace chartlib {

const wxGraphicsFont& WxDrawingCache::Font(const wxGraphicsContext& gc, const FontSpec& font, Argb colour)
{
    const auto key = std::make_tuple(font.bold, font.size, colour);
    auto found = m_fonts.find(key);
    if(found != m_fonts.end()) {
        return found->second;
    }
    const auto fontKey = std::make_tuple(font.bold, font.size);
    auto wxFound = m_wxFonts.find(fontKey);
    if(wxFound == m_wxFonts.end()) {
        wxFontInfo info(font.size > 0 ? font.size : 8.0);
        const wxString face = WxCanvas::faceName();
        if(face.empty()) {
            info.Family(wxFONTFAMILY_SWISS);
        } else {
            info.FaceName(face);
        }
        info.Bold(font.bold);
        wxFound = m_wxFonts.emplace(fontKey, wxFont(info)).first;
    }
    return m_fonts.emplace(key, gc.CreateFont(wxFound->second, WxCanvas::colour(colour))).first->second;
}

Size WxDrawingCache::Extent(wxGraphicsContext& gc, const std::string& utf8, const FontSpec& font)
{
    auto key = std::make_tuple(font.bold, font.size, utf8);
    const auto found = m_extents.find(key);
    if(found != m_extents.end()) {
        return found->second;
    }
    if(m_extents.size() >= kMaxExtents) {
        m_extents.clear();
    }
    gc.SetFont(Font(gc, font, 0));
    double width = 0, height = 0;
    gc.GetTextExtent(wxString::FromUTF8(utf8), &width, &height);
    return m_extents.emplace(std::move(key), Size{width, height}).first->second;
}

} // namespace chartlib
