// The pay-port registration's window-free rules: the requests byte for byte,
// the checks of "Ok" in order, the lists and current records over real
// tables, and the wait for the signing control.
#include "funds/PayPortRegistRules.h"

#include "MoneyTestStore.h"
#include "funds/PayPortRegistModel.h"
#include "funds/SignControlTickRule.h"

#include <clocale>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Rules = PayPortRegistRules;

std::string Bytes(const void* record, std::size_t offset, std::size_t length)
{
    return std::string(static_cast<const char*>(record) + offset, length);
}

Rules::RegistInput FullInput()
{
    Rules::RegistInput input;
    input.bank = "Bank";
    input.card = "6222020000009999";
    input.cardConfirm = "6222020000009999";
    input.accountName = wxString::FromUTF8("演示用户");
    input.idTypeIndex = 2;
    input.idCard = "110101199001011234";
    input.moneyPassword = "666666";
    return input;
}

class PayPortRegistRulesTest : public ::testing::Test
{
protected:
    // Narrow texts are UTF-8 here, as on the systems the client runs on.
    void SetUp() override { std::setlocale(LC_ALL, "C.UTF-8"); }
};

TEST_F(PayPortRegistRulesTest, RegistrationRequestHasEveryFieldAtItsOffset)
{
    Rules::RegistInput input = FullInput();
    input.idCard = wxString('I', 36); // fills its field: no terminator within the 36 bytes
    input.card = wxString('7', 36);
    input.accountName = wxString('N', 97) + wxString::FromUTF8("户"); // 100 bytes of UTF-8
    const sFFixRegistPayPort request = Rules::MakeRegistRequest(1002, input, 3, "135790");
    ASSERT_EQ(sizeof request, 244u);

    int32_t userId = 0;
    std::memcpy(&userId, &request, 4);
    EXPECT_EQ(userId, 1002);
    EXPECT_EQ(Bytes(&request, 4, 1), "3") << "passport is list index 2";
    EXPECT_EQ(Bytes(&request, 5, 37), std::string(36, 'I') + '\0');
    EXPECT_EQ(Bytes(&request, 42, 37), std::string(36, '7') + '\0');
    EXPECT_EQ(Bytes(&request, 87, 101), std::string(97, 'N') + "户" + '\0');
    int32_t payPortId = 0;
    std::memcpy(&payPortId, reinterpret_cast<const char*>(&request) + 188, 4);
    EXPECT_EQ(payPortId, 3);
    EXPECT_EQ(Bytes(&request, 192, 25), std::string("666666") + std::string(19, '\0'));
    EXPECT_EQ(Bytes(&request, 217, 25), std::string("135790") + std::string(19, '\0'))
        << "in clear: the Client masks it";
    EXPECT_EQ(Bytes(&request, 242, 2), std::string(2, '\0'));

    // Without a bank password the field stays empty.
    const sFFixRegistPayPort plain = Rules::MakeRegistRequest(1002, FullInput(), 1, "");
    EXPECT_EQ(Bytes(&plain, 217, 25), std::string(25, '\0'));
    EXPECT_EQ(Bytes(&plain, 87, 13), std::string("演示用户") + '\0');
}

TEST_F(PayPortRegistRulesTest, UnregistrationRequestHasEveryFieldAtItsOffset)
{
    const sFFixUnRegistPayPort request = Rules::MakeUnRegistRequest(1001, 1, "666666", "135790");
    ASSERT_EQ(sizeof request, 60u);
    int32_t values[2] = {};
    std::memcpy(values, &request, 8);
    EXPECT_EQ(values[0], 1001);
    EXPECT_EQ(values[1], 1);
    EXPECT_EQ(Bytes(&request, 8, 25), std::string("666666") + std::string(19, '\0'));
    EXPECT_EQ(Bytes(&request, 33, 27), std::string("135790") + std::string(21, '\0'));
}

TEST_F(PayPortRegistRulesTest, PasswordsAreCutAt24BytesOnACharacterBoundary)
{
    struct Case
    {
        const char* typed; // UTF-8
        std::string sent;
    };
    const Case cases[] = {
        {"123456789012345678901234", "123456789012345678901234"},
        {"1234567890123456789012345", "123456789012345678901234"},
        {"12345678901234567890123密", "12345678901234567890123"}, // the 3-byte character would not fit
        {"123456789012345678901密", "123456789012345678901密"},   // 21 + 3 bytes fit
        {"密码", "密码"},
    };
    for(const Case& c : cases) {
        Rules::RegistInput input = FullInput();
        input.moneyPassword = wxString::FromUTF8(c.typed);
        const sFFixRegistPayPort request = Rules::MakeRegistRequest(1, input, 1, wxString::FromUTF8(c.typed));
        const std::string money(request.moneyPassword);
        const std::string bank(request.bankPassword);
        EXPECT_EQ(money, c.sent) << c.typed;
        EXPECT_EQ(bank, c.sent) << c.typed;
        const sFFixUnRegistPayPort cancel =
            Rules::MakeUnRegistRequest(1, 1, input.moneyPassword, input.moneyPassword);
        EXPECT_EQ(std::string(cancel.moneyPassword), c.sent) << c.typed;
        EXPECT_EQ(std::string(cancel.bankPassword), c.sent) << c.typed;
    }
}

TEST_F(PayPortRegistRulesTest, IdentityTypesAndTheirCodes)
{
    EXPECT_EQ(Rules::IdentityTypeTexts(), (std::vector<wxString>{"identity", "driving licence", "passport",
                                                                 "Company ID", "Company License", "Other"}));
    const std::vector<std::pair<int, char>> codes = {{0, '1'}, {1, '2'}, {2, '3'},  {3, '4'},
                                                     {4, '5'}, {5, '6'}, {-1, '6'}, {6, '6'}};
    for(const auto& [index, code] : codes) {
        EXPECT_EQ(Rules::IdentityCode(index), code) << index;
        Rules::RegistInput input = FullInput();
        input.idTypeIndex = index;
        EXPECT_EQ(Rules::MakeRegistRequest(1, input, 1, "").identityType, code) << index;
    }
    const std::vector<std::pair<char, int>> indices = {{'1', 0}, {'5', 4}, {'6', 5}, {'0', 5}, {'\0', 5}};
    for(const auto& [type, index] : indices) {
        EXPECT_EQ(Rules::IdentityIndex(type), index) << type;
    }
}

TEST_F(PayPortRegistRulesTest, ChecksStopAtTheFirstFailureInOrder)
{
    using Edit = void (*)(Rules::RegistInput&);
    struct Case
    {
        const char* name;
        Edit edit;
        const char* message;
        Rules::Field field;
    };
    const Case cases[] = {
        {"everything empty", [](Rules::RegistInput& i) { i = Rules::RegistInput(); }, "Please Select Bank!",
         Rules::eBankField},
        {"bank before card",
         [](Rules::RegistInput& i) {
             i.bank.clear();
             i.card.clear();
         },
         "Please Select Bank!", Rules::eBankField},
        {"card", [](Rules::RegistInput& i) { i.card.clear(); }, "Please input bank card number!",
         Rules::eCardField},
        {"confirmation", [](Rules::RegistInput& i) { i.cardConfirm.clear(); },
         "Please input confirm bank card number!", Rules::eCardConfirmField},
        {"confirmation differs by case",
         [](Rules::RegistInput& i) {
             i.card = "62220a";
             i.cardConfirm = "62220A";
         },
         "Confirm bank card error!", Rules::eCardConfirmField},
        {"account name", [](Rules::RegistInput& i) { i.accountName.clear(); }, "Please input account name!",
         Rules::eAccountNameField},
        {"id card", [](Rules::RegistInput& i) { i.idCard.clear(); }, "Please input id card!",
         Rules::eIdCardField},
        {"money password", [](Rules::RegistInput& i) { i.moneyPassword.clear(); },
         "Please input money password!", Rules::eMoneyPasswordField},
        {"card too long",
         [](Rules::RegistInput& i) {
             i.card = wxString('1', 37);
             i.cardConfirm = i.card;
         },
         "Bank card number too long!", Rules::eCardField},
        {"account name too long",
         [](Rules::RegistInput& i) { i.accountName = wxString('N', 98) + wxString::FromUTF8("户"); },
         "Account name too long!", Rules::eAccountNameField},
        {"id card too long", [](Rules::RegistInput& i) { i.idCard = wxString('I', 37); }, "ID card too long!",
         Rules::eIdCardField},
        {"no identity type is 'Other'", [](Rules::RegistInput& i) { i.idTypeIndex = -1; }, "",
         Rules::eNoField},
        {"36 bytes each pass",
         [](Rules::RegistInput& i) {
             i.card = wxString('1', 36);
             i.cardConfirm = i.card;
             i.idCard = wxString('I', 36);
             i.accountName = wxString('N', 100);
         },
         "", Rules::eNoField},
    };
    for(const Case& c : cases) {
        Rules::RegistInput input = FullInput();
        c.edit(input);
        const Rules::Check check = Rules::CheckRegist(input);
        EXPECT_EQ(check.message, c.message) << c.name;
        EXPECT_EQ(check.field, c.field) << c.name;
    }
    EXPECT_EQ(Rules::CheckUnRegist("").field, Rules::eMoneyPasswordField);
    EXPECT_EQ(Rules::CheckUnRegist("").message, "Please input money password!");
    EXPECT_TRUE(Rules::CheckUnRegist("1").Passed());
}

TEST_F(PayPortRegistRulesTest, SeatTextAndMode)
{
    user_Account account;
    account.userId = 1001;
    account.seatNumber = 10015;
    user_Payport registration;
    registration.payportKey = 4294967297;
    struct Case
    {
        const char* name;
        const user_Payport* registration;
        wxString suffix;
        char state;
        int64_t accountSeat;
        wxString seat;
        Rules::Mode mode;
    };
    const Case cases[] = {
        {"registration with a suffix", &registration, "01", '2', 10015, "4294967297:01", Rules::eUnRegist},
        {"suffix equal to the seat", &registration, "4294967297", '2', 10015, "4294967297", Rules::eUnRegist},
        {"no suffix, not completed", &registration, "", '1', 10015, "4294967297", Rules::eRegist},
        {"the account's own seat", nullptr, "", '2', 10015, "10015", Rules::eRegist},
        {"a seat of another user", nullptr, "", '2', 20015, "", Rules::eRegist},
    };
    for(const Case& c : cases) {
        registration.seatSuffix = c.suffix;
        registration.registState = c.state;
        account.seatNumber = c.accountSeat;
        EXPECT_EQ(Rules::SeatText(c.registration, &account), c.seat) << c.name;
        EXPECT_EQ(Rules::GetMode(c.registration), c.mode) << c.name;
    }
    EXPECT_EQ(Rules::ActionText(Rules::eRegist), "Regist");
    EXPECT_EQ(Rules::ActionText(Rules::eUnRegist), "UnRegist");
}

// The lists and the current records over the tables the client fills.
class PayPortRegistModelTest : public ::testing::Test
{
protected:
    PayPortRegistModelTest()
    {
        market.AddAccount(11, "Spot");
        market.AddAccount(12, "Match");
        market.AddAccount(13, "Energy", "USD");
        market.AddAccount(14, "Spot", "USD"); // a second account of the market: never current
    }
    void AddPort(int id, const char* channel, const char* bank, const char* currency = "CNY")
    {
        sys_PayPort port;
        port.sysPayPortId = id;
        port.channelName = channel;
        port.bankName = bank;
        port.currency = currency;
        ASSERT_TRUE(market.store.m_sys_PayPort_table->Insert(port).second);
    }
    void Register(int sysPayPortId, int64_t key, char state, const char* currency = "CNY")
    {
        user_Payport registration;
        registration.sysPayPortId = sysPayPortId;
        registration.payportKey = key;
        registration.registState = state;
        registration.currency = currency;
        registration.cardNumber = "6222";
        ASSERT_TRUE(market.store.m_user_Payport_table->Insert(registration).second);
    }
    static std::vector<wxString> Items(const PayPortRegistModel::Choice& choice) { return choice.items; }

    MoneyTestStore market;
};

TEST_F(PayPortRegistModelTest, ListsAreSortedSetsThatFollowTheTablesAndTheChoices)
{
    AddPort(1, "Direct", "Ostrel");
    AddPort(2, "Direct", "Bankfor");
    AddPort(3, "Third", "Veluna");
    AddPort(4, "Wire", "Dollar", "USD");
    PayPortRegistModel model(&market.store, 12);
    model.Refresh();
    EXPECT_EQ(Items(model.GetMarkets()), (std::vector<wxString>{"Energy", "Match", "Spot"}));
    EXPECT_EQ(model.GetMarkets().GetSelected(), "Match") << "the dialog's account";
    EXPECT_EQ(Items(model.GetChannels()), (std::vector<wxString>{"Direct", "Third"})) << "of the currency";
    EXPECT_EQ(model.GetChannels().GetSelected(), "Direct");
    EXPECT_EQ(Items(model.GetBanks()), (std::vector<wxString>{"Bankfor", "Ostrel"})) << "of the channel";
    EXPECT_EQ(model.GetBanks().GetSelected(), "Bankfor");
    ASSERT_TRUE(model.GetPayPort());
    EXPECT_EQ(model.GetPayPort()->sysPayPortId, 2);
    EXPECT_EQ(model.GetMode(), Rules::eRegist);
    EXPECT_FALSE(model.GetRegistration());

    // Another channel: its banks, its pay port.
    model.GetChannels().Select("Third");
    model.RefreshFromChannel();
    EXPECT_EQ(Items(model.GetBanks()), std::vector<wxString>{"Veluna"});
    EXPECT_EQ(model.GetPayPort()->sysPayPortId, 3);

    // A market chosen: its first account becomes current, with its currency.
    model.SelectMarket(0);
    EXPECT_EQ(model.GetMarkets().GetSelected(), "Energy");
    EXPECT_EQ(model.GetAccount()->accountKey, 13);
    EXPECT_EQ(Items(model.GetChannels()), std::vector<wxString>{"Wire"});
    EXPECT_EQ(model.GetPayPort()->sysPayPortId, 4);

    // Synchronised, not rebuilt: kept items keep their places, new ones follow.
    model.SelectMarket(2);
    EXPECT_EQ(model.GetAccount()->accountKey, 11) << "the first account of the market";
    EXPECT_EQ(Items(model.GetChannels()), (std::vector<wxString>{"Direct", "Third"}));
    market.AddAccount(15, "Asia");
    AddPort(5, "Cable", "Zeta");
    model.Refresh();
    EXPECT_EQ(Items(model.GetMarkets()), (std::vector<wxString>{"Energy", "Match", "Spot", "Asia"}));
    EXPECT_EQ(model.GetMarkets().GetSelected(), "Spot");
    EXPECT_EQ(Items(model.GetChannels()), (std::vector<wxString>{"Direct", "Third", "Cable"}));
    market.RemoveAccount(12);
    model.Refresh();
    EXPECT_EQ(Items(model.GetMarkets()), (std::vector<wxString>{"Energy", "Spot", "Asia"}));
}

TEST_F(PayPortRegistModelTest, RegistrationDecidesModeAndPreselectsItsPayPort)
{
    AddPort(1, "Direct", "Ostrel");
    AddPort(3, "Third", "Veluna");
    struct Case
    {
        const char* name;
        int payPort; // 0: no registration
        char state;
        Rules::Mode mode;
        const char* channel;
    };
    const Case cases[] = {
        {"no registration", 0, '2', Rules::eRegist, "Direct"},
        {"registered, not completed", 3, '1', Rules::eRegist, "Third"},
        {"registered", 3, '2', Rules::eUnRegist, "Third"},
    };
    for(const Case& c : cases) {
        auto& registrations = *market.store.m_user_Payport_table;
        while(!registrations.GetIndexByPrimary().empty()) {
            ASSERT_TRUE(registrations.Remove(registrations.GetIndexByPrimary().begin()));
        }
        if(c.payPort != 0) {
            Register(c.payPort, 77, c.state);
        }
        PayPortRegistModel model(&market.store, 11);
        model.Refresh();
        EXPECT_EQ(model.GetMode(), c.mode) << c.name;
        EXPECT_EQ(model.GetChannels().GetSelected(), c.channel) << c.name;
        EXPECT_EQ(model.GetRegistration() != nullptr, c.payPort != 0) << c.name;
        EXPECT_EQ(model.GetDialogRegistration() != nullptr, c.payPort != 0) << c.name;
        EXPECT_EQ(model.GetSeatText(), c.payPort != 0 ? "77" : "") << c.name;
    }

    // The registration leaves its table: nothing is current any more.
    PayPortRegistModel model(&market.store, 11);
    model.Refresh();
    ASSERT_TRUE(model.GetRegistration());
    auto& table = *market.store.m_user_Payport_table;
    ASSERT_TRUE(table.Remove(table.GetIndexByPrimary().find(77)));
    EXPECT_FALSE(model.GetRegistration());
    model.Reselect();
    EXPECT_EQ(model.GetMode(), Rules::eRegist);
}

TEST(SignControlTickRuleTest, CountsTenMissingTicksFailsOnTheEleventhAndEndsWhenFound)
{
    using Step = SignControlTickRule::Step;
    struct Case
    {
        const char* name;
        int foundAt; // 0: never
        std::vector<Step> steps;
        int lastCount;
    };
    const std::vector<Step> tenCounts(10, Step::eCount);
    auto then = [&](Step last) {
        std::vector<Step> steps = tenCounts;
        steps.push_back(last);
        return steps;
    };
    const Case cases[] = {
        {"found at once", 1, {Step::eFound}, 0},
        {"found on the third", 3, {Step::eCount, Step::eCount, Step::eFound}, 2},
        {"found on the eleventh: no failure", 11, then(Step::eFound), 10},
        {"never found", 0, then(Step::eFailed), 10},
    };
    for(const Case& c : cases) {
        SignControlTickRule rule;
        std::vector<Step> steps;
        for(int tick = 1; tick <= 11; ++tick) {
            steps.push_back(rule.Tick(tick == c.foundAt));
            if(steps.back() != Step::eCount) {
                break;
            }
        }
        EXPECT_EQ(c.steps, steps) << c.name;
        EXPECT_EQ(c.lastCount, rule.GetCount()) << c.name;
    }
}

} // namespace
