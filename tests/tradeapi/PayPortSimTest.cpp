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
        return Regist(sysPayPortId, bankPassword, moneyPassword, "6222020000009999");
    }
    int Regist(int sysPayPortId, const std::string& bankPassword, const std::string& moneyPassword,
               const std::string& card)
    {
        const int id = NextId();
        sFFixRegistPayPort req{};
        req.userId = 1001;
        req.identityType = '1';
        SetFixedText(req.identityNumber, "110101199001011234");
        SetFixedText(req.bankCardNumber, card);
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

    std::string BankUrl(const std::string& path) const
    {
        return "http://127.0.0.1:" + std::to_string(sim.HttpPort()) + path;
    }

    // The HTTP requests of the log on one route, oldest first.
    std::vector<nlohmann::json> Logged(const std::string& route)
    {
        std::vector<nlohmann::json> found;
        const nlohmann::json state = sim.State();
        for(const auto& entry : state["requests"])
            if(entry["kind"] == "http" && entry["route"] == route)
                found.push_back(entry);
        return found;
    }
};

} // namespace

TEST_F(PayPortSim, MarketPayPortsAndTheUsersRegistrationAreListed)
{
    const int id = NextId();
    sFFixUserId user{1001};
    ASSERT_GT(api->ReqQrySysPayPortInfo(&user, id), 0);
    const auto rows = Rows(1075, id);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(FixedText(rows[0].As<sFFixSysPayPortInfo>().payPortCode), "Ostrel");
    EXPECT_EQ(rows[0].As<sFFixSysPayPortInfo>().bankPasswordFlag, '1');
    EXPECT_EQ(rows[1].As<sFFixSysPayPortInfo>().bankPasswordFlag, '0');
    // A second CNY pay port on another channel, completed later by the bank.
    const auto later = rows[2].As<sFFixSysPayPortInfo>();
    EXPECT_EQ(FixedText(later.currency), "CNY");
    EXPECT_NE(FixedText(later.channelName), FixedText(rows[0].As<sFFixSysPayPortInfo>().channelName));
    EXPECT_EQ(later.bankPasswordFlag, '0');
    EXPECT_EQ(later.completeFlag, '1');
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
    EXPECT_EQ(FixedText(page.url), BankUrl("/bank/sign?qianyue=1&payport=2&acc=13"));
    EXPECT_EQ(UserPorts(), (std::vector<int>{1, 2}));
    const std::size_t depositFrom = Mark();
    EXPECT_EQ(Deposit(13, ""), 0);
    const std::string deposit = FixedText(Wait(1076, depositFrom).As<sFFixBankInUrl>().url);
    EXPECT_EQ(deposit.rfind(BankUrl("/bank/deposit?inOutId="), 0), 0u) << deposit;
    EXPECT_NE(deposit.find("&amount=100.00&payport=2"), std::string::npos) << deposit;
}

TEST_F(PayPortSim, BankPagesAreServedOnTheMarketsPortAndLogged)
{
    struct Case
    {
        std::string path;
        int status;
        bool signControl; // the object and the script of the signing control
        std::string title;
    };
    const Case cases[] = {
        {"/bank/sign?qianyue=1&payport=1&acc=11", 200, true, "奥斯特银行 signing"},
        {"/bank/sign?qianyue=0&payport=1&acc=11", 200, true, "奥斯特银行 cancellation"},
        {"/bank/sign?qianyue=1&payport=2&acc=13", 200, false, "Bankfor Bank signing"},
        {"/bank/deposit?inOutId=7&amount=300.00", 200, false, "Deposit 7"},
        {"/bank/deposit?inOutId=7&amount=300.00&payport=1", 200, true, "Deposit 7"},
        {"/bank/deposit?inOutId=7&amount=300.00&payport=2", 200, false, "Deposit 7"},
        {"/bank/deposit?inOutId=7&amount=1&payport=99", 404, false, ""},
        {"/bank/sign?qianyue=1&payport=99&acc=11", 404, false, ""},
        {"/bank/sign?qianyue=2&payport=1", 400, false, ""},
        {"/bank/deposit?amount=1", 400, false, ""},
    };
    for(const Case& c : cases) {
        std::string body;
        EXPECT_EQ(sim.Get(c.path, &body), c.status) << c.path;
        EXPECT_EQ(body.find("classid='clsid:62B938C4-4190-4F37-8CF0-A92B0A91CC77'") != std::string::npos,
                  c.signControl)
            << c.path;
        EXPECT_EQ(body.find("'Signing control ready' : 'Signing control missing'") != std::string::npos,
                  c.signControl)
            << c.path;
        if(!c.title.empty()) {
            EXPECT_NE(body.find("<title>" + c.title + "</title>"), std::string::npos) << c.path << body;
        }
    }
    const auto signs = Logged("/bank/sign");
    ASSERT_EQ(signs.size(), 5u);
    EXPECT_EQ(signs[0]["query"], "qianyue=1&payport=1&acc=11");
    EXPECT_EQ(signs[3]["status"], 404);
    EXPECT_EQ(Logged("/bank/deposit").size(), 5u);
}

TEST_F(PayPortSim, RegistrationAtABankThatCompletesLaterStaysOpenAndMayBeRepeated)
{
    for(const char* card : {"6222020000003333", "6222020000004444"}) {
        const std::size_t from = Mark();
        EXPECT_EQ(Regist(3, "", "666666", card), 0) << card;
        const auto pushed = Wait(1070, from).As<sFFixPayPortInfo>();
        EXPECT_EQ(pushed.sysPayPortId, 3);
        EXPECT_EQ(pushed.registState, '1') << "not registered until the bank completes it";
        EXPECT_EQ(FixedText(pushed.bankCardNumber), card);
        EXPECT_EQ(FixedText(Wait(1076, from).As<sFFixBankInUrl>().url),
                  BankUrl("/bank/sign?qianyue=1&payport=3&acc=11"));
    }
    EXPECT_EQ(UserPorts(), (std::vector<int>{1, 3})) << "the repeated registration replaces the first";
    nlohmann::json listed;
    const nlohmann::json state = sim.State();
    for(const auto& registration : state["payPortRegistrations"])
        if(registration["sysPayPortId"] == 3)
            listed = registration;
    EXPECT_EQ(listed["registState"], "1");
    EXPECT_EQ(listed["bankCard"], "6222020000004444");
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
