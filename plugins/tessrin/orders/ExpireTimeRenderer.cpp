#include "orders/ExpireTimeRenderer.h"

#include "common/Colours.h"

#include <algorithm>
#include <wx/arrstr.h>
#include <wx/datetime.h>
#include <wx/dc.h>

namespace {
constexpr int kMargin = 5;
constexpr double kCornerRadius = 5.0;
constexpr int kWhole = 10000;
} // namespace

ExpireTimeRenderer::ExpireTimeRenderer()
    : wxDataViewCustomRenderer("string", wxDATAVIEW_CELL_INERT, wxALIGN_CENTER_VERTICAL)
{}

ExpireTimeRenderer::Reading ExpireTimeRenderer::Read(const wxString& value)
{
    Reading reading;
    const wxArrayString parts = wxSplit(value, ':', '\\');
    if(parts.size() == 1) {
        reading.draws = true;
        reading.label = parts[0];
        return reading;
    }
    long fraction = 0;
    long remaining = 0;
    if(parts.size() != 2 || !parts[0].ToLong(&fraction, 10) || !parts[1].ToLong(&remaining, 10)) {
        return reading;
    }
    reading.draws = true;
    reading.strip = true;
    reading.fraction = static_cast<int>(fraction);
    reading.label = wxTimeSpan::Milliseconds(remaining).Format();
    return reading;
}

ExpireTimeRenderer::Strip ExpireTimeRenderer::StripIn(const wxRect& cell, int fraction)
{
    Strip strip;
    strip.track = cell;
    strip.track.Deflate(kMargin);
    strip.fill = strip.track;
    // A fraction outside 0..10000 (clocks apart) stays inside the track.
    const long long width = static_cast<long long>(strip.track.width) * fraction / kWhole;
    strip.fill.width = static_cast<int>(std::clamp<long long>(width, 0, std::max(strip.track.width, 0)));
    strip.fillColour =
        static_cast<double>(fraction) / kWhole >= 0.5 ? Colours::kExpiryAhead : Colours::kExpiryBehind;
    return strip;
}

bool ExpireTimeRenderer::SetValue(const wxVariant& value)
{
    m_text = value.IsNull() ? wxString() : value.GetString();
    return true;
}

bool ExpireTimeRenderer::GetValue(wxVariant& value) const
{
    wxUnusedVar(value);
    return true;
}

wxSize ExpireTimeRenderer::GetSize() const
{
    return wxSize(-1, -1);
}

bool ExpireTimeRenderer::Render(wxRect cell, wxDC* dc, int state)
{
    const Reading reading = Read(m_text);
    if(!reading.draws || !dc) {
        return true;
    }
    const wxSize extent = dc->GetTextExtent(reading.label);
    if(!reading.strip) {
        // The cell attribute's colour applies here.
        RenderText(reading.label, std::max(0, (cell.width - extent.x) / 2), cell, dc, state);
        return true;
    }
    const Strip strip = StripIn(cell, reading.fraction);
    dc->SetPen(wxPen(Colours::kExpiryTrackBorder, 1, wxPENSTYLE_SOLID));
    dc->SetBrush(wxBrush(Colours::kExpiryTrack, wxBRUSHSTYLE_SOLID));
    dc->DrawRoundedRectangle(strip.track, kCornerRadius);
    if(strip.fill.width > 0) {
        dc->SetPen(*wxTRANSPARENT_PEN);
        dc->SetBrush(wxBrush(strip.fillColour, wxBRUSHSTYLE_SOLID));
        dc->DrawRoundedRectangle(strip.fill, kCornerRadius);
    }
    dc->SetTextForeground(Colours::kExpiryLabel);
    dc->DrawText(reading.label, cell.x + (cell.width - extent.x) / 2, cell.y + (cell.height - extent.y) / 2);
    return true;
}

bool ExpireTimeRenderer::ActivateCell(const wxRect& cell, wxDataViewModel* model, const wxDataViewItem& item,
                                      unsigned int column, const wxMouseEvent* mouseEvent)
{
    wxUnusedVar(cell);
    wxUnusedVar(model);
    wxUnusedVar(item);
    wxUnusedVar(column);
    wxUnusedVar(mouseEvent);
    return true;
}
