#include "db/MainAccounts.h"

#include "db/RecordStore.h"

#include <gtest/gtest.h>
#include <map>

namespace {

class UpdateCounter : public CActionTrigger<user_Account>
{
public:
    void afterUpdate(const user_Account& stored, CTransaction*, void*) override
    {
        ++m_updates[stored.accountKey];
    }
    std::map<int, int> m_updates;
};

class MainAccounts : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_store.CreateTables();
        m_store.m_user_Account_table->AddActionTrigger(&m_counter);
    }
    void TearDown() override { m_store.m_user_Account_table->RemoveActionTrigger(&m_counter); }

    void Add(int key, const char* currency, char state)
    {
        user_Account account;
        account.accountKey = key;
        account.currency = currency;
        account.accountState = state;
        ASSERT_TRUE(m_store.m_user_Account_table->Insert(account).second);
    }

    const user_Account& Account(int key)
    {
        return *m_store.m_user_Account_table->GetIndexByPrimary().find(key);
    }
    char State(int key) { return Account(key).accountState; }

    // The first account of the currency in primary order, optionally only among
    // those marked main.
    int FirstOf(const char* currency, bool markedOnly)
    {
        for(const user_Account& row : m_store.m_user_Account_table->GetIndexByPrimary()) {
            if(row.currency == currency && (!markedOnly || row.accountState == '1')) {
                return row.accountKey;
            }
        }
        return -1;
    }

    int MainCount(const char* currency)
    {
        int count = 0;
        for(const user_Account& row : m_store.m_user_Account_table->GetIndexByPrimary()) {
            count += row.currency == currency && row.accountState == '1' ? 1 : 0;
        }
        return count;
    }

    RecordStore m_store;
    UpdateCounter m_counter;
};

} // namespace

TEST_F(MainAccounts, SetMainAccountMarksItsCurrencyOnly)
{
    Add(1, "CNY", '1');
    Add(2, "CNY", '2');
    Add(3, "CNY", 0);
    Add(4, "USD", '1');

    SetMainAccount(&m_store, Account(2));
    EXPECT_EQ(State(1), '2');
    EXPECT_EQ(State(2), '1');
    EXPECT_EQ(State(3), '2');
    EXPECT_EQ(State(4), '1');
    // Only the accounts whose mark changed were updated, each once.
    EXPECT_EQ(m_counter.m_updates, (std::map<int, int>{{1, 1}, {2, 1}, {3, 1}}));
}

TEST_F(MainAccounts, SetMainAccountLeavesRightMarksAlone)
{
    Add(1, "CNY", '1');
    Add(2, "CNY", '2');
    SetMainAccount(&m_store, Account(1));
    EXPECT_TRUE(m_counter.m_updates.empty());
}

TEST_F(MainAccounts, EnsureKeepsTheMarkedMainAccount)
{
    for(int key = 1; key <= 6; ++key) {
        Add(key, "CNY", key == 5 ? '1' : 0);
    }
    EnsureMainAccounts(&m_store);
    for(int key = 1; key <= 6; ++key) {
        EXPECT_EQ(State(key), key == 5 ? '1' : '2') << key;
    }
}

TEST_F(MainAccounts, EnsureChoosesTheFirstAccountWhenNoneIsMarked)
{
    for(int key = 10; key < 20; ++key) {
        Add(key, key % 2 ? "CNY" : "USD", key % 3 ? '2' : 0);
    }
    const int firstCny = FirstOf("CNY", false);
    const int firstUsd = FirstOf("USD", false);
    EnsureMainAccounts(&m_store);
    EXPECT_EQ(State(firstCny), '1');
    EXPECT_EQ(State(firstUsd), '1');
    EXPECT_EQ(MainCount("CNY"), 1);
    EXPECT_EQ(MainCount("USD"), 1);
}

TEST_F(MainAccounts, EnsureKeepsOnlyTheFirstOfSeveralMarkedAccounts)
{
    for(int key = 1; key <= 8; ++key) {
        Add(key, "CNY", key % 3 == 0 ? '1' : '2');
    }
    const int firstMarked = FirstOf("CNY", true);
    EnsureMainAccounts(&m_store);
    EXPECT_EQ(State(firstMarked), '1');
    EXPECT_EQ(MainCount("CNY"), 1);
}

TEST_F(MainAccounts, EnsureOnSettledAccountsChangesNothing)
{
    Add(1, "CNY", '1');
    Add(2, "CNY", '2');
    Add(3, "HKD", '1');
    EnsureMainAccounts(&m_store);
    EXPECT_TRUE(m_counter.m_updates.empty());
}
