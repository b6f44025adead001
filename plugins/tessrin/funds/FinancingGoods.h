#pragma once

#include "common/EndsWithLogin.h"
#include "connection/RequestCallBack.h"
#include "db/RecordStore.h"
#include "funds/UnsettledRequestWait.h"
#include "layouts/FinancingGoodsBase.h"

#include <functional>
#include <tradeapi/FFixGoods.h>

class HostManager;

// Pledges goods of one vendor inventory (mode 0, "Apply Goods") or releases
// them (mode 1, "Cancel Goods") through the trade server, and waits for the
// answer. Success closes it; the goods page is then queried again. After a
// time-out or a lost link OK stays disabled until the late answer tells
// whether the goods moved.
class FinancingGoods : public FinancingGoodsBase, public RequestCallBack
{
public:
    static constexpr unsigned kWaitMs = 10000;
    using Sender = std::function<int(sFFixFinancingGoods*)>;

    FinancingGoods(RecordStore* db, HostManager* mgr, int mode, const SymbolInventory& row,
                   wxWindow* parent = nullptr);
    ~FinancingGoods() override;

    // Tests send through their own; by default the login's Client.
    void SetSender(Sender sender) { m_sender = std::move(sender); }
    UnsettledRequestWait& GetWait() { return m_wait; }
    int GetMaximum() const { return m_maximum; }
    const SymbolInventory& GetRow() const { return m_row; }

    void OnResponse(int requestId, int errorCode, const wxString& text) override;
    void OnResponseTimeOut(int requestId) override;
    void OnResponseLost(int requestId, int errorCode, const wxString& text) override;
    void ShowMessage(const wxString& text, int code);

    void OnInitDialog(wxInitDialogEvent& event) override;
    void OnClose(wxCloseEvent& event) override;
    void OnVendorSelected(wxCommandEvent& event) override;
    void OnOK(wxCommandEvent& event) override;

private:
    void FillFields();

    RecordStore* m_db;
    HostManager* m_mgr;
    int m_mode;
    SymbolInventory m_row;
    int m_maximum = 0;
    wxDateTime m_messageExpiry;
    UnsettledRequestWait m_wait;
    Sender m_sender;
    EndsWithLogin m_endsWithLogin{*this};
};
