#pragma once

#include "charts/ChartPanelData.h"
#include "charts/ChartStyle.h"
#include "charts/ChartTextRoom.h"
#include "charts/ChartViewPanelConfig.h"
#include "charts/WheelNotches.h"
#include "charts/sKData.h"
#include "common/RefreshClock.h"
#include "db/CCommitTrigger.h"
#include "db/symbol_price.h"
#include "layouts/ChartViewPanelBase.h"

#include <chrono>
#include <memory>
#include <wx/timer.h>

class ChartViewPanelGlobalConfig;
class HostManager;
class MinTradeOrderPanel;
class PriceReportPane;
class RecordStore;
class wxImageList;
class wxKeyEvent;
class wxMenu;
class wxScrollEvent;
class wxUpdateUIEvent;
struct symbol_Info;
namespace chartlib {
class BaseChart;
}

// One chart page of the centre notebook: the K-lines of one symbol in one
// period, taken from the shared K-line history and following its new and
// changed K-lines and the symbol's latest price. Data callbacks only set
// flags and ask the refresh clock for a tick, which draws the cursor layer
// (with the latest price) and builds a new chart at most every kBuildMs; no
// tick comes while nothing waits to be drawn. The user scrolls it with the wheel or by
// dragging, zooms it, moves its cursor with the mouse and the arrow keys and
// switches it from its popup menu; it follows the host's colours and the
// stored chart settings. GUI thread only.
class ChartViewerPanel : public ChartViewPanelBase,
                         public CCommitTrigger<sKData>,
                         public CCommitTrigger<symbol_price>,
                         public RefreshClock::Client
{
public:
    static constexpr int kRefreshMs = 50;
    // A new chart at most this often; the latest price follows every tick.
    static constexpr int kBuildMs = 100;
    // How often a page looks at its K-line download while one runs or failed.
    static constexpr int kFollowDownloadMs = 250;
    // Fills the binary-option page with the symbol once, after construction.
    static constexpr int kPageTimerId = 6000;
    static constexpr int kPageDelayMs = 300;

    // The symbol must be a record of the store's symbol table. The page
    // draws on the refresh clock (none: on its own 50 ms timer).
    ChartViewerPanel(wxWindow* parent, RecordStore* db, const symbol_Info& symbol, HostManager* mgr,
                     RefreshClock* clock = PluginRefreshClock());
    // Leaves the history and the price table, stores the page's settings and
    // drops the symbol from the pages the plug-in reopens.
    ~ChartViewerPanel() override;

    // The symbol's record in the store; null once it has left the table.
    const symbol_Info* GetSymbolInfo() const;
    // The symbol code: the name the manager and the frame know the page by.
    const wxString& GetViewName() const { return m_symbolCode; }

    // Takes the history of that period (the newest 200 K-lines are asked
    // for); nothing for the current period, without the symbol or without a
    // login.
    void SetSymbolPeriod(int period);
    int GetPeriod() const { return m_config.m_periodType; }
    // 0 HLOC bars, 1 candlesticks, 2 time-shared line; the caller redraws.
    int GetBarType() const { return m_config.m_barType; }
    void SetBarType(int barType) { m_config.m_barType = barType; }

    // Three quarters, or five quarters, of the visible points; a redraw
    // when the window changed.
    void ZoomIn();
    void ZoomOut();
    // Shown on a right click; its order, period and bar-type items are only
    // posted on (the frame's commands act on the page in front).
    wxMenu* GetPopupMenu() const { return m_popupMenu.get(); }

    // Moves the window (see ChartPanelData::Seek).
    bool Seek(int offset, int seekType) { return m_data.Seek(offset, seekType); }
    // A new chart for the viewer from the window; the cursor drawn on it.
    void DrawChart();
    // The cursor on the chart's dynamic layer.
    void DrawTrackCursor(chartlib::BaseChart* chart);

    // K-lines of the history, when its unit of work commits.
    void commitAdd(const sKData& stored, int argument) override;
    void commitUpdate(const sKData& oldValue, const sKData& stored, int argument) override;
    // The symbol's latest price.
    void commitUpdate(const symbol_price& oldValue, const symbol_price& stored, int argument) override;
    // What waits to be drawn, at the refresh clock's tick.
    void OnRefreshTick() override;

    ChartPanelData& GetData() { return m_data; }
    const ChartStyle& GetStyle() const { return m_style; }
    const wxString& GetSymbolName() const { return m_symbolName; }
    int GetSymbolId() const { return m_symbolId; }
    // The side book's page: the depth of an aggregate symbol; null otherwise.
    PriceReportPane* GetPriceReportPane() const { return m_priceReport; }
    // The side book's page: the quick order of a binary option; null otherwise.
    MinTradeOrderPanel* GetMinTradePanel() const { return m_minTrade; }

private:
    void OnTimer(wxTimerEvent& event);
    void DrawPending();
    void OnViewerMotion(wxMouseEvent& event);
    void OnViewPortChanged(wxCommandEvent& event);
    void OnTrackRefresh(wxCommandEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnPlotAreaMouseMove(wxCommandEvent& event);
    void OnMouseWheel(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnRightUp(wxMouseEvent& event);
    void OnScroll(wxScrollEvent& event);
    void OnUpdatePeriod(wxUpdateUIEvent& event);
    void OnUpdateBarType(wxUpdateUIEvent& event);
    void OnUpdateGridLine(wxUpdateUIEvent& event);
    void OnProperties(wxCommandEvent& event);
    void OnGridLine(wxCommandEvent& event);
    void OnColoursChanged(wxCommandEvent& event);
    void OnSettingChanged(wxCommandEvent& event);
    void StepTrackCursor();
    // Starts the refresh timer (the data asks when something waits to be drawn).
    void ScheduleDraw();
    void Zoom(double factor);
    void CreatePopupMenu(HostManager* mgr);
    ChartStyle CurrentStyle() const;
    void CreateSidePane(const symbol_Info& symbol, HostManager* mgr);
    // In the dark theme the page takes the theme's colours over the stored
    // ones, as at a change of the theme; the depth pane takes the page's.
    void FollowDarkTheme(const ChartViewPanelGlobalConfig& stored);
    void ColourSidePane();
    void ReleaseHistory(const symbol_Info* symbol);

    RecordStore* m_pDb;
    int m_symbolId;
    wxString m_symbolCode;
    RefreshClock* m_clock; // not owned; null: the page's own timer
    std::chrono::steady_clock::time_point m_lastBuild;
    bool m_imageMapStale = false; // the tool tips' areas wait for the mouse
    wxString m_symbolName;
    ChartViewPanelConfig m_config;
    ChartStyle m_style;
    ChartPanelData m_data;
    ChartTextRoom m_textRoom; // what the legend and the price labels take
    wxTimer m_refreshTimer;
    PriceReportPane* m_priceReport = nullptr; // a page of the side book
    MinTradeOrderPanel* m_minTrade = nullptr; // a page of the side book
    wxTimer m_pageTimer;
    std::unique_ptr<wxImageList> m_images; // of the popup menu
    std::unique_ptr<wxMenu> m_popupMenu;
    WheelNotches m_scrollWheel;
    WheelNotches m_zoomWheel; // with Ctrl held
    int m_heldKey = 0;        // the arrow key pressed last

    wxDECLARE_EVENT_TABLE();
};
