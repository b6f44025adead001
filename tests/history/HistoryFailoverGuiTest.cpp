// The history frame's failover with real jobs of 5 s against loopback
// report servers that stay silent, answer nothing or answer.
#include "EventPump.h"
#include "ReportStubServer.h"
#include "TestReportPage.h"
#include "common/ServerInfo.h"

#include <gtest/gtest.h>
#include <memory>
#include <pelmora/JobQueueSingleton.h>
#include <wx/frame.h>

using namespace std::chrono_literals;
using Mode = ReportStubServer::Mode;

namespace {
class JobQueueRelease : public ::testing::Environment
{
public:
    void TearDown() override { JobQueueSingleton::Release(); }
};
::testing::Environment* const g_queueRelease = ::testing::AddGlobalTestEnvironment(new JobQueueRelease);

// A test page over report servers, with the random draws given.
class FailoverWindow
{
public:
    FailoverWindow(const std::vector<ReportStubServer*>& servers, std::vector<int> draws)
    {
        m_record.name = "Demo";
        for(const ReportStubServer* server : servers) {
            m_record.history.Add(server->Base());
        }
        m_frame = new wxFrame(nullptr, wxID_ANY, "failover");
        page = new TestReportPage(m_frame, "closebill", [](JSONElement& root) {
            root.addProperty("userId", "1001");
            return true;
        });
        auto next = std::make_shared<std::size_t>(0);
        page->SetServerSource([this] { return &m_record; },
                              [draws, next] { return draws[(*next)++ % draws.size()]; });
        m_frame->Show();
    }
    ~FailoverWindow()
    {
        m_frame->Destroy();
        PumpFor(20ms);
    }

    TestReportPage* page;

private:
    ServerInfo m_record;
    wxFrame* m_frame;
};

// Which of the servers got queries, as arrival order.
struct Arrivals
{
    std::vector<ReportStubServer*> servers;
    std::size_t Total() const
    {
        std::size_t total = 0;
        for(const ReportStubServer* server : servers) {
            total += server->QueryCount();
        }
        return total;
    }
};
} // namespace

TEST(HistoryFailover, ThreeSilentServersAreTriedInWrappedOrderThenTheQueryFailed)
{
    ReportStubServer first, second, third;
    for(ReportStubServer* server : {&first, &second, &third}) {
        server->SetMode(Mode::Silent);
    }
    FailoverWindow window({&first, &second, &third}, {1});
    Arrivals arrivals{{&first, &second, &third}};

    const auto start = std::chrono::steady_clock::now();
    window.page->Query();
    // 1 drawn: the second server, then the third, then the first, 5 s each.
    ASSERT_TRUE(PumpUntil([&] { return second.QueryCount() == 1; }));
    EXPECT_EQ(arrivals.Total(), 1u);
    ASSERT_TRUE(PumpUntil([&] { return third.QueryCount() == 1; }, 15s));
    EXPECT_EQ(arrivals.Total(), 2u);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 4500ms);
    EXPECT_TRUE(window.page->Message().StartsWith("Please wait ... [00:00:")) << window.page->Message();
    ASSERT_TRUE(PumpUntil([&] { return first.QueryCount() == 1; }, 15s));
    EXPECT_EQ(arrivals.Total(), 3u);

    ASSERT_TRUE(PumpUntil([&] { return !window.page->IsQueryRunning(); }, 15s));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 14500ms);
    EXPECT_EQ(window.page->Message(), "Query failed");
    EXPECT_TRUE(window.page->GetConditionPanel()->GetQueryButton()->IsEnabled());
    PumpFor(200ms);
    EXPECT_EQ(arrivals.Total(), 3u); // each server once
    EXPECT_EQ(window.page->Fills(), 1) << "the page is emptied";
    EXPECT_TRUE(window.page->Rows().empty());
}

TEST(HistoryFailover, AnAnswerFixesTheServerUntilItFails)
{
    ReportStubServer refusing, good(25);
    refusing.SetMode(Mode::Empty);
    FailoverWindow window({&refusing, &good}, {0});
    TestReportPage* page = window.page;

    // 0 drawn: the empty answer counts as none, the second server answers.
    page->Query();
    ASSERT_TRUE(PumpUntil([&] { return good.QueryCount() == 1 && !page->IsQueryRunning(); }, 8s));
    EXPECT_EQ(refusing.QueryCount(), 1u);
    EXPECT_EQ(page->Message(), "Recode 10 for 25");

    // Later queries go straight to the server that answered.
    page->NextPage();
    ASSERT_TRUE(PumpUntil([&] { return good.QueryCount() == 2 && !page->IsQueryRunning(); }, 8s));
    page->NextPage();
    ASSERT_TRUE(PumpUntil([&] { return good.QueryCount() == 3 && !page->IsQueryRunning(); }, 8s));
    EXPECT_EQ(refusing.QueryCount(), 1u);
    EXPECT_EQ(page->Message(), "Recode 5 for 25");

    // It fails: the other is asked in the same query, and the next query draws again.
    good.SetMode(Mode::NotJson); // an answer, but no reply: stays fixed
    page->Query();
    ASSERT_TRUE(PumpUntil([&] { return good.QueryCount() == 4 && !page->IsQueryRunning(); }, 8s));
    EXPECT_EQ(refusing.QueryCount(), 1u);
    good.SetMode(Mode::Empty);
    page->Query();
    ASSERT_TRUE(PumpUntil([&] { return refusing.QueryCount() == 2 && !page->IsQueryRunning(); }, 8s));
    EXPECT_EQ(good.QueryCount(), 5u);
    EXPECT_EQ(page->Message(), "Query failed");
    EXPECT_TRUE(page->Rows().empty()) << "no rows of an earlier query stay up";
    good.SetMode(Mode::Answer);
    page->Query();
    ASSERT_TRUE(PumpUntil([&] { return good.QueryCount() == 6 && !page->IsQueryRunning(); }, 8s));
    EXPECT_EQ(refusing.QueryCount(), 3u); // drawn first again
}

TEST(HistoryFailover, SilentFirstServerGivesWayAfterFiveSeconds)
{
    ReportStubServer silent, good(12);
    silent.SetMode(Mode::Silent);
    FailoverWindow window({&silent, &good}, {0});
    TestReportPage* page = window.page;

    const auto start = std::chrono::steady_clock::now();
    page->Query();
    ASSERT_TRUE(PumpUntil([&] { return good.QueryCount() == 1 && !page->IsQueryRunning(); }, 15s));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 4500ms);
    EXPECT_EQ(silent.QueryCount(), 1u);
    EXPECT_EQ(page->Rows().size(), 10u);

    page->NextPage();
    ASSERT_TRUE(PumpUntil([&] { return good.QueryCount() == 2 && !page->IsQueryRunning(); }));
    EXPECT_EQ(silent.QueryCount(), 1u);
    EXPECT_EQ(page->Message(), "Recode 2 for 12");
}
