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
        {wxString(), eRowNumber, kInert, kAuto, kCentre},
        {_("marketName"), eMarketName, kInert, kAuto, kCentre},
        {_("CashSerialId"), eSerialId, kInert, kAuto, kCentre},
        {_("CashAmBefore"), eAmountBefore, kInert, kAuto, kCentre},
        {_("CashAmAfter"), eAmountAfter, kInert, kAuto, kCentre},
        {_("CashAmChange"), eAmountChanged, kInert, kAuto, kCentre},
        {_("CashAmType"), eChangeType, kInert, kAuto, kCentre},
        {_("CashChangeDate"), eChangeTime, kInert, kAuto, kCentre},
    };
    return columns;
}

void HistoryCashModel::GetRowValue(const HistoryCashRow& row, unsigned int column, wxVariant& value) const
{
    switch(column) {
    case eMarketName:
        value = row.marketName;
        break;
    case eSerialId:
        // All digits: a double would alter serials above 2^53.
        value = wxString::Format("%lld", static_cast<long long>(row.serial));
        break;
    case eAmountBefore:
        value = FormatMoney(row.amountBefore);
        break;
    case eAmountAfter:
        value = FormatMoney(row.amountAfter);
        break;
    case eAmountChanged:
        value = FormatMoney(row.amountChanged);
        break;
    case eChangeType:
        value = AmountTypeText(row.changeType);
        break;
    case eChangeTime:
        value = FormatDateTime(row.changeTime);
        break;
    default:
        break;
    }
}
