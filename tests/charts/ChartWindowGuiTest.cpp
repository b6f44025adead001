// Chart pages of the logged-in plug-in against simmarketd: the first chart
// at login, its K-lines and live price, the chart commands, the tools that
// follow the page in front, closing pages, and the pages that come back
// after a restart.
#include "ScreenshotSaver.h"
#include "TestBed.h"

#include <app/Commands.h>
#include <chartlib/DrawArea.h>
#include <chartlib/WxChartRenderer.h>
#include <charts/CharViewPanelMgr.h>
#include <charts/ChartViewerPanel.h>
#include <charts/HistoryQuote.h>
#include <charts/HistoryQuoteMgr.h>
#include <charts/KLineChart.h>
#include <common/TessrinPluginConfig.h>
#include <common/ToolBarTools.h>
#include <cstdlib>
#include <ctime>
#include <db/RecordStore.h>
#include <frame/TessrinPlugin.h>
#include <memory>
#include <pelmora/EditorConfig.h>
#include <pelmora/Notebook.h>
#include <pelmora/pmChartViewer.h>
#include <set>
#include <string>
#include <vector>
#include <wx/app.h>
#include <wx/aui/auibar.h>
#include <wx/aui/framemanager.h>
#include <wx/panel.h>
#include <wx/xrc/xmlres.h>

using namespace std::chrono_literals;

namespace {

constexpr int kAg = 101, kPt = 102, kCu = 201, kEur = 401;
const char kKLines[] = "/quotes/hisquotes_data.js";

// Both sides take K-line boundaries from TZ; the market inherits it.
class KLineZone
{
public:
    KLineZone() : m_zone("TZ", "CST-8") { tzset(); }
    ~KLineZone() { tzset(); }

private:
    ScopedEnv m_zone;
};

struct Served
{
    double time, close;
};

std::vector<Served> ServedKLines(SimProcess& market, const std::string& query)
{
    // "rnd" keeps the test's own look apart from the client's requests.
    const std::string body = market.Get(std::string(kKLines) + "?" + query + "&rnd=0");
    std::vector<Served> bars;
    const auto first = body.find('['), last = body.rfind(']');
    if(first == std::string::npos || last == std::string::npos) {
        ADD_FAILURE() << "no K-lines in " << body;
        return bars;
    }
    for(const auto& item : nlohmann::json::parse(body.substr(first, last - first + 1))) {
        Served bar{};
        double open = 0, high = 0, low = 0;
        char stamp[32];
        std::sscanf(item.at("row").get<std::string>().c_str(), "%lf,%31[^,],%lf,%lf,%lf,%lf", &bar.time,
                    stamp, &open, &high, &low, &bar.close);
        bars.push_back(bar);
    }
    return bars;
}

// Requests of the client with exactly this query.
int KLineRequests(SimProcess& market, const std::string& query)
{
    int count = 0;
    const nlohmann::json state = market.State();
    for(const auto& entry : state.at("requests")) {
        if(entry.value("route", "") == kKLines && entry.value("query", "") == query) {
            ++count;
        }
    }
    return count;
}

double ClientPrice(RecordStore& store, int id)
{
    const auto& prices = store.m_symbol_price_table->GetIndexByPrimary();
    const auto found = prices.find(id);
    return found == prices.end() ? -1 : found->lastPrice;
}

double MarketPrice(SimProcess& market, int id)
{
    const nlohmann::json state = market.State();
    for(const auto& price : state.at("prices")) {
        if(price.at("symbol").get<int>() == id) {
            return price.at("last").get<double>();
        }
    }
    return -2;
}

const symbol_Info& Symbol(RecordStore& store, int id)
{
    const auto& symbols = store.m_symbol_Info_table->GetIndexByPrimary();
    const auto found = symbols.find(id);
    if(found == symbols.end()) {
        throw std::runtime_error("symbol " + std::to_string(id) + " did not arrive");
    }
    return *found;
}

class ChartWindowTest : public ::testing::Test
{
protected:
    Notebook& Centre() { return *bed.Host().Frame().GetCentreBook(); }
    CharViewPanelMgr& Charts() { return *bed.Plugin().GetChartViewMgr(); }
    ChartViewerPanel* Page(const char* code) { return Charts().FindPanel(code); }
    int IndexOf(wxWindow* page) { return Centre().GetPageIndex(page); }
    // As a click on a tab: the page-change events go out.
    void Select(wxWindow* page) { Centre().SetSelection(static_cast<size_t>(IndexOf(page))); }
    // As the tab's close button: the close event, then the page goes.
    void CloseAsTheUser(wxWindow* page)
    {
        const int index = IndexOf(page);
        wxAuiNotebookEvent close(wxEVT_AUINOTEBOOK_PAGE_CLOSE, Centre().GetId());
        close.SetSelection(index);
        close.SetEventObject(&Centre());
        Centre().GetEventHandler()->ProcessEvent(close);
        ASSERT_TRUE(close.IsAllowed());
        Centre().DeletePage(static_cast<size_t>(index));
    }
    wxAuiToolBar& Tools() { return *bed.Plugin().GetToolBar(); }
    bool Enabled(const char* tool) { return Tools().GetToolEnabled(wxXmlResource::GetXRCID(tool)); }
    bool Toggled(const char* tool) { return Tools().GetToolToggled(wxXmlResource::GetXRCID(tool)); }
    // The page's history has its first answer and the page has drawn it.
    ::testing::AssertionResult Loaded(ChartViewerPanel* page)
    {
        if(!page) {
            return ::testing::AssertionFailure() << "no such page";
        }
        const bool done = PumpUntil(
            [&] {
                const auto& history = page->GetData().GetHistory();
                return history && !history->IsDownloading() && history->GetKDataCount() > 0 &&
                       page->GetData().GetValidCount() > 0 && !page->GetData().NeedsRedraw() &&
                       page->GetChartView()->getChart() != nullptr;
            },
            15s);
        return done ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << page->GetViewName();
    }
    // The text on the page's cursor layer that starts with the prefix.
    static std::string CursorText(ChartViewerPanel* page, const std::string& prefix)
    {
        const chartlib::BaseChart* chart = page->GetChartView()->getChart();
        const chartlib::DrawArea* layer = chart ? chart->getDynamicLayer() : nullptr;
        if(layer) {
            for(const auto& op : layer->ops()) {
                if(op.text.compare(0, prefix.size(), prefix) == 0) {
                    return op.text;
                }
            }
        }
        return std::string();
    }

    KLineZone zone;
    TestBed bed;
};

} // namespace

TEST_F(ChartWindowTest, TheFirstChartFollowsTheMarketAndTheCommandsActOnThePageInFront)
{
    ASSERT_TRUE(bed.Start());
    SimProcess& market = bed.Market();
    ASSERT_EQ(market.Post("/admin/walk?rate=0"), 200);

    // An empty remembered list: the smallest symbol's chart, once, in front.
    ASSERT_TRUE(PumpUntil([&] { return Page("AG") != nullptr; }, 10s));
    ChartViewerPanel* ag = Page("AG");
    ASSERT_TRUE(Loaded(ag));
    PumpFor(200ms);
    EXPECT_EQ(Charts().GetChartViewPanels().size(), 1u);
    EXPECT_EQ(Centre().GetPageCount(), 1u);
    EXPECT_EQ(Centre().GetPageText(0), wxString::FromUTF8("白银"));
    EXPECT_EQ(bed.Plugin().GetChartInFront(), ag);
    EXPECT_EQ(ag->GetPeriod(), 0);
    EXPECT_EQ(ag->GetBarType(), 1);

    // Its K-lines are the market's newest minutes (200, and any begun since
    // by a move), once the moves have stopped and reached the client; the
    // window ends at the newest with free slots after it.
    ASSERT_TRUE(PumpUntil(
        [&] {
            return ClientPrice(bed.Store(), kAg) == MarketPrice(market, kAg) &&
                   !ag->GetData().GetHistory()->IsDownloading();
        },
        10s));
    const HistoryQuote& history = *ag->GetData().GetHistory();
    ASSERT_GE(history.GetKDataCount(), 200);
    const auto served =
        ServedKLines(market, "symbolCode=AG&period=4&barcount=-" + std::to_string(history.GetKDataCount()));
    ASSERT_EQ(history.GetKDataCount(), static_cast<int>(served.size()));
    for(size_t i = 0; i < served.size(); ++i) {
        ASSERT_EQ(history.GetKData(static_cast<int>(i)).time, served[i].time) << i;
        ASSERT_EQ(history.GetKData(static_cast<int>(i)).close, served[i].close) << i;
    }
    const ChartDataArray& times = *ag->GetData().GetSeriesArray(0);
    EXPECT_GE(times.GetValidCount(), 95);
    EXPECT_LT(times.GetValidCount(), 100);
    EXPECT_EQ(times.LocalToGlobalIndex(times.GetValidCount() - 1), history.GetKDataCount() - 1);
    ASSERT_TRUE(Loaded(ag));
    EXPECT_NE(CursorText(ag, "<*block,valign=top").find("SMA (30)"), std::string::npos);
    EXPECT_TRUE(SaveWindowScreenshot(&bed.Host().Frame(), "chart_window.png"));

    // A price move changes the newest candle and the latest-price label.
    const double moved = history.GetLastKData().close + 7;
    ASSERT_EQ(market.Post("/admin/price?symbol=101&price=" + std::to_string(static_cast<int>(moved))), 200);
    ASSERT_TRUE(PumpUntil(
        [&] {
            auto* chart = dynamic_cast<KLineChart*>(ag->GetChartView()->getChart());
            const int newest = chart ? chart->extraPoints() + ag->GetData().GetValidCount() - 1 : 0;
            return chart && chart->closeData().at(newest) == moved &&
                   CursorText(ag, "<*font,bgColor=C080C0").find(" " + std::to_string(int(moved)) + "<") !=
                       std::string::npos;
        },
        10s));
    EXPECT_EQ(ag->GetData().GetHistory()->GetLastKData().close, moved);

    // Tools follow the page in front.
    EXPECT_TRUE(Enabled("chart_m5"));
    EXPECT_TRUE(Toggled("chart_m1"));
    EXPECT_TRUE(Toggled("chart_candlestick"));
    EXPECT_TRUE(Enabled("new_buy_order"));

    // Other symbols' pages: a new page each; an open one is only selected.
    RecordStore& store = bed.Store();
    bed.Plugin().ShowChartWindow(Symbol(store, kPt), true);
    bed.Plugin().ShowChartWindow(Symbol(store, kCu), false);
    bed.Plugin().ShowChartWindow(Symbol(store, kEur), false);
    ChartViewerPanel* pt = Page("PT");
    ChartViewerPanel* cu = Page("CU");
    ChartViewerPanel* eur = Page("EURUSD");
    ASSERT_TRUE(pt && cu && eur);
    EXPECT_EQ(bed.Plugin().GetChartInFront(), pt);
    bed.Plugin().ShowChartWindow(Symbol(store, kAg), true);
    EXPECT_EQ(Centre().GetPageCount(), 4u);
    EXPECT_EQ(bed.Plugin().GetChartInFront(), ag);
    EXPECT_EQ(Centre().GetPageText(static_cast<size_t>(IndexOf(pt))), wxString::FromUTF8("铂金"));

    // The bar type and period commands act on the page in front only.
    ASSERT_TRUE(bed.Host().ClickTool("chart_holc"));
    EXPECT_EQ(ag->GetBarType(), 0);
    EXPECT_EQ(pt->GetBarType(), 1);
    ASSERT_TRUE(Loaded(ag));
    EXPECT_EQ(
        dynamic_cast<KLineChart*>(ag->GetChartView()->getChart())->mainPane()->getLayerByZ(0)->getLineWidth(),
        2);
    ASSERT_TRUE(Loaded(pt) && Loaded(cu) && Loaded(eur));

    std::weak_ptr<HistoryQuote> ptMinutes = pt->GetData().GetHistory();
    const std::shared_ptr<HistoryQuote> agMinutes = ag->GetData().GetHistory(); // held here too
    const int fiveMinuteRequests = KLineRequests(market, "symbolCode=AG&period=5&barcount=-200");
    ASSERT_TRUE(bed.Host().SendMenuCommand("chart_m5"));
    EXPECT_EQ(ag->GetPeriod(), 2);
    EXPECT_TRUE(Toggled("chart_m5"));
    EXPECT_FALSE(Toggled("chart_m1"));
    ASSERT_TRUE(Loaded(ag));
    const std::shared_ptr<HistoryQuote> agFive = ag->GetData().GetHistory();
    EXPECT_EQ(agFive->GetPeriod(), 2);
    EXPECT_EQ(KLineRequests(market, "symbolCode=AG&period=5&barcount=-200"), fiveMinuteRequests + 1);
    // Five-minute K-lines of the market (one may have begun since).
    std::set<double> servedFive;
    for(const Served& bar : ServedKLines(market, "symbolCode=AG&period=5&barcount=-200")) {
        servedFive.insert(bar.time);
    }
    int known = 0;
    for(int i = 0; i < agFive->GetKDataCount(); ++i) {
        known += servedFive.count(agFive->GetKData(i).time) > 0;
    }
    EXPECT_GE(known, 199);
    EXPECT_EQ(agFive->GetKDataCount(), 200);
    // The old history stays shared while someone holds it.
    EXPECT_EQ(HistoryQuoteMgr::Instance()->GetHistory(&store, Symbol(store, kAg), 0), agMinutes);
    // The same period again changes nothing.
    ASSERT_TRUE(bed.Host().SendMenuCommand("chart_m5"));
    EXPECT_EQ(ag->GetData().GetHistory(), agFive);
    PumpFor(100ms);
    EXPECT_EQ(KLineRequests(market, "symbolCode=AG&period=5&barcount=-200"), fiveMinuteRequests + 1);

    // Switching pages with the tabs: each page's bar type, period and order tools.
    struct Switch
    {
        const char* what;
        wxWindow* page;
        const char* barTool;
        const char* periodTool;
        bool orders;
    } switches[] = {
        {"OTC symbol", pt, "chart_candlestick", "chart_m1", true},
        {"aggregate symbol", cu, "chart_candlestick", "chart_m1", true},
        {"binary option", eur, "chart_candlestick", "chart_m1", false},
        {"back to AG", ag, "chart_holc", "chart_m5", true},
    };
    for(const Switch& s : switches) {
        SCOPED_TRACE(s.what);
        Select(s.page);
        EXPECT_EQ(bed.Plugin().GetChartInFront(), s.page);
        EXPECT_TRUE(Enabled("chart_holc"));
        EXPECT_TRUE(Enabled("chart_m15"));
        EXPECT_TRUE(Toggled(s.barTool));
        EXPECT_TRUE(Toggled(s.periodTool));
        EXPECT_EQ(Enabled("new_buy_order"), s.orders);
        EXPECT_EQ(Enabled("new_sell_order"), s.orders);
    }
    // A page of another kind: no chart tools, and chart commands do nothing.
    auto* web = new wxPanel(&Centre());
    Centre().AddPage(web, "web", true);
    EXPECT_EQ(bed.Plugin().GetChartInFront(), nullptr);
    EXPECT_FALSE(Enabled("chart_holc"));
    EXPECT_FALSE(Enabled("chart_m1"));
    EXPECT_FALSE(Enabled("new_buy_order"));
    ASSERT_TRUE(bed.Host().SendMenuCommand("chart_timeShared"));
    ASSERT_TRUE(bed.Host().SendMenuCommand("chart_d1"));
    for(ChartViewerPanel* page : {ag, pt, cu, eur}) {
        EXPECT_NE(page->GetBarType(), 2);
        EXPECT_NE(page->GetPeriod(), 8);
    }

    // A page closed by the user leaves the manager and the remembered list;
    // a page destroyed some other way leaves no stale entry either.
    Select(pt);
    CloseAsTheUser(pt);
    EXPECT_EQ(Page("PT"), nullptr);
    EXPECT_TRUE(Enabled("chart_holc")); // other chart pages are open
    EXPECT_TRUE(PumpUntil([&] { return ptMinutes.expired(); }));
    Centre().DeletePage(static_cast<size_t>(IndexOf(eur)));
    EXPECT_EQ(Charts().GetChartViewPanels(), (std::list<ChartViewerPanel*>{ag, cu}));

    // Menu commands: the lock screen after login, the host's panes.
    bool lockedWhileShown = false;
    bed.Dialogs().Answer(
        [&](wxDialog&) {
            lockedWhileShown = bed.Plugin().IsScreenLocked();
            return wxID_OK;
        },
        [](wxDialog& dialog) { return DialogScript::ClassNameOf(dialog) == "LockScreen"; });
    ASSERT_TRUE(bed.Host().SendMenuCommand("lockScreen"));
    EXPECT_EQ(bed.Dialogs().CountSeen("LockScreen"), 1u);
    EXPECT_TRUE(lockedWhileShown);
    wxAuiManager& aui = *bed.Host().Frame().GetAuiManager();
    for(const char* pane : {"Output", "Navigator"}) {
        bed.Host().Frame().ShowPane(pane, false);
        ASSERT_FALSE(aui.GetPane(pane).IsShown());
    }
    ASSERT_TRUE(bed.Host().SendMenuCommand("show_outPane"));
    EXPECT_TRUE(aui.GetPane("Output").IsShown());
    EXPECT_FALSE(aui.GetPane("Navigator").IsShown());
    ASSERT_TRUE(bed.Host().SendMenuCommand("show_symbolPane"));
    EXPECT_TRUE(aui.GetPane("Navigator").IsShown());

    // Unload with CU in front: AG and CU come back in page order, CU in front,
    // AG with its own period and bar type; the web page is not the plug-in's.
    Select(cu);
    bed.Unload();
    TessrinPluginConfig remembered;
    ASSERT_TRUE(bed.Settings().LoadObject(TessrinPluginConfig::kObjectName, &remembered));
    wxArrayString reopened;
    reopened.Add("AG");
    reopened.Add("CU");
    EXPECT_EQ(remembered.GetLastShowChartViews(), reopened);
    EXPECT_EQ(remembered.GetLastActiveChartView(), "CU");
    for(const auto& row : Commands::Table()) {
        wxCommandEvent command(wxEVT_MENU, wxXmlResource::GetXRCID(row.name));
        EXPECT_FALSE(wxTheApp->ProcessEvent(command)) << row.name << " still reaches a handler";
    }

    ASSERT_TRUE(bed.Load());
    ASSERT_TRUE(bed.Login());
    ASSERT_TRUE(PumpUntil([&] { return Page("AG") && Page("CU"); }, 10s));
    ag = Page("AG");
    cu = Page("CU");
    ASSERT_TRUE(Loaded(ag) && Loaded(cu));
    PumpFor(200ms);
    ASSERT_EQ(Charts().GetChartViewPanels().size(), 2u);
    EXPECT_EQ(bed.Plugin().GetChartInFront(), cu);
    EXPECT_LT(IndexOf(ag), IndexOf(cu));
    EXPECT_EQ(ag->GetPeriod(), 2);
    EXPECT_EQ(ag->GetBarType(), 0);

    // A remembered symbol that arrives again opens no second page; while it
    // is gone its page offers no orders.
    RecordStore& again = bed.Store();
    const symbol_Info agRecord = Symbol(again, kAg);
    ASSERT_TRUE(again.m_symbol_Info_table->Remove(again.m_symbol_Info_table->GetIndexByPrimary().find(kAg)));
    EXPECT_EQ(ag->GetSymbolInfo(), nullptr);
    Select(ag);
    EXPECT_FALSE(Enabled("new_buy_order"));
    EXPECT_TRUE(Enabled("chart_holc"));
    ASSERT_TRUE(again.m_symbol_Info_table->Insert(agRecord).second);
    PumpFor(100ms);
    EXPECT_EQ(Charts().GetChartViewPanels().size(), 2u);
    EXPECT_EQ(Page("AG"), ag);

    // The last chart page closed switches the chart tools off.
    CloseAsTheUser(cu);
    EXPECT_TRUE(Enabled("chart_holc"));
    CloseAsTheUser(ag);
    EXPECT_TRUE(Charts().GetChartViewPanels().empty());
    EXPECT_FALSE(Enabled("chart_holc"));
    EXPECT_FALSE(Enabled("chart_m1"));
    EXPECT_FALSE(Enabled("new_buy_order"));
}
