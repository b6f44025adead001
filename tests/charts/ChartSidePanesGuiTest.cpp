// The side book of chart pages on the logged-in test bed: an aggregate
// symbol's depth of market follows the market's price levels, other symbols
// have no side pane.
#include "ScreenshotSaver.h"
#include "TestBed.h"

#include <charts/CharViewPanelMgr.h>
#include <charts/ChartViewerPanel.h>
#include <db/NumberFormat.h>
#include <db/RecordStore.h>
#include <frame/TessrinPlugin.h>
#include <panes/PriceReportPane.h>
#include <string>
#include <wx/simplebook.h>

using namespace std::chrono_literals;

namespace {

constexpr int kCu = 201;

const symbol_Info& Symbol(RecordStore& store, int id)
{
    const auto& symbols = store.m_symbol_Info_table->GetIndexByPrimary();
    const auto found = symbols.find(id);
    if(found == symbols.end()) {
        throw std::runtime_error("symbol " + std::to_string(id) + " did not arrive");
    }
    return *found;
}

nlohmann::json MarketLevels(SimProcess& market, int id)
{
    const nlohmann::json state = market.State();
    if(!state.contains("priceLevels")) {
        ADD_FAILURE() << "no price levels in " << state.dump().substr(0, 300);
        return nlohmann::json();
    }
    for(const auto& levels : state.at("priceLevels")) {
        if(levels.at("symbol").get<int>() == id) {
            return levels;
        }
    }
    return nlohmann::json();
}

std::string Money(double value, bool trim = false)
{
    return FormatMoney(value, trim).utf8_string();
}

// The pane's twelve rows as the market's levels give them; empty when equal.
std::string GridDifference(PriceReportPane& pane, const nlohmann::json& levels)
{
    if(levels.is_null()) {
        return "no levels in the market";
    }
    double buy = 0, sell = 0;
    for(int i = 0; i < 5; ++i) {
        buy += levels["buyVolumes"][i].get<double>();
        sell += levels["sellVolumes"][i].get<double>();
    }
    std::vector<std::pair<unsigned, std::pair<unsigned, std::string>>> expected{
        {0, {1, Money(buy * 200 / (buy + sell) - 100) + "%"}},
        {0, {3, FormatPrice(buy - sell, 2, true).utf8_string()}}};
    for(unsigned i = 0; i < 5; ++i) {
        expected.push_back({1 + i, {1, Money(levels["sellPrices"][i].get<double>())}});
        expected.push_back({1 + i, {3, Money(levels["sellVolumes"][i].get<double>())}});
        expected.push_back({7 + i, {1, Money(levels["buyPrices"][i].get<double>())}});
        expected.push_back({7 + i, {3, Money(levels["buyVolumes"][i].get<double>())}});
    }
    for(const auto& [row, cell] : expected) {
        wxVariant value;
        pane.GetModel()->GetValueByRow(value, row, cell.first);
        if(value.GetString().utf8_string() != cell.second) {
            return "row " + std::to_string(row) + " column " + std::to_string(cell.first) + ": " +
                   value.GetString().utf8_string() + " != " + cell.second;
        }
    }
    return std::string();
}

} // namespace

TEST(ChartSidePanes, TheDepthOfCopperFollowsTheMarketAndSilverHasNoSidePane)
{
    TestBed bed;
    ASSERT_TRUE(bed.Start());
    SimProcess& market = bed.Market();
    ASSERT_EQ(market.Post("/admin/walk?rate=0"), 200);
    CharViewPanelMgr& charts = *bed.Plugin().GetChartViewMgr();
    ASSERT_TRUE(PumpUntil([&] { return charts.FindPanel("AG") != nullptr; }, 10s));
    ChartViewerPanel* ag = charts.FindPanel("AG");
    EXPECT_FALSE(ag->GetSideBook()->IsShown());
    EXPECT_EQ(ag->GetPriceReportPane(), nullptr);
    EXPECT_EQ(ag->GetSideBook()->GetPageCount(), 0u);

    bed.Plugin().ShowChartWindow(Symbol(bed.Store(), kCu), true);
    ChartViewerPanel* cu = charts.FindPanel("CU");
    ASSERT_NE(cu, nullptr);
    PriceReportPane* depth = cu->GetPriceReportPane();
    ASSERT_NE(depth, nullptr);
    EXPECT_TRUE(cu->GetSideBook()->IsShown());
    EXPECT_EQ(cu->GetSideBook()->GetCurrentPage(), depth);
    std::string difference;
    ASSERT_TRUE(PumpUntil(
        [&] {
            difference = GridDifference(*depth, MarketLevels(market, kCu));
            return difference.empty();
        },
        10s))
        << difference;
    EXPECT_TRUE(SaveWindowScreenshot(&bed.Host().Frame(), "chart_depth.png"));

    // A price move reaches the grid within a second.
    const nlohmann::json before = MarketLevels(market, kCu);
    const double moved = before["buyPrices"][0].get<double>() + 40;
    ASSERT_EQ(market.Post("/admin/price?symbol=201&price=" + std::to_string(static_cast<int>(moved))), 200);
    ASSERT_TRUE(PumpUntil([&] { return MarketLevels(market, kCu) != before; }, 5s));
    ASSERT_TRUE(PumpUntil(
        [&] {
            difference = GridDifference(*depth, MarketLevels(market, kCu));
            return difference.empty();
        },
        1s))
        << difference;
}
