// Tool bar, menus and the full-screen keys of the plug-in object.
#include "common/ToolBarTools.h"
#include "frame/TessrinPlugin.h"

#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <pelmora/HostManager.h>
#include <wx/aui/framemanager.h>
#include <wx/frame.h>

namespace {
// F1 and Escape hide and show everything around the centre.
constexpr long kFullScreenParts = wxFULLSCREEN_ALL;
} // namespace

wxAuiToolBar* TessrinPlugin::BuildToolBar(wxWindow* parent)
{
    return m_toolBar.Build(parent);
}

wxAuiToolBar* TessrinPlugin::GetToolBar()
{
    return m_toolBar.Get();
}

void TessrinPlugin::BuildMenus()
{
    m_menus.Build(m_mgr ? m_mgr->GetMainMenuBar() : nullptr, m_mgr ? m_mgr->GetImageLoader() : nullptr);
}

void TessrinPlugin::AppendMoneyMenuItem()
{
    m_menus.AppendAccountItems(m_mgr ? m_mgr->GetMainMenuBar() : nullptr);
}

void TessrinPlugin::AppendMoneyMenuItem2()
{
    m_menus.AppendSuretyItem(m_mgr ? m_mgr->GetMainMenuBar() : nullptr);
}

void TessrinPlugin::OnToolDropDown(wxAuiToolBarEvent& event)
{
    m_toolBar.OnToolDropDown(event);
}

void TessrinPlugin::OnKeyUp(wxKeyEvent& event)
{
    wxFrame* frame = m_mgr ? m_mgr->GetMainFrame() : nullptr;
    wxAuiManager* aui = m_mgr ? m_mgr->GetAuiManager() : nullptr;
    const int key = event.GetKeyCode();
    if(frame && (key == WXK_F1 || key == WXK_ESCAPE)) {
        const bool fullScreen = key == WXK_F1;
        frame->ShowFullScreen(fullScreen, kFullScreenParts);
        if(aui) {
            wxAuiPaneInfoArray& panes = aui->GetAllPanes();
            for(size_t i = 0; i < panes.GetCount(); ++i) {
                if(panes[i].name != "Editor") {
                    panes[i].Show(!fullScreen);
                }
            }
        }
        m_toolBar.Show(!fullScreen);
    }
    if(frame) {
        frame->Update();
    }
    EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_FULLSCREEN_TOGGLED, nullptr);
    if(aui) {
        aui->Update();
    }
    event.ResumePropagation(1);
    event.Skip();
}

void TessrinPlugin::UpdatePeriodTools(bool enable)
{
    m_toolBar.UpdatePeriodTools(enable);
}

void TessrinPlugin::UpdateOrderTools(bool enable)
{
    m_toolBar.UpdateOrderTools(enable);
}

void TessrinPlugin::UpdateChartTypeTools(bool enable)
{
    m_toolBar.UpdateChartTypeTools(enable);
}

void TessrinPlugin::ToggleChartTypeTool(int barType)
{
    m_toolBar.ToggleChartTypeTool(barType);
}

int TessrinPlugin::ToolIdFromPeriod(int period) const
{
    return ::ToolIdFromPeriod(period);
}

int TessrinPlugin::PeriodFromToolId(int toolId) const
{
    return ::PeriodFromToolId(toolId);
}
