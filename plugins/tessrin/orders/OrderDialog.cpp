// The order dialog's life: opening, the refresh, the controls and closing.
#include "orders/OrderDialog.h"

#include "common/Colours.h"
#include "common/IClientPlugin.h"
#include "common/PluginEvents.h"
#include "common/SettingsAccessors.h"
#include "common/TessrinConfig.h"
#include "db/CodeTexts.h"
#include "db/NumberFormat.h"
#include "db/RecordStore.h"
#include "db/TradeArithmetic.h"
#include "layouts/wxSpinCtrlDouble_.h"
#include "orders/OrderRules.h"
#include "orders/PluginOrderSender.h"
#include "orders/SymbolOrders.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <wx/app.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/window.h>

namespace {

// The deferred refresh: a type of the plug-in's own, never one of the host
// bus or of wx.
const wxEventTypeTag<wxCommandEvent> kOrderDialogRefresh(wxNewEventType());

// Above this a bound is no price worth offering.
constexpr double kHighestBound = 10000000.0;

// The decimals a spin shows for a symbol's property decimals.
unsigned SpinDigits(int decimals)
{
    return static_cast<unsigned>(std::clamp(decimals, 0, 7));
}

template <class Spin, class Value> void SetSpinValueUnlessFocused(Spin* spin, Value value)
{
    if(wxWindow::FindFocus() != spin) {
        spin->SetValue(value);
    }
}

// A price text as wide as its price in its own font: a text control's
// default width cuts a price of the bold price font.
void FitPriceText(wxTextCtrl* text)
{
    constexpr int kFramePadding = 24;
    const int wanted = text->GetTextExtent(text->GetValue()).x + kFramePadding;
    if(text->GetMinSize().x < wanted) {
        text->SetMinSize(wxSize(wanted, -1));
    }
}

} // namespace

std::vector<OrderDialog*> OrderDialog::s_openDialogs;

OrderDialog* OrderDialog::Create(RecordStore* store, HostManager* manager, char marketType)
{
    if(!s_openDialogs.empty() && !IsShowMultiOrderDialog()) {
        return nullptr;
    }
    return new OrderDialog(store, manager, marketType);
}

OrderDialog::OrderDialog(RecordStore* store, HostManager* manager, char marketType)
    : OrderDialogBase(nullptr, wxID_ANY, _("Order")), m_mgr(manager),
      m_sender(std::make_unique<PluginOrderSender>()),
      m_wait(this, store,
             [this](OrderWait::Outcome outcome, int code, const wxString& text) {
                 OnFateSettled(outcome, code, text);
             }),
      m_messageLine(m_messageText, _("ErrorMessage"))
{
    m_pDb = store;
    m_marketType = marketType;
    m_symbolGroups.ReadFromPlugin();
    s_openDialogs.push_back(this);

    m_orderTypeCombo->Append(_("Market Order"));
    m_orderTypeCombo->Append(_("Limit Order"));
    m_orderTypeCombo->SetSelection(0);
    m_pointDiffSpin->SetRange(1, m_pointDiffSpin->GetMax());

    if(m_pDb && m_pDb->m_symbol_price_table && m_pDb->m_user_Account_table) {
        m_pDb->m_symbol_price_table->AddActionTrigger(this);
        m_pDb->m_user_Account_table->AddActionTrigger(this);
        m_triggersRegistered = true;
    }

    m_cancelButton->Bind(wxEVT_BUTTON, &OrderDialog::OnCancel, this);
    m_stopLossSpin->Bind(wxEVT_SPINCTRLDOUBLE, &OrderDialog::OnStopLossSpin, this);
    m_takeProfitSpin->Bind(wxEVT_SPINCTRLDOUBLE, &OrderDialog::OnTakeProfitSpin, this);
    m_priceSpin->Bind(wxEVT_SPINCTRLDOUBLE, &OrderDialog::OnPriceSpin, this);
    Bind(kOrderDialogRefresh, &OrderDialog::OnDeferredRefresh, this);
    wxTheApp->Bind(wxEVT_PLUGIN_UNPLUG, &OrderDialog::OnPluginUnplug, this);
}

OrderDialog::~OrderDialog()
{
    m_cancelButton->Unbind(wxEVT_BUTTON, &OrderDialog::OnCancel, this);
    m_stopLossSpin->Unbind(wxEVT_SPINCTRLDOUBLE, &OrderDialog::OnStopLossSpin, this);
    m_takeProfitSpin->Unbind(wxEVT_SPINCTRLDOUBLE, &OrderDialog::OnTakeProfitSpin, this);
    m_priceSpin->Unbind(wxEVT_SPINCTRLDOUBLE, &OrderDialog::OnPriceSpin, this);
    Unbind(kOrderDialogRefresh, &OrderDialog::OnDeferredRefresh, this);
    RemoveFromOpenDialogs();
    if(wxTheApp) {
        wxTheApp->Unbind(wxEVT_PLUGIN_UNPLUG, &OrderDialog::OnPluginUnplug, this);
    }
    m_wait.Drop();
    UnregisterTriggers();
}

void OrderDialog::RemoveFromOpenDialogs()
{
    const auto found = std::find(s_openDialogs.begin(), s_openDialogs.end(), this);
    if(found != s_openDialogs.end()) {
        s_openDialogs.erase(found);
    }
}

void OrderDialog::UnregisterTriggers()
{
    if(!m_triggersRegistered) {
        return;
    }
    m_triggersRegistered = false;
    if(auto* prices = CActionTrigger<symbol_price>::GetObservedTable()) {
        prices->RemoveActionTrigger(this);
    }
    if(auto* accounts = CActionTrigger<user_Account>::GetObservedTable()) {
        accounts->RemoveActionTrigger(this);
    }
}

void OrderDialog::PlaceNearLast(OrderDialog* dialog)
{
    if(!dialog) {
        return;
    }
    dialog->Show();
    const wxPoint shown = dialog->GetPosition();
    wxPoint candidate = shown;
    for(const OrderDialog* other : s_openDialogs) {
        if(other != dialog && other->GetPosition() == candidate) {
            candidate += wxPoint(50, 50);
        }
    }
    if(candidate != shown) {
        dialog->Move(candidate);
    }
}

bool OrderDialog::HasDialog(int kind, int symbolId, const wxString& orderCode)
{
    const bool bySymbol = OrderKindTraits::Of(kind).key == OrderKindTraits::eBySymbol;
    return std::any_of(s_openDialogs.begin(), s_openDialogs.end(), [&](const OrderDialog* dialog) {
        return dialog->m_openCloseType == kind &&
               (bySymbol ? dialog->m_symbolId == symbolId : dialog->m_orderCodeRe == orderCode);
    });
}

bool OrderDialog::HasNewOrderDialog(int symbolId)
{
    return HasDialog(eOpen, symbolId, wxString());
}

bool OrderDialog::HasCloseOrderDialog(const wxString& orderCode)
{
    return HasDialog(eClose, 0, orderCode);
}

bool OrderDialog::HasModifyOrderDialog(const wxString& orderCode)
{
    return HasDialog(eModify, 0, orderCode);
}

bool OrderDialog::HasCancelOrderDialog(const wxString& orderCode)
{
    return HasDialog(eCancel, 0, orderCode);
}

bool OrderDialog::HasDeliveryOrderDialog(const wxString& orderCode)
{
    return HasDialog(eDelivery, 0, orderCode);
}

bool OrderDialog::HasClosePositionDialog(int symbolId)
{
    return HasDialog(eClosePosition, symbolId, wxString());
}

void OrderDialog::SetLimitOrder(const trade_Limit* order)
{
    m_pLimitOrder = order;
    m_orderCodeRe = order ? order->orderCode : wxString();
}

char OrderDialog::GetOrderType() const
{
    return OrderRules(const_cast<OrderDialog&>(*this)).GetOrderType();
}

bool OrderDialog::CheckAll(bool allowBox, bool showLine)
{
    OrderRules rules(*this);
    const OrderRules::CheckResult result = rules.Check();
    if(result != OrderRules::eCheckPassed) {
        const bool line = showLine || rules.CheckForcesLine(result);
        if(allowBox || line) {
            ShowError(wxGetTranslation(OrderRules::CheckMessage(result)), -1, allowBox, line);
        }
        return false;
    }
    if(m_messageExpiry.IsValid() && !m_messageExpiry.IsLaterThan(wxDateTime::Now())) {
        m_messageLine.Clear();
        m_messageExpiry = wxInvalidDateTime;
    }
    return true;
}

void OrderDialog::ShowError(const wxString& text, int code, bool allowBox, bool showLine)
{
    m_messageExpiry = m_messageLine.Show(text, code, allowBox, showLine);
    if(showLine && !m_closing) {
        FitToControls(); // a longer message widened the line
    }
}

void OrderDialog::LoadSymbolConfig(const wxString& symbolCode, bool defaultsOnly)
{
    m_config = OrderDialogConfig::Load(symbolCode, defaultsOnly);
}

const symbol_Info* OrderDialog::FindSymbol() const
{
    if(!m_pDb || !m_pDb->m_symbol_Info_table) {
        return nullptr;
    }
    const auto& symbols = m_pDb->m_symbol_Info_table->GetIndexByPrimary();
    const auto found = symbols.find(m_symbolId);
    return found != symbols.end() ? &*found : nullptr;
}

void OrderDialog::SaveSymbolConfig()
{
    // A symbol gone since keeps the name its memory was loaded under.
    if(const symbol_Info* symbol = FindSymbol()) {
        m_config.m_symbolName = symbol->symbolCode;
    }
    if(m_config.m_symbolName.empty()) {
        return; // never had a symbol: nothing to remember
    }
    m_config.m_usePointDiff = m_pointDiffCheck->GetValue();
    m_config.m_pointDiff = m_config.m_usePointDiff ? m_pointDiffSpin->GetValue() : -1;
    m_config.Save();
}

void OrderDialog::RequestRefresh()
{
    if(m_refreshPending) {
        return;
    }
    m_refreshPending = true;
    QueueEvent(new wxCommandEvent(kOrderDialogRefresh));
}

void OrderDialog::OnDeferredRefresh(wxCommandEvent& event)
{
    event.Skip();
    m_refreshPending = false;
    if(!m_closing) { // a closed dialog may outlive the record store
        RefreshDialog();
    }
}

void OrderDialog::OnInitDialog(wxInitDialogEvent& event)
{
    event.Skip();
    m_ownLimitPrice = m_limitPrice == 0.0; // a price the opener gave stays
    RefreshDialog();
}

void OrderDialog::RefreshDialog()
{
    FillSymbolList();
    if(!CheckAll(false, false)) {
        return;
    }
    PlaceLimitPrice();
    UpdatePriceTexts();
    UpdateStopProfitDisplay();
    UpdateLimitPart();
    FillMarginTypes();
    UpdateTitle();
    UpdateOrderInfo();
    UpdateQuantityRange();
    UpdateVisibility();
    UpdateCheckBoxes();
    EnabledAllCtls();
    FitToControls();
}

void OrderDialog::FitToControls()
{
    // Shown or hidden rows and longer texts: laid out again and fitted, so
    // that no control covers another or is cut.
    Layout();
    GetSizer()->SetSizeHints(this);
    Layout();
}

void OrderDialog::FillSymbolList()
{
    const symbol_Info* found = FindSymbol();
    if(!found) {
        return;
    }
    m_pSymbolInfo = found;

    const auto board = g_symbolOrders.find(m_marketType);
    m_symbolEntries = OrderSymbolList::Build(m_pDb, m_marketType, m_symbolGroups.GetGroups(),
                                             board != g_symbolOrders.end() ? board->second : wxArrayString());
    const unsigned entryCount = static_cast<unsigned>(m_symbolEntries.size());
    // Only changed texts are written: a rewritten entry may raise a selection event.
    for(unsigned i = 0; i < std::min(entryCount, m_symbolCombo->GetCount()); ++i) {
        if(m_symbolCombo->GetString(i) != m_symbolEntries[i].text) {
            m_symbolCombo->SetString(i, m_symbolEntries[i].text);
        }
    }
    for(unsigned i = m_symbolCombo->GetCount(); i < entryCount; ++i) {
        m_symbolCombo->Append(m_symbolEntries[i].text);
    }
    while(m_symbolCombo->GetCount() > entryCount) {
        m_symbolCombo->Delete(m_symbolCombo->GetCount() - 1);
    }
    int selected = wxNOT_FOUND;
    for(unsigned i = 0; i < entryCount; ++i) {
        if(m_symbolEntries[i].hasSymbol && m_symbolEntries[i].symbolId == m_pSymbolInfo->symbolId) {
            selected = static_cast<int>(i);
            break;
        }
    }
    if(m_symbolCombo->GetSelection() != selected) {
        m_symbolCombo->SetSelection(selected);
    }

    m_symbolId = m_pSymbolInfo->symbolId;
    LoadSymbolConfig(m_pSymbolInfo->symbolCode, false);
    if(m_config.m_pointDiff < 0) {
        m_pointDiffSpin->SetValue(wxString());
    } else {
        m_pointDiffSpin->SetValue(m_config.m_pointDiff);
    }
}

void OrderDialog::PlaceLimitPrice()
{
    if(m_ownLimitPrice && m_limitPrice == 0.0 && m_orderType == eLimitOrder && Kind().opens) {
        m_limitPrice = OrderRules(*this).OpeningLimitPrice();
    }
}

void OrderDialog::UpdatePriceTexts()
{
    OrderRules rules(*this);
    const int digits = rules.PriceDigits();
    const bool live = rules.IsQuoteLive();
    // A stale quote says so in the price itself: it is what an order would carry.
    auto shown = [&](double price) {
        const wxString text = FormatPrice(price, digits);
        return live ? text : wxString::Format(_("%s (stale)"), text);
    };
    if(m_orderType == eMarketOrder) {
        // The price the order carries: the side's quote, the last price on market '2'.
        m_priceText1->ChangeValue(shown(rules.OrderPrice()));
    } else if(rules.HasLimitDistance()) {
        // Where a limit price may lie, said as the stop buttons say their bounds.
        m_priceText1->ChangeValue(">= " + shown(rules.LimitBoundary(true)));
        m_priceText2->ChangeValue("<= " + shown(rules.LimitBoundary(false)));
        FitPriceText(m_priceText2);
    } else {
        // Any price may be asked: the quote it is measured against, once.
        m_priceText1->ChangeValue(SideWordText(m_direction) + " " + shown(rules.SideQuote()));
    }
    FitPriceText(m_priceText1);
    if(live != m_shownLive) {
        m_shownLive = live;
        FitToControls();
    }
}

void OrderDialog::UpdateStopProfitDisplay()
{
    OrderRules rules(*this);
    const symbol_Property* property = rules.GetProperty();
    if(!property) {
        return;
    }
    const int decimals = property->digits;
    const double increment = std::fabs(PointsToPrice(1, decimals));
    const unsigned digits = SpinDigits(decimals);
    for(wxSpinCtrlDouble_* spin : {m_stopLossSpin, m_takeProfitSpin, m_priceSpin}) {
        spin->SetIncrement(increment);
        if(spin->GetShownDigits() != digits) {
            spin->SetDigits(digits);
        }
    }
    SetSpinValueUnlessFocused(m_stopLossSpin, m_stopLossPrice);
    SetSpinValueUnlessFocused(m_takeProfitSpin, m_takeProfitPrice);

    const bool buy = m_direction == 'b';
    auto boundLabel = [decimals](const wxString& relation, double bound) {
        if(!(bound > 0.0) || bound >= kHighestBound) {
            return wxString();
        }
        return wxString::Format(_("  %s    %s"), relation, FormatPrice(bound, decimals, true));
    };
    m_stopLoss10Point->SetLabel(boundLabel(buy ? "<=" : ">=", rules.StopLossBound()));
    m_takeProfit10Point->SetLabel(boundLabel(buy ? ">=" : "<=", rules.TakeProfitBound()));

    m_stopLossSpin->SetBackgroundColour(rules.IsStopLossBeyondBound(m_stopLossPrice)
                                            ? Colours::kInvalidInputBackground
                                            : Colours::kPlainBackground);
    m_takeProfitSpin->SetBackgroundColour(rules.IsTakeProfitBeyondBound(m_takeProfitPrice)
                                              ? Colours::kInvalidInputBackground
                                              : Colours::kPlainBackground);
}

void OrderDialog::UpdateLimitPart()
{
    if(m_orderType != eLimitOrder) {
        return;
    }
    const TessrinConfig config(g_plugin ? g_plugin->GetConfig() : nullptr);
    m_expireCombo->Clear();
    m_expireCombo->Append(_("Today"));
    if(config.IsShowExpireWeekSel() && m_pSymbolInfo->marketType != '2') {
        m_expireCombo->Append(_("This Week"));
    }
    const int last = static_cast<int>(m_expireCombo->GetCount()) - 1;
    m_expireCombo->SetSelection(std::clamp(m_expireIndex, 0, last));
    SetSpinValueUnlessFocused(m_priceSpin, m_limitPrice);
    const bool valid = OrderRules(*this).IsLimitPriceValid(m_limitPrice);
    m_priceSpin->SetBackgroundColour(valid ? Colours::kPlainBackground : Colours::kInvalidInputBackground);
}

void OrderDialog::FillMarginTypes()
{
    m_marginTypeCombo->Clear();
    m_marginTypeCombo->Append(_("marginTradeType"));
    m_marginTypeCombo->Append(_("WithoutMarginTradeType"));
    m_marginTypeCombo->SetSelection(0);
}

void OrderDialog::UpdateTitle()
{
    wxString title;
    if(OrderRules(*this).GetTitle(title)) {
        SetTitle(title);
    }
}

void OrderDialog::UpdateOrderInfo()
{
    if(m_marginTypeCombo->GetSelection() == 1) {
        m_orderInfoText->Clear();
        return;
    }
    double rate = 0.0;
    const double margin = CalcOrderMargin(m_pDb, *m_pSymbolInfo, m_direction, m_orderType, &rate,
                                          m_quantitySpin->GetValue(), m_limitPrice);
    // Margin types '1' and '5' take a sum per unit, the others a share of the value.
    const char marginType = m_pSymbolInfo->marginType;
    m_orderInfoText->ChangeValue(marginType == '1' || marginType == '5'
                                     ? wxString::Format(_("deposit per unit[%s],used margin[%s]"),
                                                        FormatMoney(rate), FormatMoney(margin))
                                     : wxString::Format(_("proportion of deposit[%s%%],used margin[%s]"),
                                                        FormatPrice(rate * 100.0, 6, true),
                                                        FormatMoney(margin)));
}

void OrderDialog::UpdateQuantityRange()
{
    const int maximum = OrderRules(*this).MaxQuantity();
    // Followed at every tick of the account: only what changed is redrawn.
    const wxString range = wxString::Format("1~%d", maximum);
    if(m_ordRangeLabel->GetLabel() != range) {
        m_ordRangeLabel->SetLabel(range);
    }
    const bool valid = m_quantity >= 1 && m_quantity <= maximum;
    const wxColour background = valid ? Colours::kPlainBackground : Colours::kInvalidInputBackground;
    if(m_quantitySpin->GetBackgroundColour() != background) {
        m_quantitySpin->SetBackgroundColour(background);
    }
    // The range is checked on Ok: the control itself takes any number, so
    // that none typed is replaced.
    SetSpinValueUnlessFocused(m_quantitySpin, m_quantity);
}

void OrderDialog::UpdateVisibility()
{
    const OrderControlVisibility shown =
        OrderRules::Visibility(m_openCloseType, m_orderType, IsShowMultiMargin());
    for(wxWindow* always : std::initializer_list<wxWindow*>{
            m_symbolLabel, m_symbolCombo, m_quantityLabel, m_quantitySpin, m_maxButton, m_ordRangeLabel,
            m_buyRadio, m_sellRadio, m_orderInfoText, m_preConfirmCheck, m_marketOk, m_cancelButton}) {
        always->Show();
    }
    for(wxWindow* window :
        std::initializer_list<wxWindow*>{m_orderTypeLabel, m_orderTypeCombo, m_priceText1}) {
        window->Show(shown.orderType);
    }
    m_marginTypeLabel->Show(shown.marginType);
    m_marginTypeCombo->Show(shown.marginType);
    for(wxWindow* window :
        std::initializer_list<wxWindow*>{m_priceLabel, m_priceSpin, m_expireLabel, m_expireCombo}) {
        window->Show(shown.limitPart);
    }
    // Two boundaries only where they lie apart.
    m_priceText2->Show(shown.limitPart && OrderRules(*this).HasLimitDistance());
    for(wxWindow* window :
        std::initializer_list<wxWindow*>{m_stopLossLabel, m_stopLossSpin, m_stopLoss10Point,
                                         m_takeProfitLabel, m_takeProfitSpin, m_takeProfit10Point}) {
        window->Show(shown.stopProfit);
    }
    for(wxWindow* window :
        std::initializer_list<wxWindow*>{m_pointDiffCheck, m_pointDiffSpin, m_pointLabel}) {
        window->Show(shown.pointDiff);
    }
    // A row whose controls are all hidden goes with its spacers and borders.
    ShowRow(m_priceTextSizer, shown.orderType || shown.limitPart);
    ShowRow(m_limitSizer, shown.limitPart);
}

void OrderDialog::ShowRow(wxSizer* row, bool show)
{
    for(wxSizerItem* item : row->GetChildren()) {
        if(item->IsSpacer()) {
            item->Show(show);
        }
    }
}

void OrderDialog::UpdateCheckBoxes()
{
    const bool showMargin = IsShowMultiMargin();
    m_marginTypeLabel->Show(showMargin);
    m_marginTypeCombo->Show(showMargin);
    m_preConfirmCheck->SetValue(IsOrderPreConfirm());
    m_pointDiffCheck->SetValue(m_config.m_usePointDiff);
    m_pointDiffSpin->Enable(m_config.m_usePointDiff);
}

void OrderDialog::EnabledAllCtls()
{
    const bool noStops = m_pSymbolInfo && m_pSymbolInfo->marketType == '2';
    auto setStops = [this](bool enable) {
        for(wxWindow* window : std::initializer_list<wxWindow*>{m_stopLossSpin, m_takeProfitSpin,
                                                                m_stopLoss10Point, m_takeProfit10Point}) {
            window->Enable(enable);
        }
        if(!enable) {
            m_stopLossSpin->SetValue(0);
            m_takeProfitSpin->SetValue(0);
        }
    };
    m_buyRadio->SetValue(m_direction == 'b');
    m_sellRadio->SetValue(m_direction != 'b');
    const OrderKindTraits& kind = Kind();
    switch(kind.controls) {
    case OrderKindTraits::eNewOrderControls:
        m_orderTypeCombo->SetSelection(m_orderType == eLimitOrder ? 1 : 0);
        break;
    case OrderKindTraits::eClosingControls:
        if(m_pHoldBill) {
            m_orderCodeRe = m_pHoldBill->orderCode;
        }
        m_symbolCombo->Disable();
        m_buyRadio->Disable();
        m_sellRadio->Disable();
        m_orderInfoText->Hide();
        m_orderTypeCombo->Enable(noStops);
        m_marginTypeCombo->Disable();
        break;
    case OrderKindTraits::eFixedControls:
        m_symbolCombo->Disable();
        m_maxButton->Disable();
        m_ordRangeLabel->Disable();
        m_buyRadio->Disable();
        m_sellRadio->Disable();
        m_orderTypeCombo->SetSelection(m_orderType == eLimitOrder ? 1 : 0);
        m_orderTypeCombo->Disable();
        m_orderInfoText->Hide();
        m_priceSpin->Disable();
        m_expireCombo->Disable();
        if(m_orderType == eLimitOrder && m_pLimitOrder) {
            m_limitPrice = m_pLimitOrder->orderPrice;
        }
        m_quantitySpin->Disable();
        m_marginTypeCombo->Disable();
        break;
    }
    setStops(kind.editsStops && !noStops);
}

void OrderDialog::OnSymbolSelected(wxCommandEvent& event)
{
    event.Skip();
    const int picked = OrderSymbolList::PickSymbolEntry(m_symbolEntries, m_symbolCombo->GetSelection());
    if(picked < 0 || !m_pDb) {
        return;
    }
    const auto& symbols = m_pDb->m_symbol_Info_table->GetIndexByPrimary();
    const auto found = symbols.find(m_symbolEntries[picked].symbolId);
    if(found == symbols.end()) {
        return; // gone since the list was filled
    }
    if(found->symbolId != m_symbolId || m_symbolCombo->GetSelection() != picked) {
        m_symbolCombo->SetSelection(picked);
    }
    if(found->symbolId != m_symbolId) {
        // Another symbol's price means nothing here.
        m_limitPrice = 0.0;
        m_ownLimitPrice = true;
    }
    m_pSymbolInfo = &*found;
    m_symbolId = found->symbolId;
    RequestRefresh();
}

void OrderDialog::OnOrderTypeSelected(wxCommandEvent& event)
{
    event.Skip();
    // A fixed order keeps its own order type.
    if(Kind().controls == OrderKindTraits::eFixedControls || !CheckAll(false, true)) {
        return;
    }
    if(m_orderTypeCombo->GetSelection() == 1) {
        m_orderType = eLimitOrder;
        m_limitPrice = 0.0;
        m_ownLimitPrice = true;
    } else {
        m_orderType = eMarketOrder;
    }
    RequestRefresh();
}

void OrderDialog::OnDirectionChanged(wxCommandEvent& event)
{
    event.Skip();
    m_direction = m_buyRadio->GetValue() ? 'b' : 's';
    // The dialog's own start moves to the new side's; the trader's price stays.
    if(m_ownLimitPrice) {
        m_limitPrice = 0.0;
    }
    RequestRefresh();
}

void OrderDialog::OnPriceText(wxCommandEvent& event)
{
    event.Skip();
    // A typed price counts as typed, before the field is left; what the
    // control writes for its own value is no choice of the trader's.
    if(!m_priceSpin->IsTypedText(event.GetString())) {
        return;
    }
    double price = 0.0;
    m_limitPrice = wxSpinCtrlDouble_::ParseValue(event.GetString(), &price) ? price : 0.0;
    m_ownLimitPrice = false;
    RequestRefresh();
}

void OrderDialog::OnQuantityText(wxCommandEvent& event)
{
    event.Skip();
    long quantity = 0;
    // Not a number: nothing to send (never a quantity the trader did not type).
    m_quantity = event.GetString().ToLong(&quantity, 10) && quantity >= INT_MIN && quantity <= INT_MAX
                     ? static_cast<int>(quantity)
                     : 0;
    RequestRefresh();
}

void OrderDialog::OnExpireSelected(wxCommandEvent& event)
{
    event.Skip();
    m_expireIndex = m_expireCombo->GetSelection() == 1 ? 1 : 0;
    RequestRefresh();
}

void OrderDialog::OnMarginTypeSelected(wxCommandEvent& event)
{
    event.Skip();
    if(m_marginTypeCombo->GetSelection() == 1) {
        m_orderInfoText->Hide();
    } else {
        if(CheckAll(false, false)) {
            UpdateOrderInfo();
        }
        m_orderInfoText->Show();
    }
    FitToControls();
}

void OrderDialog::OnPreConfirmCheck(wxCommandEvent& event)
{
    event.Skip();
    SetOrderPreConfirm(m_preConfirmCheck->GetValue());
}

void OrderDialog::OnPointDiffCheck(wxCommandEvent& event)
{
    event.Skip();
    const bool checked = m_pointDiffCheck->GetValue();
    m_pointDiffSpin->Enable(checked);
    if(checked) {
        const symbol_Info* symbol = FindSymbol();
        LoadSymbolConfig(symbol ? symbol->symbolCode : m_config.m_symbolName, true);
        m_pointDiffSpin->SetValue(m_config.m_pointDiff);
    } else {
        m_pointDiffSpin->SetValue(wxString());
    }
    SaveSymbolConfig();
}

void OrderDialog::OnMaxClicked(wxCommandEvent& event)
{
    event.Skip();
    if(!CheckAll(false, true)) {
        return;
    }
    // The largest quantity shown; at least one of a new order.
    const int maximum = OrderRules(*this).MaxQuantity();
    m_quantity = Kind().opens ? std::max(maximum, 1) : maximum;
    RequestRefresh();
}

void OrderDialog::OnStopLoss10Point(wxCommandEvent& event)
{
    event.Skip();
    if(!CheckAll(false, true)) {
        return;
    }
    m_stopLossPrice = OrderRules(*this).StopLossBound();
    RequestRefresh();
}

void OrderDialog::OnTakeProfit10Point(wxCommandEvent& event)
{
    event.Skip();
    if(!CheckAll(false, true)) {
        return;
    }
    m_takeProfitPrice = OrderRules(*this).TakeProfitBound();
    RequestRefresh();
}

void OrderDialog::OnStopLossSpin(wxSpinDoubleEvent& event)
{
    event.Skip();
    if(!CheckAll(false, true)) {
        return;
    }
    // The arrows start from the bound; a typed price is kept as typed.
    const bool typed = m_stopLossSpin->TakeTyped();
    const double value = event.GetValue();
    m_stopLossPrice =
        !typed && m_stopLossPrice == 0.0 && value != 0.0 ? OrderRules(*this).StopLossBound() : value;
    RequestRefresh();
}

void OrderDialog::OnTakeProfitSpin(wxSpinDoubleEvent& event)
{
    event.Skip();
    if(!CheckAll(false, true)) {
        return;
    }
    const bool typed = m_takeProfitSpin->TakeTyped();
    const double value = event.GetValue();
    m_takeProfitPrice =
        !typed && m_takeProfitPrice == 0.0 && value != 0.0 ? OrderRules(*this).TakeProfitBound() : value;
    RequestRefresh();
}

void OrderDialog::OnPriceSpin(wxSpinDoubleEvent& event)
{
    event.Skip();
    if(!CheckAll(false, true)) {
        return;
    }
    const bool typed = m_priceSpin->TakeTyped();
    const double value = event.GetValue();
    m_ownLimitPrice = false;
    if(!typed && m_limitPrice == 0.0 && value != 0.0) {
        m_limitPrice = OrderRules(*this).LimitBoundary(value > 0.0);
    } else {
        m_limitPrice = value;
    }
    RequestRefresh();
}

void OrderDialog::afterUpdate(const symbol_price& stored, CTransaction* /*transaction*/, void* /*reserved*/)
{
    // Checked first: every quote of every symbol passes here.
    if(stored.symbolId != m_symbolId || !CheckAll(false, false)) {
        return;
    }
    OrderRules rules(*this);
    if(rules.GetPrice() != &stored) {
        return;
    }
    PlaceLimitPrice(); // the first quote of a dialog opened without one
    UpdatePriceTexts();
    UpdateStopProfitDisplay();
    UpdateLimitPart();
    UpdateOrderInfo();
    UpdateQuantityRange(); // the Max at the price shown
}

void OrderDialog::afterAdd(const user_Account& /*stored*/, CTransaction* /*transaction*/, void* /*reserved*/)
{
    RequestRefresh();
}

void OrderDialog::afterUpdate(const user_Account& stored, CTransaction* /*transaction*/, void* /*reserved*/)
{
    // Found again first: the symbol held may have gone with a query.
    if(m_closing || !CheckAll(false, false) || stored.accountKey != m_pSymbolInfo->accountKey) {
        return;
    }
    UpdateQuantityRange();
}

void OrderDialog::OnCancel(wxCommandEvent& event)
{
    event.Skip();
    Close(false);
}

void OrderDialog::OnClose(wxCloseEvent& /*event*/)
{
    if(m_closing) {
        return;
    }
    m_closing = true;
    m_wait.Drop();
    UnregisterTriggers();
    SaveSymbolConfig();
    // A closing dialog is no longer open for the panes' duplicate tests.
    RemoveFromOpenDialogs();
    Hide();
    Destroy();
}

void OrderDialog::OnPluginUnplug(wxCommandEvent& event)
{
    event.Skip(); // every other open dialog closes too
    // Nothing of the plug-in is touched from here on: its tables and the
    // request registry go right after this event. The window goes at the next
    // idle time, before the host unloads the library, rather than inside the
    // application object's dispatch of this very event.
    m_closing = true;
    m_wait.Drop();
    UnregisterTriggers();
    RemoveFromOpenDialogs();
    Hide();
    Destroy();
}
