#pragma once

#include "layouts/FittingDialog.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/stattext.h>

// Layout of the store-order dialog: symbol, warehouse, quantity and store
// order in a grid, the OK and Cancel buttons and a message line, kept whole
// as its texts change. The hand-written dialog overrides the handlers.
class StoreOrderDlgBase : public FittingDialog
{
public:
    explicit StoreOrderDlgBase(wxWindow* parent = nullptr, wxWindowID id = wxID_ANY,
                               const wxString& title = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
                               const wxSize& size = wxSize(500, 300),
                               long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);
    ~StoreOrderDlgBase() override;

    wxComboBox* GetComboBoxSymbol() { return m_comboBoxSymbol; }
    wxComboBox* GetComboBoxWareHouse() { return m_comboBoxWareHouse; }
    wxComboBox* GetComboBoxQty() { return m_comboBoxQty; }
    wxComboBox* GetComboBoxStoreOrder() { return m_comboBoxStoreOrder; }
    wxButton* GetButtonOK() { return m_buttonOK; }
    wxButton* GetButtonCancel() { return m_buttonCancel; }
    wxStaticText* GetStaticTextMessage() { return m_staticTextMessage; }

protected:
    virtual void OnInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void OnOK(wxCommandEvent& event) { event.Skip(); }

    wxComboBox* m_comboBoxSymbol;
    wxComboBox* m_comboBoxWareHouse;
    wxComboBox* m_comboBoxQty;
    wxComboBox* m_comboBoxStoreOrder;
    wxButton* m_buttonOK;
    wxButton* m_buttonCancel;
    wxStaticText* m_staticTextMessage;
};
