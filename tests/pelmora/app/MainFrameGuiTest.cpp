// The main window's exit with modal loops on the stack, and its colours
// item: dialogs of any kind are ended innermost first and have returned
// before the host takes the plug-ins down; the theme switch reaches the bus;
// idle events reach only the windows that work in them.
#include "EventPump.h"
#include "MainFrame.h"
#include "ModalLoops.h"
#include "Tracer.h"
#include "pelmora/ColoursAndFontsManager.h"
#include "pelmora/EventNotifier.h"
#include "pelmora/HostEvents.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>
#include <wx/aui/auibar.h>
#include <wx/aui/dockart.h>
#include <wx/combo.h>
#include <wx/datectrl.h>
#include <wx/dialog.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/propgrid/propgrid.h>
#include <wx/richtext/richtextctrl.h>
#include <wx/timer.h>
#include <wx/weakref.h>
#include <wx/xrc/xmlres.h>

namespace {

// Calls a function every few milliseconds while dialogs run their loops.
class Repeater : public wxEvtHandler
{
public:
    explicit Repeater(std::function<void()> tick) : m_tick(std::move(tick)), m_timer(this)
    {
        Bind(wxEVT_TIMER, [this](wxTimerEvent&) { m_tick(); });
        m_timer.Start(20);
    }
    ~Repeater() override { m_timer.Stop(); }

private:
    std::function<void()> m_tick;
    wxTimer m_timer;
};

TEST(ModalLoops, EndsNestedDialogsInnermostFirst)
{
    ModalLoops loops;
    std::vector<std::string> returns;
    std::size_t mostOpen = 0;
    Repeater ender([&] {
        mostOpen = std::max(mostOpen, loops.Count());
        // Once both are open (a message box enters twice: as itself and
        // as a dialog).
        if(mostOpen >= 2) {
            loops.EndInnermost();
        }
    });
    wxDialog outer(nullptr, wxID_ANY, "outer");
    outer.CallAfter([&] {
        // A message box as the plug-in shows it, inside a dialog.
        wxGenericMessageDialog inner(&outer, "inner", "inner");
        returns.push_back(inner.ShowModal() == wxID_CANCEL ? "inner" : "inner odd");
    });
    const int rc = outer.ShowModal();
    returns.push_back(rc == wxID_CANCEL ? "outer" : "outer odd");
    EXPECT_EQ(returns, (std::vector<std::string>{"inner", "outer"}));
    EXPECT_GE(mostOpen, 2u);
    EXPECT_EQ(0u, loops.Count());
}

TEST(ModalLoops, OnceRefusingNoDialogIsShown)
{
    ModalLoops loops;
    loops.RefuseNew();
    wxDialog dialog(nullptr, wxID_ANY, "refused");
    EXPECT_EQ(wxID_CANCEL, dialog.ShowModal()) << "returned at once, without a loop";
    EXPECT_EQ(0u, loops.Count());
}

// A hook that answers every dialog without showing it, as a test script does.
class Answering : public wxModalDialogHook
{
public:
    Answering() { Register(); }
    ~Answering() override { Unregister(); }

protected:
    int Enter(wxDialog*) override { return wxID_OK; }
    void Exit(wxDialog*) override {}
};

TEST(ModalLoops, ADialogAnsweredByAnotherHookLeavesNoEntryOnceDestroyed)
{
    // Newer hooks are asked first: the answering one must be the older one
    // for the host's hook to see the dialog enter and never leave.
    Answering answering;
    ModalLoops loops;
    {
        wxDialog dialog(nullptr, wxID_ANY, "answered");
        EXPECT_EQ(wxID_OK, dialog.ShowModal());
    }
    EXPECT_EQ(0u, loops.Count());
    loops.EndInnermost(); // touched a destroyed dialog before
}

class MainFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_tracePath = wxFileName::CreateTempFileName("pelmora-trace");
        ASSERT_TRUE(m_tracer.Open(m_tracePath));
        m_frame = new MainFrame(m_tracer);
        m_frame->Show();
        m_alive = m_frame;
    }
    void TearDown() override
    {
        if(m_alive) {
            m_frame->Destroy();
        }
        wxTheApp->ProcessIdle();
        wxRemoveFile(m_tracePath);
    }

    wxArrayString TraceLines()
    {
        wxString text;
        wxFFile file(m_tracePath, "r");
        if(file.IsOpened()) {
            file.ReadAll(&text);
        }
        wxArrayString lines;
        for(const wxString& line : wxSplit(text, '\n')) {
            if(!line.empty()) {
                lines.Add(line.AfterFirst(' '));
            }
        }
        return lines;
    }

    wxString m_tracePath;
    Tracer m_tracer;
    MainFrame* m_frame = nullptr;
    wxWeakRef<wxWindow> m_alive;
};

TEST_F(MainFrameTest, AnExitAskedForInsideADialogClosesOnlyAfterTheDialogHasReturned)
{
    std::vector<std::string> order;
    m_frame->SetShutdown([&order] { order.push_back("shutdown"); });
    m_frame->CallAfter([&] {
        wxDialog dialog(m_frame, wxID_ANY, "a plug-in's dialog");
        dialog.CallAfter([&] { m_frame->RequestExit(); });
        order.push_back(dialog.ShowModal() == wxID_CANCEL ? "dialog ended" : "dialog odd");
        // A dialog the plug-in opens on its way out is refused.
        wxDialog late(m_frame, wxID_ANY, "too late");
        order.push_back(late.ShowModal() == wxID_CANCEL ? "late refused" : "late shown");
        order.push_back("handler returned");
    });
    ASSERT_TRUE(PumpUntil([&] { return !order.empty() && order.back() == "shutdown"; }));
    EXPECT_EQ(order,
              (std::vector<std::string>{"dialog ended", "late refused", "handler returned", "shutdown"}));
    wxTheApp->ProcessIdle();
    EXPECT_FALSE(m_alive) << "the window is gone";
}

TEST_F(MainFrameTest, TheDarkColoursItemSwitchesTheThemeAndAnnouncesIt)
{
    int announced = 0;
    auto count = [&announced](wxCommandEvent& event) {
        event.Skip();
        ++announced;
    };
    EventNotifier::Get()->Bind(wxEVT_CMD_COLOURS_CHANGED, count);
    ASSERT_TRUE(ColoursAndFontsManager::Get().IsDark());
    wxMenuBar* bar = m_frame->GetMenuBar();
    ASSERT_TRUE(bar->IsChecked(XRCID("darkColours")));
    const wxColour dark = ColoursAndFontsManager::Get().GetBgColour();

    wxCommandEvent item(wxEVT_MENU, XRCID("darkColours"));
    item.SetInt(0);
    m_frame->ProcessWindowEvent(item);
    EXPECT_FALSE(ColoursAndFontsManager::Get().IsDark());
    EXPECT_NE(dark, ColoursAndFontsManager::Get().GetBgColour());
    EXPECT_EQ(1, announced);
    EXPECT_FALSE(bar->IsChecked(XRCID("darkColours")));

    item.SetInt(1);
    m_frame->ProcessWindowEvent(item);
    EXPECT_TRUE(ColoursAndFontsManager::Get().IsDark());
    EXPECT_EQ(dark, ColoursAndFontsManager::Get().GetBgColour());
    EXPECT_EQ(2, announced);
    EventNotifier::Get()->Unbind(wxEVT_CMD_COLOURS_CHANGED, count);

    wxArrayString traced;
    for(const wxString& line : TraceLines()) {
        if(line.StartsWith("bus 10100")) {
            traced.Add(line);
        }
    }
    EXPECT_EQ(2u, traced.size());
}

} // namespace

// Counts the captions the docking manager draws.
class CountingDockArt : public wxAuiDefaultDockArt
{
public:
    explicit CountingDockArt(int& captions) : m_captions(captions) {}
    void DrawCaption(wxDC& dc, wxWindow* window, const wxString& text, const wxRect& rect,
                     wxAuiPaneInfo& pane) override
    {
        ++m_captions;
        wxAuiDefaultDockArt::DrawCaption(dc, window, text, rect, pane);
    }

private:
    int& m_captions;
};

TEST_F(MainFrameTest, ARepaintInsideAPaneDrawsNoCaptionsButOneOfTheFrameDoes)
{
    int captions = 0;
    m_frame->GetAuiManager()->SetArtProvider(new CountingDockArt(captions));
    m_frame->GetAuiManager()->Update();
    ASSERT_TRUE(PumpUntil([&] { return captions > 0; }));

    // A pane's repaint (a price in a list) reaches the frame too under GTK 3.
    auto* pane = new wxPanel(m_frame);
    m_frame->GetAuiManager()->AddPane(pane, wxAuiPaneInfo().Name("probe").Caption("probe").Right());
    m_frame->GetAuiManager()->Update();
    int panePaints = 0;
    pane->Bind(wxEVT_PAINT, [&](wxPaintEvent& event) {
        ++panePaints;
        event.Skip();
    });
    for(int i = 0; i < 3; ++i) {
        PumpFor(std::chrono::milliseconds(50)); // what the frame still had to draw
        captions = 0;
        const int before = panePaints;
        pane->Refresh();
        ASSERT_TRUE(PumpUntil([&] { return panePaints > before; }));
        EXPECT_EQ(captions, 0);
    }

    // The frame's own parts are still drawn.
    m_frame->Refresh();
    EXPECT_TRUE(PumpUntil([&] { return captions > 0; }));
}

TEST_F(MainFrameTest, ATimedCommandReachesTheApplicationAsAMenuEventAndIsTraced)
{
    std::vector<int> arrived;
    auto onMenu = [&arrived](wxCommandEvent& event) {
        arrived.push_back(event.GetId());
        event.Skip();
    };
    wxTheApp->Bind(wxEVT_MENU, onMenu, XRCID("calculator"));
    wxTheApp->Bind(wxEVT_MENU, onMenu, XRCID("systemSetting"));
    m_frame->SendCommandAfter("calculator", 0);
    m_frame->SendCommandAfter("systemSetting", 1);
    m_frame->SendCommandAfter("calculator", 2);
    const bool allThree = PumpUntil([&] { return arrived.size() == 3; });
    wxTheApp->Unbind(wxEVT_MENU, onMenu, XRCID("calculator"));
    wxTheApp->Unbind(wxEVT_MENU, onMenu, XRCID("systemSetting"));
    ASSERT_TRUE(allThree);
    EXPECT_EQ(arrived, (std::vector<int>{XRCID("calculator"), XRCID("systemSetting"), XRCID("calculator")}));
    wxArrayString traced;
    for(const wxString& line : TraceLines()) {
        if(line.StartsWith("command ")) {
            traced.Add(line);
        }
    }
    EXPECT_EQ(traced, wxSplit("command calculator,command systemSetting,command calculator", ','));
}

TEST_F(MainFrameTest, ACommandDueBeforeTheExitIsSentFirstWhenABusyLoopLetsBothFallDue)
{
    std::vector<std::string> order;
    m_frame->SetShutdown([&order] { order.push_back("shutdown"); });
    m_frame->ExitAfter(1);
    m_frame->SendCommandAfter("calculator", 0);
    wxMilliSleep(1200); // a loop that was busy past both
    ASSERT_TRUE(PumpUntil([&] { return !order.empty(); }));
    wxArrayString traced;
    for(const wxString& line : TraceLines()) {
        if(line.StartsWith("command ") || line == "exit") {
            traced.Add(line);
        }
    }
    EXPECT_EQ(traced, wxSplit("command calculator,exit", ','));
}

TEST_F(MainFrameTest, IdleEventsReachTheWindowsThatAskAndTheToolkitsControlsThatWorkInThem)
{
    auto* asking = new wxPanel(m_frame);
    asking->SetExtraStyle(wxWS_EX_PROCESS_IDLE);
    auto* toolBar = new wxAuiToolBar(m_frame, wxID_ANY);
    m_frame->AddToolBar(toolBar);
    auto* floated = new wxPanel(m_frame);
    m_frame->GetAuiManager()->AddPane(floated, wxAuiPaneInfo().Name("floated").Float());
    m_frame->GetAuiManager()->Update();
    auto* date = new wxDatePickerCtrl(asking, wxID_ANY);
    std::vector<wxWindow*> windows = {asking,
                                      new wxPanel(m_frame),
                                      toolBar,
                                      new wxPropertyGrid(asking, wxID_ANY, wxPoint(0, 40)),
                                      new wxRichTextCtrl(asking, wxID_ANY, "", wxPoint(0, 200)),
                                      date};
    ASSERT_TRUE(PumpUntil([&] {
        return floated->IsShownOnScreen() &&
               std::all_of(windows.begin(), windows.end(), [](wxWindow* w) { return w->IsShownOnScreen(); });
    }));
    windows.back() = date->GetChildren().front(); // its combo control
    ASSERT_NE(dynamic_cast<wxComboCtrl*>(windows.back()), nullptr);
    windows.push_back(floated->GetParent()); // the docking manager's floating frame
    std::set<wxWindow*> reached;
    for(wxWindow* window : windows) {
        window->Bind(wxEVT_IDLE, [&reached, window](wxIdleEvent& event) {
            reached.insert(window);
            event.Skip();
        });
    }
    wxTheApp->ProcessIdle();
    windows.erase(windows.begin() + 1); // the panel that did not ask
    EXPECT_EQ(reached, std::set<wxWindow*>(windows.begin(), windows.end()));
}
