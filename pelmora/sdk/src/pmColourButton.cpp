#include "pelmora/pmColourButton.h"

#include "pelmora/DrawingUtils.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

pmColourButton::pmColourButton(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                               const wxSize& size, long style)
    : wxControl(parent, id, pos, size, style | wxFULL_REPAINT_ON_RESIZE)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    wxControl::SetLabel(label);
    SetInitialSize(size);
    Bind(wxEVT_PAINT, &pmColourButton::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &pmColourButton::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &pmColourButton::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &pmColourButton::OnLeftUp, this);
    Bind(wxEVT_ENTER_WINDOW, &pmColourButton::OnEnter, this);
    Bind(wxEVT_LEAVE_WINDOW, &pmColourButton::OnLeave, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &pmColourButton::OnCaptureLost, this);
}

bool pmColourButton::Enable(bool enable)
{
    const bool changed = wxControl::Enable(enable);
    if(changed) {
        m_pressed = false;
        Refresh();
    }
    return changed;
}

void pmColourButton::SetLabel(const wxString& label)
{
    wxControl::SetLabel(label);
    InvalidateBestSize();
    Refresh();
}

void pmColourButton::Click()
{
    if(!IsEnabled()) {
        return;
    }
    wxCommandEvent event(wxEVT_BUTTON, GetId());
    event.SetEventObject(this);
    ProcessWindowEvent(event);
}

wxSize pmColourButton::DoGetBestClientSize() const
{
    const wxSize text = GetTextExtent(GetLabelText().empty() ? wxString("M") : GetLabelText());
    return wxSize(text.GetWidth() + 16, text.GetHeight() + 8);
}

void pmColourButton::OnPaint(wxPaintEvent& event)
{
    wxUnusedVar(event);
    wxAutoBufferedPaintDC dc(this);
    const wxRect rect = GetClientRect();
    wxColour background = GetBackgroundColour();
    wxColour foreground = GetForegroundColour();
    if(!IsEnabled()) {
        background = DrawingUtils::IsDark(background) ? DrawingUtils::LightColour(background, 3.0)
                                                      : DrawingUtils::DarkColour(background, 3.0);
        foreground = wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT);
    } else if(m_pressed) {
        background = DrawingUtils::DarkColour(background, 2.0);
    } else if(m_hover) {
        background = DrawingUtils::LightColour(background, 1.0);
    }
    dc.SetPen(wxPen(DrawingUtils::DarkColour(background, 3.0)));
    dc.SetBrush(wxBrush(background));
    dc.DrawRectangle(rect);
    dc.SetFont(GetFont());
    dc.SetTextForeground(foreground);
    wxRect textRect = rect;
    if(m_pressed) {
        textRect.Offset(1, 1);
    }
    dc.DrawLabel(GetLabelText(), textRect, wxALIGN_CENTER);
}

void pmColourButton::OnLeftDown(wxMouseEvent& event)
{
    wxUnusedVar(event);
    if(!IsEnabled()) {
        return;
    }
    m_pressed = true;
    if(!HasCapture()) {
        CaptureMouse();
    }
    Refresh();
}

void pmColourButton::OnLeftUp(wxMouseEvent& event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if(HasCapture()) {
        ReleaseMouse();
    }
    Refresh();
    if(wasPressed && GetClientRect().Contains(event.GetPosition())) {
        Click();
    }
}

void pmColourButton::OnEnter(wxMouseEvent& event)
{
    event.Skip();
    m_hover = true;
    Refresh();
}

void pmColourButton::OnLeave(wxMouseEvent& event)
{
    event.Skip();
    m_hover = false;
    Refresh();
}

void pmColourButton::OnCaptureLost(wxMouseCaptureLostEvent& event)
{
    wxUnusedVar(event);
    m_pressed = false;
    Refresh();
}
