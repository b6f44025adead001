#include "EventPump.h"
#include "pelmora/EventNotifier.h"
#include "pelmora/HostEvents.h"
#include "pelmora/OutputWindow.h"

#include <clocale>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/listctrl.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>
#include <wx/xrc/xmlres.h>

namespace {
// Records the notice clicks that reach the bus.
class NoticeListener : public wxEvtHandler
{
public:
    NoticeListener() { EventNotifier::Get()->Bind(wxEVT_CMD_NOTICE_CLICKED, &NoticeListener::OnClick, this); }
    ~NoticeListener() override
    {
        EventNotifier::Get()->Unbind(wxEVT_CMD_NOTICE_CLICKED, &NoticeListener::OnClick, this);
    }
    int clicks = 0;
    int lastId = 0;
    wxString lastData;
    wxString lastString;

private:
    void OnClick(wxCommandEvent& event)
    {
        ++clicks;
        lastId = event.GetId();
        lastData = *static_cast<wxString*>(event.GetClientData());
        lastString = event.GetString();
    }
};

// Counts the menu commands of one id that reach the application.
class MenuSink : public wxEvtHandler
{
public:
    explicit MenuSink(int id) : m_id(id) { wxTheApp->Bind(wxEVT_MENU, &MenuSink::OnMenu, this); }
    ~MenuSink() override { wxTheApp->Unbind(wxEVT_MENU, &MenuSink::OnMenu, this); }
    int received = 0;

private:
    void OnMenu(wxCommandEvent& event) { received += event.GetId() == m_id ? 1 : 0; }
    int m_id;
};

class OutputWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "output");
        m_window = new OutputWindow(m_frame);
        m_frame->Show();
    }
    void TearDown() override
    {
        m_frame->Destroy();
        wxTheApp->ProcessIdle();
    }

    wxFrame* m_frame = nullptr;
    OutputWindow* m_window = nullptr;
};

TEST(NoticeContentHash, IsThe32BitFnv1aOfTheText)
{
    EXPECT_EQ(0x811C9DC5u, OutputWindow::ContentHash(""));
    EXPECT_EQ(0xE40C292Cu, OutputWindow::ContentHash("a"));
    EXPECT_EQ(0xBF9CF968u, OutputWindow::ContentHash("foobar"));
    // Texts the locale cannot spell still hash apart.
    const std::string before = setlocale(LC_CTYPE, nullptr);
    setlocale(LC_CTYPE, "C");
    const wxUint32 first = OutputWindow::ContentHash(wxString::FromUTF8("系统维护公告"));
    const wxUint32 second = OutputWindow::ContentHash(wxString::FromUTF8("交易时间调整通知"));
    setlocale(LC_CTYPE, before.c_str());
    EXPECT_NE(first, second);
    EXPECT_NE(first, OutputWindow::ContentHash(""));
}

TEST(NoticeEntry, TheFirstLineIsTheTitleAndTheRestTheBody)
{
    const OutputWindow::Entry notice =
        OutputWindow::ParseEntry("Market Trade[B123]\nbuy 1 at 3.5\nsecond line", OutputWindow::FLAG_NOTICE);
    EXPECT_TRUE(notice.IsNotice());
    EXPECT_EQ("Market Trade[B123]", notice.title);
    EXPECT_EQ("buy 1 at 3.5\nsecond line", notice.body);
    const OutputWindow::Entry plain = OutputWindow::ParseEntry("one line only", 0);
    EXPECT_FALSE(plain.IsNotice());
    EXPECT_EQ("one line only", plain.title);
    EXPECT_EQ("", plain.body);
    EXPECT_EQ("Windows title", OutputWindow::ParseEntry("Windows title\r\nbody", 0).title);
}

TEST_F(OutputWindowTest, ClickingANoticeSendsItsTitleLineAndTheHashOfItsBody)
{
    NoticeListener listener;
    m_window->AppendText("plain log line", 0);
    m_window->AppendText("Market Trade[B123]\nbought 2 lots", OutputWindow::FLAG_NOTICE | 0x1);
    ASSERT_EQ(2u, m_window->GetEntryCount());

    EXPECT_FALSE(m_window->ClickEntry(0));
    EXPECT_EQ(0, listener.clicks);

    EXPECT_TRUE(m_window->ClickEntry(1));
    ASSERT_EQ(1, listener.clicks);
    EXPECT_EQ("Market Trade[B123]", listener.lastData);
    EXPECT_EQ("Market Trade[B123]", listener.lastString);
    EXPECT_EQ(static_cast<int>(OutputWindow::ContentHash("bought 2 lots")), listener.lastId);

    EXPECT_FALSE(m_window->ClickEntry(7));
    EXPECT_EQ(1, listener.clicks);
}

TEST_F(OutputWindowTest, AMouseClickOnANoticeRowSendsIt)
{
    NoticeListener listener;
    m_frame->SetSize(600, 300);
    m_window->SetSize(m_frame->GetClientSize());
    m_window->AppendText("Close Trade[C42]\nclosed 1 lot", OutputWindow::FLAG_NOTICE);
    m_window->AppendText("TessrinPlugin loaded from a long path", 0);
    wxListCtrl* list = nullptr;
    for(wxWindow* child : m_window->GetChildren()) {
        if((list = dynamic_cast<wxListCtrl*>(child)) != nullptr) {
            break;
        }
    }
    ASSERT_NE(nullptr, list);
    // A title and its text in their columns; a one-line entry in the wide one.
    EXPECT_EQ("Close Trade[C42]", list->GetItemText(0, 1));
    EXPECT_EQ("closed 1 lot", list->GetItemText(0, 2));
    EXPECT_EQ("", list->GetItemText(1, 1));
    EXPECT_EQ("TessrinPlugin loaded from a long path", list->GetItemText(1, 2));
    ASSERT_TRUE(PumpUntil([&] { return list->IsShownOnScreen(); }));
    wxRect row;
    ASSERT_TRUE(list->GetItemRect(0, row));
    const wxPoint target = list->GetMainWindowOfCompositeControl()->ClientToScreen(
        row.GetPosition() + wxPoint(20, row.height / 2));
    wxUIActionSimulator mouse;
    mouse.MouseMove(target);
    wxYield();
    // A second click on the selected row counts as well.
    for(int i = 0; i < 2; ++i) {
        mouse.MouseClick();
        ASSERT_TRUE(PumpUntil([&] { return listener.clicks > i; })) << "click " << i;
    }
    EXPECT_EQ(2, listener.clicks);
    EXPECT_EQ("Close Trade[C42]", listener.lastData);
}

TEST_F(OutputWindowTest, ANoticeWithoutBodyHashesTheEmptyText)
{
    NoticeListener listener;
    m_window->AppendText("Limit Cancel[]", OutputWindow::FLAG_NOTICE);
    EXPECT_TRUE(m_window->ClickEntry(0));
    EXPECT_EQ(static_cast<int>(0x811C9DC5u), listener.lastId);
    EXPECT_EQ("Limit Cancel[]", listener.lastData);
}

TEST_F(OutputWindowTest, TheObserverSeesEveryEntryAndTheOldestAreDroppedBeyondTheLimit)
{
    int seen = 0;
    wxString lastTitle;
    m_window->SetAppendObserver([&](const OutputWindow::Entry& entry) {
        ++seen;
        lastTitle = entry.title;
    });
    for(size_t i = 0; i < OutputWindow::MAX_ENTRIES + 3; ++i) {
        m_window->AppendText(wxString::Format("line %zu", i));
    }
    EXPECT_EQ(static_cast<int>(OutputWindow::MAX_ENTRIES + 3), seen);
    EXPECT_EQ(OutputWindow::MAX_ENTRIES, m_window->GetEntryCount());
    EXPECT_EQ("line 3", m_window->GetEntry(0).title);
    EXPECT_EQ(wxString::Format("line %zu", OutputWindow::MAX_ENTRIES + 2), lastTitle);
    m_window->Clear();
    EXPECT_EQ(0u, m_window->GetEntryCount());
}

TEST_F(OutputWindowTest, ACommandButtonSendsItsIdAsMenuCommandToTheApplication)
{
    // "Read Notice" also opens the newest notice and shows it; "Hide Notice" hides it.
    NoticeListener listener;
    m_window->AppendText("Margin Call: [A]\nrisk 87.50%", OutputWindow::FLAG_NOTICE);
    m_window->AppendText("plain log line", 0);
    const int id = XRCID("readnotifybtn");
    m_window->AddCommand(id, "Read Notice");
    m_window->AddCommand(id, "Read Notice"); // once only
    MenuSink sink(id);
    wxToolBar* bar = nullptr;
    for(wxWindow* child : m_window->GetChildren()) {
        if((bar = dynamic_cast<wxToolBar*>(child)) != nullptr) {
            break;
        }
    }
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(1u, bar->GetToolsCount());
    wxCommandEvent click(wxEVT_TOOL, id);
    click.SetEventObject(bar);
    bar->ProcessWindowEvent(click);
    EXPECT_EQ(1, sink.received);
    EXPECT_EQ("Margin Call: [A]", listener.lastData);
    wxCommandEvent hide(wxEVT_TOOL, XRCID("closenotifybtn"));
    bar->ProcessWindowEvent(hide);
    EXPECT_FALSE(m_window->GetDetail()->IsShown());
    bar->ProcessWindowEvent(click);
    EXPECT_TRUE(m_window->GetDetail()->IsShown() && listener.clicks == 2);
}
} // namespace
