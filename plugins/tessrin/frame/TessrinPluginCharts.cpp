// Symbol pages of the centre notebook (charts; hang orders for market type
// '3'), the tools that follow the page in front, and the menu and tool
// commands of the plug-in.
#include "charts/CharViewPanelMgr.h"
#include "charts/ChartViewerPanel.h"
#include "charts/SystemSetting.h"
#include "common/ModalMessageBox.h"
#include "common/ToolBarTools.h"
#include "db/RecordStore.h"
#include "frame/TessrinPlugin.h"
#include "orders/HangOrderPane.h"

#include <pelmora/Notebook.h>
#include <pelmora/pmChartViewer.h>
#include <platform/ProcessLauncher.h>
#include <platform/SystemBrowserLauncher.h>
#include <platform/SystemProcessLauncher.h>
#include <wx/app.h>
#include <wx/aui/auibar.h>
#include <wx/imaglist.h>

namespace {
constexpr int kChartPageImage = 3; // "output-pane/24/chart"
} // namespace

std::vector<MenuCommandTable<TessrinPlugin>::Row> TessrinPlugin::CommandTable()
{
    return {
        {"show_symbolPane", &TessrinPlugin::OnShowSymbolPane},
        {"show_outPane", &TessrinPlugin::OnShowOutputPane},
        {"lockScreen", &TessrinPlugin::OnLockScreen},
        {"chart_m1", &TessrinPlugin::OnChartPeriod},
        {"chart_m3", &TessrinPlugin::OnChartPeriod},
        {"chart_m5", &TessrinPlugin::OnChartPeriod},
        {"chart_m15", &TessrinPlugin::OnChartPeriod},
        {"chart_m30", &TessrinPlugin::OnChartPeriod},
        {"chart_h1", &TessrinPlugin::OnChartPeriod},
        {"chart_h4", &TessrinPlugin::OnChartPeriod},
        {"chart_d1", &TessrinPlugin::OnChartPeriod},
        {"chart_w1", &TessrinPlugin::OnChartPeriod},
        {"chart_mn", &TessrinPlugin::OnChartPeriod},
        {"chart_holc", &TessrinPlugin::OnChartType},
        {"chart_candlestick", &TessrinPlugin::OnChartType},
        {"chart_timeShared", &TessrinPlugin::OnChartType},
        {"chart_zoom_in", &TessrinPlugin::OnZoomIn},
        {"chart_zoom_out", &TessrinPlugin::OnZoomOut},
        {"Sales_report", &TessrinPlugin::OnSalesReport},
        {"calculator", &TessrinPlugin::OnCalculator},
        {"systemSetting", &TessrinPlugin::OnSystemSetting},
    };
}

Notebook* TessrinPlugin::CentreBook() const
{
    return m_centreBook.get();
}

void TessrinPlugin::ConnectCentreBook()
{
    if(!m_centreBook && m_mgr) {
        m_centreBook = m_mgr->GetCentreBook();
    }
    Notebook* book = CentreBook();
    if(!book || m_centreBookConnected) {
        return;
    }
    book->Bind(wxEVT_AUINOTEBOOK_PAGE_CHANGING, &TessrinPlugin::OnNotebookPageChanging, this);
    book->Bind(wxEVT_AUINOTEBOOK_PAGE_CLOSE, &TessrinPlugin::OnNotebookPageClose, this);
    m_centreBookConnected = true;
}

void TessrinPlugin::DisconnectCentreBook()
{
    Notebook* book = CentreBook();
    if(book && m_centreBookConnected) {
        book->Unbind(wxEVT_AUINOTEBOOK_PAGE_CHANGING, &TessrinPlugin::OnNotebookPageChanging, this);
        book->Unbind(wxEVT_AUINOTEBOOK_PAGE_CLOSE, &TessrinPlugin::OnNotebookPageClose, this);
    }
    m_centreBookConnected = false;
}

ChartViewerPanel* TessrinPlugin::GetChartInFront() const
{
    Notebook* book = CentreBook();
    const int selection = book ? book->GetSelection() : wxNOT_FOUND;
    if(selection == wxNOT_FOUND) {
        return nullptr;
    }
    return dynamic_cast<ChartViewerPanel*>(book->GetPage(static_cast<size_t>(selection)));
}

const symbol_Info* TessrinPlugin::GetChartSymbolInFront() const
{
    const ChartViewerPanel* chart = GetChartInFront();
    return chart ? chart->GetSymbolInfo() : nullptr;
}

void TessrinPlugin::ShowChartWindow(const symbol_Info& symbol, bool select)
{
    Notebook* book = CentreBook();
    if(!m_db || !symbol.GetSymbolProperty(m_db.get()) || !book) {
        return;
    }
    const wxString caption = symbol.cachedSymbolProperty->symbolName;
    const wxBitmap image = m_pageImages && m_pageImages->GetImageCount() > kChartPageImage
                               ? m_pageImages->GetBitmap(kChartPageImage)
                               : wxNullBitmap;
    if(symbol.marketType == '3') {
        for(size_t i = 0; i < book->GetPageCount(); ++i) {
            const auto* open = dynamic_cast<const HangOrderPane*>(book->GetPage(i));
            if(open && open->GetCaption() == symbol.symbolCode) {
                book->SetSelection(i, false);
                return;
            }
        }
        auto* pane = new HangOrderPane(book, m_db.get(), symbol, m_mgr);
        pane->Bind(wxEVT_KEY_UP, &TessrinPlugin::OnKeyUp, this);
        book->AddPage(pane, caption, select, image);
        return;
    }
    if(!m_pChartViewMgr) {
        return;
    }
    if(ChartViewerPanel* open = m_pChartViewMgr->FindPanel(symbol.symbolCode)) {
        const int index = book->GetPageIndex(open);
        if(index != wxNOT_FOUND) {
            book->SetSelection(static_cast<size_t>(index), false);
        }
        return;
    }
    auto* panel = new ChartViewerPanel(book, m_db.get(), symbol, m_mgr);
    panel->GetChartView()->Bind(wxEVT_KEY_UP, &TessrinPlugin::OnKeyUp, this);
    book->AddPage(panel, caption, select, image);
    m_pChartViewMgr->AddPanel(panel);
}

void TessrinPlugin::OnNotebookPageChanging(wxAuiNotebookEvent& event)
{
    event.Skip();
    Notebook* book = CentreBook();
    const int selection = event.GetSelection();
    wxWindow* page = book && selection >= 0 && static_cast<size_t>(selection) < book->GetPageCount()
                         ? book->GetPage(static_cast<size_t>(selection))
                         : nullptr;
    auto* chart = dynamic_cast<ChartViewerPanel*>(page);
    if(!chart) {
        UpdateChartTypeTools(false);
        UpdatePeriodTools(false);
        UpdateOrderTools(false);
        if(m_toolBar) {
            m_toolBar->Refresh();
        }
        return;
    }
    UpdateChartTypeTools(true);
    UpdatePeriodTools(true);
    ToggleChartTypeTool(chart->GetBarType());
    if(m_toolBar) {
        m_toolBar->ToggleTool(ToolIdFromPeriod(chart->GetPeriod()), true);
        m_toolBar->Refresh();
    }
    // A symbol gone from the table has nothing to order.
    const symbol_Info* symbol = chart->GetSymbolInfo();
    UpdateOrderTools(symbol && (symbol->marketType == '1' || symbol->marketType == '2'));
}

void TessrinPlugin::OnNotebookPageClose(wxAuiNotebookEvent& event)
{
    event.Skip();
    Notebook* book = CentreBook();
    const int selection = event.GetSelection();
    if(!book || selection == wxNOT_FOUND || static_cast<size_t>(selection) >= book->GetPageCount() ||
       !m_pChartViewMgr) {
        return;
    }
    auto* chart = dynamic_cast<ChartViewerPanel*>(book->GetPage(static_cast<size_t>(selection)));
    if(!chart) {
        return;
    }
    m_pChartViewMgr->RemovePanel(chart);
    if(m_pChartViewMgr->GetChartViewPanels().empty()) {
        UpdateChartTypeTools(false);
        UpdatePeriodTools(false);
        UpdateOrderTools(false);
        if(m_toolBar) {
            m_toolBar->Refresh();
        }
    }
}

void TessrinPlugin::OnChartPeriod(wxCommandEvent& event)
{
    ChartViewerPanel* chart = GetChartInFront();
    if(!chart) {
        return;
    }
    const int period = PeriodFromToolId(event.GetId());
    chart->SetSymbolPeriod(period);
    if(m_toolBar) {
        m_toolBar->ToggleTool(ToolIdFromPeriod(period), true);
        m_toolBar->Refresh();
    }
}

void TessrinPlugin::OnChartType(wxCommandEvent& event)
{
    ChartViewerPanel* chart = GetChartInFront();
    if(!chart) {
        return;
    }
    const int barType = BarTypeFromCommandId(event.GetId());
    chart->SetBarType(barType);
    chart->GetChartView()->updateViewPort(true, true);
    ToggleChartTypeTool(barType);
}

void TessrinPlugin::OnZoomIn(wxCommandEvent& event)
{
    wxUnusedVar(event);
    if(ChartViewerPanel* chart = GetChartInFront()) {
        chart->ZoomIn();
    }
}

void TessrinPlugin::OnZoomOut(wxCommandEvent& event)
{
    wxUnusedVar(event);
    if(ChartViewerPanel* chart = GetChartInFront()) {
        chart->ZoomOut();
    }
}

void TessrinPlugin::OnShowSymbolPane(wxCommandEvent& event)
{
    wxUnusedVar(event);
    if(m_mgr) {
        m_mgr->ShowPane("Navigator", true);
    }
}

void TessrinPlugin::OnShowOutputPane(wxCommandEvent& event)
{
    wxUnusedVar(event);
    if(m_mgr) {
        m_mgr->ShowPane("Output", true);
    }
}

void TessrinPlugin::OnCalculator(wxCommandEvent& event)
{
    wxUnusedVar(event);
    const wxString program = GetProcessLauncher().FindCalculator();
    if(!program.empty() && GetProcessLauncher().Start("open", program, {}).Started()) {
        return;
    }
    ModalMessageBox::Show(_("No calculator could be started."), _("Calculator"),
                          wxOK | wxICON_WARNING | wxCENTRE);
}

void TessrinPlugin::OnSystemSetting(wxCommandEvent& event)
{
    wxUnusedVar(event);
    SystemSetting dialog(nullptr);
    dialog.ShowModal();
}

void TessrinPlugin::SetProcessLauncher(std::unique_ptr<ProcessLauncher> launcher)
{
    m_processLauncher = std::move(launcher);
}

ProcessLauncher& TessrinPlugin::GetProcessLauncher()
{
    if(!m_processLauncher) {
        m_processLauncher = std::make_unique<SystemProcessLauncher>();
    }
    return *m_processLauncher;
}

void TessrinPlugin::SetBrowserLauncher(std::unique_ptr<BrowserLauncher> launcher)
{
    m_browserLauncher = std::move(launcher);
}

BrowserLauncher& TessrinPlugin::GetBrowserLauncher()
{
    if(!m_browserLauncher) {
        m_browserLauncher = std::make_unique<SystemBrowserLauncher>();
    }
    return *m_browserLauncher;
}

wxArrayString TessrinPlugin::CloseChartPages(wxString& activeView)
{
    wxArrayString names;
    Notebook* book = CentreBook();
    if(!book) {
        return names;
    }
    if(ChartViewerPanel* front = GetChartInFront()) {
        activeView = front->GetViewName();
    }
    size_t index = 0;
    while(index < book->GetPageCount()) {
        wxWindow* page = book->GetPage(index);
        auto* chart = dynamic_cast<ChartViewerPanel*>(page);
        auto* hang = chart ? nullptr : dynamic_cast<HangOrderPane*>(page);
        if(!chart && !hang) {
            ++index; // other pages stay
            continue;
        }
        names.Add(chart ? chart->GetViewName() : hang->GetCaption());
        if(book->GetPageCount() > 1) {
            book->SetSelection(index == 0 ? 1 : index - 1, false);
        }
        if(chart) {
            book->RemovePage(index);
            if(m_pChartViewMgr) {
                m_pChartViewMgr->RemovePanel(chart);
            }
            chart->Destroy();
        } else {
            book->RemovePage(index, false);
            // A child window goes at once: the pane leaves the store and the
            // login table while both exist, and writes the store to its file.
            hang->Destroy();
        }
    }
    return names;
}
