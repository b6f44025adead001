#include "pelmora/AuiPaintFilter.h"

#include <cmath>
#include <wx/dcclient.h>
#include <wx/region.h>
#include <wx/window.h>

#ifdef __WXGTK3__
// The precise area being drawn: wx reports only its bounding box, which two
// small repaints far apart stretch over every caption between them. cairo's
// own headers are not installed; these are its two calls and structures.
extern "C" {
typedef struct _cairo cairo_t;
struct cairo_rectangle_t
{
    double x, y, width, height;
};
struct cairo_rectangle_list_t
{
    int status; // 0: success
    cairo_rectangle_t* rectangles;
    int num_rectangles;
};
cairo_rectangle_list_t* cairo_copy_clip_rectangle_list(cairo_t* cr);
void cairo_rectangle_list_destroy(cairo_rectangle_list_t* list);
}
#endif

AuiPaintFilter::AuiPaintFilter(wxWindow* frame) : m_frame(frame)
{
    Bind(wxEVT_PAINT, &AuiPaintFilter::OnPaint, this);
}

wxRegion AuiPaintFilter::UpdateRegion() const
{
#ifdef __WXGTK3__
    if(cairo_t* context = m_frame->GTKPaintContext()) {
        cairo_rectangle_list_t* list = cairo_copy_clip_rectangle_list(context);
        const bool exact = list && list->status == 0;
        wxRegion region;
        for(int i = 0; exact && i < list->num_rectangles; ++i) {
            const cairo_rectangle_t& r = list->rectangles[i];
            const int left = static_cast<int>(std::floor(r.x));
            const int top = static_cast<int>(std::floor(r.y));
            region.Union(left, top, static_cast<int>(std::ceil(r.x + r.width)) - left,
                         static_cast<int>(std::ceil(r.y + r.height)) - top);
        }
        if(list) {
            cairo_rectangle_list_destroy(list);
        }
        if(exact) {
            return region;
        }
    }
#endif
    return m_frame->GetUpdateRegion();
}

void AuiPaintFilter::OnPaint(wxPaintEvent& event)
{
    wxRegion uncovered = UpdateRegion();
    for(const wxWindow* child : m_frame->GetChildren()) {
        if(child->IsShown() && !child->IsTopLevel()) {
            uncovered.Subtract(child->GetRect());
        }
    }
    if(!uncovered.IsEmpty()) {
        event.Skip(); // a caption, tab, border or sash: the docking manager draws it
        return;
    }
#ifndef __WXGTK__
    wxPaintDC taken(m_frame); // elsewhere a paint must be taken to be done
#endif
}
