#include "app/Commands.h"

#include "charts/ChartViewerPanel.h"
#include "charts/SystemSetting.h"
#include "common/ModalMessageBox.h"
#include "common/ToolBarTools.h"
#include "frame/TessrinPlugin.h"
#include "history/SalesReportPanel.h"

#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <pelmora/pmChartViewer.h>
#include <platform/ProcessLauncher.h>
#include <wx/app.h>
#include <wx/aui/auibar.h>
#include <wx/intl.h>

namespace {
constexpr int kSalesReportImage = 4; // "output-pane/16/Sales_report"
} // namespace

Commands::Commands(TessrinPlugin& plugin) : m_plugin(plugin) {}

std::vector<MenuCommandTable<Commands>::Row> Commands::Table()
{
    return {
        {"show_symbolPane", &Commands::OnShowSymbolPane}, {"show_outPane", &Commands::OnShowOutputPane},
        {"lockScreen", &Commands::OnLockScreen},          {"chart_m1", &Commands::OnChartPeriod},
        {"chart_m3", &Commands::OnChartPeriod},           {"chart_m5", &Commands::OnChartPeriod},
        {"chart_m15", &Commands::OnChartPeriod},          {"chart_m30", &Commands::OnChartPeriod},
        {"chart_h1", &Commands::OnChartPeriod},           {"chart_h4", &Commands::OnChartPeriod},
        {"chart_d1", &Commands::OnChartPeriod},           {"chart_w1", &Commands::OnChartPeriod},
        {"chart_mn", &Commands::OnChartPeriod},           {"chart_holc", &Commands::OnChartType},
        {"chart_candlestick", &Commands::OnChartType},    {"chart_timeShared", &Commands::OnChartType},
        {"chart_zoom_in", &Commands::OnZoomIn},           {"chart_zoom_out", &Commands::OnZoomOut},
        {"Sales_report", &Commands::OnSalesReport},       {"calculator", &Commands::OnCalculator},
        {"systemSetting", &Commands::OnSystemSetting},
    };
}

void Commands::Connect()
{
    if(wxTheApp) {
        m_table.Connect(wxTheApp, this);
    }
}

void Commands::Disconnect()
{
    m_table.Disconnect();
}

void Commands::OnShowSymbolPane(wxCommandEvent& event)
{
    wxUnusedVar(event);
    if(HostManager* mgr = m_plugin.GetManager()) {
        mgr->ShowPane("Navigator", true);
    }
}

void Commands::OnShowOutputPane(wxCommandEvent& event)
{
    wxUnusedVar(event);
    if(HostManager* mgr = m_plugin.GetManager()) {
        mgr->ShowPane("Output", true);
    }
}

void Commands::OnLockScreen(wxCommandEvent& event)
{
    m_plugin.OnLockScreen(event);
}

void Commands::OnChartPeriod(wxCommandEvent& event)
{
    ChartViewerPanel* chart = m_plugin.GetChartInFront();
    if(!chart) {
        return;
    }
    const int period = m_plugin.PeriodFromToolId(event.GetId());
    chart->SetSymbolPeriod(period);
    if(wxAuiToolBar* toolBar = m_plugin.GetToolBar()) {
        toolBar->ToggleTool(m_plugin.ToolIdFromPeriod(period), true);
        toolBar->Refresh();
    }
}

void Commands::OnChartType(wxCommandEvent& event)
{
    ChartViewerPanel* chart = m_plugin.GetChartInFront();
    if(!chart) {
        return;
    }
    const int barType = BarTypeFromCommandId(event.GetId());
    chart->SetBarType(barType);
    chart->GetChartView()->updateViewPort(true, true);
    m_plugin.ToggleChartTypeTool(barType);
}

void Commands::OnZoomIn(wxCommandEvent& event)
{
    wxUnusedVar(event);
    if(ChartViewerPanel* chart = m_plugin.GetChartInFront()) {
        chart->ZoomIn();
    }
}

void Commands::OnZoomOut(wxCommandEvent& event)
{
    wxUnusedVar(event);
    if(ChartViewerPanel* chart = m_plugin.GetChartInFront()) {
        chart->ZoomOut();
    }
}

void Commands::OnSalesReport(wxCommandEvent& event)
{
    wxUnusedVar(event);
    HostManager* mgr = m_plugin.GetManager();
    Notebook* book = mgr ? mgr->GetCentreBook() : nullptr;
    RecordStore* db = m_plugin.GetDatabase();
    if(!book || !db) {
        return;
    }
    // One report page: a second command selects it.
    for(size_t i = 0; i < book->GetPageCount(); ++i) {
        if(dynamic_cast<SalesReportPanel*>(book->GetPage(i))) {
            book->SetSelection(i);
            return;
        }
    }
    auto* panel = new SalesReportPanel(db, book);
    panel->SetFocus();
    // Report pages stay in the notebook past UnPlug: a key that reaches one
    // after the plug-in object has gone goes nowhere.
    panel->Bind(wxEVT_KEY_UP, [](wxKeyEvent& key) {
        if(g_plugin) {
            ThePlugin()->OnKeyUp(key);
        } else {
            key.Skip();
        }
    });
    book->AddPage(panel, _("salesReportPanel"), true, m_plugin.GetPageImage(kSalesReportImage));
}

void Commands::OnCalculator(wxCommandEvent& event)
{
    wxUnusedVar(event);
    ProcessLauncher& launcher = m_plugin.GetProcessLauncher();
    const wxString program = launcher.FindCalculator();
    if(!program.empty() && launcher.Start("open", program, {}).Started()) {
        return;
    }
    ModalMessageBox::Show(_("No calculator could be started."), _("Calculator"),
                          wxOK | wxICON_WARNING | wxCENTRE);
}

void Commands::OnSystemSetting(wxCommandEvent& event)
{
    wxUnusedVar(event);
    SystemSetting dialog(nullptr);
    dialog.ShowModal();
}
