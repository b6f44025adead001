#include "panes/InOutMoneyModel.h"

#include "db/CodeTexts.h"
#include "db/DateTimeText.h"
#include "db/NumberFormat.h"
#include "panes/InOutMoneyRules.h"
#include "panes/InOutPageHost.h"

#include <wx/intl.h>

InOutMoneyModel::InOutMoneyModel(RecordStore* db, std::unique_ptr<InOutPageHost> host)
    : RecordListModel(db, db->m_am_AmountInOut_table.get(), eColumnCount, "InOutMoneyModel"),
      m_host(std::move(host)), m_opener(db, *m_host)
{
    Reset(GetRecordCount() + 1);
}

InOutMoneyModel::~InOutMoneyModel() = default;

void InOutMoneyModel::TotalRowChanged()
{
    if(GetCount() == GetRecordCount() + 1) {
        RowChanged(GetRecordCount());
    }
}

void InOutMoneyModel::afterAdd(const am_AmountInOut& stored, CTransaction* transaction, void* reserved)
{
    // The appended row is the new total row; the record stands where the
    // total row was.
    RecordListModel::afterAdd(stored, transaction, reserved);
    const int row = GetRecordRow(Find(stored));
    if(row >= 0) {
        RowChanged(static_cast<unsigned int>(row));
    }
    TotalRowChanged();
}

bool InOutMoneyModel::beforeUpdate(const am_AmountInOut& stored, const am_AmountInOut& updated, CTransaction*,
                                   void*)
{
    // Not opened here: the opening may wait modally, and pushes handled in
    // that wait would change this table in the middle of its update.
    if(InOutMoneyRules::BringsNewPage(stored, updated)) {
        m_opener.QueueOpening(updated.inOutId, updated.bankUrl);
    }
    return true;
}

void InOutMoneyModel::afterUpdate(const am_AmountInOut& stored, CTransaction* transaction, void* reserved)
{
    RecordListModel::afterUpdate(stored, transaction, reserved);
    TotalRowChanged();
}

bool InOutMoneyModel::beforeRemove(const am_AmountInOut& stored, CTransaction* transaction, void* reserved)
{
    RecordListModel::beforeRemove(stored, transaction, reserved);
    // The record still stands; once it is gone the total row is the last row.
    if(GetCount() > 0) {
        RowChanged(GetCount() - 1);
    }
    return true;
}

bool InOutMoneyModel::HasLinks(const am_AmountInOut& row) const
{
    RecordStore* db = GetDatabase();
    return symbol_Info::GetAccount(row, db) && row.cachedAccount->GetLoginInfo(db);
}

void InOutMoneyModel::GetRecordValue(const am_AmountInOut& row, unsigned int column, wxVariant& value) const
{
    switch(column) {
    case eMarket:
        value = row.cachedAccount->marketName;
        break;
    case eInMoney:
    case eOutMoney:
        value = InOutMoneyRules::MoneyText(row, column == eInMoney);
        break;
    case eCommitTime:
        value = FormatDateTime(row.changeTime);
        break;
    case eStatus:
        value = ApproveStateText(row.approveState);
        break;
    default:
        break;
    }
}

void InOutMoneyModel::GetExtraRowValue(unsigned int row, unsigned int column, wxVariant& value) const
{
    if(!IsTotalRow(row)) {
        return;
    }
    // Worked out each time the row is painted.
    switch(column) {
    case eMarket:
        value = _("Total");
        break;
    case eInMoney:
    case eOutMoney: {
        const InOutMoneyRules::Totals totals = InOutMoneyRules::SumPassed(*GetTable());
        const bool in = column == eInMoney;
        if(in ? totals.hasIn : totals.hasOut) {
            value = FormatMoney(in ? totals.in : totals.out);
        }
        break;
    }
    default:
        break;
    }
}
