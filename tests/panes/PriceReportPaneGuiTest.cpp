// The depth pane's queries: when it asks the market for its levels, that it
// waits for one answer at a time, and what a time-out and an answer do; with
// a fake connection and a registry on the test's own clock.
#include "EventPump.h"
#include "connection/RequestNotify.h"
#include "db/RecordStore.h"
#include "db/symbol_Info.h"
#include "panes/PriceReportPane.h"

#include <gtest/gtest.h>
#include <vector>
#include <wx/frame.h>

namespace {

trade_priceLevel SomeLevels(int symbolId)
{
    trade_priceLevel levels;
    levels.priceLevelId = symbolId;
    levels.levels[5] = 3; // one buy volume
    return levels;
}

class PriceReportPaneTest : public ::testing::Test
{
protected:
    PriceReportPaneTest() : m_registry([this] { return m_now; })
    {
        m_db.CreateTables();
        m_symbol.symbolId = 201;
        m_symbol.marketType = '2';
        m_frame = new wxFrame(nullptr, wxID_ANY, "depth");
    }
    ~PriceReportPaneTest() override { m_frame->Destroy(); }

    // A connection that answers each query with the next id, or refuses
    // while `m_connected` is false.
    std::unique_ptr<PriceReportPane> MakePane()
    {
        auto query = [this](int symbolId) {
            m_queries.push_back(symbolId);
            return m_connected ? m_nextId++ : -1;
        };
        return std::make_unique<PriceReportPane>(&m_db, nullptr, m_frame, m_symbol, query, &m_registry);
    }
    void Tick(PriceReportPane& pane)
    {
        wxTimer timer;
        wxTimerEvent tick(timer);
        pane.OnRetryTimer(tick);
    }
    void Advance(long ms)
    {
        m_now += wxTimeSpan::Milliseconds(ms);
        m_registry.CheckTimeOut(m_now);
    }

    RecordStore m_db;
    symbol_Info m_symbol;
    wxFrame* m_frame;
    wxDateTime m_now = wxDateTime(1, wxDateTime::Jan, 2026, 9, 0, 0);
    RequestNotify m_registry;
    std::vector<int> m_queries;
    bool m_connected = true;
    int m_nextId = 40;
};

} // namespace

TEST_F(PriceReportPaneTest, TheFirstQueryGoesOnlyWhenTheSymbolHasNoLevelsAndATickWhileWaitingSendsNothing)
{
    // Levels already stored: no query, and the first tick stops the retries.
    m_db.m_trade_priceLevel_table->Insert(SomeLevels(201));
    {
        auto pane = MakePane();
        EXPECT_TRUE(m_queries.empty());
        EXPECT_TRUE(pane->IsRetrying());
        Tick(*pane);
        EXPECT_FALSE(pane->IsRetrying());
        EXPECT_TRUE(m_queries.empty());
    }
    m_db.m_trade_priceLevel_table->Remove(m_db.m_trade_priceLevel_table->GetIndexByPrimary().find(201));

    // No levels: the query goes at once and the pane waits for its answer.
    auto pane = MakePane();
    ASSERT_EQ(m_queries, std::vector<int>{201});
    EXPECT_TRUE(pane->IsWaiting());
    EXPECT_EQ(pane->GetRequestId(), 40);
    EXPECT_TRUE(m_registry.IsWaiting(40));
    // A tick while the answer is on its way sends nothing more.
    Tick(*pane);
    EXPECT_EQ(m_queries.size(), 1u);
    EXPECT_FALSE(pane->IsRetrying());
}

TEST_F(PriceReportPaneTest, WithoutAConnectionItRetriesEachTickUntilAQueryLeaves)
{
    m_connected = false;
    auto pane = MakePane();
    EXPECT_EQ(m_queries.size(), 1u);
    EXPECT_FALSE(pane->IsWaiting());
    Tick(*pane);
    Tick(*pane);
    EXPECT_EQ(m_queries.size(), 3u);
    EXPECT_TRUE(pane->IsRetrying());
    m_connected = true;
    Tick(*pane);
    EXPECT_EQ(m_queries.size(), 4u);
    EXPECT_TRUE(pane->IsWaiting());
    EXPECT_FALSE(pane->IsRetrying());
}

TEST_F(PriceReportPaneTest, AnErrorAnswerEndsTheWaitQuietlyAndATimeOutAsksOnceMore)
{
    auto pane = MakePane();
    ASSERT_TRUE(pane->IsWaiting());

    // Another id's answer does not end the wait.
    m_registry.NotifyResponse(99, 0, wxString());
    EXPECT_TRUE(pane->IsWaiting());
    m_registry.NotifyResponse(40, 7, "refused");
    EXPECT_FALSE(pane->IsWaiting());
    EXPECT_EQ(m_queries.size(), 1u);

    // A fresh pane whose answer never comes: one more query at the time-out.
    pane.reset();
    m_queries.clear();
    pane = MakePane();
    ASSERT_EQ(pane->GetRequestId(), 41);
    Advance(PriceReportPane::kTimeoutMs - 1);
    EXPECT_EQ(m_queries.size(), 1u);
    Advance(1);
    EXPECT_EQ(m_queries.size(), 2u);
    EXPECT_EQ(pane->GetRequestId(), 42);
    EXPECT_TRUE(m_registry.IsWaiting(42));

    // A pane that goes withdraws its wait.
    pane.reset();
    EXPECT_EQ(m_registry.GetCount(), 0u);
}

TEST_F(PriceReportPaneTest, TheGridShowsTheLevelsOnceTheyArriveAndTheHeaderIsHidden)
{
    auto pane = MakePane();
    PriceReportModel* model = pane->GetModel();
    wxVariant value;
    model->GetValueByRow(value, 0, 1);
    EXPECT_EQ(value.GetString(), "");
    m_db.m_trade_priceLevel_table->Insert(SomeLevels(201));
    model->GetValueByRow(value, 0, 1);
    EXPECT_EQ(value.GetString(), "100.00%");
    EXPECT_TRUE(pane->GetList()->HasFlag(wxDV_NO_HEADER));
    EXPECT_EQ(pane->GetList()->GetColumnCount(), 4u);
    EXPECT_EQ(pane->GetList()->GetColumn(0)->GetTitle(), "C1");
    pane->SetColours(*wxBLACK, *wxWHITE);
    EXPECT_EQ(pane->GetList()->GetBackgroundColour(), *wxBLACK);
    EXPECT_EQ(pane->GetForegroundColour(), *wxWHITE);
    // The test's own registry: nothing is left behind in it.
    m_registry.NotifyResponse(40, 0, wxString());
    EXPECT_EQ(m_registry.GetCount(), 0u);
}
