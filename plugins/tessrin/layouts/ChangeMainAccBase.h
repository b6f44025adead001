#pragma once

#include "layouts/AccountFormBase.h"

#include <wx/combobox.h>
#include <wx/textctrl.h>

// Layout of the main-account change: the main-account line, the account
// choice, "changeMainAcc" and cancel.
class ChangeMainAccBase : public AccountFormBase
{
public:
    explicit ChangeMainAccBase(wxWindow* parent = nullptr, wxWindowID id = wxID_ANY,
                               const wxString& title = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
                               const wxSize& size = wxDefaultSize,
                               long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);

    wxTextCtrl* GetTextCtrlMainLine() { return m_textCtrlMainLine; }
    wxComboBox* GetComboBoxAccount() { return m_comboBoxAccount; }

protected:
    wxTextCtrl* m_textCtrlMainLine;
    wxComboBox* m_comboBoxAccount;
};
