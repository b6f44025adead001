#include "funds/AccountDialogRules.h"

#include "db/CodeTexts.h"
#include "db/NumberFormat.h"
#include "db/RecordStore.h"
#include "db/TradeArithmetic.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <wx/intl.h>

namespace {
template <class Keep> std::vector<AccountDialogRules::Entry> Accounts(RecordStore* db, Keep keep)
{
    std::vector<AccountDialogRules::Entry> entries;
    if(!db || !db->m_user_Account_table) {
        return entries;
    }
    for(const user_Account& account : db->m_user_Account_table->GetIndexByPrimary()) {
        if(keep(account)) {
            entries.push_back({account.marketName, account.accountKey});
        }
    }
    return entries;
}
// 0 none, 1 the warning line, 2 the force-close line; lines of 0 are none.
// The force-close line above the warning line: the higher the riskier.
int LinesReached(double rate, double warningLine, double forceCloseLine)
{
    if(warningLine == 0 || forceCloseLine == 0) {
        return 0;
    }
    const bool higherIsWorse = forceCloseLine > warningLine;
    auto reached = [&](double line) { return higherIsWorse ? rate >= line : rate <= line; };
    return reached(forceCloseLine) ? 2 : reached(warningLine) ? 1 : 0;
}
} // namespace

std::vector<AccountDialogRules::Entry> AccountDialogRules::AllAccounts(RecordStore* db)
{
    return Accounts(db, [](const user_Account&) { return true; });
}

std::vector<AccountDialogRules::Entry> AccountDialogRules::SuretyAccounts(RecordStore* db)
{
    return Accounts(db, [](const user_Account& account) { return CarriesSurety(account); });
}

AccountDialogRules::MainAccountChoice AccountDialogRules::MainAccounts(RecordStore* db)
{
    MainAccountChoice choice;
    choice.others = Accounts(db, [](const user_Account& account) { return !IsMainAccount(account); });
    return choice;
}

wxString AccountDialogRules::MainAccountName(RecordStore* db, int chosenKey)
{
    const user_Account* chosen = FindAccount(db, chosenKey);
    if(!db || !db->m_user_Account_table) {
        return wxString();
    }
    for(const user_Account& account : db->m_user_Account_table->GetIndexByPrimary()) {
        if(IsMainAccount(account) && (!chosen || account.currency == chosen->currency)) {
            return account.marketName;
        }
    }
    return wxString();
}

const user_Account* AccountDialogRules::FindAccount(RecordStore* db, int accountKey)
{
    if(!db || !db->m_user_Account_table) {
        return nullptr;
    }
    const auto& accounts = db->m_user_Account_table->GetIndexByPrimary();
    const auto found = accounts.find(accountKey);
    return found == accounts.end() ? nullptr : &*found;
}

double AccountDialogRules::OutMoney(const user_Account& account)
{
    double money = account.withdrawableMoney;
    if(account.profitDyn < 0.0) {
        money += account.profitDyn;
    }
    return money < 0.0 ? 0.0 : money;
}

double AccountDialogRules::ParseAmount(const wxString& text)
{
    double amount = 0.0;
    const wxString trimmed = wxString(text).Trim(true).Trim(false);
    if(!trimmed.ToCDouble(&amount) && !trimmed.ToDouble(&amount)) {
        return 0.0;
    }
    return amount;
}

bool AccountDialogRules::CopyNarrow(char* field, std::size_t maxBytes, const wxString& text)
{
    std::size_t used = 0;
    for(wxString::const_iterator it = text.begin(); it != text.end(); ++it) {
        const wxString character(1, *it);
        const wxCharBuffer narrow(character.mb_str(wxConvLibc));
        if(narrow.length() == 0 || used + narrow.length() > maxBytes) {
            return false;
        }
        std::memcpy(field + used, narrow.data(), narrow.length());
        used += narrow.length();
    }
    return true;
}

bool AccountDialogRules::PasswordFits(const wxString& password)
{
    char field[kPasswordBytes + 1] = {};
    return CopyNarrow(field, kPasswordBytes, password);
}

sFFixMoveMoney AccountDialogRules::MakeMoveMoney(int fromKey, int toKey, double amount,
                                                 const wxString& password)
{
    sFFixMoveMoney request;
    std::memset(&request, 0, sizeof request);
    request.fromAccountKey = fromKey;
    request.toAccountKey = toKey;
    request.amount = amount;
    CopyNarrow(request.password, kPasswordBytes, password);
    return request;
}

sFFixMasterAccount AccountDialogRules::MakeMasterAccount(RecordStore* db, int accountKey)
{
    sFFixMasterAccount request;
    std::memset(&request, 0, sizeof request);
    request.accountKey = -1;
    request.marketId = -1;
    if(db && db->m_user_Account_table && !db->m_user_Account_table->GetIndexByPrimary().empty()) {
        request.userId = db->m_user_Account_table->GetIndexByPrimary().begin()->userId;
    }
    if(const user_Account* account = FindAccount(db, accountKey)) {
        request.accountKey = account->accountKey;
        request.marketId = account->marketId;
    }
    return request;
}

sFFixSetSuretyMoney AccountDialogRules::MakeSetSuretyMoney(int accountKey, double amount,
                                                           const wxString& password)
{
    sFFixSetSuretyMoney request;
    std::memset(&request, 0, sizeof request);
    request.accountKey = accountKey;
    request.amount = amount;
    CopyNarrow(request.password, kPasswordBytes, password);
    return request;
}

AccountDialogRules::SuretyCheck AccountDialogRules::CheckSurety(const user_Account& account, double amount)
{
    SuretyCheck check;
    const double net = account.netValue;
    if(!IsFigure(net) || !IsFigure(amount) || !(amount > account.suretyMoney)) {
        return check; // the market judges what the figures cannot
    }
    check.rate = CalcRiskRate('3', net, account.marginUsed, amount);
    const int reached = LinesReached(check.rate, account.warningLine, account.forceCloseLine);
    // The rate falls as the surety grows: it stays above the line below net / (1 + line).
    const double bound = net / (1.0 + account.forceCloseLine);
    if(account.forceCloseLine < account.warningLine && bound > 0) {
        check.most = std::max(0.0, (std::ceil(bound * 100.0 - 1e-6) - 1.0) / 100.0);
    }
    const wxString risk = wxString::Format("%s (%s)", RiskRateText('3', check.rate), AccountKindText('3'));
    if(reached == 2) {
        check.verdict = SuretyCheck::eNotCovered;
        check.message = wxString::Format(_("The net value of %s, %s, cannot cover a surety money of %s: its "
                                           "risk would be %s, past the force-close line, and the market "
                                           "would close its positions at once."),
                                         account.marketName, FormatMoney(net), FormatMoney(amount), risk);
        if(check.most >= 0) {
            check.message += " " + wxString::Format(_("It covers at most %s."), FormatMoney(check.most));
        }
    } else if(reached == 1) {
        check.verdict = SuretyCheck::eWarning;
        check.message = wxString::Format(_("A surety money of %s puts the risk of %s at %s, past the warning "
                                           "line: the market will call for margin. Set it anyway?"),
                                         FormatMoney(amount), account.marketName, risk);
    }
    return check;
}
