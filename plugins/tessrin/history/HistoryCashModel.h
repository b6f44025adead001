#pragma once

#include "history/HistoryCashRow.h"
#include "history/HistoryColumn.h"
#include "history/HistoryListModel.h"

// The cash log of an account: market, serial, amounts before, after and
// changed, type and time.
class HistoryCashModel : public HistoryListModel<HistoryCashRow>
{
public:
    enum Column {
        eRowNumber,
        eMarketName,
        eSerialId,
        eAmountBefore,
        eAmountAfter,
        eAmountChanged,
        eChangeType,
        eChangeTime,
        eColumnCount
    };

    explicit HistoryCashModel(RecordStore* db) : HistoryListModel(db, eColumnCount) {}

    static HistoryCashRow ReadRow(const JSONElement& row);
    static const std::vector<HistoryColumn>& Columns();

protected:
    void GetRowValue(const HistoryCashRow& row, unsigned int column, wxVariant& value) const override;
};
