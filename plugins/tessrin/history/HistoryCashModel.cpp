#include "history/HistoryCashModel.h"

#include "db/CodeTexts.h"
#include "db/DateTimeText.h"
#include "db/NumberFormat.h"
#include "history/HistoryReplyText.h"

#include <wx/intl.h>

using namespace HistoryReplyText;

HistoryCashRow HistoryCashModel::ReadRow(const JSONElement& element)
{
    HistoryCashRow row;
    row.serial = Serial(element, "SerialId");
    row.amountBefore = Number(element, "amBefore");
    row.amountAfter = Number(element, "amAfter");
    row.amountChanged = Number(element, "amChange");
    row.changeType = FirstChar(element, "amType", '1');
    row.changeTime = ParseDateTime(Text(element, "changeDate"));
    row.marketName = Text(element, "tradeMarketName");
    row.accountKey = Integer(element, "accId");
    return row;
}

const std::vector<HistoryColumn>& HistoryCashModel::Columns()
{
    constexpr int kAuto = wxCOL_WIDTH_AUTOSIZE;
    constexpr int kCentre = wxALIGN_CENTER_HORIZONTAL;
    constexpr int kInert = wxDATAVIEW_CELL_INERT;
    static const std::vector<HistoryColumn> columns{
        {wxString(), 0, kInert, kAuto, kCentre},        {_("marketName"), 1, kInert, kAuto, kCentre},
        {_("CashSerialId"), 2, kInert, kAuto, kCentre}, {_("CashAmBefore"), 3, kInert, kAuto, kCentre},
        {_("CashAmAfter"), 4, kInert, kAuto, kCentre},  {_("CashAmChange"), 5, kInert, kAuto, kCentre},
        {_("CashAmType"), 6, kInert, kAuto, kCentre},   {_("CashChangeDate"), 7, kInert, kAuto, kCentre},
    };
    return columns;
}

void HistoryCashModel::GetRowValue(const HistoryCashRow& row, unsigned int column, wxVariant& value) const
{
    switch(column) {
    case 1:
        value = row.marketName;
        break;
    case 2:
        // All digits: a double would alter serials above 2^53.
        value = wxString::Format("%lld", static_cast<long long>(row.serial));
        break;
    case 3:
        value = FormatMoney(row.amountBefore);
        break;
    case 4:
        value = FormatMoney(row.amountAfter);
        break;
    case 5:
        value = FormatMoney(row.amountChanged);
        break;
    case 6:
        value = AmountTypeText(row.changeType);
        break;
    case 7:
        value = FormatDateTime(row.changeTime);
        break;
    default:
        break;
    }
}
