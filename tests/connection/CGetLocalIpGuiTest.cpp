#include "EventPump.h"
#include "LoopbackHttpServer.h"
#include "TestSocket.h"
#include "connection/CGetLocalIp.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <pelmora/JobQueueSingleton.h>
#include <string>
#include <thread>
#include <wx/log.h>

using namespace std::chrono_literals;

namespace {
// The queue's workers are wx threads: stop them while wx is still up.
class JobQueueRelease : public ::testing::Environment
{
public:
    void TearDown() override { JobQueueSingleton::Release(); }
};
::testing::Environment* const g_queueRelease = ::testing::AddGlobalTestEnvironment(new JobQueueRelease);
} // namespace

namespace {
// Keeps every log text written on the GUI thread.
class LogCapture : public wxLog
{
public:
    int Count(const wxString& text) const
    {
        int n = 0;
        for(const wxString& line : m_lines) {
            n += line.Contains(text) ? 1 : 0;
        }
        return n;
    }

protected:
    void DoLogTextAtLevel(wxLogLevel, const wxString& msg) override { m_lines.push_back(msg); }

private:
    wxArrayString m_lines;
};

// An HTTP server whose "/getip" gives a fixed answer and counts its calls.
class IpServer
{
public:
    explicit IpServer(std::string answer, std::chrono::milliseconds delay = 0ms)
    {
        m_http.server().Get("/getip", [this, answer, delay](const httplib::Request&, httplib::Response& res) {
            ++m_calls;
            std::this_thread::sleep_for(delay);
            res.set_content(answer, "text/plain");
        });
        m_http.Start();
    }
    wxString Entry() const { return m_http.Base(); }
    int Calls() const { return m_calls; }

private:
    std::atomic<int> m_calls{0};
    LoopbackHttpServer m_http;
};

wxString Entry(const TestSocket& socket)
{
    return socket.Base();
}

class LocalIpProbe : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_localIp.clear();
        m_log = new LogCapture;
        m_previousLog = wxLog::SetActiveTarget(m_log);
    }
    void TearDown() override
    {
        delete wxLog::SetActiveTarget(m_previousLog);
        g_localIp.clear();
    }

    static wxArrayString Servers(std::initializer_list<wxString> entries)
    {
        wxArrayString list;
        for(const wxString& entry : entries) {
            list.push_back(entry);
        }
        return list;
    }

    // Runs one probe to its report (exactly one) and gives the cached address.
    wxString Probe(const wxArrayString& servers)
    {
        int reports = 0;
        m_probe.SendRequests(servers, [&reports] { ++reports; });
        EXPECT_TRUE(PumpUntil([&] { return reports > 0; }, 15s)) << "the probe never reported";
        PumpFor(50ms);
        EXPECT_EQ(reports, 1);
        EXPECT_FALSE(m_probe.IsRunning());
        return g_localIp;
    }

    LogCapture* m_log = nullptr;
    CGetLocalIp m_probe;

private:
    wxLog* m_previousLog = nullptr;
};
} // namespace

TEST_F(LocalIpProbe, PlainAnswerBecomesTheCachedAddress)
{
    IpServer server("10.1.2.3");
    EXPECT_EQ(Probe(Servers({server.Entry()})), "10.1.2.3");
    EXPECT_EQ(g_localIp, "10.1.2.3");
    EXPECT_EQ(m_log->Count("localIp : 10.1.2.3"), 1);
}

TEST_F(LocalIpProbe, SilentServerDoesNotHoldBackTheOneThatAnswers)
{
    TestSocket silent(true);
    IpServer good("{\"ip\":\"192.168.1.20\"}");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Probe(Servers({Entry(silent), good.Entry()})), "192.168.1.20");
    // The answer wins as soon as it arrives; the silent job is cancelled,
    // not waited out (its time-out is 3 s).
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2500ms);
}

TEST_F(LocalIpProbe, AnswerWithoutAWellFormedAddressCountsAsOneFailure)
{
    IpServer bad("1234.5.6.78");
    IpServer late("10.0.0.9", 200ms);
    EXPECT_EQ(Probe(Servers({bad.Entry(), late.Entry()})), "10.0.0.9");
    EXPECT_EQ(m_log->Count("GetLocalIp : Failed"), 0);
}

TEST_F(LocalIpProbe, EveryServerFailingLeavesTheCacheEmptyAndTheNextLoginProbesAgain)
{
    TestSocket refused(false);
    IpServer noAddress("no address");
    EXPECT_EQ(Probe(Servers({Entry(refused), noAddress.Entry()})), "");
    EXPECT_EQ(m_log->Count("GetLocalIp : Failed"), 1);
    EXPECT_TRUE(g_localIp.empty());

    IpServer good("10.4.4.4");
    EXPECT_EQ(Probe(Servers({good.Entry()})), "10.4.4.4");
    EXPECT_EQ(good.Calls(), 1);
}

TEST_F(LocalIpProbe, KnownAddressIsNotProbedAgain)
{
    IpServer first("10.1.1.1");
    ASSERT_EQ(Probe(Servers({first.Entry()})), "10.1.1.1");

    IpServer second("10.2.2.2");
    EXPECT_EQ(Probe(Servers({second.Entry()})), "10.1.1.1");
    EXPECT_EQ(second.Calls(), 0);
}

TEST_F(LocalIpProbe, AServerThatNeverStopsTricklingIsGivenUpAtTheLimit)
{
    std::atomic<bool> stop{false};
    LoopbackHttpServer http;
    http.server().Get("/getip", [&stop](const httplib::Request&, httplib::Response& res) {
        res.set_chunked_content_provider("text/plain", [&stop](size_t, httplib::DataSink& sink) {
            std::this_thread::sleep_for(200ms);
            return !stop && sink.write(" ", 1);
        });
    });
    http.Start();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Probe(Servers({http.Base()})), "");
    EXPECT_GE(std::chrono::steady_clock::now() - start,
              std::chrono::milliseconds(CGetLocalIp::kProbeLimitMs));
    EXPECT_EQ(m_log->Count("GetLocalIp : Failed"), 1);
    stop = true;
}

TEST_F(LocalIpProbe, EmptyServerListEndsAtOnceWithoutAnAddress)
{
    EXPECT_EQ(Probe(wxArrayString()), "");
    EXPECT_TRUE(g_localIp.empty());
}
