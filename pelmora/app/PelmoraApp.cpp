#include "PelmoraApp.h"

#include "BusTracer.h"
#include "ConfigProblemLog.h"
#include "LoginController.h"
#include "MainFrame.h"
#include "PelmoraHostManager.h"
#include "PluginCatalogues.h"
#include "PluginManager.h"
#include "TraceLog.h"
#include "UnsavedAtExit.h"
#include "pelmora/BitmapLoader.h"
#include "pelmora/EditorConfig.h"
#include "pelmora/EventNotifier.h"
#include "pelmora/IPlugin.h"
#include "pelmora/OutputWindow.h"
#include "pelmora/pmStandardPaths.h"

#include <csignal>
#include <wx/cmdline.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>
#include <wx/wxcrtvararg.h>

PelmoraApp::PelmoraApp() = default;

PelmoraApp::~PelmoraApp() = default;

void PelmoraApp::OnInitCmdLine(wxCmdLineParser& parser)
{
    wxApp::OnInitCmdLine(parser);
    parser.AddLongOption("login", "log in without the dialog", wxCMD_LINE_VAL_STRING);
    parser.AddLongOption("trace", "write the trace of host events to FILE", wxCMD_LINE_VAL_STRING);
    parser.AddLongOption("trace-mask", "also trace the wx trace messages of MASK (with --trace)",
                         wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_MULTIPLE);
    parser.AddLongOption("exit-after", "quit after SECONDS", wxCMD_LINE_VAL_NUMBER);
    parser.AddLongOption("screenshot", "save the main window as PNG before quitting", wxCMD_LINE_VAL_STRING);
    parser.AddLongOption("command", "send the menu command NAME at SECONDS after start (NAME@SECONDS)",
                         wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_MULTIPLE);
}

bool PelmoraApp::OnCmdLineParsed(wxCmdLineParser& parser)
{
    if(!wxApp::OnCmdLineParsed(parser)) {
        return false;
    }
    wxString login;
    if(parser.Found("login", &login)) {
        m_options.login = HostOptions::ParseLogin(login);
        if(m_options.login.empty()) {
            wxFprintf(stderr, "pelmora: --login expects SERVER,USER,PASSWORD\n");
            return false;
        }
    }
    parser.Found("trace", &m_options.traceFile);
    parser.Found("screenshot", &m_options.screenshotFile);
    long seconds = -1;
    if(parser.Found("exit-after", &seconds)) {
        if(seconds < 0) {
            wxFprintf(stderr, "pelmora: --exit-after expects a number of seconds, 0 or more\n");
            return false;
        }
        m_options.exitAfterSeconds = seconds;
    }
    for(const wxCmdLineArg& argument : parser.GetArguments()) {
        if(argument.GetKind() == wxCMD_LINE_OPTION && argument.GetLongName() == "trace-mask") {
            m_options.traceMasks.Add(argument.GetStrVal());
            continue;
        }
        if(argument.GetKind() != wxCMD_LINE_OPTION || argument.GetLongName() != "command") {
            continue;
        }
        HostOptions::TimedCommand command;
        if(!HostOptions::ParseCommand(argument.GetStrVal(), command)) {
            wxFprintf(stderr,
                      "pelmora: --command expects NAME@SECONDS, seconds a whole number from 0 to 86400\n");
            return false;
        }
        m_options.commands.push_back(command);
    }
    return true;
}

bool PelmoraApp::OnInit()
{
    if(!wxApp::OnInit()) {
        return false;
    }
    // Handled once the event loop runs, the main window made by then.
    SetSignalHandler(SIGTERM, &PelmoraApp::OnTerminate);
    // Log lines of the host and its plug-ins go to the standard error: a
    // message box per line would stop the terminal (and an unattended run).
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxInitAllImageHandlers();
    if(!m_options.traceFile.empty() && !m_tracer.Open(m_options.traceFile)) {
        return false;
    }
    if(m_tracer.IsOpen() && !m_options.traceMasks.empty()) {
        for(const wxString& mask : m_options.traceMasks) {
            wxLog::AddTraceMask(mask);
        }
        std::unique_ptr<wxLog> stderrLog(wxLog::SetActiveTarget(nullptr));
        wxLog::SetActiveTarget(new TraceLog(m_tracer, std::move(stderrLog)));
    }
    m_log = new ConfigProblemLog(std::unique_ptr<wxLog>(wxLog::SetActiveTarget(nullptr)));
    wxLog::SetActiveTarget(m_log);
    const wxString exeFolder = wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
    m_images = std::make_unique<BitmapLoader>(exeFolder + "/images");
    // Before any window: the host's menu titles are keys the plug-ins look up.
    PluginCatalogues::Load(pmStandardPaths::Get().GetPluginsDirectory());

    m_frame = new MainFrame(m_tracer);
    m_log->SetOutputWindow(m_frame->GetOutputWindow());
    const wxString unsaved = TellUnsavedAtLastExit();
    m_frame->SetScreenshotFile(m_options.screenshotFile);
    m_frame->SetShutdown([this] { Shutdown(); });
    m_manager =
        std::make_unique<PelmoraHostManager>(*m_frame, *m_images, pmStandardPaths::Get().GetBinFolder());
    m_busTracer = std::make_unique<BusTracer>(m_tracer);
    LoadPlugins();
    m_busTracer->Connect();

    SetTopWindow(m_frame);
    // A login named on the command line starts before the window shows: the
    // market answers while the window is laid out and drawn.
    if(!m_options.login.empty()) {
        m_frame->GetLogin().Login(m_options.login[0], m_options.login[1], m_options.login[2]);
    }
    m_frame->Show();
    m_frame->ExitAfter(m_options.exitAfterSeconds);
    for(const HostOptions::TimedCommand& command : m_options.commands) {
        m_frame->SendCommandAfter(command.name, command.seconds);
    }
    const bool loginDialog = m_options.login.empty() && m_plugins->GetCount() > 0;
    if(loginDialog || !unsaved.empty()) {
        // Once the window shows, one after the other; queued on the frame:
        // dropped if it goes first.
        MainFrame* frame = m_frame;
        frame->CallAfter([frame, unsaved, loginDialog] {
            if(!unsaved.empty()) {
                // A wx dialog, not the toolkit's: an exit asked for meanwhile ends it.
                wxGenericMessageDialog box(frame, unsaved, _("Settings not saved at the last exit"),
                                           wxOK | wxICON_WARNING | wxCENTRE);
                box.ShowModal();
            }
            if(loginDialog) {
                frame->ShowLoginDialog();
            }
        });
    }
    return true;
}

wxString PelmoraApp::TellUnsavedAtLastExit()
{
    const wxArrayString unsaved = UnsavedAtExit(pmStandardPaths::Get().GetUserDataDir()).Take();
    if(unsaved.empty()) {
        return wxString();
    }
    const wxString texts = wxJoin(unsaved, '\n', '\0');
    m_frame->GetOutputWindow()->AppendText(_("Settings not saved at the last exit") + "\n" + texts);
    return _("The last exit could not save the settings: the window layout and the store orders are as "
             "they were before it.") +
           "\n\n" + texts;
}

void PelmoraApp::OnTerminate(int)
{
    if(auto* frame = dynamic_cast<MainFrame*>(wxGetApp().GetTopWindow())) {
        frame->RequestExit();
    }
}

void PelmoraApp::LoadPlugins()
{
    m_plugins = std::make_unique<PluginManager>(m_manager.get());
    const wxString folder = pmStandardPaths::Get().GetPluginsDirectory();
    for(const PluginManager::LoadResult& result : m_plugins->LoadFolder(folder)) {
        m_frame->GetOutputWindow()->AppendText(result.message);
        if(!result.loaded) {
            wxLogWarning("%s", result.message);
        }
    }
    for(size_t i = 0; i < m_plugins->GetCount(); ++i) {
        IPlugin* plugin = m_plugins->GetPlugin(i);
        m_frame->AddToolBar(plugin->BuildToolBar(m_frame));
        plugin->BuildMenus();
    }
    m_frame->GetAuiManager()->Update();
}

void PelmoraApp::Shutdown()
{
    if(m_plugins) {
        // What cannot be saved now is told at the next start: the window that
        // would tell it closes.
        if(m_log) {
            m_log->KeepErrors();
        }
        {
            // Every pane stores its settings as it goes: one write of the
            // settings file for all of them, however large it is.
            EditorConfig::SaveBatch batch(*EditorConfigST::Get());
            m_plugins->Unplug();
        }
        const wxArrayString unsaved = m_log ? m_log->TakeErrors() : wxArrayString();
        if(!unsaved.empty() && !UnsavedAtExit(pmStandardPaths::Get().GetUserDataDir()).Keep(unsaved)) {
            wxLogWarning("The settings not saved at this exit cannot be kept for the next start either.");
        }
    }
    if(m_busTracer) {
        m_busTracer->Disconnect();
    }
}

int PelmoraApp::OnExit()
{
    // Every window is gone now, those of plug-in classes included: only now
    // may their code be unloaded.
    if(m_plugins) {
        m_plugins->UnloadLibraries();
    }
    m_plugins.reset();
    m_manager.reset();
    m_busTracer.reset();
    EventNotifier::Release();
    // The trace target below it writes into this object's tracer: both go
    // before it does.
    if(m_log && wxLog::GetActiveTarget() == m_log) {
        delete wxLog::SetActiveTarget(new wxLogStderr);
    }
    m_log = nullptr;
    return wxApp::OnExit();
}
