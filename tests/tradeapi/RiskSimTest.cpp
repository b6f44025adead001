// Risk lines: notices when an account crosses its warning line, repeated
// while it stays there, and the forced close past its force line, against
// simmarketd through libClientApi.so.
#include "MarketFamilyTest.h"

using tradeapi::FixedText;

namespace {

class RiskSim : public MarketFamilyTest
{
protected:
    int Move(int account, const std::string& line)
    {
        return sim.Post("/admin/risk?account=" + std::to_string(account) + "&line=" + line);
    }
};

} // namespace

TEST_F(RiskSim, CrossingTheWarningLinePushesANewNoticeRepeatedWhileTheAccountStaysThere)
{
    const std::size_t from = Mark();
    ASSERT_EQ(Move(11, "warning"), 200);
    const auto notice = Wait(1047, from).As<sFFixRiskInfo>();
    EXPECT_EQ(notice.accountKey, 11);
    EXPECT_EQ(notice.riskCode1, '2') << "add deposit";
    EXPECT_EQ(notice.riskCode2, '1');
    EXPECT_GT(notice.value1, 0.8);
    EXPECT_LT(notice.value1, 0.95);
    EXPECT_DOUBLE_EQ(notice.value2, 0.8);
    EXPECT_DOUBLE_EQ(notice.value3, 0.95);
    EXPECT_EQ(FixedText(notice.noticeTime).size(), 6u);
    EXPECT_TRUE(Quiet(1048, from)) << "no repeat before its time";

    const std::size_t later = Mark();
    SetClock(61000);
    const auto repeated = Wait(1048, later).As<sFFixRiskInfo>();
    EXPECT_EQ(repeated.accountKey, 11);
    EXPECT_EQ(repeated.riskCode1, '2');
    EXPECT_TRUE(Quiet(1047, later)) << "staying past the line is no new crossing";

    ASSERT_EQ(Move(11, "normal"), 200);
    const std::size_t back = Mark();
    SetClock(122000);
    EXPECT_TRUE(Quiet(1048, back));
}

TEST_F(RiskSim, CrossingTheForceLineClosesEveryHoldBillByForceAndSaysSo)
{
    const std::size_t from = Mark();
    ASSERT_EQ(Move(11, "force"), 200);
    const auto bill = Wait(1021, from).As<sFFixCloseBill>();
    EXPECT_EQ(bill.closeType, '9');
    EXPECT_EQ(FixedText(bill.orderCodeRe), "H0001");
    auto gone = rec.log.WaitFor(
        [](const Event& e) { return e.code == 1018 && e.As<sFFixHoldDetail>().quantity == 0; }, from);
    ASSERT_TRUE(gone);
    EXPECT_EQ(FixedText(gone->As<sFFixHoldDetail>().orderCode), "H0001");
    EXPECT_EQ(Wait(1010, from).As<sFFixTrade>().orderType, '8');
    const auto notice = Wait(1047, from).As<sFFixRiskInfo>();
    EXPECT_EQ(notice.riskCode1, '3') << "forced transfer";
    EXPECT_GE(notice.value1, 0.95);
    EXPECT_DOUBLE_EQ(Account(11)["marginUsed"].get<double>(), 0.0);
}

TEST_F(RiskSim, ForNetOverUsedAndSuretyKindsALowerRateIsWorse)
{
    const std::size_t from = Mark();
    ASSERT_EQ(Move(13, "warning"), 200);
    const auto netOverUsed = Wait(1047, from).As<sFFixRiskInfo>();
    EXPECT_EQ(netOverUsed.riskCode2, '2');
    EXPECT_LT(netOverUsed.value1, 1.5);
    EXPECT_GT(netOverUsed.value1, 1.1);

    const std::size_t surety = Mark();
    ASSERT_EQ(Move(14, "warning"), 200);
    const auto notice = Wait(1047, surety).As<sFFixRiskInfo>();
    EXPECT_EQ(notice.accountKey, 14);
    EXPECT_EQ(notice.riskCode2, '3');
    EXPECT_LT(notice.value1, 0.5);
    EXPECT_GT(notice.value1, 0.2);
}

TEST_F(RiskSim, AccountsWithoutMarginOrLinesCannotBeMovedAcross)
{
    EXPECT_EQ(Move(12, "warning"), 400) << "no margin in use";
    EXPECT_EQ(Move(21, "warning"), 400) << "no risk lines";
    EXPECT_EQ(Move(11, "sideways"), 400);
    EXPECT_EQ(Move(999, "warning"), 400);
}

TEST_F(RiskSim, AccountThatStaysPastTheForceLineWithNothingToCloseIsToldOnce)
{
    const std::size_t from = Mark();
    ASSERT_EQ(Move(14, "force"), 200);
    auto first = Wait(1047, from);
    EXPECT_EQ(first.As<sFFixRiskInfo>().riskCode1, '3');
    const auto events = rec.log.Snapshot();
    std::size_t after = from;
    while(after < events.size() && events[after].code != 1047)
        ++after;
    EXPECT_TRUE(Quiet(1047, after + 1, 500));
}
