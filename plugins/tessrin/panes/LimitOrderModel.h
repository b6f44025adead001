#pragma once

#include "common/RecordListModel.h"
#include "db/RecordStore.h"

// The pending limit and stop orders, one row each in arrival order, with the
// quantity still to be dealt. No colours.
class LimitOrderModel : public RecordListModel<trade_Limit>
{
public:
    enum Column {
        eRowNumber,
        eOrderCode,
        eSymbol,
        eMarketName,
        eLimitType,
        eFreezed,
        eSide,
        eQuantity,
        eOrderPrice,
        eStopLoss,
        eTakeProfit,
        eOpenTime,
        eValidDateType,
        eColumnCount
    };

    explicit LimitOrderModel(RecordStore* db);

    // The texts of an order's cells, for every list of limit orders; the
    // order's symbol and property must be linked.
    static void CellValue(const trade_Limit& order, unsigned int column, wxVariant& value);

protected:
    // The order's symbol and the symbol's account; the property and its
    // price record are made with defaults when missing.
    bool HasLinks(const trade_Limit& order) const override;
    void GetRecordValue(const trade_Limit& order, unsigned int column, wxVariant& value) const override;
};
