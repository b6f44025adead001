// K-line histories of the logged-in plug-in against simmarketd's K-line
// service: the newest K-lines as the market serves them, live moves, a new
// minute on the market clock, paging back to the market's depth, the manager's
// sharing and a dead first history server.
#include "TestBed.h"
#include "TestSocket.h"

#include <charts/CharViewPanelMgr.h>
#include <charts/ChartViewerPanel.h>
#include <charts/HistoryQuote.h>
#include <charts/HistoryQuoteMgr.h>
#include <charts/ePeriodType.h>
#include <cstdlib>
#include <ctime>
#include <db/RecordStore.h>
#include <frame/TessrinPlugin.h>
#include <fstream>
#include <memory>
#include <pelmora/Notebook.h>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace {

constexpr int kSymbolId = 101;
const char kKLines[] = "/quotes/hisquotes_data.js";

// Both sides take their K-line boundaries from TZ: the market started by the
// bed inherits it.
class KLineZone
{
public:
    KLineZone() : m_zone("TZ", "CST-8") { tzset(); }
    ~KLineZone() { tzset(); }

private:
    ScopedEnv m_zone;
};

struct ServedKLine
{
    double time, open, high, low, close;
};

// The K-lines the market serves for a query, parsed as the client parses them.
std::vector<ServedKLine> Served(SimProcess& market, const std::string& query)
{
    const std::string body = market.Get(std::string(kKLines) + "?" + query);
    std::vector<ServedKLine> bars;
    const auto first = body.find('['), last = body.rfind(']');
    if(first == std::string::npos || last == std::string::npos) {
        ADD_FAILURE() << "no K-lines in " << body;
        return bars;
    }
    for(const auto& item : nlohmann::json::parse(body.substr(first, last - first + 1))) {
        ServedKLine bar{};
        char stamp[32];
        if(std::sscanf(item.at("row").get<std::string>().c_str(), "%lf,%31[^,],%lf,%lf,%lf,%lf", &bar.time,
                       stamp, &bar.open, &bar.high, &bar.low, &bar.close) == 6) {
            bars.push_back(bar);
        }
    }
    return bars;
}

::testing::AssertionResult SameKLines(const HistoryQuote& history, const std::vector<ServedKLine>& served,
                                      int from = 0)
{
    if(history.GetKDataCount() - from != static_cast<int>(served.size())) {
        return ::testing::AssertionFailure()
               << history.GetKDataCount() - from << " K-lines held, " << served.size() << " served";
    }
    for(size_t i = 0; i < served.size(); ++i) {
        const sKData& held = history.GetKData(from + static_cast<int>(i));
        const ServedKLine& s = served[i];
        if(held.time != s.time || held.open != s.open || held.high != s.high || held.low != s.low ||
           held.close != s.close) {
            return ::testing::AssertionFailure()
                   << "K-line " << i << ": held " << held.time << " " << held.open << "/" << held.high << "/"
                   << held.low << "/" << held.close << ", served " << s.time << " " << s.open << "/" << s.high
                   << "/" << s.low << "/" << s.close;
        }
    }
    return ::testing::AssertionSuccess();
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

// Stops the walk and waits until the pushes already sent have landed.
void StopWalk(TestBed& bed)
{
    ASSERT_EQ(bed.Market().Post("/admin/walk?rate=0"), 200);
    ASSERT_TRUE(PumpUntil(
        [&] { return ClientPrice(bed.Store(), kSymbolId) == MarketPrice(bed.Market(), kSymbolId); }, 10s))
        << ClientPrice(bed.Store(), kSymbolId) << " held, " << MarketPrice(bed.Market(), kSymbolId)
        << " at the market";
}

// Sets the market clock so that the market's time is `secondsIn` seconds
// into a minute that starts `minutesAhead` minutes from now; returns the
// offset and, in `minuteStart`, that minute's start in seconds.
int64_t PlaceClock(SimProcess& market, int minutesAhead, int secondsIn, int64_t& minuteStart)
{
    const nlohmann::json state = market.State();
    const int64_t now = state.at("nowMs").get<int64_t>();
    const int64_t wall = now - state.at("clockOffsetMs").get<int64_t>();
    const int64_t target = (now / 60000 + minutesAhead) * 60000 + secondsIn * 1000;
    minuteStart = target / 1000 - secondsIn;
    const int64_t offset = target - wall;
    EXPECT_EQ(market.Post("/admin/clock?offsetMs=" + std::to_string(offset)), 200);
    return offset;
}

bool Move(TestBed& bed, double price)
{
    char query[96];
    std::snprintf(query, sizeof query, "/admin/price?symbol=%d&price=%.2f", kSymbolId, price);
    return bed.Market().Post(query) == 200;
}

// K-line requests in the market's log whose query holds `part`.
int KLineRequests(SimProcess& market, const std::string& part)
{
    int count = 0;
    const nlohmann::json state = market.State();
    for(const auto& entry : state.at("requests")) {
        if(entry.value("kind", "") == "http" && entry.value("route", "") == kKLines &&
           entry.value("query", "").find(part) != std::string::npos) {
            ++count;
        }
    }
    return count;
}

// The chart page a login opens holds AG's minute history: closed, so that the
// test's references are the only ones.
void CloseChartPages(TestBed& bed)
{
    CharViewPanelMgr* charts = bed.Plugin().GetChartViewMgr();
    ASSERT_TRUE(PumpUntil([&] { return !charts->GetChartViewPanels().empty(); }, 10s));
    Notebook* centre = bed.Host().Frame().GetCentreBook();
    for(ChartViewerPanel* page : charts->GetChartViewPanels()) {
        charts->RemovePanel(page);
        centre->DeletePage(static_cast<size_t>(centre->GetPageIndex(page)));
    }
    ASSERT_EQ(HistoryQuoteMgr::Instance()->GetHistoryCount(), 0u);
}

} // namespace

TEST(KLineHistory, FollowsTheMarketThroughMovesAMinuteChangeAndItsWholeDepth)
{
    KLineZone zone;
    TestBed bed;
    ASSERT_TRUE(bed.Start());
    StopWalk(bed);
    CloseChartPages(bed);
    SimProcess& market = bed.Market();
    const symbol_Info& ag = Symbol(bed.Store(), kSymbolId);
    HistoryQuoteMgr* manager = HistoryQuoteMgr::Instance();

    // The newest 200 one-minute K-lines are those the market serves.
    auto history = manager->GetHistory(&bed.Store(), ag, eMinute1);
    ASSERT_TRUE(history);
    ASSERT_TRUE(history->RequestHistory(0, -200));
    ASSERT_TRUE(PumpUntil([&] { return !history->IsDownloading(); }, 10s));
    ASSERT_EQ(history->GetKDataCount(), 200);
    EXPECT_TRUE(SameKLines(*history, Served(market, "symbolCode=AG&period=4&barcount=-200")));

    // Moves early in a new market minute: the first brings that minute's
    // K-line from the server, the others change its high, low and close.
    int64_t minute = 0;
    const int64_t offset = PlaceClock(market, 1, 2, minute);
    const double base = history->GetLastKData().close;
    struct Step
    {
        double price, open, high, low;
    } steps[] = {{base + 5, base + 5, base + 5, base + 5},
                 {base + 8, base + 5, base + 8, base + 5},
                 {base - 4, base + 5, base + 8, base - 4},
                 {base + 1, base + 5, base + 8, base - 4}};
    for(const Step& step : steps) {
        ASSERT_TRUE(Move(bed, step.price));
        ASSERT_TRUE(PumpUntil(
            [&] { return !history->IsDownloading() && history->GetLastKData().close == step.price; }, 10s))
            << step.price;
        const sKData& newest = history->GetLastKData();
        EXPECT_EQ(newest.time, static_cast<double>(minute));
        EXPECT_EQ(newest.open, step.open);
        EXPECT_EQ(newest.high, step.high);
        EXPECT_EQ(newest.low, step.low);
    }
    EXPECT_EQ(history->GetKDataCount(), 201);
    EXPECT_TRUE(SameKLines(*history, Served(market, "symbolCode=AG&period=4&barcount=-201")));

    // The next market minute: the next tick brings the new K-line, which carries it.
    ASSERT_EQ(market.Post("/admin/clock?offsetMs=" + std::to_string(offset + 60000)), 200);
    ASSERT_TRUE(Move(bed, base + 3)); // AG has no decimals
    ASSERT_TRUE(PumpUntil([&] { return !history->IsDownloading() && history->GetKDataCount() == 202; }, 10s));
    const sKData& next = history->GetLastKData();
    EXPECT_EQ(next.time, static_cast<double>(minute + 60));
    EXPECT_EQ(next.open, base + 3);
    EXPECT_EQ(next.close, base + 3);

    // Backward pages from the oldest K-line until the market's depth is used up.
    int pages = 0;
    while(history->RequestHistory(static_cast<int64_t>(history->GetFirstKData().time), -200) && pages < 10) {
        ++pages;
        ASSERT_TRUE(PumpUntil([&] { return !history->IsDownloading(); }, 10s));
    }
    EXPECT_FALSE(history->HasOlderHistory());
    EXPECT_GE(pages, 2);
    EXPECT_LT(pages, 10);
    const auto all = Served(market, "symbolCode=AG&period=4&time=0&barcount=2000");
    EXPECT_TRUE(SameKLines(*history, all));
    EXPECT_GE(KLineRequests(market, "symbolCode=AG&period=4&"), pages + 3);

    // One history per server, symbol and period, shared; released only with the last reference.
    EXPECT_EQ(HistoryQuoteMgr::MakeKey(bed.Plugin().GetServerText(), "AG", 0), "Demo_AG_Period0");
    EXPECT_EQ(manager->GetHistory(&bed.Store(), ag, eMinute1), history);
    auto fiveMinutes = manager->GetHistory(&bed.Store(), ag, eMinute5);
    ASSERT_TRUE(fiveMinutes);
    EXPECT_NE(fiveMinutes, history);
    EXPECT_EQ(manager->GetHistoryCount(), 2u);
    manager->ReleaseHistory(ag, eMinute5);
    EXPECT_EQ(manager->GetHistoryCount(), 2u);
    std::weak_ptr<HistoryQuote> gone = fiveMinutes;
    fiveMinutes.reset();
    manager->ReleaseHistory(ag, eMinute5);
    EXPECT_EQ(manager->GetHistoryCount(), 1u);
    EXPECT_TRUE(gone.expired());
    history.reset();
    manager->ReleaseHistory(ag, eMinute1);
    EXPECT_EQ(manager->GetHistoryCount(), 0u);

    // Unloading releases the manager before the store goes: a history only
    // it held is gone, one held elsewhere no longer touches the store.
    auto held = manager->GetHistory(&bed.Store(), ag, eMinute1);
    std::weak_ptr<HistoryQuote> managerOnly = manager->GetHistory(&bed.Store(), ag, eHour1);
    ASSERT_TRUE(held->RequestHistory(0, -200));
    bed.Unload();
    EXPECT_TRUE(managerOnly.expired());
    EXPECT_FALSE(held->IsDownloading());
    EXPECT_FALSE(held->RequestHistory(0, -200));
    held.reset();
}

TEST(KLineHistory, ADeadFirstServerHandsTheNextRequestToTheSecond)
{
    KLineZone zone;
    TestBed bed;
    TestSocket dead(false);
    {
        std::ifstream in(bed.ConfigFile().utf8_string());
        nlohmann::json servers = nlohmann::json::parse(in).at("server");
        servers[0]["mdhistory"] = {dead.Base(), bed.Market().HttpBase()};
        bed.SetConfigValue("server", servers);
    }
    ASSERT_TRUE(bed.Start());
    StopWalk(bed);
    const symbol_Info& ag = Symbol(bed.Store(), kSymbolId);

    // A seed whose first rand() picks the dead entry.
    unsigned seed = 1;
    for(;; ++seed) {
        std::srand(seed);
        if(std::rand() % 2 == 0) {
            break;
        }
    }
    std::srand(seed);
    auto history = HistoryQuoteMgr::Instance()->GetHistory(&bed.Store(), ag, eMinute15);
    ASSERT_TRUE(history);
    ASSERT_EQ(history->GetServerIndex(), 0);
    ASSERT_TRUE(history->RequestHistory(0, -200));
    ASSERT_TRUE(PumpUntil([&] { return !history->IsDownloading(); }, 10s));
    EXPECT_TRUE(history->IsEmpty());
    EXPECT_EQ(history->GetServerIndex(), 1);
    EXPECT_EQ(KLineRequests(bed.Market(), "period=6&"), 0);

    ASSERT_TRUE(history->RequestHistory(0, -200));
    ASSERT_TRUE(PumpUntil([&] { return !history->IsDownloading(); }, 10s));
    EXPECT_EQ(history->GetKDataCount(), 200);
    EXPECT_EQ(KLineRequests(bed.Market(), "period=6&"), 1);
    EXPECT_TRUE(SameKLines(*history, Served(bed.Market(), "symbolCode=AG&period=6&barcount=-200")));

    // The market's faults on the route: spoilt rows are skipped and the
    // download failed; an empty answer counts as no answer and moves to the
    // next server. The history's timer asks again, after a pause (garbage and
    // cut rows come from the market, so those stay at its server).
    struct Fault
    {
        const char* name;
        int serverAfter; // -1: the timer's retries go back and forth
    } faults[] = {{"garbage", 1}, {"cut", 1}, {"empty", -1}};
    const int64_t oldest = static_cast<int64_t>(history->GetFirstKData().time);
    for(const Fault& fault : faults) {
        ASSERT_EQ(bed.Market().Post(std::string("/admin/http?route=") + kKLines + "&fault=" + fault.name),
                  200);
        ASSERT_TRUE(PumpUntil([&] { return history->RequestHistory(oldest, -200); }, 40s)) << fault.name;
        ASSERT_TRUE(PumpUntil([&] { return !history->IsDownloading(); }, 10s)) << fault.name;
        EXPECT_TRUE(history->HasFailed()) << fault.name;
        EXPECT_EQ(history->GetKDataCount(), 200) << fault.name;
        EXPECT_TRUE(history->HasOlderHistory()) << fault.name;
        if(fault.serverAfter >= 0) {
            EXPECT_EQ(history->GetServerIndex(), fault.serverAfter) << fault.name;
        }
    }
    // Once the market serves again, the next retry brings the older K-lines.
    const int asked = KLineRequests(bed.Market(), "period=6&");
    ASSERT_EQ(bed.Market().Post(std::string("/admin/http?route=") + kKLines + "&fault=none"), 200);
    ASSERT_TRUE(PumpUntil([&] { return !history->HasFailed() && !history->IsDownloading(); }, 40s));
    EXPECT_EQ(history->GetKDataCount(), 400);
    EXPECT_GT(KLineRequests(bed.Market(), "period=6&"), asked);
    history.reset();

    // Without a login there is no server record to take the servers from.
    bed.Logout();
    ASSERT_TRUE(PumpUntil([&] { return !bed.Plugin().GetClient(); }, 10s));
    std::vector<std::string> asserted;
    static std::vector<std::string>* s_asserted = &asserted;
    const wxAssertHandler_t previous =
        wxSetAssertHandler([](const wxString&, int, const wxString&, const wxString& cond, const wxString&) {
            s_asserted->push_back(cond.ToStdString());
        });
    EXPECT_FALSE(HistoryQuoteMgr::Instance()->GetHistory(&bed.Store(), ag, eMinute15));
    wxSetAssertHandler(previous);
    EXPECT_EQ(asserted, std::vector<std::string>{"pClientServer != 0"});
}
