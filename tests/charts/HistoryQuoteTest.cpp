// The K-line history of one symbol and period against a loopback history
// server: requests and their skip rules, answers, ticks, the timer and
// server failover.
#include "charts/HistoryQuote.h"

#include "EventPump.h"
#include "LoopbackHttpServer.h"
#include "TestSocket.h"
#include "charts/ePeriodType.h"
#include "db/RecordStore.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <pelmora/JobQueueSingleton.h>
#include <regex>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace {

// The queue's workers are wx threads: stop them while wx is still up.
class JobQueueRelease : public ::testing::Environment
{
public:
    void TearDown() override { JobQueueSingleton::Release(); }
};
::testing::Environment* const g_queueRelease = ::testing::AddGlobalTestEnvironment(new JobQueueRelease);

constexpr int kSymbolId = 101;
const char kPath[] = "/quotes/hisquotes_data.js";

struct Bar
{
    int64_t time;
    double open, high, low, close;
};

std::string RowsBody(const std::vector<Bar>& bars)
{
    std::string body = "var hisquotes_data = [";
    for(size_t i = 0; i < bars.size(); ++i) {
        const Bar& b = bars[i];
        char row[200];
        std::snprintf(row, sizeof row, "%s{\"row\":\"%lld,20240315,%g,%g,%g,%g,0,0\"}", i ? "," : "",
                      static_cast<long long>(b.time), b.open, b.high, b.low, b.close);
        body += row;
    }
    return body + "];\n";
}

// A history server on loopback: records every request and answers each with
// the next queued body ("[]" when none is queued).
class KLineServer
{
public:
    struct Request
    {
        std::string target; // path and raw query
        httplib::Params params;
    };

    KLineServer()
    {
        m_http.server().Get(kPath, [this](const httplib::Request& req, httplib::Response& res) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_requests.push_back({req.target, req.params});
            std::string body = "[]";
            if(!m_answers.empty()) {
                body = m_answers.front();
                m_answers.erase(m_answers.begin());
            }
            res.set_content(body, "application/javascript");
        });
        m_http.Start();
    }

    void Answer(const std::string& body)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_answers.push_back(body);
    }
    std::vector<Request> Requests()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_requests;
    }
    Request Last() { return Requests().back(); }
    std::string Host() const { return "127.0.0.1:" + std::to_string(m_http.Port()); }

private:
    std::mutex m_mutex;
    std::vector<Request> m_requests;
    std::vector<std::string> m_answers;
    // Last: the server stops, its handler done, before what the handler fills goes.
    LoopbackHttpServer m_http;
};

std::string Param(const KLineServer::Request& request, const std::string& key)
{
    const auto found = request.params.find(key);
    return found == request.params.end() ? std::string("<missing>") : found->second;
}

sKData KLine(int64_t time, double open, double high, double low, double close, double volume)
{
    return {static_cast<double>(time), open, high, low, close, volume};
}

bool Pump(const std::function<bool()>& done)
{
    return PumpUntil(done, 10s);
}

// Commit and action calls on the K-line table, with the table's size at each
// commit call.
class KLineObserver : public CActionTrigger<sKData>, public CCommitTrigger<sKData>
{
public:
    explicit KLineObserver(HistoryQuote& history) : m_history(history)
    {
        history.AddActionTrigger(this);
        history.AddCommitTrigger(this);
    }
    ~KLineObserver() override
    {
        m_history.RemoveActionTrigger(this);
        m_history.RemoveCommitTrigger(this);
    }
    void afterAdd(const sKData&, CTransaction*, void*) override { ++changes; }
    void afterUpdate(const sKData&, CTransaction*, void*) override { ++changes; }
    void commitAdd(const sKData& stored, int) override
    {
        added.push_back(stored.time);
        changesAtCommit.push_back(changes);
    }
    void commitUpdate(const sKData& oldValue, const sKData& stored, int) override
    {
        updated.push_back({oldValue, stored});
        changesAtCommit.push_back(changes);
    }

    int changes = 0;
    std::vector<double> added;
    std::vector<std::pair<sKData, sKData>> updated;
    std::vector<int> changesAtCommit; // action calls made before each commit call

private:
    HistoryQuote& m_history;
};

// A scoped wx assertion recorder in place of the failing test handler.
class AssertRecorder
{
public:
    AssertRecorder() { m_previous = wxSetAssertHandler(&AssertRecorder::Record); }
    ~AssertRecorder() { wxSetAssertHandler(m_previous); }
    static std::vector<std::string>& Conditions()
    {
        static std::vector<std::string> conditions;
        return conditions;
    }

private:
    static void Record(const wxString&, int, const wxString&, const wxString& cond, const wxString&)
    {
        Conditions().push_back(cond.ToStdString());
    }
    wxAssertHandler_t m_previous;
};

// A record store with symbol 101 "AG" and its price row; the zone is UTC+8.
class HistoryQuoteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("TZ", "CST-8", 1);
        tzset();
        store.CreateTables();
        symbol_Property property;
        property.symbolId = kSymbolId;
        property.symbolCode = "AG";
        store.m_symbol_Property_table->Insert(property);
        symbol_price price;
        price.symbolId = kSymbolId;
        store.m_symbol_price_table->Insert(price);
    }
    void TearDown() override
    {
        unsetenv("TZ");
        tzset();
    }

    std::unique_ptr<HistoryQuote> MakeHistory(int period = eMinute1, const wxString& code = "AG")
    {
        wxArrayString servers;
        servers.push_back("http://" + server.Host());
        return std::make_unique<HistoryQuote>(&store, code, period, servers);
    }

    // A quote of symbol 101 as the market-data handler writes it.
    void Tick(int64_t time, double price)
    {
        const auto& table = store.m_symbol_price_table->GetIndexByPrimary();
        auto row = table.find(kSymbolId);
        symbol_price copy = *row;
        copy.lastPrice = price;
        copy.quoteTime = wxDateTime(static_cast<time_t>(time));
        ASSERT_TRUE(store.m_symbol_price_table->Update(row, copy));
    }

    static void Deliver(HistoryQuote& history, const wxString& text, long barcount)
    {
        wxCommandEvent answer(wxEVT_CMD_JOB_STATUS);
        answer.SetString(text);
        answer.SetExtraLong(barcount);
        history.ProcessEvent(answer);
    }
    static void TimerTick(HistoryQuote& history)
    {
        wxTimer any;
        wxTimerEvent event(any);
        history.ProcessEvent(event);
    }
    static void ExpectBar(const sKData& bar, const Bar& expected)
    {
        EXPECT_EQ(bar.time, static_cast<double>(expected.time));
        EXPECT_EQ(bar.open, expected.open);
        EXPECT_EQ(bar.high, expected.high);
        EXPECT_EQ(bar.low, expected.low);
        EXPECT_EQ(bar.close, expected.close);
        EXPECT_EQ(bar.volume, 0.0);
    }

    RecordStore store;
    KLineServer server;
    // 15 March 2024 12:00 in UTC+8.
    const int64_t noon = 1710475200;
};

} // namespace

// --- ticks -----------------------------------------------------------------

TEST_F(HistoryQuoteTest, TicksKeepTheNewestKLineLiveAndFetchNewOnesFromTheServer)
{
    auto history = MakeHistory(eMinute1);
    KLineObserver observer(*history);

    // The first tick of an empty history asks for the newest 200 and is not kept.
    server.Answer(RowsBody(
        {{noon, 9, 9.5, 8.5, 9.2}, {noon + 60, 9.2, 9.8, 9.1, 9.4}, {noon + 120, 9.4, 9.6, 9.3, 9.5}}));
    Tick(noon + 130, 10.0);
    ASSERT_TRUE(history->IsDownloading());
    EXPECT_TRUE(history->IsEmpty());
    ASSERT_TRUE(Pump([&] { return !history->IsDownloading(); }));
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(Param(server.Last(), "barcount"), "-200");
    ASSERT_EQ(history->GetKDataCount(), 3);
    // Without a tick seen before the answer nothing is re-applied.
    ExpectBar(history->GetLastKData(), {noon + 120, 9.4, 9.6, 9.3, 9.5});

    // Ticks inside the newest K-line: time, open and volume stay.
    struct Step
    {
        double price;
        Bar expected;
    } steps[] = {
        {9.9, {noon + 120, 9.4, 9.9, 9.3, 9.9}},   // raises the high
        {9.0, {noon + 120, 9.4, 9.9, 9.0, 9.0}},   // lowers the low
        {9.45, {noon + 120, 9.4, 9.9, 9.0, 9.45}}, // only the close
    };
    for(const Step& step : steps) {
        observer.updated.clear();
        Tick(noon + 150, step.price);
        ExpectBar(history->GetLastKData(), step.expected);
        ASSERT_EQ(observer.updated.size(), 1u) << step.price;
        EXPECT_EQ(observer.updated[0].second.close, step.price);
    }
    EXPECT_FALSE(history->IsDownloading());
    EXPECT_EQ(server.Requests().size(), 1u);

    // A tick past the newest K-line asks for (newest time, 200) and waits for the
    // server. Its answer holds the new K-line with another close: the tick is applied again.
    server.Answer(RowsBody({{noon + 120, 9.4, 9.9, 9.0, 9.45}, {noon + 180, 9.45, 9.6, 9.4, 9.5}}));
    Tick(noon + 185, 9.7);
    ASSERT_TRUE(history->IsDownloading());
    EXPECT_EQ(history->GetKDataCount(), 3);
    ExpectBar(history->GetLastKData(), {noon + 120, 9.4, 9.9, 9.0, 9.45});
    // While it runs the timer asks for nothing.
    TimerTick(*history);
    ASSERT_TRUE(Pump([&] { return !history->IsDownloading(); }));
    ASSERT_EQ(server.Requests().size(), 2u);
    EXPECT_EQ(Param(server.Last(), "time"), std::to_string(noon + 120));
    EXPECT_EQ(Param(server.Last(), "barcount"), "200");
    ASSERT_EQ(history->GetKDataCount(), 4);
    ExpectBar(history->GetLastKData(), {noon + 180, 9.45, 9.7, 9.4, 9.7});
    // The gap is closed: the timer asks for nothing, and stops.
    TimerTick(*history);
    EXPECT_FALSE(history->IsDownloading());
    EXPECT_FALSE(history->IsWaitingForNewest());

    // The server does not have the next K-line yet: its answer stops the
    // timer (an idle market is not asked every second); the next tick, or a
    // timer tick, asks again.
    Tick(noon + 250, 9.8);
    EXPECT_TRUE(history->IsWaitingForNewest());
    ASSERT_TRUE(Pump([&] { return !history->IsDownloading(); }));
    EXPECT_EQ(history->GetKDataCount(), 4);
    EXPECT_FALSE(history->IsWaitingForNewest());
    TimerTick(*history);
    ASSERT_TRUE(history->IsDownloading());
    ASSERT_TRUE(Pump([&] { return !history->IsDownloading(); }));
    ASSERT_EQ(server.Requests().size(), 4u);
    EXPECT_EQ(Param(server.Last(), "time"), std::to_string(noon + 180));
}

TEST_F(HistoryQuoteTest, TicksOfOtherSymbolsOrWithoutQuoteTimeAreIgnored)
{
    auto history = MakeHistory(eMinute1, "ag"); // codes compare case-sensitively
    Tick(noon, 10.0);
    EXPECT_FALSE(history->IsDownloading());

    auto same = MakeHistory(eMinute1, "AG");
    const auto& table = store.m_symbol_price_table->GetIndexByPrimary();
    symbol_price copy = *table.find(kSymbolId);
    copy.lastPrice = 11.0;
    copy.quoteTime = wxDateTime(); // not set
    ASSERT_TRUE(store.m_symbol_price_table->Update(table.find(kSymbolId), copy));
    EXPECT_FALSE(same->IsDownloading());
    Tick(noon, 10.0);
    EXPECT_TRUE(same->IsDownloading());
}

TEST_F(HistoryQuoteTest, ADetachedHistoryNeitherDownloadsNorFollowsTicks)
{
    auto history = MakeHistory(eMinute1);
    server.Answer(RowsBody({{noon, 1, 1, 1, 1}}));
    ASSERT_TRUE(history->RequestHistory(0, -200));
    history->Detach();
    EXPECT_FALSE(history->IsDownloading());
    // The cancelled download posts nothing: an answer would land within this time.
    PumpFor(300ms);
    EXPECT_TRUE(history->IsEmpty());
    Tick(noon + 10, 2.0);
    EXPECT_FALSE(history->IsDownloading());
    EXPECT_FALSE(history->RequestHistory(0, -200));
    // The store may go first now.
    store.m_symbol_price_table.reset();
    history.reset();
}

// --- requests --------------------------------------------------------------

TEST_F(HistoryQuoteTest, RequestsAreSkippedWhenTheCacheHoldsTheRange)
{
    // Five one-minute K-lines from noon on.
    const std::string five = RowsBody({{noon, 1, 1, 1, 1},
                                       {noon + 60, 1, 1, 1, 1},
                                       {noon + 120, 1, 1, 1, 1},
                                       {noon + 180, 1, 1, 1, 1},
                                       {noon + 240, 1, 1, 1, 1}});
    struct Case
    {
        int64_t time;
        int barcount;
        bool started;
    } cases[] = {
        {0, -200, true},        {0, 5, false},          {0, 6, true},          {noon + 120, -2, false},
        {noon + 120, -3, true}, {noon + 120, 3, false}, {noon + 120, 4, true}, {noon + 600, 1, true},
        {noon + 120, 0, true},  {noon + 90, -2, false}, {noon + 90, 3, false}, {noon - 60, 5, false},
    };
    for(const Case& c : cases) {
        auto history = MakeHistory();
        Deliver(*history, five, -5);
        ASSERT_EQ(history->GetKDataCount(), 5);
        EXPECT_EQ(history->RequestHistory(c.time, c.barcount), c.started)
            << "time " << c.time - noon << " from noon, barcount " << c.barcount;
        if(c.started) {
            // One download at a time.
            EXPECT_FALSE(history->RequestHistory(0, -200));
        }
    }

    wxArrayString none;
    HistoryQuote withoutServers(&store, "AG", eMinute1, none);
    EXPECT_FALSE(withoutServers.RequestHistory(0, -200));
    EXPECT_EQ(withoutServers.GetServerUrl(), "");
}

TEST_F(HistoryQuoteTest, AShortBackwardAnswerEndsTheOlderHistory)
{
    auto history = MakeHistory(eMinute5);
    std::vector<Bar> bars;
    for(int i = 0; i < 150; ++i) {
        bars.push_back({noon - 300 * (150 - i), 2, 3, 1, 2});
    }
    server.Answer(RowsBody(bars));
    ASSERT_TRUE(history->RequestHistory(noon, -200));
    ASSERT_TRUE(Pump([&] { return !history->IsDownloading(); }));
    EXPECT_FALSE(history->HasOlderHistory());
    ASSERT_EQ(history->GetKDataCount(), 150);

    const int64_t oldest = static_cast<int64_t>(history->GetFirstKData().time);
    EXPECT_FALSE(history->RequestHistory(oldest, -200));
    EXPECT_FALSE(history->RequestHistory(oldest - 3000, -10));
    // Backward requests after the oldest K-line and forward ones still go out.
    EXPECT_TRUE(history->RequestHistory(oldest + 300 * 100, -200));
    ASSERT_TRUE(Pump([&] { return !history->IsDownloading(); }));
    EXPECT_TRUE(history->RequestHistory(static_cast<int64_t>(history->GetLastKData().time), 200));

    // A full answer keeps it: only fewer rows than asked end it.
    auto other = MakeHistory(eMinute5);
    Deliver(*other, RowsBody({{noon, 1, 1, 1, 1}, {noon + 300, 1, 1, 1, 1}}), -2);
    EXPECT_TRUE(other->HasOlderHistory());
    Deliver(*other, RowsBody({{noon, 1, 1, 1, 1}}), 200);
    EXPECT_TRUE(other->HasOlderHistory());
}

TEST_F(HistoryQuoteTest, QueriesCarryThePeriodCodeTimeAndAnEncodedSymbolCode)
{
    auto history = MakeHistory(eMinute1);
    ASSERT_TRUE(history->RequestHistory(0, -200));
    ASSERT_TRUE(Pump([&] { return !history->IsDownloading(); }));
    EXPECT_EQ(server.Last().target, std::string(kPath) + "?symbolCode=AG&period=4&barcount=-200");

    auto fourHours = MakeHistory(eHour4);
    ASSERT_TRUE(fourHours->RequestHistory(noon, 200));
    ASSERT_TRUE(Pump([&] { return !fourHours->IsDownloading(); }));
    const std::regex longForm(std::string(kPath) +
                              "\\?symbolCode=AG&period=14&time=1710475200&barcount=200&rnd=\\d+");
    EXPECT_TRUE(std::regex_match(server.Last().target, longForm)) << server.Last().target;

    struct Case
    {
        const char* code; // UTF-8
        const char* sent; // as it stands in the query
    } cases[] = {
        {"A&B", "A%26B"},
        {"AG-1_x.y~", "AG-1_x.y~"},
        {"1+1 #2", "1%2B1%20%232"},
        {"\xe9\xbb\x84\xe9\x87\x91", "%E9%BB%84%E9%87%91"},
    };
    for(const Case& c : cases) {
        auto coded = MakeHistory(eMinute1, wxString::FromUTF8(c.code));
        ASSERT_TRUE(coded->RequestHistory(0, -1)) << c.code;
        ASSERT_TRUE(Pump([&] { return !coded->IsDownloading(); }));
        const auto request = server.Last();
        EXPECT_EQ(request.params.count("symbolCode"), 1u) << c.code;
        EXPECT_EQ(Param(request, "symbolCode"), c.code);
        EXPECT_EQ(Param(request, "barcount"), "-1") << c.code;
        EXPECT_NE(request.target.find(std::string("symbolCode=") + c.sent + "&"), std::string::npos)
            << request.target;
    }
}

TEST_F(HistoryQuoteTest, ServerEntriesWithAndWithoutSchemeGiveOneUrl)
{
    struct Case
    {
        const char* entry;
        const char* url;
    } cases[] = {
        {"http://127.0.0.1:8080", "http://127.0.0.1:8080/quotes/hisquotes_data.js"},
        {"127.0.0.1:8080", "http://127.0.0.1:8080/quotes/hisquotes_data.js"},
        {"https://quotes.example:443", "http://quotes.example:443/quotes/hisquotes_data.js"},
        {"//quotes.example", "http://quotes.example/quotes/hisquotes_data.js"},
    };
    for(const Case& c : cases) {
        wxArrayString servers;
        servers.push_back(c.entry);
        HistoryQuote history(&store, "AG", eMinute1, servers);
        EXPECT_EQ(history.GetServerUrl(), c.url) << c.entry;
    }
}

TEST_F(HistoryQuoteTest, FailedDownloadsMoveToTheNextServerForTheNextRequest)
{
    // The last one silent: its download fails at the time-out.
    TestSocket refusing[3] = {TestSocket(false), TestSocket(false), TestSocket(true)};
    wxArrayString servers;
    for(const TestSocket& socket : refusing) {
        servers.push_back(socket.Base());
    }
    // A seed whose first rand() picks server 0.
    unsigned seed = 1;
    for(;; ++seed) {
        std::srand(seed);
        if(std::rand() % 3 == 0) {
            break;
        }
    }
    std::srand(seed);
    HistoryQuote history(&store, "AG", eMinute1, servers);
    auto now = std::chrono::steady_clock::now();
    history.SetClock([&now] { return now += std::chrono::seconds(30); }); // no pause is felt
    EXPECT_EQ(history.GetServerIndex(), 0);
    for(int expected : {1, 2, 0}) {
        ASSERT_TRUE(history.RequestHistory(0, -200));
        ASSERT_TRUE(PumpUntil([&] { return !history.IsDownloading(); }, 30s));
        EXPECT_EQ(history.GetServerIndex(), expected);
        EXPECT_TRUE(history.IsEmpty());
    }
}

TEST_F(HistoryQuoteTest, AFailedDownloadIsAskedAgainAtATimerTickAfterAPauseFromTheSecondFailureOn)
{
    auto history = MakeHistory(eMinute1);
    auto now = std::chrono::steady_clock::now();
    history->SetClock([&now] { return now; });
    EXPECT_FALSE(history->HasFailed());
    // An error page, then K-lines that say nothing: each is a failure,
    // asked again as it was by the next tick, and no end of the history.
    server.Answer("injected failure");
    server.Answer("var hisquotes_data = [{\"row\":\"1710475200,x,n/a,n/a,n/a,n/a,0,0\"}];");
    server.Answer(RowsBody({{noon, 10, 11, 9, 10.5}, {noon + 60, 10.5, 12, 10, 11}}));
    ASSERT_TRUE(history->RequestHistory(0, -200));
    ASSERT_TRUE(Pump([&] { return !history->IsDownloading() && history->HasFailed(); }));
    EXPECT_TRUE(history->IsEmpty());
    TimerTick(*history);
    ASSERT_TRUE(Pump([&] { return server.Requests().size() == 2 && !history->IsDownloading(); }));
    EXPECT_TRUE(history->HasFailed());
    EXPECT_TRUE(history->IsEmpty());
    EXPECT_TRUE(history->HasOlderHistory()) << "one unreadable row is no short answer";
    // The second in a row: neither ticks nor the timer ask until a second has passed.
    Tick(noon, 10.7);
    TimerTick(*history);
    EXPECT_EQ(server.Requests().size(), 2u);
    now += std::chrono::milliseconds(HistoryQuote::kTimerMs);
    TimerTick(*history);
    ASSERT_TRUE(Pump([&] { return server.Requests().size() == 3 && !history->IsDownloading(); }));
    EXPECT_FALSE(history->HasFailed());
    EXPECT_EQ(history->GetKDataCount(), 2);
    for(const KLineServer::Request& request : server.Requests()) {
        EXPECT_EQ(Param(request, "barcount"), "-200");
        EXPECT_EQ(Param(request, "time"), "<missing>");
    }
    TimerTick(*history); // served: nothing to ask again
    EXPECT_FALSE(history->IsDownloading());
    EXPECT_EQ(server.Requests().size(), 3u);
}

// --- answers ---------------------------------------------------------------

TEST_F(HistoryQuoteTest, AnswersKeepGoodRowsAndSkipTheRest)
{
    auto history = MakeHistory(eMinute1);
    const std::string body = "/* K-lines */ var hisquotes_data = ["
                             "{\"row\":\"1710475200,x,10,11,9,10.5,0,0\"},"
                             "{\"row\":\"1710475260,x,10\"},"                          // too few fields
                             "{\"row\":\"1710475320,x,abc,11,9,10.5,0,0\"},"           // open is no number
                             "{\"row\":\"1710475380,x,10,nan,9,10.5,0,0\"},"           // no finite number
                             "{\"row\":\"1710475400,x,10,1e308,9,10.5,0,0\"},"         // no figure
                             "{\"row\":\"1710475420,x,10,11,-1,10.5,0,0\"},"           // no market's low
                             "{\"row\":\"1710475440,x,10,11,9,10.5,0\"},"              // seven fields
                             "{\"other\":\"1710475500,x,10,11,9,10.5,0,0\"},"          // no row
                             "{\"row\":\"1710475560,2024\\\\,03,10,11,9,10.25,0,0\"}," // escaped comma
                             "{\"row\":\"1710475620,x,12,13,11,12.5,,,\"}"
                             "]; // end of data";
    Deliver(*history, wxString::FromUTF8(body), -9); // as many items as asked
    ASSERT_EQ(history->GetKDataCount(), 3);
    ExpectBar(history->GetKData(0), {1710475200, 10, 11, 9, 10.5});
    ExpectBar(history->GetKData(1), {1710475560, 10, 11, 9, 10.25}); // fields counted after the escape
    ExpectBar(history->GetKData(2), {1710475620, 12, 13, 11, 12.5});

    // Answers that hold no array change nothing.
    for(const char* text : {"no array at all", "] reversed [", "[{\"row\": broken}]", "[1,2"}) {
        Deliver(*history, text, -200);
        EXPECT_EQ(history->GetKDataCount(), 3) << text;
        EXPECT_TRUE(history->HasOlderHistory()) << text;
    }
}

TEST_F(HistoryQuoteTest, OlderKLinesGoToTheirPlaceAndObserversHearAtTheCommit)
{
    auto history = MakeHistory(eMinute1);
    KLineObserver observer(*history);
    Deliver(*history, RowsBody({{noon + 180, 4, 4, 4, 4}, {noon + 240, 5, 5, 5, 5}}), -2);
    // Older K-lines, one of them already held and changed by the server.
    Deliver(*history,
            RowsBody({{noon, 1, 1, 1, 1},
                      {noon + 60, 2, 2, 2, 2},
                      {noon + 120, 3, 3, 3, 3},
                      {noon + 180, 4, 6, 3, 5}}),
            -4);

    ASSERT_EQ(history->GetKDataCount(), 5);
    for(int i = 0; i < 5; ++i) {
        EXPECT_EQ(history->GetKData(i).time, static_cast<double>(noon + 60 * i)) << i;
        EXPECT_EQ(history->FindKDataByTime(noon + 60 * i), i);
    }
    EXPECT_EQ(history->FindKDataByTime(noon + 30), -1);
    ExpectBar(history->GetKData(3), {noon + 180, 4, 6, 3, 5});

    // Every commit call came after the last change of its answer.
    ASSERT_EQ(observer.changesAtCommit.size(), 6u);
    for(size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(observer.changesAtCommit[i], 2);
    }
    for(size_t i = 2; i < observer.changesAtCommit.size(); ++i) {
        EXPECT_EQ(observer.changesAtCommit[i], 6);
    }
    const std::vector<int64_t> added = {noon + 180, noon + 240, noon, noon + 60, noon + 120};
    EXPECT_EQ(observer.added, std::vector<double>(added.begin(), added.end()));
    ASSERT_EQ(observer.updated.size(), 1u);
    EXPECT_EQ(observer.updated[0].first.close, 4);
    EXPECT_EQ(observer.updated[0].second.close, 5);
}

TEST_F(HistoryQuoteTest, MergingFindsTheKLineOfATimeOrInsertsAtItsStart)
{
    auto history = MakeHistory(eMinute5);
    Deliver(*history, RowsBody({{noon, 10, 12, 9, 11}, {noon + 900, 11, 11, 11, 11}}), -2);

    // A server row a little off the start replaces the K-line it falls in.
    history->AddOrUpdate(KLine(noon + 30, 20, 21, 19, 20.5, 7), nullptr, true);
    ASSERT_EQ(history->GetKDataCount(), 2);
    EXPECT_EQ(history->GetKData(0).time, noon + 30.0);
    EXPECT_EQ(history->GetKData(0).volume, 7.0);
    // A tick five minutes or more from every K-line is inserted at its
    // K-line's start, in time order.
    history->AddOrUpdate(KLine(noon + 377, 15, 15, 15, 15, 0), nullptr, false);
    ASSERT_EQ(history->GetKDataCount(), 3);
    ExpectBar(history->GetKData(1), {noon + 300, 15, 15, 15, 15});
    // A tick in an existing K-line extends it.
    history->AddOrUpdate(KLine(noon + 940, 0, 0, 0, 9, 0), nullptr, false);
    ExpectBar(history->GetKData(2), {noon + 900, 11, 11, 9, 9});
    // Spans are absolute: a tick less than five minutes before a K-line belongs to it.
    history->AddOrUpdate(KLine(noon + 700, 0, 0, 0, 12, 0), nullptr, false);
    ASSERT_EQ(history->GetKDataCount(), 3);
    ExpectBar(history->GetKData(2), {noon + 900, 11, 12, 9, 12});
}

TEST_F(HistoryQuoteTest, AccessorsOfAnEmptyHistoryAssertAndGiveAnEmptyKLine)
{
    auto history = MakeHistory();
    AssertRecorder::Conditions().clear();
    {
        AssertRecorder recorder;
        EXPECT_EQ(history->GetFirstKData().time, 0.0);
        EXPECT_EQ(history->GetLastKData().close, 0.0);
        EXPECT_EQ(history->GetKData(0).time, 0.0);
        EXPECT_EQ(history->GetKData(-1).time, 0.0);
    }
    const std::vector<std::string> expected = {"!Idx.empty()", "!Idx.empty()",
                                               "nIndex >= 0 && nIndex < (int)Idx.size()",
                                               "nIndex >= 0 && nIndex < (int)Idx.size()"};
    EXPECT_EQ(AssertRecorder::Conditions(), expected);
    EXPECT_EQ(history->FindKDataByTime(noon), -1);
}
