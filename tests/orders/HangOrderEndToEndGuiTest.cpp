// The hang orders of the demo's market-'3' symbol on the logged-in test bed:
// the page the chart command opens, an order entered in the dialog, kept in
// the user's file over a restart, the page remembered at unload, and nothing
// sent to the market.
#include "EventPump.h"
#include "HangOrderTestSupport.h"
#include "TestBed.h"
#include "charts/CharViewPanelMgr.h"
#include "charts/ChartViewerPanel.h"
#include "frame/TessrinPlugin.h"
#include "orders/HangOrderEntry.h"
#include "orders/HangOrderFactory.h"
#include "orders/HangOrderPane.h"

#include <gmock/gmock.h>
#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <wx/panel.h>

namespace {

constexpr int kOil = 301; // "OIL", "Crude Oil", market type '3'

// The centre pages that are hang-order pages, by caption.
std::vector<std::pair<wxString, wxString>> HangPages(Notebook& centre)
{
    std::vector<std::pair<wxString, wxString>> pages;
    for(size_t i = 0; i < centre.GetPageCount(); ++i) {
        if(const auto* pane = dynamic_cast<const HangOrderPane*>(centre.GetPage(i))) {
            pages.emplace_back(pane->GetCaption(), centre.GetPageText(i));
        }
    }
    return pages;
}

HangOrderPane* HangPage(Notebook& centre, const wxString& caption)
{
    for(size_t i = 0; i < centre.GetPageCount(); ++i) {
        auto* pane = dynamic_cast<HangOrderPane*>(centre.GetPage(i));
        if(pane && pane->GetCaption() == caption) {
            return pane;
        }
    }
    return nullptr;
}

// The first login opens the chart of the smallest symbol: closed, so that the
// hang-order pages are the only symbol pages the unload remembers.
void CloseLoginChart(TestBed& bed)
{
    CharViewPanelMgr* charts = bed.Plugin().GetChartViewMgr();
    ASSERT_NE(charts, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return !charts->GetChartViewPanels().empty(); }, std::chrono::seconds(10)));
    Notebook* centre = bed.Host().Manager().GetCentreBook();
    for(ChartViewerPanel* page : charts->GetChartViewPanels()) {
        charts->RemovePanel(page);
        centre->DeletePage(static_cast<size_t>(centre->GetPageIndex(page)));
    }
}

std::size_t CountRequests(const nlohmann::json& state, const std::string& request)
{
    std::size_t count = 0;
    for(const auto& entry : state.at("requests")) {
        count += entry.value("request", "") == request ? 1 : 0;
    }
    return count;
}

TEST(HangOrderFlow, APageForOilAnOrderKeptOverARestartAndNothingSentToTheMarket)
{
    TestBed bed;
    ASSERT_TRUE(bed.Start());
    CloseLoginChart(bed);
    Notebook& centre = *bed.Host().Manager().GetCentreBook();
    const std::size_t pages = centre.GetPageCount();

    bed.Plugin().ShowChartWindow(SymbolOf(bed.Store(), kOil), true);
    ASSERT_EQ(centre.GetPageCount(), pages + 1);
    EXPECT_THAT(HangPages(centre),
                ::testing::ElementsAre(std::make_pair(wxString("OIL"), wxString("Crude Oil"))));
    HangOrderPane* oil = HangPage(centre, "OIL");
    ASSERT_NE(oil, nullptr);
    EXPECT_EQ(centre.GetPage(centre.GetSelection()), oil);

    // Another page in front; the command again selects the page, adds none.
    auto* other = new wxPanel(&centre);
    centre.AddPage(other, "other", true);
    bed.Plugin().ShowChartWindow(SymbolOf(bed.Store(), kOil), true);
    EXPECT_EQ(centre.GetPageCount(), pages + 2);
    EXPECT_EQ(centre.GetPage(centre.GetSelection()), oil);

    const nlohmann::json before = bed.Market().State();
    const int64_t lastSeq = before.at("requestsLastSeq").get<int64_t>();
    const std::size_t rowsBefore = oil->GetModel()->GetCount();

    {
        // Entered as the quote board opens the dialog for a buy of the
        // symbol, and gone when ShowModal returns, as with every opener.
        HandOrderDlg dialog(nullptr, &bed.Store());
        dialog.SetSide('b');
        dialog.SetSymbolName("Crude Oil");
        ASSERT_EQ(RunModal(dialog,
                           [](HandOrderDlg& d) {
                               d.GetTextCtrlPrice()->ChangeValue("73.25");
                               d.GetComboBoxQty()->ChangeValue("5");
                               d.GetComboBoxMinQty()->ChangeValue("2");
                               d.GetTextCtrlEffectiveDay()->ChangeValue("2026-12-31");
                               PressOk(d);
                           }),
                  wxID_OK);
    }
    ASSERT_EQ(oil->GetModel()->GetCount(), rowsBefore + 1);
    const HangOrder entered = *oil->GetModel()->GetRecordAt(static_cast<unsigned int>(rowsBefore));
    EXPECT_EQ(entered.symbolName, "Crude Oil");
    EXPECT_EQ(entered.bsCode, "Buy");
    EXPECT_EQ(entered.storeName,
              wxString::FromUTF8("\u534e\u5317\u4e00\u53f7\u5e93")); // the demo's first warehouse
    EXPECT_DOUBLE_EQ(entered.priceOrder, 73.25);
    EXPECT_DOUBLE_EQ(entered.quantityOrder, 5.0);

    const wxString file = bed.UserDataDir() + "/config/storeorder.con";
    auto fileHolds = [&file](const wxString& code) {
        const auto json = ReadJsonFile(file);
        if(!json.is_object() || !json.contains("HangOrder")) {
            return false;
        }
        for(const auto& item : json["HangOrder"]) {
            if(item.value("orderCode", "") == code.utf8_string()) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(fileHolds(entered.orderCode));

    // Nothing reached the market.
    std::string body;
    ASSERT_EQ(bed.Market().Get("/admin/state?logAfter=" + std::to_string(lastSeq), &body), 200);
    const nlohmann::json after = nlohmann::json::parse(body);
    EXPECT_EQ(CountRequests(after, "ReqSetOrder"), 0u);
    EXPECT_EQ(after.at("holds").size(), before.at("holds").size());
    EXPECT_EQ(after.at("limits").size(), before.at("limits").size());

    // The unload takes the hang-order page away and leaves the other page.
    bed.Host().UnloadPlugin();
    EXPECT_TRUE(HangPages(centre).empty());
    EXPECT_NE(centre.GetPageIndex(other), wxNOT_FOUND);

    // The page is remembered by its caption; the order comes back.
    ASSERT_TRUE(bed.Restart());
    EXPECT_THAT(bed.Plugin().GetPluginConfig().GetLastShowChartViews(), ::testing::ElementsAre("OIL"));
    EXPECT_TRUE(fileHolds(entered.orderCode));
    const auto reloaded = LoadHangOrders();
    EXPECT_TRUE(reloaded->Find(entered.orderCode) != reloaded->GetIndexByPrimary().end());

    Notebook& centreAgain = *bed.Host().Manager().GetCentreBook();
    bed.Plugin().ShowChartWindow(SymbolOf(bed.Store(), kOil), true);
    HangOrderPane* again = HangPage(centreAgain, "OIL");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->GetModel()->FindRow(entered.orderCode, &HangOrder::orderCode) >= 0, true);

    // Its price changed after the restart: the dialog shows what was typed.
    HandOrderDlg change(nullptr, &bed.Store());
    change.SetMode(HangOrderEntry::eHuanJia);
    change.SetHangOrder(*GetHangOrderFactory().Find(entered.orderCode));
    RunModal(change, [](HandOrderDlg& d) {
        EXPECT_EQ(d.GetTextCtrlEffectiveDay()->GetValue() + " " + d.GetComboBoxMinQty()->GetValue(),
                  "2026-12-31 2");
    });
}

TEST(HangOrderFlow, UnloadRemembersEveryHangOrderPageInPageOrderAndLeavesOtherPages)
{
    TestBed bed;
    ASSERT_TRUE(bed.Start());
    CloseLoginChart(bed);
    RecordStore& store = bed.Store();
    symbol_Property gasName;
    gasName.symbolId = 399;
    gasName.symbolCode = "GAS";
    gasName.symbolName = "Natural Gas";
    ASSERT_TRUE(store.m_symbol_Property_table->Insert(gasName).second);
    symbol_Info gas;
    gas.symbolId = 399;
    gas.marketType = '3';
    gas.symbolCode = "GAS";
    ASSERT_TRUE(store.m_symbol_Info_table->Insert(gas).second);

    Notebook& centre = *bed.Host().Manager().GetCentreBook();
    bed.Plugin().ShowChartWindow(SymbolOf(store, kOil), true);
    auto* other = new wxPanel(&centre);
    centre.AddPage(other, "other", true);
    // Added without being selected: the page in front stays.
    bed.Plugin().ShowChartWindow(SymbolOf(store, 399), false);
    EXPECT_EQ(centre.GetPage(centre.GetSelection()), other);
    EXPECT_THAT(HangPages(centre),
                ::testing::ElementsAre(std::make_pair(wxString("OIL"), wxString("Crude Oil")),
                                       std::make_pair(wxString("GAS"), wxString("Natural Gas"))));

    bed.Host().UnloadPlugin();
    EXPECT_TRUE(HangPages(centre).empty());
    EXPECT_NE(centre.GetPageIndex(other), wxNOT_FOUND);
    TessrinPluginConfig remembered;
    ASSERT_TRUE(remembered.Load());
    EXPECT_THAT(remembered.GetLastShowChartViews(), ::testing::ElementsAre("OIL", "GAS"));
}

} // namespace
