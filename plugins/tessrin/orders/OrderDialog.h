#pragma once

#include "common/EndsWithLogin.h"
#include "common/MessageLine.h"
#include "connection/RequestCallBack.h"
#include "db/CActionTrigger.h"
#include "layouts/OrderDialogBase.h"
#include "orders/FinalOrderCheck.h"
#include "orders/IOrderSender.h"
#include "orders/OrderDialogConfig.h"
#include "orders/OrderKindTraits.h"
#include "orders/OrderRequests.h"
#include "orders/OrderSymbolList.h"
#include "orders/OrderTicket.h"
#include "orders/OrderWait.h"
#include "orders/SymbolGroupConfig.h"

#include <memory>
#include <vector>
#include <wx/datetime.h>
#include <wx/spinctrl.h>

class HostManager;
class OrderRules;
class RecordStore;
class RequestNotify;
struct symbol_price;
struct user_Account;

// The window through which the trader places market and limit orders,
// closes a hold bill, changes stop-loss and take-profit, cancels a limit
// order, applies for or withdraws delivery and closes a net position. A
// non-modal top-level window; several may be open.
//
// Opening (every pane, in this order): the Has...Dialog test of the kind,
// Create, the fields of the kind (OrderTicket, written directly), then
// PlaceNearLast. The dialog follows its symbol's quotes and the accounts,
// sends one request at a time, waits 10 s for its answer and closes on
// success. GUI thread only.
class OrderDialog : public OrderDialogBase,
                    public RequestCallBack,
                    public CActionTrigger<symbol_price>,
                    public CActionTrigger<user_Account>,
                    public OrderTicket
{
public:
    static constexpr unsigned kWaitMs = 10000;

    // Null, creating nothing, when a dialog is open and "ShowMultiOrderDialog"
    // is off.
    static OrderDialog* Create(RecordStore* store, HostManager* manager, char marketType);
    // Shows the dialog, moved by (+50, +50) past every open dialog that
    // stands where it would appear.
    static void PlaceNearLast(OrderDialog* dialog);

    // Whether a dialog of the kind is open for the symbol or the order code
    // (codes compared case-sensitively).
    static bool HasNewOrderDialog(int symbolId);
    static bool HasCloseOrderDialog(const wxString& orderCode);
    static bool HasModifyOrderDialog(const wxString& orderCode);
    static bool HasCancelOrderDialog(const wxString& orderCode);
    static bool HasDeliveryOrderDialog(const wxString& orderCode);
    static bool HasClosePositionDialog(int symbolId);
    // Every open dialog, in creation order.
    static const std::vector<OrderDialog*>& GetOpenDialogs() { return s_openDialogs; }

    ~OrderDialog() override;

    // The limit order of kinds 2 and 3, with its code.
    void SetLimitOrder(const trade_Limit* order);

    // The checks before any action: symbol, account, and the record of the
    // kind. A failure shows its message as asked (kind-2/3 market orders
    // always on the line).
    bool CheckAll(bool allowBox, bool showLine);
    char GetOrderType() const;
    // The message routine: "[hh:mm:ss]text[code]".
    void ShowError(const wxString& text, int code, bool allowBox, bool showLine);
    // Registers the wait for the answer to `requestId`, whose fill the
    // records show as `fate` says.
    void StartWaitting(int requestId, OrderFate fate = OrderFate());
    bool IsWaitting() const { return m_wait.IsWaiting(); }
    int GetWaitRequestId() const { return m_wait.GetRequestId(); }
    // Nothing awaited, and no order sent whose fate is not known.
    bool CanSend() const { return m_wait.CanSend(); }
    // A time-out or a dropped link left the last order's fate unknown.
    bool IsUnsettled() const { return m_wait.IsUnsettled(); }

    // The point-difference memory of the current symbol.
    void LoadSymbolConfig(const wxString& symbolCode, bool defaultsOnly);
    void SaveSymbolConfig();
    void EnabledAllCtls();

    void OnResponse(int requestId, int errorCode, const wxString& text) override;
    void OnResponseTimeOut(int requestId) override;
    void OnResponseLost(int requestId, int errorCode, const wxString& text) override;
    // The server's answer that the order needs goods financing.
    static constexpr int kFinancingQuestionCode = 157;
    // The symbol's quote moved: prices and bounds follow at once.
    void afterUpdate(const symbol_price& stored, CTransaction* transaction, void* reserved) override;
    // A new account: refreshed once the burst is over.
    void afterAdd(const user_Account& stored, CTransaction* transaction, void* reserved) override;
    // The symbol's account moved (its net value follows every quote): the
    // largest quantity follows.
    void afterUpdate(const user_Account& stored, CTransaction* transaction, void* reserved) override;

    // Replaceable outside services (tests).
    void SetSender(std::unique_ptr<IOrderSender> sender) { m_sender = std::move(sender); }
    void SetRequestNotify(RequestNotify* registry) { m_wait.SetRegistry(registry); }
    void SetRecordsReadyCheck(OrderWait::ReadyCheck check) { m_wait.SetReadyCheck(std::move(check)); }
    MessageLine& GetMessageLine() { return m_messageLine; }

    OrderDialogConfig m_config;
    SymbolGroupConfig m_symbolGroups;
    wxDateTime m_messageExpiry;
    bool m_refreshPending = false;

protected:
    OrderDialog(RecordStore* store, HostManager* manager, char marketType);

    void OnInitDialog(wxInitDialogEvent& event) override;
    void OnClose(wxCloseEvent& event) override;
    void OnSymbolSelected(wxCommandEvent& event) override;
    void OnOrderTypeSelected(wxCommandEvent& event) override;
    void OnMarginTypeSelected(wxCommandEvent& event) override;
    void OnQuantityText(wxCommandEvent& event) override;
    void OnMaxClicked(wxCommandEvent& event) override;
    void OnDirectionChanged(wxCommandEvent& event) override;
    void OnPriceText(wxCommandEvent& event) override;
    void OnExpireSelected(wxCommandEvent& event) override;
    void OnStopLoss10Point(wxCommandEvent& event) override;
    void OnTakeProfit10Point(wxCommandEvent& event) override;
    void OnPointDiffCheck(wxCommandEvent& event) override;
    void OnPreConfirmCheck(wxCommandEvent& event) override;
    void OnOK(wxCommandEvent& event) override;
    virtual void OnModifyOrder(wxCommandEvent& event);
    virtual void OnDeliveryOrder(wxCommandEvent& event);
    virtual void OnClosePosition(wxCommandEvent& event);
    virtual void OnCancel(wxCommandEvent& event);

    void OnStopLossSpin(wxSpinDoubleEvent& event);
    void OnTakeProfitSpin(wxSpinDoubleEvent& event);
    void OnPriceSpin(wxSpinDoubleEvent& event);
    void OnDeferredRefresh(wxCommandEvent& event);
    // Event 15999: the plug-in unloads; the dialog lets go of the plug-in at
    // once and is no longer open.
    void OnPluginUnplug(wxCommandEvent& event);

    // The whole refresh: symbol list, checks, prices, ranges, controls.
    virtual void RefreshDialog();
    // One refresh after any burst of changes.
    void RequestRefresh();

private:
    // The ticket's symbol found again by id; null when gone.
    const symbol_Info* FindSymbol() const;
    void FillSymbolList();
    // A new limit order whose price is still the dialog's own, not chosen
    // yet, starts at the opening price of its side (OrderRules).
    void PlaceLimitPrice();
    void UpdatePriceTexts();
    void UpdateStopProfitDisplay();
    void UpdateLimitPart();
    void FillMarginTypes();
    void UpdateTitle();
    void UpdateOrderInfo();
    void UpdateQuantityRange();
    void UpdateVisibility();
    // The row's spacers follow its controls.
    static void ShowRow(wxSizer* row, bool show);
    void UpdateCheckBoxes();
    // Lays the dialog out again and fits it to what it shows.
    void FitToControls();
    // The control values a request takes.
    OrderInputs ReadInputs() const;
    // Shows the confirmation when it is on; false when the request is to be
    // dropped (cancelled, or the dialog closed meanwhile).
    template <class Request> bool Confirm(Request* request);
    // The final check of the request (FinalOrderCheck), the confirmation,
    // and the final check again at its OK; false, with the reason shown,
    // when nothing is to be sent.
    template <class Request> bool ConfirmChecked(Request* request);
    // True when the verdict lets the request go; else its message, with
    // the fields it names shown against the bounds of this moment.
    bool Passes(const FinalOrderCheck::Verdict& verdict);
    // What became of an order whose answer did not come in time.
    void OnFateSettled(OrderWait::Outcome outcome, int code, const wxString& text);
    bool DisablesOk() const;
    // Asks whether to finance goods; Yes opens the goods page, whose next
    // answer opens "Apply Goods" for the symbol.
    bool AskFinancingGoods();
    void UnregisterTriggers();
    void RemoveFromOpenDialogs();
    // Whether a dialog of the kind is open for the symbol or the order code,
    // whichever the kind is known by.
    static bool HasDialog(int kind, int symbolId, const wxString& orderCode);
    const OrderKindTraits& Kind() const { return OrderKindTraits::Of(m_openCloseType); }

    static std::vector<OrderDialog*> s_openDialogs;

    HostManager* m_mgr; // not owned
    std::unique_ptr<IOrderSender> m_sender;
    OrderWait m_wait;
    MessageLine m_messageLine;
    std::vector<OrderSymbolEntry> m_symbolEntries; // what m_symbolCombo lists
    bool m_triggersRegistered = false;
    bool m_closing = false;
    bool m_shownLive = true; // whether the price texts showed a live quote
    // The limit price is the dialog's own start, not the trader's or the
    // opener's: it moves with the side and the symbol.
    bool m_ownLimitPrice = true;
    EndsWithLogin m_endsWithLogin{*this};
};
