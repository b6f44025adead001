#include "connection/AccountRefresh.h"

#include "connection/AccountStatusLines.h"
#include "db/CodeTexts.h"
#include "db/NumberFormat.h"
#include "db/RecordStore.h"
#include "db/TradeArithmetic.h"

#include <wx/intl.h>

void RefreshAccountProfit(RecordStore* db, int accountKey)
{
    if(db == nullptr || !db->m_user_Account_table) {
        return;
    }
    const auto& accounts = db->m_user_Account_table->GetIndexByPrimary();
    const auto found = accounts.find(accountKey);
    if(found == accounts.end()) {
        return;
    }
    user_Account copy = *found;
    const double profit = SumHoldProfit(db, copy, kProfitFromHoldPrice);
    copy.profitDyn = profit;
    copy.netValue = copy.marginRemain + profit;
    copy.marginFree = copy.netValue - copy.marginFreezed - copy.marginUsed;
    copy.riskRate = CalcRiskRate(copy.riskKind, copy.netValue, copy.marginUsed, copy.suretyMoney);
    db->m_user_Account_table->Update(found, copy);
}

wxString AccountStatusText(const user_Account& account)
{
    return wxString::Format(_("[ %s ] AccStatus [%s] Remain [%s] Freezed [%s] Used [%s] Daily Charge [%s] "
                              "Daily Profit Close [%s]"),
                            account.marketName, AccountStateText(account.accStatus),
                            FormatMoney(account.marginRemain), FormatMoney(account.marginFreezed),
                            FormatMoney(account.marginUsed), FormatMoney(account.dailyCharge),
                            FormatMoney(account.profitClose));
}

void UpdateAccountStatus(const user_Account& account)
{
    AccountStatusLines::Get().SetLine(account.accountKey, AccountStatusText(account));
}
