#pragma once

#include "frame/ICommands.h"
#include "frame/MenuCommandTable.h"

#include <vector>
#include <wx/event.h>

class ChartViewerPanel;
class TessrinPlugin;

// The plug-in's menu and tool commands: rows of the host's XRC id names and
// their handlers, bound on the application object while connected. The
// handlers act on the plug-in object, the chart page in front and the
// centre notebook.
class Commands : public ICommands
{
public:
    explicit Commands(TessrinPlugin& plugin);

    // The rows, in the order they are bound. Later commands add rows.
    static std::vector<MenuCommandTable<Commands>::Row> Table();

    void Connect() override;
    void Disconnect() override;

    // "show_symbolPane", "show_outPane": the host's "Navigator" and "Output".
    void OnShowSymbolPane(wxCommandEvent& event);
    void OnShowOutputPane(wxCommandEvent& event);
    // "lockScreen": the plug-in's lock screen.
    void OnLockScreen(wxCommandEvent& event);
    // "chart_m1" ... "chart_mn": the period of the chart in front.
    void OnChartPeriod(wxCommandEvent& event);
    // "chart_holc", "chart_candlestick", "chart_timeShared".
    void OnChartType(wxCommandEvent& event);
    // "chart_zoom_in", "chart_zoom_out": the chart in front zooms.
    void OnZoomIn(wxCommandEvent& event);
    void OnZoomOut(wxCommandEvent& event);
    // Tool and menu command "Sales_report": a new sales report page in the
    // centre notebook, selected, every time.
    void OnSalesReport(wxCommandEvent& event);
    // "calculator": the first calculator program on the path, started with
    // no arguments; when none is found or it does not start, a box says so.
    void OnCalculator(wxCommandEvent& event);
    // "systemSetting": the settings dialog, modal, without parent.
    void OnSystemSetting(wxCommandEvent& event);

private:
    TessrinPlugin& m_plugin;
    MenuCommandTable<Commands> m_table{Table()};
};
