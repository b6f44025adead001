#include "history/HistoryMinTradeModel.h"

#include "db/ChartPeriod.h"
#include "db/DateTimeText.h"
#include "db/LinkedSymbol.h"
#include "db/NumberFormat.h"
#include "db/symbol_Info.h"
#include "db/symbol_Property.h"
#include "history/HistoryReplyText.h"

#include <pelmora/DrawingUtils.h>
#include <wx/intl.h>

using namespace HistoryReplyText;

trade_BinaryOrder HistoryMinTradeModel::ReadRow(const JSONElement& element)
{
    trade_BinaryOrder row;
    row.accountKey = static_cast<int>(Decimal(element, "accId"));
    row.symbolId = static_cast<int>(Decimal(element, "symbolId"));
    row.side = FirstChar(element, "bsCode", 0);
    row.periodName = Text(element, "periodName");
    const ChartPeriod period = ParsePeriod(row.periodName);
    row.periodCount = period.count;
    row.periodUnit = period.unit;
    row.referencePrice = Number(element, "orderPrice");
    row.openPrice = Number(element, "holdPrice");
    // The report keeps the expire price and the amount under these names.
    row.expirePrice = Number(element, "closedQuantity");
    row.orderAmount = Number(element, "orderQuantity");
    row.orderCode = Text(element, "orderCode");
    row.profit = Number(element, "profitClose");
    row.openCharge = Number(element, "chargeOpen");
    row.closeCharge = Number(element, "chargeClose");
    row.openTime = ParseDateTime(Text(element, "orderTime"));
    row.expireTime = ParseDateTime(Text(element, "validDate"));
    row.lossBackRate = Number(element, "lossBackRate");
    row.profitRate = Number(element, "profitRate");
    row.contractId = Serial(element, "contractId");
    row.orderState = FirstChar(element, "orderStatus", 0);
    row.marketName = Text(element, "tradeMarketName");
    return row;
}

const std::vector<HistoryColumn>& HistoryMinTradeModel::Columns()
{
    constexpr int kAuto = wxCOL_WIDTH_AUTOSIZE;
    constexpr int kCentre = wxALIGN_CENTER_HORIZONTAL;
    constexpr int kInert = wxDATAVIEW_CELL_INERT;
    static const std::vector<HistoryColumn> columns{
        {wxString(), eRowNumber, kInert, kAuto, kCentre},
        {_("OrderCode"), eOrderCode, kInert, kAuto, kCentre},
        {_("Symbol"), eSymbol, kInert, kAuto, kCentre},
        {_("marketName"), eMarketName, kInert, kAuto, kCentre},
        {_("PeriodName"), ePeriodName, kInert, kAuto, kCentre},
        {_("OpenTime"), eOpenTime, kInert, kAuto, kCentre},
        {_("ExpireTime"), eExpireTime, kInert, kAuto, kCentre},
        {_("B/S"), eSide, kInert, kAuto, kCentre},
        {_("ProfitRate"), eProfitRate, kInert, kAuto, kCentre},
        {_("OpenPrice"), eOpenPrice, kInert, kAuto, kCentre},
        {_("ExpirePrice"), eExpirePrice, kInert, kAuto, kCentre},
        {_("Amount"), eAmount, kInert, kAuto, kCentre},
        {_("Profit"), eProfit, kInert, kAuto, kCentre},
        {_("OrderStatus"), eOrderStatus, kInert, kAuto, kCentre},
    };
    return columns;
}

bool HistoryMinTradeModel::HasLinks(const trade_BinaryOrder& row) const
{
    return LinkedSymbol(row, GetDatabase()) != nullptr;
}

namespace {
wxString StateText(const trade_BinaryOrder& row)
{
    switch(row.orderState) {
    case '2':
        if(row.profit > 0) {
            return _("BO_orderGain");
        }
        return row.profit < 0 ? _("BO_orderLoss") : _("BO_orderEqual");
    case '3':
        return wxTimeSpan::Milliseconds(row.remainingMs).Format();
    case '4':
        return _("Canceled");
    default:
        return wxString();
    }
}
} // namespace

void HistoryMinTradeModel::GetRowValue(const trade_BinaryOrder& row, unsigned int column,
                                       wxVariant& value) const
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
    case ePeriodName:
        value = row.periodName;
        break;
    case eOpenTime:
        value = FormatDateTime(row.openTime);
        break;
    case eExpireTime:
        value = FormatDateTime(row.expireTime);
        break;
    case eSide:
        value = row.side == 'b' ? _("seeUp") : row.side == 's' ? _("seeDown") : wxString();
        break;
    case eProfitRate:
        value = FormatPrice(row.profitRate * 100, 0, true) + "%";
        break;
    case eOpenPrice:
        value = FormatPrice(row.openPrice, property.digits);
        break;
    case eExpirePrice:
        value = FormatPrice(row.expirePrice, property.digits);
        break;
    case eAmount:
        value = FormatMoney(row.orderAmount);
        break;
    case eProfit:
        value = FormatMoney(row.profit);
        break;
    case eOrderStatus:
        value = StateText(row);
        break;
    default:
        break;
    }
}

void HistoryMinTradeModel::GetRowAttr(const trade_BinaryOrder& row, unsigned int column,
                                      wxDataViewItemAttr& attr) const
{
    // A gain is good news for the trader: it takes the down colour.
    const wxColour gain = DrawingUtils::GetGlobalDownColour();
    const wxColour loss = DrawingUtils::GetGlobalUpColour();
    switch(column) {
    case eExpireTime:
        if(row.orderState == '3') {
            attr.SetColour(loss);
        }
        break;
    case eProfit:
        if(row.profit != 0.0) {
            attr.SetColour(row.profit > 0 ? gain : loss);
        }
        break;
    case eOrderStatus:
        if(row.profit != 0.0) {
            attr.SetColour(row.profit > 0 ? gain : loss);
        } else if(row.orderState == '3') {
            attr.SetColour(gain);
        } else if(row.orderState == '2') {
            attr.SetColour(DrawingUtils::GetGlobalEqualColour());
        }
        break;
    default:
        break;
    }
}
