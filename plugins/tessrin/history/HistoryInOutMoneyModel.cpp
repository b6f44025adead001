#include "history/HistoryInOutMoneyModel.h"

#include "db/CodeTexts.h"
#include "db/DateTimeText.h"
#include "db/NumberFormat.h"
#include "history/HistoryReplyText.h"

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
        {wxString(), 0, kInert, kAuto, kCentre},
        {_("marketName"), 1, kInert, kAuto, kCentre},
        {_("InMoney"), 2, kInert, 80, kCentre},
        {_("OutMoney"), 3, kInert, 80, kCentre},
        {_("moneyStatus"), 4, kInert, kAuto, kCentre},
        {_("moneyChangeTime"), 5, kInert, kAuto, kCentre},
        {_("moneyConfirmTime"), 6, kInert, kAuto, kCentre},
        {_("moneySerialCode"), 7, kInert, kAuto, kCentre},
    };
    return columns;
}

void HistoryInOutMoneyModel::GetRowValue(const am_AmountInOut& row, unsigned int column,
                                         wxVariant& value) const
{
    switch(column) {
    case 1:
        value = row.marketName;
        break;
    case 2:
        value = row.inOutType == '1' ? FormatMoney(row.amount) : wxString();
        break;
    case 3:
        value = row.inOutType == '2' ? FormatMoney(row.amount) : wxString();
        break;
    case 4:
        value = ApproveStateText(row.approveState);
        break;
    case 5:
        value = FormatDateTime(row.changeTime);
        break;
    case 6:
        value = FormatDateTime(row.confirmTime);
        break;
    case 7:
        value = row.serialCode;
        break;
    default:
        break;
    }
}
