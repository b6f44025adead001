#include "funds/AccountDialogRules.h"

#include "db/RecordStore.h"

#include <cstring>

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
