#pragma once

#include "connection/RequestCallBack.h"
#include "db/CActionTrigger.h"
#include "db/server_time.h"
#include "db/symbol_price.h"
#include "db/trade_Contract.h"
#include "layouts/MinTradeQuickOrderPanelBase.h"
#include "orders/MinTradeRules.h"
#include "orders/OrderWait.h"

#include <functional>
#include <memory>
#include <vector>
#include <wx/timer.h>

class IOrderSender;
class RecordStore;
class RequestNotify;
struct symbol_Info;

// The binary-option quick order beside a chart: a page of our own that the
// program fills (symbol, price, clock, the contract periods) and that asks
// for an order through its new-window request. A stale quote shows grey and
// slanted with "(stale)", and the clock then stands at its time instead of
// the server's, which would tick as if it were live. The panel checks the order
// against the symbol's contracts, confirms it, sends it and reports its
// answer. One order at a time: while one is awaited, or its fate is unknown
// after a time-out or a dropped link, the next is refused with the reason.
// GUI thread only.
class MinTradeOrderPanel : public MinTradeQuickOrderPanelBase,
                           public RequestCallBack,
                           public CActionTrigger<symbol_price>,
                           public CActionTrigger<trade_Contract>,
                           public CActionTrigger<server_time>
{
public:
    static constexpr int kRefreshMs = 300;
    static constexpr unsigned kTimeoutMs = 10000;
    // Asks whether to send: true for OK. Tests answer it themselves.
    struct Confirmation
    {
        wxString symbolName, price, amount, charge, side;
        bool showCharge;
    };
    using Confirm = std::function<bool(const Confirmation&)>;

    // The second argument is not used.
    MinTradeOrderPanel(RecordStore* db, void* unused, wxWindow* parent, const symbol_Info* symbol);
    ~MinTradeOrderPanel() override;

    // Tests: where orders go, where waits are kept, what confirms.
    void SetSender(std::unique_ptr<IOrderSender> sender);
    void SetRegistry(RequestNotify* registry) { m_wait.SetRegistry(registry); }
    void SetRecordsReadyCheck(OrderWait::ReadyCheck check) { m_wait.SetReadyCheck(std::move(check)); }
    void SetConfirm(Confirm confirm) { m_confirm = std::move(confirm); }

    void LoadPage();
    // Not live: in the stale quote's colour and slanted.
    void SetPrice(const wxString& price, bool live = true);
    void SetSymbolName(const wxString& name);
    void SetSymbolCode(const wxString& code);
    void SetClockTime(const wxString& time, bool live = true);
    void SetTimelist(const std::array<wxString, 7>& lists);
    void SetSymbol(int symbolId);
    void UpdatePrice();
    bool IsReady() const;

    // Places an order from the page's query.
    void SetOrder(const MinTradeRules::Query& query);
    void ShowError(const wxString& text, int code);

    void OnResponse(int requestId, int errorCode, const wxString& text) override;
    void OnResponseTimeOut(int requestId) override;
    void OnResponseLost(int requestId, int errorCode, const wxString& text) override;
    bool IsWaitting() const { return m_wait.IsWaiting(); }
    bool IsUnsettled() const { return m_wait.IsUnsettled(); }

    void afterUpdate(const symbol_price& stored, CTransaction* transaction, void* reserved) override;
    void afterAdd(const trade_Contract& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const trade_Contract& stored, CTransaction* transaction, void* reserved) override;
    bool beforeRemove(const trade_Contract& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const server_time& stored, CTransaction* transaction, void* reserved) override;

    void Update() override;

protected:
    void OnPageRequest(wxWebViewEvent& event) override;

private:
    void OnRefreshTimer(wxTimerEvent& event);
    void ContractChanged(const trade_Contract& contract);
    void RunScript(const wxString& function, const std::vector<wxString>& arguments);
    std::vector<const trade_Contract*> SymbolContracts() const;
    const symbol_Info* FindSymbol() const;
    // The symbol's quote once IsReady, else null.
    const symbol_price* Quote() const;
    // The server's time, or the stale quote's.
    void ShowClock();
    bool ShowConfirmation(const Confirmation& confirmation);
    void OnFateSettled(OrderWait::Outcome outcome, int code, const wxString& text);

    RecordStore* m_pDb;
    int m_symbolId;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    OrderWait m_wait;
    std::unique_ptr<IOrderSender> m_sender;
    Confirm m_confirm;
    wxTimer m_refreshTimer;
    bool m_clockLive = true; // the clock shows the server's time

    wxDECLARE_EVENT_TABLE();
};
