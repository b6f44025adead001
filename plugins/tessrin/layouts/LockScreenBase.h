#pragma once

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

// Layout of the lock screen: a borderless dialog, a plain backdrop with the
// 600 by 200 lock box in its middle: the password prompt, the password
// field, the on-screen keyboard button and the unlock button. The
// hand-written dialog overrides the handlers and sizes the backdrop.
class LockScreenBase : public wxDialog
{
public:
    explicit LockScreenBase(wxWindow* parent = nullptr, wxWindowID id = wxID_ANY,
                            const wxString& title = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
                            const wxSize& size = wxSize(600, 200), long style = wxBORDER_NONE);
    ~LockScreenBase() override;

    wxPanel* GetPanelBox() { return m_panelBox; }
    wxStaticText* GetStaticTextPassword() { return m_staticTextPassword; }
    wxTextCtrl* GetTextCtrlPassword() { return m_textCtrlPassword; }
    wxBitmapButton* GetBmpButtonKeyboard() { return m_bmpButtonKeyboard; }
    wxButton* GetButtonUnlock() { return m_buttonUnlock; }

protected:
    virtual void OnInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void OnKeyboard(wxCommandEvent& event) { event.Skip(); }
    virtual void OnUnlockScreen(wxCommandEvent& event) { event.Skip(); }

    wxPanel* m_panelBox;
    wxStaticText* m_staticTextPassword;
    wxTextCtrl* m_textCtrlPassword;
    wxBitmapButton* m_bmpButtonKeyboard;
    wxButton* m_buttonUnlock;
};
