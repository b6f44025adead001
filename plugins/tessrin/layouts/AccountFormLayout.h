#pragma once

#include <wx/string.h>

class wxButton;
class wxDialog;
class wxGridBagSizer;
class wxStaticText;
class wxTextCtrl;
class wxComboBox;

// The pieces the transfer and surety-money layouts share: labels, the
// amount field, the red money line, the password field and the button row.
class AccountFormLayout
{
public:
    static wxStaticText* Label(wxDialog* parent, const wxString& text);
    static wxComboBox* Choice(wxDialog* parent);
    // "0.00" on pale yellow, 12-point bold.
    static wxTextCtrl* AmountField(wxDialog* parent);
    // Red text on the 3D-light colour.
    static wxStaticText* MoneyLine(wxDialog* parent);
    static wxTextCtrl* PasswordField(wxDialog* parent);
    // After the grid: a line, "ok" and "cancel", a line and a spacer; then
    // the dialog fits and centres.
    static void Finish(wxDialog* dialog, wxGridBagSizer* grid, wxButton*& ok, wxButton*& cancel);
};
