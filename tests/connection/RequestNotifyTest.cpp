#include "connection/RequestNotify.h"

#include "connection/ErrorTextTable.h"
#include "connection/RequestCallBack.h"
#include "connection/RequestId.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include <wx/debug.h>

namespace {

// Records every call it receives as one line, in a log shared by windows.
class RecordingWindow : public RequestCallBack
{
public:
    RecordingWindow(std::string name, std::vector<std::string>& log) : m_name(std::move(name)), m_log(log) {}

    void OnResponse(int requestId, int errorCode, const wxString& text) override
    {
        m_log.push_back(m_name + " answer " + std::to_string(requestId) + " " + std::to_string(errorCode) +
                        " " + text.utf8_string());
        if(onResponse) {
            onResponse(requestId);
        }
    }
    void OnResponseTimeOut(int requestId) override
    {
        m_log.push_back(m_name + " timeout " + std::to_string(requestId));
        if(onTimeOut) {
            onTimeOut(requestId);
        }
    }

    std::function<void(int)> onResponse;
    std::function<void(int)> onTimeOut;

private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

class RequestNotifyTest : public ::testing::Test
{
protected:
    RequestNotifyTest()
        : m_now(wxDateTime(8, wxDateTime::Dec, 2026, 10, 0, 0, 0)),
          m_registry([this] { return m_now; }, &m_errors)
    {
        m_errors.InitErrorTexts();
        m_errors.SetConfiguredText(5, wxString::FromUTF8("登录被拒绝"));
    }

    void Advance(long ms) { m_now += wxTimeSpan::Milliseconds(ms); }

    wxDateTime m_now;
    ErrorTextTable m_errors;
    RequestNotify m_registry;
    std::vector<std::string> m_log;
};

} // namespace

TEST_F(RequestNotifyTest, SecondWaitForTheSameIdKeepsTheFirstWindowAndDeadline)
{
    RecordingWindow first("first", m_log);
    RecordingWindow second("second", m_log);
    m_registry.WaitResponse(7, &first, 10000);
    const wxDateTime deadline = m_registry.GetDeadline(7);
    Advance(500);
    m_registry.WaitResponse(7, &second, 60000);

    EXPECT_EQ(m_registry.GetCount(), 1u);
    EXPECT_EQ(m_registry.GetDeadline(7), deadline);
    m_registry.NotifyResponse(7, 0, "ok");
    EXPECT_EQ(m_log, std::vector<std::string>{"first answer 7 0 ok"});
}

TEST_F(RequestNotifyTest, OneHourIsAcceptedAndLongerIsCutToOneHourWithAnAssertion)
{
    RecordingWindow window("w", m_log);
    m_registry.WaitResponse(1, &window, 3600000);
    EXPECT_EQ(m_registry.GetDeadline(1), m_now + wxTimeSpan::Hour());

    static int assertions = 0;
    assertions = 0;
    wxAssertHandler_t previous =
        wxSetAssertHandler([](const wxString&, int, const wxString&, const wxString& cond, const wxString&) {
            if(cond == "timeout <= 1000 * 60 * 60") {
                ++assertions;
            }
        });
    m_registry.WaitResponse(2, &window, 3600001);
    wxSetAssertHandler(previous);

    EXPECT_EQ(assertions, 1);
    EXPECT_EQ(m_registry.GetDeadline(2), m_now + wxTimeSpan::Hour());
}

TEST_F(RequestNotifyTest, AnswerEndsTheWaitAndPassesTheServerTextUnlessTheCodeIsConfigured)
{
    RecordingWindow window("w", m_log);
    m_registry.WaitResponse(1, &window, 10000);
    m_registry.WaitResponse(2, &window, 10000);
    m_registry.WaitResponse(3, &window, 10000);

    m_registry.NotifyResponse(1, 0, "done");
    m_registry.NotifyResponse(2, 5, "server words");
    m_registry.NotifyResponse(3, 31, "server words"); // built-in, not configured
    m_registry.NotifyResponse(1, 0, "again");         // already answered: dropped

    EXPECT_EQ(m_log, (std::vector<std::string>{"w answer 1 0 done", "w answer 2 5 登录被拒绝",
                                               "w answer 3 31 server words"}));
    EXPECT_EQ(m_registry.GetCount(), 0u);
}

TEST_F(RequestNotifyTest, AnswerForAnUnknownIdCallsNobody)
{
    RecordingWindow window("w", m_log);
    m_registry.WaitResponse(1, &window, 10000);
    m_registry.NotifyResponse(99, 0, "stray");
    EXPECT_TRUE(m_log.empty());
    EXPECT_TRUE(m_registry.IsWaiting(1));
}

TEST_F(RequestNotifyTest, NotifyAllFailsEveryWaitOnceAndEndsIt)
{
    RecordingWindow a("a", m_log);
    RecordingWindow b("b", m_log);
    m_registry.WaitResponse(1, &a, 10000);
    m_registry.WaitResponse(2, &b, 10000);

    m_registry.NotifyAll(1, "disconnected");
    ASSERT_EQ(m_log.size(), 2u);
    EXPECT_NE(std::find(m_log.begin(), m_log.end(), "a answer 1 1 disconnected"), m_log.end());
    EXPECT_NE(std::find(m_log.begin(), m_log.end(), "b answer 2 1 disconnected"), m_log.end());
    EXPECT_EQ(m_registry.GetCount(), 0u);

    // A stale wait must not answer for, or time out, the next request.
    m_registry.NotifyResponse(1, 0, "late");
    Advance(20000);
    m_registry.CheckTimeOut(m_now);
    EXPECT_EQ(m_log.size(), 2u);
}

TEST_F(RequestNotifyTest, NotifyAllUsesTheConfiguredTextOfItsCode)
{
    RecordingWindow window("w", m_log);
    m_registry.WaitResponse(1, &window, 10000);
    m_registry.NotifyAll(5, "caller text");
    EXPECT_EQ(m_log, std::vector<std::string>{"w answer 1 5 登录被拒绝"});
}

TEST_F(RequestNotifyTest, NotifyAllSkipsWaitsWithdrawnByAnEarlierCallback)
{
    RecordingWindow a("a", m_log);
    RecordingWindow b("b", m_log);
    m_registry.WaitResponse(1, &a, 10000);
    m_registry.WaitResponse(2, &b, 10000);
    // Whichever is failed first withdraws the other, as a closing dialog
    // that owns the other window would.
    a.onResponse = [&](int) { m_registry.RemoveCallBack(&b); };
    b.onResponse = [&](int) { m_registry.RemoveCallBack(&a); };

    m_registry.NotifyAll(1, "down");
    EXPECT_EQ(m_log.size(), 1u);
    EXPECT_EQ(m_registry.GetCount(), 0u);
}

TEST_F(RequestNotifyTest, WaitRegisteredDuringNotifyAllSurvivesIt)
{
    RecordingWindow window("w", m_log);
    m_registry.WaitResponse(1, &window, 10000);
    window.onResponse = [&](int id) {
        if(id == 1) {
            m_registry.WaitResponse(2, &window, 10000);
        }
    };
    m_registry.NotifyAll(1, "down");
    EXPECT_EQ(m_log.size(), 1u);
    EXPECT_TRUE(m_registry.IsWaiting(2));
}

TEST_F(RequestNotifyTest, RemoveCallBackWithdrawsEveryWaitOfTheWindowSilently)
{
    RecordingWindow window("w", m_log);
    RecordingWindow other("o", m_log);
    m_registry.WaitResponse(1, &window, 10000);
    m_registry.WaitResponse(2, &window, 10000);
    m_registry.WaitResponse(3, &window, 10000);
    m_registry.WaitResponse(4, &other, 10000);

    m_registry.RemoveCallBack(&window);
    EXPECT_EQ(m_registry.GetCount(), 1u);
    EXPECT_TRUE(m_registry.IsWaiting(4));
    Advance(20000);
    m_registry.CheckTimeOut(m_now);
    EXPECT_EQ(m_log, std::vector<std::string>{"o timeout 4"});
}

TEST_F(RequestNotifyTest, RemoveRequestWithdrawsOnlyThatId)
{
    RecordingWindow window("w", m_log);
    m_registry.WaitResponse(1, &window, 10000);
    m_registry.WaitResponse(2, &window, 10000);
    m_registry.RemoveRequest(1);
    m_registry.RemoveRequest(42);
    EXPECT_FALSE(m_registry.IsWaiting(1));
    EXPECT_TRUE(m_registry.IsWaiting(2));
    EXPECT_TRUE(m_log.empty());
}

TEST_F(RequestNotifyTest, TimeOutsRunEarliestDeadlineFirstAndADeadlineEqualToNowExpires)
{
    RecordingWindow window("w", m_log);
    m_registry.WaitResponse(1, &window, 3000);
    m_registry.WaitResponse(2, &window, 1000);
    m_registry.WaitResponse(3, &window, 5000);

    Advance(2999);
    m_registry.CheckTimeOut(m_now);
    EXPECT_EQ(m_log, std::vector<std::string>{"w timeout 2"});

    Advance(1); // exactly the deadline of id 1
    m_registry.CheckTimeOut(m_now);
    EXPECT_EQ(m_log, (std::vector<std::string>{"w timeout 2", "w timeout 1"}));
    EXPECT_TRUE(m_registry.IsWaiting(3));
}

TEST_F(RequestNotifyTest, TwoOverdueWaitsTimeOutInDeadlineOrderInOneSweep)
{
    RecordingWindow window("w", m_log);
    m_registry.WaitResponse(10, &window, 8000);
    m_registry.WaitResponse(11, &window, 2000);
    Advance(60000);
    m_registry.CheckTimeOut(m_now);
    EXPECT_EQ(m_log, (std::vector<std::string>{"w timeout 11", "w timeout 10"}));
    EXPECT_EQ(m_registry.GetCount(), 0u);
}

TEST_F(RequestNotifyTest, TimeOutCallbackMayRegisterAndWithdrawWaits)
{
    RecordingWindow window("w", m_log);
    RecordingWindow other("o", m_log);
    m_registry.WaitResponse(1, &window, 1000);
    m_registry.WaitResponse(2, &other, 1000);
    window.onTimeOut = [&](int) {
        m_registry.RemoveCallBack(&other);
        m_registry.WaitResponse(3, &window, 10000); // a resend
    };
    other.onTimeOut = [&](int) { m_registry.RemoveCallBack(&window); };

    Advance(1000);
    m_registry.CheckTimeOut(m_now);
    ASSERT_EQ(m_log.size(), 1u);
    if(m_log[0] == "w timeout 1") {
        EXPECT_TRUE(m_registry.IsWaiting(3));
    } else {
        EXPECT_EQ(m_log[0], "o timeout 2");
        EXPECT_EQ(m_registry.GetCount(), 0u);
    }
}

TEST(RequestNotifySingleton, GetReturnsOneObjectUntilReleased)
{
    RequestNotify::Release();
    EXPECT_EQ(RequestNotify::GetIfExists(), nullptr);
    RequestNotify* first = RequestNotify::Get();
    EXPECT_EQ(RequestNotify::Get(), first);
    EXPECT_EQ(RequestNotify::GetIfExists(), first);
    RequestNotify::Release();
    EXPECT_EQ(RequestNotify::GetIfExists(), nullptr);
}

TEST(RequestNotifySingleton, DestroyedWindowLeavesNoWaitBehind)
{
    RequestNotify::Release();
    std::vector<std::string> log;
    RecordingWindow survivor("s", log);
    {
        RecordingWindow window("w", log);
        RequestNotify::Get()->WaitResponse(1, &window, 10000);
        RequestNotify::Get()->WaitResponse(2, &window, 10000);
        RequestNotify::Get()->WaitResponse(3, &survivor, 10000);
    }
    EXPECT_EQ(RequestNotify::Get()->GetCount(), 1u);
    RequestNotify::Get()->NotifyAll(1, "down");
    EXPECT_EQ(log, std::vector<std::string>{"s answer 3 1 down"});
    RequestNotify::Release();
}

TEST(RequestNotifySingleton, WindowOutlivingTheRegistryIsDestroyedSafely)
{
    RequestNotify::Release();
    std::vector<std::string> log;
    auto window = std::make_unique<RecordingWindow>("w", log);
    RequestNotify::Get()->WaitResponse(1, window.get(), 10000);
    RequestNotify::Release();
    window.reset(); // must not recreate or touch a released registry
    EXPECT_EQ(RequestNotify::GetIfExists(), nullptr);
}

TEST(RequestIdCounter, EveryCallTakesTheNextNumber)
{
    const int start = g_requestId;
    EXPECT_EQ(NextRequestId(), start + 1);
    EXPECT_EQ(NextRequestId(), start + 2);
    EXPECT_EQ(g_requestId, start + 2);
}

TEST(RequestIdCounter, WrapsAfterTheLargestInt)
{
    const int saved = g_requestId;
    g_requestId = INT_MAX;
    EXPECT_EQ(NextRequestId(), INT_MIN);
    g_requestId = saved;
}
