// The bulletin manager against loopback bulletin servers, with a console
// event loop: what a poll asks, how answers merge, the timer's waits and the
// move to the next server, the mark-read, and finding a bulletin by the
// output window's hash.
#include "history/HistoryNoticeMgr.h"

#include "BulletinStubServer.h"
#include "ConsoleEventLoop.h"
#include "FileEnvironment.h"
#include "NoticeFixtures.h"
#include "TestSocket.h"

#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <pelmora/OutputWindow.h>

using namespace std::chrono_literals;

namespace {

NoticeEnvironment* const g_environment = AddFileEnvironment<NoticeEnvironment>(__FILE__);

class NoticeMgrTest : public ::testing::Test
{
protected:
    NoticeMgrTest()
    {
        auto fake = std::make_unique<FakeSession>();
        session = fake.get();
        session->account.userId = 1001;
        session->account.dealerId = 7;
        session->account.organisationId = 8;
        session->account.exchangeId = 9;
        session->account.marketId = 3;
        session->servers.Add(bulletins.Base());
        manager = std::make_unique<HistoryNoticeMgr>(std::move(fake));
        manager->Bind(wxEVT_CMD_NOTICES_UPDATED,
                      [this](wxCommandEvent& event) { updates.push_back(event.GetInt()); });
    }

    // One poll now, through the timer, answered with `answer`.
    ::testing::AssertionResult Poll(const std::string& answer)
    {
        bulletins.SetPollAnswer(answer);
        const size_t before = bulletins.RequestCount();
        manager->GetTimer().StartOnce(1);
        if(!loop.RunUntil([&] { return bulletins.RequestCount() > before && !manager->IsPolling(); })) {
            return ::testing::AssertionFailure() << "the poll was not answered";
        }
        return ::testing::AssertionSuccess();
    }
    std::vector<std::string> Titles() const
    {
        std::vector<std::string> titles;
        for(size_t i = 0; i < manager->GetCount(); ++i) {
            titles.push_back(manager->GetNotice(i)->title.utf8_string());
        }
        return titles;
    }
    std::vector<bool> ReadFlags() const
    {
        std::vector<bool> flags;
        for(size_t i = 0; i < manager->GetCount(); ++i) {
            flags.push_back(manager->GetNotice(i)->is_read);
        }
        return flags;
    }

    BulletinStubServer bulletins;
    ConsoleEventLoop loop;
    FakeSession* session = nullptr; // owned by the manager
    std::unique_ptr<HistoryNoticeMgr> manager;
    std::vector<int> updates;
};

using Texts = std::vector<std::string>;

} // namespace

TEST(NoticeServerHost, SchemeAndSlashesAreCutOffTheEntry)
{
    const struct
    {
        const char* entry;
        const char* host;
    } cases[] = {
        {"http://127.0.0.1:8080", "127.0.0.1:8080"},
        {"https://bulletins.example:443", "bulletins.example:443"},
        {"127.0.0.1:8080", "127.0.0.1:8080"},
    };
    for(const auto& c : cases) {
        EXPECT_EQ(HistoryNoticeMgr::ServerHost(c.entry), c.host) << c.entry;
    }
}

TEST_F(NoticeMgrTest, TheFirstPollWaitsThreeSecondsAndAsksWithoutCurtime)
{
    EXPECT_TRUE(manager->GetTimer().IsRunning());
    EXPECT_TRUE(manager->GetTimer().IsOneShot());
    EXPECT_EQ(manager->GetTimer().GetInterval(), HistoryNoticeMgr::kStartDelayMs);

    ASSERT_TRUE(Poll(List({Item("A", "2026-12-01 09:00:00"), Item("B", "2026-12-05 18:00:00")})));
    const auto first = bulletins.Requests().at(0);
    EXPECT_EQ(first.method, "GET");
    // The entry "http://127.0.0.1:PORT" reached the server: the scheme was cut.
    EXPECT_EQ(first.target,
              "/bulletin/trader?exchangeid=9&dealerid=7&orgid=8&userid=1001&msg_count=20&tradeMarketId=3");
    // The next poll follows after the poll interval (the setting's default, 30 s).
    EXPECT_TRUE(manager->GetTimer().IsRunning());
    EXPECT_TRUE(manager->GetTimer().IsOneShot());
    EXPECT_EQ(manager->GetTimer().GetInterval(), 30000);

    ASSERT_TRUE(Poll("[]"));
    EXPECT_EQ(bulletins.Requests().at(1).target,
              "/bulletin/trader?exchangeid=9&dealerid=7&orgid=8&userid=1001&msg_count=20&tradeMarketId=3"
              "&curtime=2026-12-05%2018:00:00")
        << "the newest date, that second included, the blank escaped";
}

TEST_F(NoticeMgrTest, AnswersMergeWithoutDuplicatesNewestFirstAndOnlyTheFirstUpdateIsFlagged)
{
    const struct
    {
        std::string answer;
        Texts titles;
        std::vector<int> updates;
    } polls[] = {
        {"[]", {}, {}}, // brought nothing: no update, the flag stays
        {List({Item("A", "2026-12-01 09:00:00"), Item("B", "2026-12-05 18:00:00")}), {"B", "A"}, {1}},
        // A again (same title and date) is not added; A on another date is.
        {List({Item("A", "2026-12-01 09:00:00"), Item("A", "2026-12-03 10:00:00")}), {"B", "A", "A"}, {1, 0}},
        {"not json", {"B", "A", "A"}, {1, 0}},
        {R"({"title":"an object, not a list"})", {"B", "A", "A"}, {1, 0}},
        // Undated bulletins go after the dated ones; a stray value is no bulletin.
        {List({Item("U", "no date"), "42", Item("C", "2026-12-06 07:00:00", "text", false, 7)}),
         {"C", "B", "A", "A", "U"},
         {1, 0, 0}},
        {List({Item("U", "no date")}), {"C", "B", "A", "A", "U"}, {1, 0, 0}}, // only held ones: no update
    };
    int round = 0;
    for(const auto& poll : polls) {
        SCOPED_TRACE("poll " + std::to_string(++round));
        ASSERT_TRUE(Poll(poll.answer));
        EXPECT_EQ(Titles(), poll.titles);
        EXPECT_EQ(updates, poll.updates);
    }
    EXPECT_EQ(manager->GetNotice(2)->FormatDate().utf8_string(), "2026-12-03 10:00:00");
    EXPECT_EQ(manager->GetNotice(3)->FormatDate().utf8_string(), "2026-12-01 09:00:00");
    EXPECT_EQ(manager->GetNotice(4)->FormatDate().utf8_string(), "") << "undated";
    EXPECT_EQ(manager->GetNotice(0)->bulletinId, 7);
    EXPECT_EQ(manager->GetNotice(0)->from, "exchange");
}

TEST_F(NoticeMgrTest, AFutureDatedAndASameSecondBulletinDoNotHideLaterOnes)
{
    session->marketTime = wxDateTime(8, wxDateTime::Dec, 2026, 10, 0, 0);
    const std::string future = Item("Future", "2099-01-01 00:00:00", "text", false, 90);
    ASSERT_TRUE(Poll(List({future, Item("A", "2026-12-08 09:00:00", "text", false, 1)})));
    EXPECT_EQ(Titles(), (Texts{"Future", "A"}));

    // Asked from A, the newest the market's clock has reached, its second
    // included: the one dated 2099 does not move the start.
    ASSERT_TRUE(Poll(List({future, Item("A", "2026-12-08 09:00:00", "text", false, 1),
                           Item("B", "2026-12-08 09:00:00", "text", false, 2)})));
    EXPECT_TRUE(bulletins.Requests().back().target.find("&curtime=2026-12-08%2009:00:00") !=
                std::string::npos)
        << bulletins.Requests().back().target;
    EXPECT_EQ(Titles(), (Texts{"Future", "A", "B"})) << "B shares A's second; those held are not added again";

    // Later bulletins keep coming, also one of the same title and second
    // under a new id, and one the market edited keeps its place.
    session->marketTime = wxDateTime(8, wxDateTime::Dec, 2026, 11, 0, 0);
    ASSERT_TRUE(Poll(List({future, Item("C", "2026-12-08 10:30:00", "text", false, 3),
                           Item("C", "2026-12-08 10:30:00", "again", false, 4),
                           Item("B (edited)", "2026-12-08 09:00:00", "text", false, 2)})));
    EXPECT_TRUE(bulletins.Requests().back().target.find("&curtime=2026-12-08%2009:00:00") !=
                std::string::npos)
        << bulletins.Requests().back().target;
    EXPECT_EQ(Titles(), (Texts{"Future", "C", "C", "A", "B"}));
    ASSERT_TRUE(Poll("[]"));
    EXPECT_TRUE(bulletins.Requests().back().target.find("&curtime=2026-12-08%2010:30:00") !=
                std::string::npos)
        << bulletins.Requests().back().target;
}

TEST_F(NoticeMgrTest, AFailedPollWaitsFiveSecondsAndAsksTheNextServer)
{
    TestSocket refusing(false);
    session->servers.Insert(refusing.Base(), 0);
    manager->GetTimer().StartOnce(1);
    ASSERT_TRUE(loop.RunUntil([&] { return manager->GetServerCounter() == 1; }));
    EXPECT_FALSE(manager->IsPolling());
    EXPECT_TRUE(manager->GetTimer().IsRunning());
    EXPECT_TRUE(manager->GetTimer().IsOneShot());
    EXPECT_EQ(manager->GetTimer().GetInterval(), HistoryNoticeMgr::kFailureDelayMs);
    EXPECT_EQ(bulletins.RequestCount(), 0u);
    // Failing again in a row, it waits twice as long.
    session->servers.Insert(refusing.Base(), 1);
    manager->GetTimer().StartOnce(1);
    ASSERT_TRUE(loop.RunUntil([&] { return manager->GetServerCounter() == 2; }));
    EXPECT_EQ(manager->GetTimer().GetInterval(), 2 * HistoryNoticeMgr::kFailureDelayMs);

    ASSERT_TRUE(Poll(List({Item("A", "2026-12-01 09:00:00")})));
    EXPECT_EQ(bulletins.RequestCount(), 1u) << "the third server got the next poll";
    EXPECT_EQ(Titles(), Texts{"A"});
}

TEST_F(NoticeMgrTest, WithoutAccountOrServerTheTimerRetriesEveryThreeSeconds)
{
    const struct
    {
        const char* what;
        bool hasAccount;
        bool hasServer;
    } cases[] = {{"no account", false, true}, {"no server", true, false}, {"neither", false, false}};
    const wxArrayString servers = session->servers;
    for(const auto& c : cases) {
        SCOPED_TRACE(c.what);
        session->hasAccount = c.hasAccount;
        session->servers = c.hasServer ? servers : wxArrayString();
        EXPECT_FALSE(manager->RequestNotices());
        manager->GetTimer().StartOnce(1);
        ASSERT_TRUE(loop.RunUntil(
            [&] { return manager->GetTimer().GetInterval() == HistoryNoticeMgr::kRetryDelayMs; }));
        EXPECT_TRUE(manager->GetTimer().IsRunning());
        EXPECT_FALSE(manager->IsPolling());
    }
    EXPECT_EQ(bulletins.RequestCount(), 0u);
    session->hasAccount = true;
    session->servers = servers;
    ASSERT_TRUE(Poll("[]")) << "polls once the login is complete";
}

TEST_F(NoticeMgrTest, MarkReadMarksThatBulletinAndOlderOnesOnlyWhenTheServerSaysTrue)
{
    ASSERT_TRUE(Poll(List({Item("C", "2026-12-07 08:30:00"), Item("B", "2026-12-05 18:00:00"),
                           Item("A", "2026-12-01 09:00:00"), Item("Z", "2026-11-20 12:00:00")})));
    const size_t polls = bulletins.RequestCount();

    bulletins.SetMarkReadReply("FALSE");
    manager->MarkNoticeReaded(2);
    EXPECT_EQ(ReadFlags(), (std::vector<bool>{false, false, false, false}));

    bulletins.SetMarkReadReply("TRUE");
    manager->MarkNoticeReaded(2);
    EXPECT_EQ(ReadFlags(), (std::vector<bool>{false, false, true, true}));
    const auto requests = bulletins.Requests();
    ASSERT_EQ(requests.size(), polls + 2);
    EXPECT_EQ(requests.back().method, "POST");
    EXPECT_EQ(requests.back().target, "/bulletin/trader?");
    EXPECT_EQ(requests.back().body, "userid=1001&last_time=2026-12-01 09:00:00");

    // Nothing is sent for a bulletin already read, past the end or without an account.
    manager->MarkNoticeReaded(3);
    manager->MarkNoticeReaded(4);
    manager->MarkNoticeReaded(-1);
    session->hasAccount = false;
    manager->MarkNoticeReaded(0);
    session->hasAccount = true;
    EXPECT_EQ(bulletins.RequestCount(), polls + 2);

    // A reply later than 3 s is no reply.
    bulletins.SetMarkReadReply("true", true);
    const auto start = std::chrono::steady_clock::now();
    manager->MarkNoticeReaded(0);
    const auto waited = std::chrono::steady_clock::now() - start;
    bulletins.Release();
    EXPECT_GE(waited, 2900ms);
    EXPECT_LT(waited, 6s);
    EXPECT_EQ(ReadFlags(), (std::vector<bool>{false, false, true, true}));

    bulletins.SetMarkReadReply("true");
    manager->MarkNoticeReaded(0);
    EXPECT_EQ(ReadFlags(), (std::vector<bool>{true, true, true, true}));
}

TEST_F(NoticeMgrTest, AMultiByteCharacterSplitAcrossTwoWritesArrivesWhole)
{
    const std::string answer = List({Item("公告", "2026-12-01 09:00:00", "第一行\\n第二行")});
    // The cut falls inside the three bytes of the first character.
    bulletins.SetPollAnswer(answer, answer.find("公告") + 1);
    manager->GetTimer().StartOnce(1);
    ASSERT_TRUE(loop.RunUntil([&] { return manager->GetCount() == 1; }));
    EXPECT_EQ(manager->GetNotice(0)->title, wxString::FromUTF8("公告"));
    EXPECT_EQ(manager->GetNotice(0)->content, wxString::FromUTF8("第一行\n第二行"));
}

TEST_F(NoticeMgrTest, ABulletinIsFoundByItsContentHashAlsoAboveTwoToThe31)
{
    EXPECT_EQ(manager->FindNoticeByHash(OutputWindow::ContentHash("text")), -1) << "no bulletins yet";

    // A content whose hash has the top bit set: its event id is negative.
    std::string high;
    for(int n = 0; high.empty(); ++n) {
        const std::string content = "bulletin " + std::to_string(n);
        if(OutputWindow::ContentHash(content) >= 0x80000000u) {
            high = content;
        }
    }
    ASSERT_TRUE(
        Poll(List({Item("low", "2026-12-07 08:30:00", "plain"), Item("high", "2026-12-01 09:00:00", high)})));
    const int eventId = static_cast<int>(OutputWindow::ContentHash(high));
    ASSERT_LT(eventId, 0);
    EXPECT_EQ(manager->FindNoticeByHash(static_cast<wxUint32>(eventId)), 1);
    EXPECT_EQ(manager->FindNoticeByHash(OutputWindow::ContentHash("plain")), 0);
    EXPECT_EQ(manager->FindNoticeByHash(OutputWindow::ContentHash("no such content")), -1);
}
