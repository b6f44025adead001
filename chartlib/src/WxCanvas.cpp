#include "chartlib/WxCanvas.h"

#include <algorithm>
#include <cmath>
#include <wx/brush.h>
#include <wx/fontenum.h>

namespace chartlib {
namespace {

// Odd-width lines along the pixel grid sit on pixel centres, so they stay
// one pixel wide under anti-aliasing.
double crisp(double v, double width)
{
    return static_cast<long>(std::lround(width)) % 2 == 1 ? std::floor(v) + 0.5 : std::round(v);
}

} // namespace

WxCanvas::WxCanvas(wxGraphicsContext& gc, WxDrawingCache* cache)
    : m_gc(gc), m_cache(cache ? *cache : m_ownCache)
{}

wxColour WxCanvas::colour(Argb colour)
{
    return wxColour((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF,
                    255 - ((colour >> 24) & 0xFF));
}

wxString WxCanvas::faceName()
{
    // Looked up once: the installed fonts do not change while we run.
    static const wxString face = [] {
        for(const char* candidate : {"Noto Sans CJK SC", "Noto Sans CJK TC", "Noto Sans CJK JP"}) {
            if(wxFontEnumerator::IsValidFacename(candidate)) {
                return wxString(candidate);
            }
        }
        return wxString();
    }();
    return face;
}

void WxCanvas::setAntiAlias(bool shapes, int)
{
    m_gc.SetAntialiasMode(shapes ? wxANTIALIAS_DEFAULT : wxANTIALIAS_NONE);
}

void WxCanvas::usePen(Argb colour, double width, int dash)
{
    wxGraphicsPenInfo info(WxCanvas::colour(colour), width);
    if(dash != 0) {
        // High byte on, low byte off, in pixels; wx counts in pen widths.
        const double unit = width > 0 ? width : 1;
        m_dashes[0] = static_cast<wxDash>(std::max(1.0, std::round(((dash >> 8) & 0xFF) / unit)));
        m_dashes[1] = static_cast<wxDash>(std::max(1.0, std::round((dash & 0xFF) / unit)));
        info.Style(wxPENSTYLE_USER_DASH).Dashes(2, m_dashes);
    }
    m_gc.SetPen(m_gc.CreatePen(info));
}

void WxCanvas::rect(double x, double y, double width, double height, Argb fill, Argb edge, double edgeWidth)
{
    if(!isTransparent(fill) && width > 0 && height > 0) {
        m_gc.SetPen(wxNullGraphicsPen);
        m_gc.SetBrush(m_gc.CreateBrush(wxBrush(WxCanvas::colour(fill))));
        m_gc.DrawRectangle(x, y, width, height);
    }
    if(isTransparent(edge) || edgeWidth <= 0) {
        return;
    }
    usePen(edge, edgeWidth, 0);
    m_gc.SetBrush(wxNullGraphicsBrush);
    const double inset = edgeWidth / 2;
    if(width <= edgeWidth || height <= edgeWidth) {
        m_gc.StrokeLine(x + inset, y + inset, x + std::max(width - inset, inset),
                        y + std::max(height - inset, inset));
        return;
    }
    m_gc.DrawRectangle(x + inset, y + inset, width - edgeWidth, height - edgeWidth);
}

void WxCanvas::line(double x1, double y1, double x2, double y2, Argb colour, double width, int dash)
{
    if(isTransparent(colour) || width <= 0) {
        return;
    }
    if(dash != 0 && (x1 == x2 || y1 == y2)) {
        dashedRule(x1, y1, x2, y2, colour, width, dash);
        return;
    }
    usePen(colour, width, dash);
    if(x1 == x2) {
        x1 = x2 = crisp(x1, width);
    } else if(y1 == y2) {
        y1 = y2 = crisp(y1, width);
    }
    m_gc.StrokeLine(x1, y1, x2, y2);
}

void WxCanvas::dashedRule(double x1, double y1, double x2, double y2, Argb colour, double width, int dash)
{
    // The pattern's dashes as one fill of pixel boxes. The toolkit's dashed
    // stroke cuts a long cursor or grid line into hundreds of strokes at
    // every paint, and its pen (round caps, the context's half-pixel offset)
    // smeared a one-pixel dotted line over two rows at half ink.
    const double unit = width > 0 ? width : 1;
    const double on = std::max(1.0, std::round(((dash >> 8) & 0xFF) / unit)) * unit;
    const double off = std::max(1.0, std::round((dash & 0xFF) / unit)) * unit;
    const bool vertical = x1 == x2;
    const double across = crisp(vertical ? x1 : y1, width) - width / 2;
    const double from = vertical ? y1 : x1;
    const double to = vertical ? y2 : x2;
    const double step = from <= to ? 1 : -1;
    const double length = std::fabs(to - from);
    wxGraphicsPath path = m_gc.CreatePath();
    for(double done = 0; done < length; done += on + off) {
        const double dashLength = std::min(on, length - done);
        const double start = step > 0 ? from + done : from - done - dashLength;
        if(vertical) {
            path.AddRectangle(across, start, width, dashLength);
        } else {
            path.AddRectangle(start, across, dashLength, width);
        }
    }
    m_gc.SetPen(wxNullGraphicsPen);
    m_gc.SetBrush(m_gc.CreateBrush(wxBrush(WxCanvas::colour(colour))));
    m_gc.FillPath(path);
}

void WxCanvas::polyline(const std::vector<Point>& points, Argb colour, double width, int dash)
{
    if(isTransparent(colour) || width <= 0 || points.size() < 2) {
        return;
    }
    usePen(colour, width, dash);
    std::vector<wxPoint2DDouble> wxPoints;
    wxPoints.reserve(points.size());
    for(const Point& p : points) {
        wxPoints.emplace_back(p.x, p.y);
    }
    m_gc.StrokeLines(wxPoints.size(), wxPoints.data());
}

void WxCanvas::polygon(const std::vector<Point>& points, Argb fill, Argb edge)
{
    if(points.size() < 3) {
        return;
    }
    wxGraphicsPath path = m_gc.CreatePath();
    path.MoveToPoint(points[0].x, points[0].y);
    for(size_t i = 1; i < points.size(); ++i) {
        path.AddLineToPoint(points[i].x, points[i].y);
    }
    path.CloseSubpath();
    if(!isTransparent(fill)) {
        m_gc.SetBrush(m_gc.CreateBrush(wxBrush(WxCanvas::colour(fill))));
        m_gc.FillPath(path);
    }
    if(!isTransparent(edge)) {
        usePen(edge, 1, 0);
        m_gc.StrokePath(path);
    }
}

void WxCanvas::text(double x, double y, const std::string& utf8, const FontSpec& font, Argb colour,
                    double angle)
{
    if(isTransparent(colour) || utf8.empty()) {
        return;
    }
    m_gc.SetFont(m_cache.Font(m_gc, font, colour));
    const wxString text = wxString::FromUTF8(utf8);
    if(angle != 0) {
        m_gc.DrawText(text, x, y, angle * M_PI / 180.0);
    } else {
        m_gc.DrawText(text, x, y);
    }
}

Size WxCanvas::measureText(const std::string& utf8, const FontSpec& font)
{
    return m_cache.Extent(m_gc, utf8, font);
}

} // namespace chartlib
