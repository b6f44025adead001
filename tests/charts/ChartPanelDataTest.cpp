// A chart page's window over its K-line history, with histories filled by
// the test: where the window goes as K-lines arrive and change, the cursor
// and draw flags it leaves, the series it hands to the drawing, and the
// page's stored settings.
#include "charts/ChartPanelData.h"

#include "EventPump.h"
#include "LoopbackHttpServer.h"
#include "charts/ChartPanelActions.h"
#include "charts/ChartViewPanelConfig.h"
#include "charts/HistoryQuote.h"
#include "charts/WheelNotches.h"
#include "charts/ePeriodType.h"
#include "common/ToolBarTools.h"
#include "db/CTransaction.h"
#include "db/RecordStore.h"

#include <chartlib/ChartConstants.h>
#include <chartlib/ChartTime.h>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <pelmora/Archive.h>
#include <pelmora/JobQueueSingleton.h>
#include <vector>
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

// What the chart page does with the history's commits.
class PageTrigger : public CCommitTrigger<sKData>
{
public:
    explicit PageTrigger(ChartPanelData& data) : m_data(data) {}
    void commitAdd(const sKData& stored, int) override { m_data.OnKDataAdded(stored); }
    void commitUpdate(const sKData&, const sKData& stored, int) override { m_data.UpdateKData(stored); }

private:
    ChartPanelData& m_data;
};

sKData Minute(int minute, double close = 0)
{
    const double c = close != 0 ? close : 100 + minute;
    return {static_cast<double>(kMidnight + 60 * minute), c - 1, c + 2, c - 2, c, 0};
}

class ChartPanelDataTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("TZ", "CST-8", 1);
        tzset();
        store.CreateTables();
    }
    void TearDown() override
    {
        if(history) {
            history->RemoveCommitTrigger(&trigger);
        }
        unsetenv("TZ");
        tzset();
    }

    // A page over an empty one-minute history of AG, its window at the end.
    void Open(const wxArrayString& servers = wxArrayString())
    {
        history = std::make_shared<HistoryQuote>(&store, "AG", eMinute1, servers);
        history->AddCommitTrigger(&trigger);
        data.SetHistory(history);
        data.CreateSeries();
        data.SeekToNewest();
    }
    // K-lines as one download brings them: one unit of work.
    void Add(int from, int to, int skip = -1)
    {
        CTransaction transaction;
        for(int minute = from; minute <= to; ++minute) {
            if(minute != skip) {
                history->AddOrUpdate(Minute(minute), &transaction, true);
            }
        }
        transaction.Commit(0);
    }
    void Change(const sKData& bar)
    {
        CTransaction transaction;
        history->AddOrUpdate(bar, &transaction, true);
        transaction.Commit(0);
    }
    void ClearFlags()
    {
        data.SetRedraw(false);
        data.SetCursor(false);
    }
    ChartDataArray& Times() { return *data.GetSeriesArray(ChartPanelData::eTime); }
    double Shown(int series, int slot)
    {
        return data.GetSeriesArray(series)->GetChartDataArray(nullptr)[slot];
    }
    static double ChartTimeOf(int minute) { return ChartPanelData::GetKDataValue(0, Minute(minute)); }

    RecordStore store;
    ChartPanelData data;
    PageTrigger trigger{data};
    std::shared_ptr<HistoryQuote> history;
};

} // namespace

TEST_F(ChartPanelDataTest, KLineValuesAreLocalChartTimesAndPrices)
{
    const sKData bar{static_cast<double>(kMidnight + 12 * 3600 + 30), 9, 11, 8, 10.5, 0};
    EXPECT_EQ(ChartPanelData::GetKDataValue(0, bar), chartlib::chartTime(2024, 3, 15, 12, 0, 30));
    EXPECT_EQ(ChartPanelData::ChartTimeToSeconds(chartlib::chartTime(2024, 3, 15, 12, 0, 30)), bar.time);
    const double expected[] = {9, 11, 8, 10.5, 0, 0, 0};
    for(int series = 1; series <= 7; ++series) {
        EXPECT_EQ(ChartPanelData::GetKDataValue(series, bar), expected[series - 1]) << series;
    }
    EXPECT_EQ(ChartPanelData::GetKDataValue(-1, bar), 0);
}

TEST_F(ChartPanelDataTest, TheFirstDownloadSeeksToTheEndWithTheCursorOnTheNewestKLine)
{
    Open();
    EXPECT_EQ(data.GetValidCount(), 0);
    data.SetCursorX(40);
    Add(0, 199);
    EXPECT_EQ(Times().GetPosition(), 105);
    EXPECT_EQ(data.GetValidCount(), 95);
    EXPECT_EQ(data.GetCursorX(), 94);
    EXPECT_EQ(data.GetCursorY(), -1);
    EXPECT_TRUE(data.NeedsRedraw());
    EXPECT_EQ(Shown(ChartPanelData::eClose, 94), 299);
    EXPECT_EQ(Shown(ChartPanelData::eTime, 0), ChartTimeOf(105));
    // No array for the volume.
    EXPECT_EQ(data.GetSeriesArray(ChartPanelData::eVolume), nullptr);
}

TEST_F(ChartPanelDataTest, AFollowingWindowMovesOnAndAScrolledBackOneOnlyAsksForTheCursor)
{
    Open();
    Add(0, 199);

    struct Step
    {
        const char* what;
        int seekTo;          // absolute seek first; -1 none, -2 to the newest
        int addMinute;       // a new K-line; -1 none
        double changeNewest; // a tick on the newest K-line; 0 none
        int position, valid, cursorX;
        bool redraw, cursor;
    } steps[] = {
        {"a full window at the end moves on by one", 100, 200, 0, 101, 100, 99, true, false},
        {"a change of the newest K-line does not move it", -1, -1, 350.5, 101, 100, 99, true, false},
        {"a window scrolled back stays", 50, 201, 0, 50, 100, -1, false, true},
        {"a change scrolled back stays too", -1, -1, 360.5, 50, 100, -1, false, true},
        {"free slots fill before the window moves", -2, 202, 0, 107, 96, 95, true, false},
    };
    for(const Step& step : steps) {
        SCOPED_TRACE(step.what);
        if(step.seekTo >= 0) {
            data.Seek(step.seekTo, eSeekAbsolute);
        } else if(step.seekTo == -2) {
            data.SeekToNewest();
        }
        data.SetCursorX(-1);
        ClearFlags();
        if(step.addMinute >= 0) {
            Add(step.addMinute, step.addMinute);
        }
        if(step.changeNewest != 0) {
            Change(Minute(history->GetKDataCount() - 1, step.changeNewest));
        }
        EXPECT_EQ(Times().GetPosition(), step.position);
        EXPECT_EQ(data.GetValidCount(), step.valid);
        EXPECT_EQ(data.GetCursorX(), step.cursorX);
        EXPECT_EQ(data.NeedsRedraw(), step.redraw);
        EXPECT_EQ(data.NeedsCursor(), step.cursor);
        if(step.redraw) {
            const int newest = data.GetValidCount() - 1;
            EXPECT_EQ(Shown(ChartPanelData::eClose, newest), history->GetLastKData().close);
            EXPECT_EQ(Shown(ChartPanelData::eTime, newest),
                      ChartPanelData::GetKDataValue(0, history->GetLastKData()));
        }
    }
}

TEST_F(ChartPanelDataTest, AKLineInTheWindowWithoutASlotRebuildsTheWindowAtTheEnd)
{
    Open();
    Add(0, 199, 100); // minute 100 missing
    data.Seek(60, eSeekAbsolute);
    ClearFlags();
    Add(100, 100); // fills the gap inside the window
    EXPECT_EQ(history->GetKDataCount(), 200);
    EXPECT_EQ(Times().GetPosition(), 105);
    EXPECT_EQ(data.GetValidCount(), 95);
    EXPECT_TRUE(data.NeedsRedraw());
    for(int slot = 0; slot < 95; ++slot) {
        ASSERT_EQ(Shown(ChartPanelData::eTime, slot), ChartTimeOf(105 + slot)) << slot;
    }
}

TEST_F(ChartPanelDataTest, OlderKLinesArrivingAtPositionZeroKeepTheFirstVisibleOne)
{
    Open();
    Add(300, 399);
    data.Seek(0, eSeekAbsolute);
    ASSERT_EQ(Shown(ChartPanelData::eTime, 0), ChartTimeOf(300));
    ClearFlags();

    Add(100, 299); // the 200 before the oldest
    EXPECT_EQ(Times().GetPosition(), 200);
    for(int series = ChartPanelData::eTime; series <= ChartPanelData::eClose; ++series) {
        EXPECT_EQ(data.GetSeriesArray(series)->GetPosition(), 200) << series;
    }
    EXPECT_EQ(Shown(ChartPanelData::eTime, 0), ChartTimeOf(300));
    EXPECT_EQ(Shown(ChartPanelData::eOpen, 0), Minute(300).open);
    EXPECT_FALSE(data.NeedsRedraw());
    EXPECT_TRUE(data.NeedsCursor());

    // Away from position 0 older K-lines leave the position as it is.
    data.Seek(40, eSeekAbsolute);
    Add(90, 99);
    EXPECT_EQ(Times().GetPosition(), 40);
}

TEST_F(ChartPanelDataTest, ScrollingBackToTheStartAsksForTheKLinesBeforeTheOldestOnce)
{
    LoopbackHttpServer http;
    std::mutex mutex;
    std::vector<httplib::Params> requests;
    http.server().Get("/quotes/hisquotes_data.js", [&](const httplib::Request& req, httplib::Response& res) {
        std::lock_guard<std::mutex> lock(mutex);
        requests.push_back(req.params);
        res.set_content("[]", "application/javascript");
    });
    http.Start();
    wxArrayString servers;
    servers.push_back(http.Base());
    Open(servers);
    Add(0, 199);
    const auto count = [&] {
        std::lock_guard<std::mutex> lock(mutex);
        return requests.size();
    };

    EXPECT_TRUE(data.Seek(-50, eSeekRelative)); // 105 -> 55: not at the start
    EXPECT_FALSE(history->IsDownloading());
    EXPECT_TRUE(data.Seek(-100, eSeekRelative));
    EXPECT_EQ(Times().GetPosition(), 0);
    ASSERT_TRUE(history->IsDownloading());
    EXPECT_FALSE(data.Seek(-1, eSeekRelative)); // at the start while the download runs
    EXPECT_FALSE(data.Seek(0, eSeekRelative));
    ASSERT_TRUE(PumpUntil([&] { return !history->IsDownloading(); }, 10s));
    ASSERT_EQ(count(), 1u);
    std::lock_guard<std::mutex> lock(mutex);
    EXPECT_EQ(requests[0].find("time")->second, std::to_string(kMidnight));
    EXPECT_EQ(requests[0].find("barcount")->second, "-200");
}

TEST_F(ChartPanelDataTest, TheDrawingGetsLeadingPointsAndFreeSlotsThatContinueTheTimes)
{
    Open();
    int extra = -1;
    EXPECT_EQ(data.GetSeries(ChartPanelData::eTime, &extra).len(), 0);
    EXPECT_EQ(extra, 0);
    EXPECT_FALSE(data.Seek(5, eSeekRelative)); // no K-lines: nothing to move

    Add(0, 199);
    const chartlib::DoubleArray times = data.GetSeries(ChartPanelData::eTime, &extra);
    ASSERT_EQ(extra, 30);
    ASSERT_EQ(times.len(), 130);
    EXPECT_EQ(times[0], ChartTimeOf(75));
    const double first = times[30], last = times[30 + 94];
    const double spacing = (last - first) / 95;
    for(int slot = 95; slot < 100; ++slot) {
        EXPECT_DOUBLE_EQ(times[30 + slot], last + (slot - 94) * spacing) << slot;
    }
    const chartlib::DoubleArray closes = data.GetSeries(ChartPanelData::eClose, &extra);
    ASSERT_EQ(closes.len(), 130);
    EXPECT_EQ(closes[30 + 94], 299);
    EXPECT_EQ(closes[30 + 95], chartlib::NoValue);
    EXPECT_EQ(data.GetSeries(ChartPanelData::eVolume, &extra).len(), 0);
    EXPECT_EQ(extra, 0);
}

TEST_F(ChartPanelDataTest, WithoutSeriesArraysNothingMoves)
{
    ChartPanelData empty;
    EXPECT_FALSE(empty.Seek(-10, eSeekRelative));
    EXPECT_EQ(empty.GetScreenCount(), ChartPanelData::kScreenCount);
    empty.UpdateKData(Minute(1));
    EXPECT_FALSE(empty.NeedsRedraw());
    EXPECT_FALSE(empty.NeedsCursor());
}

TEST(ChartViewPanelConfig, StoredValuesOutOfRangeAreIgnoredFieldByField)
{
    EXPECT_EQ(ChartViewPanelConfig::ObjectName("AG"), "ChartViewerPanel.AG");
    struct Case
    {
        int storedPeriod, storedBarType;
        int period, barType;
    } cases[] = {
        {12, 4, 0, 1}, {11, 3, 11, 3}, {2, 7, 2, 1}, {-1, 0, 0, 0}, {5, -3, 5, 1},
    };
    for(const Case& c : cases) {
        Archive archive;
        archive.Write("m_periodType", c.storedPeriod);
        archive.Write("m_barType", c.storedBarType);
        ChartViewPanelConfig config;
        config.DeSerialize(archive);
        EXPECT_EQ(config.m_periodType, c.period) << c.storedPeriod;
        EXPECT_EQ(config.m_barType, c.barType) << c.storedBarType;
    }
    // Round trip.
    ChartViewPanelConfig written;
    written.m_periodType = 8;
    written.m_barType = 2;
    Archive archive;
    written.Serialize(archive);
    ChartViewPanelConfig read;
    read.DeSerialize(archive);
    EXPECT_EQ(read.m_periodType, 8);
    EXPECT_EQ(read.m_barType, 2);
}

TEST_F(ChartPanelDataTest, ZoomKeepsTheWindowsEndAndTheCursorOnAValidKLine)
{
    Open();
    Add(0, 199);
    ASSERT_EQ(data.GetValidCount(), 95);
    data.SetCursorX(94);
    EXPECT_TRUE(data.Zoom(0.75));
    EXPECT_EQ(data.GetScreenCount(), 75);
    EXPECT_EQ(Times().GetPosition(), 130); // the end stays where it was
    // The newest K-line now sits beyond the 75 slots: the cursor is pulled in.
    EXPECT_EQ(data.GetValidCount(), 70);
    EXPECT_EQ(data.GetCursorX(), 69);
    for(int i = 0; i < 20; ++i) {
        data.Zoom(0.75);
    }
    EXPECT_EQ(data.GetScreenCount(), ChartDataArray::kMinScreenCount);
    EXPECT_FALSE(data.Zoom(0.75)); // at the bound nothing changes
    data.SetCursorX(3);
    EXPECT_TRUE(data.Zoom(1.25));
    EXPECT_EQ(data.GetCursorX(), 3); // a valid cursor stays
    EXPECT_EQ(data.GetScreenCount(), 13);
}

TEST(ChartPanelActions, WheelNotchesAddUpFractionsAndDropTheSumOnATurn)
{
    struct Step
    {
        int rotation;
        int notches;
    };
    struct Case
    {
        const char* what;
        std::vector<Step> steps;
    } cases[] = {
        {"whole notches at once", {{120, 1}, {-240, -2}, {360, 3}}},
        {"ten tenths make one notch",
         {{12, 0}, {12, 0}, {12, 0}, {12, 0}, {12, 0}, {12, 0}, {12, 0}, {12, 0}, {12, 0}, {12, 1}}},
        {"a remainder is kept", {{100, 0}, {100, 1}, {40, 1}}},
        {"a turn drops the sum", {{100, 0}, {-20, 0}, {100, 0}, {-119, 0}, {-1, -1}}},
        {"no rotation does nothing", {{0, 0}, {60, 0}, {0, 0}, {60, 1}}},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WheelNotches wheel;
        for(const Step& step : c.steps) {
            EXPECT_EQ(wheel.Add(step.rotation, 120), step.notches) << step.rotation;
        }
    }
    WheelNotches broken;
    EXPECT_EQ(broken.Add(120, 0), 0); // a device without a delta
}

TEST(ChartPanelActions, WheelDragAndKeysBecomeSeeksCursorStepsAndZooms)
{
    // A notch moves a fifth of the visible points, newer for a positive one.
    struct Wheel
    {
        int notches, screen, points;
    } wheels[] = {{1, 100, 20}, {1, 50, 10}, {-1, 100, -20}, {2, 75, 30},
                  {0, 100, 0},  {1, 4, 1},   {-1, 4, -1}};
    for(const Wheel& w : wheels) {
        EXPECT_EQ(WheelSeekPoints(w.notches, w.screen), w.points) << w.notches << " of " << w.screen;
    }
    // A drag to the right shows older points, whole points only.
    struct Drag
    {
        int down, now, pixels, points;
    } drags[] = {{100, 145, 15, -3}, {145, 100, 15, 3}, {100, 114, 15, 0}, {100, 130, 0, -30}};
    for(const Drag& d : drags) {
        EXPECT_EQ(DragSeekPoints(d.down, d.now, d.pixels), d.points) << d.down << " to " << d.now;
    }
    EXPECT_EQ(ChartKeyActionOf(WXK_LEFT), ChartKeyAction::eStepLeft);
    EXPECT_EQ(ChartKeyActionOf(WXK_RIGHT), ChartKeyAction::eStepRight);
    EXPECT_EQ(ChartKeyActionOf(WXK_UP), ChartKeyAction::eZoomIn);
    EXPECT_EQ(ChartKeyActionOf(WXK_DOWN), ChartKeyAction::eZoomOut);
    for(int other : {int(WXK_TAB), int(WXK_PAGEUP), int('A'), int(WXK_HOME)}) {
        EXPECT_EQ(ChartKeyActionOf(other), ChartKeyAction::ePass) << other;
    }

    struct Step
    {
        const char* what;
        int cursor, valid;
        bool left;
        int newCursor, seek;
    } steps[] = {
        {"left inside", 10, 95, true, 9, 0},
        {"left at the first point seeks older", 0, 95, true, 0, -1},
        {"right inside", 10, 95, false, 11, 0},
        {"right on the newest point seeks newer", 94, 95, false, 94, 1},
        {"a cursor beyond the points is pulled in, then steps", 120, 95, true, 93, 0},
        {"beyond the points, right seeks at once", 120, 95, false, 94, 1},
        {"below 0 is pulled to 0", -4, 95, false, 1, 0},
        {"no points", 5, 0, true, 0, -1},
    };
    for(const Step& s : steps) {
        SCOPED_TRACE(s.what);
        const CursorStep step = StepCursor(s.cursor, s.valid, s.left);
        EXPECT_EQ(step.cursorX, s.newCursor);
        EXPECT_EQ(step.seek, s.seek);
    }
    EXPECT_EQ(ClampCursorX(99, 70), 69);
    EXPECT_EQ(ClampCursorX(-1, 70), 0);
    EXPECT_EQ(ClampCursorX(7, 0), 0);
}

TEST(ChartPanelActions, PopupItemsFollowThePagesPeriodAndBarType)
{
    struct BarItem
    {
        const char* id;
        int barType;
    } items[] = {{"chart_holc", 0}, {"chart_candlestick", 1}, {"chart_timeShared", 2}, {"chart_m5", 1}};
    for(const BarItem& item : items) {
        EXPECT_EQ(BarTypeFromCommandId(wxXmlResource::GetXRCID(item.id)), item.barType) << item.id;
    }
    // The current bar type greyed, the others offered.
    EXPECT_FALSE(IsBarTypeItemEnabled(1, 1));
    EXPECT_TRUE(IsBarTypeItemEnabled(0, 1));
    EXPECT_TRUE(IsPeriodItemChecked(PeriodFromToolId(wxXmlResource::GetXRCID("chart_h4")), 7));
    EXPECT_FALSE(IsPeriodItemChecked(PeriodFromToolId(wxXmlResource::GetXRCID("chart_h1")), 7));
}
