#include "panes/TranscationPanel.h"

#include "common/Colours.h"
#include "common/IClientPlugin.h"
#include "common/SettingsAccessors.h"
#include "common/TessrinConfig.h"
#include "connection/ErrorTextTable.h"
#include "db/RecordStore.h"
#include "layouts/wxSpinCtrlDouble_.h"
#include "orders/MarketOrderConfirm.h"
#include "orders/OrderDialog.h"
#include "orders/OrderRules.h"
#include "orders/PluginOrderSender.h"
#include "panes/QuickOrderQuote.h"
#include "panes/SymbolPane.h"

#include <algorithm>
#include <cmath>
#include <pelmora/EditorConfig.h>
#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <pelmora/pmColourButton.h>
#include <wx/aui/aui.h>
#include <wx/settings.h>
#include <wx/valnum.h>
#include <wx/xrc/xmlres.h>

namespace {
constexpr int kOutputLayerShift = 3;
} // namespace

TranscationPanel::TranscationPanel(RecordStore* db, HostManager* mgr, wxWindow* parent, RefreshClock* clock)
    : TranscationPanelBase(parent, wxID_ANY, wxDefaultPosition, wxSize(400, 280)), m_pDb(db), m_pManager(mgr),
      m_wait(this, db,
             [this](OrderWait::Outcome outcome, int code, const wxString& text) {
                 OnFateSettled(outcome, code, text);
             }),
      m_message(nullptr, _("NoticeMessage")), m_sender(std::make_unique<PluginOrderSender>()),
      m_refreshClock(clock), m_clock([] { return wxGetUTCTimeMillis(); })
{
    wxIntegerValidator<unsigned> quantity;
    quantity.SetRange(1, kMaxQuantity);
    m_quantityCombo->SetValidator(quantity);
    // A click on a button or switch leaves the keyboard focus in the field
    // the trader typed in: no Space or Enter sends an order. The fields take
    // the focus, or a field clicked would look ready while its keys went
    // into another.
    for(wxWindow* control : std::initializer_list<wxWindow*>{m_pointDiffCheck, m_preConfirmCheck, m_buyButton,
                                                             m_sellButton, m_limitPriceButton}) {
        control->SetCanFocus(false);
    }
    // The workspace page in front is checked after each burst of events,
    // not on a timer: an idle terminal does not wake for it. The host sends
    // idle events only to the windows that ask for them.
    SetExtraStyle(GetExtraStyle() | wxWS_EX_PROCESS_IDLE);
    Bind(wxEVT_IDLE, &TranscationPanel::OnPageWatch, this);
    m_messageTimer.SetOwner(this);
    Bind(wxEVT_TIMER, &TranscationPanel::OnHideMessage, this, m_messageTimer.GetId());

    if(m_pDb && m_pDb->m_symbol_price_table) {
        m_pDb->m_symbol_price_table->AddActionTrigger(this);
        m_triggerRegistered = true;
    }
    EventNotifier::Get()->Bind(wxEVT_CMD_REFRESH_VIEWS, &TranscationPanel::OnRefreshViews, this);
    EventNotifier::Get()->Bind(wxEventTypeTag<wxCommandEvent>(XRCID("systemSettingChanged")),
                               &TranscationPanel::OnSettingChanged, this);
    EventNotifier::Get()->Bind(wxEVT_CMD_FULLSCREEN_TOGGLED, &TranscationPanel::OnFullScreen, this);
    if(wxAuiManager* aui = m_pManager ? m_pManager->GetAuiManager() : nullptr) {
        aui->Bind(wxEVT_AUI_PANE_CLOSE, &TranscationPanel::OnPaneClose, this);
    }
    ApplyButtonColours();
    m_preConfirmCheck->SetValue(IsOrderPreConfirm());
}

TranscationPanel::~TranscationPanel()
{
    if(m_refreshClock) {
        m_refreshClock->Cancel(this);
    }
    if(m_triggerRegistered) {
        m_pDb->m_symbol_price_table->RemoveActionTrigger(this);
    }
    EventNotifier::Get()->Unbind(wxEVT_CMD_REFRESH_VIEWS, &TranscationPanel::OnRefreshViews, this);
    EventNotifier::Get()->Unbind(wxEventTypeTag<wxCommandEvent>(XRCID("systemSettingChanged")),
                                 &TranscationPanel::OnSettingChanged, this);
    EventNotifier::Get()->Unbind(wxEVT_CMD_FULLSCREEN_TOGGLED, &TranscationPanel::OnFullScreen, this);
    if(wxAuiManager* aui = m_pManager ? m_pManager->GetAuiManager() : nullptr) {
        aui->Unbind(wxEVT_AUI_PANE_CLOSE, &TranscationPanel::OnPaneClose, this);
    }
    m_wait.Drop();
    Unbind(wxEVT_IDLE, &TranscationPanel::OnPageWatch, this);
    m_messageTimer.Stop();
}

void TranscationPanel::SetSender(std::unique_ptr<IOrderSender> sender)
{
    m_sender = std::move(sender);
}

void TranscationPanel::ApplyButtonColours()
{
    const wxString text = TessrinConfig(g_plugin ? g_plugin->GetConfig() : nullptr).GetQuickBtnColours();
    if(text.empty()) {
        return;
    }
    wxArrayString colours = wxSplit(text, ',', '\\');
    if(colours.size() != 3) {
        colours = wxSplit(Colours::kQuickButtonColours, ',', '\\');
    }
    m_buyButton->SetBackgroundColour(wxColour(colours[0]));
    m_sellButton->SetBackgroundColour(wxColour(colours[1]));
    m_limitPriceButton->SetBackgroundColour(wxColour(colours[2]));
}

void TranscationPanel::SetSymbol(const symbol_Info* symbol)
{
    if(!symbol || symbol->symbolId != m_symbolId) {
        // A stop typed for one symbol is no price of another's order.
        m_stopLossSpin->SetValue(0.0);
        m_takeProfitSpin->SetValue(0.0);
        m_stopLoss = m_takeProfit = 0.0;
    }
    m_pSymbolInfo = symbol;
    m_symbolId = symbol ? symbol->symbolId : -1;
    UpdateCaption();
}

void TranscationPanel::SetLoggedIn(bool loggedIn)
{
    m_loggedIn = loggedIn;
    if(loggedIn) {
        UpdateCaption();
    } else {
        SetLabel(_("QuickOrderPanel")); // the last login's prices are no quote
    }
}

bool TranscationPanel::CheckLoggedIn()
{
    if(!m_loggedIn) {
        ShowErrorMessage(_("Not logged in"), -1);
    }
    return m_loggedIn;
}

void TranscationPanel::LoadOrderConfig(const wxString& symbolCode)
{
    OrderDialogConfig stored;
    if(EditorConfigST::Get()->LoadObject(OrderDialogConfig::EntryName(symbolCode), &stored)) {
        m_orderConfig = stored;
    } else {
        m_orderConfig.m_pointDiff = 20;
    }
}

void TranscationPanel::SaveOrderConfig()
{
    m_orderConfig.m_symbolName = m_pSymbolInfo->symbolCode;
    m_orderConfig.m_pointDiff = m_pointDiffSpin->GetValue();
    m_orderConfig.Save();
}

void TranscationPanel::SetLabel(const wxString& label)
{
    if(label == m_caption) {
        return; // nothing to repaint
    }
    m_caption = label;
    wxAuiManager* aui = m_pManager ? m_pManager->GetAuiManager() : nullptr;
    if(!aui) {
        return;
    }
    wxAuiPaneInfo& pane = aui->GetPane(this);
    if(!pane.IsOk()) {
        return;
    }
    pane.Caption(label);
    wxWindow* parent = GetParent();
    if(!parent || !pane.IsShown()) {
        return; // a hidden pane shows its caption when it opens
    }
    // Only the caption above the pane: the whole frame would repaint every
    // pane with it, once per quote.
    wxAuiDockArt* art = aui->GetArtProvider();
    const int caption = art ? art->GetMetric(wxAUI_DOCKART_CAPTION_SIZE) : 0;
    const int border = art ? art->GetMetric(wxAUI_DOCKART_PANE_BORDER_SIZE) : 0;
    const wxRect area = pane.rect;
    parent->RefreshRect(
        wxRect(area.x - border, area.y - caption - border, area.width + 2 * border, caption + border + 1),
        false);
}

bool TranscationPanel::TradeCheck()
{
    if(!m_loggedIn || !m_pDb || m_pDb->m_user_LoginInfo_table->GetContainer().empty()) {
        return false;
    }
    const auto& symbols = m_pDb->m_symbol_Info_table->GetIndexByPrimary();
    const auto found = symbols.find(m_symbolId);
    m_pSymbolInfo = found == symbols.end() ? nullptr : &*found;
    return m_pSymbolInfo && m_pSymbolInfo->GetSymbolProperty(m_pDb) &&
           m_pSymbolInfo->cachedSymbolProperty->GetSymbolPrice(m_pDb);
}

void TranscationPanel::UpdateCaption()
{
    if(!TradeCheck()) {
        return;
    }
    const QuickOrderQuote quote(m_pDb, *m_pSymbolInfo);
    const wxString caption = quote.Caption();
    const bool live = m_pSymbolInfo->cachedSymbolProperty->cachedSymbolPrice->live;
    SetLabel(live ? caption : wxString::Format(_("%s (stale)"), caption));
    FollowDecimals(quote);
}

void TranscationPanel::FollowDecimals(const QuickOrderQuote& quote)
{
    const auto digits = static_cast<unsigned>(std::clamp(quote.GetDigits(), 0, 7));
    const double increment = std::fabs(quote.GetPoint());
    for(wxSpinCtrlDouble_* spin : {m_stopLossSpin, m_takeProfitSpin}) {
        if(spin->GetDigits() != digits) {
            spin->SetDigits(digits);
        }
        if(spin->GetIncrement() != increment) {
            spin->SetIncrement(increment);
        }
    }
}

double TranscationPanel::SteppedStop(wxSpinCtrlDouble_* spin, double before, bool stopLoss)
{
    const double value = spin->GetValue();
    // A typed price is kept as typed; the arrows of an empty field would
    // step from 0, thousands of steps from any price.
    if(spin->TakeTyped() || before != 0.0 || value == 0.0 || !TradeCheck()) {
        return value;
    }
    const double start = QuickOrderQuote(m_pDb, *m_pSymbolInfo).StopStart(stopLoss, value > 0.0);
    if(start <= 0.0) {
        return value;
    }
    spin->SetValue(start);
    return start;
}

void TranscationPanel::afterAdd(const symbol_price& stored, CTransaction* transaction, void* reserved)
{
    wxUnusedVar(transaction);
    wxUnusedVar(reserved);
    FollowQuote(stored);
}

void TranscationPanel::afterUpdate(const symbol_price& stored, CTransaction* transaction, void* reserved)
{
    wxUnusedVar(transaction);
    wxUnusedVar(reserved);
    FollowQuote(stored);
}

void TranscationPanel::FollowQuote(const symbol_price& quote)
{
    if(m_symbolId == -1) {
        const auto& symbols = m_pDb->m_symbol_Info_table->GetIndexByPrimary();
        const auto found = symbols.find(quote.symbolId);
        if(found == symbols.end() || found->marketType == '4') {
            return;
        }
        m_pSymbolInfo = &*found;
        m_symbolId = found->symbolId;
    }
    if(quote.symbolId != m_symbolId) {
        return;
    }
    // After the quote is stored: the caption shows the prices an order
    // sent now would carry, repainted on the refresh clock.
    if(m_refreshClock) {
        m_refreshClock->Request(this);
    } else {
        UpdateCaption();
    }
}

void TranscationPanel::OnRefreshTick()
{
    UpdateCaption();
}

void TranscationPanel::SendOrder(char side)
{
    if(!CheckLoggedIn()) {
        return;
    }
    if(!m_pSymbolInfo) {
        ShowErrorMessage(_("please select a symbol!"), -1);
        return;
    }
    if(m_wait.IsUnsettled()) {
        ShowErrorMessage(OrderWait::UnsettledText(), -1);
        return;
    }
    // One order at a time: a second click while one is awaited sends nothing.
    if(!m_wait.CanSend() || !TradeCheck()) {
        return;
    }
    // The quantity as typed: below 1 sends nothing, above the field's
    // range is refused; neither is replaced by another number.
    double quantity = 0.0;
    if(!m_quantityCombo->GetValue().ToCDouble(&quantity) || !(quantity >= 1.0)) {
        return;
    }
    if(quantity > kMaxQuantity) {
        ShowErrorMessage(wxString::Format(_("Quantity Error! (1~%d)"), kMaxQuantity), -1);
        return;
    }
    const QuickOrderQuote quote(m_pDb, *m_pSymbolInfo);
    m_stopLoss = m_stopLossSpin->GetValue();
    m_takeProfit = m_takeProfitSpin->GetValue();
    QuickOrderQuote::Inputs inputs;
    inputs.quantity = quantity;
    inputs.usePointDiff = m_pointDiffCheck->GetValue();
    inputs.pointDiff = m_pointDiffSpin->GetValue();
    inputs.stopLoss = m_stopLoss;
    inputs.takeProfit = m_takeProfit;
    sFFixSetOrder request = quote.BuildRequest(side, inputs);
    // The order dialog's rule: the bounds, the Max it shows, a live quote.
    if(!Passes(FinalOrderCheck::Check(m_pDb, eOpen, request))) {
        return;
    }
    if(IsOrderPreConfirm()) {
        MarketOrderConfirm confirm(m_pDb, nullptr);
        confirm.m_orderKind = eOpen;
        confirm.m_pSetOrder = &request;
        if(confirm.ShowModal() == wxID_CANCEL) {
            return;
        }
        // The final OK: the same rule with the prices of this moment.
        if(!Passes(FinalOrderCheck::Check(m_pDb, eOpen, request))) {
            return;
        }
    }
    SaveOrderConfig();
    const int requestId = m_sender ? m_sender->SetOrder(request) : -1;
    if(requestId >= 0) {
        StartWaitting(requestId, OrderFate::Of(m_pDb, eOpen, request));
    } else {
        ShowErrorMessage(MessageLine::UnsentText(_("Set Order Failed!")), -1);
    }
}

bool TranscationPanel::Passes(const FinalOrderCheck::Verdict& verdict)
{
    if(verdict.Passed()) {
        return true;
    }
    if(!verdict.message.empty()) {
        ShowErrorMessage(verdict.message, -1);
    }
    return false;
}

void TranscationPanel::StartWaitting(int requestId, OrderFate fate)
{
    m_wait.Start(requestId, kWaitMs, std::move(fate));
}

void TranscationPanel::OnResponse(int requestId, int errorCode, const wxString& text)
{
    if(m_wait.OnResponse(requestId, errorCode, text) != OrderWait::eInTime) {
        return; // a late answer is told by OnFateSettled
    }
    if(errorCode != 0) {
        ShowErrorMessage(text, errorCode);
    }
}

void TranscationPanel::OnResponseTimeOut(int requestId)
{
    // Whatever the id: one wait at a time, and it ends now.
    if(m_wait.IsWaiting()) {
        requestId = m_wait.GetRequestId();
    }
    if(m_wait.OnResponseTimeOut(requestId)) {
        ShowErrorMessage(OrderWait::UnsettledText(), -1);
    }
}

void TranscationPanel::OnResponseLost(int requestId, int errorCode, const wxString& /*text*/)
{
    if(m_wait.OnResponseLost(requestId)) {
        ShowErrorMessage(OrderWait::LinkLostText(), errorCode);
    }
}

void TranscationPanel::OnFateSettled(OrderWait::Outcome outcome, int code, const wxString& text)
{
    ShowErrorMessage(OrderWait::OutcomeText(outcome, text), OrderWait::OutcomeCode(outcome, code));
}

void TranscationPanel::ShowErrorMessage(const wxString& text, int code)
{
    const wxString shown = text.empty() ? GetErrorText(code) : text;
    m_messageExpire = m_message.Show(shown, code, true, false);
    if(MessageLine::IsBoxConfigured()) {
        return;
    }
    const wxDateTime shownAt = m_messageExpire - wxTimeSpan::Seconds(MessageLine::kShowSeconds);
    m_messageText->SetForegroundColour(Colours::MessageText(code == 0));
    m_messageText->SetLabel(MessageLine::Format(shownAt, shown, code));
    m_messageText->Show();
    Layout();
    // A line that stays hidden would hide every error: shown for 5 s.
    m_messageTimer.StartOnce(MessageLine::kShowSeconds * 1000);
}

void TranscationPanel::OnHideMessage(wxTimerEvent& event)
{
    wxUnusedVar(event);
    m_messageText->SetLabel(wxEmptyString);
    m_messageText->Hide();
    Layout();
}

wxString TranscationPanel::GetMessageText() const
{
    return m_messageText->GetLabel();
}

bool TranscationPanel::IsMessageShown() const
{
    return m_messageText->IsShown();
}

void TranscationPanel::ShowPane(bool show)
{
    wxAuiManager* aui = m_pManager ? m_pManager->GetAuiManager() : nullptr;
    if(!aui) {
        return;
    }
    wxAuiPaneInfo& pane = aui->GetPane(this);
    if(pane.IsOk()) {
        pane.Show(show);
    }
    wxAuiPaneInfo& output = aui->GetPane("Output");
    if(!output.IsOk()) {
        return;
    }
    // The output keeps a row of the frame's whole width below the panel,
    // shown or not: beside the panel it kept too little room for its columns.
    if(output.dock_layer < 2) {
        output.Layer(output.dock_layer + kOutputLayerShift);
    }
}

bool TranscationPanel::IsBinaryInFront() const
{
    Notebook* workspace = m_pManager ? m_pManager->GetWorkspaceBook() : nullptr;
    SymbolPane* board = g_plugin ? g_plugin->GetBinaryOptionSymbolPane() : nullptr;
    if(workspace && board && workspace->GetCurrentPage() == board) {
        return true;
    }
    const symbol_Info* chart = g_plugin ? g_plugin->GetChartSymbolInFront() : nullptr;
    return chart && chart->marketType == '4';
}

bool TranscationPanel::ShouldShow() const
{
    return IsShowTranscationPanel() && !IsBinaryInFront();
}

void TranscationPanel::FollowFrontPage()
{
    wxAuiManager* aui = m_pManager ? m_pManager->GetAuiManager() : nullptr;
    if(!aui) {
        return;
    }
    const wxAuiPaneInfo& pane = aui->GetPane(this);
    const bool show = ShouldShow();
    if(pane.IsOk() && pane.IsShown() != show) {
        ShowPane(show);
        aui->Update();
    }
}

void TranscationPanel::OnRefreshViews(wxCommandEvent& event)
{
    event.Skip();
    if(!event.GetClientData()) {
        return;
    }
    ShowPane(ShouldShow());
    if(wxAuiManager* aui = m_pManager ? m_pManager->GetAuiManager() : nullptr) {
        aui->Update();
    }
}

void TranscationPanel::OnSettingChanged(wxCommandEvent& event)
{
    event.Skip();
    if(event.GetId() == XRCID("orderPreConfirmChk")) {
        m_preConfirmCheck->SetValue(IsOrderPreConfirm());
    } else if(event.GetId() == XRCID("m_bShowTranscationPanel")) {
        ShowPane(ShouldShow());
        UpdateCaption();
        if(wxAuiManager* aui = m_pManager ? m_pManager->GetAuiManager() : nullptr) {
            aui->Update();
        }
    }
}

void TranscationPanel::OnFullScreen(wxCommandEvent& event)
{
    event.Skip();
    ShowPane(ShouldShow());
    UpdateCaption();
}

void TranscationPanel::OnPaneClose(wxAuiManagerEvent& event)
{
    event.Skip();
    if(event.GetPane() && event.GetPane()->window == this) {
        SetShowTranscationPanel(false);
    }
}

void TranscationPanel::OnPageWatch(wxIdleEvent& event)
{
    event.Skip();
    // Hidden while binary options are in front, which it does not trade; the
    // trader's setting stays as it is and the panel comes back after them.
    FollowFrontPage();
}

void TranscationPanel::OnQuantitySelected(wxCommandEvent& event)
{
    event.Skip();
}

void TranscationPanel::OnStopLossSpin(wxSpinDoubleEvent& event)
{
    event.Skip();
    m_stopLoss = SteppedStop(m_stopLossSpin, m_stopLoss, true);
}

void TranscationPanel::OnTakeProfitSpin(wxSpinDoubleEvent& event)
{
    event.Skip();
    m_takeProfit = SteppedStop(m_takeProfitSpin, m_takeProfit, false);
}

void TranscationPanel::OnPointDiffCheck(wxCommandEvent& event)
{
    event.Skip();
    m_pointDiffSpin->Enable(m_pointDiffCheck->GetValue());
}

void TranscationPanel::OnPreConfirmCheck(wxCommandEvent& event)
{
    event.Skip();
    SetOrderPreConfirm(m_preConfirmCheck->GetValue());
}

bool TranscationPanel::IsSecondClick(char side)
{
    constexpr int kDefaultDoubleClickMs = 500;
    int doubleClickMs = wxSystemSettings::GetMetric(wxSYS_DCLICK_MSEC);
    if(doubleClickMs <= 0) {
        doubleClickMs = kDefaultDoubleClickMs;
    }
    const wxLongLong now = m_clock();
    const bool second = side == m_lastClickSide && now - m_lastClickMs < doubleClickMs;
    m_lastClickSide = side;
    m_lastClickMs = now;
    return second;
}

void TranscationPanel::OnBuy(wxCommandEvent& event)
{
    event.Skip();
    // The answer to the first click may be back already: the one-at-a-time
    // wait alone would let a double click open two positions.
    if(!IsSecondClick('b')) {
        SendOrder('b');
    }
}

void TranscationPanel::OnSell(wxCommandEvent& event)
{
    event.Skip();
    if(!IsSecondClick('s')) {
        SendOrder('s');
    }
}

void TranscationPanel::OnLimitPrice(wxCommandEvent& event)
{
    event.Skip();
    if(!CheckLoggedIn() || !m_pDb || !m_pDb->m_symbol_Info_table) {
        return;
    }
    // Found again by id: a symbol query may have dropped the one held.
    const auto& symbols = m_pDb->m_symbol_Info_table->GetIndexByPrimary();
    const auto found = symbols.find(m_symbolId);
    m_pSymbolInfo = found == symbols.end() ? nullptr : &*found;
    if(!m_pSymbolInfo) {
        ShowErrorMessage(_("please select a symbol!"), -1);
        return;
    }
    const symbol_Info* symbol = m_pSymbolInfo;
    if(!symbol->GetSymbolProperty(m_pDb) || !symbol->GetAccount(m_pDb) ||
       !symbol->cachedAccount->GetLoginInfo(m_pDb)) {
        return;
    }
    if((symbol->marketType != '1' && symbol->marketType != '2') ||
       OrderDialog::HasNewOrderDialog(symbol->symbolId)) {
        return;
    }
    OrderDialog* dialog = OrderDialog::Create(m_pDb, m_pManager, symbol->marketType);
    if(!dialog) {
        return;
    }
    dialog->m_pSymbolInfo = symbol;
    dialog->m_symbolId = symbol->symbolId;
    dialog->m_orderType = eLimitOrder;
    dialog->m_openCloseType = eOpen;
    dialog->m_direction = 'b';
    OrderDialog::PlaceNearLast(dialog);
}
