#include "layouts/StoreOrderDlgBase.h"

#include <wx/gbsizer.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/statline.h>

StoreOrderDlgBase::StoreOrderDlgBase(wxWindow* parent, wxWindowID id, const wxString& title,
                                     const wxPoint& pos, const wxSize& size, long style)
    : FittingDialog(parent, id, title, pos, size, style)
{
    auto* mainSizer = new wxBoxSizer(wxVERTICAL);
    auto* grid = new wxGridBagSizer(0, 0);
    const int labelFlags = wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL;
    const int fieldFlags = wxALL | wxEXPAND;

    auto* symbolLabel = new wxStaticText(this, wxID_ANY, _("Symbol:"));
    m_comboBoxSymbol = new wxComboBox(this, wxID_ANY);
    auto* wareHouseLabel = new wxStaticText(this, wxID_ANY, _("Ware House:"));
    m_comboBoxWareHouse = new wxComboBox(this, wxID_ANY);
    wxArrayString quantities;
    for(int i = 1; i <= 10; ++i) {
        quantities.Add(wxString::Format("%d", i));
    }
    m_comboBoxQty =
        new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, quantities);
    auto* quantityLabel = new wxStaticText(this, wxID_ANY, _("Quantity:"));
    auto* storeOrderLabel = new wxStaticText(this, wxID_ANY, _("Store Order:"));
    m_comboBoxStoreOrder = new wxComboBox(this, wxID_ANY);

    grid->Add(symbolLabel, wxGBPosition(0, 0), wxDefaultSpan, labelFlags, 5);
    grid->Add(m_comboBoxSymbol, wxGBPosition(0, 1), wxDefaultSpan, fieldFlags, 5);
    grid->Add(wareHouseLabel, wxGBPosition(1, 0), wxDefaultSpan, labelFlags, 5);
    grid->Add(m_comboBoxWareHouse, wxGBPosition(1, 1), wxDefaultSpan, fieldFlags, 5);
    grid->Add(quantityLabel, wxGBPosition(2, 0), wxDefaultSpan, labelFlags, 5);
    grid->Add(m_comboBoxQty, wxGBPosition(2, 1), wxDefaultSpan, fieldFlags, 5);
    grid->Add(storeOrderLabel, wxGBPosition(3, 0), wxDefaultSpan, labelFlags, 5);
    grid->Add(m_comboBoxStoreOrder, wxGBPosition(3, 1), wxDefaultSpan, fieldFlags, 5);
    grid->AddGrowableCol(1);
    mainSizer->Add(grid, 0, wxALL | wxEXPAND, 5);
    mainSizer->Add(new wxStaticLine(this), 0, wxALL | wxEXPAND, 5);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    m_buttonOK = new wxButton(this, wxID_OK, _("Ok"));
    m_buttonCancel = new wxButton(this, wxID_CANCEL, _("Cancel"));
    buttons->Add(m_buttonOK, 0, wxALL, 5);
    buttons->Add(m_buttonCancel, 0, wxALL, 5);
    mainSizer->Add(buttons, 0, wxALIGN_CENTER_HORIZONTAL);
    mainSizer->Add(new wxStaticLine(this), 0, wxALL | wxEXPAND, 5);
    m_staticTextMessage = new wxStaticText(this, wxID_ANY, wxEmptyString);
    mainSizer->Add(m_staticTextMessage, 0, wxALL | wxEXPAND, 5);
    SetSizer(mainSizer);

    Bind(wxEVT_INIT_DIALOG, &StoreOrderDlgBase::OnInitDialog, this);
    m_buttonOK->Bind(wxEVT_BUTTON, &StoreOrderDlgBase::OnOK, this);
}

StoreOrderDlgBase::~StoreOrderDlgBase()
{
    Unbind(wxEVT_INIT_DIALOG, &StoreOrderDlgBase::OnInitDialog, this);
    m_buttonOK->Unbind(wxEVT_BUTTON, &StoreOrderDlgBase::OnOK, this);
}
