#include "FakeHost.h"
#include "ScreenshotSaver.h"
#include "app/PluginExports.h"
#include "common/SettingsAccessors.h"
#include "frame/LockScreen.h"
#include "frame/TessrinPlugin.h"

#include <functional>
#include <gtest/gtest.h>
#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <wx/app.h>
#include <wx/aui/auibar.h>
#include <wx/aui/framemanager.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/xrc/xmlres.h>

namespace {

int Id(const char* name)
{
    return wxXmlResource::GetXRCID(name);
}

// The test host with what the tool bar and menus need: an AUI-managed frame
// with the host's panes and menus, and a switch for plug-in tool bars. Its
// server list has one server (with none, a login would bring a box).
class ToolBarHost : public FakeHost
{
public:
    explicit ToolBarHost(bool toolBars) : FakeHost(R"({"server": [{"name": "Demo"}]})"), m_toolBars(toolBars)
    {
        wxFrame* frame = GetMainFrame();
        frame->SetSize(1000, 700);
        m_aui.SetManagedWindow(frame);
        m_centre = new wxTextCtrl(frame, wxID_ANY, "centre");
        m_output = new wxTextCtrl(frame, wxID_ANY, "output");
        m_aui.AddPane(m_centre, wxAuiPaneInfo().Name("Editor").CenterPane());
        m_aui.AddPane(m_output, wxAuiPaneInfo().Name("Output").Bottom().BestSize(800, 150));
        auto* system = new wxMenu;
        system->Append(XRCID("login"), "Login");
        auto* money = new wxMenu;
        money->Append(XRCID("in_money"), "Deposit");
        money->Append(XRCID("transfer_Acc"), "Transfer");
        money->Append(XRCID("change_MainAcc"), "Main account");
        money->Append(XRCID("setsurety_Money"), "Surety");
        auto* bar = new wxMenuBar;
        bar->Append(system, "System");
        bar->Append(money, "MoneyMgr");
        bar->Append(new wxMenu, "ToolsMgr");
        frame->SetMenuBar(bar);
        m_aui.Update();
    }
    ~ToolBarHost() override { m_aui.UnInit(); }

    bool ToolBarsEnabled() const override { return m_toolBars; }
    wxMenuBar* GetMainMenuBar() override { return GetMainFrame()->GetMenuBar(); }
    wxAuiManager* GetAuiManager() override { return &m_aui; }

    // What the host does with the plug-in's bar.
    void Dock(wxAuiToolBar* toolBar)
    {
        m_aui.AddPane(toolBar, wxAuiPaneInfo().Name("PluginToolBar1").ToolbarPane().Top().Gripper(false));
        m_aui.Update();
    }

    wxTextCtrl* Centre() { return m_centre; }

private:
    bool m_toolBars;
    wxAuiManager m_aui;
    wxTextCtrl* m_centre; // owned by the frame
    wxTextCtrl* m_output; // owned by the frame
};

class PluginFrameTest : public ::testing::Test
{
protected:
    explicit PluginFrameTest(bool toolBars = true) : m_host(toolBars)
    {
        m_plugin = static_cast<TessrinPlugin*>(CreatePlugin(&m_host));
        EventNotifier::Get()->Bind(wxEVT_CMD_FULLSCREEN_TOGGLED, &PluginFrameTest::OnFullScreenToggled, this);
    }
    ~PluginFrameTest() override
    {
        EventNotifier::Get()->Unbind(wxEVT_CMD_FULLSCREEN_TOGGLED, &PluginFrameTest::OnFullScreenToggled,
                                     this);
        if(m_plugin) {
            m_plugin->UnPlug();
            delete m_plugin;
        }
    }

    wxAuiToolBar* Build()
    {
        wxAuiToolBar* bar = m_plugin->BuildToolBar(m_host.GetMainFrame());
        if(bar) {
            m_host.Dock(bar);
        }
        return bar;
    }

    // A key released in a window of the host, as the user would.
    void ReleaseKey(int keyCode)
    {
        wxKeyEvent key(wxEVT_KEY_UP);
        key.m_keyCode = keyCode;
        key.SetEventObject(m_host.Centre());
        m_host.Centre()->ProcessWindowEvent(key);
    }

    void OnFullScreenToggled(wxCommandEvent& event)
    {
        ++m_toggled;
        event.Skip();
    }

    ToolBarHost m_host;
    TessrinPlugin* m_plugin;
    int m_toggled = 0;
};

class RefusingHostTest : public PluginFrameTest
{
protected:
    RefusingHostTest() : PluginFrameTest(false) {}
};

TEST_F(RefusingHostTest, NoToolBarIsBuiltAndTheToolOperationsDoNothing)
{
    EXPECT_EQ(nullptr, m_plugin->BuildToolBar(m_host.GetMainFrame()));
    EXPECT_EQ(nullptr, m_plugin->GetToolBar());
    m_plugin->UpdatePeriodTools(true);
    m_plugin->UpdateOrderTools(false);
    m_plugin->UpdateChartTypeTools(true);
    m_plugin->ToggleChartTypeTool(1);
    ReleaseKey(WXK_F1);
    EXPECT_EQ(1, m_toggled);
    ReleaseKey(WXK_ESCAPE);
}

TEST_F(PluginFrameTest, AfterBuildingOnlyTheOrderToolsAreEnabledAmongTheChartTools)
{
    wxAuiToolBar* bar = Build();
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(bar, m_plugin->GetToolBar());
    EXPECT_EQ(bar, m_plugin->BuildToolBar(m_host.GetMainFrame())) << "built once";
    for(const char* name : {"chart_holc", "chart_candlestick", "chart_timeShared", "chart_zoom_in",
                            "chart_zoom_out", "chart_m1", "chart_h4", "chart_mn"}) {
        EXPECT_FALSE(bar->GetToolEnabled(Id(name))) << name;
    }
    for(const char* name : {"new_buy_order", "new_sell_order", "Sales_report", "toolsMgr", "moneyMgr"}) {
        EXPECT_TRUE(bar->GetToolEnabled(Id(name))) << name;
    }
}

TEST_F(PluginFrameTest, TheDockedToolBarShowsAboveTheCentre)
{
    wxAuiToolBar* bar = Build();
    ASSERT_NE(nullptr, bar);
    m_host.GetMainFrame()->Show();
    for(int i = 0; i < 20; ++i) {
        wxYield();
    }
    EXPECT_TRUE(bar->IsShown());
    EXPECT_LT(bar->GetScreenRect().GetBottom(), m_host.Centre()->GetScreenRect().GetTop() + 1);
    const wxRect sales = bar->GetToolRect(Id("Sales_report"));
    const wxRect monthly = bar->GetToolRect(Id("chart_mn"));
    EXPECT_FALSE(sales.IsEmpty());
    EXPECT_LT(sales.GetRight(), monthly.GetLeft()) << "tools laid out left to right";
    EXPECT_TRUE(SaveWindowScreenshot(m_host.GetMainFrame(), "plugin_tool_bar.png"));
}

TEST_F(PluginFrameTest, ChartPageInFrontThenAnotherPageSwitchesTheToolGroups)
{
    wxAuiToolBar* bar = Build();
    ASSERT_NE(nullptr, bar);
    // A one-hour candlestick chart of an OTC symbol comes to the front.
    m_plugin->UpdateChartTypeTools(true);
    m_plugin->UpdatePeriodTools(true);
    m_plugin->ToggleChartTypeTool(1);
    bar->ToggleTool(m_plugin->ToolIdFromPeriod(6), true);
    m_plugin->UpdateOrderTools(true);
    EXPECT_TRUE(bar->GetToolToggled(Id("chart_candlestick")));
    EXPECT_FALSE(bar->GetToolToggled(Id("chart_holc")));
    EXPECT_TRUE(bar->GetToolToggled(Id("chart_h1")));
    EXPECT_TRUE(bar->GetToolEnabled(Id("chart_zoom_in")));
    EXPECT_TRUE(bar->GetToolEnabled(Id("chart_m30")));
    EXPECT_EQ(5, m_plugin->PeriodFromToolId(Id("chart_h1")));

    // The time-shared type replaces candlestick in its group; an unknown type
    // shows HOLC.
    m_plugin->ToggleChartTypeTool(2);
    EXPECT_TRUE(bar->GetToolToggled(Id("chart_timeShared")));
    EXPECT_FALSE(bar->GetToolToggled(Id("chart_candlestick")));
    m_plugin->ToggleChartTypeTool(9);
    EXPECT_TRUE(bar->GetToolToggled(Id("chart_holc")));
    EXPECT_FALSE(bar->GetToolToggled(Id("chart_timeShared")));

    // A web page comes to the front.
    m_plugin->UpdateChartTypeTools(false);
    m_plugin->UpdatePeriodTools(false);
    m_plugin->UpdateOrderTools(false);
    EXPECT_FALSE(bar->GetToolEnabled(Id("chart_zoom_out")));
    EXPECT_FALSE(bar->GetToolEnabled(Id("chart_d1")));
    EXPECT_FALSE(bar->GetToolEnabled(Id("new_sell_order")));
    EXPECT_TRUE(bar->GetToolEnabled(Id("Sales_report")));
}

TEST_F(PluginFrameTest, DropDownsWithoutAHostMenuAreSkipped)
{
    wxAuiToolBar* bar = Build();
    ASSERT_NE(nullptr, bar);
    wxAuiToolBarEvent sales(wxEVT_AUITOOLBAR_TOOL_DROPDOWN, Id("Sales_report"));
    sales.SetToolId(Id("Sales_report"));
    m_plugin->OnToolDropDown(sales);
    EXPECT_TRUE(sales.GetSkipped());

    wxMenuBar* menuBar = m_host.GetMainMenuBar();
    std::unique_ptr<wxMenu> tools(menuBar->Remove(menuBar->FindMenu("ToolsMgr")));
    wxAuiToolBarEvent toolsMenu(wxEVT_AUITOOLBAR_TOOL_DROPDOWN, Id("toolsMgr"));
    toolsMenu.SetToolId(Id("toolsMgr"));
    m_plugin->OnToolDropDown(toolsMenu);
    EXPECT_TRUE(toolsMenu.GetSkipped());
    EXPECT_EQ(2u, menuBar->GetMenuCount());
}

TEST_F(PluginFrameTest, TheMoneyDropDownPopsUpTheHostMenuAndGivesItBack)
{
    wxAuiToolBar* bar = Build();
    ASSERT_NE(nullptr, bar);
    m_host.GetMainFrame()->Show();
    for(int i = 0; i < 20; ++i) {
        wxYield(); // let the frame appear before a menu pops up over it
    }
    wxMenuBar* menuBar = m_host.GetMainMenuBar();
    wxMenu* money = menuBar->GetMenu(1);
    int indexWhileShown = 0;
    int escapes = 0;
    // The pop-up is modal: Escape from the "keyboard" closes it.
    wxTimer closer;
    closer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if(escapes++ == 0) {
            indexWhileShown = menuBar->FindMenu("MoneyMgr");
        }
        wxUIActionSimulator().Char(WXK_ESCAPE);
        if(escapes > 25) {
            closer.Stop();
        }
    });
    closer.Start(200);
    wxAuiToolBarEvent dropDown(wxEVT_AUITOOLBAR_TOOL_DROPDOWN, Id("moneyMgr"));
    dropDown.SetToolId(Id("moneyMgr"));
    m_plugin->OnToolDropDown(dropDown);
    closer.Stop();
    EXPECT_FALSE(dropDown.GetSkipped());
    EXPECT_EQ(wxNOT_FOUND, indexWhileShown) << "lent out of the menu bar while it shows";
    EXPECT_EQ(1, menuBar->FindMenu("MoneyMgr"));
    EXPECT_EQ(money, menuBar->GetMenu(1));
    EXPECT_EQ(3u, menuBar->GetMenuCount());
}

TEST_F(PluginFrameTest, EveryKeyReleaseUpdatesTheFrameAndTellsTheBus)
{
    ASSERT_NE(nullptr, Build());
    m_host.GetMainFrame()->Show();
    wxKeyEvent key(wxEVT_KEY_UP);
    key.m_keyCode = 'A';
    m_plugin->OnKeyUp(key);
    EXPECT_EQ(1, m_toggled);
    EXPECT_TRUE(key.GetSkipped());
    EXPECT_EQ(1, key.StopPropagation()) << "handed on one level";
    EXPECT_FALSE(m_host.GetMainFrame()->IsFullScreen());

    ReleaseKey('B'); // through the application object
    EXPECT_EQ(2, m_toggled);
}

TEST_F(PluginFrameTest, F1HidesEverythingButTheCentreAndEscapeBringsItBack)
{
    wxAuiToolBar* bar = Build();
    ASSERT_NE(nullptr, bar);
    m_host.GetMainFrame()->Show();
    wxAuiManager* aui = m_host.GetAuiManager();

    ReleaseKey(WXK_F1);
    EXPECT_EQ(1, m_toggled);
    EXPECT_TRUE(m_host.GetMainFrame()->IsFullScreen());
    EXPECT_FALSE(aui->GetPane("Output").IsShown());
    EXPECT_FALSE(aui->GetPane(bar).IsShown());
    EXPECT_TRUE(aui->GetPane("Editor").IsShown());
    EXPECT_FALSE(bar->IsShown());

    ReleaseKey(WXK_ESCAPE);
    EXPECT_EQ(2, m_toggled);
    EXPECT_FALSE(m_host.GetMainFrame()->IsFullScreen());
    EXPECT_TRUE(aui->GetPane("Output").IsShown());
    EXPECT_TRUE(aui->GetPane(bar).IsShown());
    EXPECT_TRUE(bar->IsShown());
}

TEST_F(PluginFrameTest, UnloadDisconnectsTheApplicationWideHandlers)
{
    ASSERT_NE(nullptr, Build());
    m_plugin->UnPlug();
    ReleaseKey('A');
    EXPECT_EQ(0, m_toggled);
    delete m_plugin;
    m_plugin = nullptr;
    ReleaseKey('A');
    EXPECT_EQ(0, m_toggled);
}

// The lock screen as the plug-in shows it: a due lock runs the dialog's modal
// loop inside the event handler, so the test acts from inside that loop.
class PluginLockTest : public PluginFrameTest
{
protected:
    PluginLockTest() : m_now(wxDateTime(8, wxDateTime::Dec, 2026, 22, 0, 0))
    {
        m_plugin->SetIdleClock([this] { return m_now; });
        m_host.GetMainFrame()->Show();
        SetLockScreenInterval(60);
    }

    void LogIn(const wxString& password)
    {
        wxArrayString request;
        request.Add("NoSuchServer"); // the digest is kept even for an unknown server
        request.Add("trader");
        request.Add(password);
        EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_LOGIN_REQUEST, &request);
    }

    void Click()
    {
        wxMouseEvent click(wxEVT_LEFT_DOWN);
        click.SetEventObject(m_host.Centre());
        m_host.Centre()->ProcessWindowEvent(click);
    }

    void Advance(long seconds) { m_now += wxTimeSpan::Seconds(seconds); }

    // One idle pass of the application, then what it posted. `inDialog` runs
    // inside the lock screen's loop when one opens; the dialog gets five
    // seconds before it is ended from outside.
    void IdleAndRun(std::function<void(LockScreen&)> inDialog)
    {
        // The idle check posts the lock; the probe queued after it runs
        // inside the dialog's loop.
        RunWithDialog(
            false,
            [] {
                wxIdleEvent idle;
                idle.SetEventObject(wxTheApp);
                wxTheApp->ProcessEvent(idle);
            },
            std::move(inDialog));
    }

    // `trigger` either opens the dialog itself or posts what opens it.
    void RunWithDialog(bool opensAtOnce, std::function<void()> trigger,
                       std::function<void(LockScreen&)> inDialog)
    {
        wxTimer guard;
        guard.Bind(wxEVT_TIMER, [](wxTimerEvent&) {
            if(LockScreen* dialog = OpenLockScreen()) {
                ADD_FAILURE() << "the lock screen did not end";
                dialog->EndModal(-1);
            }
        });
        guard.StartOnce(5000);
        auto probe = [this, inDialog] {
            if(LockScreen* dialog = OpenLockScreen()) {
                ++m_dialogsSeen;
                m_openDialogs = 0;
                for(wxWindow* window : wxTopLevelWindows) {
                    m_openDialogs += dynamic_cast<LockScreen*>(window) != nullptr;
                }
                inDialog(*dialog);
            }
        };
        if(opensAtOnce) {
            wxTheApp->CallAfter(probe); // runs inside the loop the trigger opens
            trigger();
        } else {
            trigger();
            wxTheApp->CallAfter(probe); // after what the trigger posted
            wxTheApp->ProcessPendingEvents();
        }
    }

    static LockScreen* OpenLockScreen()
    {
        for(wxWindow* window : wxTopLevelWindows) {
            if(auto* dialog = dynamic_cast<LockScreen*>(window); dialog && dialog->IsModal()) {
                return dialog;
            }
        }
        return nullptr;
    }

    static void Unlock(LockScreen& dialog, const wxString& password)
    {
        dialog.GetTextCtrlPassword()->SetValue(password);
        dialog.TryUnlock();
    }

    wxDateTime m_now;
    int m_dialogsSeen = 0;
    int m_openDialogs = 0;
};

TEST_F(PluginLockTest, BeforeAnyLoginNeitherIdleTimeNorTheCommandLocks)
{
    Click();
    Advance(3600);
    IdleAndRun([](LockScreen& dialog) { dialog.EndModal(-1); });
    EXPECT_EQ(0, m_dialogsSeen);
    wxCommandEvent command(wxEVT_MENU, Id("lockScreen"));
    m_plugin->OnLockScreen(command);
    EXPECT_FALSE(m_plugin->IsScreenLocked());
}

TEST_F(PluginLockTest, AfterTheIntervalWithoutActivityTheScreenLocksUntilTheLoginPassword)
{
    LogIn("Trade#2026");
    Click();
    Advance(59);
    IdleAndRun([](LockScreen& dialog) { dialog.EndModal(-1); });
    EXPECT_EQ(0, m_dialogsSeen) << "59 s are not yet 60";

    Advance(1);
    bool lockedWhileShown = false;
    IdleAndRun([&](LockScreen& dialog) {
        lockedWhileShown = m_plugin->IsScreenLocked();
        wxCommandEvent command(wxEVT_MENU, Id("lockScreen"));
        m_plugin->OnLockScreen(command); // already locked: no second dialog
        Unlock(dialog, "Trade#2026");
    });
    EXPECT_EQ(1, m_dialogsSeen);
    EXPECT_EQ(1, m_openDialogs);
    EXPECT_TRUE(lockedWhileShown);
    EXPECT_FALSE(m_plugin->IsScreenLocked());
}

TEST_F(PluginLockTest, ClicksAndKeysKeepTheScreenUnlocked)
{
    LogIn("pw");
    Click();
    Advance(50);
    Click();
    Advance(50);
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.SetEventObject(m_host.Centre());
    m_host.Centre()->ProcessWindowEvent(key);
    Advance(50);
    IdleAndRun([](LockScreen& dialog) { dialog.EndModal(-1); });
    EXPECT_EQ(0, m_dialogsSeen);
}

TEST_F(PluginLockTest, IntervalZeroNeverLocksByIdleTimeButTheCommandStillLocks)
{
    LogIn("pw");
    SetLockScreenInterval(0);
    Click();
    Advance(24 * 3600);
    IdleAndRun([](LockScreen& dialog) { dialog.EndModal(-1); });
    EXPECT_EQ(0, m_dialogsSeen);

    bool locked = false;
    RunWithDialog(
        true,
        [this] {
            wxCommandEvent command(wxEVT_MENU, Id("lockScreen"));
            m_plugin->OnLockScreen(command);
        },
        [&](LockScreen& dialog) {
            locked = m_plugin->IsScreenLocked();
            Unlock(dialog, "pw");
        });
    EXPECT_EQ(1, m_dialogsSeen);
    EXPECT_TRUE(locked);
    EXPECT_FALSE(m_plugin->IsScreenLocked());
}

} // namespace
