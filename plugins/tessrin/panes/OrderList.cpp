#include "panes/OrderList.h"

TESSRIN_COMPILE_RECORD_TABLE(OrderListNode)

const OrderListNode* OrderList::GetNode(unsigned int row) const
{
    const auto& rows = GetIndex<ByRow>();
    return row < rows.size() ? &rows[row] : nullptr;
}

int OrderList::FindRow(int accountKey, const trade_HoldBill* bill) const
{
    return RowOf(GetIndexByPrimary().find(boost::make_tuple(accountKey, bill)));
}

int OrderList::RowOf(iterator node) const
{
    if(node == GetIndexByPrimary().end()) {
        return kNoRow;
    }
    const auto& rows = GetIndex<ByRow>();
    return static_cast<int>(GetContainer().project<ByRow>(node) - rows.begin());
}

bool OrderList::SameGroup(unsigned int row, int accountKey) const
{
    // A bill left behind by a removed account stands next to another group
    // and must not count as one of its bills.
    const OrderListNode* node = GetNode(row);
    return node && !node->IsSummary() && node->accountKey == accountKey;
}

void OrderList::ForEachBillOfAccount(int accountKey,
                                     const std::function<void(const trade_HoldBill&)>& call) const
{
    const int summary = FindSummaryRow(accountKey);
    if(summary == kNoRow) {
        return;
    }
    for(unsigned int row = static_cast<unsigned int>(summary); row-- > 0 && SameGroup(row, accountKey);) {
        call(*GetNode(row)->holdBill);
    }
}

int OrderList::GetBillNumber(unsigned int row) const
{
    const OrderListNode* node = GetNode(row);
    if(!node || node->IsSummary()) {
        return 0;
    }
    int number = 1;
    for(unsigned int above = row; above-- > 0 && SameGroup(above, node->accountKey);) {
        ++number;
    }
    return number;
}

int OrderList::InsertAt(unsigned int row, const OrderListNode& node)
{
    const auto& rows = GetIndex<ByRow>();
    const auto where = row < rows.size() ? rows.begin() + row : rows.end();
    const InsertResult result = Insert(where, node, nullptr, false);
    return result.second ? RowOf(result.first) : kNoRow;
}

bool OrderList::RemoveRow(unsigned int row)
{
    const auto& rows = GetIndex<ByRow>();
    if(row >= rows.size()) {
        return false;
    }
    return Remove(rows.begin() + row, false);
}
