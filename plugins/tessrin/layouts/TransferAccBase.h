#pragma once

#include "layouts/AccountFormBase.h"

#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

// Layout of the transfer between accounts: source and destination choices,
// the amount, the source's money line, the account password, ok and cancel.
// The account the line is about is the source.
class TransferAccBase : public AccountFormBase
{
public:
    explicit TransferAccBase(wxWindow* parent = nullptr, wxWindowID id = wxID_ANY,
                             const wxString& title = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
                             const wxSize& size = wxDefaultSize,
                             long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);

    wxComboBox* GetComboBoxSource() { return m_comboBoxSource; }
    wxComboBox* GetComboBoxDest() { return m_comboBoxDest; }
    wxTextCtrl* GetTextCtrlAmount() { return m_textCtrlAmount; }
    wxStaticText* GetStaticTextSourceLine() { return m_staticTextSourceLine; }
    wxTextCtrl* GetTextCtrlPassword() { return m_textCtrlPassword; }

protected:
    wxComboBox* m_comboBoxSource;
    wxComboBox* m_comboBoxDest;
    wxTextCtrl* m_textCtrlAmount;
    wxStaticText* m_staticTextSourceLine;
    wxTextCtrl* m_textCtrlPassword;
};
