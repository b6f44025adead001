#pragma once

#include "frame/IChartPages.h"

#include <memory>

class TessrinPlugin;

// The symbol pages of the centre notebook: a chart page per symbol (kept in
// the chart manager) or, for market type '3', its hang-order pane. Opened on
// request, forgotten when the user closes them, closed at shut-down.
class ChartPages : public IChartPages
{
public:
    explicit ChartPages(TessrinPlugin& plugin);
    ~ChartPages() override;

    void Start() override;
    void ShowChartWindow(const symbol_Info& symbol, bool select) override;
    CharViewPanelMgr* GetChartViewMgr() const override { return m_pChartViewMgr.get(); }
    ChartViewerPanel* GetChartInFront() const override;
    const symbol_Info* GetChartSymbolInFront() const override;
    std::optional<FrontTools> ToolsOf(wxWindow* page) const override;
    bool ForgetClosedPage(wxWindow* page) override;
    wxArrayString CloseChartPages(wxString& activeView) override;
    void ReleaseManager(bool pagesClosed) override;
    void ReleaseHistories() override;

private:
    TessrinPlugin& m_plugin;
    std::unique_ptr<CharViewPanelMgr> m_pChartViewMgr;
};
