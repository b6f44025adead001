#include "charts/ChartViewerPanel.h"

#include "charts/CharViewPanelMgr.h"
#include "charts/ChartPainter.h"
#include "charts/ChartPanelActions.h"
#include "charts/HistoryQuote.h"
#include "charts/HistoryQuoteMgr.h"
#include "charts/SystemSetting.h"
#include "common/ChartViewPanelGlobalConfig.h"
#include "common/IClientPlugin.h"
#include "common/SettingsAccessors.h"
#include "common/TessrinPluginConfig.h"
#include "common/ToolBarTools.h"
#include "db/RecordStore.h"
#include "orders/MinTradeOrderPanel.h"
#include "panes/PriceReportPane.h"

#include <chartlib/MultiChart.h>
#include <chartlib/XYChart.h>
#include <cstdlib>
#include <pelmora/BitmapLoader.h>
#include <pelmora/ColoursAndFontsManager.h>
#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <pelmora/HostManager.h>
#include <pelmora/pmChartViewer.h>
#include <wx/imaglist.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/xrc/xmlres.h>

namespace {

// The K-line histories are kept per login server: without a login there is
// none to take or give back.
bool IsLoggedIn()
{
    return g_plugin != nullptr && g_plugin->GetLoginServer() != nullptr;
}

const wxEventTypeTag<wxCommandEvent> SettingChangedEvent()
{
    return wxEventTypeTag<wxCommandEvent>(wxXmlResource::GetXRCID("systemSettingChanged"));
}

constexpr double kZoomInFactor = 0.75;
constexpr double kZoomOutFactor = 1.25;

// Popup icons, by image-list index.
const char* const kMenuImages[] = {"common/16/new_order", "toolbars/16/tessrin/holc",
                                   "toolbars/16/tessrin/candlestick", "toolbars/16/tessrin/timeShared"};
enum { kImageNewOrder = 0, kImageHolc = 1, kImageCandlestick = 2, kImageTimeShared = 3 };

struct PeriodItem
{
    const char* name;
    const char* label;
};
// No weekly item: the week is a tool-bar period only.
const PeriodItem kPeriodItems[] = {
    {"chart_m1", wxTRANSLATE("1 Minute")},   {"chart_m3", wxTRANSLATE("3 Minute")},
    {"chart_m5", wxTRANSLATE("5 Minute")},   {"chart_m15", wxTRANSLATE("15 Minute")},
    {"chart_m30", wxTRANSLATE("30 Minute")}, {"chart_h1", wxTRANSLATE("1 Hour")},
    {"chart_h4", wxTRANSLATE("4 Hour")},     {"chart_d1", wxTRANSLATE("Daily")},
    {"chart_mn", wxTRANSLATE("Monthly")},
};

} // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(ChartViewerPanel, ChartViewPanelBase)
    EVT_TIMER(wxID_ANY, ChartViewerPanel::OnTimer)
    EVT_SCROLL(ChartViewerPanel::OnScroll)
    EVT_UPDATE_UI(XRCID("chart_m1"), ChartViewerPanel::OnUpdatePeriod)
    EVT_UPDATE_UI(XRCID("chart_m3"), ChartViewerPanel::OnUpdatePeriod)
    EVT_UPDATE_UI(XRCID("chart_m5"), ChartViewerPanel::OnUpdatePeriod)
    EVT_UPDATE_UI(XRCID("chart_m15"), ChartViewerPanel::OnUpdatePeriod)
    EVT_UPDATE_UI(XRCID("chart_m30"), ChartViewerPanel::OnUpdatePeriod)
    EVT_UPDATE_UI(XRCID("chart_h1"), ChartViewerPanel::OnUpdatePeriod)
    EVT_UPDATE_UI(XRCID("chart_h4"), ChartViewerPanel::OnUpdatePeriod)
    EVT_UPDATE_UI(XRCID("chart_d1"), ChartViewerPanel::OnUpdatePeriod)
    EVT_UPDATE_UI(XRCID("chart_w1"), ChartViewerPanel::OnUpdatePeriod)
    EVT_UPDATE_UI(XRCID("chart_mn"), ChartViewerPanel::OnUpdatePeriod)
    EVT_UPDATE_UI(XRCID("chart_holc"), ChartViewerPanel::OnUpdateBarType)
    EVT_UPDATE_UI(XRCID("chart_candlestick"), ChartViewerPanel::OnUpdateBarType)
    EVT_UPDATE_UI(XRCID("chart_timeShared"), ChartViewerPanel::OnUpdateBarType)
    EVT_UPDATE_UI(XRCID("chart_gridline"), ChartViewerPanel::OnUpdateGridLine)
    EVT_MENU(XRCID("properties_menu"), ChartViewerPanel::OnProperties)
    EVT_MENU(XRCID("chart_gridline"), ChartViewerPanel::OnGridLine)
wxEND_EVENT_TABLE()
    // clang-format on

    ChartViewerPanel::ChartViewerPanel(wxWindow* parent, RecordStore* db, const symbol_Info& symbol,
                                       HostManager* mgr, RefreshClock* clock)
    : ChartViewPanelBase(parent, wxID_ANY, wxDefaultPosition, wxSize(400, 400)), m_pDb(db),
      m_symbolId(symbol.symbolId), m_symbolCode(symbol.symbolCode), m_clock(clock)
{
    if(symbol.GetSymbolProperty(db)) {
        m_symbolName = symbol.cachedSymbolProperty->symbolName;
        m_style.decimals = symbol.cachedSymbolProperty->digits;
    }

    const ChartViewPanelGlobalConfig chartColours;
    m_style.SetColours(chartColours);
    FollowDarkTheme(chartColours);
    m_style.SetSolid(GetShowSoldBodyCandleStick());

    m_chartView->Bind(wxEVT_CHARTVIEWER_VIEWPORT_CHANGED, &ChartViewerPanel::OnViewPortChanged, this);
    m_chartView->Bind(wxEVT_CHARTVIEWER_TRACK_REFRESH, &ChartViewerPanel::OnTrackRefresh, this);
    m_chartView->Bind(wxEVT_SIZE, &ChartViewerPanel::OnSize, this);
    m_chartView->Bind(wxEVT_CHARTVIEWER_MOUSEMOVE_PLOTAREA, &ChartViewerPanel::OnPlotAreaMouseMove, this);
    m_chartView->Bind(wxEVT_MOUSEWHEEL, &ChartViewerPanel::OnMouseWheel, this);
    m_chartView->Bind(wxEVT_KEY_DOWN, &ChartViewerPanel::OnKeyDown, this);
    m_chartView->Bind(wxEVT_RIGHT_UP, &ChartViewerPanel::OnRightUp, this);
    m_chartView->Bind(wxEVT_MOTION, &ChartViewerPanel::OnViewerMotion, this);
    EventNotifier::Get()->Bind(wxEVT_CMD_COLOURS_CHANGED, &ChartViewerPanel::OnColoursChanged, this);
    EventNotifier::Get()->Bind(SettingChangedEvent(), &ChartViewerPanel::OnSettingChanged, this);
    m_chartView->setMouseUsage(pmChartViewer::MouseUsageScroll);

    CreatePopupMenu(mgr);

    m_refreshTimer.SetOwner(this);
    m_data.SetDrawListener([this] { ScheduleDraw(); });
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

    CreateSidePane(symbol, mgr);
    Layout();
}

ChartViewerPanel::~ChartViewerPanel()
{
    m_data.SetDrawListener(nullptr);
    if(m_clock) {
        m_clock->Cancel(this);
    }
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
    m_chartView->Unbind(wxEVT_CHARTVIEWER_MOUSEMOVE_PLOTAREA, &ChartViewerPanel::OnPlotAreaMouseMove, this);
    m_chartView->Unbind(wxEVT_MOUSEWHEEL, &ChartViewerPanel::OnMouseWheel, this);
    m_chartView->Unbind(wxEVT_KEY_DOWN, &ChartViewerPanel::OnKeyDown, this);
    m_chartView->Unbind(wxEVT_RIGHT_UP, &ChartViewerPanel::OnRightUp, this);
    m_chartView->Unbind(wxEVT_MOTION, &ChartViewerPanel::OnViewerMotion, this);
    EventNotifier::Get()->Unbind(wxEVT_CMD_COLOURS_CHANGED, &ChartViewerPanel::OnColoursChanged, this);
    EventNotifier::Get()->Unbind(SettingChangedEvent(), &ChartViewerPanel::OnSettingChanged, this);

    // Taken out of the viewer first: the viewer deletes what it still holds.
    chartlib::BaseChart* chart = m_chartView->getChart();
    m_chartView->setChart(nullptr);
    delete chart;
    m_popupMenu.reset();
    m_images.reset();

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

void ChartViewerPanel::CreatePopupMenu(HostManager* mgr)
{
    BitmapLoader* loader = mgr ? mgr->GetImageLoader() : nullptr;
    m_images = std::make_unique<wxImageList>(16, 16, true, 1);
    for(const char* name : kMenuImages) {
        m_images->Add(loader ? loader->LoadBitmap(name) : BitmapLoader::MakePlaceholder(name));
    }
    m_popupMenu = std::make_unique<wxMenu>();
    auto append = [this](const char* name, const wxString& label, int image) {
        auto* item = new wxMenuItem(m_popupMenu.get(), wxXmlResource::GetXRCID(name), label, label);
        if(image >= 0 && image < m_images->GetImageCount()) {
            item->SetBitmap(m_images->GetBitmap(image));
        }
        m_popupMenu->Append(item);
    };
    append("new_buy_order", _("New Order(Buy)"), kImageNewOrder);
    append("new_sell_order", _("New Order(Sell)"), kImageNewOrder);
    m_popupMenu->AppendSeparator();
    auto* periods = new wxMenu;
    for(const PeriodItem& item : kPeriodItems) {
        const wxString label = wxGetTranslation(item.label);
        periods->AppendRadioItem(wxXmlResource::GetXRCID(item.name), label, label);
    }
    m_popupMenu->AppendSubMenu(periods, _("Period"), wxEmptyString);
    m_popupMenu->AppendSeparator();
    append("chart_holc", _("holc"), kImageHolc);
    append("chart_candlestick", _("candlestick"), kImageCandlestick);
    append("chart_timeShared", _("timeShared"), kImageTimeShared);
    m_popupMenu->AppendSeparator();
    m_popupMenu->AppendCheckItem(XRCID("chart_gridline"), _("gridLine"), _("show grid line"));
    m_popupMenu->AppendSeparator();
    append("properties_menu", _("Properties..."), -1);
}

void ChartViewerPanel::CreateSidePane(const symbol_Info& symbol, HostManager* mgr)
{
    switch(symbol.marketType) {
    case '2':
        m_priceReport = new PriceReportPane(m_pDb, mgr, m_sideBook, symbol);
        ColourSidePane();
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
        m_data.SetLatestLive(symbol->cachedSymbolProperty->cachedSymbolPrice->live);
    }
    m_data.SeekToNewest();
    m_data.SetRedraw(true);
}

void ChartViewerPanel::ScheduleDraw()
{
    // At most one drawing per tick, and no tick while nothing waits; on the
    // panes' clock, all repaint in one frame.
    if(m_clock) {
        m_clock->Request(this);
    } else if(!m_refreshTimer.IsRunning()) {
        m_refreshTimer.StartOnce(kRefreshMs);
    }
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
    if(stored.symbolId != m_symbolId) {
        return;
    }
    const bool liveChanged = stored.live != m_data.IsLatestLive();
    if(liveChanged) {
        // The label changes its width: the margin beside the plot too.
        m_data.SetLatestLive(stored.live);
        m_data.SetRedraw(true);
    }
    if(liveChanged || oldValue.lastPrice != stored.lastPrice) {
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
    const int position = times ? times->GetPosition() : 0;
    const int range = history ? history->GetKDataCount() : 0;
    // Setting a scroll bar makes GTK lay out the whole frame again: only
    // when it changes, not at every drawing of a moving price.
    if(m_scrollBar->GetThumbPosition() != position || m_scrollBar->GetRange() != range ||
       m_scrollBar->GetPageSize() != m_data.GetScreenCount()) {
        m_scrollBar->SetScrollbar(position, 10, range, m_data.GetScreenCount());
    }

    const wxSize size = m_chartView->GetSize();
    if(size.x <= ChartPainter::kLeftMargin + ChartPainter::kRightMargin ||
       size.y <= ChartPainter::kTopMargin + ChartPainter::kBottomMargin) {
        return; // no plot area yet; the size event asks again
    }
    const ChartStyle style = CurrentStyle();
    ChartPainter painter(m_data, style, &m_textRoom);
    std::unique_ptr<KLineChart> chart = painter.BuildChart(size.x, size.y);
    // The viewer never holds a deleted chart, even for a moment.
    chartlib::BaseChart* previous = m_chartView->getChart();
    m_chartView->setChart(chart.release());
    delete previous;
    m_lastBuild = std::chrono::steady_clock::now();
    // The tool tips' areas are made when the mouse comes over the chart:
    // charts follow ticks, the mouse seldom does.
    m_chartView->setImageMap(std::string());
    m_imageMapStale = true;
}

void ChartViewerPanel::OnViewerMotion(wxMouseEvent& event)
{
    event.Skip(); // the viewer's own handler shows the tool tip
    auto* chart = dynamic_cast<KLineChart*>(m_chartView->getChart());
    if(m_imageMapStale && chart) {
        m_imageMapStale = false;
        m_chartView->setImageMap(ChartPainter(m_data, CurrentStyle()).ImageMap(*chart));
    }
}

void ChartViewerPanel::DrawTrackCursor(chartlib::BaseChart* chart)
{
    const ChartStyle style = CurrentStyle();
    ChartPainter(m_data, style, &m_textRoom).DrawTrackCursor(chart);
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
    DrawPending();
}

void ChartViewerPanel::OnRefreshTick()
{
    DrawPending();
}

void ChartViewerPanel::DrawPending()
{
    // A download that failed, or serves again, changes what the chart says.
    m_data.FollowFailure();
    const bool drawn = m_data.NeedsRedraw() || m_data.NeedsCursor();
    // A new chart at most every kBuildMs; the latest price, on the dynamic
    // layer, at every tick.
    if(m_data.NeedsRedraw() &&
       std::chrono::steady_clock::now() - m_lastBuild >= std::chrono::milliseconds(kBuildMs)) {
        m_data.SetRedraw(false);
        m_chartView->updateViewPort(true, true);
    }
    if(m_data.NeedsCursor()) {
        DrawTrackCursor(m_chartView->getChart());
        m_chartView->updateDisplay();
    }
    if(drawn) {
        // The price the page now shows; the session benchmark measures its lag.
        wxLogTrace("chart", "%s %s", m_symbolCode, wxString::FromCDouble(m_data.GetLatestPrice()));
    }
    const HistoryQuote* history = m_data.GetHistory().get();
    if(m_data.NeedsRedraw() || m_data.NeedsCursor()) {
        ScheduleDraw(); // what drawing asked for itself
    } else if(history && (history->IsDownloading() || history->HasFailed()) && !m_refreshTimer.IsRunning()) {
        m_refreshTimer.StartOnce(kFollowDownloadMs); // a download's end changes what the chart says
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

void ChartViewerPanel::ZoomIn()
{
    Zoom(kZoomInFactor);
}

void ChartViewerPanel::ZoomOut()
{
    Zoom(kZoomOutFactor);
}

void ChartViewerPanel::Zoom(double factor)
{
    if(m_data.Zoom(factor)) {
        m_chartView->updateViewPort(true, true);
    }
}

void ChartViewerPanel::OnMouseWheel(wxMouseEvent& event)
{
    if(event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL) {
        event.Skip(); // a sideways swipe of a touchpad is no notch
        return;
    }
    const int rotation = event.GetWheelRotation();
    const int delta = event.GetWheelDelta();
    if(event.ControlDown()) {
        m_scrollWheel.Reset();
        const int notches = m_zoomWheel.Add(rotation, delta);
        for(int step = 0; step < std::abs(notches); ++step) {
            if(notches > 0) {
                ZoomIn();
            } else {
                ZoomOut();
            }
        }
        return;
    }
    m_zoomWheel.Reset();
    const int notches = m_scrollWheel.Add(rotation, delta);
    const int points = WheelSeekPoints(notches, m_data.GetScreenCount());
    if(points != 0 && Seek(points, eSeekRelative)) {
        m_chartView->updateViewPort(true, true);
    }
}

void ChartViewerPanel::OnPlotAreaMouseMove(wxCommandEvent& event)
{
    wxUnusedVar(event);
    if(m_chartView->isDragScrolling()) {
        const int points = DragSeekPoints(m_chartView->getPlotAreaMouseDownX(), m_chartView->getChartMouseX(),
                                          m_data.GetPixelsPerBar());
        if(points != 0 && Seek(points, eSeekRelative)) {
            m_chartView->setPlotAreaMouseDownX(m_chartView->getChartMouseX());
            m_chartView->setPlotAreaMouseDownY(m_chartView->getChartMouseY());
            m_chartView->updateViewPort(true, true);
        }
        return;
    }
    auto* chart = dynamic_cast<chartlib::MultiChart*>(m_chartView->getChart());
    chartlib::XYChart* pane = chart && chart->getChartCount() > 0 ? chart->getChart(0) : nullptr;
    if(!pane) {
        return;
    }
    const double x = pane->getNearestXValue(m_chartView->getPlotAreaMouseX() - pane->getAbsOffsetX());
    m_data.SetCursorX(static_cast<int>(x));
    m_data.SetCursorY(m_chartView->getPlotAreaMouseY());
    DrawTrackCursor(chart);
    m_chartView->updateDisplay();
}

void ChartViewerPanel::OnKeyDown(wxKeyEvent& event)
{
    switch(ChartKeyActionOf(event.GetKeyCode())) {
    case ChartKeyAction::eStepLeft:
    case ChartKeyAction::eStepRight:
        m_heldKey = event.GetKeyCode();
        StepTrackCursor();
        break;
    case ChartKeyAction::eZoomIn:
        ZoomIn();
        break;
    case ChartKeyAction::eZoomOut:
        ZoomOut();
        break;
    case ChartKeyAction::ePass:
        event.Skip();
        break;
    }
}

void ChartViewerPanel::StepTrackCursor()
{
    const CursorStep step = StepCursor(m_data.GetCursorX(), m_data.GetValidCount(), m_heldKey == WXK_LEFT);
    m_data.SetCursorX(step.cursorX);
    if(step.seek == 0) {
        m_data.SetCursorY(-1);
        DrawTrackCursor(m_chartView->getChart());
        m_chartView->updateDisplay();
    } else if(Seek(step.seek, eSeekRelative)) {
        m_chartView->updateViewPort(true, false);
    }
}

void ChartViewerPanel::OnRightUp(wxMouseEvent& event)
{
    const wxPoint point = ScreenToClient(m_chartView->ClientToScreen(event.GetPosition()));
    PopupMenu(m_popupMenu.get(), point);
}

void ChartViewerPanel::OnScroll(wxScrollEvent& event)
{
    if(event.GetEventObject() != m_scrollBar) {
        event.Skip(); // a control of the side pane
        return;
    }
    if(Seek(event.GetPosition(), eSeekAbsolute)) {
        m_chartView->updateViewPort(true, false);
    }
}

void ChartViewerPanel::OnUpdatePeriod(wxUpdateUIEvent& event)
{
    event.Check(IsPeriodItemChecked(PeriodFromToolId(event.GetId()), m_config.m_periodType));
}

void ChartViewerPanel::OnUpdateBarType(wxUpdateUIEvent& event)
{
    event.Enable(IsBarTypeItemEnabled(BarTypeFromCommandId(event.GetId()), m_config.m_barType));
}

void ChartViewerPanel::OnUpdateGridLine(wxUpdateUIEvent& event)
{
    event.Check(m_style.showGrid);
}

void ChartViewerPanel::OnProperties(wxCommandEvent& event)
{
    wxUnusedVar(event);
    SystemSetting dialog(this);
    dialog.GetBook()->SetSelection(SystemSetting::kPageChart);
    dialog.ShowModal();
}

void ChartViewerPanel::OnGridLine(wxCommandEvent& event)
{
    // Only the switch changes: the copy may hold the theme's background,
    // which is no setting of the user's.
    ChartViewPanelGlobalConfig stored;
    stored.SetShowGrid(event.IsChecked());
    stored.Save();
    m_style.showGrid = event.IsChecked();
    m_data.SetRedraw(true);
}

void ChartViewerPanel::OnColoursChanged(wxCommandEvent& event)
{
    const ColoursAndFontsManager& theme = ColoursAndFontsManager::Get();
    m_style.SetThemeColours(theme.GetBgColour(), theme.GetFgColour(),
                            ChartViewPanelGlobalConfig().GetForegroundColour());
    ColourSidePane();
    DrawChart();
    event.Skip();
}

void ChartViewerPanel::FollowDarkTheme(const ChartViewPanelGlobalConfig& stored)
{
    const ColoursAndFontsManager& theme = ColoursAndFontsManager::Get();
    if(theme.IsDark()) {
        m_style.SetThemeColours(theme.GetBgColour(), theme.GetFgColour(), stored.GetForegroundColour());
    }
}

void ChartViewerPanel::ColourSidePane()
{
    if(m_priceReport) {
        m_priceReport->SetColours(ChartStyle::ToColour(m_style.backgroundColour),
                                  ChartStyle::ToColour(m_style.foregroundColour));
    }
}

void ChartViewerPanel::OnSettingChanged(wxCommandEvent& event)
{
    event.Skip();
    if(event.GetId() != wxXmlResource::GetXRCID(ChartViewPanelGlobalConfig::kObjectName)) {
        return;
    }
    const ChartViewPanelGlobalConfig stored;
    m_style.SetColours(stored);
    FollowDarkTheme(stored);
    ColourSidePane();
    m_style.SetSolid(GetShowSoldBodyCandleStick());
    m_data.SetRedraw(true);
}
