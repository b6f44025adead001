#pragma once

#include "db/trade_CloseBill.h"
#include "history/HistoryColumn.h"
#include "history/HistoryListModel.h"
#include "panes/CloseBillModel.h"

// Closed orders of the past, the close profit coloured. A row shows only
// when its symbol, the symbol's property and account are known.
class HistoryOrderModel : public HistoryListModel<trade_CloseBill>
{
public:
    // The day list's columns up to the close type; the report has no open
    // price of its own, its open price column shows the hold price.
    enum Column {
        eOpenPrice = CloseBillModel::eOpenPrice,
        eChargeOpen,
        eOrderCodeRe,
        eCloseTime,
        eColumnCount
    };

    explicit HistoryOrderModel(RecordStore* db) : HistoryListModel(db, eColumnCount) {}

    static trade_CloseBill ReadRow(const JSONElement& row);
    static const std::vector<HistoryColumn>& Columns();

protected:
    bool HasLinks(const trade_CloseBill& row) const override;
    void GetRowValue(const trade_CloseBill& row, unsigned int column, wxVariant& value) const override;
    void GetRowAttr(const trade_CloseBill& row, unsigned int column, wxDataViewItemAttr& attr) const override;
};
