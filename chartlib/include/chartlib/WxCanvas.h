#pragma once

#include "chartlib/Canvas.h"
#include "chartlib/WxDrawingCache.h"

#include <wx/graphics.h>

namespace chartlib {

// The screen back-end: draws on a wx graphics context (anti-aliased when the
// chart asks). Fonts are the CJK face of fonts-noto-cjk when installed, else
// the default sans face. Fonts and text sizes come from the cache given,
// else from one of the canvas's own.
class WxCanvas : public Canvas
{
public:
    explicit WxCanvas(wxGraphicsContext& gc, WxDrawingCache* cache = nullptr);

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
    static wxColour colour(Argb colour);

private:
    void usePen(Argb colour, double width, int dash);
    // A dashed line along one axis (x1 == x2 or y1 == y2).
    void dashedRule(double x1, double y1, double x2, double y2, Argb colour, double width, int dash);

    wxGraphicsContext& m_gc;
    WxDrawingCache m_ownCache;
    WxDrawingCache& m_cache;
    wxDash m_dashes[2] = {1, 1}; // the current pen's pattern
};

} // namespace chartlib
