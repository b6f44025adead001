#pragma once

#include "db/am_AmountInOut.h"
#include "history/HistoryColumn.h"
#include "history/HistoryListModel.h"

// Deposits and withdrawals: market, amount in or out, approval state, times
// and serial code.
class HistoryInOutMoneyModel : public HistoryListModel<am_AmountInOut>
{
public:
    enum Column {
        eRowNumber,
        eMarketName,
        eInMoney,
        eOutMoney,
        eStatus,
        eChangeTime,
        eConfirmTime,
        eSerialCode,
        eColumnCount
    };

    explicit HistoryInOutMoneyModel(RecordStore* db) : HistoryListModel(db, eColumnCount) {}

    static am_AmountInOut ReadRow(const JSONElement& row);
    static const std::vector<HistoryColumn>& Columns();

protected:
    void GetRowValue(const am_AmountInOut& row, unsigned int column, wxVariant& value) const override;
};
