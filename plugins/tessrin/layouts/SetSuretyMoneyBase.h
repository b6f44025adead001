#pragma once

#include "layouts/FittingDialog.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

// Layout of the surety-money dialog: the account choice, the amount, the
// current-surety line, the account password, ok and cancel.
class SetSuretyMoneyBase : public FittingDialog
{
public:
    explicit SetSuretyMoneyBase(wxWindow* parent = nullptr, wxWindowID id = wxID_ANY,
                                const wxString& title = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
                                const wxSize& size = wxDefaultSize,
                                long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);
    ~SetSuretyMoneyBase() override;

    wxComboBox* GetComboBoxAccount() { return m_comboBoxAccount; }
    wxTextCtrl* GetTextCtrlAmount() { return m_textCtrlAmount; }
    wxStaticText* GetStaticTextSuretyLine() { return m_staticTextSuretyLine; }
    wxTextCtrl* GetTextCtrlPassword() { return m_textCtrlPassword; }
    wxButton* GetButtonOk() { return m_buttonOk; }
    wxButton* GetButtonCancel() { return m_buttonCancel; }

protected:
    virtual void OnInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void OnClose(wxCloseEvent& event) { event.Skip(); }
    virtual void OnAccountSelected(wxCommandEvent& event) { event.Skip(); }
    virtual void OnOk(wxCommandEvent& event) { event.Skip(); }

    wxComboBox* m_comboBoxAccount;
    wxTextCtrl* m_textCtrlAmount;
    wxStaticText* m_staticTextSuretyLine;
    wxTextCtrl* m_textCtrlPassword;
    wxButton* m_buttonOk;
    wxButton* m_buttonCancel;
};
