#include "frame/PluginToolBar.h"

#include "common/ToolBarTools.h"

#include <pelmora/HostManager.h>
#include <wx/aui/auibar.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/xrc/xmlres.h>

PluginToolBar::PluginToolBar(HostManager* manager) : m_mgr(manager) {}

wxAuiToolBar* PluginToolBar::Build(wxWindow* parent)
{
    if(m_toolBar) {
        return m_toolBar;
    }
    if(!m_mgr || !m_mgr->ToolBarsEnabled() || !parent) {
        return nullptr;
    }
    m_toolBar = CreatePluginToolBar(parent, m_mgr->GetImageLoader());
    m_toolBar->Bind(wxEVT_AUITOOLBAR_TOOL_DROPDOWN, &PluginToolBar::OnToolDropDown, this);
    UpdatePeriodTools(false);
    UpdateChartTypeTools(false);
    return m_toolBar;
}

void PluginToolBar::OnToolDropDown(wxAuiToolBarEvent& event)
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

void PluginToolBar::UpdatePeriodTools(bool enable)
{
    EnableTools(m_toolBar, PeriodToolNames(), enable);
}

void PluginToolBar::UpdateOrderTools(bool enable)
{
    EnableTools(m_toolBar, OrderToolNames(), enable);
}

void PluginToolBar::UpdateChartTypeTools(bool enable)
{
    EnableTools(m_toolBar, ChartTypeToolNames(), enable);
}

void PluginToolBar::ToggleChartTypeTool(int barType)
{
    if(!m_toolBar) {
        return; // the host wanted no tool bar
    }
    m_toolBar->ToggleTool(wxXmlResource::GetXRCID(ChartTypeToolName(barType)), true);
    m_toolBar->Refresh(true);
}

void PluginToolBar::TogglePeriodTool(int period)
{
    if(m_toolBar) {
        m_toolBar->ToggleTool(ToolIdFromPeriod(period), true);
    }
}

void PluginToolBar::Refresh()
{
    if(m_toolBar) {
        m_toolBar->Refresh();
    }
}

void PluginToolBar::Show(bool show)
{
    if(m_toolBar) {
        m_toolBar->Show(show);
    }
}
