#ifndef PELMORA_PMCOLOURBUTTON_H
#define PELMORA_PMCOLOURBUTTON_H

#include <wx/control.h>

// A push button drawn by the host itself, so that its background and text
// colours show on every toolkit theme (GTK ignores a native button's colours).
// A click sends wxEVT_BUTTON with the button's id.
class pmColourButton : public wxControl
{
public:
    pmColourButton(wxWindow* parent, wxWindowID id, const wxString& label = wxEmptyString,
                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                   long style = 0);

    bool AcceptsFocusFromKeyboard() const override { return false; }
    bool Enable(bool enable = true) override;
    void SetLabel(const wxString& label) override;
    // Sends the click as a user click would; used by keyboard handling too.
    void Click();

    bool IsPressed() const { return m_pressed; }

protected:
    wxSize DoGetBestClientSize() const override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnEnter(wxMouseEvent& event);
    void OnLeave(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);

    bool m_pressed = false;
    bool m_hover = false;
};

#endif // PELMORA_PMCOLOURBUTTON_H
