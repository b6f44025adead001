#pragma once

#include "layouts/FittingDialog.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

// Layout of the transfer between accounts: source and destination choices,
// the amount, the source's money line, the account password, ok and cancel.
class TransferAccBase : public FittingDialog
{
public:
    explicit TransferAccBase(wxWindow* parent = nullptr, wxWindowID id = wxID_ANY,
                             const wxString& title = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
                             const wxSize& size = wxDefaultSize,
                             long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);
    ~TransferAccBase() override;

    wxComboBox* GetComboBoxSource() { return m_comboBoxSource; }
    wxComboBox* GetComboBoxDest() { return m_comboBoxDest; }
    wxTextCtrl* GetTextCtrlAmount() { return m_textCtrlAmount; }
    wxStaticText* GetStaticTextSourceLine() { return m_staticTextSourceLine; }
    wxTextCtrl* GetTextCtrlPassword() { return m_textCtrlPassword; }
    wxButton* GetButtonOk() { return m_buttonOk; }
    wxButton* GetButtonCancel() { return m_buttonCancel; }

protected:
    virtual void OnInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void OnClose(wxCloseEvent& event) { event.Skip(); }
    virtual void OnSourceSelected(wxCommandEvent& event) { event.Skip(); }
    virtual void OnOk(wxCommandEvent& event) { event.Skip(); }

    wxComboBox* m_comboBoxSource;
    wxComboBox* m_comboBoxDest;
    wxTextCtrl* m_textCtrlAmount;
    wxStaticText* m_staticTextSourceLine;
    wxTextCtrl* m_textCtrlPassword;
    wxButton* m_buttonOk;
    wxButton* m_buttonCancel;
};
