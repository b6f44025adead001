#ifndef PELMORA_APP_PELMORAAPP_H
#define PELMORA_APP_PELMORAAPP_H

#include "HostOptions.h"
#include "Tracer.h"

#include <memory>
#include <wx/app.h>

class BitmapLoader;
class BusTracer;
class MainFrame;
class PelmoraHostManager;
class PluginManager;
class ConfigProblemLog;

// The host program: builds the main window, loads the plug-ins from the
// plugins folder and takes everything down again in the opposite order.
class PelmoraApp : public wxApp
{
public:
    PelmoraApp();
    ~PelmoraApp() override;

    bool OnInit() override;
    int OnExit() override;
    void OnInitCmdLine(wxCmdLineParser& parser) override;
    bool OnCmdLineParsed(wxCmdLineParser& parser) override;

private:
    // SIGTERM (the session ends, a test is done with the host) quits as
    // the menu's Exit does: dialogs end, settings are saved, links close.
    static void OnTerminate(int signal);
    void LoadPlugins();
    // What the last exit could not save, in the output window; returns the
    // message of the box that tells it too, empty when all was saved.
    wxString TellUnsavedAtLastExit();
    void Shutdown();

    HostOptions m_options;
    Tracer m_tracer;
    MainFrame* m_frame = nullptr; // owned by wx once created
    std::unique_ptr<BitmapLoader> m_images;
    std::unique_ptr<PelmoraHostManager> m_manager;
    std::unique_ptr<PluginManager> m_plugins;
    std::unique_ptr<BusTracer> m_busTracer;
    // The active log target, over the trace log when tracing with masks; wx owns it.
    ConfigProblemLog* m_log = nullptr;
};

wxDECLARE_APP(PelmoraApp);

#endif // PELMORA_APP_PELMORAAPP_H
