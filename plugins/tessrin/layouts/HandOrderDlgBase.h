#pragma once

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>

// Layout of the hang-order dialog: symbol, side, price, quantity, minimum
// quantity, warehouse and effective day in a grid, the OK and Cancel buttons,
// and a borderless status line. The hand-written dialog overrides the
// handlers.
class HandOrderDlgBase : public wxDialog
{
public:
    explicit HandOrderDlgBase(wxWindow* parent = nullptr, wxWindowID id = wxID_ANY,
                              const wxString& title = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
                              const wxSize& size = wxDefaultSize,
                              long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);
    ~HandOrderDlgBase() override;

    wxComboBox* GetComboBoxSymbol() { return m_comboBoxSymbol; }
    wxComboBox* GetComboBoxBS() { return m_comboBoxBS; }
    wxTextCtrl* GetTextCtrlPrice() { return m_textCtrlPrice; }
    wxComboBox* GetComboBoxQty() { return m_comboBoxQty; }
    wxComboBox* GetComboBoxMinQty() { return m_comboBoxMinQty; }
    wxComboBox* GetComboBoxWareHouse() { return m_comboBoxWareHouse; }
    wxTextCtrl* GetTextCtrlEffectiveDay() { return m_textCtrlEffectiveDay; }
    wxButton* GetButtonOK() { return m_buttonOK; }
    wxButton* GetButtonCancel() { return m_buttonCancel; }
    wxTextCtrl* GetTextCtrlStatus() { return m_textCtrlStatus; }

protected:
    virtual void OnInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void OnOK(wxCommandEvent& event) { event.Skip(); }

    wxComboBox* m_comboBoxSymbol;
    wxComboBox* m_comboBoxBS;
    wxTextCtrl* m_textCtrlPrice;
    wxComboBox* m_comboBoxQty;
    wxComboBox* m_comboBoxMinQty;
    wxComboBox* m_comboBoxWareHouse;
    wxTextCtrl* m_textCtrlEffectiveDay;
    wxButton* m_buttonOK;
    wxButton* m_buttonCancel;
    wxTextCtrl* m_textCtrlStatus;
};
