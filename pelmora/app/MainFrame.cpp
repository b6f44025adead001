#include "MainFrame.h"

#include "LoginController.h"
#include "LoginDialog.h"
#include "Tracer.h"
#include "pelmora/ColoursAndFontsManager.h"
#include "pelmora/EventNotifier.h"
#include "pelmora/HostEvents.h"
#include "pelmora/Notebook.h"
#include "pelmora/OutputWindow.h"
#include "pelmora/pmStatusBar.h"

#include <algorithm>
#include <wx/app.h>
#include <wx/aui/auibar.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/evtloop.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/xrc/xmlres.h>

namespace {
const long kSideBookStyle = wxAUI_NB_TOP | wxAUI_NB_TAB_MOVE | wxAUI_NB_SCROLL_BUTTONS;
const long kCentreBookStyle = wxAUI_NB_DEFAULT_STYLE;
// The bottom row: outside the navigator's layer, its height and share of
// the frame's height, and how the output and the output window divide it.
constexpr int kBottomLayer = 3;
constexpr int kBottomRowHeight = 425;
constexpr double kBottomRowShare = 0.62;
constexpr int kOutputWidth = 980;
constexpr int kLogWidth = 300;
constexpr int kNavigatorWidth = 350;
// An exit looks again this often while dialogs are still ending.
const int kExitStepMs = 20;

// True inside a loop run within the main loop (a window's own, not a
// dialog's). Without a main loop (a test drives the events) there is none.
bool InNestedLoop()
{
    const wxEventLoopBase* active = wxEventLoopBase::GetActive();
    const wxEventLoopBase* main = wxTheApp ? wxTheApp->GetMainLoop() : nullptr;
    return active && main && active != main;
}

void TracePages(Notebook* book, Tracer& tracer, const wxString& name)
{
    book->SetPageObserver([&tracer, name](Notebook::PageAction action, const wxString& label) {
        tracer.Page(name, action == Notebook::PageAction::Add, label);
    });
}
} // namespace

MainFrame::MainFrame(Tracer& tracer)
    : wxFrame(nullptr, wxID_ANY, "Pelmora", wxDefaultPosition, wxSize(1280, 800)), m_tracer(tracer),
      m_auiPaintFilter(this), m_login(std::make_unique<LoginController>(tracer)), m_exitTimer(this),
      m_exitStepTimer(this)
{
    // Menus take their items' state when they open and tools when they are
    // set; no window wants update events at idle time, which would go to
    // every window at every idle pass (hundreds of times a second in a flood).
    wxUpdateUIEvent::SetMode(wxUPDATE_UI_PROCESS_SPECIFIED);
    // Its own font and colours: every paint of a window below it paints the
    // frame too, and each would ask the toolkit's style for the defaults
    // (children still take their own defaults).
    SetOwnFont(GetFont());
    SetOwnForegroundColour(GetForegroundColour());
    SetOwnBackgroundColour(GetBackgroundColour());
    m_aui.SetManagedWindow(this);
    PushEventHandler(&m_auiPaintFilter);
    m_workspaceBook = new Notebook(this, wxID_ANY, wxDefaultPosition, wxSize(300, 400), kSideBookStyle);
    m_outputBook = new Notebook(this, wxID_ANY, wxDefaultPosition, wxSize(800, 260), kSideBookStyle);
    m_centreBook = new Notebook(this, wxID_ANY, wxDefaultPosition, wxSize(800, 400), kCentreBookStyle);
    m_outputWindow = new OutputWindow(this);
    TracePages(m_workspaceBook, tracer, "workspace");
    TracePages(m_outputBook, tracer, "output");
    TracePages(m_centreBook, tracer, "centre");
    m_outputWindow->SetAppendObserver(
        [&tracer](const OutputWindow::Entry& entry) { tracer.Output(entry.title, entry.body); });

    m_statusBar = new pmStatusBar(this);
    SetStatusBar(m_statusBar);
    m_statusBar->SetTextObserver([&tracer](int field, const wxString& text) { tracer.Status(field, text); });

    // Wide enough for a quote board's symbol, bid, ask and time.
    m_aui.AddPane(m_workspaceBook, wxAuiPaneInfo()
                                       .Name("Navigator")
                                       .Caption(_("Navigator"))
                                       .Left()
                                       .Layer(1)
                                       .BestSize(kNavigatorWidth, 400)
                                       .CloseButton(true));
    // The output notebook and the output window share the bottom row, which
    // spans the frame's width below the navigator; at the default size the
    // row is high enough for ten rows of a history page, and the chart keeps
    // the middle row to itself.
    m_aui.SetDockSizeConstraint(1.0 / 3, kBottomRowShare);
    auto addToBottomRow = [this](wxWindow* window, const char* name, const wxString& caption, int position,
                                 int width) {
        wxAuiPaneInfo pane = wxAuiPaneInfo()
                                 .Name(name)
                                 .Caption(caption)
                                 .Bottom()
                                 .Layer(kBottomLayer)
                                 .Position(position)
                                 .BestSize(width, kBottomRowHeight)
                                 .CloseButton(true);
        pane.dock_proportion = width; // the row divided as the widths say
        m_aui.AddPane(window, pane);
    };
    addToBottomRow(m_outputBook, "Output", _("Output"), 0, kOutputWidth);
    addToBottomRow(m_outputWindow, "Log", _("Output Window"), 1, kLogWidth);
    m_aui.AddPane(m_centreBook, wxAuiPaneInfo().Name("Editor").CenterPane());
    m_aui.Update();

    SetMenuBar(BuildMenuBar());
    Bind(wxEVT_MENU, &MainFrame::OnLogin, this, XRCID("login"));
    Bind(wxEVT_MENU, &MainFrame::OnLogout, this, XRCID("logout"));
    Bind(wxEVT_MENU, &MainFrame::OnExit, this, wxID_EXIT);
    Bind(wxEVT_CLOSE_WINDOW, &MainFrame::OnClose, this);
    Bind(wxEVT_MENU, &MainFrame::OnDarkColours, this, XRCID("darkColours"));
    Bind(wxEVT_TIMER, &MainFrame::OnExitTimer, this, m_exitTimer.GetId());
    Bind(wxEVT_TIMER, &MainFrame::OnExitStepTimer, this, m_exitStepTimer.GetId());

    m_login->SetChangeObserver([this] { UpdateLoginState(); });
    // The dialog is offered after the kick-out has been handled everywhere.
    m_login->SetKickedObserver([this] { CallAfter([this] { ShowLoginDialog(); }); });
    UpdateLoginState();
}

MainFrame::~MainFrame()
{
    RemoveEventHandler(&m_auiPaintFilter);
    m_aui.UnInit();
}

wxMenuBar* MainFrame::BuildMenuBar()
{
    auto* system = new wxMenu;
    system->Append(XRCID("login"), _("&Login..."));
    system->Append(XRCID("logout"), _("Log&out"));
    system->AppendSeparator();
    system->Append(XRCID("lockScreen"), _("Lock Screen"));
    system->Append(XRCID("calculator"), _("Calculator"));
    system->Append(XRCID("systemSetting"), _("System Setting..."));
    system->AppendSeparator();
    system->Append(wxID_EXIT, _("E&xit"));

    auto* money = new wxMenu;
    money->Append(XRCID("in_money"), _("Deposit"));
    money->Append(XRCID("out_money"), _("Withdraw"));
    money->Append(XRCID("payport_regist"), _("Pay Port Registration"));
    money->Append(XRCID("transfer_Acc"), _("Transfer Between Accounts"));
    money->Append(XRCID("change_MainAcc"), _("Change Main Account"));
    money->Append(XRCID("setsurety_Money"), _("Surety Money"));

    auto* tools = new wxMenu;
    tools->Append(XRCID("riskCustom"), _("Custom Risk"));
    tools->Append(XRCID("show_symbolPane"), _("Show Quote Board"));
    tools->Append(XRCID("show_outPane"), _("Show Output Pane"));
    tools->Append(XRCID("Sales_report"), _("Sales Report"));
    tools->Append(XRCID("systemSetting"), _("System Setting..."));
    tools->Append(XRCID("lockScreen"), _("Lock Screen"));
    tools->Append(XRCID("calculator"), _("Calculator"));

    auto* view = new wxMenu;
    view->AppendCheckItem(XRCID("darkColours"), _("Dark Colours"));
    view->Check(XRCID("darkColours"), ColoursAndFontsManager::Get().IsDark());

    auto* bar = new wxMenuBar;
    bar->Append(system, _("System"));
    bar->Append(money, _("MoneyMgr"));
    bar->Append(tools, _("ToolsMgr"));
    bar->Append(view, _("View"));
    return bar;
}

void MainFrame::ShowPane(const wxString& name, bool show)
{
    wxAuiPaneInfo& pane = m_aui.GetPane(name);
    if(!pane.IsOk()) {
        return;
    }
    pane.Show(show);
    m_aui.Update();
}

void MainFrame::AddToolBar(wxAuiToolBar* toolBar)
{
    if(!toolBar || m_aui.GetPane(toolBar).IsOk()) {
        return;
    }
    m_toolBars.push_back(toolBar);
    m_aui.AddPane(toolBar, wxAuiPaneInfo()
                               .Name(wxString::Format("PluginToolBar%zu", m_toolBars.size()))
                               .ToolbarPane()
                               .Top()
                               .Row(static_cast<int>(m_toolBars.size()))
                               .Gripper(false));
    m_aui.Update();
}

void MainFrame::ExitAfter(long seconds)
{
    if(seconds >= 0) {
        m_exitDue = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        m_exitTimer.StartOnce(static_cast<int>(seconds * 1000));
    }
}

void MainFrame::SendCommandAfter(const wxString& name, long seconds)
{
    TimedCommand command{name, std::chrono::steady_clock::now() + std::chrono::seconds(seconds),
                         std::make_unique<wxTimer>()};
    command.timer->Bind(wxEVT_TIMER, [this, index = m_commands.size()](wxTimerEvent&) {
        SendCommandsDueBy(m_commands[index].due);
    });
    command.timer->StartOnce(static_cast<int>(seconds * 1000));
    m_commands.push_back(std::move(command));
}

void MainFrame::SendCommandsDueBy(std::chrono::steady_clock::time_point time)
{
    std::vector<TimedCommand*> due;
    for(TimedCommand& command : m_commands) {
        if(!command.sent && command.due <= time) {
            due.push_back(&command);
        }
    }
    std::stable_sort(due.begin(), due.end(),
                     [](const TimedCommand* a, const TimedCommand* b) { return a->due < b->due; });
    for(TimedCommand* command : due) {
        command->sent = true;
        command->timer->Stop();
        SendCommand(command->name);
    }
}

void MainFrame::SendCommand(const wxString& name)
{
    if(m_closing) {
        return;
    }
    m_tracer.Line("command " + name);
    wxCommandEvent event(wxEVT_MENU, wxXmlResource::GetXRCID(name));
    event.SetEventObject(this);
    // Like a click: the frame first, then (unhandled) the application.
    ProcessWindowEvent(event);
}

void MainFrame::RequestExit()
{
    if(m_closing) {
        return;
    }
    m_tracer.Line("exit");
    m_modalLoops.RefuseNew();
    ContinueExit();
}

void MainFrame::ContinueExit()
{
    if(m_modalLoops.Count() == 0 && !InNestedLoop()) {
        Close(true);
        return;
    }
    m_modalLoops.EndInnermost();
    m_exitStepTimer.StartOnce(kExitStepMs);
}

void MainFrame::OnExitStepTimer(wxTimerEvent& event)
{
    wxUnusedVar(event);
    ContinueExit();
}

void MainFrame::SetDarkColours(bool dark)
{
    ColoursAndFontsManager::Get().SetDark(dark);
    if(wxMenuBar* bar = GetMenuBar()) {
        bar->Check(XRCID("darkColours"), dark);
    }
    m_tracer.Bus(wxEVT_CMD_COLOURS_CHANGED, wxString());
    EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_COLOURS_CHANGED, nullptr);
}

void MainFrame::OnDarkColours(wxCommandEvent& event)
{
    SetDarkColours(event.IsChecked());
}

void MainFrame::ShowLoginDialog()
{
    if(m_loginDialog || m_closing) {
        return;
    }
    {
        LoginDialog dialog(this, *m_login);
        m_loginDialog = &dialog;
        dialog.ShowModal();
        m_loginDialog = nullptr;
    }
}

bool MainFrame::SaveScreenshot(const wxString& path)
{
    Raise();
    Update();
    const wxRect rect = GetScreenRect();
    if(rect.IsEmpty()) {
        return false;
    }
    wxBitmap bitmap(rect.GetSize());
    {
        wxScreenDC screen;
        wxMemoryDC memory(bitmap);
        memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    }
    return bitmap.ConvertToImage().SaveFile(path, wxBITMAP_TYPE_PNG);
}

void MainFrame::OnLogin(wxCommandEvent& event)
{
    wxUnusedVar(event);
    ShowLoginDialog();
}

void MainFrame::OnLogout(wxCommandEvent& event)
{
    wxUnusedVar(event);
    if(m_login->IsLoggedIn()) {
        m_login->Logout();
    }
}

void MainFrame::OnExit(wxCommandEvent& event)
{
    wxUnusedVar(event);
    RequestExit();
}

void MainFrame::OnClose(wxCloseEvent& event)
{
    if(m_closing) {
        return;
    }
    // A close from outside while a dialog runs its loop: the plug-in is on
    // the stack under it, so take the long way.
    if(m_modalLoops.Count() > 0 || InNestedLoop()) {
        if(event.CanVeto()) {
            event.Veto();
        }
        RequestExit();
        return;
    }
    m_closing = true;
    m_modalLoops.RefuseNew();
    m_exitTimer.Stop();
    m_exitStepTimer.Stop();
    if(!m_screenshotFile.empty() && !SaveScreenshot(m_screenshotFile)) {
        wxLogError("Cannot save the screenshot %s", m_screenshotFile);
    }
    if(m_shutdown) {
        m_shutdown();
    }
    // The plug-ins are gone; their tool bars go before the docking manager.
    for(wxAuiToolBar* toolBar : m_toolBars) {
        m_aui.DetachPane(toolBar);
        toolBar->Destroy();
    }
    m_toolBars.clear();
    m_login.reset();
    // Windows a plug-in left open must go with this one, before its library
    // is unloaded at exit.
    for(wxWindow* window : wxTopLevelWindows) {
        if(window != this) {
            window->Destroy();
        }
    }
    Destroy();
}

void MainFrame::OnExitTimer(wxTimerEvent& event)
{
    wxUnusedVar(event);
    SendCommandsDueBy(m_exitDue);
    RequestExit();
}

void MainFrame::UpdateLoginState()
{
    const wxString state = m_login->DescribeState();
    SetTitle("Pelmora - " + state);
    if(m_loginDialog) {
        m_loginDialog->ShowState(state);
    }
}
