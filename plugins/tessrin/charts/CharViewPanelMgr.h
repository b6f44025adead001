#pragma once

#include "db/CCommitTrigger.h"
#include "db/symbol_Info.h"

#include <list>
#include <wx/event.h>

class ChartViewerPanel;
class RecordStore;
class TessrinPluginConfig;

// Asks the manager, later in the event loop, to open the first symbol's
// chart. Outside wx's range of event types, and bound on the manager only.
const wxEventTypeTag<wxCommandEvent> wxEVT_CHART_OPEN_FIRST(101010);

// The open chart pages, in the order they were added (the notebook owns
// them). As the symbols of the trading day arrive it reopens the chart
// pages open at the last unload, or, when none applies and no chart is
// open, the chart of the symbol with the smallest id. GUI thread only.
class CharViewPanelMgr : public wxEvtHandler, public CCommitTrigger<symbol_Info>
{
public:
    explicit CharViewPanelMgr(RecordStore* db);
    ~CharViewPanelMgr() override;
    CharViewPanelMgr(const CharViewPanelMgr&) = delete;
    CharViewPanelMgr& operator=(const CharViewPanelMgr&) = delete;

    // The first page whose view name equals the text (case-sensitive).
    ChartViewerPanel* FindPanel(const wxString& name) const;
    void AddPanel(ChartViewerPanel* panel);
    // Nothing when the page is not listed.
    void RemovePanel(ChartViewerPanel* panel);
    std::list<ChartViewerPanel*> GetChartViewPanels() const { return m_panels; }

    // A symbol arrived: its chart reopens when it was open at the last
    // unload; otherwise, with no chart open, the first chart is asked for.
    void commitAdd(const symbol_Info& stored, int argument) override;

protected:
    // The frame's ShowChartWindow and the pages remembered at the last
    // unload; tests put their own.
    virtual void ShowChartWindow(const symbol_Info& symbol, bool activate);
    virtual TessrinPluginConfig GetRememberedPages() const;

private:
    void OnOpenFirstChart(wxCommandEvent& event);

    std::list<ChartViewerPanel*> m_panels;
    RecordStore* m_pDb;
};
