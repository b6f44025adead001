#include "layouts/AccountFormBase.h"

#include "common/Colours.h"
#include "layouts/BitmapResources.h"

#include <wx/combobox.h>
#include <wx/gbsizer.h>
#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valnum.h>

AccountFormBase::AccountFormBase(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                                 const wxSize& size, long style)
    : FittingDialog(parent, id, title, pos, size, style)
{
    EnsureBitmapResources();
    SetSizer(new wxBoxSizer(wxVERTICAL));
    Bind(wxEVT_INIT_DIALOG, &AccountFormBase::OnInitDialog, this);
    Bind(wxEVT_CLOSE_WINDOW, &AccountFormBase::OnClose, this);
}

AccountFormBase::~AccountFormBase()
{
    Unbind(wxEVT_INIT_DIALOG, &AccountFormBase::OnInitDialog, this);
    Unbind(wxEVT_CLOSE_WINDOW, &AccountFormBase::OnClose, this);
    if(m_accountChoice) {
        m_accountChoice->Unbind(wxEVT_COMBOBOX, &AccountFormBase::OnAccountSelected, this);
    }
    if(m_buttonOk) {
        m_buttonOk->Unbind(wxEVT_BUTTON, &AccountFormBase::OnOk, this);
    }
}

wxGridBagSizer* AccountFormBase::AddGrid()
{
    auto* grid = new wxGridBagSizer(0, 0);
    grid->SetFlexibleDirection(wxBOTH);
    grid->SetNonFlexibleGrowMode(wxFLEX_GROWMODE_SPECIFIED);
    GetSizer()->Add(grid, 1, wxALL | wxEXPAND, 5);
    return grid;
}

void AccountFormBase::AddRow(wxGridBagSizer* grid, int row, const wxString& label, wxWindow* field)
{
    if(!label.empty()) {
        auto* text = new wxStaticText(this, wxID_ANY, label, wxDefaultPosition, wxDefaultSize,
                                      wxALIGN_CENTRE_HORIZONTAL);
        grid->Add(text, wxGBPosition(row, 0), wxGBSpan(1, 1),
                  wxALL | wxALIGN_CENTER_VERTICAL | wxALIGN_CENTER_HORIZONTAL, 5);
    }
    grid->Add(field, wxGBPosition(row, 1), wxGBSpan(1, 3), wxALL | wxEXPAND, 5);
}

wxComboBox* AccountFormBase::NewChoice()
{
    return new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxArrayString(),
                          wxCB_READONLY);
}

wxComboBox* AccountFormBase::NewAccountChoice()
{
    m_accountChoice = NewChoice();
    m_accountChoice->Bind(wxEVT_COMBOBOX, &AccountFormBase::OnAccountSelected, this);
    return m_accountChoice;
}

wxTextCtrl* AccountFormBase::NewAmountField()
{
    wxFloatingPointValidator<double> amount(2, nullptr, wxNUM_VAL_DEFAULT);
    amount.SetRange(0, 99999999);
    auto* field = new wxTextCtrl(this, wxID_ANY, "0.00", wxDefaultPosition, wxDefaultSize, 0, amount);
    field->SetBackgroundColour(Colours::kAmountBackground);
    // The face may be missing; the swiss family stands in for it then.
    field->SetFont(
        wxFont(12, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD, false, "Microsoft YaHei UI"));
    return field;
}

wxStaticText* AccountFormBase::NewMoneyLine()
{
    auto* line =
        new wxStaticText(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE);
    line->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_3DLIGHT));
    line->SetForegroundColour(Colours::kAlertText);
    return line;
}

wxTextCtrl* AccountFormBase::NewPasswordField()
{
    auto* field =
        new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_PASSWORD);
    field->SetHint(_("please input account password"));
    return field;
}

void AccountFormBase::AddButtonRow(const wxString& okLabel, int border)
{
    wxSizer* mainSizer = GetSizer();
    mainSizer->Add(new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL), 0,
                   wxALL | wxEXPAND, 5);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(buttons, 0, wxALL | wxEXPAND, 5);
    m_buttonOk = new wxButton(this, wxID_ANY, okLabel);
    buttons->Add(m_buttonOk, 1, wxALL, border);
    m_buttonCancel = new wxButton(this, wxID_CANCEL, _("cancel"));
    buttons->Add(m_buttonCancel, 1, wxALL, border);
    mainSizer->Add(new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL), 0,
                   wxALL | wxEXPAND, 5);
    m_buttonOk->Bind(wxEVT_BUTTON, &AccountFormBase::OnOk, this);
}

void AccountFormBase::FinishForm(wxGridBagSizer* grid)
{
    grid->AddGrowableCol(1);
    AddButtonRow(_("ok"), 1);
    GetSizer()->Add(0, 5, 0, 0, 0);
    FitAndCentre();
}

void AccountFormBase::FitAndCentre()
{
    GetSizer()->Fit(this);
    CentreOnScreen(wxBOTH);
}
