#pragma once

#include "layouts/FittingDialog.h"

#include <wx/button.h>

class wxComboBox;
class wxGridBagSizer;
class wxStaticText;
class wxTextCtrl;

// What the layouts of the transfer, main-account and surety-money dialogs
// share: a dialog without parent (caption, system menu, close box, resizable
// border), the rows of a form, the row of "ok" and "cancel", and the
// handlers each binds: init, close, ok and the choice of the account the
// dialog's line is about.
class AccountFormBase : public FittingDialog
{
public:
    ~AccountFormBase() override;

    wxButton* GetButtonOk() { return m_buttonOk; }
    wxButton* GetButtonCancel() { return m_buttonCancel; }

protected:
    AccountFormBase(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                    const wxSize& size, long style);

    virtual void OnInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void OnClose(wxCloseEvent& event) { event.Skip(); }
    virtual void OnAccountSelected(wxCommandEvent& event) { event.Skip(); }
    virtual void OnOk(wxCommandEvent& event) { event.Skip(); }

    // The dialog's vertical sizer with the grid of form rows in it.
    wxGridBagSizer* AddGrid();
    // The label (none when empty) in the first column, the field across the
    // other three.
    void AddRow(wxGridBagSizer* grid, int row, const wxString& label, wxWindow* field);
    // Read-only; its selection calls OnAccountSelected.
    wxComboBox* NewAccountChoice();
    wxComboBox* NewChoice();
    // "0.00" on pale yellow, 12-point bold; takes 0 to 99999999 with two decimals.
    wxTextCtrl* NewAmountField();
    // Red text on the 3D-light colour.
    wxStaticText* NewMoneyLine();
    wxTextCtrl* NewPasswordField();
    // A line, "ok" under `okLabel` and "cancel" (each `border` pixels apart),
    // a line.
    void AddButtonRow(const wxString& okLabel, int border);
    // After the grid: the button row and a spacer; then the dialog fits and
    // centres.
    void FinishForm(wxGridBagSizer* grid);
    void FitAndCentre();

    wxButton* m_buttonOk = nullptr;
    wxButton* m_buttonCancel = nullptr;

private:
    wxComboBox* m_accountChoice = nullptr;
};
