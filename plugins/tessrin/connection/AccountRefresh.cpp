#include "connection/AccountRefresh.h"

#include "connection/AccountStatusLines.h"
#include "db/AccountProfitBook.h"
#include "db/CodeTexts.h"
#include "db/NumberFormat.h"
#include "db/RecordStore.h"
#include "db/TradeArithmetic.h"

#include <cmath>
#include <wx/intl.h>

namespace {

// Net value, free margin and risk rate follow the profit.
void SetProfit(user_Account& account, double profit)
{
    account.profitDyn = profit;
    account.netValue = account.marginRemain + profit;
    account.marginFree = account.netValue - account.marginFreezed - account.marginUsed;
    account.riskRate =
        CalcRiskRate(account.riskKind, account.netValue, account.marginUsed, account.suretyMoney);
}

bool Same(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

} // namespace

void RefreshAccountProfit(RecordStore* db, int accountKey, AccountProfitBook* book)
{
    if(db == nullptr || !db->m_user_Account_table) {
        return;
    }
    db->m_user_Account_table->Modify(accountKey, [db, book](user_Account& account) {
        if(book) {
            book->Recompute(account.accountKey);
        }
        SetProfit(account,
                  book ? book->Profit(account.accountKey) : SumHoldProfit(db, account, kProfitFromHoldPrice));
    });
}

void UpdateAccountProfit(RecordStore* db, int accountKey, AccountProfitBook& book)
{
    if(db == nullptr || !db->m_user_Account_table) {
        return;
    }
    const auto& accounts = db->m_user_Account_table->GetIndexByPrimary();
    const auto found = accounts.find(accountKey);
    if(found == accounts.end()) {
        return;
    }
    user_Account changed = *found;
    SetProfit(changed, book.Profit(accountKey));
    if(Same(changed.profitDyn, found->profitDyn) && Same(changed.netValue, found->netValue) &&
       Same(changed.marginFree, found->marginFree) && Same(changed.riskRate, found->riskRate)) {
        return;
    }
    db->m_user_Account_table->Update(found, changed);
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
