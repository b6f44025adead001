// The sales report page on the logged-in test bed: the "Sales_report"
// command opens it in the centre notebook, and a search loads simmarketd's
// report of the same history its report queries serve.
#include "TestBed.h"
#include "charts/ChartViewerPanel.h"
#include "connection/Client.h"
#include "db/RecordStore.h"
#include "frame/TessrinPlugin.h"
#include "history/SalesReportPanel.h"

#include <cmath>
#include <connection/Client.h>
#include <cstring>
#include <fstream>
#include <pelmora/BitmapLoader.h>
#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <platform/WebPage.h>
#include <set>
#include <tradeapi/FFixMoney.h>
#include <tradeapi/FFixOrder.h>
#include <wx/app.h>
#include <wx/aui/auibar.h>
#include <wx/uri.h>
#include <wx/webview.h>
#include <wx/xrc/xmlres.h>

using namespace std::chrono_literals;
using Json = nlohmann::json;

namespace {

template <std::size_t N> void SetText(char (&field)[N], const char* text)
{
    std::snprintf(field, N, "%s", text);
}

class SalesReportTest : public ::testing::Test
{
protected:
    Notebook& Centre() { return *bed.Host().Manager().GetCentreBook(); }

    // As the host sends a tool or menu command: to the application object.
    SalesReportPanel* Command()
    {
        const size_t before = Centre().GetPageCount();
        wxCommandEvent command(wxEVT_MENU, wxXmlResource::GetXRCID("Sales_report"));
        wxTheApp->ProcessEvent(command);
        if(Centre().GetPageCount() != before + 1) {
            return nullptr;
        }
        return dynamic_cast<SalesReportPanel*>(Centre().GetPage(before));
    }

    // The state's entries of one list, for one account, whose member
    // differs from every code known before.
    static Json NewEntry(const Json& list, const std::set<std::string>& known, const char* key)
    {
        for(const auto& entry : list) {
            if(entry.at("account") == 11 && !known.count(entry.at(key).dump())) {
                return entry;
            }
        }
        return Json();
    }
    static std::set<std::string> Known(const Json& list, const char* key)
    {
        std::set<std::string> known;
        for(const auto& entry : list) {
            known.insert(entry.at(key).dump());
        }
        return known;
    }

    // A market buy of AG on account 11, closed again at once.
    ::testing::AssertionResult CloseABill()
    {
        const auto holdsBefore = Known(bed.Market().State()["holds"], "code");
        sFFixSetOrder open{};
        open.accountKey = 11;
        open.side = 'b';
        open.quantity = 1;
        open.orderType = '1';
        open.symbolId = 101;
        if(bed.GetClient()->ReqSetOrder(&open) == -1) {
            return ::testing::AssertionFailure() << "open not sent";
        }
        Json hold;
        if(!PumpUntil([&] {
               return !(hold = NewEntry(bed.Market().State()["holds"], holdsBefore, "code")).is_null();
           })) {
            return ::testing::AssertionFailure() << "no hold bill";
        }
        sFFixSetOrder close{};
        close.accountKey = 11;
        close.side = 's';
        close.quantity = 1;
        close.orderType = '2';
        close.symbolId = 101;
        SetText(close.closeOrderCode, hold["code"].get<std::string>().c_str());
        if(bed.GetClient()->ReqSetOrder(&close) == -1) {
            return ::testing::AssertionFailure() << "close not sent";
        }
        const std::string code = hold["code"];
        if(!PumpUntil([&] {
               const Json bills = bed.Market().State()["closeBills"];
               for(const auto& bill : bills) {
                   if(bill["codeRe"] == code) {
                       return true;
                   }
               }
               return false;
           })) {
            return ::testing::AssertionFailure() << "no closed bill";
        }
        return ::testing::AssertionSuccess();
    }

    // A deposit of 1000 on account 11, passed by the bank.
    ::testing::AssertionResult Deposit()
    {
        const auto movesBefore = Known(bed.Market().State()["moneyMoves"], "id");
        sFFixReqInOutMoney deposit{};
        deposit.accountKey = 11;
        deposit.amount = 1000;
        deposit.direction = '1';
        SetText(deposit.moneyPassword, "666666");
        SetText(deposit.bankPassword, "135790");
        if(!bed.GetClient() || bed.GetClient()->ReqInOutMoney(&deposit) == -1) {
            return ::testing::AssertionFailure() << "deposit not sent";
        }
        Json move;
        if(!PumpUntil([&] {
               return !(move = NewEntry(bed.Market().State()["moneyMoves"], movesBefore, "id")).is_null();
           })) {
            return ::testing::AssertionFailure() << "no money movement";
        }
        const std::string id = std::to_string(move["id"].get<int>());
        if(bed.Market().Post("/admin/inout?id=" + id + "&state=3") != 200) {
            return ::testing::AssertionFailure() << "not passed";
        }
        return ::testing::AssertionSuccess();
    }

    // The user_report requests in the market's log.
    std::vector<Json> ReportRequests()
    {
        std::vector<Json> requests;
        const Json log = bed.Market().State().at("requests");
        for(const auto& entry : log) {
            if(entry.value("kind", "") == "http" &&
               entry.value("route", "") == "/tolvekquery/report_client/user_report") {
                requests.push_back(entry);
            }
        }
        return requests;
    }
    static Json BizData(const Json& request)
    {
        const std::string query = request.value("query", "");
        const auto at = query.find("bizData=");
        if(at == std::string::npos) {
            return Json();
        }
        return Json::parse(wxURI::Unescape(wxString::FromUTF8(query.substr(at + 8))).utf8_string(), nullptr,
                           false);
    }

    // Presses Search as the user does; the page then loads after its timer.
    static void PressSearch(SalesReportPanel* page)
    {
        wxCommandEvent click(wxEVT_BUTTON, page->GetSearchButton()->GetId());
        click.SetEventObject(page->GetSearchButton());
        page->GetSearchButton()->GetEventHandler()->ProcessEvent(click);
    }
    // The timer has fired and the web view has loaded what it was given.
    static bool Shown(SalesReportPanel* page)
    {
        return PumpUntil([&] { return !page->IsShowPending() && page->GetWebPage()->IsLoaded(); }, 15s);
    }
    static wxString Script(SalesReportPanel* page, const wxString& script)
    {
        wxString out;
        if(!page->GetWebPage()->Evaluate(script, &out)) {
            return "(script failed)";
        }
        return out;
    }

    TestBed bed;
};

// Account 11's close profit of the day, from the market's closed bills.
std::string DayProfit(const Json& state)
{
    const long long from = wxDateTime::Today().GetValue().GetValue();
    const long long to = from + 24LL * 3600 * 1000 - 1;
    double profit = 0;
    for(const auto& bill : state.at("closeBills")) {
        const long long closed = bill.at("closeTimeMs").get<long long>();
        if(bill.at("account") == 11 && closed >= from && closed <= to) {
            profit += bill.at("profit").get<double>();
        }
    }
    return wxString::Format("%.2f", profit).utf8_string();
}

} // namespace

TEST_F(SalesReportTest, TheCommandOpensAPageThatShowsTheMarketsReport)
{
    ASSERT_TRUE(bed.Start());
    ASSERT_TRUE(CloseABill());
    ASSERT_TRUE(Deposit());

    // The command adds a page, selected, with the report image; another selects it.
    SalesReportPanel* page = Command();
    ASSERT_NE(page, nullptr);
    Centre().SetSelection(0);
    EXPECT_EQ(Command(), nullptr) << "no second page";
    const wxImage expected =
        bed.Host().Manager().GetImageLoader()->LoadBitmap("output-pane/16/Sales_report").ConvertToImage();
    for(SalesReportPanel* p : {page}) {
        const int index = Centre().GetPageIndex(p);
        EXPECT_EQ(Centre().GetPageText(index), "salesReportPanel");
        const wxImage shown = Centre().GetPageBitmap(index).ConvertToImage();
        ASSERT_TRUE(shown.IsOk());
        if(expected.GetSize() == shown.GetSize()) {
            EXPECT_EQ(0, std::memcmp(shown.GetData(), expected.GetData(),
                                     static_cast<size_t>(shown.GetWidth() * shown.GetHeight() * 3)));
        }
    }
    EXPECT_EQ(Centre().GetSelection(), Centre().GetPageIndex(page));

    // The choices: one report server, "All Market" then the accounts' markets.
    EXPECT_EQ(page->GetServerChoice()->GetCount(), 1u);
    EXPECT_EQ(page->GetServerChoice()->GetString(0), "salesReportSevr1");
    ASSERT_EQ(page->GetMarketChoice()->GetCount(), 5u);
    EXPECT_EQ(page->GetMarketChoice()->GetString(0), "All Market");
    EXPECT_EQ(page->GetMarketChoice()->GetString(1), wxString::FromUTF8("现货一部"));

    // Today's range with "All Market".
    wxDateTime now = wxDateTime::Now();
    page->SetClock([&] { return now; });
    page->GetStartDate()->SetValue(wxDateTime::Today());
    PressSearch(page);
    EXPECT_FALSE(page->GetSearchButton()->IsEnabled());
    EXPECT_TRUE(page->IsShowPending());
    ASSERT_TRUE(Shown(page));
    EXPECT_TRUE(page->GetSearchButton()->IsEnabled());
    EXPECT_TRUE(page->GetWebView()->GetCurrentURL().Contains("user_report"))
        << page->GetWebView()->GetCurrentURL();

    std::vector<Json> requests = ReportRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0]["path"], "//tolvekquery/report_client/user_report");
    EXPECT_EQ(requests[0]["status"], 200);
    const Json all = BizData(requests[0]);
    ASSERT_TRUE(all.is_object()) << requests[0].dump();
    EXPECT_EQ(all["userId"], "1001");
    EXPECT_FALSE(all.contains("accId"));
    ASSERT_EQ(all["parames"].size(), 2u);
    EXPECT_EQ(all["parames"][0]["key"], "isHistory");
    EXPECT_EQ(all["parames"][1]["key"], "tradingday");
    const std::string today = wxDateTime::Today().Format("%Y-%m-%d").utf8_string();
    EXPECT_EQ(all["parames"][1]["value"], "(\"" + today + " 00:00:00\",\"" + today + " 23:59:59\")");

    // The page's figure is the day's closed bills of account 11 at the market.
    const std::string profit = DayProfit(bed.Market().State());
    EXPECT_EQ(Script(page, "document.getElementById('profit-11').textContent"), profit);
    EXPECT_NE(Script(page, "document.getElementById('deposit-11').textContent"), "0.00");
    EXPECT_EQ(Script(page, "document.getElementById('bills-11').textContent"), "1");

    // One market chosen: its first account and market id go along.
    page->GetMarketChoice()->SetSelection(1);
    now += wxTimeSpan::Seconds(5);
    PressSearch(page);
    ASSERT_TRUE(Shown(page));
    requests = ReportRequests();
    ASSERT_EQ(requests.size(), 2u);
    const Json market = BizData(requests[1]);
    EXPECT_EQ(market["userId"], "1001");
    EXPECT_EQ(market["accId"], "11");
    EXPECT_EQ(market["tradeMarketId"], "1");
    EXPECT_EQ(Script(page, "document.querySelectorAll('section').length"), "1");

    // Again within the same second: refused, nothing sent.
    const std::size_t dialogs = bed.Dialogs().Seen().size();
    PressSearch(page);
    ASSERT_EQ(bed.Dialogs().Seen().size(), dialogs + 1);
    EXPECT_EQ(bed.Dialogs().Seen().back().message,
              "the operation of search is frequent,please wait a while!");
    EXPECT_EQ(bed.Dialogs().Seen().back().title, "NOTICE");
    EXPECT_FALSE(page->IsShowPending());
    EXPECT_TRUE(page->GetSearchButton()->IsEnabled());
    PumpFor(700ms); // past the show delay: a search would have gone out by now
    EXPECT_EQ(ReportRequests().size(), 2u);

    // A start after the end: said, and nothing sent.
    page->GetStartDate()->SetValue(wxDateTime::Today() + wxDateSpan::Days(2));
    now += wxTimeSpan::Seconds(5);
    PressSearch(page);
    EXPECT_EQ(bed.Dialogs().Seen().back().message, "time range error!");
    EXPECT_TRUE(page->GetSearchButton()->IsEnabled());
    EXPECT_FALSE(page->IsShowPending());
}

TEST_F(SalesReportTest, WithoutAReportServerNothingLeavesAndALocalPageShows)
{
    {
        Json servers = Json::parse(std::ifstream(bed.ConfigFile().utf8_string()))["server"];
        servers[0]["reporthistory"] = Json::array();
        bed.SetConfigValue("server", servers);
    }
    ASSERT_TRUE(bed.Start());
    SalesReportPanel* page = Command();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetServerChoice()->GetCount(), 0u);
    PressSearch(page);
    ASSERT_TRUE(Shown(page));
    EXPECT_TRUE(page->GetUrl().empty());
    EXPECT_NE(Script(page, "document.getElementById('no-server').textContent"), "");
    EXPECT_TRUE(page->GetSearchButton()->IsEnabled());
    EXPECT_TRUE(ReportRequests().empty());
}

TEST_F(SalesReportTest, UnloadingWithReportPagesOpenIsSafe)
{
    ASSERT_TRUE(bed.Start());
    SalesReportPanel* first = Command();
    ASSERT_NE(first, nullptr);
    // One still waiting for its timer when the plug-in goes.
    first->SetClock([] { return wxDateTime::Now(); });
    PressSearch(first);
    EXPECT_TRUE(first->IsShowPending());
    bed.Unload();
    EXPECT_FALSE(bed.IsLoaded());
    ASSERT_TRUE(bed.Load());
    ASSERT_TRUE(bed.Login());
    EXPECT_NE(Command(), nullptr);
}

TEST_F(SalesReportTest, AReportPageInFrontDisablesTheChartAndOrderTools)
{
    ASSERT_TRUE(bed.Start());
    const auto& symbols = bed.Store().m_symbol_Info_table->GetIndexByPrimary();
    const auto ag = symbols.find(101);
    ASSERT_NE(ag, symbols.end());
    bed.Plugin().ShowChartWindow(*ag, true);
    ChartViewerPanel* chart = bed.Plugin().GetChartInFront();
    ASSERT_NE(chart, nullptr);
    wxAuiToolBar& tools = *bed.Plugin().GetToolBar();
    const auto enabled = [&](const char* tool) {
        return tools.GetToolEnabled(wxXmlResource::GetXRCID(tool));
    };
    const std::vector<const char*> followers = {"chart_candlestick", "chart_holc",    "chart_m1",
                                                "chart_d1",          "new_buy_order", "new_sell_order"};
    // As a click on a tab: the page-change events go out.
    Centre().SetSelection(static_cast<size_t>(Centre().GetPageIndex(chart)));
    for(const char* tool : followers) {
        EXPECT_TRUE(enabled(tool)) << tool;
    }

    SalesReportPanel* page = Command();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Centre().GetSelection(), Centre().GetPageIndex(page));
    for(const char* tool : followers) {
        EXPECT_FALSE(enabled(tool)) << tool << " with the report in front";
    }

    Centre().SetSelection(static_cast<size_t>(Centre().GetPageIndex(chart)));
    EXPECT_TRUE(enabled("chart_m1"));
    Centre().SetSelection(static_cast<size_t>(Centre().GetPageIndex(page)));
    for(const char* tool : followers) {
        EXPECT_FALSE(enabled(tool)) << tool << " back on the report";
    }
}
