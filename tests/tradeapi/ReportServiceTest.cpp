// The market's report service: the five history reports over the kept
// history, first on the market's records directly, then as routes of the
// HTTP facility.
#include "ReportService.h"

#include "AdminHttp.h"
#include "MarketState.h"
#include "ReportQuery.h"
#include "ReportTestScenario.h"
#include "SimMarket.h"

#include <boost/asio.hpp>
#include <gtest/gtest.h>
#include <httplib.h>
#include <nlohmann/json.hpp>
#include <set>
#include <thread>

using simmarket::MarketState;
using simmarket::ReportQuery;
using simmarket::ReportService;
using Json = nlohmann::ordered_json;

namespace {

// A query as the history frame builds it: the page's members, then paging.
Json Query(const std::string& userId, const std::string& accId, const std::string& sortField, int start = 0,
           int limit = 10)
{
    Json query = Json::object();
    if(!accId.empty())
        query["accId"] = accId;
    query["userId"] = userId;
    query["parames"] = Json::array({{{"operator", "and"}, {"value", "1"}, {"key", "isHistory"}}});
    query["sort"] = {{"order", "DESC"}, {"children", {sortField}}};
    query["pageCtrl"] = {{"start", std::to_string(start)}, {"limit", std::to_string(limit)}, {"page", "1"}};
    query["totalCount"] = 0;
    return query;
}

void AddRange(Json& query, const std::string& from, const std::string& to)
{
    query["parames"].push_back(
        {{"operator", "and"}, {"value", "(\"" + from + "\",\"" + to + "\")"}, {"key", "tradingday"}});
}

std::set<std::string> Accounts(const Json& answer)
{
    std::set<std::string> accounts;
    for(const auto& row : answer["data"])
        accounts.insert(row["accId"].get<std::string>());
    return accounts;
}

class ReportRecords : public ::testing::Test
{
protected:
    ReportRecords() { m_state.Load(ReportScenario()); }

    Json Answer(const std::string& report, const Json& query) const
    {
        return ReportService(m_state, m_binary).Answer(report, ReportQuery::FromJson(query));
    }

    MarketState m_state;
    std::map<std::string, simmarket::SimBinaryOrder> m_binary;
};

} // namespace

TEST_F(ReportRecords, AUserSeesOnlyTheirOwnAccountsRows)
{
    const struct
    {
        const char* report;
        const char* sort;
    } reports[] = {{"closebill", "openDate"}, {"amlog", "changeDate"}, {"inoutmoney", "changeDate"}};
    for(const auto& r : reports) {
        SCOPED_TRACE(r.report);
        const Json demo = Answer(r.report, Query("1001", "", r.sort, 0, 1000));
        const Json second = Answer(r.report, Query("1002", "", r.sort, 0, 1000));
        EXPECT_GT(demo["totalCount"].get<int>(), 0);
        EXPECT_GT(second["totalCount"].get<int>(), 0);
        EXPECT_EQ(Accounts(second), std::set<std::string>{"21"});
        EXPECT_EQ(Accounts(demo).count("21"), 0u);
        // Another user's account named by key answers nothing.
        const Json foreign = Answer(r.report, Query("1001", "21", r.sort));
        EXPECT_EQ(foreign["totalCount"], 0);
        EXPECT_TRUE(foreign["data"].empty());
        // So does an unknown user or none.
        EXPECT_EQ(Answer(r.report, Query("999", "", r.sort))["totalCount"], 0);
        EXPECT_EQ(Answer(r.report, Query("", "", r.sort))["totalCount"], 0);
    }
    // The demo user's account 11 keeps more than three pages of closed bills.
    const Json bills = Answer("closebill", Query("1001", "11", "openDate"));
    EXPECT_GE(bills["totalCount"].get<int>(), 30);
    EXPECT_EQ(Accounts(bills), std::set<std::string>{"11"});
}

TEST_F(ReportRecords, MoneyMovementsPassTheTypeList)
{
    const struct
    {
        Json types;
        std::set<std::string> expected;
    } cases[] = {
        {Json::array({"1", "2"}), {"1", "2"}}, {Json::array({"1"}), {"1"}},
        {Json::array({"2"}), {"2"}},           {Json::array(), {}},
        {Json(nullptr), {"1", "2"}}, // no condition: every type
    };
    for(const auto& c : cases) {
        Json query = Query("1001", "11", "changeDate", 0, 1000);
        if(!c.types.is_null())
            query["parames"].push_back({{"operator", "in"}, {"value", c.types}, {"key", "amType"}});
        const Json answer = Answer("inoutmoney", query);
        std::set<std::string> types;
        for(const auto& row : answer["data"])
            types.insert(row["amType"].get<std::string>());
        EXPECT_EQ(types, c.expected) << c.types.dump();
        EXPECT_EQ(answer["totalCount"].get<std::size_t>(), answer["data"].size()) << c.types.dump();
    }
}

TEST_F(ReportRecords, PagesAreSlicesOfOneDescendingOrderAndPastTheEndIsEmpty)
{
    const Json all = Answer("closebill", Query("1001", "11", "openDate", 0, 1000));
    const int total = all["totalCount"].get<int>();
    ASSERT_EQ(static_cast<int>(all["data"].size()), total);
    for(std::size_t i = 1; i < all["data"].size(); ++i)
        EXPECT_GE(all["data"][i - 1]["openDate"].get<std::string>(),
                  all["data"][i]["openDate"].get<std::string>());

    const Json third = Answer("closebill", Query("1001", "11", "openDate", 20, 10));
    EXPECT_EQ(third["totalCount"], total);
    ASSERT_EQ(third["data"].size(), 10u);
    for(int i = 0; i < 10; ++i)
        EXPECT_EQ(third["data"][i]["orderCode"], all["data"][20 + i]["orderCode"]);

    const Json past = Answer("closebill", Query("1001", "11", "openDate", total + 40, 10));
    EXPECT_EQ(past["totalCount"], total);
    EXPECT_TRUE(past["data"].is_array());
    EXPECT_TRUE(past["data"].empty());
}

TEST_F(ReportRecords, TradingDayRangeIncludesBothEnds)
{
    const Json all = Answer("amlog", Query("1001", "11", "changeDate", 0, 1000));
    ASSERT_GE(all["data"].size(), 3u);
    const std::string newest = all["data"][0]["changeDate"];
    const std::string third = all["data"][2]["changeDate"];

    Json query = Query("1001", "11", "changeDate", 0, 1000);
    AddRange(query, third, newest);
    const Json ranged = Answer("amlog", query);
    std::size_t expected = 0;
    for(const auto& row : all["data"])
        expected += row["changeDate"] >= third && row["changeDate"] <= newest;
    EXPECT_EQ(ranged["totalCount"].get<std::size_t>(), expected);
    EXPECT_EQ(ranged["data"].front()["changeDate"], newest);
    EXPECT_EQ(ranged["data"].back()["changeDate"], third);

    Json unreadable = Query("1001", "11", "changeDate");
    unreadable["parames"].push_back({{"operator", "and"}, {"value", "(today)"}, {"key", "tradingday"}});
    EXPECT_EQ(Answer("amlog", unreadable)["totalCount"], 0);
}

TEST_F(ReportRecords, RowsCarryTheMembersTheHistoryPagesRead)
{
    simmarket::SimBinaryOrder order;
    order.code = "B0001";
    order.accountKey = 14;
    order.symbolId = 401;
    order.contractNo = 9002;
    order.side = 'b';
    order.periodCount = 5;
    order.periodUnit = '2';
    order.amount = 100;
    order.openPrice = 1.08345;
    order.expirePrice = 1.0841;
    order.profitRate = 0.85;
    order.charge = 2;
    order.profit = 83;
    order.state = '2';
    order.openMs = 1000LL * 1765000000;
    order.expireMs = order.openMs + 300000;
    m_binary[order.code] = order;

    const struct
    {
        const char* report;
        const char* account;
        const char* sort;
        std::vector<const char*> members;
    } reports[] = {
        {"closebill",
         "11",
         "openDate",
         {"accId", "symbolId", "bsCode", "chargeClose", "chargeOpen", "closeDate", "closeType", "orderCode",
          "orderCodeRe", "priceClose", "priceHold", "profitClose", "quantityClose", "openDate"}},
        {"limitbill",
         "11",
         "openDate",
         {"accId", "symbolId", "orderCode", "limitType", "marginFreezed", "bsCode", "quantityOrder",
          "quantityComplete", "orderPrice", "stopLose", "takeProfit", "openDate", "validDateType"}},
        {"amlog",
         "11",
         "changeDate",
         {"SerialId", "amBefore", "amAfter", "amChange", "amType", "changeDate", "tradeMarketName", "accId"}},
        {"inoutmoney",
         "11",
         "changeDate",
         {"amId", "amChange", "amType", "status", "changeDate", "confirmDate", "serialId",
          "tradeMarketName"}},
        {"binaryoptionsorder",
         "14",
         "orderTime",
         {"accId", "symbolId", "bsCode", "periodName", "orderPrice", "holdPrice", "closedQuantity",
          "orderQuantity", "orderCode", "profitClose", "chargeOpen", "chargeClose", "orderTime", "validDate",
          "lossBackRate", "profitRate", "contractId", "orderStatus", "tradeMarketName"}},
    };
    for(const auto& r : reports) {
        SCOPED_TRACE(r.report);
        const Json answer = Answer(r.report, Query("1001", r.account, r.sort));
        EXPECT_EQ(answer["bizRet"], "0");
        EXPECT_TRUE(answer.contains("bizMsg"));
        ASSERT_FALSE(answer["data"].empty());
        const Json& row = answer["data"][0];
        for(const char* member : r.members)
            EXPECT_TRUE(row.contains(member)) << member;
        EXPECT_EQ(row.value("accId", std::string(r.account)), r.account);
    }
    const Json binary = Answer("binaryoptionsorder", Query("1001", "14", "orderTime"))["data"][0];
    EXPECT_EQ(binary["periodName"], "5M");
    EXPECT_EQ(binary["closedQuantity"], 1.0841);
    EXPECT_EQ(binary["orderQuantity"], 100.0);
    EXPECT_EQ(binary["orderStatus"], "2");
    EXPECT_EQ(binary["tradeMarketName"], "FX");
    const Json cash = Answer("amlog", Query("1001", "11", "changeDate"))["data"][0];
    EXPECT_NEAR(cash["amAfter"].get<double>() - cash["amBefore"].get<double>(),
                cash["amChange"].get<double>(), 0.005);
    EXPECT_EQ(cash["tradeMarketName"], "现货一部");
}

TEST_F(ReportRecords, QueriesThatAreNoJsonObjectOrNameNoReportAnswerNoRows)
{
    const ReportService reports(m_state, m_binary);
    for(const std::string target : {"/x?bizData=%7Bbroken", "/x", "/x?bizData=%5B1%5D"}) {
        const Json answer = reports.Answer("closebill", ReportQuery::FromTarget(target));
        EXPECT_EQ(answer["bizRet"], "-1") << target;
        EXPECT_EQ(answer["totalCount"], 0) << target;
        EXPECT_TRUE(answer["data"].empty()) << target;
    }
    EXPECT_EQ(reports.Answer("user_list", ReportQuery::FromJson(Query("1001", "", "openDate")))["bizRet"],
              "-1");
}

// --- the routes -----------------------------------------------------------

namespace {
class ReportRoutes : public ::testing::Test
{
protected:
    ReportRoutes() : m_market(m_io, ReportScenario(), 1), m_http(m_market)
    {
        m_market.Server().Open({0, 0, 0});
        m_port = m_http.Start(0);
        m_thread = std::thread([this] { m_io.run(); });
    }
    ~ReportRoutes() override
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
    nlohmann::json State()
    {
        auto result = Get("/admin/state");
        return result ? nlohmann::json::parse(result->body) : nlohmann::json();
    }

    boost::asio::io_context m_io;
    simmarket::SimMarket m_market;
    simmarket::AdminHttp m_http;
    unsigned short m_port = 0;
    std::thread m_thread;
};
} // namespace

TEST_F(ReportRoutes, EachReportAnswersOnBothPathFormsAndIsLogged)
{
    const std::vector<std::pair<std::string, std::string>> reports = {{"binaryoptionsorder", "orderTime"},
                                                                      {"amlog", "changeDate"},
                                                                      {"inoutmoney", "changeDate"},
                                                                      {"limitbill", "openDate"},
                                                                      {"closebill", "openDate"}};
    for(const auto& [report, sort] : reports) {
        for(const std::string slashes : {"/", "//"}) {
            const std::string bizData = Escaped(Query("1001", "", sort).dump());
            const std::string target =
                slashes + "tolvekquery/report_client/" + report + "?bizData=" + bizData;
            auto result = Get(target);
            ASSERT_TRUE(result) << target;
            EXPECT_EQ(result->status, 200) << target;
            const Json answer = Json::parse(result->body, nullptr, false);
            ASSERT_TRUE(answer.is_object()) << result->body;
            EXPECT_EQ(answer["bizRet"], "0");
            EXPECT_TRUE(answer["totalCount"].is_number());
            EXPECT_TRUE(answer["data"].is_array());
            if(report != "binaryoptionsorder") {
                EXPECT_GT(answer["totalCount"].get<int>(), 0) << report;
            }
        }
    }
    const nlohmann::json log = State()["requests"];
    std::vector<nlohmann::json> http;
    for(const auto& entry : log)
        if(entry["kind"] == "http")
            http.push_back(entry);
    ASSERT_EQ(http.size(), 10u);
    EXPECT_EQ(http[0]["route"], "/tolvekquery/report_client/binaryoptionsorder");
    EXPECT_EQ(http[1]["path"], "//tolvekquery/report_client/binaryoptionsorder");
    EXPECT_EQ(http[9]["route"], "/tolvekquery/report_client/closebill");
    EXPECT_EQ(http[9]["query"].get<std::string>().rfind("bizData=%7B%22userId%22%3A%221001%22", 0), 0u);
    EXPECT_EQ(http[9]["status"], 200);
}

TEST_F(ReportRoutes, BizDataIsTakenRawAndDecodedOnce)
{
    // A '+' is no blank: kept, it spoils this range, so nothing matches;
    // read as a blank the range would hold every row.
    Json plus = Query("1001", "11", "changeDate");
    AddRange(plus, "2000-01-01+00:00:00", "2099-12-31 23:59:59");
    std::string target = "/tolvekquery/report_client/amlog?bizData=" + Escaped(plus.dump());
    const auto at = target.find("%2B");
    ASSERT_NE(at, std::string::npos);
    target.replace(at, 3, "+");
    auto result = Get(target);
    ASSERT_TRUE(result);
    EXPECT_EQ(Json::parse(result->body)["totalCount"], 0);

    Json blank = Query("1001", "11", "changeDate");
    AddRange(blank, "2000-01-01 00:00:00", "2099-12-31 23:59:59");
    result = Get("/tolvekquery/report_client/amlog?bizData=" + Escaped(blank.dump()));
    ASSERT_TRUE(result);
    EXPECT_GT(Json::parse(result->body)["totalCount"].get<int>(), 0);

    // An escaped percent sign stays one after the single decoding: "%31001"
    // is no user id, though decoding twice would make it "1001".
    result = Get("/tolvekquery/report_client/amlog?bizData=%7B%22userId%22%3A%22%2531001%22%7D");
    ASSERT_TRUE(result);
    EXPECT_EQ(Json::parse(result->body)["totalCount"], 0);
    result = Get("/tolvekquery/report_client/amlog?bizData=%7B%22userId%22%3A%22%31001%22%7D");
    ASSERT_TRUE(result);
    EXPECT_GT(Json::parse(result->body)["totalCount"].get<int>(), 0);

    // No bizData, or one that is no JSON: a JSON answer without rows.
    for(const std::string bad : {"", "?bizData=", "?bizData=%7Bnot"}) {
        result = Get("/tolvekquery/report_client/closebill" + bad);
        ASSERT_TRUE(result) << bad;
        EXPECT_EQ(result->status, 400) << bad;
        EXPECT_EQ(Json::parse(result->body)["totalCount"], 0) << bad;
    }
}

TEST_F(ReportRoutes, FaultsOfTheFacilityApplyToTheReports)
{
    httplib::Client client("127.0.0.1", m_port);
    auto set =
        client.Post("/admin/http?route=/tolvekquery/report_client/limitbill&fault=garbage", "", "text/plain");
    ASSERT_TRUE(set);
    ASSERT_EQ(set->status, 200);
    auto result = Get("/tolvekquery/report_client/limitbill?bizData=" +
                      Escaped(Query("1001", "11", "openDate").dump()));
    ASSERT_TRUE(result);
    EXPECT_TRUE(Json::parse(result->body, nullptr, false).is_discarded());
    // Other reports answer as before.
    result = Get("/tolvekquery/report_client/closebill?bizData=" +
                 Escaped(Query("1001", "11", "openDate").dump()));
    ASSERT_TRUE(result);
    EXPECT_TRUE(Json::parse(result->body, nullptr, false).is_object());
}
