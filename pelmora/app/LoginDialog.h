#ifndef PELMORA_APP_LOGINDIALOG_H
#define PELMORA_APP_LOGINDIALOG_H

#include <wx/dialog.h>

class LoginController;
class wxChoice;
class wxStaticText;
class wxTextCtrl;

// Asks for server, user and password; OK sends the login through the
// controller. Shows the connection state while it is open.
class LoginDialog : public wxDialog
{
public:
    LoginDialog(wxWindow* parent, LoginController& login);

    void ShowState(const wxString& text);

    // The checks behind the OK button: every field filled in.
    bool Validate() override;
    bool TransferDataFromWindow() override;

private:
    LoginController& m_login;
    wxChoice* m_server;
    wxTextCtrl* m_user;
    wxTextCtrl* m_password;
    wxStaticText* m_state;
    wxStaticText* m_error;
};

#endif // PELMORA_APP_LOGINDIALOG_H
