#include "history/HistoryOrderModel.h"

#include "db/DateTimeText.h"
#include "db/LinkedSymbol.h"
#include "history/HistoryReplyText.h"

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
        {wxString(), CloseBillModel::eRowNumber, kInert, 30, kCentre},
        {_("OrderCode"), CloseBillModel::eOrderCode, kInert, 120, kCentre},
        {_("Symbol"), CloseBillModel::eSymbol, kInert, 100, kCentre},
        {_("marketName"), CloseBillModel::eMarketName, kInert, 100, kCentre},
        {_("ClosePrice"), CloseBillModel::eClosePrice, kInert, 80, kCentre},
        {_("Close B/S"), CloseBillModel::eSide, kInert, 50, kCentre},
        {_("Quantity"), CloseBillModel::eQuantity, kInert, 80, kCentre},
        {_("CloseProfit"), CloseBillModel::eCloseProfit, kInert, 80, kCentre},
        {_("ChargeClose"), CloseBillModel::eChargeClose, kInert, 80, kCentre},
        {_("CloseType"), CloseBillModel::eCloseType, kInert, 70, kCentre},
        {_("OpenTime"), CloseBillModel::eOpenTime, kInert, 150, kCentre},
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

namespace {
// From the open price on, the day list's columns stand one further.
unsigned int DayColumn(unsigned int column)
{
    return column < HistoryOrderModel::eOpenPrice ? column : column + 1;
}
} // namespace

void HistoryOrderModel::GetRowValue(const trade_CloseBill& row, unsigned int column, wxVariant& value) const
{
    CloseBillModel::CellValue(row, DayColumn(column), value);
}

void HistoryOrderModel::GetRowAttr(const trade_CloseBill& row, unsigned int column,
                                   wxDataViewItemAttr& attr) const
{
    CloseBillModel::CellAttr(row, DayColumn(column), attr);
}
