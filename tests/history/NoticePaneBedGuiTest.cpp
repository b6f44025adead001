// The notice pane on the logged-in test bed: what a poll writes to the output
// window or opens as tips, what closing the tips marks read at the market,
// clicks on output notices, and the plug-in's own pane against the demo
// market's bulletin service from the first poll to a bulletin added later.
#include "NoticeFixtures.h"
#include "TestBed.h"
#include "TestSocket.h"
#include "common/SettingsAccessors.h"
#include "frame/RemoveNotebookPage.h"
#include "frame/TessrinPlugin.h"
#include "history/NoticeMessageModel.h"
#include "history/NoticeMessagePane.h"
#include "history/NoticeTipDialog.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <pelmora/OutputWindow.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/richtext/richtextctrl.h>

namespace {

bool IsTipDialog(wxDialog& dialog)
{
    return dynamic_cast<NoticeTipDialog*>(&dialog) != nullptr;
}

void Click(wxButton* button)
{
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}

wxString Heading(const NoticeTipDialog& dialog)
{
    return dialog.GetTipControl()->GetValue().BeforeFirst('\n');
}

std::string Cell(NoticeMessagePane& pane, unsigned row, unsigned column)
{
    wxVariant value;
    pane.GetModel()->GetValueByRow(value, row, column);
    return value.GetString().utf8_string();
}

// The bodies of the mark-read requests the market logged after `afterSeq`.
std::vector<std::string> MarkReadBodies(SimProcess& market, long long afterSeq)
{
    std::vector<std::string> bodies;
    const nlohmann::json state = market.State();
    for(const auto& entry : state.at("requests")) {
        if(entry.value("kind", "") == "http" && entry.value("method", "") == "POST" &&
           entry.value("seq", 0LL) > afterSeq && entry.value("path", "").rfind("/bulletin/trader", 0) == 0) {
            bodies.push_back(entry.value("body", ""));
        }
    }
    return bodies;
}

// Answers the next tip dialog with its close button after `act`, while the
// returned switch is on; a switched-off answer stays unused.
std::shared_ptr<bool> AnswerTips(TestBed& bed, std::function<void(NoticeTipDialog&)> act)
{
    auto armed = std::make_shared<bool>(true);
    bed.Dialogs().Answer(
        [act](wxDialog& dialog) {
            act(static_cast<NoticeTipDialog&>(dialog));
            return NoticeTipDialog::kCloseId;
        },
        [armed](wxDialog& dialog) { return *armed && IsTipDialog(dialog); });
    return armed;
}

int FindTitle(const HistoryNoticeMgr& manager, const wxString& title)
{
    for(size_t i = 0; i < manager.GetCount(); ++i) {
        if(manager.GetNotice(i)->title == title) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Bulletin polls the market logged after the sequence number.
size_t PollsAfter(SimProcess& market, long long afterSeq)
{
    size_t polls = 0;
    const nlohmann::json state = market.State();
    for(const auto& entry : state.at("requests")) {
        polls += entry.value("kind", "") == "http" && entry.value("method", "") == "GET" &&
                         entry.value("seq", 0LL) > afterSeq &&
                         entry.value("path", "").rfind("/bulletin/trader", 0) == 0
                     ? 1
                     : 0;
    }
    return polls;
}

long long LastSeq(SimProcess& market)
{
    return market.State().value("requestsLastSeq", 0LL);
}

// Output entries whose title is `title`.
size_t CountOutput(TestBed& bed, const wxString& title)
{
    size_t count = 0;
    for(const auto& entry : bed.Host().appended) {
        count += entry.title == title ? 1 : 0;
    }
    return count;
}

// A pane in the bed's output notebook over a manager of the test's own,
// which asks the bed's market as the logged-in user but never polls by
// itself: the test hands it the answers.
class OwnPane
{
public:
    explicit OwnPane(TestBed& bed) : m_bed(bed)
    {
        auto session = std::make_unique<FakeSession>();
        session->account = *bed.Plugin().GetLoginUser();
        session->servers.Add("http://127.0.0.1:" + std::to_string(bed.Market().HttpPort()));
        manager = std::make_unique<HistoryNoticeMgr>(std::move(session));
        manager->GetTimer().Stop();
        HostManager& host = bed.Host().Manager();
        pane = new NoticeMessagePane(&bed.Store(), &host, host.GetOutputBook(), *manager);
        host.GetOutputBook()->AddPage(pane, "Own notices", false);
    }
    ~OwnPane() { RemoveNotebookPage(&m_bed.Host().Manager(), pane); }
    OwnPane(const OwnPane&) = delete;
    OwnPane& operator=(const OwnPane&) = delete;

    void Deliver(const std::string& answer)
    {
        ::Deliver(*manager, answer);
        manager->GetTimer().Stop();
    }

    std::unique_ptr<HistoryNoticeMgr> manager;
    NoticeMessagePane* pane;

private:
    TestBed& m_bed;
};

class NoticePaneTest : public LoggedInTest
{
protected:
    void SetUp() override
    {
        LoggedInTest::SetUp();
        // The plug-in's own pane has had its first poll: it writes nothing
        // more for the poll interval.
        ASSERT_TRUE(
            PumpUntil([] { return HistoryNoticeMgr::Find() && HistoryNoticeMgr::Find()->GetCount() > 0; },
                      std::chrono::seconds(20)));
        ASSERT_TRUE(PumpUntil([&] { return CountOutput(bed, wxString::FromUTF8("系统维护公告")) == 1; }));
    }
};

} // namespace

TEST_F(NoticePaneTest, APollWritesEachNewUnreadBulletinOrOpensTheTipsOnTheFirstPollOnly)
{
    const std::string older = Item("U1", "2026-11-01 10:00:00", "u1 body");
    const std::string newer = Item("U2", "2026-11-02 10:00:00", "u2 first\\nu2 second");
    const std::string newestRead = Item("R3", "2026-11-03 10:00:00", "r3", true);
    const std::string later = Item("U4", "2026-11-04 10:00:00", "u4");
    const std::string repeated = List({newer, Item("F", "2099-01-01 00:00:00", "f")}); // F dated ahead
    const struct
    {
        const char* what;
        std::vector<std::string> answers; // delivered in turn
        bool startShow;
        const char* written; // title written to the output window; null: none
        const char* tipAt;   // heading of the tips opened; null: none
        unsigned rows;
    } cases[] = {
        {"only read bulletins",
         {List({Item("R1", "2026-11-01 09:00:00", "r1", true), newestRead})},
         true,
         nullptr,
         nullptr,
         2},
        {"first poll, tips off", {List({newer, newestRead})}, false, "U2", nullptr, 2},
        {"first poll, tips on", {List({older, newer, newestRead})}, true, nullptr, "R3", 3},
        {"a later poll, tips on", {List({newestRead}), List({later, newestRead})}, true, "U4", nullptr, 2},
        {"a repeated answer: each written once", {repeated, repeated}, false, nullptr, nullptr, 2},
        {"a later poll brings an older one", {List({newer}), List({older, newer})}, false, "U1", nullptr, 2},
        {"an empty answer", {"[]"}, true, nullptr, nullptr, 0},
    };
    for(const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetNoticeStartShow(c.startShow);
        OwnPane own(bed);
        const size_t tipsBefore = bed.Dialogs().CountSeen("NoticeTipDialog");
        auto heading = std::make_shared<wxString>();
        const auto armed = AnswerTips(bed, [heading](NoticeTipDialog& tips) { *heading = Heading(tips); });
        for(size_t i = 0; i + 1 < c.answers.size(); ++i) {
            own.Deliver(c.answers[i]);
        }
        const size_t appendedBefore = bed.Host().appended.size();
        own.Deliver(c.answers.back());

        EXPECT_EQ(own.pane->GetModel()->GetCount(), c.rows);
        const auto& appended = bed.Host().appended;
        if(c.written) {
            ASSERT_EQ(appended.size(), appendedBefore + 1);
            EXPECT_EQ(appended.back().title, c.written);
            const int written = FindTitle(*own.manager, c.written);
            ASSERT_GE(written, 0);
            EXPECT_EQ(appended.back().body, own.manager->GetNotice(written)->content);
        } else {
            EXPECT_EQ(appended.size(), appendedBefore);
        }
        if(c.tipAt) {
            EXPECT_EQ(bed.Dialogs().CountSeen("NoticeTipDialog"), tipsBefore + 1);
            EXPECT_EQ(*heading, c.tipAt);
        } else {
            EXPECT_EQ(bed.Dialogs().CountSeen("NoticeTipDialog"), tipsBefore);
        }
        *armed = false;
    }
    SetNoticeStartShow(false);
}

TEST_F(NoticePaneTest, ClosingTheTipsMarksFromTheNewestShownAndAClickOnlyOpensTheBulletinItHashes)
{
    OwnPane own(bed);
    own.Deliver(List({Item("A", "2026-11-01 10:00:00", "a body"), Item("B", "2026-11-02 10:00:00", "b body"),
                      Item("C", "2026-11-03 10:00:00", "c body")}));
    ASSERT_EQ(own.pane->GetModel()->GetCount(), 3u);
    SetNoticeStartShow(false);
    const int userId = bed.Plugin().GetLoginUser()->userId;

    // Opened at the oldest (2), stepped back to the newest (0), closed.
    long long seq = LastSeq(bed.Market());
    std::vector<wxString> headings;
    bed.Dialogs().Answer(
        [&](wxDialog& dialog) {
            auto& tips = static_cast<NoticeTipDialog&>(dialog);
            headings.push_back(Heading(tips));
            Click(tips.GetPrevButton());
            Click(tips.GetPrevButton());
            headings.push_back(Heading(tips));
            Click(tips.GetNextButton()); // older again: the newest seen stays
            tips.GetStartupCheck()->SetValue(true);
            return NoticeTipDialog::kCloseId;
        },
        IsTipDialog);
    own.pane->ShowNotice(2);
    EXPECT_EQ(headings, (std::vector<wxString>{"A", "C"}));
    EXPECT_EQ(MarkReadBodies(bed.Market(), seq), std::vector<std::string>{"userid=" + std::to_string(userId) +
                                                                          "&last_time=2026-11-03 10:00:00"});
    for(unsigned row = 0; row < 3; ++row) {
        EXPECT_TRUE(own.manager->GetNotice(row)->is_read) << row;
        EXPECT_EQ(Cell(*own.pane, row, NoticeMessageModel::eColReadFlag), "hasRead");
    }
    EXPECT_TRUE(IsNoticeStartShow()) << "the check box is stored";
    SetNoticeStartShow(false);

    // A click whose id is no bulletin's content hash opens nothing here; the
    // plug-in's own handler still takes the event after the pane passed it on.
    seq = LastSeq(bed.Market());
    const size_t tipsBefore = bed.Dialogs().CountSeen("NoticeTipDialog");
    wxString title = "Market Trade[none]";
    wxCommandEvent stray(wxEVT_CMD_NOTICE_CLICKED,
                         static_cast<int>(OutputWindow::ContentHash("no such body")));
    stray.SetClientData(&title);
    EXPECT_TRUE(EventNotifier::Get()->ProcessEvent(stray));
    EXPECT_EQ(bed.Dialogs().CountSeen("NoticeTipDialog"), tipsBefore);
    EXPECT_TRUE(MarkReadBodies(bed.Market(), seq).empty());

    // A click on "b body" opens the tips at B; B is read already, so closing
    // sends nothing.
    wxString opened;
    bed.Dialogs().Answer(
        [&](wxDialog& dialog) {
            opened = Heading(static_cast<NoticeTipDialog&>(dialog));
            return NoticeTipDialog::kCloseId;
        },
        IsTipDialog);
    title = "B";
    wxCommandEvent click(wxEVT_CMD_NOTICE_CLICKED, static_cast<int>(OutputWindow::ContentHash("b body")));
    click.SetClientData(&title);
    EXPECT_TRUE(EventNotifier::Get()->ProcessEvent(click));
    EXPECT_EQ(opened, "B");
    EXPECT_TRUE(MarkReadBodies(bed.Market(), seq).empty());
}

TEST_F(NoticePaneTest, ABulletinArrivingWhileTheTipsAreOpenIsNeitherShownInTheirPlaceNorMarkedRead)
{
    OwnPane own(bed);
    own.Deliver(List({Item("A", "2026-11-01 10:00:00", "a"), Item("B", "2026-11-02 10:00:00", "b")}));
    SetNoticeStartShow(false);
    const long long seq = LastSeq(bed.Market());
    std::vector<wxString> headings;
    AnswerTips(bed, [&](NoticeTipDialog& tips) {
        headings.push_back(Heading(tips));
        // The next poll's answer comes in while the trader reads B.
        own.Deliver(List({Item("N", "2026-11-05 10:00:00", "n"), Item("B", "2026-11-02 10:00:00", "b")}));
        Click(tips.GetNextButton());
        headings.push_back(Heading(tips));
        Click(tips.GetPrevButton());
        headings.push_back(Heading(tips));
    });
    own.pane->ShowNotice(0);

    EXPECT_EQ(headings, (std::vector<wxString>{"B", "A", "B"}));
    ASSERT_EQ(own.manager->GetCount(), 3u);
    EXPECT_EQ(own.manager->GetNotice(0)->title, "N");
    EXPECT_FALSE(own.manager->GetNotice(0)->is_read) << "never shown";
    EXPECT_TRUE(own.manager->GetNotice(1)->is_read);
    EXPECT_TRUE(own.manager->GetNotice(2)->is_read);
    const int userId = bed.Plugin().GetLoginUser()->userId;
    EXPECT_EQ(MarkReadBodies(bed.Market(), seq), std::vector<std::string>{"userid=" + std::to_string(userId) +
                                                                          "&last_time=2026-11-02 10:00:00"});
    EXPECT_EQ(Cell(*own.pane, 0, NoticeMessageModel::eColReadFlag), "noRead");
    EXPECT_EQ(Cell(*own.pane, 1, NoticeMessageModel::eColReadFlag), "hasRead");
}

// The plug-in's own pane against the market's bulletin service: a first
// server where nothing listens, the demo user's three bulletins, a click on
// the written notice, the mark-read at the market, a bulletin added later.
TEST(NoticePaneFlow, BulletinsArriveFromTheSecondServerAreReadThroughAClickAndALaterOneFollows)
{
    TestBed bed;
    TestSocket refusing(false);
    {
        std::ifstream file(bed.ConfigFile().utf8_string());
        nlohmann::json config = nlohmann::json::parse(file);
        auto& servers = config["server"][0]["noticehistory"];
        servers = nlohmann::json::array({refusing.Base(), servers[0]});
        bed.SetConfigValue("server", config["server"]);
    }
    ASSERT_TRUE(bed.Start());
    HistoryNoticeMgr* manager = HistoryNoticeMgr::Find();
    ASSERT_NE(manager, nullptr) << "made with the notice pane at start-up";

    // The first poll fails at the refusing port; the next goes to the market.
    ASSERT_TRUE(PumpUntil([&] { return manager->GetServerCounter() == 1; }, std::chrono::seconds(20)));
    EXPECT_EQ(manager->GetCount(), 0u);
    manager->GetTimer().StartOnce(10); // instead of the 5 s after a failure

    Notebook* output = bed.Host().Manager().GetOutputBook();
    NoticeMessagePane* pane = nullptr;
    for(size_t i = 0; i < output->GetPageCount(); ++i) {
        if(output->GetPageText(i) == "Notice ") {
            pane = dynamic_cast<NoticeMessagePane*>(output->GetPage(i));
        }
    }
    ASSERT_NE(pane, nullptr) << "the page \"Notice \"";
    ASSERT_TRUE(PumpUntil([&] { return pane->GetModel()->GetCount() == 3; }, std::chrono::seconds(10)));
    EXPECT_EQ(manager->GetServerCounter(), 1u);
    const char* dates[] = {"2026-12-07 08:30:00", "2026-12-05 18:00:00", "2026-12-01 09:00:00"};
    for(unsigned row = 0; row < 3; ++row) {
        EXPECT_EQ(Cell(*pane, row, NoticeMessageModel::eColTime), dates[row]);
        EXPECT_EQ(Cell(*pane, row, NoticeMessageModel::eColReadFlag), "noRead");
    }

    // "NoticeStartShow" is off on the bed: each unread bulletin is written to
    // the output window, once, the newest (of the oldest one's title) last.
    const wxString newestTitle = wxString::FromUTF8("交易时间调整通知");
    ASSERT_TRUE(PumpUntil([&] { return CountOutput(bed, newestTitle) == 2; }));
    OutputWindow& window = bed.Host().Output();
    size_t entry = window.GetEntryCount();
    for(size_t i = 0; i < window.GetEntryCount(); ++i) {
        if(window.GetEntry(i).title == newestTitle) {
            entry = i;
        }
    }
    ASSERT_LT(entry, window.GetEntryCount());
    EXPECT_EQ(window.GetEntry(entry).body, manager->GetNotice(0)->content);

    // The trader clicks it: the tips open at that bulletin; closing them
    // marks it and the older ones read at the market.
    const long long seq = LastSeq(bed.Market());
    wxString opened;
    bed.Dialogs().Answer(
        [&](wxDialog& dialog) {
            auto& tips = static_cast<NoticeTipDialog&>(dialog);
            opened = tips.GetTipControl()->GetValue();
            return NoticeTipDialog::kCloseId;
        },
        IsTipDialog);
    ASSERT_TRUE(window.ClickEntry(entry));
    EXPECT_TRUE(opened.StartsWith(newestTitle + "\n")) << opened;
    EXPECT_TRUE(opened.Contains(wxString::FromUTF8("元旦假期休市安排"))) << opened;
    const int userId = bed.Plugin().GetLoginUser()->userId;
    EXPECT_EQ(MarkReadBodies(bed.Market(), seq),
              std::vector<std::string>{"userid=" + std::to_string(userId) + "&last_time=" + dates[0]});
    for(unsigned row = 0; row < 3; ++row) {
        EXPECT_EQ(Cell(*pane, row, NoticeMessageModel::eColReadFlag), "hasRead") << row;
    }
    const nlohmann::json state = bed.Market().State(); // the loop reads into it
    for(const auto& bulletin : state["bulletins"]) {
        const auto& readBy = bulletin["readBy"];
        EXPECT_NE(std::find(readBy.begin(), readBy.end(), "demo"), readBy.end()) << bulletin.dump();
    }

    // A bulletin added at the market arrives with the next poll.
    ASSERT_EQ(
        bed.Market().Post("/admin/bulletin?user=demo",
                          R"({"title":"新公告","content":"第一行\n第二行","date":"2026-12-08 10:00:00"})"),
        200);
    manager->GetTimer().StartOnce(10); // instead of the poll interval
    ASSERT_TRUE(PumpUntil([&] { return pane->GetModel()->GetCount() == 4; }, std::chrono::seconds(10)));
    EXPECT_EQ(Cell(*pane, 0, NoticeMessageModel::eColTitle), "新公告");
    EXPECT_EQ(Cell(*pane, 0, NoticeMessageModel::eColReadFlag), "noRead");
    EXPECT_EQ(Cell(*pane, 1, NoticeMessageModel::eColReadFlag), "hasRead");
    EXPECT_TRUE(PumpUntil([&] { return CountOutput(bed, wxString::FromUTF8("新公告")) == 1; }));

    // One dated 2099 and one of the newest one's second arrive and hold
    // back nothing: a bulletin of now follows them.
    for(const char* body : {R"({"title":"远期公告","date":"2099-01-01 08:00:00"})",
                            R"({"title":"同秒公告","date":"2026-12-08 10:00:00"})"}) {
        ASSERT_EQ(bed.Market().Post("/admin/bulletin?user=demo", body), 200) << body;
    }
    manager->GetTimer().StartOnce(10);
    ASSERT_TRUE(PumpUntil([&] { return pane->GetModel()->GetCount() == 6; }, std::chrono::seconds(10)));
    EXPECT_EQ(Cell(*pane, 0, NoticeMessageModel::eColTitle), "远期公告");
    EXPECT_EQ(Cell(*pane, 2, NoticeMessageModel::eColTitle), "同秒公告");
    // Both of one poll are announced (of one second, three were one notice).
    EXPECT_TRUE(PumpUntil([&] {
        return CountOutput(bed, wxString::FromUTF8("远期公告")) == 1 &&
               CountOutput(bed, wxString::FromUTF8("同秒公告")) == 1;
    }));
    ASSERT_EQ(bed.Market().Post("/admin/bulletin?user=demo", R"({"title":"今日公告"})"), 200);
    manager->GetTimer().StartOnce(10);
    ASSERT_TRUE(PumpUntil([&] { return pane->GetModel()->GetCount() == 7; }, std::chrono::seconds(10)));
    EXPECT_EQ(Cell(*pane, 1, NoticeMessageModel::eColTitle), "今日公告");
    // The next poll is answered with the 2099 one again: held, not added.
    const long long beforePoll = LastSeq(bed.Market());
    manager->GetTimer().StartOnce(10);
    ASSERT_TRUE(PumpUntil([&] { return PollsAfter(bed.Market(), beforePoll) == 1 && !manager->IsPolling(); },
                          std::chrono::seconds(10)));
    EXPECT_EQ(pane->GetModel()->GetCount(), 7u) << "each bulletin once";
}
