// Deposits, withdrawals, transfers, the main account, surety money, password
// changes and exchange rates against simmarketd through libClientApi.so.
#include "MarketFamilyTest.h"

using tradeapi::FixedText;
using tradeapi::SetFixedText;

namespace {

class MoneySim : public MarketFamilyTest
{
protected:
    // Sends a deposit ('1') or withdrawal ('2'); returns the request id.
    int InOut(int account, char direction, double amount, const std::string& moneyPassword = "666666",
              const std::string& bankPassword = "135790")
    {
        const int id = NextId();
        sFFixReqInOutMoney req{};
        req.accountKey = account;
        req.amount = amount;
        req.direction = direction;
        SetFixedText(req.moneyPassword, moneyPassword);
        SetFixedText(req.bankPassword, Masked(bankPassword, id));
        EXPECT_GT(api->ReqInOutMoney(&req, id), 0);
        return id;
    }

    int ErrorOf(int code, int id) { return Answer(code, id).info.errorId; }
};

} // namespace

TEST_F(MoneySim, DepositIsAnsweredThenPassesThroughItsStatesAndCreditsTheAccount)
{
    const double before = Account(11)["marginRemain"];
    const std::size_t from = Mark();
    const int id = InOut(11, '1', 1000.0);
    EXPECT_EQ(ErrorOf(1039, id), 0);
    const auto moveId = Answer(1044, id).As<sFFixInOutMoneyId>();
    EXPECT_GT(moveId.inOutId, 0);

    const auto waiting = Wait(1040, from).As<sFFixRspInOutMoney>();
    EXPECT_EQ(waiting.inOutId, moveId.inOutId);
    EXPECT_EQ(waiting.inOutType, '1');
    EXPECT_EQ(waiting.approveState, '1');
    EXPECT_DOUBLE_EQ(waiting.amount, 1000.0);
    const auto page = Wait(1076, from).As<sFFixBankInUrl>();
    EXPECT_EQ(page.id, moveId.inOutId);
    EXPECT_EQ(page.accountKey, 11);
    EXPECT_EQ(FixedText(page.url).find("qianyue"), std::string::npos);
    EXPECT_DOUBLE_EQ(Account(11)["marginRemain"].get<double>(), before) << "nothing credited while waiting";

    const std::size_t processing = Mark();
    SetClock(5100);
    EXPECT_EQ(Wait(1040, processing).As<sFFixRspInOutMoney>().approveState, '2');
    const std::size_t passing = Mark();
    SetClock(10200);
    const auto passed = Wait(1040, passing).As<sFFixRspInOutMoney>();
    EXPECT_EQ(passed.approveState, '3');
    EXPECT_EQ(FixedText(passed.confirmDate).size(), 8u);
    EXPECT_DOUBLE_EQ(Wait(1016, passing).As<sFFixMoney>().marginRemain, before + 1000.0);
    // One bonus point per 100 deposited, on top of the 120 the account had.
    EXPECT_DOUBLE_EQ(Wait(1127, passing).As<sFFixBonusPoint>().bonusPoint, 130.0);

    const int query = NextId();
    sFFixUserId user{1001};
    ASSERT_GT(api->ReqQryInOutMoney(&user, query), 0);
    bool listed = false;
    for(const auto& row : Rows(1042, query))
        listed |= row.As<sFFixRspInOutMoney>().inOutId == moveId.inOutId &&
                  row.As<sFFixRspInOutMoney>().approveState == '3';
    EXPECT_TRUE(listed);
}

TEST_F(MoneySim, WithdrawalHoldsItsMoneyAndARejectionGivesItBack)
{
    const double before = Account(11)["marginRemain"];
    const std::size_t from = Mark();
    const int id = InOut(11, '2', 500.0);
    EXPECT_EQ(ErrorOf(1039, id), 0);
    const int moveId = Answer(1044, id).As<sFFixInOutMoneyId>().inOutId;
    EXPECT_EQ(Wait(1040, from).As<sFFixRspInOutMoney>().inOutType, '2');
    EXPECT_DOUBLE_EQ(Wait(1016, from).As<sFFixMoney>().marginRemain, before - 500.0);
    EXPECT_TRUE(Quiet(1076, from)) << "a withdrawal opens no bank page";

    const std::size_t rejected = Mark();
    ASSERT_EQ(sim.Post("/admin/inout?id=" + std::to_string(moveId) + "&state=4"), 200);
    EXPECT_EQ(Wait(1040, rejected).As<sFFixRspInOutMoney>().approveState, '4');
    EXPECT_DOUBLE_EQ(Wait(1016, rejected).As<sFFixMoney>().marginRemain, before);
    // A decided movement moves no further.
    EXPECT_EQ(sim.Post("/admin/inout?id=" + std::to_string(moveId) + "&state=3"), 400);
}

TEST_F(MoneySim, InOutRefusalsCarryTheErrorOfTheirCause)
{
    const std::size_t from = Mark();
    EXPECT_EQ(ErrorOf(1039, InOut(11, '1', 100.0, "000000")), 94) << "wrong money password";
    EXPECT_EQ(ErrorOf(1039, InOut(11, '1', 100.0, "666666", "999999")), 92) << "wrong bank password";
    EXPECT_EQ(ErrorOf(1039, InOut(11, '2', 1e9)), 55) << "more than the withdrawable money";
    EXPECT_EQ(ErrorOf(1039, InOut(11, '1', -5.0)), 53) << "amount not positive";
    EXPECT_EQ(ErrorOf(1039, InOut(11, '3', 100.0)), 52) << "neither in nor out";
    EXPECT_EQ(ErrorOf(1039, InOut(13, '1', 100.0)), 140) << "no pay port for the USD account";
    EXPECT_EQ(ErrorOf(1039, InOut(21, '1', 100.0)), 23) << "another user's account";
    EXPECT_TRUE(Quiet(1040, from)) << "a refused request moves no money";
}

TEST_F(MoneySim, TransferMovesMoneyBetweenAccountsOfOneCurrency)
{
    const double from11 = Account(11)["marginRemain"];
    const double from12 = Account(12)["marginRemain"];
    const std::size_t from = Mark();
    const int id = NextId();
    sFFixMoveMoney req{};
    req.fromAccountKey = 11;
    req.toAccountKey = 12;
    req.amount = 250.0;
    SetFixedText(req.password, "666666");
    ASSERT_GT(api->ReqMoveMoney(&req, id), 0);
    EXPECT_EQ(ErrorOf(1111, id), 0);
    EXPECT_EQ(Answer(1111, id).As<sFFixMoveMoney>().toAccountKey, 12) << "the request is echoed";
    auto money = rec.log.WaitFor(
        [](const Event& e) { return e.code == 1016 && e.As<sFFixMoney>().accountKey == 12; }, from);
    ASSERT_TRUE(money);
    EXPECT_DOUBLE_EQ(money->As<sFFixMoney>().marginRemain, from12 + 250.0);
    EXPECT_DOUBLE_EQ(Account(11)["marginRemain"].get<double>(), from11 - 250.0);

    const int refused = NextId();
    req.toAccountKey = 13;
    ASSERT_GT(api->ReqMoveMoney(&req, refused), 0);
    EXPECT_EQ(ErrorOf(1111, refused), 134) << "CNY to USD";
}

TEST_F(MoneySim, MainAccountChangePushesTheStateOfBothAccounts)
{
    const std::size_t from = Mark();
    const int id = NextId();
    sFFixMasterAccount req{1001, 12, 2};
    ASSERT_GT(api->ReqMasterAccount(&req, id), 0);
    EXPECT_EQ(ErrorOf(1109, id), 0);
    std::map<int, char> states;
    for(int i = 0; i < 2; ++i) {
        auto push = rec.log.WaitFor(
            [&](const Event& e) { return e.code == 1114 && !states.count(e.As<sFFixAccount>().accountKey); },
            from);
        ASSERT_TRUE(push);
        states[push->As<sFFixAccount>().accountKey] = push->As<sFFixAccount>().accountState;
    }
    EXPECT_EQ(states[12], '1');
    EXPECT_EQ(states[11], '2');

    const int refused = NextId();
    sFFixMasterAccount wrongMarket{1001, 12, 3};
    ASSERT_GT(api->ReqMasterAccount(&wrongMarket, refused), 0);
    EXPECT_EQ(ErrorOf(1109, refused), 23);
}

TEST_F(MoneySim, SuretyMoneyIsSetOnlyOnSuretyAccounts)
{
    const std::size_t from = Mark();
    const int id = NextId();
    sFFixSetSuretyMoney req{};
    req.accountKey = 14;
    req.amount = 6000.0;
    SetFixedText(req.password, "666666");
    ASSERT_GT(api->ReqSetSuretyMoney(&req, id), 0);
    EXPECT_EQ(ErrorOf(1122, id), 0);
    EXPECT_DOUBLE_EQ(Wait(1016, from).As<sFFixMoney>().suretyMoney, 6000.0);

    // A net value of 20000 covers at most 16666.66 above the 0.2 line.
    for(const auto& [amount, error] : {std::pair{16666.67, 141}, {99999999.0, 141}, {16666.66, 0}}) {
        req.amount = amount;
        const int next = NextId();
        ASSERT_GT(api->ReqSetSuretyMoney(&req, next), 0);
        EXPECT_EQ(ErrorOf(1122, next), error) << amount;
    }

    const int refused = NextId();
    req.accountKey = 11;
    ASSERT_GT(api->ReqSetSuretyMoney(&req, refused), 0);
    EXPECT_EQ(ErrorOf(1122, refused), 150);
}

TEST_F(MoneySim, ChangedPasswordsAreTheOnesTheMarketChecksAfterwards)
{
    sFFixModifyPassword money{};
    money.userId = 1001;
    money.kind = '2';
    SetFixedText(money.oldPassword, "666666");
    SetFixedText(money.newPassword, "777777");
    const int id = NextId();
    ASSERT_GT(api->ReqModifyPassword(&money, id), 0);
    EXPECT_EQ(ErrorOf(1072, id), 0);
    EXPECT_EQ(ErrorOf(1039, InOut(11, '1', 100.0, "666666")), 94);
    EXPECT_EQ(ErrorOf(1039, InOut(11, '1', 100.0, "777777")), 0);

    sFFixModifyPassword login{};
    login.userId = 1001;
    login.kind = '1';
    SetFixedText(login.oldPassword, "wrong");
    SetFixedText(login.newPassword, "newpass1");
    const int refused = NextId();
    ASSERT_GT(api->ReqModifyPassword(&login, refused), 0);
    EXPECT_EQ(ErrorOf(1072, refused), 21);
    SetFixedText(login.oldPassword, "demo123");
    const int changed = NextId();
    ASSERT_GT(api->ReqModifyPassword(&login, changed), 0);
    EXPECT_EQ(ErrorOf(1072, changed), 0);

    // A second connection logs in with the new password only.
    FullTradeRecorder other;
    std::unique_ptr<CTradeApi, Releaser> second(lib.NewTrade(other));
    second->Connect(sim.TradeAddress(1).c_str());
    ASSERT_TRUE(other.log.WaitCode(100));
    sFFixReqUserLogin req{};
    SetFixedText(req.loginName, "demo");
    SetFixedText(req.password, "demo123");
    ASSERT_GT(second->ReqUserLogin(&req, 1), 0);
    auto old = other.log.WaitCode(10002);
    ASSERT_TRUE(old);
    EXPECT_EQ(old->info.errorId, 21);
    const std::size_t from = other.log.Size();
    SetFixedText(req.password, "newpass1");
    ASSERT_GT(second->ReqUserLogin(&req, 1), 0);
    auto fresh = other.log.WaitCode(10002, from);
    ASSERT_TRUE(fresh);
    EXPECT_EQ(fresh->info.errorId, 0);
}

TEST_F(MoneySim, ExchangeRateChangeIsPushedAndAnsweredAfterwards)
{
    const std::size_t from = Mark();
    ASSERT_EQ(sim.Post("/admin/rate?from=USD&to=CNY&rate=7.25"), 200);
    const auto push = Wait(1034, from).As<sFFixCurrencyExchangeRate>();
    EXPECT_EQ(FixedText(push.fromCurrency), "USD");
    EXPECT_EQ(FixedText(push.toCurrency), "CNY");
    EXPECT_DOUBLE_EQ(push.rate, 7.25);

    const int id = NextId();
    ASSERT_GT(api->ReqQryCurrencyExchangeRate("USD", "CNY", id), 0);
    const auto rows = Rows(1033, id);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_DOUBLE_EQ(rows[0].As<sFFixCurrencyExchangeRate>().rate, 7.25);
    EXPECT_EQ(sim.Post("/admin/rate?from=USD&to=CNY&rate=0"), 400);
}
