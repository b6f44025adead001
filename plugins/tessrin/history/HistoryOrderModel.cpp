#include "history/HistoryOrderModel.h"

#include "db/CodeTexts.h"
#include "db/DateTimeText.h"
#include "db/LinkedSymbol.h"
#include "db/NumberFormat.h"
#include "db/symbol_Info.h"
#include "db/symbol_Property.h"
#include "history/HistoryReplyText.h"

#include <pelmora/DrawingUtils.h>
#include <wx/intl.h>

using namespace HistoryReplyText;

trade_CloseBill HistoryOrderModel::ReadRow(const JSONElement& element)
{
    trade_CloseBill row;
    row.accountKey = static_cast<int>(Decimal(element, "accId"));
    row.symbolId = static_cast<int>(Decimal(element, "symbolId"));
    row.side = FirstChar(element, "bsCode", 0);
    row.chargeClose = Number(element, "chargeClose");
    row.chargeOpen = Number(element, "chargeOpen");
    row.closeTime = ParseDateTime(Text(element, "closeDate"));
    row.closeType = FirstChar(element, "closeType", 0);
    row.orderCode = Text(element, "orderCode");
    row.orderCodeRe = Text(element, "orderCodeRe");
    row.closePrice = Number(element, "priceClose");
    row.holdPrice = Number(element, "priceHold");
    row.closeProfit = Number(element, "profitClose");
    row.quantity = Number(element, "quantityClose");
    row.openTime = ParseDateTime(Text(element, "openDate"));
    return row;
}

const std::vector<HistoryColumn>& HistoryOrderModel::Columns()
{
    constexpr int kCentre = wxALIGN_CENTER_HORIZONTAL;
    constexpr int kInert = wxDATAVIEW_CELL_INERT;
    static const std::vector<HistoryColumn> columns{
        {wxString(), 0, kInert, 30, kCentre},       {_("OrderCode"), 1, kInert, 120, kCentre},
        {_("Symbol"), 2, kInert, 100, kCentre},     {_("marketName"), 3, kInert, 100, kCentre},
        {_("ClosePrice"), 4, kInert, 80, kCentre},  {_("Close B/S"), 5, kInert, 50, kCentre},
        {_("Quantity"), 6, kInert, 80, kCentre},    {_("CloseProfit"), 7, kInert, 80, kCentre},
        {_("ChargeClose"), 8, kInert, 80, kCentre}, {_("CloseType"), 9, kInert, 70, kCentre},
        {_("OpenTime"), 10, kInert, 150, kCentre},  {_("OpenPrice"), 11, kInert, 80, kCentre},
        {_("ChargeOpen"), 12, kInert, 80, kCentre}, {_("OrderCodeRe"), 13, kInert, 120, kCentre},
        {_("CloseTime"), 14, kInert, 150, kCentre},
    };
    return columns;
}

bool HistoryOrderModel::HasLinks(const trade_CloseBill& row) const
{
    return LinkedSymbol(row, GetDatabase()) != nullptr;
}

void HistoryOrderModel::GetRowValue(const trade_CloseBill& row, unsigned int column, wxVariant& value) const
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
        value = FormatPrice(row.closePrice, property.digits);
        break;
    case 5:
        value = DirectionText(row.side);
        break;
    case 6:
        value = FormatMoney(row.quantity);
        break;
    case 7:
        value = FormatMoney(row.closeProfit);
        break;
    case 8:
        value = FormatMoney(row.chargeClose);
        break;
    case 9:
        value = CloseTypeText(row.closeType);
        break;
    case 10:
        value = FormatDateTime(row.openTime);
        break;
    case 11:
        value = FormatPrice(row.holdPrice, property.digits);
        break;
    case 12:
        value = FormatMoney(row.chargeOpen);
        break;
    case 13:
        value = row.orderCodeRe;
        break;
    case 14:
        value = FormatDateTime(row.closeTime);
        break;
    default:
        break;
    }
}

void HistoryOrderModel::GetRowAttr(const trade_CloseBill& row, unsigned int column,
                                   wxDataViewItemAttr& attr) const
{
    if(column != 7 || row.closeProfit == 0.0) {
        return;
    }
    attr.SetColour(row.closeProfit > 0 ? DrawingUtils::GetGlobalUpColour()
                                       : DrawingUtils::GetGlobalDownColour());
}
