#pragma once

#include "db/trade_BinaryOrder.h"
#include "history/HistoryColumn.h"
#include "history/HistoryListModel.h"

// Settled and cancelled binary-option orders. A row shows only when its
// symbol, the symbol's property and account are known.
class HistoryMinTradeModel : public HistoryListModel<trade_BinaryOrder>
{
public:
    explicit HistoryMinTradeModel(RecordStore* db) : HistoryListModel(db, 14) {}

    static trade_BinaryOrder ReadRow(const JSONElement& row);
    static const std::vector<HistoryColumn>& Columns();

protected:
    bool HasLinks(const trade_BinaryOrder& row) const override;
    void GetRowValue(const trade_BinaryOrder& row, unsigned int column, wxVariant& value) const override;
    void GetRowAttr(const trade_BinaryOrder& row, unsigned int column,
                    wxDataViewItemAttr& attr) const override;
};
