#pragma once

#include "common/RecordListPane.h"
#include "panes/LimitOrderModel.h"

// The "Limit " page: the pending limit and stop orders. Its menu opens the
// order dialog to cancel or modify the selected order, or to place a new
// limit order of its symbol; the dialog sends the request.
class LimitOrderPane : public RecordListPane<LimitOrderModel>
{
public:
    static constexpr const char* kConfigName = "LimitOrderPane";

    LimitOrderPane(RecordStore* db, HostManager* mgr, wxWindow* parent);

private:
    void OnNewOrder(wxCommandEvent& event);
    void OnCancelOrder(wxCommandEvent& event);
    void OnModifyOrder(wxCommandEvent& event);

    // The selected order when its account, symbol and the account's login
    // are found; null otherwise.
    const trade_Limit* GetActionableOrder() const;
    // The cancel or modify dialog; at most one of the two per order.
    void OpenOrderDialog(int kind);
};
