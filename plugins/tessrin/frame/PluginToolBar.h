#pragma once

class BitmapLoader;
class HostManager;
class wxAuiToolBar;
class wxAuiToolBarEvent;
class wxWindow;

// The plug-in's tool bar in the host's frame: built once, its chart, period
// and order tools enabled as the page in front allows, and its drop-down
// tools lending out the host menu of their name. Without a tool bar (the
// host wanted none) every operation does nothing. The host's frame owns the
// bar. GUI thread only.
class PluginToolBar
{
public:
    explicit PluginToolBar(HostManager* manager);

    // The bar, built on the first call; null when the host wants no tool
    // bars or there is no parent.
    wxAuiToolBar* Build(wxWindow* parent);
    wxAuiToolBar* Get() const { return m_toolBar; }

    void UpdatePeriodTools(bool enable);
    void UpdateOrderTools(bool enable);
    void UpdateChartTypeTools(bool enable);
    // 0 HOLC, 1 candlestick, 2 time-shared; others HOLC.
    void ToggleChartTypeTool(int barType);
    // The period's tool on.
    void TogglePeriodTool(int period);
    void Refresh();
    void Show(bool show);
    // "toolsMgr" and "moneyMgr" pop up the host menu of that name.
    void OnToolDropDown(wxAuiToolBarEvent& event);

private:
    HostManager* m_mgr;
    wxAuiToolBar* m_toolBar = nullptr; // owned by the host's frame
};
