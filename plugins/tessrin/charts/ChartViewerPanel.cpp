#include "charts/ChartViewerPanel.h"

#include "charts/CharViewPanelMgr.h"
#include "charts/ChartPainter.h"
#include "charts/HistoryQuote.h"
#include "charts/HistoryQuoteMgr.h"
#include "db/RecordStore.h"
#include "frame/ChartViewPanelGlobalConfig.h"
#include "frame/SettingsAccessors.h"
#include "frame/TessrinPlugin.h"
#include "orders/MinTradeOrderPanel.h"
#include "panes/PriceReportPane.h"

#include <pelmora/pmChartViewer.h>

namespace {

// The K-line histories are kept per login server: without a login there is
// none to take or give back.
bool IsLoggedIn()
{
    return g_plugin != nullptr && g_plugin->GetLoginServer() != nullptr;
}

} // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(ChartViewerPanel, ChartViewPanelBase)
    EVT_TIMER(wxID_ANY, ChartViewerPanel::OnTimer)
wxEND_EVENT_TABLE()
    // clang-format on

    ChartViewerPanel::ChartViewerPanel(wxWindow* parent, RecordStore* db, const symbol_Info& symbol,
                                       HostManager* mgr)
    : ChartViewPanelBase(parent, wxID_ANY, wxDefaultPosition, wxSize(400, 400)), m_pDb(db),
      m_symbolId(symbol.symbolId), m_symbolCode(symbol.symbolCode)
{
    if(symbol.GetSymbolProperty(db)) {
        m_symbolName = symbol.cachedSymbolProperty->symbolName;
        m_style.decimals = symbol.cachedSymbolProperty->digits;
    }

    const ChartViewPanelGlobalConfig chartColours;
    m_style.SetColours(chartColours);
    m_style.SetSolid(GetShowSoldBodyCandleStick());

    m_chartView->Bind(wxEVT_CHARTVIEWER_VIEWPORT_CHANGED, &ChartViewerPanel::OnViewPortChanged, this);
    m_chartView->Bind(wxEVT_CHARTVIEWER_TRACK_REFRESH, &ChartViewerPanel::OnTrackRefresh, this);
    m_chartView->Bind(wxEVT_SIZE, &ChartViewerPanel::OnSize, this);
    m_chartView->setMouseUsage(pmChartViewer::MouseUsageScroll);

    m_refreshTimer.SetOwner(this);
    m_data.SetRedraw(true);
    m_data.SetCursorX(0);

    m_config.Load(m_symbolCode);
    // No history is held yet: the switch always runs.
    SetSymbolPeriod(m_config.m_periodType);
    m_data.CreateSeries();
    m_data.SeekToNewest();

    const ChartDataArray* times = m_data.GetSeriesArray(ChartPanelData::eTime);
    const HistoryQuote* history = m_data.GetHistory().get();
    m_scrollBar->Hide();
    m_scrollBar->SetScrollbar(times->GetPosition(), 10, history ? history->GetKDataCount() : 0,
                              times->GetScreenCount());

    m_refreshTimer.Start(kRefreshMs);

    CreateSidePane(symbol, mgr, chartColours);
    Layout();
}

ChartViewerPanel::~ChartViewerPanel()
{
    m_refreshTimer.Stop();
    m_pageTimer.Stop();
    if(const std::shared_ptr<HistoryQuote>& history = m_data.GetHistory()) {
        history->RemoveCommitTrigger(static_cast<CCommitTrigger<sKData>*>(this));
        // A symbol gone from the table keeps its history until the page is freed.
        const symbol_Info* symbol = GetSymbolInfo();
        if(symbol) {
            ReleaseHistory(symbol);
        }
    }
    if(m_pDb && m_pDb->m_symbol_price_table) {
        m_pDb->m_symbol_price_table->RemoveCommitTrigger(static_cast<CCommitTrigger<symbol_price>*>(this));
    }
    m_chartView->Unbind(wxEVT_CHARTVIEWER_VIEWPORT_CHANGED, &ChartViewerPanel::OnViewPortChanged, this);
    m_chartView->Unbind(wxEVT_CHARTVIEWER_TRACK_REFRESH, &ChartViewerPanel::OnTrackRefresh, this);
    m_chartView->Unbind(wxEVT_SIZE, &ChartViewerPanel::OnSize, this);

    // Taken out of the viewer first: the viewer deletes what it still holds.
    chartlib::BaseChart* chart = m_chartView->getChart();
    m_chartView->setChart(nullptr);
    delete chart;

    m_config.Save(m_symbolCode);
    if(g_plugin) {
        TessrinPluginConfig& remembered = g_plugin->GetPluginConfig();
        wxArrayString views = remembered.GetLastShowChartViews();
        const int index = views.Index(m_symbolCode, true);
        if(index != wxNOT_FOUND) {
            views.RemoveAt(static_cast<size_t>(index));
            remembered.SetLastShowChartViews(views);
        }
        // The frame takes a closed page out of the manager; a page destroyed
        // some other way must not stay behind in its list.
        if(CharViewPanelMgr* manager = g_plugin->GetChartViewMgr()) {
            manager->RemovePanel(this);
        }
    }
}

void ChartViewerPanel::CreateSidePane(const symbol_Info& symbol, HostManager* mgr,
                                      const ChartViewPanelGlobalConfig& colours)
{
    switch(symbol.marketType) {
    case '2':
        m_priceReport = new PriceReportPane(m_pDb, mgr, m_sideBook, symbol);
        m_priceReport->SetColours(colours.GetBackgroundColour(), colours.GetForegroundColour());
        m_sideBook->AddPage(m_priceReport, wxEmptyString, true);
        break;
    case '4':
        m_minTrade = new MinTradeOrderPanel(m_pDb, nullptr, m_sideBook, &symbol);
        m_minTrade->LoadPage();
        m_sideBook->AddPage(m_minTrade, wxEmptyString, true);
        m_pageTimer.SetOwner(this, kPageTimerId);
        m_pageTimer.StartOnce(kPageDelayMs);
        break;
    default:
        m_sideBook->Hide();
        break;
    }
}

const symbol_Info* ChartViewerPanel::GetSymbolInfo() const
{
    if(!m_pDb || !m_pDb->m_symbol_Info_table) {
        return nullptr;
    }
    const auto& symbols = m_pDb->m_symbol_Info_table->GetIndexByPrimary();
    const auto found = symbols.find(m_symbolId);
    return found == symbols.end() ? nullptr : &*found;
}

void ChartViewerPanel::ReleaseHistory(const symbol_Info* symbol)
{
    m_data.SetHistory(nullptr);
    if(IsLoggedIn()) {
        HistoryQuoteMgr::Instance()->ReleaseHistory(*symbol, m_config.m_periodType);
    }
}

void ChartViewerPanel::SetSymbolPeriod(int period)
{
    if(period == m_config.m_periodType && m_data.GetHistory()) {
        return;
    }
    const symbol_Info* symbol = GetSymbolInfo();
    if(!symbol || !IsLoggedIn()) {
        return;
    }
    if(const std::shared_ptr<HistoryQuote>& held = m_data.GetHistory()) {
        held->RemoveCommitTrigger(static_cast<CCommitTrigger<sKData>*>(this));
        ReleaseHistory(symbol);
    }
    auto* priceTrigger = static_cast<CCommitTrigger<symbol_price>*>(this);
    m_pDb->m_symbol_price_table->RemoveCommitTrigger(priceTrigger);
    m_data.ClearSeries();

    m_config.m_periodType = period;
    std::shared_ptr<HistoryQuote> history = HistoryQuoteMgr::Instance()->GetHistory(m_pDb, *symbol, period);
    if(history) {
        history->RequestHistory(0, -ChartPanelData::kRequestCount);
        history->AddCommitTrigger(static_cast<CCommitTrigger<sKData>*>(this));
    }
    m_data.SetHistory(std::move(history));
    m_pDb->m_symbol_price_table->AddCommitTrigger(priceTrigger);

    if(symbol->GetSymbolProperty(m_pDb) && symbol->cachedSymbolProperty->GetSymbolPrice(m_pDb)) {
        m_data.SetLatestPrice(symbol->cachedSymbolProperty->cachedSymbolPrice->lastPrice);
    }
    m_data.SeekToNewest();
    m_data.SetRedraw(true);
}

void ChartViewerPanel::commitAdd(const sKData& stored, int argument)
{
    wxUnusedVar(argument);
    m_data.OnKDataAdded(stored);
}

void ChartViewerPanel::commitUpdate(const sKData& oldValue, const sKData& stored, int argument)
{
    wxUnusedVar(oldValue);
    wxUnusedVar(argument);
    m_data.UpdateKData(stored);
}

void ChartViewerPanel::commitUpdate(const symbol_price& oldValue, const symbol_price& stored, int argument)
{
    wxUnusedVar(argument);
    if(stored.symbolId == m_symbolId && oldValue.lastPrice != stored.lastPrice) {
        m_data.SetLatestPrice(stored.lastPrice);
        m_data.SetCursor(true);
    }
}

ChartStyle ChartViewerPanel::CurrentStyle() const
{
    ChartStyle style = m_style;
    style.barType = m_config.m_barType;
    return style;
}

void ChartViewerPanel::DrawChart()
{
    const ChartDataArray* times = m_data.GetSeriesArray(ChartPanelData::eTime);
    const HistoryQuote* history = m_data.GetHistory().get();
    m_scrollBar->SetScrollbar(times ? times->GetPosition() : 0, 10, history ? history->GetKDataCount() : 0,
                              m_data.GetScreenCount());

    const wxSize size = m_chartView->GetSize();
    if(size.x <= ChartPainter::kLeftMargin + ChartPainter::kRightMargin ||
       size.y <= ChartPainter::kTopMargin + ChartPainter::kBottomMargin) {
        return; // no plot area yet; the size event asks again
    }
    const ChartStyle style = CurrentStyle();
    ChartPainter painter(m_data, style);
    std::unique_ptr<KLineChart> chart = painter.BuildChart(size.x, size.y);
    const std::string imageMap = painter.ImageMap(*chart);
    // The viewer never holds a deleted chart, even for a moment.
    chartlib::BaseChart* previous = m_chartView->getChart();
    m_chartView->setChart(chart.release());
    delete previous;
    m_chartView->setImageMap(imageMap);
}

void ChartViewerPanel::DrawTrackCursor(chartlib::BaseChart* chart)
{
    const ChartStyle style = CurrentStyle();
    ChartPainter(m_data, style).DrawTrackCursor(chart);
}

void ChartViewerPanel::OnTimer(wxTimerEvent& event)
{
    if(event.GetId() == kPageTimerId && m_minTrade) {
        m_minTrade->SetSymbolName(m_symbolName);
        m_minTrade->SetSymbolCode(m_symbolCode);
        m_minTrade->UpdatePrice();
        return;
    }
    if(event.GetId() != m_refreshTimer.GetId()) {
        event.Skip();
        return;
    }
    if(m_data.NeedsRedraw()) {
        m_data.SetRedraw(false);
        m_chartView->updateViewPort(true, true);
    }
    if(m_data.NeedsCursor()) {
        DrawTrackCursor(m_chartView->getChart());
        m_chartView->updateDisplay();
    }
}

void ChartViewerPanel::OnViewPortChanged(wxCommandEvent& event)
{
    wxUnusedVar(event);
    if(m_chartView->needUpdateChart()) {
        DrawChart();
    }
}

void ChartViewerPanel::OnTrackRefresh(wxCommandEvent& event)
{
    wxUnusedVar(event);
    DrawTrackCursor(m_chartView->getChart());
    m_chartView->updateDisplay();
}

void ChartViewerPanel::OnSize(wxSizeEvent& event)
{
    m_data.SetRedraw(true);
    event.Skip();
}
