// What the account dialogs decide without a window: the password checks in
// their order, the requests byte for byte (kinds, cuts on a character
// boundary), the account choices and the lines they show.
#include "funds/AccountDialogRules.h"

#include "MoneyTestStore.h"
#include "funds/ErrMsgBox.h"
#include "funds/ModifyPasswordRules.h"

#include <clocale>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

using Rules = AccountDialogRules;
using Entries = std::vector<Rules::Entry>;

// Multibyte texts are narrowed in the locale's encoding: UTF-8 here.
class Utf8Locale : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_saved = std::setlocale(LC_ALL, nullptr);
        ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
    }
    void TearDown() override { std::setlocale(LC_ALL, m_saved.c_str()); }

private:
    std::string m_saved;
};

std::string Field(const char* field, std::size_t size)
{
    return std::string(field, strnlen(field, size));
}

// Every byte after the text up to the end of the field is zero.
bool ZeroAfterText(const char* field, std::size_t size)
{
    for(std::size_t i = strnlen(field, size); i < size; ++i) {
        if(field[i] != 0) {
            return false;
        }
    }
    return true;
}

using PasswordChecks = Utf8Locale;

TEST_F(PasswordChecks, RunInOrderAndStopAtTheFirstFailure)
{
    using R = ModifyPasswordRules;
    struct Case
    {
        const char* oldPassword;
        const char* newPassword;
        const char* confirm;
        R::CheckResult expected;
    };
    const Case cases[] = {
        {"", "", "", R::eOldEmpty}, // only the first message
        {"old123", "", "", R::eNewEmpty},
        {"old123", "abcde", "", R::eNewTooShort},
        {"old123", "abcdef", "", R::eConfirmEmpty},
        {"old123", "abcdef", "ABCDEF", R::eConfirmDiffers},
        {"abcdef", "ABCDEF", "ABCDEF", R::eCheckPassed}, // same letters, another case
        {"abcdef", "abcdef", "abcdef", R::eSameAsOld},
        {"old123", "abcdef", "abcdef", R::eCheckPassed},
        {"old123", "123456789012345678901234", "123456789012345678901234", R::eCheckPassed},
        {"old123", "1234567890123456789012345", "", R::eNewTooLong},         // 25 bytes
        {"old123", "密码密码密码密码x", "", R::eNewTooLong},                 // 8 characters, 25 bytes
        {"old123", "密码密码密码密码", "密码密码密码密码", R::eCheckPassed}, // 24 bytes
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(wxString::FromUTF8(c.newPassword));
        EXPECT_EQ(R::Check(wxString::FromUTF8(c.oldPassword), wxString::FromUTF8(c.newPassword),
                           wxString::FromUTF8(c.confirm)),
                  c.expected);
    }
    EXPECT_EQ(R::CheckMessage(R::eOldEmpty), "Please input old password!");
    EXPECT_EQ(R::CheckMessage(R::eNewTooLong), "The password length must be less than or equal to 24!");
    EXPECT_EQ(R::CheckMessage(R::eSameAsOld), "The new password cannot be the same as the recent password!");
}

using PasswordRequest = Utf8Locale;

TEST_F(PasswordRequest, CarriesTheKindOfThePositionAndBothPasswordsCutOnACharacterBoundary)
{
    const std::pair<int, char> kinds[] = {{0, '2'}, {1, '1'}, {-1, '3'}, {2, '3'}};
    for(const auto& [position, code] : kinds) {
        const sFFixModifyPassword request =
            ModifyPasswordRules::MakeRequest(1001, position, "newpass", "oldpass");
        EXPECT_EQ(request.kind, code) << position;
        EXPECT_EQ(request.userId, 1001);
    }

    // Eight three-byte characters are 24 bytes; a ninth does not fit whole.
    const wxString nine = wxString::FromUTF8("密码密码密码密码密");
    const sFFixModifyPassword request = ModifyPasswordRules::MakeRequest(7, 1, "abc", nine);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&request);
    EXPECT_EQ(std::memcmp(bytes, "\x07\0\0\0", 4), 0);
    EXPECT_EQ(bytes[4], '1');
    EXPECT_EQ(Field(request.newPassword, 25), "abc");
    EXPECT_TRUE(ZeroAfterText(request.newPassword, 25));
    EXPECT_EQ(Field(request.oldPassword, 25), "密码密码密码密码");
    EXPECT_TRUE(ZeroAfterText(request.oldPassword, 25));
    EXPECT_EQ(bytes[55], 0);

    // 23 ASCII and a two-byte character: the character is left out.
    const sFFixModifyPassword mixed =
        ModifyPasswordRules::MakeRequest(7, 0, wxString::FromUTF8("12345678901234567890123é"), "x");
    EXPECT_EQ(Field(mixed.newPassword, 25), "12345678901234567890123");
}

using AccountRequests = Utf8Locale;

TEST_F(AccountRequests, AreZeroFilledWithTheKeysAmountAndTheWhole24BytePassword)
{
    const sFFixMoveMoney move =
        Rules::MakeMoveMoney(11, 12, 1000.0, "123456789012345678901234"); // 24 characters
    EXPECT_EQ(move.fromAccountKey, 11);
    EXPECT_EQ(move.toAccountKey, 12);
    EXPECT_EQ(move.amount, 1000.0);
    EXPECT_EQ(Field(move.password, 32), "123456789012345678901234");
    EXPECT_TRUE(ZeroAfterText(move.password, 32));

    const sFFixSetSuretyMoney surety =
        Rules::MakeSetSuretyMoney(14, 6000.0, wxString::FromUTF8("一二三四五六七八")); // 24 bytes
    EXPECT_EQ(surety.accountKey, 14);
    EXPECT_EQ(surety.reserved4, 0);
    EXPECT_EQ(surety.amount, 6000.0);
    EXPECT_EQ(Field(surety.password, 32), "一二三四五六七八");
    EXPECT_TRUE(ZeroAfterText(surety.password, 32));

    // What the password dialog takes fits; one byte more is refused, not cut.
    EXPECT_TRUE(Rules::PasswordFits("123456789012345678901234"));
    EXPECT_TRUE(Rules::PasswordFits(wxString::FromUTF8("一二三四五六七八")));
    EXPECT_FALSE(Rules::PasswordFits("1234567890123456789012345"));
    EXPECT_FALSE(Rules::PasswordFits(wxString::FromUTF8("一二三四五六七八x")));

    const sFFixSetSuretyMoney none = Rules::MakeSetSuretyMoney(-1, 0.0, "666666");
    EXPECT_EQ(none.accountKey, -1);

    // The amount field: a number, else 0 (the server decides).
    EXPECT_EQ(Rules::ParseAmount("1000.00"), 1000.0);
    EXPECT_EQ(Rules::ParseAmount(" 12.5 "), 12.5);
    EXPECT_EQ(Rules::ParseAmount("abc"), 0.0);
    EXPECT_EQ(Rules::ParseAmount(""), 0.0);
}

TEST(MainAccountRequest, TakesTheFirstAccountsUserAndTheChosenKeyAndMarket)
{
    MoneyTestStore market;
    EXPECT_EQ(Rules::MakeMasterAccount(&market.store, 12).accountKey, -1); // no accounts yet
    market.AddAccount(11, "M1");
    ASSERT_TRUE(market.store.m_user_Account_table->Modify(11, [](user_Account& a) {
        a.accountState = '1';
        a.marketId = 1;
    }));
    // A lone main account: nothing to choose, -1 for both.
    ASSERT_TRUE(Rules::MainAccounts(&market.store).others.empty());
    const sFFixMasterAccount lone = Rules::MakeMasterAccount(&market.store, -1);
    EXPECT_EQ(lone.userId, MoneyTestStore::kUserId);
    EXPECT_EQ(lone.accountKey, -1);
    EXPECT_EQ(lone.marketId, -1);

    market.AddAccount(12, "M2");
    ASSERT_TRUE(market.store.m_user_Account_table->Modify(12, [](user_Account& a) { a.marketId = 2; }));
    const sFFixMasterAccount chosen = Rules::MakeMasterAccount(&market.store, 12);
    EXPECT_EQ(chosen.userId, MoneyTestStore::kUserId);
    EXPECT_EQ(chosen.accountKey, 12);
    EXPECT_EQ(chosen.marketId, 2);
}

TEST(AccountChoices, ListInTableOrderWithKeysAndNameTheMainAccountOfTheChosenCurrency)
{
    MoneyTestStore market;
    market.AddAccount(11, "M1");
    market.AddAccount(12, "Same");
    market.AddAccount(13, "M3");
    market.AddAccount(14, "Same");
    auto& table = *market.store.m_user_Account_table;
    ASSERT_TRUE(table.Modify(11, [](user_Account& a) { a.accountState = '1'; }));
    ASSERT_TRUE(table.Modify(13, [](user_Account& a) {
        a.accountState = '1';
        a.riskKind = '3';
    }));
    ASSERT_TRUE(table.Modify(14, [](user_Account& a) { a.riskKind = '3'; }));

    EXPECT_EQ(Rules::AllAccounts(&market.store),
              (Entries{{"M1", 11}, {"Same", 12}, {"M3", 13}, {"Same", 14}}));
    EXPECT_EQ(Rules::SuretyAccounts(&market.store), (Entries{{"M3", 13}, {"Same", 14}}));
    const Rules::MainAccountChoice main = Rules::MainAccounts(&market.store);
    EXPECT_EQ(main.others, (Entries{{"Same", 12}, {"Same", 14}}));
    // One main account per currency: the line names the chosen account's.
    ASSERT_TRUE(table.Modify(13, [](user_Account& a) { a.currency = "USD"; }));
    ASSERT_TRUE(table.Modify(14, [](user_Account& a) { a.currency = "USD"; }));
    EXPECT_EQ(Rules::MainAccountName(&market.store, 12), "M1");
    EXPECT_EQ(Rules::MainAccountName(&market.store, 14), "M3");
    EXPECT_EQ(Rules::MainAccountName(&market.store, -1), "M1") << "no choice: the first";

    RecordStore empty;
    EXPECT_TRUE(Rules::AllAccounts(&empty).empty());
    EXPECT_TRUE(Rules::MainAccounts(nullptr).others.empty());
    EXPECT_EQ(Rules::MainAccountName(nullptr, 12), "");
}

TEST(OutMoney, AddsAFloatingLossAndNeverGoesBelowZero)
{
    struct Case
    {
        double withdrawable;
        double profit;
        double expected;
    };
    const Case cases[] = {
        {100.0, -250.0, 0.0}, {100.0, 250.0, 100.0}, {1000.0, -250.5, 749.5}, {-5.0, 0.0, 0.0}};
    for(const Case& c : cases) {
        user_Account account;
        account.withdrawableMoney = c.withdrawable;
        account.profitDyn = c.profit;
        account.accountClass = '3'; // the transfer counts the loss on every class
        EXPECT_EQ(Rules::OutMoney(account), c.expected) << c.withdrawable << " " << c.profit;
    }
}

TEST(ErrMsgBoxRule, FailuresAlwaysShowSuccessesOnlyWithTheKeyOn)
{
    EXPECT_TRUE(ErrMsgBox::IsShown(ErrMsgBox::eFailure, false));
    EXPECT_TRUE(ErrMsgBox::IsShown(ErrMsgBox::eFailure, true));
    EXPECT_FALSE(ErrMsgBox::IsShown(ErrMsgBox::eSuccess, false));
    EXPECT_TRUE(ErrMsgBox::IsShown(ErrMsgBox::eSuccess, true));
}

} // namespace
