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
        {wxString(), eRowNumber, kInert, 30, kCentre},
        {_("OrderCode"), eOrderCode, kInert, 120, kCentre},
        {_("Symbol"), eSymbol, kInert, 100, kCentre},
        {_("marketName"), eMarketName, kInert, 100, kCentre},
        {_("ClosePrice"), eClosePrice, kInert, 80, kCentre},
        {_("Close B/S"), eSide, kInert, 50, kCentre},
        {_("Quantity"), eQuantity, kInert, 80, kCentre},
        {_("CloseProfit"), eCloseProfit, kInert, 80, kCentre},
        {_("ChargeClose"), eChargeClose, kInert, 80, kCentre},
        {_("CloseType"), eCloseType, kInert, 70, kCentre},
        {_("OpenTime"), eOpenTime, kInert, 150, kCentre},
        {_("OpenPrice"), eOpenPrice, kInert, 80, kCentre},
        {_("ChargeOpen"), eChargeOpen, kInert, 80, kCentre},
        {_("OrderCodeRe"), eOrderCodeRe, kInert, 120, kCentre},
        {_("CloseTime"), eCloseTime, kInert, 150, kCentre},
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
    case eOrderCode:
        value = row.orderCode;
        break;
    case eSymbol:
        value = property.symbolName;
        break;
    case eMarketName:
        value = property.marketName;
        break;
    case eClosePrice:
        value = FormatPrice(row.closePrice, property.digits);
        break;
    case eSide:
        value = DirectionText(row.side);
        break;
    case eQuantity:
        value = FormatMoney(row.quantity);
        break;
    case eCloseProfit:
        value = FormatMoney(row.closeProfit);
        break;
    case eChargeClose:
        value = FormatMoney(row.chargeClose);
        break;
    case eCloseType:
        value = CloseTypeText(row.closeType);
        break;
    case eOpenTime:
        value = FormatDateTime(row.openTime);
        break;
    case eOpenPrice:
        value = FormatPrice(row.holdPrice, property.digits);
        break;
    case eChargeOpen:
        value = FormatMoney(row.chargeOpen);
        break;
    case eOrderCodeRe:
        value = row.orderCodeRe;
        break;
    case eCloseTime:
        value = FormatDateTime(row.closeTime);
        break;
    default:
        break;
    }
}

void HistoryOrderModel::GetRowAttr(const trade_CloseBill& row, unsigned int column,
                                   wxDataViewItemAttr& attr) const
{
    if(column != eCloseProfit || row.closeProfit == 0.0) {
        return;
    }
    attr.SetColour(row.closeProfit > 0 ? DrawingUtils::GetGlobalUpColour()
                                       : DrawingUtils::GetGlobalDownColour());
}
