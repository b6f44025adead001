#include "charts/CharViewPanelMgr.h"

#include "charts/ChartViewerPanel.h"
#include "common/IClientPlugin.h"
#include "common/TessrinPluginConfig.h"
#include "db/RecordStore.h"

#include <algorithm>

CharViewPanelMgr::CharViewPanelMgr(RecordStore* db) : m_pDb(db)
{
    if(m_pDb && m_pDb->m_symbol_Info_table) {
        m_pDb->m_symbol_Info_table->AddCommitTrigger(this);
    }
    Bind(wxEVT_CHART_OPEN_FIRST, &CharViewPanelMgr::OnOpenFirstChart, this);
}

CharViewPanelMgr::~CharViewPanelMgr()
{
    if(m_pDb && m_pDb->m_symbol_Info_table) {
        m_pDb->m_symbol_Info_table->RemoveCommitTrigger(this);
    }
    Unbind(wxEVT_CHART_OPEN_FIRST, &CharViewPanelMgr::OnOpenFirstChart, this);
}

ChartViewerPanel* CharViewPanelMgr::FindPanel(const wxString& name) const
{
    const auto found = std::find_if(m_panels.begin(), m_panels.end(), [&name](const ChartViewerPanel* panel) {
        return panel->GetViewName() == name;
    });
    return found == m_panels.end() ? nullptr : *found;
}

void CharViewPanelMgr::AddPanel(ChartViewerPanel* panel)
{
    m_panels.push_back(panel);
}

void CharViewPanelMgr::RemovePanel(ChartViewerPanel* panel)
{
    const auto found = std::find(m_panels.begin(), m_panels.end(), panel);
    if(found != m_panels.end()) {
        m_panels.erase(found);
    }
}

void CharViewPanelMgr::commitAdd(const symbol_Info& stored, int argument)
{
    wxUnusedVar(argument);
    const TessrinPluginConfig remembered = GetRememberedPages();
    if(remembered.GetLastShowChartViews().Index(stored.symbolCode, true) != wxNOT_FOUND) {
        ShowChartWindow(stored, stored.symbolCode == remembered.GetLastActiveChartView());
    } else if(m_panels.empty()) {
        // One event per symbol; only the first handled opens a chart.
        wxQueueEvent(this, new wxCommandEvent(wxEVT_CHART_OPEN_FIRST, 0));
    }
}

void CharViewPanelMgr::OnOpenFirstChart(wxCommandEvent& event)
{
    wxUnusedVar(event);
    if(!m_panels.empty() || !m_pDb || !m_pDb->m_symbol_Info_table) {
        return;
    }
    const auto& symbols = m_pDb->m_symbol_Info_table->GetIndexByPrimary();
    if(!symbols.empty()) {
        ShowChartWindow(*symbols.begin(), true); // ordered by id: the smallest first
    }
}

void CharViewPanelMgr::ShowChartWindow(const symbol_Info& symbol, bool activate)
{
    if(g_plugin) {
        g_plugin->ShowChartWindow(symbol, activate);
    }
}

TessrinPluginConfig CharViewPanelMgr::GetRememberedPages() const
{
    return g_plugin ? g_plugin->GetPluginConfig() : TessrinPluginConfig();
}
