// What the user does with an open chart page: wheel, drag, keys, zoom, the
// cursor under the mouse, the popup menu and the properties, the grid switch,
// the host's colours and the stored chart settings. First pages over
// histories the test fills, then one flow on the logged-in test bed.
#include "DialogScript.h"
#include "EventPump.h"
#include "LoopbackHttpServer.h"
#include "ScopedEnv.h"
#include "ScratchFolder.h"
#include "TestBed.h"
#include "charts/CharViewPanelMgr.h"
#include "charts/ChartViewerPanel.h"
#include "charts/HistoryQuote.h"
#include "charts/SystemSetting.h"
#include "charts/ePeriodType.h"
#include "common/ChartViewPanelGlobalConfig.h"
#include "common/SettingsAccessors.h"
#include "db/CTransaction.h"
#include "db/RecordStore.h"
#include "frame/TessrinPlugin.h"

#include <chartlib/DrawArea.h>
#include <chartlib/MultiChart.h>
#include <chartlib/RecordingCanvas.h>
#include <chartlib/XYChart.h>
#include <ctime>
#include <memory>
#include <mutex>
#include <pelmora/ColoursAndFontsManager.h>
#include <pelmora/EditorConfig.h>
#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <pelmora/JobQueueSingleton.h>
#include <pelmora/Notebook.h>
#include <pelmora/pmChartViewer.h>
#include <string>
#include <vector>
#include <wx/clrpicker.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/xrc/xmlres.h>

using namespace std::chrono_literals;

namespace {

class JobQueueRelease : public ::testing::Environment
{
public:
    void TearDown() override { JobQueueSingleton::Release(); }
};
::testing::Environment* const g_queueRelease = ::testing::AddGlobalTestEnvironment(new JobQueueRelease);

// 15 March 2024 00:00 in UTC+8.
constexpr int64_t kMidnight = 1710432000;
const char kKLines[] = "/quotes/hisquotes_data.js";

sKData Minute(int minute)
{
    const double c = 100 + minute % 17;
    return {static_cast<double>(kMidnight + 60 * minute), c - 1, c + 2, c - 2, c, 0};
}

int Id(const char* name)
{
    return wxXmlResource::GetXRCID(name);
}

// The viewer's events as GTK delivers them.
void Wheel(pmChartViewer& viewer, int rotation, bool control = false,
           wxMouseWheelAxis axis = wxMOUSE_WHEEL_VERTICAL)
{
    wxMouseEvent event(wxEVT_MOUSEWHEEL);
    event.m_wheelAxis = axis;
    event.SetEventObject(&viewer);
    event.m_wheelRotation = rotation;
    event.m_wheelDelta = 120;
    event.m_linesPerAction = 3;
    event.m_controlDown = control;
    viewer.ProcessWindowEvent(event);
}

void Mouse(pmChartViewer& viewer, wxEventType type, int x, int y, bool leftDown)
{
    wxMouseEvent event(type);
    event.SetEventObject(&viewer);
    event.m_x = x;
    event.m_y = y;
    event.m_leftDown = leftDown;
    viewer.ProcessWindowEvent(event);
}

// Whether the key went on past the chart.
bool KeyDown(pmChartViewer& viewer, int code)
{
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.SetEventObject(&viewer);
    event.m_keyCode = code;
    viewer.ProcessWindowEvent(event);
    return event.GetSkipped();
}

// A popup item as GTK sends it: to the window the menu popped up on.
void Choose(wxWindow& window, const char* name, int checked = -1)
{
    wxCommandEvent event(wxEVT_MENU, Id(name));
    event.SetInt(checked);
    event.SetEventObject(&window);
    window.ProcessWindowEvent(event);
}

int Position(ChartViewerPanel& page)
{
    return page.GetData().GetSeriesArray(0)->GetPosition();
}

double FirstShownTime(ChartViewerPanel& page)
{
    return page.GetData().GetSeriesArray(0)->GetChartDataArray(nullptr)[0];
}

// Rectangles of the chart drawn in the colour: candle bodies and the like.
int RectsIn(chartlib::BaseChart* chart, unsigned colour)
{
    if(!chart) {
        return 0;
    }
    chartlib::RecordingCanvas canvas;
    chart->render(canvas);
    int count = 0;
    for(const auto& op : canvas.ops(chartlib::RecordingCanvas::Kind::Rect)) {
        count += op.colour == colour;
    }
    return count;
}

// The plot area of the page's chart, in the viewer's coordinates.
wxRect PlotArea(ChartViewerPanel& page)
{
    auto* chart = dynamic_cast<chartlib::MultiChart*>(page.GetChartView()->getChart());
    chartlib::XYChart* pane = chart ? chart->getChart(0) : nullptr;
    if(!pane) {
        return wxRect();
    }
    const chartlib::PlotArea* plot = pane->getPlotArea();
    return wxRect(plot->getLeftX() + pane->getAbsOffsetX(), plot->getTopY() + pane->getAbsOffsetY(),
                  plot->getWidth(), plot->getHeight());
}

// The settings dialog's bull-candle picker, of a dialog the page made.
class SettingsControls : public SystemSetting
{
public:
    static wxColourPickerCtrl* BullCandle(SystemSetting& dialog)
    {
        return dialog.*(&SettingsControls::m_pickerBullCandle);
    }
};

// Two chart pages (AG and PT, no login) side by side in a frame, each over
// a one-minute history of 200 K-lines filled here; older K-lines come from a
// loopback server that records what it is asked.
class ChartInteractionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EditorConfigST::Free(); // settings in the scratch folder
        store.CreateTables();
        for(const auto& [id, code] : {std::pair<int, const char*>{101, "AG"}, {102, "PT"}}) {
            symbol_Info symbol;
            symbol.symbolId = id;
            symbol.symbolCode = code;
            symbol.marketType = '1';
            ASSERT_TRUE(store.m_symbol_Info_table->Insert(symbol).second);
        }
        http.server().Get(kKLines, [this](const httplib::Request& req, httplib::Response& res) {
            std::lock_guard<std::mutex> lock(mutex);
            requests.push_back(req.params);
            res.set_content("[]", "application/javascript");
        });
        http.Start();
        frame = new wxFrame(nullptr, wxID_ANY, "charts", wxDefaultPosition, wxSize(1400, 700));
        frame->SetSizer(new wxBoxSizer(wxHORIZONTAL));
        frame->Show();
    }
    void TearDown() override
    {
        for(ChartViewerPanel* page : pages) {
            page->Destroy();
        }
        frame->Destroy();
        PumpFor(20ms);
        EditorConfigST::Free();
    }

    ChartViewerPanel& Open(int id)
    {
        const symbol_Info& symbol = *store.m_symbol_Info_table->GetIndexByPrimary().find(id);
        auto* page = new ChartViewerPanel(frame, &store, symbol, nullptr);
        frame->GetSizer()->Add(page, 1, wxEXPAND);
        frame->Layout();
        wxArrayString servers;
        servers.push_back(http.Base());
        auto history = std::make_shared<HistoryQuote>(&store, symbol.symbolCode, eMinute1, servers);
        CTransaction transaction;
        for(int minute = 0; minute < 200; ++minute) {
            history->AddOrUpdate(Minute(minute), &transaction, true);
        }
        transaction.Commit(0);
        page->GetData().SetHistory(history);
        page->GetData().SeekToNewest();
        page->GetData().SetRedraw(true);
        pages.push_back(page);
        return *page;
    }
    ::testing::AssertionResult Drawn(ChartViewerPanel& page)
    {
        const bool done = PumpUntil(
            [&] { return !page.GetData().NeedsRedraw() && page.GetChartView()->getChart() != nullptr; }, 5s);
        return done ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << page.GetViewName();
    }
    std::size_t RequestCount()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return requests.size();
    }

    ScratchFolder folder;
    ScopedEnv userData{"PELMORA_USER_DATA_DIR", folder.Path()};
    ScopedEnv zone{"TZ", "CST-8"};
    RecordStore store;
    LoopbackHttpServer http;
    std::mutex mutex;
    std::vector<httplib::Params> requests;
    wxFrame* frame = nullptr;
    std::vector<ChartViewerPanel*> pages;
};

} // namespace

TEST_F(ChartInteractionTest, ZoomWheelDragKeysAndTheMouseMoveTheWindowAndTheCursor)
{
    tzset();
    ChartViewerPanel& page = Open(101);
    pmChartViewer& viewer = *page.GetChartView();
    ASSERT_TRUE(Drawn(page));
    int redraws = 0;
    const auto count = [&redraws](wxCommandEvent& event) {
        ++redraws;
        event.Skip();
    };
    viewer.Bind(wxEVT_CHARTVIEWER_VIEWPORT_CHANGED, count);
    ASSERT_EQ(Position(page), 105);

    // The wheel: a notch is a fifth of the visible points, down is older;
    // fractions of a notch add up to one move.
    Wheel(viewer, -120);
    EXPECT_EQ(Position(page), 85);
    EXPECT_EQ(redraws, 1);
    Wheel(viewer, -120, false, wxMOUSE_WHEEL_HORIZONTAL); // a sideways swipe
    EXPECT_EQ(Position(page), 85);
    for(int i = 0; i < 9; ++i) {
        Wheel(viewer, 12);
    }
    EXPECT_EQ(Position(page), 85);
    Wheel(viewer, 12); // no further than the newest in the last slot
    EXPECT_EQ(Position(page), 100);
    EXPECT_EQ(redraws, 2);

    // Ctrl with the wheel zooms, once per notch; the zoom bound redraws nothing.
    Wheel(viewer, 120, true);
    EXPECT_EQ(page.GetData().GetScreenCount(), 75);
    EXPECT_EQ(redraws, 3);
    Wheel(viewer, -60, true);
    EXPECT_EQ(page.GetData().GetScreenCount(), 75);
    Wheel(viewer, -60, true);
    EXPECT_EQ(page.GetData().GetScreenCount(), 94);
    page.GetData().SetCursorX(93);
    page.ZoomIn();
    EXPECT_EQ(page.GetData().GetScreenCount(), 71);
    // The cursor's slot lay past the narrower window: it is pulled in.
    EXPECT_EQ(page.GetData().GetCursorX(), 70);
    while(page.GetData().GetScreenCount() > ChartDataArray::kMinScreenCount) {
        page.ZoomIn();
    }
    const int atBound = redraws;
    page.ZoomIn();
    EXPECT_TRUE(KeyDown(viewer, WXK_TAB)); // passed on
    EXPECT_FALSE(KeyDown(viewer, WXK_UP));
    EXPECT_EQ(redraws, atBound);
    EXPECT_FALSE(KeyDown(viewer, WXK_DOWN));
    EXPECT_EQ(page.GetData().GetScreenCount(), 13);
    page.GetData().Zoom(100.0 / page.GetData().GetScreenCount());
    ASSERT_EQ(page.GetData().GetScreenCount(), 100);
    page.GetData().SeekToNewest();
    page.GetData().SetRedraw(true);
    ASSERT_TRUE(Drawn(page));

    // A mouse move puts the cursor on the K-line under it without a new chart.
    const wxRect plot = PlotArea(page);
    ASSERT_FALSE(plot.IsEmpty());
    const int pixels = page.GetData().GetPixelsPerBar();
    ASSERT_GT(pixels, 1);
    chartlib::BaseChart* drawn = viewer.getChart();
    redraws = 0;
    Mouse(viewer, wxEVT_MOTION, plot.GetLeft() + 10 * pixels + pixels / 2, plot.GetTop() + 40, false);
    EXPECT_EQ(page.GetData().GetCursorX(), 10);
    EXPECT_EQ(page.GetData().GetCursorY(), plot.GetTop() + 40);
    EXPECT_EQ(viewer.getChart(), drawn);
    EXPECT_EQ(redraws, 0);
    bool cursorLine = false;
    for(const auto& op : drawn->getDynamicLayer()->ops()) {
        cursorLine = cursorLine || op.text.find("2024/03/15 01:55:00") != std::string::npos;
    }
    EXPECT_TRUE(cursorLine) << "the time of the 115th minute on the cursor layer";

    // The arrow keys step the cursor, and at the window's edge scroll it.
    EXPECT_FALSE(KeyDown(viewer, WXK_LEFT));
    EXPECT_EQ(page.GetData().GetCursorX(), 9);
    page.GetData().SetCursorX(page.GetData().GetValidCount() - 1);
    KeyDown(viewer, WXK_RIGHT); // on the newest K-line, nothing newer
    EXPECT_EQ(Position(page), 105);
    page.GetData().SetCursorX(250); // over the free slots at the right
    KeyDown(viewer, WXK_LEFT);
    EXPECT_EQ(page.GetData().GetCursorX(), page.GetData().GetValidCount() - 2);

    // A drag to the right by three K-lines shows three older ones; the drag
    // goes on from where the window moved.
    const int downX = plot.GetLeft() + 100, y = plot.GetTop() + 50;
    Mouse(viewer, wxEVT_LEFT_DOWN, downX, y, true);
    Mouse(viewer, wxEVT_MOTION, downX + 3 * pixels, y, true);
    EXPECT_EQ(Position(page), 102);
    EXPECT_EQ(viewer.getPlotAreaMouseDownX(), downX + 3 * pixels);
    Mouse(viewer, wxEVT_MOTION, downX + 3 * pixels + pixels / 2, y, true);
    EXPECT_EQ(Position(page), 102); // less than a K-line further
    Mouse(viewer, wxEVT_MOTION, downX + 4 * pixels, y, true);
    EXPECT_EQ(Position(page), 101);
    Mouse(viewer, wxEVT_LEFT_UP, downX + 4 * pixels, y, false);
    EXPECT_FALSE(viewer.isDragScrolling());

    // The hidden scroll bar moves the window; Left at position 0 asks for
    // the 200 K-lines before the oldest.
    wxScrollEvent scroll(wxEVT_SCROLL_THUMBTRACK, page.GetScrollBar()->GetId(), 1);
    scroll.SetEventObject(page.GetScrollBar());
    page.GetScrollBar()->ProcessWindowEvent(scroll);
    EXPECT_EQ(Position(page), 1);
    page.GetData().SetCursorX(0);
    EXPECT_EQ(RequestCount(), 0u);
    KeyDown(viewer, WXK_LEFT);
    EXPECT_EQ(Position(page), 0);
    ASSERT_TRUE(PumpUntil([&] { return RequestCount() == 1; }, 5s));
    std::lock_guard<std::mutex> lock(mutex);
    EXPECT_EQ(requests[0].find("time")->second, std::to_string(kMidnight));
    EXPECT_EQ(requests[0].find("barcount")->second, "-200");
    viewer.Unbind(wxEVT_CHARTVIEWER_VIEWPORT_CHANGED, count);
}

TEST_F(ChartInteractionTest, ThePopupMenuOffersTheCommandsAndOpensTheChartSettings)
{
    ChartViewerPanel& page = Open(101);
    wxMenu& menu = *page.GetPopupMenu();
    std::vector<wxString> labels;
    for(const wxMenuItem* item : menu.GetMenuItems()) {
        labels.push_back(item->IsSeparator() ? "-" : item->GetItemLabelText());
    }
    EXPECT_EQ(labels,
              (std::vector<wxString>{"New Order(Buy)", "New Order(Sell)", "-", "Period", "-", "holc",
                                     "candlestick", "timeShared", "-", "gridLine", "-", "Properties..."}));
    EXPECT_EQ(menu.FindItem(Id("new_buy_order"))->GetBitmap().GetWidth(), 16);
    EXPECT_EQ(menu.FindItem(Id("chart_gridline"))->GetHelp(), "show grid line");
    EXPECT_TRUE(menu.FindItem(Id("chart_gridline"))->IsCheckable());
    const wxMenu* periods = menu.FindItemByPosition(3)->GetSubMenu();
    ASSERT_NE(periods, nullptr);
    EXPECT_EQ(periods->GetMenuItemCount(), 9u);
    EXPECT_EQ(periods->FindItem(Id("chart_w1")), nullptr);
    EXPECT_TRUE(periods->FindItem(Id("chart_m5"))->IsRadio());

    // Item states as the menu asks for them before it shows.
    page.SetBarType(0);
    menu.UpdateUI(&page);
    EXPECT_FALSE(menu.IsEnabled(Id("chart_holc")));
    EXPECT_TRUE(menu.IsEnabled(Id("chart_candlestick")));
    EXPECT_TRUE(menu.IsEnabled(Id("chart_timeShared")));
    EXPECT_TRUE(menu.IsChecked(Id("chart_m1")));
    EXPECT_FALSE(menu.IsChecked(Id("chart_m5")));
    EXPECT_TRUE(menu.IsChecked(Id("chart_gridline")));

    // "Properties..." opens the settings on their "Chart" page, over the page.
    DialogScript dialogs;
    wxWindow* parent = nullptr;
    int shownPage = -1;
    dialogs.Answer([&](wxDialog& dialog) {
        auto& settings = static_cast<SystemSetting&>(dialog);
        parent = settings.GetParent();
        shownPage = settings.GetBook()->GetSelection();
        return wxID_CANCEL;
    });
    Choose(page, "properties_menu");
    EXPECT_EQ(dialogs.CountSeen("SystemSetting"), 1u);
    EXPECT_EQ(parent, &page);
    EXPECT_EQ(shownPage, SystemSetting::kPageChart);
}

TEST_F(ChartInteractionTest, GridColoursAndSettingsReachEveryOpenPage)
{
    // Bound before the pages: the pages' handlers run first and must pass
    // the bus events on.
    int coloursSeen = 0;
    const auto listener = [&coloursSeen](wxCommandEvent& event) {
        ++coloursSeen;
        event.Skip();
    };
    EventNotifier::Get()->Bind(wxEVT_CMD_COLOURS_CHANGED, listener);
    ChartViewerPanel& ag = Open(101);
    ChartViewerPanel& pt = Open(102);
    ASSERT_TRUE(Drawn(ag) && Drawn(pt));
    ASSERT_TRUE(ag.GetStyle().showGrid);

    // The host's colours: the theme's background at once, in a new chart;
    // the stored near-black foreground would not show on the dark theme.
    chartlib::BaseChart* before = ag.GetChartView()->getChart();
    ASSERT_TRUE(ColoursAndFontsManager::Get().IsDark());
    const int theme = ChartStyle::ChartColour(ColoursAndFontsManager::Get().GetBgColour());
    ASSERT_NE(theme, 0xFFFFFF);
    EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_COLOURS_CHANGED, nullptr);
    EXPECT_EQ(coloursSeen, 1);
    EXPECT_EQ(ag.GetStyle().backgroundColour, theme);
    EXPECT_EQ(ag.GetStyle().foregroundColour,
              ChartStyle::ChartColour(ColoursAndFontsManager::Get().GetFgColour()));
    EXPECT_NE(ag.GetChartView()->getChart(), before);
    EXPECT_EQ(ag.GetChartView()->getChart()->getBackgroundColor(), static_cast<unsigned>(theme));

    // The grid switched off in one page: stored without the theme's colour,
    // and both pages redraw without grid.
    Choose(ag, "chart_gridline", 0);
    ChartViewPanelGlobalConfig stored;
    EXPECT_FALSE(stored.IsShowGrid());
    EXPECT_EQ(stored.GetBackgroundColour(), wxColour(0xFF, 0xFF, 0xFF));
    ASSERT_TRUE(PumpUntil([&] { return !pt.GetStyle().showGrid; }, 5s));
    ASSERT_TRUE(Drawn(ag) && Drawn(pt));
    for(ChartViewerPanel* page : {&ag, &pt}) {
        auto* chart = dynamic_cast<chartlib::MultiChart*>(page->GetChartView()->getChart());
        EXPECT_EQ(chart->getChart(0)->getPlotArea()->hGridWidth(), 0) << page->GetViewName();
    }
    // The broadcast kept the dark theme's background.
    EXPECT_EQ(ag.GetStyle().backgroundColour, theme);

    // In the light theme, a stored change of every colour, the grid and the
    // solid candles.
    struct LightTheme
    {
        LightTheme() { ColoursAndFontsManager::Get().SetDark(false); }
        ~LightTheme() { ColoursAndFontsManager::Get().SetDark(true); }
    } light;
    SetShowSoldBodyCandleStick({false, true});
    ChartViewPanelGlobalConfig changed;
    changed.SetCandUpColour(wxColour(0x11, 0x22, 0x33));
    changed.SetCandDownColour(wxColour(0x22, 0x33, 0x44));
    changed.SetBarUpColour(wxColour(0x33, 0x44, 0x55));
    changed.SetBarDownColour(wxColour(0x44, 0x55, 0x66));
    changed.SetBackgroundColour(wxColour(0x55, 0x66, 0x77));
    changed.SetForegroundColour(wxColour(0x66, 0x77, 0x88));
    changed.SetShowGrid(true);
    changed.Save();
    ASSERT_TRUE(PumpUntil([&] { return pt.GetStyle().showGrid && ag.GetStyle().showGrid; }, 5s));
    for(ChartViewerPanel* page : {&ag, &pt}) {
        const ChartStyle& style = page->GetStyle();
        EXPECT_EQ(style.candUpColour, 0x112233);
        EXPECT_EQ(style.candDownColour, 0x223344);
        EXPECT_EQ(style.barUpColour, 0x334455);
        EXPECT_EQ(style.barDownColour, 0x445566);
        EXPECT_EQ(style.backgroundColour, 0x556677);
        EXPECT_EQ(style.foregroundColour, 0x667788);
        EXPECT_FALSE(style.upSolid);
        EXPECT_TRUE(style.downSolid);
    }
    // A key other than "CharViewPanelMgr" leaves the pages alone.
    ag.GetData().SetRedraw(false);
    SetShowSoldBodyCandleStick({true, true});
    PumpFor(50ms);
    EXPECT_FALSE(ag.GetStyle().upSolid);

    // A page that is gone hears nothing more from the bus.
    pages.erase(pages.begin());
    ag.Destroy();
    PumpFor(20ms);
    EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_COLOURS_CHANGED, nullptr);
    changed.Save();
    PumpFor(50ms);
    EXPECT_EQ(coloursSeen, 2);
    EXPECT_EQ(pt.GetStyle().backgroundColour, 0x556677);
    EventNotifier::Get()->Unbind(wxEVT_CMD_COLOURS_CHANGED, listener);
}

// On the logged-in test bed, the AG chart opened at login, as a trader uses it.
TEST(ChartInteractionFlow, TheTraderZoomsScrollsDragsAndRecoloursTheFirstChart)
{
    ScopedEnv zone("TZ", "CST-8");
    tzset();
    TestBed bed;
    ASSERT_TRUE(bed.Start());
    SimProcess& market = bed.Market();
    ASSERT_EQ(market.Post("/admin/walk?rate=0"), 200);
    CharViewPanelMgr& charts = *bed.Plugin().GetChartViewMgr();
    ASSERT_TRUE(PumpUntil([&] { return charts.FindPanel("AG") != nullptr; }, 10s));
    ChartViewerPanel& ag = *charts.FindPanel("AG");
    pmChartViewer& viewer = *ag.GetChartView();
    const auto loaded = [&] {
        return PumpUntil(
            [&] {
                const auto& history = ag.GetData().GetHistory();
                return history && !history->IsDownloading() && ag.GetData().GetValidCount() > 0 &&
                       !ag.GetData().NeedsRedraw() && viewer.getChart() != nullptr;
            },
            15s);
    };
    ASSERT_TRUE(loaded());

    // A wheel notch down: 20 K-lines older.
    const int start = Position(ag);
    ASSERT_GE(start, 60);
    Wheel(viewer, -120);
    EXPECT_EQ(Position(ag), start - 20);

    // Ctrl with the wheel up zooms in; the zoom-out tool command as the host
    // sends it zooms out again.
    Wheel(viewer, 120, true);
    EXPECT_EQ(ag.GetData().GetScreenCount(), 75);
    ASSERT_TRUE(bed.Host().SendMenuCommand("chart_zoom_out"));
    EXPECT_EQ(ag.GetData().GetScreenCount(), 94);
    ASSERT_TRUE(bed.Host().ClickTool("chart_zoom_in"));
    EXPECT_EQ(ag.GetData().GetScreenCount(), 71);
    ASSERT_TRUE(bed.Host().SendMenuCommand("chart_zoom_out"));
    ASSERT_TRUE(bed.Host().SendMenuCommand("chart_zoom_out"));
    ASSERT_TRUE(loaded());

    // Back to position 0 with the wheel: the market is asked for the K-lines
    // before the oldest, and once they are in the same K-line stays first.
    const std::string older =
        "time=" + std::to_string(static_cast<int64_t>(ag.GetData().GetHistory()->GetFirstKData().time)) +
        "&barcount=-200";
    const auto olderAsked = [&] {
        const nlohmann::json state = market.State();
        for(const auto& entry : state.at("requests")) {
            if(entry.value("route", "") == kKLines &&
               entry.value("query", "").find(older) != std::string::npos) {
                return true;
            }
        }
        return false;
    };
    while(Position(ag) > 0) {
        Wheel(viewer, -120);
    }
    const double firstShown = FirstShownTime(ag);
    ASSERT_TRUE(PumpUntil(olderAsked, 10s)) << older;
    ASSERT_TRUE(PumpUntil([&] { return ag.GetData().GetHistory()->GetKDataCount() >= 400; }, 10s));
    ASSERT_TRUE(loaded());
    EXPECT_EQ(FirstShownTime(ag), firstShown);
    EXPECT_GE(Position(ag), 200);

    // A drag to the right by three K-lines: three older.
    const wxRect plot = PlotArea(ag);
    const int pixels = ag.GetData().GetPixelsPerBar();
    const int before = Position(ag);
    Mouse(viewer, wxEVT_LEFT_DOWN, plot.GetLeft() + 50, plot.GetTop() + 50, true);
    Mouse(viewer, wxEVT_MOTION, plot.GetLeft() + 50 + 3 * pixels, plot.GetTop() + 50, true);
    Mouse(viewer, wxEVT_LEFT_UP, plot.GetLeft() + 50 + 3 * pixels, plot.GetTop() + 50, false);
    EXPECT_EQ(Position(ag), before - 3);

    // "Properties..." opens the settings on "Chart"; OK with a new bull
    // colour redraws the rising candles in it.
    const wxColour bull(0x12, 0x34, 0xAB);
    int shownPage = -1;
    bed.Dialogs().Answer(
        [&](wxDialog& dialog) {
            auto& settings = static_cast<SystemSetting&>(dialog);
            shownPage = settings.GetBook()->GetSelection();
            settings.InitDialog();
            wxColourPickerCtrl* picker = SettingsControls::BullCandle(settings);
            picker->SetColour(bull);
            wxColourPickerEvent changed(picker, picker->GetId(), bull);
            picker->ProcessWindowEvent(changed);
            wxCommandEvent ok(wxEVT_BUTTON, settings.GetButtonOk()->GetId());
            ok.SetEventObject(settings.GetButtonOk());
            settings.GetButtonOk()->ProcessWindowEvent(ok);
            return wxID_OK;
        },
        [](wxDialog& dialog) { return DialogScript::ClassNameOf(dialog) == "SystemSetting"; });
    Choose(ag, "properties_menu");
    EXPECT_EQ(shownPage, SystemSetting::kPageChart);
    ASSERT_TRUE(PumpUntil([&] { return RectsIn(viewer.getChart(), 0x1234ABu) > 0; }, 5s));
    EXPECT_EQ(RectsIn(viewer.getChart(), 0xCC0000u), 0);

    // The host's colours menu item: the theme's background.
    ASSERT_TRUE(bed.Host().SendMenuCommand("darkColours"));
    const int theme = ChartStyle::ChartColour(ColoursAndFontsManager::Get().GetBgColour());
    EXPECT_EQ(viewer.getChart()->getBackgroundColor(), static_cast<unsigned>(theme));

    // Zoom commands with another kind of page in front change nothing.
    const int shown = ag.GetData().GetScreenCount();
    ASSERT_TRUE(bed.Host().SendMenuCommand("Sales_report"));
    ASSERT_EQ(bed.Plugin().GetChartInFront(), nullptr);
    ASSERT_TRUE(bed.Host().SendMenuCommand("chart_zoom_in"));
    ASSERT_TRUE(bed.Host().SendMenuCommand("chart_zoom_out"));
    EXPECT_EQ(ag.GetData().GetScreenCount(), shown);
    // Nor with no page at all.
    Notebook& centre = *bed.Host().Frame().GetCentreBook();
    while(centre.GetPageCount() > 0) {
        centre.DeletePage(0);
    }
    EXPECT_TRUE(charts.GetChartViewPanels().empty());
    EXPECT_TRUE(bed.Host().SendMenuCommand("chart_zoom_in"));
    EXPECT_TRUE(bed.Host().SendMenuCommand("chart_zoom_out"));
}
