// The plug-in's 500 ms tick and what shut-down does to its timers and events.
#include "EventPump.h"
#include "FakeHost.h"
#include "app/PluginExports.h"
#include "common/PluginEvents.h"
#include "connection/RequestCallBack.h"
#include "connection/RequestNotify.h"
#include "frame/TessrinPlugin.h"

#include <gtest/gtest.h>
#include <vector>
#include <wx/app.h>

namespace {

class Waiter : public RequestCallBack
{
public:
    void OnResponse(int requestId, int errorCode, const wxString& text) override
    {
        wxUnusedVar(text);
        answers.push_back({requestId, errorCode});
    }
    void OnResponseTimeOut(int requestId) override { timedOut.push_back(requestId); }

    std::vector<std::pair<int, int>> answers;
    std::vector<int> timedOut;
};

class PluginTimersTest : public ::testing::Test
{
protected:
    PluginTimersTest() : m_host("{}") { m_plugin = static_cast<TessrinPlugin*>(CreatePlugin(&m_host)); }
    ~PluginTimersTest() override
    {
        if(m_plugin) {
            m_plugin->UnPlug();
            delete m_plugin;
        }
        RequestNotify::Release();
    }

    FakeHost m_host;
    TessrinPlugin* m_plugin;
};

} // namespace

TEST_F(PluginTimersTest, TheTickTimesOutExpiredWaitsEvenWithoutAClient)
{
    Waiter waiter;
    RequestNotify::Get()->WaitResponse(41, &waiter, 0);
    RequestNotify::Get()->WaitResponse(42, &waiter, 60000);
    ASSERT_TRUE(PumpUntil([&] { return !waiter.timedOut.empty(); }, std::chrono::milliseconds(3000)));
    EXPECT_EQ(waiter.timedOut, std::vector<int>{41});
    EXPECT_TRUE(RequestNotify::Get()->IsWaiting(42));
    EXPECT_TRUE(waiter.answers.empty());
}

TEST_F(PluginTimersTest, TheTickSwitchesTheBlinkPhaseBackAndForth)
{
    const int start = g_blinkPhase;
    ASSERT_TRUE(start == 1 || start == 2);
    ASSERT_TRUE(PumpUntil([&] { return g_blinkPhase != start; }, std::chrono::milliseconds(3000)));
    EXPECT_EQ(g_blinkPhase, 3 - start);
    ASSERT_TRUE(PumpUntil([&] { return g_blinkPhase == start; }, std::chrono::milliseconds(3000)));
}

TEST_F(PluginTimersTest, UnPlugAnnouncesTheUnloadAndStopsEveryTimer)
{
    int unplugs = 0;
    auto count = [&unplugs](wxCommandEvent& event) {
        ++unplugs;
        event.Skip();
    };
    wxTheApp->Bind(wxEVT_PLUGIN_UNPLUG, count);
    m_plugin->UnPlug();
    wxTheApp->Unbind(wxEVT_PLUGIN_UNPLUG, count);
    EXPECT_EQ(unplugs, 1);

    // No tick runs any more: an expired wait stays where it is.
    Waiter waiter;
    RequestNotify::Get()->WaitResponse(7, &waiter, 0);
    const int phase = g_blinkPhase;
    PumpFor(std::chrono::milliseconds(1200));
    EXPECT_TRUE(waiter.timedOut.empty());
    EXPECT_EQ(g_blinkPhase, phase);
    RequestNotify::Get()->RemoveCallBack(&waiter);
    delete m_plugin;
    m_plugin = nullptr;
}
