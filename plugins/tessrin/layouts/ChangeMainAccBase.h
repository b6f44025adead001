#pragma once

#include "layouts/FittingDialog.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>

// Layout of the main-account change: the main-account line, the account
// choice, "changeMainAcc" and cancel.
class ChangeMainAccBase : public FittingDialog
{
public:
    explicit ChangeMainAccBase(wxWindow* parent = nullptr, wxWindowID id = wxID_ANY,
                               const wxString& title = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
                               const wxSize& size = wxDefaultSize,
                               long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);
    ~ChangeMainAccBase() override;

    wxTextCtrl* GetTextCtrlMainLine() { return m_textCtrlMainLine; }
    wxComboBox* GetComboBoxAccount() { return m_comboBoxAccount; }
    wxButton* GetButtonOk() { return m_buttonOk; }
    wxButton* GetButtonCancel() { return m_buttonCancel; }

protected:
    virtual void OnInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void OnClose(wxCloseEvent& event) { event.Skip(); }
    virtual void OnOk(wxCommandEvent& event) { event.Skip(); }

    wxTextCtrl* m_textCtrlMainLine;
    wxComboBox* m_comboBoxAccount;
    wxButton* m_buttonOk;
    wxButton* m_buttonCancel;
};
