#include "layouts/TranscationPanelBase.h"

#include "layouts/BitmapResources.h"
#include "layouts/wxSpinCtrlDouble_.h"

#include <pelmora/pmColourButton.h>
#include <wx/gbsizer.h>
#include <wx/intl.h>
#include <wx/sizer.h>

namespace {
// The stop spins take any number typed: the panel checks it as typed, where
// the toolkit would clamp it to the range (-5 becoming 0, no stop).
constexpr int kTypedPriceBound = 9999999;
} // namespace

TranscationPanelBase::TranscationPanelBase(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                           const wxSize& size, long style)
    : wxPanel(parent, id, pos, size, style)
{
    EnsureBitmapResources();

    auto* mainSizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(mainSizer);
    auto* grid = new wxGridBagSizer(0, 0);
    mainSizer->Add(grid, 0, wxEXPAND | wxALL, 0);

    const int labelFlags = wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL | wxALL;
    const int fieldFlags = wxEXPAND | wxALIGN_CENTER_VERTICAL | wxALL;
    m_quantityLabel = new wxStaticText(this, wxID_ANY, _("Quantity:"));
    grid->Add(m_quantityLabel, wxGBPosition(0, 0), wxGBSpan(1, 1), labelFlags, 3);
    m_stopLossLabel = new wxStaticText(this, wxID_ANY, _("StopLoss:"));
    grid->Add(m_stopLossLabel, wxGBPosition(1, 0), wxGBSpan(1, 1), labelFlags, 3);
    // Each spin on a row of its own: side by side they are wider than the panel.
    m_takeProfitLabel = new wxStaticText(this, wxID_ANY, _("TakeProfit:"));
    grid->Add(m_takeProfitLabel, wxGBPosition(2, 0), wxGBSpan(1, 1), labelFlags, 3);

    wxArrayString quantities;
    for(int i = 1; i <= 10; ++i) {
        quantities.Add(wxString::Format("%d", i));
    }
    m_quantityCombo = new wxComboBox(this, wxID_ANY, "1", wxDefaultPosition, wxDefaultSize, quantities);
    grid->Add(m_quantityCombo, wxGBPosition(0, 1), wxGBSpan(1, 1), fieldFlags, 3);
    m_stopLossSpin = new wxSpinCtrlDouble_(this, wxID_ANY, "0", wxDefaultPosition, wxDefaultSize,
                                           wxSP_ARROW_KEYS, -kTypedPriceBound, kTypedPriceBound, 0);
    m_stopLossSpin->SetDigits(0);
    grid->Add(m_stopLossSpin, wxGBPosition(1, 1), wxGBSpan(1, 1), fieldFlags, 3);
    m_takeProfitSpin = new wxSpinCtrlDouble_(this, wxID_ANY, "0", wxDefaultPosition, wxDefaultSize,
                                             wxSP_ARROW_KEYS, -kTypedPriceBound, kTypedPriceBound, 0);
    m_takeProfitSpin->SetDigits(0);
    grid->Add(m_takeProfitSpin, wxGBPosition(2, 1), wxGBSpan(1, 1), fieldFlags, 3);
    grid->AddGrowableCol(1);

    m_topLine = new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL);
    mainSizer->Add(m_topLine, 0, wxEXPAND | wxALL, 2);

    auto* pointRow = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(pointRow, 0, wxLEFT, 15);
    m_pointDiffCheck = new wxCheckBox(this, wxID_ANY, _("biggest diff"));
    m_pointDiffCheck->SetValue(true);
    pointRow->Add(m_pointDiffCheck, 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    m_pointDiffSpin =
        new wxSpinCtrl(this, wxID_ANY, "20", wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS, 0, 10000, 20);
    pointRow->Add(m_pointDiffSpin, 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    m_pointLabel = new wxStaticText(this, wxID_ANY, _("Point"));
    pointRow->Add(m_pointLabel, 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);

    mainSizer->AddSpacer(5);
    // One switch for every order window: the label says so.
    m_preConfirmCheck = new wxCheckBox(this, wxID_ANY, _("Pre confirmation (all order windows)"));
    m_preConfirmCheck->SetValue(true);
    mainSizer->Add(m_preConfirmCheck, 0, wxLEFT, 15);

    m_bottomLine = new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL);
    mainSizer->Add(m_bottomLine, 0, wxEXPAND | wxALL, 2);

    auto* buttonRow = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(buttonRow, 0, wxEXPAND | wxALL, 0);
    m_buyButton =
        new pmColourButton(this, wxID_ANY, _("buy"), wxDefaultPosition, wxDefaultSize, wxBORDER_NONE);
    buttonRow->Add(m_buyButton, 1, wxEXPAND | wxALL, 5);
    m_sellButton =
        new pmColourButton(this, wxID_ANY, _("sell"), wxDefaultPosition, wxDefaultSize, wxBORDER_NONE);
    buttonRow->Add(m_sellButton, 1, wxEXPAND | wxALL, 5);
    m_limitPriceButton =
        new pmColourButton(this, wxID_ANY, _("limitPrice"), wxDefaultPosition, wxDefaultSize, wxBORDER_NONE);
    buttonRow->Add(m_limitPriceButton, 0, wxEXPAND | wxALL, 5);

    m_messageText = new wxStaticText(this, wxID_ANY, wxEmptyString);
    m_messageText->Hide();
    mainSizer->Add(m_messageText, 0, wxEXPAND | wxALL, 1);

    mainSizer->Fit(this);
    Centre(wxBOTH);

    m_quantityCombo->Bind(wxEVT_COMBOBOX, &TranscationPanelBase::OnQuantitySelected, this);
    m_stopLossSpin->Bind(wxEVT_SPINCTRLDOUBLE, &TranscationPanelBase::OnStopLossSpin, this);
    m_takeProfitSpin->Bind(wxEVT_SPINCTRLDOUBLE, &TranscationPanelBase::OnTakeProfitSpin, this);
    m_pointDiffCheck->Bind(wxEVT_CHECKBOX, &TranscationPanelBase::OnPointDiffCheck, this);
    m_pointDiffCheck->Bind(wxEVT_KEY_DOWN, &TranscationPanelBase::OnPointDiffKeyDown, this);
    m_preConfirmCheck->Bind(wxEVT_CHECKBOX, &TranscationPanelBase::OnPreConfirmCheck, this);
    m_buyButton->Bind(wxEVT_BUTTON, &TranscationPanelBase::OnBuy, this);
    m_sellButton->Bind(wxEVT_BUTTON, &TranscationPanelBase::OnSell, this);
    m_limitPriceButton->Bind(wxEVT_BUTTON, &TranscationPanelBase::OnLimitPrice, this);
}

TranscationPanelBase::~TranscationPanelBase()
{
    m_quantityCombo->Unbind(wxEVT_COMBOBOX, &TranscationPanelBase::OnQuantitySelected, this);
    m_stopLossSpin->Unbind(wxEVT_SPINCTRLDOUBLE, &TranscationPanelBase::OnStopLossSpin, this);
    m_takeProfitSpin->Unbind(wxEVT_SPINCTRLDOUBLE, &TranscationPanelBase::OnTakeProfitSpin, this);
    m_pointDiffCheck->Unbind(wxEVT_CHECKBOX, &TranscationPanelBase::OnPointDiffCheck, this);
    m_pointDiffCheck->Unbind(wxEVT_KEY_DOWN, &TranscationPanelBase::OnPointDiffKeyDown, this);
    m_preConfirmCheck->Unbind(wxEVT_CHECKBOX, &TranscationPanelBase::OnPreConfirmCheck, this);
    m_buyButton->Unbind(wxEVT_BUTTON, &TranscationPanelBase::OnBuy, this);
    m_sellButton->Unbind(wxEVT_BUTTON, &TranscationPanelBase::OnSell, this);
    m_limitPriceButton->Unbind(wxEVT_BUTTON, &TranscationPanelBase::OnLimitPrice, this);
}
