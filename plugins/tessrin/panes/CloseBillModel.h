#pragma once

#include "common/RecordListModel.h"
#include "db/RecordStore.h"

// The bills closed during the trading day, one row each in arrival order,
// the close profit coloured by its sign.
class CloseBillModel : public RecordListModel<trade_CloseBill>
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
        eHoldPrice,
        eChargeOpen,
        eOrderCodeRe,
        eCloseTime,
        eColumnCount
    };

    explicit CloseBillModel(RecordStore* db);

    // The texts and colours of a bill's cells, for every list of closed
    // bills; the bill's symbol and property must be linked.
    static void CellValue(const trade_CloseBill& bill, unsigned int column, wxVariant& value);
    static void CellAttr(const trade_CloseBill& bill, unsigned int column, wxDataViewItemAttr& attr);

protected:
    // The bill's symbol and the symbol's account; the property is made with
    // defaults when missing.
    bool HasLinks(const trade_CloseBill& bill) const override;
    void GetRecordValue(const trade_CloseBill& bill, unsigned int column, wxVariant& value) const override;
    void GetRecordAttr(const trade_CloseBill& bill, unsigned int column,
                       wxDataViewItemAttr& attr) const override;
};
