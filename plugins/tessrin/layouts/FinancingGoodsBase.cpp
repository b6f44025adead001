#include "layouts/FinancingGoodsBase.h"

#include "common/Colours.h"

#include <wx/gbsizer.h>
#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statline.h>

FinancingGoodsBase::FinancingGoodsBase(wxWindow* parent, wxWindowID id, const wxString& title,
                                       const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    const wxFont bigBold(12, wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD, false,
                         "Microsoft YaHei UI");
    const wxColour amountBack = Colours::kShownMoneyBackground;
    auto* mainSizer = new wxBoxSizer(wxVERTICAL);
    auto* grid = new wxGridBagSizer(0, 0);
    const int labelFlags = wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL;
    const int fieldFlags = wxALL | wxEXPAND;
    int row = 0;
    auto addRow = [&](const wxString& label, wxWindow* field) {
        grid->Add(new wxStaticText(this, wxID_ANY, label), wxGBPosition(row, 0), wxDefaultSpan, labelFlags,
                  5);
        grid->Add(field, wxGBPosition(row, 1), wxDefaultSpan, fieldFlags, 5);
        ++row;
    };
    m_comboBoxVendor = new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0,
                                      nullptr, wxCB_READONLY);
    addRow(_("vendorName:"), m_comboBoxVendor);
    m_textCtrlSymbol =
        new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_READONLY);
    addRow(_("SymbolName:"), m_textCtrlSymbol);
    m_textCtrlAvailable =
        new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_READONLY);
    m_textCtrlAvailable->SetBackgroundColour(amountBack);
    addRow(_("invAvaliable:"), m_textCtrlAvailable);
    m_textCtrlAmount =
        new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_READONLY);
    m_textCtrlAmount->SetBackgroundColour(amountBack);
    addRow(_("invAmount:"), m_textCtrlAmount);
    m_textCtrlQuantity = new wxTextCtrl(this, wxID_ANY, "0");
    m_textCtrlQuantity->SetBackgroundColour(Colours::kAmountBackground);
    m_textCtrlQuantity->SetFont(bigBold);
    addRow(_("Quantity:"), m_textCtrlQuantity);
    grid->Add(new wxStaticLine(this), wxGBPosition(row++, 0), wxGBSpan(1, 2), wxALL | wxEXPAND, 5);
    m_staticTextRange = new wxStaticText(this, wxID_ANY, "0 ~ 1");
    m_staticTextRange->SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).Bold());
    grid->Add(m_staticTextRange, wxGBPosition(row++, 1), wxDefaultSpan, wxALL, 5);
    grid->Add(new wxStaticLine(this), wxGBPosition(row++, 0), wxGBSpan(1, 2), wxALL | wxEXPAND, 5);
    grid->AddGrowableCol(1);
    mainSizer->Add(grid, 0, wxALL | wxEXPAND, 5);
    mainSizer->Add(new wxStaticLine(this), 0, wxALL | wxEXPAND, 5);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    m_buttonOK = new wxButton(this, wxID_OK, _("Ok"));
    m_buttonCancel = new wxButton(this, wxID_CANCEL, _("Cancel"));
    buttons->Add(m_buttonOK, 0, wxALL, 5);
    buttons->Add(m_buttonCancel, 0, wxALL, 5);
    mainSizer->Add(buttons, 0, wxALIGN_CENTER_HORIZONTAL);
    m_textCtrlMessage = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                       wxTE_READONLY | wxTE_CENTRE | wxBORDER_NONE);
    m_textCtrlMessage->SetFont(bigBold);
    mainSizer->Add(m_textCtrlMessage, 0, wxALL | wxEXPAND, 5);
    SetSizerAndFit(mainSizer);
    Centre();

    Bind(wxEVT_INIT_DIALOG, &FinancingGoodsBase::OnInitDialog, this);
    Bind(wxEVT_CLOSE_WINDOW, &FinancingGoodsBase::OnClose, this);
    m_comboBoxVendor->Bind(wxEVT_COMBOBOX, &FinancingGoodsBase::OnVendorSelected, this);
    m_buttonOK->Bind(wxEVT_BUTTON, &FinancingGoodsBase::OnOK, this);
}

FinancingGoodsBase::~FinancingGoodsBase()
{
    Unbind(wxEVT_INIT_DIALOG, &FinancingGoodsBase::OnInitDialog, this);
    Unbind(wxEVT_CLOSE_WINDOW, &FinancingGoodsBase::OnClose, this);
    m_comboBoxVendor->Unbind(wxEVT_COMBOBOX, &FinancingGoodsBase::OnVendorSelected, this);
    m_buttonOK->Unbind(wxEVT_BUTTON, &FinancingGoodsBase::OnOK, this);
}
