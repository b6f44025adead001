// The server's risk notices as output-window messages.
#include "panes/RiskNoticeMgr.h"

#include "PaneTestStore.h"

#include <memory>

namespace {

const wxString kAppendText =
    "honorable client:your account risk-level is %s,please add deposit or reduce some orders,in order to "
    "make up usable cash. System will force to transfer the possession of your owned orders if your "
    "account's risk-level keep increasing.please draw your attention to it!";
const wxString kForceText = "honorable client:your account %s at %s risk-level run up to %s so system has "
                            "already forced transfering your owned orders.please be aware of it!";

class RiskNotices : public ::testing::Test
{
protected:
    RiskNotices()
        : manager(std::make_unique<RiskNoticeMgr>(&data.store,
                                                  [this](const wxString& title, const wxString& text) {
                                                      written.push_back(title + "\n" + text);
                                                  }))
    {
        data.AddAccount(11, '1', "M1");
        user_Account stranger = data.MakeAccount(12, '1', "M2");
        stranger.userId = 4242; // no login record
        data.AddAccount(stranger);
    }

    risk_notice Notice(int account, char kind, char riskKind, double rate, bool show = true) const
    {
        risk_notice notice;
        notice.accountKey = account;
        notice.noticeKind = kind;
        notice.riskKind = riskKind;
        notice.riskRate = rate;
        notice.noticeTime = wxDateTime(4, wxDateTime::May, 2016, 13, 20, 0);
        notice.isNew = show ? 1 : 0;
        return notice;
    }

    PaneTestStore data;
    std::vector<wxString> written;
    std::unique_ptr<RiskNoticeMgr> manager;
};

} // namespace

TEST_F(RiskNotices, AppendDepositNamesTheMarketAndTheRisk)
{
    data.store.m_risk_notice_table->Upsert(Notice(11, '2', '1', 0.8532));
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0], "notice of append deposit:[M1]\n" + wxString::Format(kAppendText, "85.32% (M/N)"));
}

TEST_F(RiskNotices, ForcedTransferNamesTheUserTheTimeAndTheRiskInOrder)
{
    data.store.m_risk_notice_table->Upsert(Notice(11, '3', '2', 0.5));
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0], "notice of force transfe:[M1]\n" +
                              wxString::Format(kForceText, "demo", "2016-05-04 13:20:00", "50.00% (N/M)"));
}

TEST_F(RiskNotices, WrittenOnEveryInsertAndUpdateThatShows)
{
    const struct
    {
        const char* name;
        risk_notice notice;
        bool writes;
    } cases[] = {
        {"shown", Notice(11, '2', '1', 0.9), true},
        {"show flag clear", Notice(11, '2', '1', 0.9, false), false},
        {"kind 1", Notice(11, '1', '1', 0.9), false},
        {"kind 4", Notice(11, '4', '1', 0.9), false},
        {"unknown account", Notice(99, '2', '1', 0.9), false},
        {"account without login", Notice(12, '2', '1', 0.9), false},
    };
    int minute = 0;
    for(const auto& c : cases) {
        written.clear();
        risk_notice notice = c.notice;
        notice.noticeTime.SetMinute(++minute); // each one a new notice
        ASSERT_TRUE(data.store.m_risk_notice_table->Upsert(notice)) << c.name;
        EXPECT_EQ(written.size(), c.writes ? 1u : 0u) << c.name;
    }

    // The same notice sent again updates the record and is written again.
    written.clear();
    risk_notice again = Notice(11, '2', '1', 0.9);
    again.noticeTime.SetMinute(1);
    again.carriedDouble1 = 3;
    ASSERT_TRUE(data.store.m_risk_notice_table->Upsert(again));
    EXPECT_EQ(written.size(), 1u);
}

TEST_F(RiskNotices, NothingIsWrittenOnceTheManagerIsGone)
{
    manager.reset();
    data.store.m_risk_notice_table->Upsert(Notice(11, '2', '1', 0.9));
    EXPECT_TRUE(written.empty());
}
