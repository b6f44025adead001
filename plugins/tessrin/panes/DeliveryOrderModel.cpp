#include "panes/DeliveryOrderModel.h"

#include "db/CodeTexts.h"
#include "db/DateTimeText.h"
#include "db/LinkedSymbol.h"
#include "db/NumberFormat.h"
#include "panes/DeliveryConfirmTime.h"
#include "panes/ProfitColour.h"

DeliveryOrderModel::DeliveryOrderModel(RecordStore* db)
    : RecordListModel(db, db->m_trade_DeliveryOrder_table.get(), eColumnCount, "DeliveryOrderModel")
{}

bool DeliveryOrderModel::HasLinks(const trade_DeliveryOrder& order) const
{
    return LinkedSymbol(order, GetDatabase()) != nullptr;
}

void DeliveryOrderModel::GetRecordValue(const trade_DeliveryOrder& order, unsigned int column,
                                        wxVariant& value) const
{
    const symbol_Property& property = *order.cachedSymbolInfo->cachedSymbolProperty;
    switch(column) {
    case eOrderCode:
        value = order.orderCode;
        break;
    case eOrderCodeRe:
        value = order.orderCodeRe;
        break;
    case eSymbol:
        value = property.symbolName;
        break;
    case eMarketName:
        value = property.marketName;
        break;
    case eSide:
        value = DirectionText(order.side);
        break;
    case eQuantity:
        value = FormatMoney(order.quantity);
        break;
    case eDeliveryMargin:
        value = FormatMoney(order.deliveryMargin);
        break;
    case eDeliveryMoney:
        value = FormatMoney(order.deliveryMoney);
        break;
    case eDeliveryCharge:
        value = FormatMoney(order.deliveryCharge);
        break;
    case eConfirmStatus:
        value = DeliveryConfirmStatusText(order.deliveryConfirmStatus);
        break;
    case eConfirmTime:
        value = DeliveryConfirmTimeText(order.deliveryConfirmTime);
        break;
    case eDeliveryTime:
        value = FormatDateTime(order.deliveryTime);
        break;
    case eDeliveryPrice:
        value = FormatPrice(order.deliveryPrice, property.digits);
        break;
    case eChargeClose:
        value = FormatMoney(order.chargeClose);
        break;
    case eCloseProfit:
        value = FormatMoney(order.closeProfit);
        break;
    case eCloseTime:
        value = FormatDateTime(order.closeTime);
        break;
    default:
        break;
    }
}

void DeliveryOrderModel::GetRecordAttr(const trade_DeliveryOrder& order, unsigned int column,
                                       wxDataViewItemAttr& attr) const
{
    if(column == eCloseProfit) {
        ColourProfit(order.closeProfit, attr);
    }
}
