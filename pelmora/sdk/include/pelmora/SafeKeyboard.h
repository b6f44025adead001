#ifndef PELMORA_SAFEKEYBOARD_H
#define PELMORA_SAFEKEYBOARD_H

#include <vector>
#include <wx/dialog.h>

class wxButton;
class wxTextCtrl;

// On-screen keyboard: every key typed with the mouse goes into the target
// text control, so a password never passes through the physical keyboard.
// Shown modally by its user; "OK" closes it.
class SafeKeyboard : public wxDialog
{
public:
    SafeKeyboard(wxWindow* parent, const wxPoint& position, wxTextCtrl* target);

    // What the buttons do, callable directly.
    void TypeKey(const wxString& key);
    void Backspace();
    void ToggleShift();
    bool IsShifted() const { return m_shift; }

private:
    void OnKey(wxCommandEvent& event);
    void OnBackspace(wxCommandEvent& event);
    void OnShift(wxCommandEvent& event);
    void OnClear(wxCommandEvent& event);
    void UpdateLetterLabels();

    wxTextCtrl* m_target; // not owned: the control the keyboard types into
    std::vector<wxButton*> m_letterKeys;
    bool m_shift = false;
};

#endif // PELMORA_SAFEKEYBOARD_H
