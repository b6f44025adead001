// The side book of chart pages on the logged-in test bed: an aggregate
// symbol's depth of market follows the market's price levels, other symbols
// have no side pane.
#include "DrawnContrast.h"
#include "ScreenshotSaver.h"
#include "TestBed.h"

#include <charts/CharViewPanelMgr.h>
#include <charts/ChartViewerPanel.h>
#include <common/SettingsAccessors.h>
#include <cstdio>
#include <db/DateTimeText.h>
#include <db/NumberFormat.h>
#include <db/RecordStore.h>
#include <db/trade_Contract.h>
#include <frame/TessrinPlugin.h>
#include <orders/BinaryOpQuickOrderConfirm.h>
#include <orders/MinTradeConfm.h>
#include <orders/MinTradeOrderPanel.h>
#include <panes/PriceReportPane.h>
#include <platform/WebPage.h>
#include <set>
#include <string>
#include <wx/dialog.h>
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

namespace {

constexpr int kEur = 401;

wxString Evaluate(WebPage& page, const wxString& script)
{
    wxString output;
    EXPECT_TRUE(page.Evaluate(script, &output)) << script;
    return output;
}

wxString PageText(WebPage& page, const char* id)
{
    return Evaluate(page, wxString::Format("document.getElementById('%s').textContent", id));
}

// Orders the page as the trader would: amount, period, then a click.
void ClickOrder(WebPage& page, const wxString& amount, const wxString& seconds, const char* button)
{
    Evaluate(page, "document.getElementById('amount').value = " + WebPage::QuoteScriptText(amount) +
                       "; document.getElementById('period').value = " + WebPage::QuoteScriptText(seconds) +
                       "; setTimeout(function () { document.getElementById('" + button +
                       "').click(); }, 0); 'clicked'");
}

std::vector<nlohmann::json> BinaryOrders(SimProcess& market)
{
    std::vector<nlohmann::json> orders;
    const nlohmann::json state = market.State(); // outlives the loop
    for(const auto& order : state.at("binaryOrders")) {
        orders.push_back(order);
    }
    return orders;
}

MinTradeConfm* FindNotice()
{
    for(wxWindow* window : wxTopLevelWindows) {
        if(auto* notice = dynamic_cast<MinTradeConfm*>(window); notice && !window->IsBeingDeleted()) {
            return notice;
        }
    }
    return nullptr;
}

} // namespace

TEST(ChartSidePanes, TheBinaryQuickOrderPageOrdersThroughTheProgramWithItsChecksAndNotices)
{
    TestBed bed;
    ASSERT_TRUE(bed.Start());
    SimProcess& market = bed.Market();
    ASSERT_EQ(market.Post("/admin/walk?rate=0"), 200);
    bed.Plugin().ShowChartWindow(Symbol(bed.Store(), kEur), true);
    ChartViewerPanel* eur = bed.Plugin().GetChartViewMgr()->FindPanel("EURUSD");
    ASSERT_NE(eur, nullptr);
    MinTradeOrderPanel* panel = eur->GetMinTradePanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(eur->GetPriceReportPane(), nullptr);
    WebPage* page = panel->GetPage();
    ASSERT_NE(page, nullptr);

    // The page is filled once it has loaded: symbol, price, clock, periods.
    ASSERT_TRUE(PumpUntil([&] { return page->IsLoaded() && PageText(*page, "code") == "EURUSD"; }, 15s));
    EXPECT_EQ(PageText(*page, "name"), "Euro");
    ASSERT_TRUE(PumpUntil([&] { return !PageText(*page, "price").empty(); }, 5s));
    ASSERT_TRUE(PumpUntil([&] { return !PageText(*page, "clock").empty(); }, 5s));
    ASSERT_TRUE(PumpUntil([&] { return Evaluate(*page, "lists.seconds.join('|')") == "60|300"; }, 5s));
    EXPECT_EQ(Evaluate(*page, "lists.periods.length"), "2");
    EXPECT_TRUE(SaveWindowScreenshot(&bed.Host().Frame(), "chart_binary_order.png"));
    // At the default size Amount, Up and Down are on the pane, and the
    // buttons' words read at 4.5:1.
    EXPECT_EQ(Evaluate(*page, "['amount', 'up', 'down'].every(function(id) { return document."
                              "getElementById(id).getBoundingClientRect().bottom <= window.innerHeight; })"),
              "true");
    for(const char* id : {"up", "down"}) {
        int c[6] = {};
        const wxString css =
            Evaluate(*page, wxString::Format("var s = getComputedStyle(document.getElementById("
                                             "'%s')); s.color + s.backgroundColor",
                                             id));
        ASSERT_EQ(std::sscanf(css.utf8_str(), "rgb(%d, %d, %d)rgb(%d, %d, %d)", c, c + 1, c + 2, c + 3, c + 4,
                              c + 5),
                  6)
            << css;
        EXPECT_GE(Contrast(wxColour(c[0], c[1], c[2]), wxColour(c[3], c[4], c[5])), 4.5) << id;
    }

    // Up 100 for 60 s: confirmed with the charge apart, then placed.
    SetBinOpOrderSucessPrompt(true);
    std::vector<wxString> confirmed;
    bed.Dialogs().Answer(
        [&](wxDialog& dialog) {
            auto& confirm = static_cast<BinaryOpQuickOrderConfirm&>(dialog);
            for(int row = 0; row < 5; ++row) {
                confirmed.push_back(confirm.GetText(row));
            }
            return wxID_OK;
        },
        [](wxDialog& dialog) { return dynamic_cast<BinaryOpQuickOrderConfirm*>(&dialog) != nullptr; });
    const size_t before = BinaryOrders(market).size();
    std::set<std::string> codesBefore;
    for(const nlohmann::json& order : BinaryOrders(market)) {
        codesBefore.insert(order.at("code").get<std::string>());
    }
    ClickOrder(*page, "100", "60", "up");
    ASSERT_TRUE(PumpUntil([&] { return BinaryOrders(market).size() == before + 1; }, 10s)) << [&] {
        std::string seen = market.State().at("binaryOrders").dump() + std::to_string(before) + "\n";
        for(const auto& record : bed.Dialogs().Seen()) {
            seen += (record.className + " " + record.title + " " + record.message + "\n").utf8_string();
        }
        return seen;
    }();
    ASSERT_EQ(confirmed.size(), 5u);
    EXPECT_EQ(confirmed[0], "Euro");
    EXPECT_EQ(confirmed[2], "98");
    EXPECT_EQ(confirmed[3], "Buy Up");
    EXPECT_EQ(confirmed[4], "2");
    nlohmann::json placed;
    for(const nlohmann::json& order : BinaryOrders(market)) {
        if(codesBefore.count(order.at("code").get<std::string>()) == 0) {
            placed = order;
        }
    }
    ASSERT_FALSE(placed.is_null());
    EXPECT_EQ(placed.at("contract").get<int>(), 9001);
    EXPECT_EQ(placed.at("amount").get<double>(), 100.0);
    EXPECT_EQ(placed.at("side").get<std::string>(), "b");

    // The success notice; its "do not show again" turns the setting off.
    ASSERT_TRUE(PumpUntil([&] { return FindNotice() != nullptr; }, 10s));
    MinTradeConfm* notice = FindNotice();
    ASSERT_TRUE(PumpUntil([&] { return notice->GetPage()->IsLoaded(); }, 10s));
    // The notice goes while the script's result is on its way: its result is not waited for.
    notice->GetPage()->Evaluate(
        "document.getElementById('never').checked = true;"
        "setTimeout(function () { document.getElementById('close').click(); }, 0); 'ok'");
    ASSERT_TRUE(PumpUntil([&] { return FindNotice() == nullptr; }, 10s));
    EXPECT_FALSE(IsBinOpOrderSucessPrompt());

    // Refusals: a box with "showErrMsgBox" on, the page's line with it off.
    bed.SetConfigValue("showErrMsgBox", true);
    const size_t boxes = bed.Dialogs().Seen().size();
    ClickOrder(*page, "5", "60", "up");
    ASSERT_TRUE(PumpUntil([&] { return bed.Dialogs().Seen().size() > boxes; }, 10s))
        << PageText(*page, "message") << " " << bed.Dialogs().Seen().back().className;
    EXPECT_NE(bed.Dialogs().Seen().back().message.Find("Invalid invest amount"), wxNOT_FOUND);
    bed.SetConfigValue("showErrMsgBox", false);
    ClickOrder(*page, "5", "60", "down");
    ASSERT_TRUE(PumpUntil([&] { return PageText(*page, "message").Contains("Invalid invest amount"); }, 10s));

    ASSERT_EQ(market.Post("/admin/contract?no=9001&state=3"), 200);
    // A closed contract leaves the client's table.
    ASSERT_TRUE(PumpUntil(
        [&] {
            for(const trade_Contract& c : bed.Store().m_trade_Contract_table->GetContainer()) {
                if(c.contractId == 9001) {
                    return false;
                }
            }
            return true;
        },
        10s));
    // The page lists 60 s no more: its request is made by hand.
    Evaluate(*page, "setTimeout(function () { window.open(orderUrl + "
                    "'?direction=b&invest=100&timelimit=60'); }, 0); 'sent'");
    ASSERT_TRUE(PumpUntil([&] { return PageText(*page, "message").Contains("Invalid Contract"); }, 10s));

    // Market data down: the price is grey and slanted with "(stale)", and
    // the clock stands at its time while the server's goes on.
    ASSERT_EQ(market.Post("/admin/front?name=md&action=refuse"), 200);
    ASSERT_EQ(market.Post("/admin/front?name=md&action=drop"), 200);
    ASSERT_TRUE(PumpUntil([&] { return PageText(*page, "price").EndsWith(" (stale)"); }, 10s));
    EXPECT_EQ(
        Evaluate(*page, "var s = getComputedStyle(document.getElementById('price')); s.color + s.fontStyle"),
        "rgb(128, 128, 128)italic");
    const auto& clock = bed.Store().m_server_time_table->GetIndexByPrimary();
    const wxDateTime server = clock.begin()->serverTime;
    ASSERT_TRUE(PumpUntil([&] { return clock.begin()->serverTime != server; }, 5s));
    EXPECT_EQ(PageText(*page, "clock"),
              FormatDateTime(bed.Store().m_symbol_price_table->GetIndexByPrimary().find(kEur)->quoteTime));
    ASSERT_EQ(market.Post("/admin/front?name=md&action=accept"), 200);
    ASSERT_TRUE(PumpUntil([&] { return !PageText(*page, "price").Contains("stale"); }, 30s));

    // A swallowed answer times out.
    ASSERT_EQ(market.Post("/admin/answer?code=1009&mode=swallow"), 200);
    bed.Dialogs().AnswerWith(wxID_OK, [](wxDialog& dialog) {
        return dynamic_cast<BinaryOpQuickOrderConfirm*>(&dialog) != nullptr;
    });
    ClickOrder(*page, "100", "300", "down");
    ASSERT_TRUE(PumpUntil([&] { return panel->IsWaitting(); }, 10s));
    ASSERT_TRUE(PumpUntil([&] { return PageText(*page, "message").Contains("No answer yet"); }, 20s));
    EXPECT_TRUE(panel->IsUnsettled());

    // A notice still open goes with the plug-in.
    (new MinTradeConfm())->Show();
    ASSERT_NE(FindNotice(), nullptr);
    bed.Unload();
    EXPECT_TRUE(PumpUntil([&] { return FindNotice() == nullptr; }, 5s));
}

TEST(ChartSidePanes, ASymbolNameWithAQuoteAndABackslashShowsUnchangedInThePage)
{
    TestBed bed;
    ASSERT_TRUE(bed.Start());
    bed.Plugin().ShowChartWindow(Symbol(bed.Store(), kEur), true);
    ChartViewerPanel* eur = bed.Plugin().GetChartViewMgr()->FindPanel("EURUSD");
    ASSERT_TRUE(eur && eur->GetMinTradePanel());
    MinTradeOrderPanel* panel = eur->GetMinTradePanel();
    WebPage* page = panel->GetPage();
    ASSERT_TRUE(PumpUntil([&] { return page->IsLoaded() && PageText(*page, "code") == "EURUSD"; }, 15s));
    const wxString odd = wxString::FromUTF8("Eu\"ro\\'\u2028x,y");
    panel->SetSymbolName(odd);
    ASSERT_TRUE(PumpUntil([&] { return PageText(*page, "name") == odd; }, 5s)) << PageText(*page, "name");
}
