// What the deposit and withdrawal dialog decides without a window: the
// withdrawable money, OK's checks in their order, the request byte for
// byte, the bank it names and how its account choice follows the table.
#include "funds/MoneyRules.h"

#include "MoneyTestStore.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(MoneyRules, AFloatingLossTakesFromTheWithdrawableMoneyOnlyOnSettlementClassesOneAndTwo)
{
    struct Case
    {
        char accountClass;
        double withdrawable;
        double profitDyn;
        const char* shown;
    };
    const Case cases[] = {
        {'1', 500.0, -800.0, "0.00"}, {'2', 500.0, -200.0, "300.00"}, {'3', 500.0, -800.0, "500.00"},
        {0, 500.0, -800.0, "500.00"}, {'1', 500.0, 800.0, "500.00"},  {'2', 1234.5, 0.0, "1234.50"},
        {'3', -20.0, 0.0, "0.00"},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "class " << (c.accountClass ? c.accountClass : '0') << " profit " << c.profitDyn);
        user_Account account;
        account.accountClass = c.accountClass;
        account.withdrawableMoney = c.withdrawable;
        account.profitDyn = c.profitDyn;
        EXPECT_EQ(MoneyRules::WithdrawableText(account), c.shown);
    }
}

TEST(MoneyRules, OkChecksTheAccountThenThePasswordThenTheAmount)
{
    MoneyTestStore market;
    market.AddAccount(11, "M1");
    market.AddAccount(12, "M2", "CNY", 2002); // no login record behind it
    struct Case
    {
        const char* name;
        int accountKey;
        const char* password;
        const char* amount;
        MoneyRules::CheckResult result;
        double sent;
    };
    const Case cases[] = {
        {"no account", -1, "", "abc", MoneyRules::eAccountInvalid, 0},
        {"account without login", 12, "666666", "10", MoneyRules::eAccountInvalid, 0},
        {"empty password before a bad amount", 11, "", "abc", MoneyRules::ePasswordEmpty, 0},
        {"pasted thousands", 11, "666666", "1,234.50", MoneyRules::eCheckPassed, 1234.5},
        {"plain", 11, "666666", " 20.5 ", MoneyRules::eCheckPassed, 20.5},
        {"zero", 11, "666666", "0", MoneyRules::eAmountError, 0},
        {"negative", 11, "666666", "-5", MoneyRules::eAmountError, 0},
        {"text", 11, "666666", "abc", MoneyRules::eAmountError, 0},
        {"empty", 11, "666666", "", MoneyRules::eAmountError, 0},
        {"infinite", 11, "666666", "inf", MoneyRules::eAmountError, 0},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        double amount = 0.0;
        EXPECT_EQ(MoneyRules::Check(&market.store, c.accountKey, c.password, c.amount, amount), c.result);
        if(c.result == MoneyRules::eCheckPassed) {
            EXPECT_DOUBLE_EQ(amount, c.sent);
        }
    }
    EXPECT_EQ(MoneyRules::CheckMessage(MoneyRules::eAccountInvalid), "Account Invalid, Maybe Disconnected!");
    EXPECT_EQ(MoneyRules::CheckMessage(MoneyRules::ePasswordEmpty), "Invalid Passord!");
    EXPECT_EQ(MoneyRules::CheckMessage(MoneyRules::eAmountError), "Amount Error!");
}

TEST(MoneyRules, TheRequestIsSeventyTwoBytesWithEachFieldAtItsPlace)
{
    const std::string longPassword = "abcdefghijklmnopqrstuvwxyz0123"; // 30 characters, 24 go
    struct Case
    {
        const char* name;
        int mode;
        std::string moneyPassword;
        std::string bankPassword;
        char direction;
    };
    const Case cases[] = {
        {"deposit with bank password", 0, "666666", "135790", '1'},
        {"withdrawal without", 1, "666666", "", '2'},
        {"any other mode withdraws", 7, longPassword, longPassword, '2'},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const sFFixReqInOutMoney request =
            MoneyRules::MakeRequest(11, 1234.5, c.mode, c.moneyPassword, c.bankPassword);
        ASSERT_EQ(sizeof request, 72u);
        std::vector<uint8_t> expected(72, 0);
        const int32_t key = 11;
        const double amount = 1234.5;
        std::memcpy(&expected[0], &key, 4);
        std::memcpy(&expected[8], &amount, 8);
        expected[16] = static_cast<uint8_t>(c.direction);
        const std::string money = c.moneyPassword.substr(0, 24);
        const std::string bank = c.bankPassword.substr(0, 24);
        std::memcpy(&expected[17], money.data(), money.size());
        std::memcpy(&expected[42], bank.data(), bank.size());
        const auto* actual = reinterpret_cast<const uint8_t*>(&request);
        for(std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(int(actual[i]), int(expected[i])) << "byte " << i;
        }
    }
}

TEST(MoneyRules, TheBankLineNamesTheBankOfThePayPortOfTheAccountsCurrency)
{
    MoneyTestStore market;
    market.AddAccount(11, "M1", "CNY");
    market.AddAccount(13, "M3", "USD");
    market.AddAccount(12, "M2", "CNY", 2002); // its login record is missing
    wxString bank;
    EXPECT_EQ(MoneyRules::GetBankLine(&market.store, 99, bank), MoneyRules::eBankUnchanged);
    EXPECT_EQ(MoneyRules::GetBankLine(&market.store, 11, bank), MoneyRules::eNoPayport);

    market.AddPayport(1, "CNY");
    EXPECT_EQ(MoneyRules::GetBankLine(&market.store, 11, bank), MoneyRules::eQuerySysPayPorts);
    EXPECT_EQ(MoneyRules::GetBankLine(&market.store, 12, bank), MoneyRules::eBankUnchanged);
    EXPECT_EQ(MoneyRules::GetBankLine(&market.store, 13, bank), MoneyRules::eNoPayport);
    EXPECT_FALSE(MoneyRules::NeedsBankPassword(&market.store, *MoneyRules::FindAccount(&market.store, 11)));

    market.AddSysPayPort(1, "Ostrel Bank", true);
    EXPECT_EQ(MoneyRules::GetBankLine(&market.store, 11, bank), MoneyRules::eBankName);
    EXPECT_EQ(bank, "Ostrel Bank");
    EXPECT_TRUE(MoneyRules::NeedsBankPassword(&market.store, *MoneyRules::FindAccount(&market.store, 11)));
    EXPECT_FALSE(MoneyRules::NeedsBankPassword(&market.store, *MoneyRules::FindAccount(&market.store, 13)));
}

TEST(MoneyRules, TheAccountChoiceFollowsTheTableAndKeepsOrFindsTheChosenAccount)
{
    MoneyTestStore market;
    const auto& table = *market.store.m_user_Account_table;
    std::vector<int> items;
    auto sync = [&](int accountKey) {
        MoneyRules::ChoicePlan plan = MoneyRules::PlanAccountChoice(items, table, accountKey);
        MoneyRules::ApplyPlan(plan, items);
        return plan;
    };
    auto sorted = [&] {
        std::vector<int> keys = items;
        std::sort(keys.begin(), keys.end());
        return keys;
    };

    // No account: nothing chosen, the opener's key stays.
    MoneyRules::ChoicePlan plan = sync(12);
    EXPECT_EQ(plan.selection, -1);
    EXPECT_EQ(plan.accountKey, 12);

    market.AddAccount(11, "M1");
    market.AddAccount(12, "M2");
    market.AddAccount(13, "M3");
    plan = sync(12);
    EXPECT_EQ(sorted(), std::vector<int>({11, 12, 13}));
    ASSERT_GE(plan.selection, 0);
    EXPECT_EQ(items[plan.selection], 12);
    EXPECT_EQ(plan.accountKey, 12);

    // Nothing changed: no item moves.
    plan = sync(12);
    EXPECT_TRUE(plan.removed.empty());
    EXPECT_TRUE(plan.appended.empty());
    EXPECT_EQ(items[plan.selection], 12);

    // The chosen account goes and another comes, perhaps in the same
    // memory: the item of the gone one goes, the first item is chosen.
    const auto position12 =
        static_cast<unsigned int>(std::find(items.begin(), items.end(), 12) - items.begin());
    market.RemoveAccount(12);
    market.AddAccount(14, "M4");
    plan = sync(12);
    EXPECT_EQ(sorted(), std::vector<int>({11, 13, 14}));
    ASSERT_EQ(plan.removed.size(), 1u);
    EXPECT_EQ(plan.removed[0], position12);
    ASSERT_EQ(plan.appended.size(), 1u);
    EXPECT_EQ(plan.appended[0]->accountKey, 14);
    EXPECT_EQ(plan.selection, 0);
    EXPECT_EQ(plan.accountKey, items[0]);

    // A key that an appended item carries selects it.
    items.clear();
    plan = sync(14);
    EXPECT_EQ(items[plan.selection], 14);
}

} // namespace
