// The host's chart viewer on the display: who deletes its charts, the view
// port event, the mouse in and around the plot area, drag scrolling, cursor
// refreshes and tool tips from the image map.
#include "EventPump.h"

#include <chartlib/LineLayer.h>
#include <chartlib/XYChart.h>
#include <gtest/gtest.h>
#include <pelmora/pmChartViewer.h>
#include <vector>
#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/weakref.h>

using namespace std::chrono_literals;

namespace {

// A chart that counts its deletions.
class CountedChart : public chartlib::XYChart
{
public:
    explicit CountedChart(int& deleted) : XYChart(300, 150), m_deleted(deleted)
    {
        setPlotArea(10, 20, 200, 100);
    }
    ~CountedChart() override { ++m_deleted; }

private:
    int& m_deleted;
};

class ChartViewerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "viewer", wxDefaultPosition, wxSize(500, 300));
        viewer = new pmChartViewer(frame);
        frame->Show();
        for(wxEventType type : {wxEVT_CHARTVIEWER_VIEWPORT_CHANGED, wxEVT_CHARTVIEWER_MOUSEMOVE_PLOTAREA,
                                wxEVT_CHARTVIEWER_TRACK_REFRESH}) {
            viewer->Bind(wxEventTypeTag<wxCommandEvent>(type), [this](wxCommandEvent& event) {
                events.push_back(event.GetEventType());
                event.Skip();
            });
            // The viewer's events stay with the viewer.
            frame->Bind(wxEventTypeTag<wxCommandEvent>(type),
                        [this](wxCommandEvent& event) { reachedParent.push_back(event.GetEventType()); });
        }
        viewer->setChart(new CountedChart(deleted));
        // The frame on screen and the viewer at its final size; then the
        // refreshes that sizing queued are run and forgotten.
        ASSERT_TRUE(PumpUntil([&] {
            return frame->IsShownOnScreen() && viewer->GetSize() == frame->GetClientSize() &&
                   viewer->GetSize().x > 0;
        }));
        PumpEvents();
        events.clear();
    }
    void TearDown() override
    {
        // Gone before the fixture: its viewer deletes a chart that counts into
        // this fixture's `deleted`.
        const wxWeakRef<wxFrame> gone(frame);
        frame->Destroy();
        EXPECT_TRUE(PumpUntil([&] { return !gone; }));
    }

    void Mouse(wxEventType type, int x, int y, bool leftDown)
    {
        wxMouseEvent event(type);
        event.m_x = x;
        event.m_y = y;
        event.m_leftDown = leftDown;
        event.SetEventObject(viewer);
        viewer->ProcessWindowEvent(event);
    }
    int Count(wxEventType type) const
    {
        return static_cast<int>(std::count(events.begin(), events.end(), type));
    }

    wxFrame* frame = nullptr;
    pmChartViewer* viewer = nullptr;
    int deleted = 0;
    std::vector<wxEventType> events;
    std::vector<wxEventType> reachedParent;
};

} // namespace

TEST_F(ChartViewerTest, TheViewerDeletesOnlyTheChartItHoldsWhenItGoes)
{
    int second = 0;
    chartlib::BaseChart* first = viewer->getChart();
    auto* replacement = new CountedChart(second);
    viewer->setChart(replacement);
    EXPECT_EQ(deleted, 0); // the caller deletes what it replaced
    EXPECT_EQ(viewer->getChart(), replacement);
    delete first;
    EXPECT_EQ(deleted, 1);

    viewer->Destroy();
    EXPECT_EQ(second, 1);
    viewer = new pmChartViewer(frame);
    EXPECT_EQ(viewer->getChart(), nullptr);
}

TEST_F(ChartViewerTest, TheViewPortEventComesFirstAndTellsWhatIsNeeded)
{
    struct Seen
    {
        bool chart, imageMap;
    };
    std::vector<Seen> seen;
    int replaced = 0;
    viewer->Bind(wxEVT_CHARTVIEWER_VIEWPORT_CHANGED, [&](wxCommandEvent&) {
        seen.push_back({viewer->needUpdateChart(), viewer->needUpdateImageMap()});
        if(viewer->needUpdateChart()) {
            chartlib::BaseChart* old = viewer->getChart();
            viewer->setChart(new CountedChart(replaced));
            delete old;
        }
    });
    viewer->updateViewPort(true, false);
    viewer->updateViewPort(false, true);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_TRUE(seen[0].chart);
    EXPECT_FALSE(seen[0].imageMap);
    EXPECT_FALSE(seen[1].chart);
    EXPECT_TRUE(seen[1].imageMap);
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(replaced, 0);
    viewer->Update(); // paints the new chart
    EXPECT_TRUE(reachedParent.empty());
}

TEST_F(ChartViewerTest, MouseOverThePlotAreaAndDragScrolling)
{
    // Outside the plot area: positions only.
    Mouse(wxEVT_MOTION, 5, 5, false);
    EXPECT_EQ(viewer->getChartMouseX(), 5);
    EXPECT_EQ(viewer->getChartMouseY(), 5);
    EXPECT_EQ(Count(wxEVT_CHARTVIEWER_MOUSEMOVE_PLOTAREA), 0);

    // Inside: the plot-area event with both positions.
    Mouse(wxEVT_MOTION, 50, 60, false);
    EXPECT_EQ(Count(wxEVT_CHARTVIEWER_MOUSEMOVE_PLOTAREA), 1);
    EXPECT_EQ(viewer->getPlotAreaMouseX(), 50);
    EXPECT_EQ(viewer->getPlotAreaMouseY(), 60);
    EXPECT_FALSE(viewer->isDragScrolling());

    // Without drag scrolling a drag is only a move.
    Mouse(wxEVT_LEFT_DOWN, 100, 50, true);
    Mouse(wxEVT_MOTION, 120, 50, true);
    EXPECT_FALSE(viewer->isDragScrolling());
    Mouse(wxEVT_LEFT_UP, 120, 50, false);

    // With it: the press is remembered and the drag goes on outside the plot.
    viewer->setMouseUsage(pmChartViewer::MouseUsageScroll);
    events.clear();
    Mouse(wxEVT_LEFT_DOWN, 100, 50, true);
    EXPECT_EQ(viewer->getPlotAreaMouseDownX(), 100);
    EXPECT_EQ(viewer->getPlotAreaMouseDownY(), 50);
    Mouse(wxEVT_MOTION, 145, 50, true);
    EXPECT_TRUE(viewer->isDragScrolling());
    Mouse(wxEVT_MOTION, 400, 250, true);
    EXPECT_EQ(Count(wxEVT_CHARTVIEWER_MOUSEMOVE_PLOTAREA), 2);
    EXPECT_EQ(viewer->getChartMouseX(), 400);
    EXPECT_EQ(viewer->getPlotAreaMouseX(), 209); // held to the plot's last column
    EXPECT_EQ(viewer->getPlotAreaMouseY(), 119);
    viewer->setPlotAreaMouseDownX(400);
    EXPECT_EQ(viewer->getPlotAreaMouseDownX(), 400);
    Mouse(wxEVT_LEFT_UP, 400, 250, false);
    EXPECT_FALSE(viewer->isDragScrolling());
    EXPECT_FALSE(viewer->HasCapture());

    // A press outside the plot area starts no drag.
    Mouse(wxEVT_LEFT_DOWN, 250, 5, true);
    Mouse(wxEVT_MOTION, 260, 5, true);
    EXPECT_FALSE(viewer->isDragScrolling());
    Mouse(wxEVT_LEFT_UP, 260, 5, false);
    EXPECT_TRUE(reachedParent.empty());
}

TEST_F(ChartViewerTest, LeavingAndResizingAskForTheCursorLater)
{
    Mouse(wxEVT_LEAVE_WINDOW, 400, 250, false);
    EXPECT_EQ(Count(wxEVT_CHARTVIEWER_TRACK_REFRESH), 0); // queued, not at once
    ASSERT_TRUE(PumpUntil([&] { return Count(wxEVT_CHARTVIEWER_TRACK_REFRESH) == 1; }));

    viewer->SetSize(320, 180);
    ASSERT_TRUE(PumpUntil([&] { return Count(wxEVT_CHARTVIEWER_TRACK_REFRESH) == 2; }));

    // No refresh while a drag is under way.
    viewer->setMouseUsage(pmChartViewer::MouseUsageScroll);
    Mouse(wxEVT_LEFT_DOWN, 100, 50, true);
    Mouse(wxEVT_MOTION, 120, 50, true);
    Mouse(wxEVT_LEAVE_WINDOW, 400, 250, true);
    PumpFor(50ms);
    EXPECT_EQ(Count(wxEVT_CHARTVIEWER_TRACK_REFRESH), 2);
    Mouse(wxEVT_LEFT_UP, 400, 250, false);
    EXPECT_TRUE(reachedParent.empty());
}

TEST_F(ChartViewerTest, ToolTipsComeFromTheImageMap)
{
    auto* chart = dynamic_cast<chartlib::XYChart*>(viewer->getChart());
    const std::vector<double> values = {1.5, 2.5, 3.5};
    chart->addLineLayer(values, 0x0000FF, "line");
    viewer->setImageMap(chart->getHTMLImageMap("clickable", "", "title='value {value|1}'"));
    ASSERT_EQ(viewer->getImageMapAreas().size(), 3u);
    const chartlib::ImageMapArea& middle = viewer->getImageMapAreas()[1];
    const int x = (middle.left + middle.right) / 2, y = (middle.top + middle.bottom) / 2;
    EXPECT_EQ(viewer->getToolTipAt(x, y), "value 2.5");
    EXPECT_EQ(viewer->getToolTipAt(299, 149), "");

    Mouse(wxEVT_MOTION, x, y, false);
    EXPECT_EQ(viewer->GetToolTipText(), "value 2.5");
    Mouse(wxEVT_MOTION, 299, 149, false);
    EXPECT_EQ(viewer->GetToolTipText(), "");
}
