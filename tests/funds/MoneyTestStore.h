#pragma once

// A record store as the client fills it for the money dialogs: the logged-in
// user, accounts, the user's pay ports and the market's.
#include "db/RecordStore.h"

#include <gtest/gtest.h>

class MoneyTestStore
{
public:
    static constexpr int kUserId = 1001;

    MoneyTestStore()
    {
        store.CreateTables();
        user_LoginInfo login;
        login.userId = kUserId;
        login.userName = "Trader Name";
        login.loginAccount = "demo";
        store.m_user_LoginInfo_table->Insert(login);
    }

    const user_Account& AddAccount(int key, const char* market, const char* currency = "CNY",
                                   int userId = kUserId)
    {
        user_Account account;
        account.userId = userId;
        account.accountKey = key;
        account.marketName = market;
        account.currency = currency;
        account.accountClass = '1';
        account.marginRemain = 1000.0 * key;
        account.withdrawableMoney = 500.0;
        const auto inserted = store.m_user_Account_table->Insert(account);
        EXPECT_TRUE(inserted.second) << "account " << key;
        return *inserted.first;
    }
    void RemoveAccount(int key)
    {
        auto& table = *store.m_user_Account_table;
        ASSERT_TRUE(table.Remove(table.GetIndexByPrimary().find(key)));
    }
    void AddPayport(int sysPayPortId, const char* currency, int64_t key = 1)
    {
        user_Payport payport;
        payport.sysPayPortId = sysPayPortId;
        payport.payportKey = key;
        payport.currency = currency;
        ASSERT_TRUE(store.m_user_Payport_table->Insert(payport).second);
    }
    void AddSysPayPort(int id, const char* bankName, bool needBankPassword, const char* currency = "CNY")
    {
        sys_PayPort port;
        port.sysPayPortId = id;
        port.bankName = bankName;
        port.currency = currency;
        port.needBankPassword = needBankPassword ? 1 : 0;
        ASSERT_TRUE(store.m_sys_PayPort_table->Insert(port).second);
    }

    RecordStore store;
};
