#pragma once

#include <wx/defs.h>
#include <wx/string.h>

class wxWindow;

// The plug-in's message box, in place of wxMessageBox. It is wx's own
// (generic) dialog, not the toolkit's native one, so its modal loop is a wx
// loop that the host can end when it is asked to exit while the box is open.
// Long lines are wrapped, so the whole text shows on the screen.
class ModalMessageBox
{
public:
    // As wxMessageBox: the style's buttons and icon, centred; returns
    // wxYES, wxNO, wxOK or wxCANCEL (wxCANCEL also when the host ended it).
    static int Show(const wxString& message, const wxString& caption, long style = wxOK | wxCENTRE,
                    wxWindow* parent = nullptr);
};
