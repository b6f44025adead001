#include "history/HistoryMinTradeModel.h"

#include "db/ChartPeriod.h"
#include "db/DateTimeText.h"
#include "db/LinkedSymbol.h"
#include "db/NumberFormat.h"
#include "db/symbol_Info.h"
#include "db/symbol_Property.h"
#include "history/HistoryReplyText.h"
#include "orders/MinTradeOrderCells.h"

#include <wx/intl.h>

using namespace HistoryReplyText;
using namespace MinTradeOrderCells;

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
        {wxString(), MinTradeOrderModel::eRowNumber, kInert, kAuto, kCentre},
        {_("OrderCode"), MinTradeOrderModel::eOrderCode, kInert, kAuto, kCentre},
        {_("Symbol"), MinTradeOrderModel::eSymbol, kInert, kAuto, kCentre},
        {_("marketName"), MinTradeOrderModel::eMarketName, kInert, kAuto, kCentre},
        {_("PeriodName"), MinTradeOrderModel::ePeriodName, kInert, kAuto, kCentre},
        {_("OpenTime"), MinTradeOrderModel::eOpenTime, kInert, kAuto, kCentre},
        {_("ExpireTime"), MinTradeOrderModel::eExpireTime, kInert, kAuto, kCentre},
        {_("B/S"), MinTradeOrderModel::eSide, kInert, kAuto, kCentre},
        {_("ProfitRate"), MinTradeOrderModel::eProfitRate, kInert, kAuto, kCentre},
        {_("OpenPrice"), MinTradeOrderModel::eOpenPrice, kInert, kAuto, kCentre},
        {_("ExpirePrice"), MinTradeOrderModel::eExpirePrice, kInert, kAuto, kCentre},
        {_("Amount"), eAmount, kInert, kAuto, kCentre},
        {_("Profit"), MinTradeOrderModel::eProfit, kInert, kAuto, kCentre},
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
    // The report shows whole dates, an empty side when unknown, the amount
    // before charges and a plain time left; the other columns are the day
    // list's.
    switch(column) {
    case MinTradeOrderModel::eSide:
        value = row.side == 'b' ? _("seeUp") : row.side == 's' ? _("seeDown") : wxString();
        break;
    case MinTradeOrderModel::eOpenTime:
        value = FormatDateTime(row.openTime);
        break;
    case MinTradeOrderModel::eExpireTime:
        value = FormatDateTime(row.expireTime);
        break;
    case eAmount:
        value = FormatMoney(row.orderAmount);
        break;
    case eOrderStatus:
        value = StateText(row);
        break;
    default:
        MinTradeOrderModel::CellValue(row, column, value);
        break;
    }
}

void HistoryMinTradeModel::GetRowAttr(const trade_BinaryOrder& row, unsigned int column,
                                      wxDataViewItemAttr& attr) const
{
    Tint tint = Tint::eNone;
    switch(column) {
    case MinTradeOrderModel::eExpireTime:
        tint = ExpireTimeTint(row);
        break;
    case MinTradeOrderModel::eProfit:
        tint = ProfitTint(row);
        break;
    case eOrderStatus:
        // No current price here: a running order takes the gain colour.
        tint = ProfitTint(row);
        if(tint == Tint::eNone && row.orderState == '3') {
            tint = Tint::eDown;
        } else if(tint == Tint::eNone && row.orderState == '2') {
            tint = Tint::eEqual;
        }
        break;
    default:
        break;
    }
    if(tint != Tint::eNone) {
        attr.SetColour(TintColour(tint));
    }
}
