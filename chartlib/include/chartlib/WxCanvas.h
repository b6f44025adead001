#pragma once

#include "chartlib/Canvas.h"

#include <map>
#include <tuple>
#include <wx/graphics.h>

namespace chartlib {

// The screen back-end: draws on a wx graphics context (anti-aliased when the
// chart asks). Fonts are the CJK face of fonts-noto-cjk when installed, else
// the default sans face.
class WxCanvas : public Canvas
{
public:
    explicit WxCanvas(wxGraphicsContext& gc);

    void setAntiAlias(bool shapes, int textMode) override;
    void rect(double x, double y, double width, double height, Argb fill, Argb edge,
              double edgeWidth) override;
    void line(double x1, double y1, double x2, double y2, Argb colour, double width, int dash) override;
    void polyline(const std::vector<Point>& points, Argb colour, double width, int dash) override;
    void polygon(const std::vector<Point>& points, Argb fill, Argb edge) override;
    void text(double x, double y, const std::string& utf8, const FontSpec& font, Argb colour,
              double angle) override;
    Size measureText(const std::string& utf8, const FontSpec& font) override;

    // The face name used, empty for the default sans face.
    static wxString faceName();

private:
    void usePen(Argb colour, double width, int dash);
    void useFont(const FontSpec& font, Argb colour);

    wxGraphicsContext& m_gc;
    std::map<std::tuple<bool, double, Argb>, wxGraphicsFont> m_fonts;
    std::map<std::tuple<bool, double>, wxFont> m_wxFonts;
    wxDash m_dashes[2] = {1, 1}; // the current pen's pattern
};

} // namespace chartlib
