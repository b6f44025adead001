#include "panes/InOutMoneyRules.h"

#include "db/NumberFormat.h"
#include "db/RecordStore.h"

namespace InOutMoneyRules {

namespace {
constexpr char kIn = '1';
constexpr char kOut = '2';
constexpr char kProcessing = '2';
constexpr char kPassed = '3';
} // namespace

Totals SumPassed(const CObjectFactory<am_AmountInOut>& table)
{
    Totals totals;
    for(const am_AmountInOut& row : table.GetContainer()) {
        if(row.approveState != kPassed) {
            continue;
        }
        if(row.inOutType == kIn) {
            totals.hasIn = true;
            totals.in += row.amount;
        } else if(row.inOutType == kOut) {
            totals.hasOut = true;
            totals.out += row.amount;
        }
    }
    return totals;
}

bool BringsNewPage(const am_AmountInOut& stored, const am_AmountInOut& updated)
{
    return !updated.bankUrl.empty() && updated.bankUrl != stored.bankUrl;
}

bool CanPay(RecordStore* db, const am_AmountInOut& row)
{
    if(!db || row.inOutType != kIn || row.approveState != kProcessing || !symbol_Info::GetAccount(row, db)) {
        return false;
    }
    const auto& payports = *db->m_user_Payport_table;
    return FindUserPayport(payports, *row.cachedAccount) != payports.GetIndexByPrimary().end();
}

wxString MoneyText(const am_AmountInOut& row, bool in)
{
    return row.inOutType == (in ? '1' : '2') ? FormatMoney(row.amount) : wxString();
}

} // namespace InOutMoneyRules
