#pragma once

#include "layouts/FittingDialog.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

// Layout of the deposit and withdrawal dialog: the account choice, the
// user's name, the bank, the remaining and withdrawable money, the amount
// and money password, OK and Cancel, and the message line. The
// hand-written dialog overrides the handlers.
class MoneyDialogBase : public FittingDialog
{
public:
    explicit MoneyDialogBase(wxWindow* parent = nullptr, wxWindowID id = wxID_ANY,
                             const wxString& title = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
                             const wxSize& size = wxDefaultSize,
                             long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);
    ~MoneyDialogBase() override;

    wxComboBox* GetComboBoxAccount() { return m_comboBoxAccount; }
    wxTextCtrl* GetTextCtrlName() { return m_textCtrlName; }
    wxTextCtrl* GetTextCtrlBank() { return m_textCtrlBank; }
    wxTextCtrl* GetTextCtrlRemain() { return m_textCtrlRemain; }
    wxTextCtrl* GetTextCtrlWithdrawable() { return m_textCtrlWithdrawable; }
    wxStaticText* GetStaticTextAmount() { return m_staticTextAmount; }
    wxTextCtrl* GetTextCtrlAmount() { return m_textCtrlAmount; }
    wxTextCtrl* GetTextCtrlMoneyPassword() { return m_textCtrlMoneyPassword; }
    wxButton* GetButtonOk() { return m_buttonOk; }
    wxButton* GetButtonCancel() { return m_buttonCancel; }
    wxTextCtrl* GetTextCtrlMessage() { return m_textCtrlMessage; }

protected:
    virtual void OnInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void OnClose(wxCloseEvent& event) { event.Skip(); }
    virtual void OnAccountSelected(wxCommandEvent& event) { event.Skip(); }
    virtual void OnOk(wxCommandEvent& event) { event.Skip(); }

    wxComboBox* m_comboBoxAccount;
    wxTextCtrl* m_textCtrlName;
    wxTextCtrl* m_textCtrlBank;
    wxTextCtrl* m_textCtrlRemain;
    wxTextCtrl* m_textCtrlWithdrawable;
    wxStaticText* m_staticTextAmount;
    wxTextCtrl* m_textCtrlAmount;
    wxTextCtrl* m_textCtrlMoneyPassword;
    wxButton* m_buttonOk;
    wxButton* m_buttonCancel;
    wxTextCtrl* m_textCtrlMessage;
};
