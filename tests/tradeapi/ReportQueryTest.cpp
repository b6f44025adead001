#include "ReportQuery.h"

#include <gtest/gtest.h>

using simmarket::ReportQuery;
using Json = nlohmann::ordered_json;

namespace {
std::string Escaped(const std::string& text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for(const unsigned char c : text) {
        if(std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string Target(const Json& query, const std::string& path = "/tolvekquery/report_client/closebill")
{
    return path + "?bizData=" + Escaped(query.dump());
}

int64_t Local(int year, int month, int day, int hour, int minute, int second)
{
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&local)) * 1000;
}
} // namespace

TEST(ReportQueryDecoding, BizDataIsDecodedOnceAndAPlusStaysAPlus)
{
    const struct
    {
        const char* raw;
        const char* text;
    } cases[] = {
        {"a+b", "a+b"},
        {"a%2Bb", "a+b"},
        {"%2525", "%25"},
        {"%E7%8E%B0", "现"},
        {"100%", "100%"},
        {"%zz%4", "%zz%4"},
        {"%7B%22k%22%7D", "{\"k\"}"},
        {"", ""},
    };
    for(const auto& c : cases) {
        EXPECT_EQ(ReportQuery::PercentDecode(c.raw), c.text) << c.raw;
    }

    const std::string target = "/tolvekquery/report_client/amlog?bizData=%7B%22userId%22%3A%221001%22%2C"
                               "%22tradeMarketName%22%3A%22A+B%252%22%7D";
    const ReportQuery query = ReportQuery::FromTarget(target);
    ASSERT_TRUE(query.ok);
    EXPECT_EQ(query.userId, 1001);
    EXPECT_EQ(query.json["tradeMarketName"], "A+B%2");
}

TEST(ReportQueryDecoding, MembersOfAQueryAsTheHistoryFrameBuildsIt)
{
    const Json sent = Json::parse(R"j({"accId":"11","userId":"1001",
        "parames":[{"operator":"and","value":"1","key":"isHistory"},
                   {"operator":"and","value":"(\"2024-03-01 09:30:00\",\"2024-03-05 23:59:59\")","key":"tradingday"},
                   {"operator":"in","value":["1","2"],"key":"amType"}],
        "sort":{"order":"DESC","children":["changeDate"]},
        "pageCtrl":{"start":"20","limit":"10","page":"1"},"totalCount":57})j");
    for(const std::string path :
        {"/tolvekquery/report_client/inoutmoney", "//tolvekquery/report_client/inoutmoney"}) {
        const ReportQuery query = ReportQuery::FromTarget(Target(sent, path));
        ASSERT_TRUE(query.ok) << path;
        EXPECT_EQ(query.userId, 1001);
        EXPECT_EQ(query.accountKey, 11);
        EXPECT_FALSE(query.tradeMarketId);
        ASSERT_TRUE(query.tradingDay);
        EXPECT_EQ(query.tradingDay->first, Local(2024, 3, 1, 9, 30, 0));
        EXPECT_TRUE(query.InRange(Local(2024, 3, 1, 9, 30, 0)));
        EXPECT_FALSE(query.InRange(Local(2024, 3, 1, 9, 29, 59)));
        EXPECT_TRUE(query.InRange(Local(2024, 3, 5, 23, 59, 59) + 500));
        EXPECT_FALSE(query.InRange(Local(2024, 3, 6, 0, 0, 0)));
        EXPECT_EQ(query.amTypes, (std::set<std::string>{"1", "2"}));
        EXPECT_EQ(query.start, 20);
        EXPECT_EQ(query.limit, 10);
        EXPECT_EQ(query.sortField, "changeDate");
        EXPECT_TRUE(query.descending);
    }
}

TEST(ReportQueryDecoding, MissingOrMalformedPartsAreSafe)
{
    const struct
    {
        std::string target;
        bool ok;
        int userId;
        bool matchesAnyDay;
        int start, limit;
    } cases[] = {
        {"/tolvekquery/report_client/amlog", false, -1, true, 0, 10},
        {"/tolvekquery/report_client/amlog?bizData=", false, -1, true, 0, 10},
        {"/tolvekquery/report_client/amlog?bizData=%7Bnot", false, -1, true, 0, 10},
        {"/tolvekquery/report_client/amlog?xbizData=%7B%7D", false, -1, true, 0, 10},
        {Target(Json::parse(R"([1,2])")), false, -1, true, 0, 10},
        {Target(Json::parse(R"({"userId":1001})")), true, 1001, true, 0, 10},
        {Target(Json::parse(R"({"userId":"10x1","pageCtrl":{"start":"-5","limit":"100000"}})")), true, -1,
         true, 0, ReportQuery::kMaxLimit},
        {Target(Json::parse(R"({"userId":"1001","pageCtrl":{"start":30,"limit":"abc"}})")), true, 1001, true,
         30, 10},
        {Target(Json::parse(
             R"j({"userId":"1001","parames":[{"operator":"and","value":"(yesterday)","key":"tradingday"}]})j")),
         true, 1001, false, 0, 10},
        {Target(Json::parse(
             R"({"userId":"1001","parames":[{"operator":"and","value":7,"key":"tradingday"}, 3]})")),
         true, 1001, false, 0, 10},
    };
    for(const auto& c : cases) {
        const ReportQuery query = ReportQuery::FromTarget(c.target);
        SCOPED_TRACE(c.target);
        EXPECT_EQ(query.ok, c.ok);
        EXPECT_EQ(query.userId, c.userId);
        EXPECT_EQ(query.InRange(Local(2024, 3, 1, 12, 0, 0)), c.matchesAnyDay);
        EXPECT_EQ(query.start, c.start);
        EXPECT_EQ(query.limit, c.limit);
    }
}
