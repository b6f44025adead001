#include "layouts/CloseOrderConfirmBase.h"

#include "layouts/BitmapResources.h"

#include <wx/gbsizer.h>
#include <wx/sizer.h>

CloseOrderConfirmBase::CloseOrderConfirmBase(wxWindow* parent, wxWindowID id, const wxString& title,
                                             const wxPoint& pos, const wxSize& size, long style)
{
    EnsureBitmapResources();
    Create(parent, id, title, pos, size, style);

    auto* root = new wxBoxSizer(wxVERTICAL);
    auto* grid = new wxGridBagSizer(0, 0);
    grid->SetFlexibleDirection(wxBOTH);
    grid->SetNonFlexibleGrowMode(wxFLEX_GROWMODE_SPECIFIED);
    root->Add(grid, 1, wxALL | wxEXPAND, 5);

    const long valueStyle = wxTE_READONLY | wxTE_CENTRE | wxBORDER_NONE;
    auto row = [&](int index, const wxString& caption, wxStaticText*& label, wxTextCtrl*& value) {
        label = new wxStaticText(this, wxID_ANY, caption, wxDefaultPosition, wxDefaultSize, wxALIGN_RIGHT);
        grid->Add(label, wxGBPosition(index, 0), wxGBSpan(1, 1),
                  wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL, 5);
        value = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, valueStyle);
        grid->Add(value, wxGBPosition(index, 1), wxGBSpan(1, 1), wxALL | wxEXPAND, 5);
    };
    row(0, _("symbolName:"), m_symbolNameCaption, m_symbolNameValue);
    row(1, _("symbolPrice:"), m_priceCaption, m_priceValue);
    row(2, _("symbolQuantity:"), m_quantityCaption, m_quantityValue);
    row(3, _("OrderType:"), m_orderTypeCaption, m_orderTypeValue);
    row(4, _("OrderCode:"), m_orderCodeCaption, m_orderCodeValue);
    grid->AddGrowableCol(1);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    root->Add(buttons, 0, wxALL | wxALIGN_CENTER_HORIZONTAL, 5);
    m_confirmOk = new wxButton(this, wxID_OK, _("ok"));
    // Enter confirms: the read-only rows would otherwise take it.
    m_confirmOk->SetDefault();
    m_confirmOk->SetFocus();
    buttons->Add(m_confirmOk, 0, wxALL, 5);
    m_confirmCancel = new wxButton(this, wxID_CANCEL, _("cancel"));
    buttons->Add(m_confirmCancel, 0, wxALL, 5);

    SetSizer(root);
    root->Fit(this);
    Centre(wxBOTH);
    Bind(wxEVT_INIT_DIALOG, &CloseOrderConfirmBase::OnInitDialog, this);
}

CloseOrderConfirmBase::~CloseOrderConfirmBase()
{
    Unbind(wxEVT_INIT_DIALOG, &CloseOrderConfirmBase::OnInitDialog, this);
}
