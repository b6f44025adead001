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
        {wxString(), 0, kInert, kAuto, kCentre},
        {_("OrderCode"), 1, kInert, kAuto, kCentre},
        {_("Symbol"), 2, kInert, kAuto, kCentre},
        {_("marketName"), 3, kInert, kAuto, kCentre},
        {_("LimitType"), 4, kInert, kAuto, kCentre},
        {_("Freezed"), 5, kInert, kAuto, kCentre},
        {_("B/S"), 6, kInert, kAuto, kCentre},
        {_("Quantity"), 7, kInert, kAuto, kRight},
        {_("OrderPrice"), 8, kInert, kAuto, kCentre},
        {_("StopLoss"), 9, kInert, kAuto, kRight},
        {_("TakeProfit"), 10, kInert, kAuto, kRight},
        {_("OpenTime"), 11, kInert, kAuto, kCentre},
        {_("ValidDateType"), 12, kInert, kAuto, kCentre},
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
    case 1:
        value = row.orderCode;
        break;
    case 2:
        value = property.symbolName;
        break;
    case 3:
        value = property.marketName;
        break;
    case 4:
        value = LimitOrderTypeText(row.limitType);
        break;
    case 5:
        value = FormatMoney(row.freezed);
        break;
    case 6:
        value = DirectionText(row.side);
        break;
    case 7:
        value = FormatMoney(row.quantityOrder - row.quantityComplete);
        break;
    case 8:
        value = FormatPrice(row.orderPrice, property.digits);
        break;
    case 9:
        value = FormatPrice(row.stopLoss, property.digits);
        break;
    case 10:
        value = FormatPrice(row.takeProfit, property.digits);
        break;
    case 11:
        value = FormatDateTime(row.openTime);
        break;
    case 12:
        value = ValidityText(row.validDateType);
        break;
    default:
        break;
    }
}
