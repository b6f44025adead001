// The market's sales report: its figures against the history reports it is
// rendered from, its filters and range, then the route on the HTTP facility.
#include "SalesReportService.h"

#include "AdminHttp.h"
#include "MarketState.h"
#include "ReportQuery.h"
#include "ReportService.h"
#include "ReportTestScenario.h"
#include "SimMarket.h"

#include <boost/asio.hpp>
#include <cmath>
#include <gtest/gtest.h>
#include <httplib.h>
#include <nlohmann/json.hpp>
#include <regex>
#include <thread>

using simmarket::ReportQuery;
using simmarket::ReportService;
using simmarket::SalesReportService;
using Json = nlohmann::ordered_json;

namespace {

// The query as the sales report page sends it.
Json SalesQuery(const std::string& userId, const std::string& accId = "", const std::string& marketId = "",
                const std::string& from = "2000-01-01 00:00:00",
                const std::string& to = "2099-12-31 23:59:59")
{
    Json query = Json::object();
    query["userId"] = userId;
    if(!accId.empty())
        query["accId"] = accId;
    if(!marketId.empty())
        query["tradeMarketId"] = marketId;
    query["parames"] = Json::array(
        {{{"operator", "and"}, {"value", "1"}, {"key", "isHistory"}},
         {{"operator", "and"}, {"value", "(\"" + from + "\",\"" + to + "\")"}, {"key", "tradingday"}}});
    return query;
}

std::vector<int> Keys(const std::vector<SalesReportService::Figures>& figures)
{
    std::vector<int> keys;
    for(const auto& f : figures)
        keys.push_back(f.accountKey);
    return keys;
}

class SalesReportRecords : public ::testing::Test
{
protected:
    SalesReportRecords() { m_state.Load(ReportScenario()); }

    std::vector<SalesReportService::Figures> Figures(const Json& query) const
    {
        return SalesReportService(m_state, m_binary).Accounts(ReportQuery::FromJson(query));
    }
    // Every row of a history report for one account over the whole history.
    Json Rows(const std::string& report, const Json& query) const
    {
        Json paged = query;
        paged["pageCtrl"] = {{"start", "0"}, {"limit", "1000"}, {"page", "1"}};
        return ReportService(m_state, m_binary).Answer(report, ReportQuery::FromJson(paged))["data"];
    }

    simmarket::MarketState m_state;
    std::map<std::string, simmarket::SimBinaryOrder> m_binary;
};

} // namespace

TEST_F(SalesReportRecords, FiltersChooseTheSections)
{
    const struct
    {
        Json query;
        std::vector<int> keys;
    } cases[] = {
        {SalesQuery("1001"), {11, 12, 13, 14}},
        {SalesQuery("1001", "11"), {11}},
        {SalesQuery("1001", "", "2"), {12}},
        {SalesQuery("1001", "11", "1"), {11}},
        {SalesQuery("1001", "11", "2"), {}}, // account and market disagree
        {SalesQuery("1001", "21"), {}},      // another user's account
        {SalesQuery("1002"), {21}},
        {SalesQuery("999"), {}}, // unknown user
        {SalesQuery(""), {}},
    };
    for(const auto& c : cases) {
        SCOPED_TRACE(c.query.dump());
        EXPECT_EQ(Keys(Figures(c.query)), c.keys);
    }
    EXPECT_EQ(Figures(SalesQuery("1001", "12"))[0].marketName, "撮合二部");
}

TEST_F(SalesReportRecords, FiguresAreTheSumsOfTheHistoryReports)
{
    for(const int key : {11, 21}) {
        SCOPED_TRACE(key);
        const std::string user = key == 11 ? "1001" : "1002";
        const Json query = SalesQuery(user, std::to_string(key));
        const auto figures = Figures(query);
        ASSERT_EQ(figures.size(), 1u);

        double profit = 0, charge = 0, deposit = 0, withdraw = 0;
        const Json bills = Rows("closebill", query);
        for(const auto& row : bills) {
            profit += row["profitClose"].get<double>();
            charge += row["chargeOpen"].get<double>() + row["chargeClose"].get<double>();
        }
        int passedMoves = 0;
        for(const auto& row : Rows("inoutmoney", query)) {
            if(row["status"] != "3")
                continue;
            ++passedMoves;
            (row["amType"] == "1" ? deposit : withdraw) += row["amChange"].get<double>();
        }
        ASSERT_GT(bills.size(), 0u);
        ASSERT_GT(passedMoves, 0);
        EXPECT_EQ(figures[0].bills, static_cast<int>(bills.size()));
        EXPECT_NEAR(figures[0].profit, profit, 1e-6);
        EXPECT_NEAR(figures[0].charge, charge, 1e-6);
        EXPECT_NEAR(figures[0].deposit, deposit, 1e-6);
        EXPECT_NEAR(figures[0].withdraw, withdraw, 1e-6);
    }
}

TEST_F(SalesReportRecords, TheRangeHoldsBothEnds)
{
    const Json all = Rows("closebill", SalesQuery("1001", "11"));
    ASSERT_GT(all.size(), 1u);
    const std::string close = all[0]["closeDate"];
    const auto at = [&](const std::string& from, const std::string& to) {
        return Figures(SalesQuery("1001", "11", "", from, to))[0].bills;
    };
    int sameSecond = 0;
    for(const auto& row : all)
        sameSecond += row["closeDate"] == close ? 1 : 0;
    EXPECT_EQ(at(close, close), sameSecond);
    EXPECT_EQ(at("2000-01-01 00:00:00", close) + at(close, "2099-12-31 23:59:59") - sameSecond,
              static_cast<int>(all.size()));
    EXPECT_EQ(at("2099-01-01 00:00:00", "2099-12-31 23:59:59"), 0);
    // An end before the start passes nothing.
    EXPECT_EQ(at("2099-12-31 23:59:59", "2000-01-01 00:00:00"), 0);
}

TEST(SalesReportPage, SectionsCarryTheFiguresByIdAndEscapeNames)
{
    simmarket::MarketState state;
    nlohmann::json scenario = ReportScenario();
    scenario["users"][0]["accounts"][0]["marketName"] = "A<&>\"B";
    state.Load(scenario);
    const std::map<std::string, simmarket::SimBinaryOrder> binary;
    const SalesReportService report(state, binary);
    const std::string page = report.Page(ReportQuery::FromJson(SalesQuery("1001")));
    for(const char* id : {"bills-11", "profit-11", "charge-11", "deposit-11", "withdraw-11", "profit-14"})
        EXPECT_NE(page.find(std::string("id=\"") + id + "\""), std::string::npos) << id;
    EXPECT_NE(page.find("A&lt;&amp;&gt;&quot;B 11"), std::string::npos);
    EXPECT_EQ(page.find("A<&>"), std::string::npos);
    EXPECT_EQ(report.Page(ReportQuery::FromJson(SalesQuery("999"))).find("<section"), std::string::npos);
}

// --- the route --------------------------------------------------------------

namespace {
class SalesReportRoute : public ::testing::Test
{
protected:
    SalesReportRoute() : m_market(m_io, ReportScenario(), 1), m_http(m_market)
    {
        m_market.Server().Open({0, 0, 0});
        m_port = m_http.Start(0);
        m_thread = std::thread([this] { m_io.run(); });
    }
    ~SalesReportRoute() override
    {
        m_http.Stop();
        m_io.stop();
        m_thread.join();
    }

    httplib::Result Get(const std::string& target)
    {
        httplib::Client client("127.0.0.1", m_port);
        client.set_read_timeout(10, 0);
        return client.Get(target.c_str());
    }

    boost::asio::io_context m_io;
    simmarket::SimMarket m_market;
    simmarket::AdminHttp m_http;
    unsigned short m_port = 0;
    std::thread m_thread;
};

std::string FigureOf(const std::string& page, const std::string& id)
{
    std::smatch match;
    const std::regex pattern("id=\"" + id + "\">([^<]*)<");
    return std::regex_search(page, match, pattern) ? match[1].str() : std::string("missing");
}
} // namespace

TEST_F(SalesReportRoute, BothPathFormsAnswerTheReportAndAreLogged)
{
    const Json query = SalesQuery("1001", "11");
    std::string figure;
    for(const std::string slashes : {"/", "//"}) {
        auto result = Get(slashes + "tolvekquery/report_client/user_report?bizData=" + Escaped(query.dump()));
        ASSERT_TRUE(result) << slashes;
        EXPECT_EQ(result->status, 200);
        EXPECT_EQ(result->get_header_value("Content-Type"), "text/html; charset=utf-8");
        EXPECT_NE(result->body.find("现货一部 11"), std::string::npos);
        EXPECT_EQ(result->body.find("id=\"profit-12\""), std::string::npos);
        const std::string profit = FigureOf(result->body, "profit-11");
        EXPECT_NE(profit, "missing");
        if(!figure.empty()) {
            EXPECT_EQ(profit, figure);
        }
        figure = profit;
    }

    for(const std::string bad : {"", "?bizData=", "?bizData=%7Bnot", "?bizData=%5B1%5D"}) {
        auto result = Get("/tolvekquery/report_client/user_report" + bad);
        ASSERT_TRUE(result) << bad;
        EXPECT_EQ(result->status, 400) << bad;
        EXPECT_NE(result->body.find("<html>"), std::string::npos) << bad;
    }

    httplib::Client client("127.0.0.1", m_port);
    auto state = client.Get("/admin/state");
    ASSERT_TRUE(state);
    std::vector<nlohmann::json> logged;
    const nlohmann::json requests = nlohmann::json::parse(state->body)["requests"];
    for(const auto& entry : requests)
        if(entry["kind"] == "http")
            logged.push_back(entry);
    ASSERT_EQ(logged.size(), 6u);
    EXPECT_EQ(logged[0]["path"], "/tolvekquery/report_client/user_report");
    EXPECT_EQ(logged[1]["path"], "//tolvekquery/report_client/user_report");
    EXPECT_EQ(logged[1]["route"], "/tolvekquery/report_client/user_report");
    EXPECT_EQ(logged[0]["status"], 200);
    EXPECT_EQ(logged[5]["status"], 400);
}
