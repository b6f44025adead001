#pragma once

#include "common/DirtyRows.h"
#include "common/RowDeletionNotice.h"
#include "db/CActionTrigger.h"
#include "panes/OrderList.h"

#include <functional>
#include <unordered_map>
#include <wx/colour.h>
#include <wx/dataview.h>

class RecordStore;
struct symbol_Info;
struct symbol_price;
struct trade_HoldBill;
struct user_Account;

// The hold-detail list: every open hold bill, grouped by account, each group
// closed by the account's summary row. Rows are the nodes of its own
// OrderList; it follows the bill, account and quote tables and moves the
// nodes as they change. A summary row hands every cell a reference to its
// account ("void*"); AccountInfoRenderer draws it. GUI thread only.
class HoldDetailModel : public wxDataViewVirtualListModel,
                        public CActionTrigger<trade_HoldBill>,
                        public CActionTrigger<user_Account>,
                        public CActionTrigger<symbol_price>,
                        public RowDeletionNotice
{
public:
    enum Column {
        eNumber = 0,
        eOrderCode,
        eSymbol,
        eOpenPrice,
        eHoldPrice,
        eLastPrice,
        eDirection,
        eQuantity,
        eStopLoss,
        eTakeProfit,
        eOpenTime,
        eDynProfit,
        eAccuProfit,
        eMarginUsed,
        eChargeOpen,
        eTotalChargeInterest,
        eDeliveryStatus,
        eColumnCount
    };
    // Which account the money commands take when no row gives one.
    enum AccountFallback {
        eMasterAccount, // the first master account, else the first account
        eFirstAccount,  // the first account
    };

    // `ctrl` (may be null) is scrolled to new rows and gives the background
    // of the summary rows. Observes the bill, quote and account tables.
    // Without a clock, changed rows are repainted at once.
    HoldDetailModel(RecordStore* db, wxDataViewCtrl* ctrl, RefreshClock* clock = nullptr);
    ~HoldDetailModel() override;
    HoldDetailModel(const HoldDetailModel&) = delete;
    HoldDetailModel& operator=(const HoldDetailModel&) = delete;

    unsigned int GetColumnCount() const override { return eColumnCount; }
    wxString GetColumnType(unsigned int /*column*/) const override { return "string"; }
    void GetValueByRow(wxVariant& value, unsigned int row, unsigned int column) const override;
    bool SetValueByRow(const wxVariant& /*value*/, unsigned int /*row*/, unsigned int /*column*/) override
    {
        return true;
    }
    bool GetAttrByRow(unsigned int row, unsigned int column, wxDataViewItemAttr& attr) const override;

    void afterAdd(const trade_HoldBill& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const trade_HoldBill& stored, CTransaction* transaction, void* reserved) override;
    bool beforeRemove(const trade_HoldBill& stored, CTransaction* transaction, void* reserved) override;
    void afterAdd(const user_Account& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const user_Account& stored, CTransaction* transaction, void* reserved) override;
    bool beforeRemove(const user_Account& stored, CTransaction* transaction, void* reserved) override;
    // Repaints only the DynProfit cells of the symbol's bills.
    void afterUpdate(const symbol_price& stored, CTransaction* transaction, void* reserved) override;

    const OrderList& GetOrderList() const { return m_orderList; }
    RecordStore* GetDatabase() const { return m_db; }
    bool IsSummaryRow(unsigned int row) const;
    // The bill of a bill row; null for a summary row or past the end.
    const trade_HoldBill* GetBill(unsigned int row) const;
    // The account of a row, looked up by the row's account key (a removed
    // account's bills keep their rows); null when it is gone.
    const user_Account* GetRowAccount(unsigned int row) const;
    // The account the money commands act on: that of the row when the row
    // exists, else the fallback; null when there is no account.
    const user_Account* FindMoneyAccount(int row, AccountFallback fallback) const;
    void ForEachBillOfAccount(int accountKey, const std::function<void(const trade_HoldBill&)>& call) const;

    // The text of a summary cell of the account: the money line in column 0,
    // the group's sums in columns 11 to 15, nothing elsewhere.
    wxString GetSummaryText(const user_Account& account, unsigned int column) const;
    // Background of a summary row and its text colour, from the control's background.
    wxColour GetSummaryBackground() const;
    wxColour GetSummaryTextColour() const;
    wxDataViewCtrl* GetCtrl() const { return m_ctrl; }
    // The control made after the model (the pane's order of building).
    void SetCtrl(wxDataViewCtrl* ctrl) { m_ctrl = ctrl; }

    // The price a bill would close at now: the quote, for market type '1'
    // less the sell spread (a buy) or plus the buy spread (a sell).
    static double ClosingPrice(const trade_HoldBill& bill, const symbol_Info& symbol,
                               const symbol_price& quote);

private:
    // A summary row's figures: the account's floating profits (from the hold
    // and from the open price) and its group's money sums. Kept until a bill,
    // an account or a quote of one of its symbols changes, so a repaint of
    // the row does not walk its bills again.
    struct GroupSums
    {
        double dynProfit = 0.0;
        double accuProfit = 0.0;
        double marginUsed = 0.0;
        double chargeOpen = 0.0;
        double totalChargeInterest = 0.0;
    };
    const GroupSums& SumsOf(const user_Account& account) const;
    void ForgetSums(int accountKey) { m_sums.erase(accountKey); }

    void GetBillValue(const trade_HoldBill& bill, unsigned int row, unsigned int column,
                      wxVariant& value) const;
    const user_Account* FindAccount(int accountKey) const;
    void ScrollTo(int row);
    void RemoveNode(int row);

    wxDataViewCtrl* m_ctrl; // not owned; may be null
    OrderList m_orderList;
    RecordStore* m_db;
    DirtyRows m_dirty; // price and account changes, repainted on the refresh clock
    mutable std::unordered_map<int, GroupSums> m_sums; // by account key, while valid
};
