#include "history/HistoryLimtModel.h"

#include "db/CodeTexts.h"
#include "db/DateTimeText.h"
#include "db/LinkedSymbol.h"
#include "db/NumberFormat.h"
#include "db/symbol_Info.h"
#include "db/symbol_Property.h"
#include "history/HistoryReplyText.h"

#include <wx/intl.h>

using namespace HistoryReplyText;

trade_Limit HistoryLimtModel::ReadRow(const JSONElement& element)
{
    trade_Limit row;
    row.accountKey = Integer(element, "accId");
    row.symbolId = Integer(element, "symbolId");
    row.orderCode = Text(element, "orderCode");
    row.limitType = Code(element, "limitType", '1', '4', 0);
    row.freezed = Number(element, "marginFreezed");
    row.side = Code(element, "bsCode", 'b', 'b', Code(element, "bsCode", 's', 's', 0));
    row.quantityOrder = Number(element, "quantityOrder");
    row.quantityComplete = Number(element, "quantityComplete");
    row.orderPrice = Number(element, "orderPrice");
    row.stopLoss = Number(element, "stopLose");
    row.takeProfit = Number(element, "takeProfit");
    row.openTime = ParseDateTime(Text(element, "openDate"));
    row.validDateType = Code(element, "validDateType", '1', '3', 0);
    return row;
}

const std::vector<HistoryColumn>& HistoryLimtModel::Columns()
{
    constexpr int kAuto = wxCOL_WIDTH_AUTOSIZE;
    constexpr int kCentre = wxALIGN_CENTER_HORIZONTAL;
    constexpr int kRight = wxALIGN_RIGHT;
    constexpr int kInert = wxDATAVIEW_CELL_INERT;
    static const std::vector<HistoryColumn> columns{
        {wxString(), eRowNumber, kInert, kAuto, kCentre},
        {_("OrderCode"), eOrderCode, kInert, kAuto, kCentre},
        {_("Symbol"), eSymbol, kInert, kAuto, kCentre},
        {_("marketName"), eMarketName, kInert, kAuto, kCentre},
        {_("LimitType"), eLimitType, kInert, kAuto, kCentre},
        {_("Freezed"), eFreezed, kInert, kAuto, kCentre},
        {_("B/S"), eSide, kInert, kAuto, kCentre},
        {_("Quantity"), eQuantity, kInert, kAuto, kRight},
        {_("OrderPrice"), eOrderPrice, kInert, kAuto, kCentre},
        {_("StopLoss"), eStopLoss, kInert, kAuto, kRight},
        {_("TakeProfit"), eTakeProfit, kInert, kAuto, kRight},
        {_("OpenTime"), eOpenTime, kInert, kAuto, kCentre},
        {_("ValidDateType"), eValidDateType, kInert, kAuto, kCentre},
    };
    return columns;
}

bool HistoryLimtModel::HasLinks(const trade_Limit& row) const
{
    RecordStore* db = GetDatabase();
    const auto* symbol = LinkedSymbol(row, db);
    return symbol && symbol->cachedSymbolProperty->GetSymbolPrice(db);
}

void HistoryLimtModel::GetRowValue(const trade_Limit& row, unsigned int column, wxVariant& value) const
{
    const symbol_Property& property = *row.cachedSymbolInfo->cachedSymbolProperty;
    switch(column) {
    case eOrderCode:
        value = row.orderCode;
        break;
    case eSymbol:
        value = property.symbolName;
        break;
    case eMarketName:
        value = property.marketName;
        break;
    case eLimitType:
        value = LimitOrderTypeText(row.limitType);
        break;
    case eFreezed:
        value = FormatMoney(row.freezed);
        break;
    case eSide:
        value = DirectionText(row.side);
        break;
    case eQuantity:
        value = FormatMoney(row.quantityOrder - row.quantityComplete);
        break;
    case eOrderPrice:
        value = FormatPrice(row.orderPrice, property.digits);
        break;
    case eStopLoss:
        value = FormatPrice(row.stopLoss, property.digits);
        break;
    case eTakeProfit:
        value = FormatPrice(row.takeProfit, property.digits);
        break;
    case eOpenTime:
        value = FormatDateTime(row.openTime);
        break;
    case eValidDateType:
        value = ValidityText(row.validDateType);
        break;
    default:
        break;
    }
}
