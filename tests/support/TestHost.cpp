#include "TestHost.h"

#include "EventPump.h"

#include <LoginController.h>
#include <PelmoraHostManager.h>
#include <Tracer.h>
#include <app/PluginExports.h>
#include <chrono>
#include <frame/TessrinPlugin.h>
#include <pelmora/BitmapLoader.h>
#include <pelmora/EditorConfig.h>
#include <pelmora/JobQueueSingleton.h>
#include <pelmora/pmStandardPaths.h>
#include <stdexcept>
#include <wx/app.h>
#include <wx/aui/auibar.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/xrc/xmlres.h>

namespace {
constexpr auto kCloseLimit = std::chrono::seconds(10);
} // namespace

TestHost::TestHost()
    : m_tracer(std::make_unique<Tracer>()),
      m_images(std::make_unique<BitmapLoader>(pmStandardPaths::Get().GetBinFolder() + "/images"))
{
    if(!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) {
        wxInitAllImageHandlers();
    }
    m_frame = new MainFrame(*m_tracer);
    m_frameAlive = m_frame;
    m_frame->SetShutdown([this] { UnloadPlugin(); });
    m_frame->GetOutputWindow()->SetAppendObserver(
        [this](const OutputWindow::Entry& entry) { appended.push_back(entry); });
    m_frame->GetLogin().SetKickedObserver([this] { ++kicked; });
    m_manager =
        std::make_unique<PelmoraHostManager>(*m_frame, *m_images, pmStandardPaths::Get().GetBinFolder());
    wxTheApp->SetTopWindow(m_frame);
    m_frame->Show();
}

TestHost::~TestHost()
{
    if(m_frameAlive) {
        m_frame->Close(true);
        // The window deletes itself when the application is next idle.
        PumpUntil(
            [this] {
                wxTheApp->ProcessIdle();
                return !m_frameAlive;
            },
            kCloseLimit);
    }
    UnloadPlugin(); // when the window was gone before its shutdown ran
}

TessrinPlugin* TestHost::LoadPlugin()
{
    if(m_plugin) {
        return m_plugin.get();
    }
    IPlugin* created = CreatePlugin(m_manager.get());
    m_plugin.reset(dynamic_cast<TessrinPlugin*>(created));
    if(!m_plugin) {
        throw std::runtime_error("CreatePlugin gave no TessrinPlugin");
    }
    m_frame->AddToolBar(m_plugin->BuildToolBar(m_frame));
    m_plugin->BuildMenus();
    m_frame->GetAuiManager()->Update();
    return m_plugin.get();
}

void TestHost::UnloadPlugin()
{
    if(!m_plugin) {
        return;
    }
    {
        // As the host: the settings stored while unloading are written once.
        EditorConfig::SaveBatch batch(*EditorConfigST::Get());
        m_plugin->UnPlug();
        // A running job may call into plug-in code: let it finish first.
        JobQueueSingleton::Release();
        m_plugin.reset();
    }
}

TessrinPlugin* TestHost::Plugin() const
{
    return m_plugin.get();
}

HostManager& TestHost::Manager()
{
    return *m_manager;
}

bool TestHost::SendMenuCommand(const wxString& name)
{
    return SendMenuCommand(wxXmlResource::GetXRCID(name));
}

bool TestHost::SendMenuCommand(int id)
{
    wxMenu* menu = nullptr;
    wxMenuItem* item = m_frame->GetMenuBar() ? m_frame->GetMenuBar()->FindItem(id, &menu) : nullptr;
    if(item && menu) {
        // A click toggles a check item first, as GTK does.
        if(item->IsCheckable()) {
            item->Check(!item->IsChecked());
        }
        return menu->SendEvent(id, item->IsCheckable() ? item->IsChecked() : -1);
    }
    wxCommandEvent command(wxEVT_MENU, id);
    command.SetEventObject(m_frame);
    return m_frame->ProcessWindowEvent(command);
}

bool TestHost::ClickTool(const wxString& name)
{
    wxAuiToolBar* toolBar = m_plugin ? m_plugin->GetToolBar() : nullptr;
    const int id = wxXmlResource::GetXRCID(name);
    if(!toolBar || !toolBar->FindTool(id)) {
        return false;
    }
    // As the tool bar does on a click: toggle a check or radio tool, then
    // send the command with its new state.
    wxAuiToolBarItem* tool = toolBar->FindTool(id);
    const bool toggles = tool->GetKind() == wxITEM_CHECK || tool->GetKind() == wxITEM_RADIO;
    if(toggles) {
        toolBar->ToggleTool(id, tool->GetKind() == wxITEM_RADIO || !toolBar->GetToolToggled(id));
    }
    wxCommandEvent click(wxEVT_TOOL, id);
    click.SetEventObject(toolBar);
    click.SetInt(toggles && toolBar->GetToolToggled(id) ? 1 : 0);
    return toolBar->ProcessWindowEvent(click);
}
