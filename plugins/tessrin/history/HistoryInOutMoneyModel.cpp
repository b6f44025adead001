#include "history/HistoryInOutMoneyModel.h"

#include "db/CodeTexts.h"
#include "db/DateTimeText.h"
#include "history/HistoryReplyText.h"
#include "panes/InOutMoneyRules.h"

#include <wx/intl.h>

using namespace HistoryReplyText;

am_AmountInOut HistoryInOutMoneyModel::ReadRow(const JSONElement& element)
{
    am_AmountInOut row;
    row.inOutId = Integer(element, "amId");
    row.amount = Number(element, "amChange");
    row.inOutType = FirstChar(element, "amType", '1');
    row.approveState = Code(element, "status", '1', '5', '1');
    row.changeTime = ParseDateTime(Text(element, "changeDate"));
    row.confirmTime = ParseDateTime(Text(element, "confirmDate"));
    row.serialCode = Text(element, "serialId");
    row.marketName = Text(element, "tradeMarketName");
    return row;
}

const std::vector<HistoryColumn>& HistoryInOutMoneyModel::Columns()
{
    constexpr int kAuto = wxCOL_WIDTH_AUTOSIZE;
    constexpr int kCentre = wxALIGN_CENTER_HORIZONTAL;
    constexpr int kInert = wxDATAVIEW_CELL_INERT;
    static const std::vector<HistoryColumn> columns{
        {wxString(), eRowNumber, kInert, kAuto, kCentre},
        {_("marketName"), eMarketName, kInert, kAuto, kCentre},
        {_("InMoney"), eInMoney, kInert, 80, kCentre},
        {_("OutMoney"), eOutMoney, kInert, 80, kCentre},
        {_("moneyStatus"), eStatus, kInert, kAuto, kCentre},
        {_("moneyChangeTime"), eChangeTime, kInert, kAuto, kCentre},
        {_("moneyConfirmTime"), eConfirmTime, kInert, kAuto, kCentre},
        {_("moneySerialCode"), eSerialCode, kInert, kAuto, kCentre},
    };
    return columns;
}

void HistoryInOutMoneyModel::GetRowValue(const am_AmountInOut& row, unsigned int column,
                                         wxVariant& value) const
{
    switch(column) {
    case eMarketName:
        value = row.marketName;
        break;
    case eInMoney:
    case eOutMoney:
        value = InOutMoneyRules::MoneyText(row, column == eInMoney);
        break;
    case eStatus:
        value = ApproveStateText(row.approveState);
        break;
    case eChangeTime:
        value = FormatDateTime(row.changeTime);
        break;
    case eConfirmTime:
        value = FormatDateTime(row.confirmTime);
        break;
    case eSerialCode:
        value = row.serialCode;
        break;
    default:
        break;
    }
}
