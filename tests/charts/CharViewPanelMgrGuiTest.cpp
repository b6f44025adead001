// The chart-page manager as the symbols of the trading day arrive: the
// remembered pages reopen, or the first symbol's chart opens once, and the
// list of open pages. Pages are real chart pages over a store of the test's
// own; the frame's part (ShowChartWindow, the remembered list) is recorded.
#include "EventPump.h"
#include "ScopedEnv.h"
#include "ScratchFolder.h"
#include "charts/CharViewPanelMgr.h"
#include "charts/ChartViewerPanel.h"
#include "common/TessrinPluginConfig.h"
#include "db/RecordStore.h"

#include <gtest/gtest.h>
#include <memory>
#include <pelmora/EditorConfig.h>
#include <vector>
#include <wx/frame.h>

using namespace std::chrono_literals;

namespace {

class RecordingMgr : public CharViewPanelMgr
{
public:
    struct Call
    {
        wxString code;
        bool activate;
        bool operator==(const Call& other) const { return code == other.code && activate == other.activate; }
    };

    RecordingMgr(RecordStore& db, wxWindow& parent) : CharViewPanelMgr(&db), m_db(db), m_parent(parent) {}

    std::vector<Call> calls;
    TessrinPluginConfig remembered;

protected:
    // As the frame: a new page, added to the list.
    void ShowChartWindow(const symbol_Info& symbol, bool activate) override
    {
        calls.push_back({symbol.symbolCode, activate});
        AddPanel(new ChartViewerPanel(&m_parent, &m_db, symbol, nullptr));
    }
    TessrinPluginConfig GetRememberedPages() const override { return remembered; }

private:
    RecordStore& m_db;
    wxWindow& m_parent;
};

std::ostream& operator<<(std::ostream& out, const RecordingMgr::Call& call)
{
    return out << call.code << (call.activate ? " (selected)" : "");
}

class CharViewPanelMgrTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EditorConfigST::Free(); // the pages store their settings in the scratch folder
        store.CreateTables();
        frame = new wxFrame(nullptr, wxID_ANY, "charts");
        manager = std::make_unique<RecordingMgr>(store, *frame);
    }
    void TearDown() override
    {
        for(ChartViewerPanel* panel : manager->GetChartViewPanels()) {
            manager->RemovePanel(panel);
            panel->Destroy();
        }
        manager.reset();
        frame->Destroy();
        EditorConfigST::Free();
    }

    // The symbols as the query answer brings them, one after the other.
    void Arrive(const std::vector<std::pair<int, const char*>>& symbols)
    {
        for(const auto& [id, code] : symbols) {
            symbol_Info symbol;
            symbol.symbolId = id;
            symbol.symbolCode = code;
            symbol.marketType = '1';
            ASSERT_TRUE(store.m_symbol_Info_table->Insert(symbol).second);
        }
    }

    ScratchFolder folder;
    ScopedEnv userData{"PELMORA_USER_DATA_DIR", folder.Path()};
    RecordStore store;
    wxFrame* frame = nullptr;
    std::unique_ptr<RecordingMgr> manager;
};

} // namespace

TEST_F(CharViewPanelMgrTest, AFirstStartOpensTheChartOfTheSmallestSymbolIdOnce)
{
    Arrive({{103, "PD"}, {101, "AG"}, {102, "PT"}});
    EXPECT_TRUE(manager->calls.empty()); // later, in the event loop
    ASSERT_TRUE(PumpUntil([&] { return !manager->calls.empty(); }));
    PumpFor(50ms); // the other two requests would open a second chart here
    EXPECT_EQ(manager->calls, (std::vector<RecordingMgr::Call>{{"AG", true}}));

    // With a chart open, later symbols open nothing.
    Arrive({{99, "CU"}});
    PumpFor(50ms);
    EXPECT_EQ(manager->calls.size(), 1u);
}

TEST_F(CharViewPanelMgrTest, RememberedPagesReopenWithTheSelectedOneInFrontAndNoFirstChart)
{
    wxArrayString views;
    views.Add("A");
    views.Add("B");
    manager->remembered.SetLastShowChartViews(views);
    manager->remembered.SetLastActiveChartView("B");

    Arrive({{200, "C"}, {201, "A"}, {202, "B"}, {203, "b"}});
    EXPECT_EQ(manager->calls, (std::vector<RecordingMgr::Call>{{"A", false}, {"B", true}}));
    PumpFor(100ms); // C's request for a first chart finds pages open
    EXPECT_EQ(manager->calls.size(), 2u);
    const auto panels = manager->GetChartViewPanels();
    ASSERT_EQ(panels.size(), 2u);
    EXPECT_EQ(panels.front()->GetViewName(), "A");
    EXPECT_EQ(panels.back()->GetViewName(), "B");
}

TEST_F(CharViewPanelMgrTest, PagesAreFoundByTheirExactNameAndLeaveTheListOnce)
{
    Arrive({{101, "AG"}, {102, "PT"}});
    ASSERT_TRUE(PumpUntil([&] { return !manager->GetChartViewPanels().empty(); }));
    PumpFor(50ms); // PT's request finds AG open
    ASSERT_EQ(manager->GetChartViewPanels().size(), 1u);
    ChartViewerPanel* ag = manager->FindPanel("AG");
    ASSERT_NE(ag, nullptr);
    EXPECT_EQ(manager->FindPanel("ag"), nullptr);
    EXPECT_EQ(manager->FindPanel("PT"), nullptr);

    auto* pt = new ChartViewerPanel(frame, &store, *store.m_symbol_Info_table->GetIndexByPrimary().find(102),
                                    nullptr);
    manager->AddPanel(pt);
    EXPECT_EQ(manager->FindPanel("PT"), pt);
    manager->RemovePanel(ag);
    manager->RemovePanel(ag); // absent: nothing
    EXPECT_EQ(manager->GetChartViewPanels(), (std::list<ChartViewerPanel*>{pt}));
    ag->Destroy();
}

TEST_F(CharViewPanelMgrTest, AManagerThatGoesStopsObservingAndDropsItsRequests)
{
    Arrive({{101, "AG"}}); // a first-chart request is queued
    manager.reset();
    Arrive({{102, "PT"}});
    PumpFor(50ms); // neither request reaches a deleted manager
    EXPECT_EQ(store.m_symbol_Info_table->GetIndexByPrimary().size(), 2u);
    manager = std::make_unique<RecordingMgr>(store, *frame);
}
