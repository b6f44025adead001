#include "BusTracer.h"
#include "HostOptions.h"
#include "LoginController.h"
#include "TraceLog.h"
#include "Tracer.h"
#include "pelmora/EventNotifier.h"
#include "pelmora/HostEvents.h"

#include <gtest/gtest.h>
#include <memory>
#include <wx/app.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/tokenzr.h>

namespace {
wxArrayString ReadLines(const wxString& path)
{
    wxString text;
    wxFFile file(path, "r");
    if(file.IsOpened()) {
        file.ReadAll(&text);
    }
    return wxStringTokenize(text, "\n");
}

class TraceFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_path = wxFileName::CreateTempFileName("pelmora-trace");
        ASSERT_TRUE(m_tracer.Open(m_path));
    }
    void TearDown() override { wxRemoveFile(m_path); }

    wxString m_path;
    Tracer m_tracer;
};

TEST_F(TraceFile, EveryKindOfLineStartsWithTheMillisecondsSinceStart)
{
    m_tracer.Bus(10001, "Demo|alice|***");
    m_tracer.Status(3, "Trading Day [20240102]");
    m_tracer.Output("Market Trade[B7]", "line one\nline two");
    m_tracer.Page("centre", true, "EURUSD");
    m_tracer.Page("workspace", false, "OTC");
    const wxArrayString lines = ReadLines(m_path);
    ASSERT_EQ(6u, lines.size());
    // The start on the monotonic clock comes first, for readers that time lines.
    long long start = 0;
    EXPECT_TRUE(lines[0].AfterFirst(' ').StartsWith("clock ")) << lines[0];
    EXPECT_TRUE(lines[0].AfterLast(' ').ToLongLong(&start) && start > 0) << lines[0];
    const char* expected[] = {"clock",
                              "bus 10001 Demo|alice|***",
                              "status 3 Trading Day [20240102]",
                              "output Market Trade[B7]|line one\\nline two",
                              "page centre add EURUSD",
                              "page workspace remove OTC"};
    for(size_t i = 0; i < lines.size(); ++i) {
        const wxString millis = lines[i].BeforeFirst(' ');
        long value = -1;
        EXPECT_TRUE(millis.ToLong(&value) && value >= 0) << lines[i];
        if(i > 0) {
            EXPECT_EQ(expected[i], lines[i].AfterFirst(' ')) << lines[i];
        }
    }
}

// With --trace-mask the wx trace messages of that mask become trace lines;
// every other record goes on to the target before, at its level.
TEST_F(TraceFile, TraceMessagesOfAnEnabledMaskBecomeTraceLines)
{
    class Recorder : public wxLog
    {
    public:
        explicit Recorder(wxArrayString& seen) : m_seen(seen) {}

    protected:
        void DoLogTextAtLevel(wxLogLevel, const wxString& text) override { m_seen.Add(text); }

    private:
        wxArrayString& m_seen;
    };
    wxArrayString passedOn;
    const wxLogLevel level = wxLog::GetLogLevel();
    {
        TraceLog log(m_tracer, std::make_unique<Recorder>(passedOn));
        wxLog* before = wxLog::SetActiveTarget(&log);
        wxLog::AddTraceMask("chart");
        wxLogTrace("chart", "%s %s", "AG", "5001.5");
        wxLogTrace("other", "not enabled");
        wxLogMessage("a message");
        wxLog::RemoveTraceMask("chart");
        wxLog::SetActiveTarget(before);
    }
    EXPECT_EQ(wxLog::GetLogLevel(), level);
    const wxArrayString lines = ReadLines(m_path);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ("trace chart AG 5001.5", lines[1].AfterFirst(' '));
    ASSERT_EQ(1u, passedOn.size());
    EXPECT_TRUE(passedOn[0].EndsWith("a message")) << passedOn[0]; // after its time stamp
}

TEST(TracerWithoutFile, WritesNothingAndDoesNotFail)
{
    Tracer tracer;
    EXPECT_FALSE(tracer.IsOpen());
    tracer.Bus(10002, "");
    EXPECT_FALSE(tracer.Open(wxFileName::GetTempDir() + "/no/such/folder/trace.txt"));
}

TEST(BusPayload, JoinsArraysAndNeverShowsAPassword)
{
    wxArrayString login;
    login.Add("Demo");
    login.Add("alice");
    login.Add("pa|ss");
    EXPECT_EQ("Demo|alice|***", BusTracer::Payload(wxEVT_CMD_LOGIN_REQUEST, &login));
    wxArrayString changed;
    changed.Add("newSecret");
    EXPECT_EQ("***", BusTracer::Payload(wxEVT_CMD_PASSWORD_CHANGED, &changed));
    wxArrayString state;
    state.Add("Demo");
    state.Add("alice");
    state.Add("a|3");
    state.Add("b|2");
    EXPECT_EQ("Demo|alice|a|3|b|2", BusTracer::Payload(wxEVT_CMD_CONNECTION_STATE, &state));
    wxString notice = "Close Trade[C9]";
    EXPECT_EQ("Close Trade[C9]", BusTracer::Payload(wxEVT_CMD_NOTICE_CLICKED, &notice));
    EXPECT_EQ("", BusTracer::Payload(wxEVT_CMD_LOGOUT_REQUEST, nullptr));
    // An opaque pointer is not read as text.
    int client = 0;
    EXPECT_EQ("", BusTracer::Payload(wxEVT_CMD_CLIENT_CREATED, &client));
}

TEST(LoginArgument, SplitsServerUserAndAPasswordThatMayHoldCommas)
{
    const wxArrayString plain = HostOptions::ParseLogin("Demo,alice,secret");
    ASSERT_EQ(3u, plain.size());
    EXPECT_EQ("Demo", plain[0]);
    EXPECT_EQ("alice", plain[1]);
    EXPECT_EQ("secret", plain[2]);
    const wxArrayString commas = HostOptions::ParseLogin("Demo,alice,a,b,");
    ASSERT_EQ(3u, commas.size());
    EXPECT_EQ("a,b,", commas[2]);
    const wxArrayString empty = HostOptions::ParseLogin("Demo,alice,");
    ASSERT_EQ(3u, empty.size());
    EXPECT_EQ("", empty[2]);
    EXPECT_TRUE(HostOptions::ParseLogin("Demo,alice").empty());
    EXPECT_TRUE(HostOptions::ParseLogin(",alice,secret").empty());
    EXPECT_TRUE(HostOptions::ParseLogin("Demo,,secret").empty());
    EXPECT_TRUE(HostOptions::ParseLogin("").empty());
}

TEST(CommandArgument, NameAtSecondsParsesAndAnythingElseIsRefused)
{
    struct Row
    {
        const char* value;
        bool ok;
        const char* name;
        long seconds;
    };
    const Row rows[] = {
        {"Sales_report@6", true, "Sales_report", 6},
        {"calculator@0", true, "calculator", 0},
        {"odd@name@12", false, "", 0},
        {"lockScreen@86400", true, "lockScreen", 86400},
        {"lockScreen@86401", false, "", 0},
        {"lockScreen@-1", false, "", 0},
        {"lockScreen@+3", false, "", 0},
        {"lockScreen@1.5", false, "", 0},
        {"lockScreen@", false, "", 0},
        {"@6", false, "", 0},
        {"lockScreen", false, "", 0},
        {"lock Screen@6", false, "", 0},
        {"", false, "", 0},
    };
    for(const Row& row : rows) {
        HostOptions::TimedCommand command;
        EXPECT_EQ(row.ok, HostOptions::ParseCommand(row.value, command)) << row.value;
        if(row.ok) {
            EXPECT_EQ(row.name, command.name) << row.value;
            EXPECT_EQ(row.seconds, command.seconds) << row.value;
        }
    }
}

// Stands in for a plug-in on the bus.
class FakePlugin : public wxEvtHandler
{
public:
    FakePlugin() { EventNotifier::Get()->Bind(wxEVT_CMD_LOGIN_REQUEST, &FakePlugin::OnLogin, this); }
    ~FakePlugin() override
    {
        EventNotifier::Get()->Unbind(wxEVT_CMD_LOGIN_REQUEST, &FakePlugin::OnLogin, this);
    }
    wxArrayString lastLogin;

private:
    void OnLogin(wxCommandEvent& event) { lastLogin = *static_cast<wxArrayString*>(event.GetClientData()); }
};

void Send(const wxEventType& type, void* data)
{
    EventNotifier::Get()->SendCommandEvent(type, data);
}

TEST(LoginSession, AChangedPasswordIsUsedForTheNextLogin)
{
    Tracer tracer;
    LoginController login(tracer);
    FakePlugin plugin;
    login.Login("Demo", "alice", "old");
    wxArrayString changed;
    changed.Add("new");
    Send(wxEVT_CMD_PASSWORD_CHANGED, &changed);
    EXPECT_EQ("new", login.GetPassword());
    login.Login(login.GetServer(), login.GetUser(), login.GetPassword());
    ASSERT_EQ(3u, plugin.lastLogin.size());
    EXPECT_EQ("new", plugin.lastLogin[2]);
    // A change without a text keeps what there was.
    Send(wxEVT_CMD_PASSWORD_CHANGED, nullptr);
    EXPECT_EQ("new", login.GetPassword());
}

TEST(LoginSession, AKickOutLogsOutAndOffersTheLoginAgain)
{
    Tracer tracer;
    LoginController login(tracer);
    int offers = 0;
    int changes = 0;
    login.SetKickedObserver([&offers] { ++offers; });
    login.SetChangeObserver([&changes] { ++changes; });
    login.Login("Demo", "alice", "pw");
    ASSERT_TRUE(login.IsLoggedIn());
    wxCommandEvent kicked(wxEVT_CMD_USER_KICKED);
    EventNotifier::Get()->AddPendingEvent(kicked);
    EXPECT_EQ(0, offers); // queued, not yet handled
    EventNotifier::Get()->ProcessPendingEvents();
    EXPECT_EQ(1, offers);
    EXPECT_FALSE(login.IsLoggedIn());
    EXPECT_GE(changes, 2);
    EXPECT_EQ("Not logged in", login.DescribeState());
    EXPECT_EQ("alice", login.GetUser()); // kept for the dialog
    EXPECT_EQ("", login.GetPassword());  // typed again by whoever logs in
}

TEST(LoginSession, ConnectionStateIsShownWhileLoggedInAndIgnoredAfterLogout)
{
    Tracer tracer;
    LoginController login(tracer);
    wxArrayString state;
    state.Add("Demo");
    state.Add("alice");
    state.Add("10.0.0.1:7000|3");
    state.Add("10.0.0.1:7001|1");
    login.Login("Demo", "alice", "pw");
    Send(wxEVT_CMD_CONNECTION_STATE, &state);
    EXPECT_EQ("alice@Demo [Trade: Logged in, Market: Logging in]", login.DescribeState());
    state[2] = "Trade|4";
    state[3] = "Md|0";
    Send(wxEVT_CMD_CONNECTION_STATE, &state);
    EXPECT_EQ("alice@Demo [Trade: Login failed, Market: Not logged in]", login.DescribeState());
    login.Logout();
    Send(wxEVT_CMD_CONNECTION_STATE, &state);
    EXPECT_TRUE(login.GetConnectionState().empty());
    EXPECT_EQ("", login.GetPassword()); // the next user at the desk is offered none
    EXPECT_EQ("Not logged in", login.DescribeState());
}

// Records what the host sends to refresh the views.
class RefreshListener : public wxEvtHandler
{
public:
    RefreshListener() { EventNotifier::Get()->Bind(wxEVT_CMD_REFRESH_VIEWS, &RefreshListener::On, this); }
    ~RefreshListener() override
    {
        EventNotifier::Get()->Unbind(wxEVT_CMD_REFRESH_VIEWS, &RefreshListener::On, this);
    }
    // "server|user" for an event with client data, "" for one without.
    wxArrayString seen;

private:
    void On(wxCommandEvent& event)
    {
        event.Skip();
        const auto* who = static_cast<const wxArrayString*>(event.GetClientData());
        seen.Add(who ? wxJoin(*who, '|', '\0') : wxString());
    }
};

// Runs what the handler has queued.
void Drain(wxEvtHandler& handler)
{
    wxUnusedVar(handler);
    wxAppConsole::GetInstance()->ProcessPendingEvents();
}

void ReportState(const wxString& trade, const wxString& md)
{
    wxArrayString state;
    state.Add("Demo");
    state.Add("alice");
    state.Add(trade);
    state.Add(md);
    Send(wxEVT_CMD_CONNECTION_STATE, &state);
}

TEST(RefreshViews, EachSucceededLoginIsAnnouncedOnceWithTheUserAndEachLogoutWithout)
{
    const wxString path = wxFileName::CreateTempFileName("pelmora-trace");
    Tracer tracer;
    ASSERT_TRUE(tracer.Open(path));
    LoginController login(tracer);
    RefreshListener views;
    login.Login("Demo", "alice", "pw");
    ReportState("Trade|1", "Md|1");
    Drain(login);
    EXPECT_TRUE(views.seen.empty()) << "not before the trade side is in";

    ReportState("Trade|3", "Md|2");
    EXPECT_TRUE(views.seen.empty()) << "queued, not inside the plug-in's send";
    ReportState("Trade|3", "Md|3");
    Drain(login);
    ASSERT_EQ(1u, views.seen.size()) << "one announcement per login";
    EXPECT_EQ("Demo|alice", views.seen[0]);

    // A dropped and restored login refreshes again.
    ReportState("Trade|2", "Md|3");
    ReportState("Trade|3", "Md|3");
    Drain(login);
    ASSERT_EQ(2u, views.seen.size());

    login.Logout();
    ASSERT_EQ(3u, views.seen.size());
    EXPECT_EQ("", views.seen[2]);

    // Logged out before the queued announcement came: it is dropped.
    login.Login("Demo", "alice", "pw");
    ReportState("Trade|3", "Md|3");
    login.Logout();
    Drain(login);
    ASSERT_EQ(4u, views.seen.size());
    EXPECT_EQ("", views.seen[3]);

    // A kick-out is a logout too.
    login.Login("Demo", "alice", "pw");
    ReportState("Trade|3", "Md|3");
    Drain(login);
    wxCommandEvent kicked(wxEVT_CMD_USER_KICKED);
    EventNotifier::Get()->AddPendingEvent(kicked);
    EventNotifier::Get()->ProcessPendingEvents();
    ASSERT_EQ(6u, views.seen.size());
    EXPECT_EQ("Demo|alice", views.seen[4]);
    EXPECT_EQ("", views.seen[5]);

    const wxArrayString lines = ReadLines(path);
    wxArrayString refreshes;
    for(const wxString& line : lines) {
        if(line.AfterFirst(' ').StartsWith("bus 11111")) {
            refreshes.Add(line.AfterFirst(' '));
        }
    }
    ASSERT_EQ(6u, refreshes.size());
    EXPECT_EQ("bus 11111 Demo|alice", refreshes[0]);
    EXPECT_EQ("bus 11111 ", refreshes[2]);
    wxRemoveFile(path);
}
} // namespace
