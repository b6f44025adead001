#ifndef PELMORA_APP_MAINFRAME_H
#define PELMORA_APP_MAINFRAME_H

#include "IdleEventTargets.h"
#include "ModalLoops.h"

#include <chrono>
#include <functional>
#include <memory>
#include <pelmora/AuiPaintFilter.h>
#include <vector>
#include <wx/aui/framemanager.h>
#include <wx/frame.h>
#include <wx/timer.h>

class LoginController;
class LoginDialog;
class Notebook;
class OutputWindow;
class Tracer;
class pmStatusBar;
class wxAuiToolBar;

// The host's main window: the docking manager with the workspace
// ("Navigator"), output ("Output") and centre ("Editor") notebooks, the output
// window ("Log"), the status bar and the menus whose commands plug-ins handle
// on the application object. It closes only when no modal loop is running:
// an exit asked for while a dialog is open ends the dialogs first.
class MainFrame : public wxFrame
{
public:
    explicit MainFrame(Tracer& tracer);
    ~MainFrame() override;

    Notebook* GetWorkspaceBook() const { return m_workspaceBook; }
    Notebook* GetOutputBook() const { return m_outputBook; }
    Notebook* GetCentreBook() const { return m_centreBook; }
    pmStatusBar* GetHostStatusBar() const { return m_statusBar; }
    OutputWindow* GetOutputWindow() const { return m_outputWindow; }
    wxAuiManager* GetAuiManager() { return &m_aui; }
    LoginController& GetLogin() { return *m_login; }

    void ShowPane(const wxString& name, bool show);
    // Docks a plug-in's tool bar at the top (once, however often it is given).
    void AddToolBar(wxAuiToolBar* toolBar);

    // Runs when the window closes, before anything is destroyed: the
    // plug-ins are taken down here.
    void SetShutdown(std::function<void()> shutdown) { m_shutdown = std::move(shutdown); }
    void SetScreenshotFile(const wxString& path) { m_screenshotFile = path; }
    void ExitAfter(long seconds);
    // After that many seconds, the menu command of the XRC name is sent to
    // this frame as a click would send it, and traced "command NAME". A
    // command due before the exit is sent before it, even when a busy loop
    // let both timers fall due together.
    void SendCommandAfter(const wxString& name, long seconds);
    // Sends it now.
    void SendCommand(const wxString& name);
    // Closes the window once every modal dialog (the login dialog, a
    // plug-in's message box or dialog) has been ended and has returned;
    // traced "exit".
    void RequestExit();
    // The theme of ColoursAndFontsManager; a change is announced on the bus
    // (10100).
    void SetDarkColours(bool dark);

    void ShowLoginDialog();
    bool SaveScreenshot(const wxString& path);

private:
    wxMenuBar* BuildMenuBar();
    void OnLogin(wxCommandEvent& event);
    void OnLogout(wxCommandEvent& event);
    void OnExit(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnExitTimer(wxTimerEvent& event);
    void OnDarkColours(wxCommandEvent& event);
    // One step of an exit: ends the innermost modal dialog or, when none is
    // left and the main loop runs again, closes the window.
    void ContinueExit();
    void OnExitStepTimer(wxTimerEvent& event);
    void UpdateLoginState();

    Tracer& m_tracer;
    IdleEventTargets m_idleEventTargets; // before any window
    wxAuiManager m_aui;
    AuiPaintFilter m_auiPaintFilter; // pushed over the manager
    Notebook* m_workspaceBook;
    Notebook* m_outputBook;
    Notebook* m_centreBook;
    OutputWindow* m_outputWindow;
    pmStatusBar* m_statusBar;
    std::unique_ptr<LoginController> m_login;
    LoginDialog* m_loginDialog = nullptr; // set while the modal dialog is open
    std::vector<wxAuiToolBar*> m_toolBars;
    std::function<void()> m_shutdown;
    wxString m_screenshotFile;
    wxTimer m_exitTimer;
    std::chrono::steady_clock::time_point m_exitDue;
    wxTimer m_exitStepTimer;
    struct TimedCommand
    {
        wxString name;
        std::chrono::steady_clock::time_point due;
        std::unique_ptr<wxTimer> timer;
        bool sent = false;
    };
    // Sends the commands not yet sent that are due by then, earliest first.
    void SendCommandsDueBy(std::chrono::steady_clock::time_point time);

    std::vector<TimedCommand> m_commands;
    ModalLoops m_modalLoops;
    bool m_closing = false;
};

#endif // PELMORA_APP_MAINFRAME_H
