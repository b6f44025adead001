#pragma once

#include "layouts/LockScreenBase.h"

#include <wx/buffer.h>

// Show the lock screen: posted on the plug-in object by the idle check and
// handled on the application object.
const wxEventTypeTag<wxCommandEvent> wxEVT_SHOW_LOCK_SCREEN(16000);

// The lock screen: a borderless modal dialog over the whole screen of the
// terminal that ends (with 0) only when the typed password has the login's
// digest. It keeps a copy of that digest, not the password.
class LockScreen : public LockScreenBase
{
public:
    explicit LockScreen(const wxMemoryBuffer& passwordDigest, wxWindow* parent = nullptr);
    ~LockScreen() override;

    // Compares the typed text; ends the dialog when it is right, tells the
    // user otherwise and keeps the text.
    void TryUnlock();
    // The on-screen keyboard's place: 110 pixels and the lock box's client
    // height above the box, not above the top of its screen.
    wxPoint KeyboardPosition() const;

protected:
    void OnInitDialog(wxInitDialogEvent& event) override;
    void OnKeyboard(wxCommandEvent& event) override;
    void OnUnlockScreen(wxCommandEvent& event) override;

    // The wrong-password message; a message box.
    virtual void ShowMessage(const wxString& message, const wxString& caption);

private:
    // A close request (Alt+F4 and the like) must not get past the password.
    void OnClose(wxCloseEvent& event);

    wxMemoryBuffer m_passwordDigest;
};
