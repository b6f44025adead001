#pragma once

#include <optional>
#include <wx/arrstr.h>
#include <wx/string.h>

class CharViewPanelMgr;
class ChartViewerPanel;
struct symbol_Info;
class wxWindow;

// The symbol pages of the centre notebook (charts; hang orders for market
// type '3') and the K-line histories behind them, as the plug-in object sees
// them. The composition root makes the one implementation.
class IChartPages
{
public:
    // What the tool bar shows for a chart page in front.
    struct FrontTools
    {
        int barType;
        int period;
        bool orders; // the symbol takes orders from the tool bar
    };

    virtual ~IChartPages() = default;

    // The manager of the open chart pages, over the record store.
    virtual void Start() = 0;
    // An open page is selected without a page event; otherwise one is added.
    virtual void ShowChartWindow(const symbol_Info& symbol, bool select) = 0;
    // Null before start-up and after shut-down.
    virtual CharViewPanelMgr* GetChartViewMgr() const = 0;
    // The chart page at the centre notebook's selection; null otherwise.
    virtual ChartViewerPanel* GetChartInFront() const = 0;
    virtual const symbol_Info* GetChartSymbolInFront() const = 0;
    // The tools of a page coming to the front; nothing for a page that is
    // no chart.
    virtual std::optional<FrontTools> ToolsOf(wxWindow* page) const = 0;
    // A page the user closes leaves the manager; true when it was the last
    // chart page.
    virtual bool ForgetClosedPage(wxWindow* page) = 0;
    // Shut-down: the chart and hang-order pages close in page order; returns
    // their names and, in `activeView`, the name of the chart in front.
    virtual wxArrayString CloseChartPages(wxString& activeView) = 0;
    // The manager goes; `pagesClosed` asserts that it holds no page.
    virtual void ReleaseManager(bool pagesClosed) = 0;
    // The K-line histories observe the price table: released before the store.
    virtual void ReleaseHistories() = 0;
};
