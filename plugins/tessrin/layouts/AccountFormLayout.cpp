#include "layouts/AccountFormLayout.h"

#include "common/Colours.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/gbsizer.h>
#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

wxStaticText* AccountFormLayout::Label(wxDialog* parent, const wxString& text)
{
    return new wxStaticText(parent, wxID_ANY, text, wxDefaultPosition, wxDefaultSize,
                            wxALIGN_CENTRE_HORIZONTAL);
}

wxComboBox* AccountFormLayout::Choice(wxDialog* parent)
{
    return new wxComboBox(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxArrayString(),
                          wxCB_READONLY);
}

wxTextCtrl* AccountFormLayout::AmountField(wxDialog* parent)
{
    auto* field = new wxTextCtrl(parent, wxID_ANY, "0.00");
    field->SetBackgroundColour(Colours::kAmountBackground);
    // The face may be missing; the swiss family stands in for it then.
    field->SetFont(
        wxFont(12, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD, false, "Microsoft YaHei UI"));
    return field;
}

wxStaticText* AccountFormLayout::MoneyLine(wxDialog* parent)
{
    auto* line =
        new wxStaticText(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE);
    line->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_3DLIGHT));
    line->SetForegroundColour(Colours::kAlertText);
    return line;
}

wxTextCtrl* AccountFormLayout::PasswordField(wxDialog* parent)
{
    auto* field =
        new wxTextCtrl(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_PASSWORD);
    field->SetHint(_("please input account password"));
    return field;
}

void AccountFormLayout::Finish(wxDialog* dialog, wxGridBagSizer* grid, wxButton*& ok, wxButton*& cancel)
{
    wxSizer* mainSizer = dialog->GetSizer();
    grid->AddGrowableCol(1);
    mainSizer->Add(new wxStaticLine(dialog, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL), 0,
                   wxALL | wxEXPAND, 5);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(buttons, 0, wxALL | wxEXPAND, 5);
    ok = new wxButton(dialog, wxID_ANY, _("ok"));
    buttons->Add(ok, 1, wxALL, 1);
    cancel = new wxButton(dialog, wxID_CANCEL, _("cancel"));
    buttons->Add(cancel, 1, wxALL, 1);
    mainSizer->Add(new wxStaticLine(dialog, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL), 0,
                   wxALL | wxEXPAND, 5);
    mainSizer->Add(0, 5, 0, 0, 0);
    mainSizer->Fit(dialog);
    dialog->CentreOnScreen(wxBOTH);
}
