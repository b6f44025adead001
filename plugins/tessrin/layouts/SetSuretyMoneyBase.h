#pragma once

#include "layouts/AccountFormBase.h"

#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

// Layout of the surety-money dialog: the account choice, the amount, the
// current-surety line, the account password, ok and cancel.
class SetSuretyMoneyBase : public AccountFormBase
{
public:
    explicit SetSuretyMoneyBase(wxWindow* parent = nullptr, wxWindowID id = wxID_ANY,
                                const wxString& title = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
                                const wxSize& size = wxDefaultSize,
                                long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);

    wxComboBox* GetComboBoxAccount() { return m_comboBoxAccount; }
    wxTextCtrl* GetTextCtrlAmount() { return m_textCtrlAmount; }
    wxStaticText* GetStaticTextSuretyLine() { return m_staticTextSuretyLine; }
    wxTextCtrl* GetTextCtrlPassword() { return m_textCtrlPassword; }

protected:
    wxComboBox* m_comboBoxAccount;
    wxTextCtrl* m_textCtrlAmount;
    wxStaticText* m_staticTextSuretyLine;
    wxTextCtrl* m_textCtrlPassword;
};
