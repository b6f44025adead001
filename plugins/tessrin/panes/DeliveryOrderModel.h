#pragma once

#include "common/RecordListModel.h"
#include "db/RecordStore.h"

// The delivery orders of the day, one row each in arrival order, with their
// confirmation state and time; the close profit coloured by its sign.
class DeliveryOrderModel : public RecordListModel<trade_DeliveryOrder>
{
public:
    enum Column {
        eRowNumber,
        eOrderCode,
        eOrderCodeRe,
        eSymbol,
        eMarketName,
        eSide,
        eQuantity,
        eDeliveryMargin,
        eDeliveryMoney,
        eDeliveryCharge,
        eConfirmStatus,
        eConfirmTime,
        eDeliveryTime,
        eDeliveryPrice,
        eChargeClose,
        eCloseProfit,
        eCloseTime,
        eColumnCount
    };

    explicit DeliveryOrderModel(RecordStore* db);

protected:
    // The order's symbol and the symbol's account; the property is made with
    // defaults when missing.
    bool HasLinks(const trade_DeliveryOrder& order) const override;
    void GetRecordValue(const trade_DeliveryOrder& order, unsigned int column,
                        wxVariant& value) const override;
    void GetRecordAttr(const trade_DeliveryOrder& order, unsigned int column,
                       wxDataViewItemAttr& attr) const override;
};
