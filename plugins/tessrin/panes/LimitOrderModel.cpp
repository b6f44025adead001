#include "panes/LimitOrderModel.h"

#include "db/CodeTexts.h"
#include "db/DateTimeText.h"
#include "db/LinkedSymbol.h"
#include "db/NumberFormat.h"
#include "panes/LimitOrderActions.h"

LimitOrderModel::LimitOrderModel(RecordStore* db)
    : RecordListModel(db, db->m_trade_Limit_table.get(), eColumnCount, "LimitOrderModel")
{}

bool LimitOrderModel::HasLinks(const trade_Limit& order) const
{
    RecordStore* db = GetDatabase();
    const auto* symbol = LinkedSymbol(order, db);
    if(!symbol) {
        return false;
    }
    symbol->cachedSymbolProperty->GetSymbolPrice(db);
    return true;
}

void LimitOrderModel::GetRecordValue(const trade_Limit& order, unsigned int column, wxVariant& value) const
{
    CellValue(order, column, value);
}

void LimitOrderModel::CellValue(const trade_Limit& order, unsigned int column, wxVariant& value)
{
    const symbol_Property& property = *order.cachedSymbolInfo->cachedSymbolProperty;
    switch(column) {
    case eOrderCode:
        value = order.orderCode;
        break;
    case eSymbol:
        value = property.symbolName;
        break;
    case eMarketName:
        value = property.marketName;
        break;
    case eLimitType:
        value = LimitOrderTypeText(order.limitType);
        break;
    case eFreezed:
        value = FormatMoney(order.freezed);
        break;
    case eSide:
        value = DirectionText(order.side);
        break;
    case eQuantity:
        value = FormatMoney(LimitOrderRestQuantity(order));
        break;
    case eOrderPrice:
        value = FormatPrice(order.orderPrice, property.digits);
        break;
    case eStopLoss:
        value = FormatPrice(order.stopLoss, property.digits);
        break;
    case eTakeProfit:
        value = FormatPrice(order.takeProfit, property.digits);
        break;
    case eOpenTime:
        value = FormatDateTime(order.openTime);
        break;
    case eValidDateType:
        value = ValidityText(order.validDateType);
        break;
    default:
        break;
    }
}
