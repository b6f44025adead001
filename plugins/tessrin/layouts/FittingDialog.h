#pragma once

#include <wx/dialog.h>

// A dialog that keeps its contents whole. Its texts are mostly set after its
// layout was fitted (when it initialises, with the server's pushes, with a
// message), so it looks again each time the application goes idle: when
// its sizer wants more than it has, it grows (within its display), and
// when a control's wish changed, it lays itself out anew. It never shrinks
// by itself, so it does not jump as messages come and go.
class FittingDialog : public wxDialog
{
public:
    FittingDialog(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                  const wxSize& size, long style);

    // Shows as a dialog does, then fits the texts its initialisation set
    // (and the hints of its text fields) before the first picture: grown,
    // it is centred again.
    bool Show(bool show = true) override;

    // Grows to the sizer's minimum and lays out when that changed; true
    // when it grew.
    bool FitToContents();

private:
    void OnIdle(wxIdleEvent& event);

    wxSize m_laidOutMinimum; // the sizer's minimum at the last layout
};
