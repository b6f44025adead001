#include "layouts/ModifyPasswordDlgBase.h"

#include "layouts/BitmapResources.h"

#include <wx/gbsizer.h>
#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statline.h>

namespace {
wxTextCtrl* PasswordField(wxWindow* parent)
{
    auto* field =
        new wxTextCtrl(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(200, -1), wxTE_PASSWORD);
    field->SetMinSize(wxSize(200, -1));
    field->SetHint(wxEmptyString);
    return field;
}
} // namespace

ModifyPasswordDlgBase::ModifyPasswordDlgBase(wxWindow* parent, wxWindowID id, const wxString& title,
                                             const wxPoint& pos, const wxSize& size, long style)
    : FittingDialog(parent, id, title, pos, size, style)
{
    EnsureBitmapResources();

    auto* mainSizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(mainSizer);

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(row, 1, wxALL | wxEXPAND, 5);
    row->Add(30, 0, 0, 0, 0);
    auto* grid = new wxGridBagSizer(10, 30);
    grid->SetFlexibleDirection(wxBOTH);
    grid->SetNonFlexibleGrowMode(wxFLEX_GROWMODE_SPECIFIED);
    row->Add(grid, 1, wxALL | wxEXPAND, 15);

    const int label = wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL;
    grid->Add(new wxStaticText(this, wxID_ANY, _("Password Type:")), wxGBPosition(0, 0), wxGBSpan(1, 1),
              label);
    m_comboBoxKind = new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                    wxArrayString(), wxCB_READONLY);
    grid->Add(m_comboBoxKind, wxGBPosition(0, 1), wxGBSpan(1, 1), wxEXPAND);
    grid->Add(new wxStaticText(this, wxID_ANY, _("Old Password:")), wxGBPosition(1, 0), wxGBSpan(1, 1),
              label);
    m_textCtrlOldPassword = PasswordField(this);
    grid->Add(m_textCtrlOldPassword, wxGBPosition(1, 1), wxGBSpan(1, 1), wxEXPAND);
    grid->Add(new wxStaticText(this, wxID_ANY, _("New Password:")), wxGBPosition(2, 0), wxGBSpan(1, 1),
              label);
    m_textCtrlNewPassword = PasswordField(this);
    grid->Add(m_textCtrlNewPassword, wxGBPosition(2, 1), wxGBSpan(1, 1), wxEXPAND);
    grid->Add(new wxStaticText(this, wxID_ANY, _("Confirm Password:")), wxGBPosition(3, 0), wxGBSpan(1, 1),
              label);
    m_textCtrlConfirmPassword = PasswordField(this);
    grid->Add(m_textCtrlConfirmPassword, wxGBPosition(3, 1), wxGBSpan(1, 1), wxEXPAND);
    grid->AddGrowableCol(1);
    row->Add(30, 0, 0, 0, 0);

    m_staticTextNote =
        new wxStaticText(this, wxID_ANY, _("note:please modify password,when you login at first!"),
                         wxDefaultPosition, wxDefaultSize, wxALIGN_CENTRE_HORIZONTAL);
    m_staticTextNote->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_3DLIGHT));
    m_staticTextNote->SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
    mainSizer->Add(m_staticTextNote, 0, wxALL | wxEXPAND, 5);

    mainSizer->Add(new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL), 0,
                   wxALL | wxEXPAND, 5);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(buttons, 0, wxALL | wxALIGN_CENTER_HORIZONTAL, 5);
    m_buttonOk = new wxButton(this, wxID_OK, _("Ok"));
    buttons->Add(m_buttonOk, 1, wxALL, 5);
    m_buttonCancel = new wxButton(this, wxID_CANCEL, _("Cancel"));
    buttons->Add(m_buttonCancel, 1, wxALL, 5);

    m_textCtrlMessage = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                       wxTE_READONLY | wxTE_CENTRE | wxBORDER_NONE);
    m_textCtrlMessage->SetHint(wxEmptyString);
    mainSizer->Add(m_textCtrlMessage, 0, wxEXPAND, 0);

    mainSizer->Fit(this);
    CentreOnScreen(wxBOTH);

    Bind(wxEVT_INIT_DIALOG, &ModifyPasswordDlgBase::OnInitDialog, this);
    Bind(wxEVT_CLOSE_WINDOW, &ModifyPasswordDlgBase::OnClose, this);
    m_buttonOk->Bind(wxEVT_BUTTON, &ModifyPasswordDlgBase::OnOk, this);
}

ModifyPasswordDlgBase::~ModifyPasswordDlgBase()
{
    Unbind(wxEVT_INIT_DIALOG, &ModifyPasswordDlgBase::OnInitDialog, this);
    Unbind(wxEVT_CLOSE_WINDOW, &ModifyPasswordDlgBase::OnClose, this);
    m_buttonOk->Unbind(wxEVT_BUTTON, &ModifyPasswordDlgBase::OnOk, this);
}
