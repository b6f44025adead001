// The sales report page's query without windows: the report URL and its
// JSON, the choices it offers and the throttle on searches.
#include "history/SalesReportQuery.h"

#include "db/RecordStore.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <wx/uri.h>

namespace {

using Json = nlohmann::ordered_json;

wxDateTime At(int day, int hour, int minute, int second)
{
    return wxDateTime(static_cast<wxDateTime::wxDateTime_t>(day), wxDateTime::Mar, 2026,
                      static_cast<wxDateTime::wxDateTime_t>(hour),
                      static_cast<wxDateTime::wxDateTime_t>(minute),
                      static_cast<wxDateTime::wxDateTime_t>(second));
}

// The JSON a URL carries after "bizData=", decoded.
Json QueryOf(const wxString& url)
{
    const int at = url.Find("bizData=");
    EXPECT_NE(at, wxNOT_FOUND) << url;
    const wxString value = wxURI::Unescape(url.Mid(at + 8));
    return Json::parse(value.utf8_string(), nullptr, false);
}

class SalesReportStore : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_store.CreateTables();
        // Keys out of order: the page's order is by key.
        Add(14, 4, "FX");
        Add(11, 1, wxString::FromUTF8("现货一部"));
        Add(13, 3, "Energy");
        Add(12, 1, wxString::FromUTF8("现货一部"));
    }
    void Add(int key, int marketId, const wxString& marketName)
    {
        user_Account account;
        account.userId = 1001;
        account.accountKey = key;
        account.marketId = marketId;
        account.marketName = marketName;
        ASSERT_TRUE(m_store.m_user_Account_table->Insert(account).second);
    }

    RecordStore m_store;
};

} // namespace

TEST(SalesReportUrl, ServerEntriesGiveTheirBase)
{
    const struct
    {
        const char* server;
        const char* url; // up to "?bizData="
    } cases[] = {
        // The entry from its first "/": two slashes stand before the path.
        {"http://127.0.0.1:8080", "http://127.0.0.1:8080//tolvekquery/report_client/user_report?bizData="},
        {"https://r.example:9", "http://r.example:9//tolvekquery/report_client/user_report?bizData="},
        // Host and port alone: as written with the scheme.
        {"127.0.0.1:8080", "http://127.0.0.1:8080//tolvekquery/report_client/user_report?bizData="},
        // No server: nothing to load from the network.
        {"", ""},
    };
    const JSONElement root = SalesReportQuery::BuildRoot(1001, nullptr, At(1, 0, 0, 0), At(2, 23, 59, 59));
    for(const auto& c : cases) {
        SCOPED_TRACE(c.server);
        const wxString url = SalesReportQuery::BuildUrl(c.server, SalesReportQuery::kPath, root);
        EXPECT_TRUE(url.StartsWith(wxString::FromUTF8(c.url))) << url;
        EXPECT_EQ(url.empty(), wxString(c.server).empty());
    }
}

TEST(SalesReportUrl, QueryMembersAndRange)
{
    user_Account chosen;
    chosen.accountKey = 11;
    chosen.marketId = 1;
    const wxDateTime start = At(8, 14, 5, 7);
    const wxDateTime end = SalesReportQuery::EndOfDay(At(9, 10, 30, 0));
    EXPECT_EQ(end.Format("%Y-%m-%d %H:%M:%S"), "2026-03-09 23:59:59");

    const Json all = QueryOf(SalesReportQuery::BuildUrl(
        "h:1", SalesReportQuery::kPath, SalesReportQuery::BuildRoot(1001, nullptr, start, end)));
    ASSERT_TRUE(all.is_object());
    std::vector<std::string> keys;
    for(const auto& [key, value] : all.items())
        keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"userId", "parames"}));
    EXPECT_EQ(all["userId"], "1001");

    const Json market = QueryOf(SalesReportQuery::BuildUrl(
        "h:1", SalesReportQuery::kPath, SalesReportQuery::BuildRoot(1001, &chosen, start, end)));
    keys.clear();
    for(const auto& [key, value] : market.items())
        keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"userId", "accId", "tradeMarketId", "parames"}));
    EXPECT_EQ(market["accId"], "11");
    EXPECT_EQ(market["tradeMarketId"], "1");
    const Json expected = Json::parse(R"js([{"operator":"and","value":"1","key":"isHistory"},
        {"operator":"and","value":"(\"2026-03-08 14:05:07\",\"2026-03-09 23:59:59\")","key":"tradingday"}])js");
    EXPECT_EQ(market["parames"], expected);
    EXPECT_FALSE(market.contains("pageCtrl") || market.contains("totalCount") || market.contains("sort"));
}

TEST(SalesReportUrl, EscapedOnceAndUnchangedAtLoad)
{
    const wxString url = SalesReportQuery::BuildUrl(
        "http://127.0.0.1:8080", SalesReportQuery::kPath,
        SalesReportQuery::BuildRoot(1001, nullptr, At(1, 0, 0, 0), At(2, 23, 59, 59)));
    const wxString value = url.AfterFirst('=');
    // Quotes, braces, brackets, blanks, colons and commas never travel raw.
    for(const char raw : {'"', '{', '}', '[', ']', ' ', ':', ',', '(', ')'})
        EXPECT_EQ(value.Find(raw), wxNOT_FOUND) << raw;
    EXPECT_NE(value.Find("%22"), wxNOT_FOUND);
    EXPECT_NE(value.Find("%7B"), wxNOT_FOUND);
    EXPECT_NE(value.Find("%5B"), wxNOT_FOUND);
    EXPECT_NE(value.Find("%20"), wxNOT_FOUND);
    // The second pass at load time leaves every escape as it is.
    EXPECT_EQ(SalesReportQuery::ForLoad(url), url);
    EXPECT_EQ(SalesReportQuery::ForLoad(url).Find("%25"), wxNOT_FOUND);
}

TEST(SalesReportChoices, ServerLabelsCountFromOne)
{
    wxArrayString servers;
    EXPECT_TRUE(SalesReportQuery::ServerLabels(servers).empty());
    servers.Add("http://a:1");
    servers.Add("b:2");
    servers.Add("http://c:3");
    const wxArrayString labels = SalesReportQuery::ServerLabels(servers);
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[0], "salesReportSevr1");
    EXPECT_EQ(labels[1], "salesReportSevr2");
    EXPECT_EQ(labels[2], "salesReportSevr3");
}

TEST_F(SalesReportStore, MarketsInTableOrderWithRepeats)
{
    const wxArrayString names = SalesReportQuery::MarketNames(&m_store);
    ASSERT_EQ(names.size(), 4u);
    EXPECT_EQ(names[0], wxString::FromUTF8("现货一部"));
    EXPECT_EQ(names[1], wxString::FromUTF8("现货一部"));
    EXPECT_EQ(names[2], "Energy");
    EXPECT_EQ(names[3], "FX");

    const user_Account* first = SalesReportQuery::FindMarketAccount(&m_store, wxString::FromUTF8("现货一部"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->accountKey, 11);
    EXPECT_EQ(SalesReportQuery::FindMarketAccount(&m_store, "fx"), nullptr); // case counts
    EXPECT_EQ(SalesReportQuery::FirstAccount(&m_store)->accountKey, 11);
    EXPECT_TRUE(SalesReportQuery::MarketNames(nullptr).empty());
    EXPECT_EQ(SalesReportQuery::FirstAccount(nullptr), nullptr);
}

TEST(SalesReportThrottle, RefusesSearchesInTheSameMinuteUnderTwoSeconds)
{
    const struct
    {
        const char* name;
        std::vector<wxDateTime> searches;
        std::vector<bool> refused;
    } cases[] = {
        {"58 then 59", {At(1, 10, 0, 58), At(1, 10, 0, 59)}, {false, true}},
        {"59 then next minute", {At(1, 10, 0, 59), At(1, 10, 1, 0)}, {false, false}},
        {"two seconds apart", {At(1, 10, 0, 10), At(1, 10, 0, 12)}, {false, false}},
        // A refused search still counts as the latest.
        {"refused counts", {At(1, 10, 0, 10), At(1, 10, 0, 11), At(1, 10, 0, 12)}, {false, true, true}},
        {"a day later, same minute", {At(1, 10, 0, 58), At(2, 10, 0, 59)}, {false, false}},
        {"an hour later, same minute", {At(1, 10, 0, 58), At(1, 11, 0, 59)}, {false, false}},
    };
    for(const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::size_t next = 0;
        SalesReportQuery query([&] { return c.searches[next]; });
        for(; next < c.searches.size(); ++next)
            EXPECT_EQ(query.IsSearchTooFrequent(), c.refused[next]) << next;
    }
}
