#include "history/HistoryLimtModel.h"

#include "db/DateTimeText.h"
#include "db/LinkedSymbol.h"
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
        {wxString(), LimitOrderModel::eRowNumber, kInert, kAuto, kCentre},
        {_("OrderCode"), LimitOrderModel::eOrderCode, kInert, kAuto, kCentre},
        {_("Symbol"), LimitOrderModel::eSymbol, kInert, kAuto, kCentre},
        {_("marketName"), LimitOrderModel::eMarketName, kInert, kAuto, kCentre},
        {_("LimitType"), LimitOrderModel::eLimitType, kInert, kAuto, kCentre},
        {_("Freezed"), LimitOrderModel::eFreezed, kInert, kAuto, kCentre},
        {_("B/S"), LimitOrderModel::eSide, kInert, kAuto, kCentre},
        {_("Quantity"), LimitOrderModel::eQuantity, kInert, kAuto, kRight},
        {_("OrderPrice"), LimitOrderModel::eOrderPrice, kInert, kAuto, kCentre},
        {_("StopLoss"), LimitOrderModel::eStopLoss, kInert, kAuto, kRight},
        {_("TakeProfit"), LimitOrderModel::eTakeProfit, kInert, kAuto, kRight},
        {_("OpenTime"), LimitOrderModel::eOpenTime, kInert, kAuto, kCentre},
        {_("ValidDateType"), LimitOrderModel::eValidDateType, kInert, kAuto, kCentre},
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
    LimitOrderModel::CellValue(row, column, value);
}
