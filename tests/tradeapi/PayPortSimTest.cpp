// Pay ports of the market and of the user, registration and its cancellation
// with masked bank passwords, against simmarketd through libClientApi.so.
#include "MarketFamilyTest.h"

using tradeapi::FixedText;
using tradeapi::SetFixedText;

namespace {

class PayPortSim : public MarketFamilyTest
{
protected:
    int Regist(int sysPayPortId, const std::string& bankPassword, const std::string& moneyPassword = "666666")
    {
        const int id = NextId();
        sFFixRegistPayPort req{};
        req.userId = 1001;
        req.identityType = '1';
        SetFixedText(req.identityNumber, "110101199001011234");
        SetFixedText(req.bankCardNumber, "6222020000009999");
        SetFixedText(req.accountName, "演示用户");
        req.sysPayPortId = sysPayPortId;
        SetFixedText(req.moneyPassword, moneyPassword);
        SetFixedText(req.bankPassword, Masked(bankPassword, id));
        EXPECT_GT(api->ReqRegistPayPort(&req, id), 0);
        return Answer(1067, id).info.errorId;
    }

    int UnRegist(int sysPayPortId, const std::string& bankPassword)
    {
        const int id = NextId();
        sFFixUnRegistPayPort req{};
        req.userId = 1001;
        req.sysPayPortId = sysPayPortId;
        SetFixedText(req.moneyPassword, "666666");
        SetFixedText(req.bankPassword, Masked(bankPassword, id));
        EXPECT_GT(api->ReqUnRegistPayPort(&req, id), 0);
        return Answer(1069, id).info.errorId;
    }

    std::vector<int> UserPorts()
    {
        const int id = NextId();
        sFFixUserId user{1001};
        EXPECT_GT(api->ReqQryPayPortInfo(&user, id), 0);
        std::vector<int> ports;
        for(const auto& row : Rows(1065, id))
            ports.push_back(row.As<sFFixPayPortInfo>().sysPayPortId);
        return ports;
    }

    int Deposit(int account, const std::string& bankPassword)
    {
        const int id = NextId();
        sFFixReqInOutMoney req{};
        req.accountKey = account;
        req.amount = 100.0;
        req.direction = '1';
        SetFixedText(req.moneyPassword, "666666");
        SetFixedText(req.bankPassword, Masked(bankPassword, id));
        EXPECT_GT(api->ReqInOutMoney(&req, id), 0);
        return Answer(1039, id).info.errorId;
    }
};

} // namespace

TEST_F(PayPortSim, MarketPayPortsAndTheUsersRegistrationAreListed)
{
    const int id = NextId();
    sFFixUserId user{1001};
    ASSERT_GT(api->ReqQrySysPayPortInfo(&user, id), 0);
    const auto rows = Rows(1075, id);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(FixedText(rows[0].As<sFFixSysPayPortInfo>().payPortCode), "Ostrel");
    EXPECT_EQ(rows[0].As<sFFixSysPayPortInfo>().bankPasswordFlag, '1');
    EXPECT_EQ(rows[1].As<sFFixSysPayPortInfo>().bankPasswordFlag, '0');
    EXPECT_EQ(UserPorts(), std::vector<int>{1});
}

TEST_F(PayPortSim, RegistrationIsPushedWithTheSigningPageAndOpensMoneyMovements)
{
    EXPECT_EQ(Deposit(13, ""), 140) << "USD account before registration";
    const std::size_t from = Mark();
    EXPECT_EQ(Regist(2, ""), 0);
    const auto pushed = Wait(1070, from).As<sFFixPayPortInfo>();
    EXPECT_EQ(pushed.sysPayPortId, 2);
    EXPECT_EQ(FixedText(pushed.bankCardNumber), "6222020000009999");
    const auto page = Wait(1076, from).As<sFFixBankInUrl>();
    EXPECT_EQ(page.sysPayPortId, 2);
    EXPECT_EQ(page.accountKey, 13) << "the first account in the pay port's currency";
    EXPECT_NE(FixedText(page.url).find("qianyue=1"), std::string::npos);
    EXPECT_EQ(UserPorts(), (std::vector<int>{1, 2}));
    EXPECT_EQ(Deposit(13, ""), 0);
}

TEST_F(PayPortSim, RegistrationRefusals)
{
    EXPECT_EQ(Regist(1, "135790"), 86) << "registered already";
    EXPECT_EQ(Regist(99, ""), 82) << "no such pay port";
    EXPECT_EQ(Regist(2, "", "000000"), 94) << "wrong money password";
    EXPECT_EQ(UserPorts(), std::vector<int>{1});
}

TEST_F(PayPortSim, CancellationChecksTheBankPasswordAndEndsMoneyMovements)
{
    EXPECT_EQ(UnRegist(2, ""), 85) << "not registered";
    EXPECT_EQ(UnRegist(1, "000000"), 92) << "wrong bank password";
    const std::size_t from = Mark();
    EXPECT_EQ(UnRegist(1, "135790"), 0);
    EXPECT_NE(FixedText(Wait(1076, from).As<sFFixBankInUrl>().url).find("qianyue=0"), std::string::npos);
    EXPECT_TRUE(UserPorts().empty());
    EXPECT_EQ(Deposit(11, "135790"), 140);
}
