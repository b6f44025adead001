#include "funds/MoneyRules.h"

#include "db/NumberFormat.h"
#include "db/RecordStore.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>
#include <wx/intl.h>

namespace {
// At most 24 bytes of the text in the locale's multibyte form; the field's
// last byte stays the zero of the fill.
template <std::size_t N> void CopyPassword(char (&field)[N], const wxString& text)
{
    static_assert(N == 25, "password fields hold 24 bytes and a zero");
    const wxScopedCharBuffer narrow = text.mb_str(*wxConvCurrent);
    if(narrow.data() != nullptr) {
        std::strncpy(field, narrow.data(), N - 1);
    }
}
} // namespace

double MoneyRules::Withdrawable(const user_Account& account)
{
    double withdrawable = account.withdrawableMoney;
    if((account.accountClass == '1' || account.accountClass == '2') && account.profitDyn < 0.0) {
        withdrawable += account.profitDyn;
    }
    return withdrawable;
}

wxString MoneyRules::WithdrawableText(const user_Account& account)
{
    const double withdrawable = Withdrawable(account);
    return withdrawable > 0.0 ? FormatMoney(withdrawable) : wxString("0.00");
}

bool MoneyRules::ParseAmount(const wxString& text, double& amount)
{
    wxString plain = text;
    plain.Replace(",", "");
    plain.Trim(true).Trim(false);
    // The C locale's point, whatever the user's locale.
    return !plain.empty() && plain.ToCDouble(&amount);
}

MoneyRules::CheckResult MoneyRules::Check(RecordStore* db, int accountKey, const wxString& moneyPassword,
                                          const wxString& amountText, double& amount)
{
    const user_Account* account = FindAccount(db, accountKey);
    if(!account || !account->GetLoginInfo(db)) {
        return eAccountInvalid;
    }
    if(moneyPassword.empty()) {
        return ePasswordEmpty;
    }
    double parsed = 0.0;
    if(!ParseAmount(amountText, parsed) || !std::isfinite(parsed) || !(parsed > 0.0)) {
        return eAmountError;
    }
    amount = parsed;
    return eCheckPassed;
}

wxString MoneyRules::CheckMessage(CheckResult result)
{
    switch(result) {
    case eAccountInvalid:
        return wxTRANSLATE("Account Invalid, Maybe Disconnected!");
    case ePasswordEmpty:
        return wxTRANSLATE("Invalid Passord!");
    case eAmountError:
        return wxTRANSLATE("Amount Error!");
    case eCheckPassed:
        break;
    }
    return wxString();
}

const user_Account* MoneyRules::FindAccount(RecordStore* db, int accountKey)
{
    if(!db || !db->m_user_Account_table) {
        return nullptr;
    }
    const auto& accounts = db->m_user_Account_table->GetIndexByPrimary();
    const auto found = accounts.find(accountKey);
    return found == accounts.end() ? nullptr : &*found;
}

const user_Payport* MoneyRules::FindPayport(RecordStore* db, const user_Account& account)
{
    if(!db || !db->m_user_Payport_table) {
        return nullptr;
    }
    const auto found = FindUserPayport(*db->m_user_Payport_table, account);
    return found == db->m_user_Payport_table->GetIndexByPrimary().end() ? nullptr : &*found;
}

const sys_PayPort* MoneyRules::FindSysPayPort(RecordStore* db, const user_Payport& payport)
{
    return payport.GetSysPayPort(db) ? payport.cachedSysPayPort.Get() : nullptr;
}

bool MoneyRules::NeedsBankPassword(RecordStore* db, const user_Account& account)
{
    const user_Payport* payport = FindPayport(db, account);
    const sys_PayPort* port = payport ? FindSysPayPort(db, *payport) : nullptr;
    return port && port->needBankPassword != 0;
}

MoneyRules::BankLine MoneyRules::GetBankLine(RecordStore* db, int accountKey, wxString& bankName)
{
    const user_Account* account = FindAccount(db, accountKey);
    if(!account) {
        return eBankUnchanged;
    }
    const user_Payport* payport = FindPayport(db, *account);
    if(!payport) {
        return eNoPayport;
    }
    if(const sys_PayPort* port = FindSysPayPort(db, *payport)) {
        bankName = port->bankName;
        return eBankName;
    }
    return account->GetLoginInfo(db) ? eQuerySysPayPorts : eBankUnchanged;
}

sFFixReqInOutMoney MoneyRules::MakeRequest(int accountKey, double amount, int mode,
                                           const wxString& moneyPassword, const wxString& bankPassword)
{
    sFFixReqInOutMoney request;
    std::memset(&request, 0, sizeof request);
    request.accountKey = accountKey;
    request.amount = amount;
    request.direction = mode == 0 ? '1' : '2';
    CopyPassword(request.moneyPassword, moneyPassword);
    CopyPassword(request.bankPassword, bankPassword);
    return request;
}

MoneyRules::ChoicePlan MoneyRules::PlanAccountChoice(const std::vector<int>& itemKeys,
                                                     const user_AccountFactory& table, int accountKey)
{
    ChoicePlan plan;
    plan.accountKey = accountKey;
    std::set<int> listed;
    const auto& accounts = table.GetIndexByPrimary();
    int kept = 0;
    for(std::size_t i = 0; i < itemKeys.size(); ++i) {
        const int key = itemKeys[i];
        if(accounts.find(key) == accounts.end() || !listed.insert(key).second) {
            plan.removed.push_back(static_cast<unsigned int>(i));
            continue;
        }
        if(key == accountKey) {
            plan.selection = kept;
        }
        ++kept;
    }
    std::reverse(plan.removed.begin(), plan.removed.end());
    for(const user_Account& account : accounts) {
        if(listed.count(account.accountKey) != 0) {
            continue;
        }
        if(account.accountKey == accountKey) {
            plan.selection = kept;
        }
        plan.appended.push_back(&account);
        ++kept;
    }
    if(plan.selection < 0 && kept > 0) {
        plan.selection = 0;
        std::vector<int> after = itemKeys;
        ApplyPlan(plan, after);
        plan.accountKey = after.front();
    }
    return plan;
}

void MoneyRules::ApplyPlan(const ChoicePlan& plan, std::vector<int>& itemKeys)
{
    for(unsigned int position : plan.removed) {
        itemKeys.erase(itemKeys.begin() + position);
    }
    for(const user_Account* account : plan.appended) {
        itemKeys.push_back(account->accountKey);
    }
}
