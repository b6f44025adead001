#pragma once

#include "common/MessageLine.h"
#include "common/RefreshClock.h"
#include "connection/RequestCallBack.h"
#include "db/CActionTrigger.h"
#include "layouts/TranscationPanelBase.h"
#include "orders/FinalOrderCheck.h"
#include "orders/OrderDialogConfig.h"
#include "orders/OrderWait.h"

#include <functional>
#include <memory>
#include <wx/datetime.h>
#include <wx/timer.h>

class HostManager;
class IOrderSender;
class QuickOrderQuote;
class RecordStore;
class wxAuiManagerEvent;
class wxSpinCtrlDouble_;
struct symbol_Info;
struct symbol_price;

// The quick-trade panel, docked in the host frame as "QuickOrderPanel": a
// market order of the current symbol with one click on Buy or Sell, at the
// quotes its caption shows, within the quantity the order dialog allows and
// only at a live quote; the limit button opens the order dialog. Its fields
// take the keys typed after a click on them; its buttons and switches never
// take the keyboard focus, so no key sends an order. It follows
// the symbol the OTC board selects, or else the first quoted one (never a
// binary option), and hides while binary options are in front. One order at
// a time: a click while an answer is awaited sends nothing. GUI thread only.
class TranscationPanel : public TranscationPanelBase,
                         public RequestCallBack,
                         public CActionTrigger<symbol_price>,
                         public RefreshClock::Client
{
public:
    static constexpr unsigned kWaitMs = 10000;
    static constexpr const char* kPaneName = "QuickOrderPanel";
    // The largest quantity the quantity field takes.
    static constexpr int kMaxQuantity = 999999;
    // Milliseconds on a steady clock.
    using Clock = std::function<wxLongLong()>;

    // Quotes repaint the caption on the clock (none: at once).
    TranscationPanel(RecordStore* db, HostManager* mgr, wxWindow* parent,
                     RefreshClock* clock = PluginRefreshClock());
    ~TranscationPanel() override;

    // The symbol to trade; the caption follows. Another symbol's stops
    // start empty.
    void SetSymbol(const symbol_Info* symbol);
    // Logged out, the caption shows no prices and Buy, Sell and the limit
    // button say so; until the first login it is logged out.
    void SetLoggedIn(bool loggedIn);
    // Reads the point-difference memory of the symbol code; the controls
    // keep their values.
    void LoadOrderConfig(const wxString& symbolCode);
    // The caption of the panel's pane in the docking manager.
    void SetLabel(const wxString& label) override;
    wxString GetCaption() const { return m_caption; }

    void OnResponse(int requestId, int errorCode, const wxString& text) override;
    void OnResponseTimeOut(int requestId) override;
    void OnResponseLost(int requestId, int errorCode, const wxString& text) override;
    void afterAdd(const symbol_price& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const symbol_price& stored, CTransaction* transaction, void* reserved) override;
    // The caption of the quotes the refresh clock's tick found.
    void OnRefreshTick() override;

    // Sends the market order of the side ('b' or 's') as a click does.
    void SendOrder(char side);
    // Shows or hides the pane; the "Output" pane moves three layers out, to
    // a row of the whole width below it, and stays there.
    void ShowPane(bool show);
    // The message routine: a box ("NoticeMessage") or the message line.
    void ShowErrorMessage(const wxString& text, int code);

    const symbol_Info* GetSymbol() const { return m_pSymbolInfo; }
    int GetSymbolId() const { return m_symbolId; }
    bool IsWaitting() const { return m_wait.IsWaiting(); }
    // A time-out or a dropped link left the last order's fate unknown.
    bool IsUnsettled() const { return m_wait.IsUnsettled(); }
    int GetRequestId() const { return m_wait.GetRequestId(); }
    const OrderDialogConfig& GetOrderConfig() const { return m_orderConfig; }
    wxString GetMessageText() const;
    bool IsMessageShown() const;

    // Replaceable outside services (tests).
    void SetSender(std::unique_ptr<IOrderSender> sender);
    void SetRequestNotify(RequestNotify* registry) { m_wait.SetRegistry(registry); }
    void SetRecordsReadyCheck(OrderWait::ReadyCheck check) { m_wait.SetReadyCheck(std::move(check)); }
    void SetClock(Clock clock) { m_clock = std::move(clock); }
    MessageLine& GetMessageLine() { return m_message; }

protected:
    void OnQuantitySelected(wxCommandEvent& event) override;
    void OnStopLossSpin(wxSpinDoubleEvent& event) override;
    void OnTakeProfitSpin(wxSpinDoubleEvent& event) override;
    void OnPointDiffCheck(wxCommandEvent& event) override;
    void OnPreConfirmCheck(wxCommandEvent& event) override;
    void OnBuy(wxCommandEvent& event) override;
    void OnSell(wxCommandEvent& event) override;
    void OnLimitPrice(wxCommandEvent& event) override;

private:
    // Logged in, the symbol still listed, its property and quote linked.
    bool TradeCheck();
    void UpdateCaption();
    // The stop fields' decimals and step: one price point of the symbol.
    void FollowDecimals(const QuickOrderQuote& quote);
    // The stop field's value after a change; the arrows of an empty field
    // start at the bound (`before` is the value until this change).
    double SteppedStop(wxSpinCtrlDouble_* spin, double before, bool stopLoss);
    // False, with the message, when logged out.
    bool CheckLoggedIn();
    void FollowQuote(const symbol_price& quote);
    void ApplyButtonColours();
    void SaveOrderConfig();
    void StartWaitting(int requestId, OrderFate fate);
    // True when the verdict of the final check lets the order go; else its
    // message.
    bool Passes(const FinalOrderCheck::Verdict& verdict);
    void OnFateSettled(OrderWait::Outcome outcome, int code, const wxString& text);
    // The binary-options board, or a chart of a binary option, in front.
    bool IsBinaryInFront() const;
    // The trader's setting, unless binary options are in front.
    bool ShouldShow() const;
    // Shows or hides the pane when ShouldShow changed.
    void FollowFrontPage();
    // A click on the same button within the system's double-click time:
    // the second click of a double click, which sends nothing.
    bool IsSecondClick(char side);

    void OnRefreshViews(wxCommandEvent& event);
    void OnSettingChanged(wxCommandEvent& event);
    void OnFullScreen(wxCommandEvent& event);
    void OnPaneClose(wxAuiManagerEvent& event);
    void OnPageWatch(wxIdleEvent& event);
    void OnHideMessage(wxTimerEvent& event);

    RecordStore* m_pDb;
    HostManager* m_pManager;
    const symbol_Info* m_pSymbolInfo = nullptr;
    double m_stopLoss = 0.0;
    double m_takeProfit = 0.0;
    wxDateTime m_messageExpire;
    wxTimer m_messageTimer; // hides the message line
    int m_symbolId = -1;
    OrderDialogConfig m_orderConfig;
    OrderWait m_wait;
    MessageLine m_message;
    std::unique_ptr<IOrderSender> m_sender;
    RefreshClock* m_refreshClock; // not owned; null: the caption follows each quote at once
    wxString m_caption;
    bool m_triggerRegistered = false;
    bool m_loggedIn = false;
    Clock m_clock;
    char m_lastClickSide = 0;
    wxLongLong m_lastClickMs = 0;
};
