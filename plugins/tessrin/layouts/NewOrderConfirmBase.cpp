#include "layouts/NewOrderConfirmBase.h"

#include "layouts/BitmapResources.h"

#include <wx/gbsizer.h>
#include <wx/intl.h>
#include <wx/sizer.h>

NewOrderConfirmBase::NewOrderConfirmBase(wxWindow* parent, wxWindowID /*id*/, const wxString& title,
                                         const wxPoint& pos, const wxSize& size, long /*style*/)
    : wxDialog(parent, wxID_ANY, title, pos, size, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER)
{
    EnsureBitmapResources();

    auto* mainSizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(mainSizer);
    auto* grid = new wxGridBagSizer(0, 0);
    mainSizer->Add(grid, 1, wxALL | wxEXPAND, 5);

    int row = 0;
    auto addRow = [&](wxStaticText*& caption, wxTextCtrl*& value, const wxString& label, int align,
                      const wxSize& size) {
        caption = new wxStaticText(this, wxID_ANY, label, wxDefaultPosition, wxDefaultSize, align);
        grid->Add(caption, wxGBPosition(row, 0), wxGBSpan(1, 1), wxALL | align | wxALIGN_CENTER_VERTICAL, 5);
        value = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, size,
                               wxTE_READONLY | wxBORDER_NONE);
        grid->Add(value, wxGBPosition(row, 1), wxGBSpan(1, 1), wxALL | wxEXPAND, 5);
        ++row;
    };
    addRow(m_symbolNameCaption, m_symbolNameValue, _("symbolName:"), wxALIGN_RIGHT, wxSize(150, -1));
    addRow(m_sideCaption, m_sideValue, _("Side:"), wxALIGN_RIGHT, wxDefaultSize);
    addRow(m_priceCaption, m_priceValue, _("symbolPrice:"), wxALIGN_RIGHT, wxDefaultSize);
    addRow(m_quantityCaption, m_quantityValue, _("symbolQuantity:"), wxALIGN_RIGHT, wxDefaultSize);
    addRow(m_orderTypeCaption, m_orderTypeValue, _("OrderType:"), wxALIGN_RIGHT, wxDefaultSize);
    addRow(m_stopLossCaption, m_stopLossValue, _("StopLoss:"), wxALIGN_RIGHT, wxDefaultSize);
    addRow(m_takeProfitCaption, m_takeProfitValue, _("TakeProfit:"), wxALIGN_RIGHT, wxDefaultSize);
    addRow(m_marginTypeCaption, m_marginTypeValue, _("MarginType:"), wxALIGN_LEFT, wxDefaultSize);
    grid->AddGrowableCol(1);
    m_marginTypeCaption->Hide();
    m_marginTypeValue->Hide();

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(buttons, 0, wxEXPAND, 0);
    buttons->Add(10, 0, 1, 0, 0);
    m_confirmOk = new wxButton(this, wxID_OK, _("ok"));
    // Enter confirms: the read-only rows would otherwise take it.
    m_confirmOk->SetDefault();
    m_confirmOk->SetFocus();
    buttons->Add(m_confirmOk, 0, wxALL, 5);
    m_confirmCancel = new wxButton(this, wxID_CANCEL, _("cancel"));
    buttons->Add(m_confirmCancel, 0, wxALL, 5);
    buttons->Add(10, 0, 1, 0, 0);

    SetSizeHints(wxDefaultSize, wxDefaultSize);
    mainSizer->Fit(this);
    Centre(wxBOTH);

    Bind(wxEVT_INIT_DIALOG, &NewOrderConfirmBase::OnInitDialog, this);
}

NewOrderConfirmBase::~NewOrderConfirmBase()
{
    Unbind(wxEVT_INIT_DIALOG, &NewOrderConfirmBase::OnInitDialog, this);
}
