#pragma once

#include "db/trade_CloseBill.h"
#include "history/HistoryColumn.h"
#include "history/HistoryListModel.h"

// Closed orders of the past, the close profit coloured. A row shows only
// when its symbol, the symbol's property and account are known.
class HistoryOrderModel : public HistoryListModel<trade_CloseBill>
{
public:
    enum Column {
        eRowNumber,
        eOrderCode,
        eSymbol,
        eMarketName,
        eClosePrice,
        eSide,
        eQuantity,
        eCloseProfit,
        eChargeClose,
        eCloseType,
        eOpenTime,
        eOpenPrice,
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
