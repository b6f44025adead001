#pragma once

#include "panes/OrderListNode.h"

#include <functional>

// The rows of the hold-detail list in display order: the bills of one
// account one under another, its summary row directly below them. No trigger
// is ever registered on it; the model that owns it notifies the control.
class OrderList : public CObjectFactory<OrderListNode>
{
public:
    static constexpr int kNoRow = -1;

    unsigned int GetCount() const { return static_cast<unsigned int>(GetContainer().size()); }
    // The node of a row; null past the end.
    const OrderListNode* GetNode(unsigned int row) const;
    // The row of the bill of that account, or of the account's summary row
    // for a null bill; kNoRow when it is not listed.
    int FindRow(int accountKey, const trade_HoldBill* bill) const;
    int FindSummaryRow(int accountKey) const { return FindRow(accountKey, nullptr); }
    int RowOf(iterator node) const;

    // Each bill row of the account's group, from the summary row upwards,
    // until a summary row, a row of another account or the top. Nothing when
    // the account has no summary row.
    void ForEachBillOfAccount(int accountKey, const std::function<void(const trade_HoldBill&)>& call) const;
    // 1 plus the bill rows of the same account directly above the row, up to
    // a summary row or a row of another account; 0 for a summary row.
    int GetBillNumber(unsigned int row) const;

    // The rows of a symbol's bills, in no particular order.
    template <class Call> void ForEachRowOfSymbol(int symbolId, Call&& call) const
    {
        const auto range = GetIndex<ByNodeSymbol>().equal_range(symbolId);
        for(auto it = range.first; it != range.second; ++it) {
            if(!it->IsSummary()) {
                call(RowOf(GetContainer().template project<0>(it)));
            }
        }
    }

    // Inserts before the row (appends for a row at or past the end); the new
    // node's row, or kNoRow when its key is listed already.
    int InsertAt(unsigned int row, const OrderListNode& node);
    int Append(const OrderListNode& node) { return InsertAt(GetCount(), node); }
    // Removes the row's node; false for a row past the end.
    bool RemoveRow(unsigned int row);

private:
    bool SameGroup(unsigned int row, int accountKey) const;
};
