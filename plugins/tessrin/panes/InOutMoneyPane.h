#pragma once

#include "common/RecordListPane.h"
#include "panes/InOutMoneyModel.h"
#include "panes/InOutPageHost.h"

#include <memory>

// The "Money " page: deposits and withdrawals with the total of the passed
// ones. Its menu is empty; "pay_inoutmoney" from elsewhere opens the bank
// page of a processing deposit, "cancel_inoutmoney" does nothing.
class InOutMoneyPane : public RecordListPane<InOutMoneyModel>
{
public:
    static constexpr const char* kConfigName = "InOutMoneyPane";

    // `host` null: the plug-in's signing control, page opener and browser.
    InOutMoneyPane(RecordStore* db, HostManager* mgr, wxWindow* parent,
                   std::unique_ptr<InOutPageHost> host = nullptr);
    ~InOutMoneyPane() override;

    void OnPay(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
};
