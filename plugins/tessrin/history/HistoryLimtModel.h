#pragma once

#include "db/trade_Limit.h"
#include "history/HistoryColumn.h"
#include "history/HistoryListModel.h"
#include "panes/LimitOrderModel.h"

// Limit orders of the past. A row shows only when its symbol, the symbol's
// property, account and price are all known.
class HistoryLimtModel : public HistoryListModel<trade_Limit>
{
public:
    // The day list's columns.
    using Column = LimitOrderModel::Column;

    explicit HistoryLimtModel(RecordStore* db) : HistoryListModel(db, LimitOrderModel::eColumnCount) {}

    static trade_Limit ReadRow(const JSONElement& row);
    static const std::vector<HistoryColumn>& Columns();

protected:
    bool HasLinks(const trade_Limit& row) const override;
    void GetRowValue(const trade_Limit& row, unsigned int column, wxVariant& value) const override;
};
