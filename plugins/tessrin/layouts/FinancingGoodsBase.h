#pragma once

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

// Layout of the goods financing dialog: vendor, symbol, available and total
// amounts, the quantity and its range, the OK and Cancel buttons and a
// message line. The hand-written dialog overrides the handlers.
class FinancingGoodsBase : public wxDialog
{
public:
    explicit FinancingGoodsBase(wxWindow* parent = nullptr, wxWindowID id = wxID_ANY,
                                const wxString& title = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
                                const wxSize& size = wxDefaultSize,
                                long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    ~FinancingGoodsBase() override;

    wxComboBox* GetComboBoxVendor() { return m_comboBoxVendor; }
    wxTextCtrl* GetTextCtrlSymbol() { return m_textCtrlSymbol; }
    wxTextCtrl* GetTextCtrlAvailable() { return m_textCtrlAvailable; }
    wxTextCtrl* GetTextCtrlAmount() { return m_textCtrlAmount; }
    wxTextCtrl* GetTextCtrlQuantity() { return m_textCtrlQuantity; }
    wxStaticText* GetStaticTextRange() { return m_staticTextRange; }
    wxButton* GetButtonOK() { return m_buttonOK; }
    wxTextCtrl* GetTextCtrlMessage() { return m_textCtrlMessage; }

protected:
    virtual void OnInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void OnClose(wxCloseEvent& event) { event.Skip(); }
    virtual void OnVendorSelected(wxCommandEvent& event) { event.Skip(); }
    virtual void OnOK(wxCommandEvent& event) { event.Skip(); }

    wxComboBox* m_comboBoxVendor;
    wxTextCtrl* m_textCtrlSymbol;
    wxTextCtrl* m_textCtrlAvailable;
    wxTextCtrl* m_textCtrlAmount;
    wxTextCtrl* m_textCtrlQuantity;
    wxStaticText* m_staticTextRange;
    wxButton* m_buttonOK;
    wxButton* m_buttonCancel;
    wxTextCtrl* m_textCtrlMessage;
};
