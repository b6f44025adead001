#include "layouts/OrderDialogBase.h"

#include "common/Colours.h"
#include "layouts/BitmapResources.h"
#include "layouts/wxSpinCtrlDouble_.h"

#include <algorithm>
#include <wx/font.h>
#include <wx/gbsizer.h>
#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/sizer.h>

namespace {

constexpr wxWindowID kBuyRadioId = 1001;
constexpr wxWindowID kSellRadioId = 1002;

// The face is not installed everywhere: asked for by name with the swiss
// family, the default face stands in where it is missing.
wxFont LayoutFont(int points, wxFontWeight weight = wxFONTWEIGHT_NORMAL)
{
    return wxFont(points, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, weight, false, "Microsoft YaHei UI");
}

// A control made with one font and given a larger one later keeps the first
// one's size (GTK then squeezes it): the controls inherit the dialog's font
// instead, and only the few that differ are given theirs.
void UseFont(wxWindow* control, const wxFont& font, const wxSize& size = wxDefaultSize)
{
    control->SetFont(font);
    control->SetInitialSize(size);
}

// GTK sizes a spin control for its range and font, beyond what wx reserves
// for it: a spin narrower than that is squeezed. Widths in characters of the
// dialog's font.
constexpr int kIntegerSpinChars = 24;
constexpr int kDecimalSpinChars = 27;

// The spins take any number typed: the dialog checks it as typed, where the
// toolkit would clamp it to the range (0 becoming 1, -5 becoming 0).
constexpr int kTypedQuantityBound = 99999999;
constexpr double kTypedPriceBound = 99999999.0;

void SetSpinWidth(wxWindow* spin, int chars)
{
    spin->SetMinSize(wxSize(std::max(spin->GetBestSize().x, spin->GetCharWidth() * chars), -1));
}

} // namespace

OrderDialogBase::OrderDialogBase(wxWindow* /*parent*/, wxWindowID /*id*/, const wxString& title,
                                 const wxPoint& pos, const wxSize& size, long /*style*/)
    : wxDialog(nullptr, wxID_ANY, title, pos, size, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER)
{
    EnsureBitmapResources();

    const wxFont defaultFont = GetFont();
    SetFont(LayoutFont(11));
    const wxFont priceFont = LayoutFont(16, wxFONTWEIGHT_BOLD);

    m_symbolCombo = new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0,
                                   nullptr, wxCB_READONLY);
    m_orderTypeLabel = new wxStaticText(this, wxID_ANY, _("OrderType:"));
    m_orderTypeCombo = new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0,
                                      nullptr, wxCB_READONLY);
    m_quantityLabel = new wxStaticText(this, wxID_ANY, _("Quantity:"));
    m_symbolLabel =
        new wxStaticText(this, wxID_ANY, _("Symbol:"), wxDefaultPosition, wxDefaultSize, wxALIGN_CENTRE);
    m_marginTypeCombo = new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0,
                                       nullptr, wxCB_READONLY);
    m_marginTypeLabel = new wxStaticText(this, wxID_ANY, _("MarginType:"));

    m_quantitySpin =
        new wxSpinCtrl(this, wxID_ANY, "1", wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS, 0, 100, 0);
    m_quantitySpin->SetRange(-kTypedQuantityBound, kTypedQuantityBound);
    m_quantitySpin->SetValue(1);
    SetSpinWidth(m_quantitySpin, kIntegerSpinChars);
    m_maxButton = new wxButton(this, wxID_ANY, _("MAX"), wxDefaultPosition, wxSize(50, 28), wxBORDER_NONE);
    UseFont(m_maxButton, defaultFont, wxSize(50, 28));
    m_ordRangeLabel = new wxStaticText(this, wxID_ANY, _("ordRange"), wxDefaultPosition, wxSize(100, -1));
    m_topLine = new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL);

    m_buyRadio = new wxRadioButton(this, kBuyRadioId, _("Buy"), wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    m_buyRadio->SetValue(true);
    m_sellRadio = new wxRadioButton(this, kSellRadioId, _("Sell"));
    m_sellRadio->SetValue(false);

    m_priceText1 = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                  wxTE_READONLY | wxTE_CENTRE | wxBORDER_SIMPLE);
    m_priceText1->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_ACTIVECAPTION));
    UseFont(m_priceText1, priceFont);
    m_priceText2 = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                  wxTE_READONLY | wxTE_CENTRE | wxBORDER_SIMPLE);
    // Red would read as a price refused: both boundaries look alike.
    m_priceText2->SetBackgroundColour(m_priceText1->GetBackgroundColour());
    UseFont(m_priceText2, priceFont);

    m_priceLabel = new wxStaticText(this, wxID_ANY, _("Price:"));
    m_priceSpin = new wxSpinCtrlDouble_(this, wxID_ANY, "0", wxDefaultPosition, wxDefaultSize,
                                        wxSP_ARROW_KEYS, 0, 100, 0, 1);
    m_priceSpin->SetRange(-kTypedPriceBound, kTypedPriceBound);
    m_priceSpin->SetValue(0);
    SetSpinWidth(m_priceSpin, kDecimalSpinChars);
    m_expireLabel = new wxStaticText(this, wxID_ANY, _("Expire:"));
    m_expireCombo = new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0,
                                   nullptr, wxCB_READONLY);

    m_orderInfoText = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                     wxTE_READONLY | wxTE_CENTRE | wxBORDER_NONE);
    m_orderInfoText->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_3DLIGHT));
    m_orderInfoText->SetForegroundColour(Colours::kAlertText);
    UseFont(m_orderInfoText, defaultFont);

    m_stopLossLabel = new wxStaticText(this, wxID_ANY, _("StopLoss:"));
    m_stopLossSpin = new wxSpinCtrlDouble_(this, wxID_ANY, "0", wxDefaultPosition, wxDefaultSize,
                                           wxSP_ARROW_KEYS, 0, 100, 0, 1);
    m_stopLossSpin->SetRange(-kTypedPriceBound, kTypedPriceBound);
    m_stopLossSpin->SetValue(0);
    SetSpinWidth(m_stopLossSpin, kDecimalSpinChars);
    m_stopLoss10Point = new wxButton(this, wxID_ANY, _("10Point"), wxDefaultPosition, wxSize(-1, 30),
                                     wxBORDER_NONE | wxBU_LEFT);
    m_stopLoss10Point->SetBackgroundColour(Colours::kStopLossButton);
    m_takeProfitLabel = new wxStaticText(this, wxID_ANY, _("TakeProfit:"));
    m_takeProfit10Point = new wxButton(this, wxID_ANY, _("10Point"), wxDefaultPosition, wxSize(-1, 30),
                                       wxBORDER_NONE | wxBU_LEFT);
    m_takeProfit10Point->SetBackgroundColour(Colours::kTakeProfitButton);
    m_takeProfitSpin = new wxSpinCtrlDouble_(this, wxID_ANY, "0", wxDefaultPosition, wxDefaultSize,
                                             wxSP_ARROW_KEYS, 0, 100, 0, 1);
    m_takeProfitSpin->SetRange(-kTypedPriceBound, kTypedPriceBound);
    m_takeProfitSpin->SetValue(0);
    SetSpinWidth(m_takeProfitSpin, kDecimalSpinChars);
    m_bottomLine = new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL);

    m_pointDiffCheck = new wxCheckBox(this, wxID_ANY, _("biggest diff"));
    m_pointDiffCheck->SetValue(true);
    m_pointDiffCheck->SetFocus();
    m_pointDiffSpin =
        new wxSpinCtrl(this, wxID_ANY, "0", wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS, 0, 100, 0);
    m_pointDiffSpin->SetRange(0, 10000);
    m_pointDiffSpin->SetValue(0);
    SetSpinWidth(m_pointDiffSpin, kIntegerSpinChars);
    m_pointDiffSpin->SetFocus();
    m_pointLabel = new wxStaticText(this, wxID_ANY, _("Point"));
    // One switch for every order window: the label says so.
    m_preConfirmCheck = new wxCheckBox(this, wxID_ANY, _("Pre confirmation (all order windows)"));
    m_preConfirmCheck->SetValue(true);
    m_preConfirmCheck->SetForegroundColour(Colours::kAlertText);
    m_preConfirmCheck->SetFocus();

    m_marketOk = new wxButton(this, wxID_ANY, _("Ok"));
    m_cancelButton = new wxButton(this, wxID_CANCEL, _("Cancel"));
    m_messageText = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                   wxTE_READONLY | wxTE_CENTRE | wxBORDER_NONE);
    UseFont(m_messageText, defaultFont);

    auto* mainSizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(mainSizer);

    const int labelFlags = wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL;
    const int fieldFlags = wxALL | wxEXPAND;
    auto* topGrid = new wxGridBagSizer(0, 0);
    // A row whose controls a kind hides takes no room (an empty row of a
    // grid takes 20 pixels by default).
    topGrid->SetEmptyCellSize(wxSize(0, 0));
    mainSizer->Add(topGrid, 0, wxLEFT | wxRIGHT | wxEXPAND, 20);
    topGrid->Add(m_symbolLabel, wxGBPosition(0, 0), wxGBSpan(1, 1), labelFlags, 5);
    topGrid->Add(m_symbolCombo, wxGBPosition(0, 1), wxGBSpan(1, 2), fieldFlags, 5);
    topGrid->Add(m_orderTypeLabel, wxGBPosition(1, 0), wxGBSpan(1, 1), labelFlags, 5);
    topGrid->Add(m_orderTypeCombo, wxGBPosition(1, 1), wxGBSpan(1, 2), fieldFlags, 5);
    topGrid->Add(m_quantityLabel, wxGBPosition(2, 0), wxGBSpan(1, 1), labelFlags, 5);
    topGrid->Add(m_quantitySpin, wxGBPosition(2, 1), wxGBSpan(1, 1), fieldFlags, 5);
    auto* maxSizer = new wxBoxSizer(wxHORIZONTAL);
    topGrid->Add(maxSizer, wxGBPosition(2, 2), wxGBSpan(1, 1), fieldFlags, 5);
    maxSizer->Add(m_maxButton, 0, 0, 0);
    maxSizer->Add(m_ordRangeLabel, 1, wxLEFT | wxALIGN_CENTER_VERTICAL, 5);
    topGrid->Add(m_marginTypeLabel, wxGBPosition(3, 0), wxGBSpan(1, 1), labelFlags, 5);
    topGrid->Add(m_marginTypeCombo, wxGBPosition(3, 1), wxGBSpan(1, 1), fieldFlags, 5);

    mainSizer->Add(m_topLine, 0, wxEXPAND, 0);

    auto* sideSizer = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(sideSizer, 0, wxALL | wxEXPAND, 5);
    sideSizer->AddStretchSpacer(2);
    sideSizer->Add(m_buyRadio, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    sideSizer->AddStretchSpacer(1);
    sideSizer->Add(m_sellRadio, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
    sideSizer->AddStretchSpacer(2);

    m_priceTextSizer = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(m_priceTextSizer, 0, wxALL | wxEXPAND, 5);
    m_priceTextSizer->AddStretchSpacer(1);
    m_priceTextSizer->Add(m_priceText1, 4, wxALIGN_CENTER_VERTICAL, 0);
    m_priceTextSizer->Add(m_priceText2, 4, 0, 0);
    m_priceTextSizer->AddStretchSpacer(1);

    m_limitSizer = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(m_limitSizer, 0, wxTOP | wxLEFT | wxRIGHT | wxALIGN_CENTER_HORIZONTAL, 5);
    m_limitSizer->Add(m_priceLabel, 0, wxALIGN_CENTER_VERTICAL, 0);
    m_limitSizer->Add(m_priceSpin, 0, wxALL, 1);
    m_limitSizer->Add(10, 0, 0, 0, 0);
    m_limitSizer->Add(m_expireLabel, 0, wxALIGN_CENTER_VERTICAL, 0);
    m_limitSizer->Add(m_expireCombo, 0, wxEXPAND, 0);

    auto* infoSizer = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(infoSizer, 0, wxEXPAND, 0);
    infoSizer->Add(m_orderInfoText, 1, wxALL | wxEXPAND, 5);

    auto* stopGrid = new wxGridBagSizer(0, 0);
    stopGrid->SetEmptyCellSize(wxSize(0, 0));
    mainSizer->Add(stopGrid, 0, wxLEFT | wxRIGHT | wxEXPAND, 20);
    stopGrid->Add(m_stopLossLabel, wxGBPosition(0, 0), wxGBSpan(1, 1), labelFlags, 5);
    stopGrid->Add(m_stopLossSpin, wxGBPosition(0, 1), wxGBSpan(1, 1), fieldFlags, 5);
    stopGrid->Add(m_stopLoss10Point, wxGBPosition(0, 2), wxGBSpan(1, 1), fieldFlags, 5);
    stopGrid->Add(m_takeProfitLabel, wxGBPosition(1, 0), wxGBSpan(1, 1), labelFlags, 5);
    stopGrid->Add(m_takeProfitSpin, wxGBPosition(1, 1), wxGBSpan(1, 1), fieldFlags, 5);
    stopGrid->Add(m_takeProfit10Point, wxGBPosition(1, 2), wxGBSpan(1, 1), fieldFlags, 5);
    stopGrid->AddGrowableCol(1);
    stopGrid->AddGrowableCol(2);

    mainSizer->Add(m_bottomLine, 0, wxTOP | wxBOTTOM | wxEXPAND, 5);

    auto* pointSizer = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(pointSizer, 0, wxALL | wxEXPAND, 1);
    pointSizer->Add(m_pointDiffCheck, 0, wxLEFT | wxRIGHT | wxALIGN_CENTER_VERTICAL, 5);
    pointSizer->Add(m_pointDiffSpin, 0, wxLEFT | wxRIGHT | wxALIGN_CENTER_VERTICAL, 5);
    pointSizer->Add(m_pointLabel, 0, wxLEFT | wxRIGHT | wxALIGN_CENTER_VERTICAL, 5);

    mainSizer->Add(m_preConfirmCheck, 0, wxALL, 5);

    auto* buttonSizer = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(buttonSizer, 0, wxLEFT | wxRIGHT | wxEXPAND, 5);
    buttonSizer->AddStretchSpacer(1);
    buttonSizer->Add(m_marketOk, 0, wxTOP | wxBOTTOM, 5);
    buttonSizer->AddStretchSpacer(1);
    buttonSizer->Add(m_cancelButton, 0, wxTOP | wxBOTTOM, 5);
    buttonSizer->AddStretchSpacer(1);

    mainSizer->Add(m_messageText, 0, wxEXPAND, 0);

    SetSizeHints(wxDefaultSize, wxDefaultSize);
    mainSizer->Fit(this);
    CentreOnScreen(wxBOTH);

    Bind(wxEVT_INIT_DIALOG, &OrderDialogBase::OnInitDialog, this);
    Bind(wxEVT_CLOSE_WINDOW, &OrderDialogBase::OnClose, this);
    m_symbolCombo->Bind(wxEVT_COMBOBOX, &OrderDialogBase::OnSymbolSelected, this);
    m_orderTypeCombo->Bind(wxEVT_COMBOBOX, &OrderDialogBase::OnOrderTypeSelected, this);
    m_marginTypeCombo->Bind(wxEVT_COMBOBOX, &OrderDialogBase::OnMarginTypeSelected, this);
    m_quantitySpin->Bind(wxEVT_TEXT, &OrderDialogBase::OnQuantityText, this);
    m_maxButton->Bind(wxEVT_BUTTON, &OrderDialogBase::OnMaxClicked, this);
    m_buyRadio->Bind(wxEVT_RADIOBUTTON, &OrderDialogBase::OnDirectionChanged, this);
    m_sellRadio->Bind(wxEVT_RADIOBUTTON, &OrderDialogBase::OnDirectionChanged, this);
    m_priceSpin->Bind(wxEVT_TEXT, &OrderDialogBase::OnPriceText, this);
    m_expireCombo->Bind(wxEVT_COMBOBOX, &OrderDialogBase::OnExpireSelected, this);
    m_stopLossSpin->Bind(wxEVT_TEXT, &OrderDialogBase::OnStopLossText, this);
    m_stopLoss10Point->Bind(wxEVT_BUTTON, &OrderDialogBase::OnStopLoss10Point, this);
    m_takeProfit10Point->Bind(wxEVT_BUTTON, &OrderDialogBase::OnTakeProfit10Point, this);
    m_takeProfitSpin->Bind(wxEVT_TEXT, &OrderDialogBase::OnTakeProfitText, this);
    m_pointDiffCheck->Bind(wxEVT_CHECKBOX, &OrderDialogBase::OnPointDiffCheck, this);
    m_preConfirmCheck->Bind(wxEVT_CHECKBOX, &OrderDialogBase::OnPreConfirmCheck, this);
    m_marketOk->Bind(wxEVT_BUTTON, &OrderDialogBase::OnOK, this);
}

OrderDialogBase::~OrderDialogBase()
{
    Unbind(wxEVT_INIT_DIALOG, &OrderDialogBase::OnInitDialog, this);
    Unbind(wxEVT_CLOSE_WINDOW, &OrderDialogBase::OnClose, this);
    m_symbolCombo->Unbind(wxEVT_COMBOBOX, &OrderDialogBase::OnSymbolSelected, this);
    m_orderTypeCombo->Unbind(wxEVT_COMBOBOX, &OrderDialogBase::OnOrderTypeSelected, this);
    m_marginTypeCombo->Unbind(wxEVT_COMBOBOX, &OrderDialogBase::OnMarginTypeSelected, this);
    m_quantitySpin->Unbind(wxEVT_TEXT, &OrderDialogBase::OnQuantityText, this);
    m_maxButton->Unbind(wxEVT_BUTTON, &OrderDialogBase::OnMaxClicked, this);
    m_buyRadio->Unbind(wxEVT_RADIOBUTTON, &OrderDialogBase::OnDirectionChanged, this);
    m_sellRadio->Unbind(wxEVT_RADIOBUTTON, &OrderDialogBase::OnDirectionChanged, this);
    m_priceSpin->Unbind(wxEVT_TEXT, &OrderDialogBase::OnPriceText, this);
    m_expireCombo->Unbind(wxEVT_COMBOBOX, &OrderDialogBase::OnExpireSelected, this);
    m_stopLossSpin->Unbind(wxEVT_TEXT, &OrderDialogBase::OnStopLossText, this);
    m_stopLoss10Point->Unbind(wxEVT_BUTTON, &OrderDialogBase::OnStopLoss10Point, this);
    m_takeProfit10Point->Unbind(wxEVT_BUTTON, &OrderDialogBase::OnTakeProfit10Point, this);
    m_takeProfitSpin->Unbind(wxEVT_TEXT, &OrderDialogBase::OnTakeProfitText, this);
    m_pointDiffCheck->Unbind(wxEVT_CHECKBOX, &OrderDialogBase::OnPointDiffCheck, this);
    m_preConfirmCheck->Unbind(wxEVT_CHECKBOX, &OrderDialogBase::OnPreConfirmCheck, this);
    m_marketOk->Unbind(wxEVT_BUTTON, &OrderDialogBase::OnOK, this);
}
