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
    db->m_user_Account_table->Modify(accountKey, [db](user_Account& account) {
        const double profit = SumHoldProfit(db, account, kProfitFromHoldPrice);
        account.profitDyn = profit;
        account.netValue = account.marginRemain + profit;
        account.marginFree = account.netValue - account.marginFreezed - account.marginUsed;
        account.riskRate =
            CalcRiskRate(account.riskKind, account.netValue, account.marginUsed, account.suretyMoney);
    });
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
