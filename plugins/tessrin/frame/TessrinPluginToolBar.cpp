#include "common/ToolBarTools.h"
#include "frame/TessrinPlugin.h"

#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <wx/aui/auibar.h>
#include <wx/aui/framemanager.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/xrc/xmlres.h>

namespace {
// F1 and Escape hide and show everything around the centre.
constexpr long kFullScreenParts = wxFULLSCREEN_ALL;

BitmapLoader* ImagesOf(HostManager* manager)
{
    return manager ? manager->GetImageLoader() : nullptr;
}
} // namespace

wxAuiToolBar* TessrinPlugin::BuildToolBar(wxWindow* parent)
{
    if(m_toolBar) {
        return m_toolBar;
    }
    if(!m_mgr || !m_mgr->ToolBarsEnabled() || !parent) {
        return nullptr;
    }
    m_toolBar = CreatePluginToolBar(parent, ImagesOf(m_mgr));
    m_toolBar->Bind(wxEVT_AUITOOLBAR_TOOL_DROPDOWN, &TessrinPlugin::OnToolDropDown, this);
    UpdatePeriodTools(false);
    UpdateChartTypeTools(false);
    return m_toolBar;
}

void TessrinPlugin::BuildMenus()
{
    m_menus.Build(m_mgr ? m_mgr->GetMainMenuBar() : nullptr, ImagesOf(m_mgr));
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
    const char* title = DropDownMenuTitle(event.GetToolId());
    wxMenuBar* menuBar = m_mgr ? m_mgr->GetMainMenuBar() : nullptr;
    wxFrame* frame = m_mgr ? m_mgr->GetMainFrame() : nullptr;
    const int index = title && menuBar ? menuBar->FindMenu(wxGetTranslation(title)) : wxNOT_FOUND;
    if(index == wxNOT_FOUND || !frame || !m_toolBar) {
        event.Skip();
        return;
    }
    // A menu of the menu bar cannot pop up elsewhere: lend it out and put it
    // back.
    const wxString label = menuBar->GetMenuLabel(index);
    wxMenu* menu = menuBar->Remove(index);
    const wxRect tool = m_toolBar->GetToolRect(event.GetToolId());
    const wxPoint below(tool.GetLeft(), tool.GetTop() + tool.GetHeight() - 1);
    frame->PopupMenu(menu, frame->ScreenToClient(m_toolBar->ClientToScreen(below)));
    menuBar->Insert(index, menu, label);
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
        if(m_toolBar) {
            m_toolBar->Show(!fullScreen);
        }
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
    EnableTools(m_toolBar, PeriodToolNames(), enable);
}

void TessrinPlugin::UpdateOrderTools(bool enable)
{
    EnableTools(m_toolBar, OrderToolNames(), enable);
}

void TessrinPlugin::UpdateChartTypeTools(bool enable)
{
    EnableTools(m_toolBar, ChartTypeToolNames(), enable);
}

void TessrinPlugin::ToggleChartTypeTool(int barType)
{
    if(!m_toolBar) {
        return; // the host wanted no tool bar
    }
    m_toolBar->ToggleTool(wxXmlResource::GetXRCID(ChartTypeToolName(barType)), true);
    m_toolBar->Refresh(true);
}

int TessrinPlugin::ToolIdFromPeriod(int period) const
{
    return ::ToolIdFromPeriod(period);
}

int TessrinPlugin::PeriodFromToolId(int toolId) const
{
    return ::PeriodFromToolId(toolId);
}
