#pragma once
// The host program in process, for plug-in tests: the real main window of
// pelmora (the docking manager with the panes "Navigator", "Output", "Log"
// and "Editor": the workspace, output and centre notebooks and the output
// window; the status bar; the menus System, MoneyMgr and ToolsMgr), its host
// services (HostManager), its login controller and an image loader over the
// build's images. The plug-in is created, given its tool bar and menus,
// unplugged and deleted the way the host does it. The TestBed builds one;
// use it directly only for a host without a market.
//
//     TestHost host;
//     TessrinPlugin* plugin = host.LoadPlugin();
//     host.Login().Login("Demo", "demo", "demo123");   // bus 10001, as the host sends it
//     host.SendMenuCommand("Sales_report");            // as a click on the menu item
//     EXPECT_EQ(host.appended.back().title, "Market Trade[...]");
#include <LoginController.h>
#include <MainFrame.h>
#include <memory>
#include <pelmora/OutputWindow.h>
#include <vector>
#include <wx/string.h>
#include <wx/weakref.h>

class BitmapLoader;
class HostManager;
class PelmoraHostManager;
class TessrinPlugin;
class Tracer;

class TestHost
{
public:
    // Builds and shows the main window; no plug-in yet. Reads the folders
    // (PELMORA_BIN_DIR ...) from the environment now.
    TestHost();
    // Closes the window as the host closes at exit: the plug-in is unloaded
    // first, every other top-level window goes with the main window.
    ~TestHost();
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    // CreatePlugin(manager), then BuildToolBar(main window) docked at the
    // top, then BuildMenus(): what the host does with each plug-in it loads.
    TessrinPlugin* LoadPlugin();
    // UnPlug, the job queue drained, the plug-in deleted: what the host does
    // at exit before its window goes. Nothing when no plug-in is loaded.
    void UnloadPlugin();
    // Null while no plug-in is loaded.
    TessrinPlugin* Plugin() const;

    MainFrame& Frame() const { return *m_frame; }
    HostManager& Manager();
    LoginController& Login() { return m_frame->GetLogin(); }
    OutputWindow& Output() const { return *m_frame->GetOutputWindow(); }

    // A menu command as the host delivers a click on its menu item: the
    // menu, then the main window, then the application, where plug-ins bind
    // their commands. A command that is no item of the host's menus goes to
    // the main window as a tool of a docked tool bar would. Returns whether a
    // handler took it.
    bool SendMenuCommand(const wxString& name);
    bool SendMenuCommand(int id);
    // A click on a tool of the plug-in's tool bar (wxEVT_TOOL from the tool
    // bar, on to the main window and the application).
    bool ClickTool(const wxString& name);

    // Every entry appended to the output window since the host was built.
    std::vector<OutputWindow::Entry> appended;
    // Forced logouts reported on the bus (the real host would offer its login
    // dialog here; tests log in again themselves).
    int kicked = 0;

private:
    std::unique_ptr<Tracer> m_tracer; // never opened: the frame wants one
    std::unique_ptr<BitmapLoader> m_images;
    MainFrame* m_frame; // owned by wx; destroyed by closing it
    wxWeakRef<MainFrame> m_frameAlive;
    std::unique_ptr<PelmoraHostManager> m_manager;
    std::unique_ptr<TessrinPlugin> m_plugin;
};
