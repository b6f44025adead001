#include "LoginDialog.h"

#include "LoginController.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

LoginDialog::LoginDialog(wxWindow* parent, LoginController& login)
    : wxDialog(parent, wxID_ANY, _("Login")), m_login(login)
{
    auto* grid = new wxFlexGridSizer(2, 5, 5);
    grid->AddGrowableCol(1);
    m_server = new wxChoice(this, wxID_ANY);
    m_server->Set(m_login.QueryServerNames());
    const int previous = m_server->FindString(m_login.GetServer(), true);
    m_server->SetSelection(previous != wxNOT_FOUND ? previous : (m_server->IsEmpty() ? wxNOT_FOUND : 0));
    m_user = new wxTextCtrl(this, wxID_ANY, m_login.GetUser());
    m_password = new wxTextCtrl(this, wxID_ANY, m_login.GetPassword(), wxDefaultPosition, wxDefaultSize,
                                wxTE_PASSWORD);
    grid->Add(new wxStaticText(this, wxID_ANY, _("Server:")), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(m_server, 1, wxEXPAND);
    grid->Add(new wxStaticText(this, wxID_ANY, _("User:")), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(m_user, 1, wxEXPAND);
    grid->Add(new wxStaticText(this, wxID_ANY, _("Password:")), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(m_password, 1, wxEXPAND);

    m_state = new wxStaticText(this, wxID_ANY, m_login.DescribeState());
    m_error = new wxStaticText(this, wxID_ANY, wxEmptyString);
    m_error->SetForegroundColour(*wxRED);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(grid, 0, wxEXPAND | wxALL, 10);
    sizer->Add(m_state, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    sizer->Add(m_error, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);
    sizer->Add(CreateSeparatedButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 10);
    SetSizerAndFit(sizer);
    SetMinSize(wxSize(360, -1));
    Fit();
    CentreOnParent();
    (m_user->IsEmpty() ? m_user : m_password)->SetFocus();
}

void LoginDialog::ShowState(const wxString& text)
{
    m_state->SetLabel(text);
    Layout();
}

bool LoginDialog::Validate()
{
    wxString problem;
    if(m_server->GetSelection() == wxNOT_FOUND) {
        problem = _("No server to log in to.");
    } else if(m_user->GetValue().Strip(wxString::both).empty()) {
        problem = _("Please enter the user name.");
    } else if(m_password->GetValue().empty()) {
        problem = _("Please enter the password.");
    }
    m_error->SetLabel(problem);
    Layout();
    return problem.empty();
}

bool LoginDialog::TransferDataFromWindow()
{
    m_login.Login(m_server->GetStringSelection(), m_user->GetValue().Strip(wxString::both),
                  m_password->GetValue());
    return true;
}
