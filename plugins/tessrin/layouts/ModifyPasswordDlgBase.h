#pragma once

#include "layouts/FittingDialog.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

// Layout of the password-change dialog: the kind choice, the old, new and
// confirmation passwords, the note, OK and Cancel, and the message line.
class ModifyPasswordDlgBase : public FittingDialog
{
public:
    explicit ModifyPasswordDlgBase(wxWindow* parent = nullptr, wxWindowID id = wxID_ANY,
                                   const wxString& title = wxEmptyString,
                                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                                   long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    ~ModifyPasswordDlgBase() override;

    wxComboBox* GetComboBoxKind() { return m_comboBoxKind; }
    wxTextCtrl* GetTextCtrlOldPassword() { return m_textCtrlOldPassword; }
    wxTextCtrl* GetTextCtrlNewPassword() { return m_textCtrlNewPassword; }
    wxTextCtrl* GetTextCtrlConfirmPassword() { return m_textCtrlConfirmPassword; }
    wxStaticText* GetStaticTextNote() { return m_staticTextNote; }
    wxButton* GetButtonOk() { return m_buttonOk; }
    wxButton* GetButtonCancel() { return m_buttonCancel; }
    wxTextCtrl* GetTextCtrlMessage() { return m_textCtrlMessage; }

protected:
    virtual void OnInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void OnClose(wxCloseEvent& event) { event.Skip(); }
    virtual void OnOk(wxCommandEvent& event) { event.Skip(); }

    wxComboBox* m_comboBoxKind;
    wxTextCtrl* m_textCtrlOldPassword;
    wxTextCtrl* m_textCtrlNewPassword;
    wxTextCtrl* m_textCtrlConfirmPassword;
    wxStaticText* m_staticTextNote;
    wxButton* m_buttonOk;
    wxButton* m_buttonCancel;
    wxTextCtrl* m_textCtrlMessage;
};
