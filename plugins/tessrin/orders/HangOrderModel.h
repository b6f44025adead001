#pragma once

#include "common/RecordListModel.h"
#include "orders/HangOrderFactory.h"

// Holds the model's own table, made before the list model observes it.
class HangOrderRows
{
protected:
    HangOrderFactory m_rows; // never read from or written to a file
};

// The rows of one hang-order pane: copies of its symbol's hang orders in a
// private table of the model, one row each in the order they were added.
class HangOrderModel : private HangOrderRows, public RecordListModel<HangOrder>
{
public:
    enum Column {
        eRowNumber,
        eOrderCode,
        eSymbolName,
        eUnitName,
        eQuantityRemaining,
        eQuantityComplete,
        eBsCode,
        ePriceOrder,
        eStoreName,
        eQuantityOrder, // a floating-point value, not a text
        eOpBuy,         // "ZaiPai", hidden
        eOpPrice,       // "HuanJia", hidden
        eColumnCount
    };

    explicit HangOrderModel(RecordStore* db);

    HangOrderFactory& GetRows() { return m_rows; }
    const HangOrderFactory& GetRows() const { return m_rows; }

protected:
    void GetRecordValue(const HangOrder& order, unsigned int column, wxVariant& value) const override;
};
