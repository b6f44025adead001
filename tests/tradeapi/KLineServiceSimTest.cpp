// simmarketd's K-line service: the script answer, its parameters, the
// per-route faults and the request log. Moves and depth: KLineBookTest and
// the charts' end-to-end test.
#include "SimProcess.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace {

const std::string kPath = "/quotes/hisquotes_data.js";

// The "row" texts between the first "[" and the last "]"; fails the test
// when there is no such array.
std::vector<std::string> Rows(const std::string& body)
{
    std::vector<std::string> rows;
    const auto first = body.find('['), last = body.rfind(']');
    if(first == std::string::npos || last == std::string::npos || last < first) {
        ADD_FAILURE() << "no array in " << body;
        return rows;
    }
    for(const auto& item : nlohmann::json::parse(body.substr(first, last - first + 1))) {
        rows.push_back(item.at("row").get<std::string>());
    }
    return rows;
}

std::vector<std::string> Fields(const std::string& row)
{
    std::vector<std::string> fields;
    std::size_t from = 0;
    for(;;) {
        const auto comma = row.find(',', from);
        fields.push_back(row.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
        if(comma == std::string::npos) {
            return fields;
        }
        from = comma + 1;
    }
}

class KLineServiceSimTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(market.Post("/admin/walk?rate=0"), 200); }

    std::vector<std::string> Get(const std::string& query)
    {
        std::string body;
        EXPECT_EQ(market.Get(kPath + "?" + query, &body), 200) << query;
        return Rows(body);
    }

    SimProcess market;
};

} // namespace

TEST_F(KLineServiceSimTest, ServesScriptRowsForEachQueryForm)
{
    std::string body;
    ASSERT_EQ(market.Get(kPath + "?symbolCode=AG&period=4&barcount=-200", &body), 200);
    EXPECT_EQ(body.rfind("var ", 0), 0u) << "a script around the array";
    const auto newest = Rows(body);
    ASSERT_EQ(newest.size(), 200u);
    double previous = 0;
    for(const std::string& row : newest) {
        const auto f = Fields(row);
        ASSERT_EQ(f.size(), 8u) << row;
        const double time = std::stod(f[0]);
        EXPECT_GT(time, previous) << "oldest first";
        EXPECT_EQ(static_cast<long long>(time) % 60, 0) << "one-minute K-lines start on a minute";
        EXPECT_LE(std::stod(f[4]), std::stod(f[2])) << row;
        EXPECT_GE(std::stod(f[3]), std::stod(f[5])) << row;
        previous = time;
    }

    // The long form, with a percent-encoded code: 3 before a time, 3 from it on.
    const std::string middle = Fields(newest[100])[0];
    const auto before = Get("symbolCode=%41G&period=4&time=" + middle + "&barcount=-3&rnd=42");
    ASSERT_EQ(before.size(), 3u);
    EXPECT_EQ(before.back(), newest[99]);
    const auto from = Get("symbolCode=AG&period=4&time=" + middle + "&barcount=3&rnd=7");
    ASSERT_EQ(from.size(), 3u);
    EXPECT_EQ(from.front(), newest[100]);

    // Every period code answers; an unknown symbol has no K-lines.
    for(int code : {4, 15, 5, 6, 7, 8, 13, 14, 9, 10, 11}) {
        EXPECT_EQ(Get("symbolCode=AG&period=" + std::to_string(code) + "&barcount=-5").size(), 5u) << code;
    }
    EXPECT_TRUE(Get("symbolCode=NOPE&period=4&barcount=-5").empty());

    struct Bad
    {
        const char* query;
    } bad[] = {{"period=4&barcount=-5"},
               {"symbolCode=AG&barcount=-5"},
               {"symbolCode=AG&period=12&barcount=-5"},
               {"symbolCode=AG&period=4"},
               {"symbolCode=AG&period=4&barcount=x"},
               {"symbolCode=AG&period=4&barcount=-5&time=soon"}};
    for(const Bad& b : bad) {
        EXPECT_EQ(market.Get(kPath + "?" + b.query, &body), 400) << b.query;
    }
}

TEST_F(KLineServiceSimTest, FaultsSpoilRowsAndRequestsAreLogged)
{
    const std::string route = "/admin/http?route=" + kPath + "&fault=";
    const std::string query = "symbolCode=AG&period=5&barcount=-4";
    const auto good = Get(query);
    ASSERT_EQ(good.size(), 4u);

    ASSERT_EQ(market.Post(route + "garbage"), 200);
    for(const std::string& row : Get(query)) {
        const auto f = Fields(row);
        ASSERT_EQ(f.size(), 8u);
        EXPECT_EQ(f[2], "n/a");
        EXPECT_EQ(f[5], "n/a");
    }
    ASSERT_EQ(market.Post(route + "cut"), 200);
    for(const std::string& row : Get(query)) {
        EXPECT_EQ(Fields(row).size(), 5u) << row;
    }
    std::string body = "not empty";
    ASSERT_EQ(market.Post(route + "empty"), 200);
    EXPECT_EQ(market.Get(kPath + "?" + query, &body), 200);
    EXPECT_TRUE(body.empty());
    ASSERT_EQ(market.Post(route + "none"), 200);
    EXPECT_EQ(Get(query), good);

    const nlohmann::json state = market.State();
    std::vector<std::string> faults;
    for(const auto& entry : state.at("requests")) {
        if(entry.value("kind", "") == "http" && entry.value("route", "") == kPath &&
           entry.value("query", "") == query) {
            faults.push_back(entry.at("fault").is_string() ? entry.at("fault").get<std::string>() : "");
        }
    }
    EXPECT_EQ(faults, (std::vector<std::string>{"", "garbage", "cut", "empty", ""}));
}
