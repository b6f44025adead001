#pragma once

#include <map>
#include <wx/dialog.h>

// A dialog that keeps its contents whole. Its texts are mostly set after its
// layout was fitted (when it initialises, with the server's pushes, with a
// message), so it looks again each time the application goes idle: when
// its sizer wants more than it has, it grows (within its display), and
// when a control's wish changed, it lays itself out anew. A control whose
// label changed is measured again (a button does not do it itself), and so
// is every button: the toolkit may tell a button's size anew a while after
// its state or label changed. It never shrinks by itself, so it does not
// jump as messages come and go.
class FittingDialog : public wxDialog
{
public:
    FittingDialog(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                  const wxSize& size, long style);

    // Shows as a dialog does, then measures every control but the text
    // fields again (the toolkit tells a label's or a list's true size only
    // once it is realised) and fits the texts its initialisation set, the
    // hints of its text fields too, before the first picture: grown, it is
    // centred again.
    bool Show(bool show = true) override;

    // Grows to the sizer's minimum and lays out when that changed; true
    // when it grew.
    bool FitToContents();

private:
    void OnIdle(wxIdleEvent& event);
    // Every control below `parent`, or those whose label changed since;
    // true when one was.
    bool Remeasure(wxWindow& parent, bool all);

    wxSize m_laidOutMinimum;                         // the sizer's minimum at the last layout
    std::map<const wxWindow*, wxString> m_labels;    // as last measured
    std::map<const wxWindow*, wxSize> m_buttonSizes; // as last measured
};
