#include "db/MainAccounts.h"

#include "db/RecordStore.h"

#include <map>
#include <vector>

namespace {

constexpr char kMainAccount = '1';
constexpr char kOtherAccount = '2';

} // namespace

void SetMainAccount(RecordStore* store, const user_Account& account)
{
    if(!store || !store->m_user_Account_table) {
        return;
    }
    user_AccountFactory& table = *store->m_user_Account_table;
    // Copies: the account may be a row of the table, which the updates change.
    const wxString currency = account.currency;
    const int mainKey = account.accountKey;

    // Collected first, so observers of the updates cannot disturb the walk.
    std::vector<std::pair<int, char>> changes;
    for(const user_Account& row : table.GetIndexByPrimary()) {
        if(row.currency != currency) {
            continue;
        }
        const char mark = row.accountKey == mainKey ? kMainAccount : kOtherAccount;
        if(row.accountState != mark) {
            changes.emplace_back(row.accountKey, mark);
        }
    }
    for(const auto& [key, mark] : changes) {
        const auto stored = table.GetIndexByPrimary().find(key);
        if(stored == table.GetIndexByPrimary().end()) {
            continue;
        }
        user_Account changed = *stored;
        changed.accountState = mark;
        table.Update(stored, changed);
    }
}

void EnsureMainAccounts(RecordStore* store)
{
    if(!store || !store->m_user_Account_table) {
        return;
    }
    user_AccountFactory& table = *store->m_user_Account_table;

    struct Choice
    {
        int accountKey;
        bool isMain;
    };
    std::map<wxString, Choice> chosen;
    for(const user_Account& row : table.GetIndexByPrimary()) {
        const bool isMain = row.accountState == kMainAccount;
        const auto found = chosen.find(row.currency);
        if(found == chosen.end()) {
            chosen.emplace(row.currency, Choice{row.accountKey, isMain});
        } else if(!found->second.isMain && isMain) {
            found->second = Choice{row.accountKey, true};
        }
    }

    for(const auto& [currency, choice] : chosen) {
        const auto stored = table.GetIndexByPrimary().find(choice.accountKey);
        if(stored != table.GetIndexByPrimary().end()) {
            const user_Account account = *stored;
            SetMainAccount(store, account);
        }
    }
}
