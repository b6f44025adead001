#include "orders/HangOrderModel.h"

#include "db/NumberFormat.h"

#include <wx/intl.h>

HangOrderModel::HangOrderModel(RecordStore* db) : RecordListModel(db, &m_rows, eColumnCount, "HangOrderModel")
{
}

void HangOrderModel::GetRecordValue(const HangOrder& order, unsigned int column, wxVariant& value) const
{
    switch(column) {
    case eOrderCode:
        value = order.orderCode;
        break;
    case eSymbolName:
        value = order.symbolName;
        break;
    case eUnitName:
        value = wxGetTranslation(order.unitName);
        break;
    case eQuantityRemaining:
        value = FormatMoney(order.GetQuantityRemaining());
        break;
    case eQuantityComplete:
        value = FormatMoney(order.quantityComplete);
        break;
    case eBsCode:
        value = wxGetTranslation(order.bsCode);
        break;
    case ePriceOrder:
        value = FormatMoney(order.priceOrder);
        break;
    case eStoreName:
        value = order.storeName;
        break;
    case eQuantityOrder:
        value = order.quantityOrder;
        break;
    case eOpBuy:
        value = _("ZaiPai");
        break;
    case eOpPrice:
        value = _("HuanJia");
        break;
    default:
        break;
    }
}
