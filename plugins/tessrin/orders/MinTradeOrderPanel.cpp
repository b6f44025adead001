#include "orders/MinTradeOrderPanel.h"

#include "common/Colours.h"
#include "common/IClientPlugin.h"
#include "common/MessageLine.h"
#include "common/ModalMessageBox.h"
#include "common/SettingsAccessors.h"
#include "common/TessrinConfig.h"
#include "connection/ErrorTextTable.h"
#include "connection/RequestNotify.h"
#include "db/DateTimeText.h"
#include "db/NumberFormat.h"
#include "db/RecordStore.h"
#include "db/symbol_Info.h"
#include "db/symbol_Property.h"
#include "orders/BinaryOpQuickOrderConfirm.h"
#include "orders/FinalOrderCheck.h"
#include "orders/MinTradeConfm.h"
#include "orders/OrderKinds.h"
#include "orders/PluginOrderSender.h"

#include <pelmora/pmStandardPaths.h>
#include <platform/WebPage.h>
#include <wx/filename.h>
#include <wx/webview.h>

using namespace MinTradeRules;

namespace {

TessrinConfig PluginConfig()
{
    return TessrinConfig(g_plugin ? g_plugin->GetConfig() : nullptr);
}

// The page's colour of a text of a stale quote, as the boards draw it; empty: live.
wxString StaleColour(bool live)
{
    return live ? wxString() : wxColour(Colours::kStaleQuoteText).GetAsString(wxC2S_HTML_SYNTAX);
}

} // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(MinTradeOrderPanel, MinTradeQuickOrderPanelBase)
    EVT_TIMER(wxID_ANY, MinTradeOrderPanel::OnRefreshTimer)
wxEND_EVENT_TABLE()
    // clang-format on

    MinTradeOrderPanel::MinTradeOrderPanel(RecordStore* db, void* unused, wxWindow* parent,
                                           const symbol_Info* symbol)
    : MinTradeQuickOrderPanelBase(parent), m_pDb(db), m_symbolId(symbol ? symbol->symbolId : 0),
      m_wait(this, db,
             [this](OrderWait::Outcome outcome, int code, const wxString& text) {
                 OnFateSettled(outcome, code, text);
             }),
      m_sender(std::make_unique<PluginOrderSender>())
{
    wxUnusedVar(unused);
    m_refreshTimer.SetOwner(this);
    if(m_pDb) {
        m_pDb->m_symbol_price_table->AddActionTrigger(this);
        m_pDb->m_trade_Contract_table->AddActionTrigger(this);
        m_pDb->m_server_time_table->AddActionTrigger(this);
    }
    if(!symbol) {
        m_symbolId = -1;
    }
}

MinTradeOrderPanel::~MinTradeOrderPanel()
{
    *m_alive = false;
    m_refreshTimer.Stop();
    m_wait.Drop();
    if(m_pDb) {
        m_pDb->m_symbol_price_table->RemoveActionTrigger(this);
        m_pDb->m_trade_Contract_table->RemoveActionTrigger(this);
        m_pDb->m_server_time_table->RemoveActionTrigger(this);
    }
}

void MinTradeOrderPanel::SetSender(std::unique_ptr<IOrderSender> sender)
{
    m_sender = std::move(sender);
}

void MinTradeOrderPanel::LoadPage()
{
    if(m_symbolId < 0) {
        return;
    }
    if(m_page) {
        const wxString rc = pmStandardPaths::Get().GetBinFolder() + wxFILE_SEP_PATH + "rc";
        m_page->LoadOwnPage(rc, wxString("mintrade") + wxFILE_SEP_PATH + "MinTradeTrans.html");
    }
    if(!m_refreshTimer.IsRunning()) {
        m_refreshTimer.StartOnce(kRefreshMs);
    }
    UpdatePrice();
}

void MinTradeOrderPanel::RunScript(const wxString& function, const std::vector<wxString>& arguments)
{
    // Queued until our page has loaded; every argument escaped.
    if(m_page) {
        m_page->RunScript(WebPage::ScriptCall(function, arguments));
    }
}

void MinTradeOrderPanel::SetPrice(const wxString& price, bool live)
{
    RunScript("setPrice", {price, StaleColour(live)});
}

void MinTradeOrderPanel::SetSymbolName(const wxString& name)
{
    RunScript("setSymbolName", {name});
}

void MinTradeOrderPanel::SetSymbolCode(const wxString& code)
{
    RunScript("setSymbolCode", {code});
}

void MinTradeOrderPanel::SetClockTime(const wxString& time, bool live)
{
    RunScript("setClockTime", {time, StaleColour(live)});
}

void MinTradeOrderPanel::SetTimelist(const std::array<wxString, 7>& lists)
{
    RunScript("setTimelist", std::vector<wxString>(lists.begin(), lists.end()));
}

const symbol_Info* MinTradeOrderPanel::FindSymbol() const
{
    if(!m_pDb) {
        return nullptr;
    }
    const auto& symbols = m_pDb->m_symbol_Info_table->GetIndexByPrimary();
    const auto found = symbols.find(m_symbolId);
    return found == symbols.end() ? nullptr : &*found;
}

std::vector<const trade_Contract*> MinTradeOrderPanel::SymbolContracts() const
{
    std::vector<const trade_Contract*> contracts;
    if(m_pDb) {
        for(const trade_Contract& contract : m_pDb->m_trade_Contract_table->GetContainer()) {
            if(contract.symbolId == m_symbolId) {
                contracts.push_back(&contract);
            }
        }
    }
    return contracts;
}

void MinTradeOrderPanel::SetSymbol(int symbolId)
{
    m_symbolId = symbolId;
    wxString name, code;
    std::vector<const trade_Contract*> contracts;
    const symbol_Info* symbol = FindSymbol();
    if(symbol && symbol->GetSymbolProperty(m_pDb)) {
        name = symbol->cachedSymbolProperty->symbolName;
        code = symbol->symbolCode;
        contracts = SortByDuration(SymbolContracts());
    }
    SetSymbolName(name);
    SetSymbolCode(code);
    SetTimelist(TimeLists(contracts));
    UpdatePrice();
}

bool MinTradeOrderPanel::IsReady() const
{
    if(!m_pDb || m_pDb->m_user_LoginInfo_table->GetContainer().empty()) {
        return false;
    }
    const symbol_Info* symbol = FindSymbol();
    return symbol && symbol->GetSymbolProperty(m_pDb) && symbol->cachedSymbolProperty->GetSymbolPrice(m_pDb);
}

const symbol_price* MinTradeOrderPanel::Quote() const
{
    return IsReady() ? &*FindSymbol()->cachedSymbolProperty->cachedSymbolPrice : nullptr;
}

void MinTradeOrderPanel::UpdatePrice()
{
    const symbol_price* quote = Quote();
    if(!quote) {
        return;
    }
    const wxString price = FormatPrice(quote->lastPrice, FindSymbol()->cachedSymbolProperty->digits, true);
    SetPrice(quote->live ? price : wxString::Format(_("%s (stale)"), price), quote->live);
    if(quote->live != m_clockLive) {
        ShowClock();
    }
}

void MinTradeOrderPanel::ShowClock()
{
    const symbol_price* quote = Quote();
    if(!quote) {
        return;
    }
    m_clockLive = quote->live;
    if(!quote->live) {
        SetClockTime(FormatDateTime(quote->quoteTime), false);
        return;
    }
    const auto& clock = m_pDb->m_server_time_table->GetIndexByPrimary();
    if(!clock.empty()) {
        SetClockTime(FormatDateTime(clock.begin()->serverTime));
    }
}

void MinTradeOrderPanel::Update()
{
    MinTradeQuickOrderPanelBase::Update();
    if(IsReady()) {
        UpdatePrice();
    }
}

void MinTradeOrderPanel::OnPageRequest(wxWebViewEvent& event)
{
    const std::optional<Query> query = ParseOrderRequest(event.GetURL());
    if(!query) {
        event.Skip();
        return;
    }
    // The confirmation is modal: it never runs inside the web engine's callback.
    std::weak_ptr<bool> alive = m_alive;
    CallAfter([this, alive, order = *query] {
        if(!alive.expired()) {
            SetOrder(order);
        }
    });
}

bool MinTradeOrderPanel::ShowConfirmation(const Confirmation& confirmation)
{
    if(m_confirm) {
        return m_confirm(confirmation);
    }
    BinaryOpQuickOrderConfirm dialog(m_pDb, m_symbolId, _("Order Confirm"));
    dialog.SetTexts(confirmation.symbolName, confirmation.price, confirmation.amount, confirmation.side,
                    confirmation.charge, confirmation.showCharge);
    return dialog.ShowModal() == wxID_OK;
}

void MinTradeOrderPanel::SetOrder(const Query& query)
{
    // Never a second bet beside one whose answer is still to come.
    if(m_wait.IsUnsettled()) {
        ShowError(OrderWait::UnsettledText(), -1);
        return;
    }
    if(m_wait.IsWaiting()) {
        ShowError(_("The last order is still awaiting its answer"), -1);
        return;
    }
    const symbol_Info* symbol = FindSymbol();
    const bool known =
        symbol && symbol->GetSymbolProperty(m_pDb) && symbol->cachedSymbolProperty->GetSymbolPrice(m_pDb);
    const CheckedOrder order = CheckOrder(query, known, SymbolContracts());
    if(!order.error.empty()) {
        ShowError(order.error, -1);
        return;
    }
    const symbol_Property& property = *symbol->cachedSymbolProperty;
    const double charge = order.contract->chargeRate * order.amount;
    const int accountKey = symbol->accountKey;
    const trade_Contract contract = *order.contract; // the table may change while the box is open
    const wxString biMode = PluginConfig().GetBiMode();
    // The rule of every order window, before the confirmation and at its OK.
    auto check = [&](double price, sFFixSetOrder& request) {
        request = BuildRequest(accountKey, m_symbolId, contract, order.side, order.amount, price, biMode);
        const FinalOrderCheck::Verdict verdict = FinalOrderCheck::Check(m_pDb, eOpen, request);
        if(!verdict.Passed()) {
            ShowError(verdict.message, -1);
        }
        return verdict.Passed();
    };
    sFFixSetOrder request;
    if(!check(property.cachedSymbolPrice->lastPrice, request)) {
        return;
    }

    Confirmation confirmation;
    confirmation.symbolName = property.symbolName;
    confirmation.price = FormatPrice(property.cachedSymbolPrice->lastPrice, property.digits);
    confirmation.amount = FormatPrice(order.amount - charge, 2, true);
    confirmation.charge = FormatPrice(charge, 2, true);
    confirmation.side = order.side == 'b' ? _("Buy Up") : _("Buy Down");
    confirmation.showCharge = charge != 0.0;
    std::weak_ptr<bool> alive = m_alive;
    if(!ShowConfirmation(confirmation) || alive.expired()) {
        return;
    }

    // The price of the moment OK was pressed.
    const symbol_Info* now = FindSymbol();
    if(!now || !now->GetSymbolProperty(m_pDb) || !now->cachedSymbolProperty->GetSymbolPrice(m_pDb)) {
        ShowError(_("Symbol Invalid"), -1);
        return;
    }
    if(!check(now->cachedSymbolProperty->cachedSymbolPrice->lastPrice, request)) {
        return;
    }
    const int id = m_sender ? m_sender->SetOrder(request) : -1;
    if(id < 0) {
        ShowError(MessageLine::UnsentText(_("Set Order Failed!")), -1);
        return;
    }
    m_wait.Start(id, kTimeoutMs, OrderFate::Of(m_pDb, eOpen, request));
}

void MinTradeOrderPanel::OnResponse(int requestId, int errorCode, const wxString& text)
{
    if(m_wait.OnResponse(requestId, errorCode, text) != OrderWait::eInTime) {
        return; // a late answer is told by OnFateSettled
    }
    if(errorCode != 0) {
        ShowError(text, errorCode);
        return;
    }
    if(IsBinOpOrderSucessPrompt()) {
        auto* notice = new MinTradeConfm();
        notice->Show();
    }
}

void MinTradeOrderPanel::OnResponseTimeOut(int requestId)
{
    if(m_wait.OnResponseTimeOut(requestId)) {
        ShowError(OrderWait::UnsettledText(), -1);
    }
}

void MinTradeOrderPanel::OnResponseLost(int requestId, int errorCode, const wxString& /*text*/)
{
    if(m_wait.OnResponseLost(requestId)) {
        ShowError(OrderWait::LinkLostText(), errorCode);
    }
}

void MinTradeOrderPanel::OnFateSettled(OrderWait::Outcome outcome, int code, const wxString& text)
{
    ShowError(OrderWait::OutcomeText(outcome, text), OrderWait::OutcomeCode(outcome, code));
}

void MinTradeOrderPanel::ShowError(const wxString& text, int code)
{
    const wxString message = text.empty() ? GetErrorText(code) : text;
    const wxString full = ErrorText(FormatTime(wxDateTime::Now()), message, code);
    if(PluginConfig().IsShowErrMsgBox()) {
        // Good news is no error: a notice has a notice's caption.
        ModalMessageBox::Show(full, code == 0 ? _("NoticeMessage") : _("ErrorMessage"), wxOK | wxCENTRE);
    } else {
        // Without boxes the page's own line says it.
        RunScript("setMessage", {full});
    }
}

void MinTradeOrderPanel::afterUpdate(const symbol_price& stored, CTransaction*, void*)
{
    if(stored.symbolId == m_symbolId && IsReady()) {
        UpdatePrice();
    }
}

void MinTradeOrderPanel::ContractChanged(const trade_Contract& contract)
{
    if(contract.symbolId == m_symbolId && IsReady() && !m_refreshTimer.IsRunning()) {
        m_refreshTimer.StartOnce(kRefreshMs);
    }
}

void MinTradeOrderPanel::afterAdd(const trade_Contract& stored, CTransaction*, void*)
{
    ContractChanged(stored);
}

void MinTradeOrderPanel::afterUpdate(const trade_Contract& stored, CTransaction*, void*)
{
    ContractChanged(stored);
}

bool MinTradeOrderPanel::beforeRemove(const trade_Contract& stored, CTransaction*, void*)
{
    ContractChanged(stored);
    return true;
}

void MinTradeOrderPanel::afterUpdate(const server_time& stored, CTransaction*, void*)
{
    const symbol_price* quote = Quote();
    if(quote && quote->live) {
        SetClockTime(FormatDateTime(stored.serverTime));
    }
}

void MinTradeOrderPanel::OnRefreshTimer(wxTimerEvent& event)
{
    wxUnusedVar(event);
    if(IsReady()) {
        SetSymbol(m_symbolId);
    }
}
