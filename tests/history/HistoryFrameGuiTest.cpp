// The history frame and its two bars under a display: a test-only page over a
// loopback report server, paged as a trader pages.
#include "EventPump.h"
#include "ReportStubServer.h"
#include "TestReportPage.h"
#include "common/ServerInfo.h"

#include <gtest/gtest.h>
#include <memory>
#include <pelmora/JobQueueSingleton.h>
#include <wx/frame.h>

using Json = ReportStubServer::Json;

namespace {
// The queue's workers are wx threads: stop them while wx is still up.
class JobQueueRelease : public ::testing::Environment
{
public:
    void TearDown() override { JobQueueSingleton::Release(); }
};
::testing::Environment* const g_queueRelease = ::testing::AddGlobalTestEnvironment(new JobQueueRelease);

// A window with one test page asking the given report servers.
class PageWindow
{
public:
    explicit PageWindow(const std::vector<std::string>& servers,
                        TestReportPage::Conditions conditions = nullptr)
    {
        m_server.name = "Demo";
        for(const auto& server : servers) {
            m_server.history.Add(server);
        }
        if(!conditions) {
            conditions = [](JSONElement& root) {
                root.addProperty("userId", "1001");
                return true;
            };
        }
        m_frame = new wxFrame(nullptr, wxID_ANY, "history", wxDefaultPosition, wxSize(900, 500));
        page = new TestReportPage(m_frame, "closebill", conditions);
        page->SetServerSource([this] { return &m_server; }, [] { return 0; });
        m_frame->Show();
        PumpFor(std::chrono::milliseconds(20));
    }
    ~PageWindow()
    {
        m_frame->Destroy();
        PumpFor(std::chrono::milliseconds(20));
    }

    // Pumps until the page is idle again after `queries` queries reached the server.
    static ::testing::AssertionResult Settled(const ReportStubServer& reports, std::size_t queries,
                                              TestReportPage* page)
    {
        if(!PumpUntil([&] { return reports.QueryCount() >= queries && !page->IsQueryRunning(); },
                      std::chrono::seconds(10))) {
            return ::testing::AssertionFailure()
                   << reports.QueryCount() << " queries, running " << page->IsQueryRunning();
        }
        return ::testing::AssertionSuccess();
    }

    ServerInfo& Server() { return m_server; }
    TestReportPage* page;

private:
    ServerInfo m_server;
    wxFrame* m_frame;
};

std::vector<std::pair<wxString, wxString>> Numbered(int from, int to)
{
    std::vector<std::pair<wxString, wxString>> rows;
    for(int n = from; n <= to; ++n) {
        rows.emplace_back(wxString::Format("%d", n), wxString::Format("C%d", n));
    }
    return rows;
}

const Json& Paging(const Json& query)
{
    return query["pageCtrl"];
}
} // namespace

// --- the two bars ------------------------------------------------------------

TEST(HistoryBars, ConditionsCoverTheWholeStartAndEndDays)
{
    ReportStubServer reports;
    PageWindow window({reports.Base()});
    QueryConditionPanel* conditions = window.page->GetConditionPanel();

    // Yesterday from 00:00:00 (a move at 00:30 is in), today to 23:59:59.
    auto range = conditions->GetDateRange();
    const wxDateTime yesterday = wxDateTime::Today() - wxDateSpan::Day();
    EXPECT_EQ(range.first, yesterday) << range.first.Format();
    wxDateTime endOfToday = wxDateTime::Today();
    endOfToday.SetHour(23).SetMinute(59).SetSecond(59);
    EXPECT_EQ(range.second, endOfToday);
    EXPECT_FALSE(conditions->GetResetButton()->IsShown());
    EXPECT_TRUE(conditions->GetQueryButton()->IsShown());

    // Picked days whatever time the pickers hold.
    conditions->GetStartDate()->SetValue(wxDateTime(1, wxDateTime::Mar, 2024, 9, 23, 12));
    conditions->GetEndDate()->SetValue(wxDateTime(5, wxDateTime::Mar, 2024, 8, 30));
    range = conditions->GetDateRange();
    EXPECT_EQ(range.first.Format("%Y-%m-%d %H:%M:%S"), "2024-03-01 00:00:00");
    EXPECT_EQ(range.second.Format("%Y-%m-%d %H:%M:%S"), "2024-03-05 23:59:59");
}

TEST(HistoryBars, PageSizeReportsAChangeOnceAndDefaultsToTen)
{
    ReportStubServer reports;
    PageWindow window({reports.Base()});
    PagingPanel* paging = window.page->GetPagingPanel();

    const struct
    {
        const char* choice;
        int size;
        bool changed;
    } steps[] = {{"10", 10, false}, {"50", 50, true}, {"50", 50, false}, {"20", 20, true}, {"10", 10, true}};
    for(const auto& step : steps) {
        paging->GetPageSizeChoice()->SetStringSelection(step.choice);
        bool changed = false;
        EXPECT_EQ(paging->GetPageSize(&changed), step.size) << step.choice;
        EXPECT_EQ(changed, step.changed) << step.choice;
    }
    EXPECT_EQ(paging->GetPageSize(nullptr), 10);
}

TEST(HistoryBars, BarCommandsAreQueuedOnTheBarAndReachTheFrameLater)
{
    ReportStubServer reports(30);
    PageWindow window({reports.Base()});

    window.page->Query();
    EXPECT_FALSE(window.page->IsQueryRunning()); // queued, not yet handled
    ASSERT_TRUE(PageWindow::Settled(reports, 1, window.page));
    EXPECT_EQ(window.page->Rows(), Numbered(1, 10));
}

TEST(HistoryBars, WhileWaitingOnlyPageLinksAndFieldStayEnabled)
{
    ReportStubServer reports(30);
    reports.SetMode(ReportStubServer::Mode::Held);
    PageWindow window({reports.Base()});
    TestReportPage* page = window.page;
    PagingPanel* paging = page->GetPagingPanel();
    QueryConditionPanel* conditions = page->GetConditionPanel();

    page->Query();
    ASSERT_TRUE(PumpUntil([&] { return reports.QueryCount() == 1; }));
    EXPECT_TRUE(page->IsQueryRunning());
    for(wxWindow* control : std::initializer_list<wxWindow*>{
            paging->GetPageSizeChoice(), conditions->GetQueryButton(), conditions->GetResetButton(),
            conditions->GetStartDate(), conditions->GetEndDate()}) {
        EXPECT_FALSE(control->IsEnabled()) << control->GetClassInfo()->GetClassName();
    }
    for(wxWindow* control : std::initializer_list<wxWindow*>{
            paging->GetFirstLink(), paging->GetPrevLink(), paging->GetNextLink(), paging->GetLastLink(),
            paging->GetPageText(), conditions->GetMarketChoice()}) {
        EXPECT_TRUE(control->IsEnabled()) << control->GetClassInfo()->GetClassName();
    }
    // The waiting time shows once a second.
    ASSERT_TRUE(PumpUntil([&] { return page->Message().StartsWith("Please wait ... [00:00:0"); },
                          std::chrono::seconds(3)))
        << page->Message();

    reports.Release();
    ASSERT_TRUE(PageWindow::Settled(reports, 1, page));
    EXPECT_TRUE(conditions->GetQueryButton()->IsEnabled());
    EXPECT_TRUE(paging->GetPageSizeChoice()->IsEnabled());
    EXPECT_EQ(page->Message(), "Recode 10 for 30");
}

// --- paging ------------------------------------------------------------------

TEST(HistoryFrame, PagesThroughFiftySevenRecordsAsATraderDoes)
{
    ReportStubServer reports(57);
    PageWindow window({reports.Base()});
    TestReportPage* page = window.page;

    // Before any reply there is no last page.
    page->LastPage();
    PumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(reports.QueryCount(), 0u);

    page->Query();
    ASSERT_TRUE(PageWindow::Settled(reports, 1, page));
    Json query = reports.Queries()[0];
    EXPECT_EQ(Paging(query), Json::parse(R"({"start":"0","limit":"10","page":"1"})"));
    EXPECT_EQ(query["totalCount"], 0);
    EXPECT_EQ(query["userId"], "1001");
    EXPECT_EQ(page->Rows(), Numbered(1, 10));
    EXPECT_EQ(page->Message(), "Recode 10 for 57");
    EXPECT_EQ(page->PageText(), "1");
    EXPECT_EQ(page->PageCountText(), "6");

    // On page 1 the first and previous links send nothing.
    page->FirstPage();
    page->PrevPage();
    PumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(reports.QueryCount(), 1u);

    page->NextPage();
    ASSERT_TRUE(PageWindow::Settled(reports, 2, page));
    page->NextPage();
    ASSERT_TRUE(PageWindow::Settled(reports, 3, page));
    query = reports.Queries()[2];
    EXPECT_EQ(Paging(query), Json::parse(R"({"start":"20","limit":"10","page":"1"})"));
    EXPECT_EQ(query["totalCount"], 57);
    EXPECT_EQ(page->Rows(), Numbered(21, 30));
    EXPECT_EQ(page->Message(), "Recode 10 for 57");
    EXPECT_EQ(page->PageText(), "3");

    page->LastPage();
    ASSERT_TRUE(PageWindow::Settled(reports, 4, page));
    EXPECT_EQ(Paging(reports.Queries()[3])["start"], "50");
    EXPECT_EQ(page->Rows(), Numbered(51, 57));
    EXPECT_EQ(page->Message(), "Recode 7 for 57");
    // On the last page the next and last links send nothing.
    page->NextPage();
    page->LastPage();
    PumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(reports.QueryCount(), 4u);

    // Page 6, then size 50: the query starts at 0 and there are two pages.
    page->ChoosePageSize("50");
    PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(reports.QueryCount(), 4u); // a new size alone asks nothing
    page->Query();
    ASSERT_TRUE(PageWindow::Settled(reports, 5, page));
    EXPECT_EQ(Paging(reports.Queries()[4]), Json::parse(R"({"start":"0","limit":"50","page":"1"})"));
    EXPECT_EQ(page->Rows(), Numbered(1, 50));
    EXPECT_EQ(page->PageText(), "1");
    EXPECT_EQ(page->PageCountText(), "2");
    EXPECT_EQ(page->Message(), "Recode 50 for 57");
}

TEST(HistoryFrame, QueryAfterAConditionChangeKeepsThePageAndCountsAgain)
{
    ReportStubServer reports(57);
    PageWindow window({reports.Base()});
    TestReportPage* page = window.page;

    page->Query();
    ASSERT_TRUE(PageWindow::Settled(reports, 1, page));
    page->TypePage("5");
    EXPECT_EQ(page->GetPagingPanel()->GetPage(), 5);

    // Fewer records for the new dates: page 5 is asked for, then clamped.
    page->ChangeEndDate(wxDateTime::Today() - wxDateSpan::Days(2));
    reports.SetRecords(12);
    page->Query();
    ASSERT_TRUE(PageWindow::Settled(reports, 2, page));
    const Json query = reports.Queries()[1];
    EXPECT_EQ(query["totalCount"], 0);
    EXPECT_EQ(Paging(query)["start"], "40");
    EXPECT_EQ(page->PageText(), "2");
    EXPECT_EQ(page->PageCountText(), "2");
    EXPECT_EQ(page->Message(), "Recode 0 for 12");
    EXPECT_TRUE(page->Rows().empty());

    page->Query();
    ASSERT_TRUE(PageWindow::Settled(reports, 3, page));
    EXPECT_EQ(reports.Queries()[2]["totalCount"], 12);
    EXPECT_EQ(page->Rows(), Numbered(11, 12));
}

TEST(HistoryFrame, PageLinkDuringAQueryAsksForThatPageOnceTheReplyComes)
{
    ReportStubServer reports(57);
    PageWindow window({reports.Base()});
    TestReportPage* page = window.page;
    page->Query();
    ASSERT_TRUE(PageWindow::Settled(reports, 1, page));
    const int fills = page->Fills();

    reports.SetMode(ReportStubServer::Mode::Held);
    page->NextPage(); // page 2 is on its way
    ASSERT_TRUE(PumpUntil([&] { return reports.QueryCount() == 2; }));
    // Three seconds or more of waiting (a loaded machine may pump past them).
    const auto waited = [&] {
        const wxString message = page->Message();
        long seconds = -1;
        if(message.StartsWith("Please wait ... [00:00:")) {
            message.Mid(message.length() - 3, 2).ToLong(&seconds);
        }
        return seconds;
    };
    ASSERT_TRUE(PumpUntil([&] { return waited() >= 3; })) << page->Message();
    const long before = waited();
    page->NextPage(); // now page 3: no second job, the waiting time restarts
    EXPECT_TRUE(PumpUntil([&] { return waited() >= 0 && waited() < before; })) << page->Message();
    EXPECT_EQ(reports.QueryCount(), 2u);
    EXPECT_EQ(page->PageText(), "3");

    reports.SetMode(ReportStubServer::Mode::Answer);
    reports.Release();
    ASSERT_TRUE(PageWindow::Settled(reports, 3, page));
    EXPECT_EQ(Paging(reports.Queries()[1])["start"], "10");
    EXPECT_EQ(Paging(reports.Queries()[2])["start"], "20");
    // The rows of page 2 were never shown as page 3.
    EXPECT_EQ(page->Fills(), fills + 1);
    EXPECT_EQ(page->Rows(), Numbered(21, 30));
    EXPECT_EQ(page->PageText(), "3");
}

TEST(HistoryFrame, PageFieldTakesOneToThePageCount)
{
    ReportStubServer reports(57);
    PageWindow window({reports.Base()});
    TestReportPage* page = window.page;
    PagingPanel* paging = page->GetPagingPanel();

    // Before the first reply there is no page to go to.
    page->TypePage("2");
    EXPECT_EQ(paging->GetPage(), 1);

    page->Query();
    ASSERT_TRUE(PageWindow::Settled(reports, 1, page));
    const struct
    {
        const char* typed;
        int page;
    } steps[] = {{"6", 6}, {"7", 6}, {"0", 6}, {"-1", 6}, {"x", 6}, {"", 6}, {"2", 2}, {"58", 2}};
    for(const auto& step : steps) {
        page->TypePage(step.typed);
        EXPECT_EQ(paging->GetPage(), step.page) << "typed '" << step.typed << "'";
    }
    PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(reports.QueryCount(), 1u); // typing asks nothing

    page->TypePage("6");
    page->Query();
    ASSERT_TRUE(PageWindow::Settled(reports, 2, page));
    EXPECT_EQ(Paging(reports.Queries()[1])["start"], "50");
    EXPECT_EQ(page->Rows(), Numbered(51, 57));
}

// --- replies that are not what they should be --------------------------------

TEST(HistoryFrame, RepliesWithoutJsonOrWithoutAUsableCount)
{
    ReportStubServer reports(3);
    PageWindow window({reports.Base()});
    TestReportPage* page = window.page;
    page->Query();
    ASSERT_TRUE(PageWindow::Settled(reports, 1, page));
    ASSERT_EQ(page->Rows(), Numbered(1, 3));

    // Not JSON: the controls come back, the old rows go and the bar says
    // the query failed; the paging stays for the next try.
    reports.SetMode(ReportStubServer::Mode::NotJson);
    page->Query();
    ASSERT_TRUE(PageWindow::Settled(reports, 2, page));
    EXPECT_TRUE(page->Rows().empty());
    EXPECT_EQ(page->Fills(), 2);
    EXPECT_EQ(page->Message(), "Query failed");
    EXPECT_EQ(page->PageCountText(), "1");
    EXPECT_TRUE(page->GetConditionPanel()->GetQueryButton()->IsEnabled());

    // A count that is missing or text: 0 pages, page 1, the rows still shown.
    reports.SetMode(ReportStubServer::Mode::Answer);
    for(const Json& count : {Json(nlohmann::json::value_t::discarded), Json("three")}) {
        const std::size_t before = reports.QueryCount();
        reports.SetTotalCount(count);
        page->Query();
        ASSERT_TRUE(PageWindow::Settled(reports, before + 1, page));
        EXPECT_EQ(page->Rows(), Numbered(1, 3));
        EXPECT_EQ(page->PageText(), "1");
        EXPECT_EQ(page->PageCountText(), "0");
        EXPECT_EQ(page->Message(), "Recode 3 for 0");
    }
    // A count written as text is a count.
    reports.SetTotalCount("3");
    page->Query();
    ASSERT_TRUE(PageWindow::Settled(reports, 5, page));
    EXPECT_EQ(page->PageCountText(), "1");
    EXPECT_EQ(page->Message(), "Recode 3 for 3");
}

TEST(HistoryFrame, WithoutServerOrConditionsNothingIsSent)
{
    ReportStubServer reports(3);
    bool pageHasConditions = false;
    PageWindow window({reports.Base()}, [&](JSONElement& root) {
        root.addProperty("userId", "1001");
        return pageHasConditions;
    });
    window.page->Query(); // the page has no market chosen yet
    PumpFor(std::chrono::milliseconds(100));
    EXPECT_EQ(reports.QueryCount(), 0u);
    EXPECT_FALSE(window.page->IsQueryRunning());
    EXPECT_TRUE(window.page->GetConditionPanel()->GetQueryButton()->IsEnabled());
    pageHasConditions = true;
    window.page->Query();
    ASSERT_TRUE(PageWindow::Settled(reports, 1, window.page));

    // A server record without report servers.
    PageWindow bare({});
    bare.page->Query();
    PumpFor(std::chrono::milliseconds(100));
    EXPECT_FALSE(bare.page->IsQueryRunning());
    EXPECT_TRUE(bare.page->GetConditionPanel()->GetQueryButton()->IsEnabled());
    EXPECT_EQ(bare.page->Message(), "No record");
}

TEST(HistoryFrame, PageDestroyedWhileWaitingLeavesTheReplyUndelivered)
{
    ReportStubServer reports(3);
    reports.SetMode(ReportStubServer::Mode::Held);
    {
        PageWindow window({reports.Base()});
        window.page->Query();
        ASSERT_TRUE(PumpUntil([&] { return reports.QueryCount() == 1; }));
        ASSERT_TRUE(window.page->IsQueryRunning());
    }
    // The answer goes out after the page is gone; the job posts nothing.
    reports.Release();
    ASSERT_TRUE(PumpUntil([&] { return reports.Finished() == 1; }));
    ASSERT_TRUE(PumpUntil([] { return JobQueueSingleton::Instance()->GetPendingCount() == 0; }));
    PumpFor(std::chrono::milliseconds(200));
    EXPECT_EQ(reports.QueryCount(), 1u);
}

TEST(HistoryFrame, QueryIsOneEscapedBizDataValue)
{
    ReportStubServer reports(1);
    PageWindow window({reports.Base()}, [](JSONElement& root) {
        root.addProperty("tradeMarketName", wxString::FromUTF8("现货 A&B+1 #2"));
        return true;
    });
    window.page->Query();
    ASSERT_TRUE(PageWindow::Settled(reports, 1, window.page));
    const std::string target = reports.Targets()[0];
    EXPECT_EQ(target.rfind("/tolvekquery/report_client/closebill?bizData=", 0), 0u) << target;
    EXPECT_EQ(target.find_first_of("{}\" +#", 0), std::string::npos) << target;
    EXPECT_EQ(target.find('&'), std::string::npos) << target;
    EXPECT_EQ(reports.Queries()[0]["tradeMarketName"], "现货 A&B+1 #2");
}
