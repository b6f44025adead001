#pragma once

#include "db/trade_BinaryOrder.h"
#include "history/HistoryColumn.h"
#include "history/HistoryListModel.h"
#include "orders/MinTradeOrderModel.h"

// Settled and cancelled binary-option orders. A row shows only when its
// symbol, the symbol's property and account are known.
class HistoryMinTradeModel : public HistoryListModel<trade_BinaryOrder>
{
public:
    // The day list's columns but two: the amount before charges, and the
    // state where the day list shows the charge.
    enum Column {
        eAmount = MinTradeOrderModel::eOrderAmount,
        eOrderStatus = MinTradeOrderModel::eCharge,
        eColumnCount
    };

    explicit HistoryMinTradeModel(RecordStore* db) : HistoryListModel(db, eColumnCount) {}

    static trade_BinaryOrder ReadRow(const JSONElement& row);
    static const std::vector<HistoryColumn>& Columns();

protected:
    bool HasLinks(const trade_BinaryOrder& row) const override;
    void GetRowValue(const trade_BinaryOrder& row, unsigned int column, wxVariant& value) const override;
    void GetRowAttr(const trade_BinaryOrder& row, unsigned int column,
                    wxDataViewItemAttr& attr) const override;
};
