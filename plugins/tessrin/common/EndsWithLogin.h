#pragma once

#include <wx/event.h>

class wxDialog;

// A login has ended (logout, kick-out, another's login): processed on the
// application object before the login's records go.
wxDECLARE_EVENT(wxEVT_PLUGIN_LOGIN_ENDED, wxCommandEvent);

// Ends a dialog that shows a login's accounts, money or orders when that
// login ends (its modal loop, or a modeless one closed): the next user at the
// desk must not read the last one's figures behind the box that says so, nor
// act on them. A member of the dialog it ends.
class EndsWithLogin
{
public:
    explicit EndsWithLogin(wxDialog& dialog);
    ~EndsWithLogin();
    EndsWithLogin(const EndsWithLogin&) = delete;
    EndsWithLogin& operator=(const EndsWithLogin&) = delete;

    // What the end of a login sends.
    static void Announce();

private:
    void OnLoginEnded(wxCommandEvent& event);

    wxDialog& m_dialog;
};
