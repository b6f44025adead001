#include "history/HistoryQuery.h"

#include "common/ServerInfo.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>
#include <wx/uri.h>

using Json = nlohmann::ordered_json;

namespace {
const char kClosebillPath[] = "/tolvekquery/report_client/closebill?bizData=";

std::string PercentDecode(const std::string& text)
{
    std::string out;
    for(std::size_t i = 0; i < text.size(); ++i) {
        if(text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The query of a URL built by HistoryQuery: everything after "bizData=".
Json QueryOf(const wxString& url)
{
    const std::string text = url.utf8_string();
    const std::size_t at = text.find("bizData=");
    EXPECT_NE(at, std::string::npos) << text;
    return Json::parse(PercentDecode(text.substr(at + 8)), nullptr, false);
}

// The cash-log page's conditions of the sample query (account 1001, user 7,
// 2024-03-01 to 2024-03-05).
JSONElement SampleCashRoot()
{
    JSONElement root = JSONElement::createObject();
    root.addProperty("accId", "1001");
    root.addProperty("userId", "7");
    JSONElement parames = JSONElement::createArray("parames");
    JSONElement history = JSONElement::createObject();
    history.addProperty("operator", "and").addProperty("value", "1").addProperty("key", "isHistory");
    parames.arrayAppend(history);
    JSONElement day = JSONElement::createObject();
    day.addProperty("operator", "and")
        .addProperty("value", "(\"2024-03-01 00:00:00\",\"2024-03-05 23:59:59\")")
        .addProperty("key", "tradingday");
    parames.arrayAppend(day);
    root.append(parames);
    JSONElement sort = JSONElement::createObject("sort");
    sort.addProperty("order", "DESC");
    JSONElement children = JSONElement::createArray("children");
    children.arrayAppend("changeDate");
    sort.append(children);
    root.append(sort);
    return root;
}

JSONElement Reply(const std::string& text)
{
    return JSONElement::fromJson(Json::parse(text));
}

std::string Rows(int count)
{
    std::string rows = "[";
    for(int i = 0; i < count; ++i) {
        rows += (i ? ",{}" : "{}");
    }
    return rows + "]";
}
} // namespace

// --- the report URL ---------------------------------------------------------

TEST(HistoryQueryUrl, SampleQueryGetsPagingMembersAfterThePagesOwnInOrder)
{
    JSONElement root = SampleCashRoot();
    const auto request = HistoryQuery::RequestFor(3, 10, false);
    const wxString url =
        HistoryQuery::BuildUrl("http://127.0.0.1:8080", kClosebillPath, root, request, 10, 57);

    EXPECT_TRUE(url.StartsWith("http://127.0.0.1:8080/tolvekquery/report_client/closebill?bizData="));
    const Json expected = Json::parse(R"j({"accId":"1001","userId":"7",
        "parames":[{"operator":"and","value":"1","key":"isHistory"},
                   {"operator":"and","value":"(\"2024-03-01 00:00:00\",\"2024-03-05 23:59:59\")","key":"tradingday"}],
        "sort":{"order":"DESC","children":["changeDate"]},
        "pageCtrl":{"start":"20","limit":"10","page":"1"},
        "totalCount":57})j");
    const Json sent = QueryOf(url);
    ASSERT_FALSE(sent.is_discarded()) << url;
    ASSERT_EQ(sent.size(), expected.size());
    auto want = expected.items().begin();
    for(const auto& member : sent.items()) {
        EXPECT_EQ(member.key(), want.key());
        EXPECT_EQ(member.value(), want.value()) << member.key();
        ++want;
    }
    EXPECT_TRUE(sent["totalCount"].is_number());
}

TEST(HistoryQueryUrl, HostIsTheTextAfterTheFirstDoubleSlash)
{
    const struct
    {
        const char* server;
        const char* url;
    } cases[] = {
        {"http://127.0.0.1:8080", "http://127.0.0.1:8080/p?bizData="},
        {"127.0.0.1:8080", "http://127.0.0.1:8080/p?bizData="},
        {"https://reports.example:443", "http://reports.example:443/p?bizData="},
        {"//h:1//x", "http://h:1//x/p?bizData="},
    };
    for(const auto& c : cases) {
        JSONElement root = JSONElement::createObject();
        const wxString url = HistoryQuery::BuildUrl(c.server, "/p?bizData=", root, {0, 1}, 10, 0);
        EXPECT_TRUE(url.StartsWith(c.url)) << c.server << " gave " << url;
    }
}

TEST(HistoryQueryUrl, EscapingLeavesOneUnambiguousQueryValueThatWxUriKeeps)
{
    const wxString text = wxString::FromUTF8("{\"m\":\"现货 A&B=1+2#x%y\",\"r\":[\"(\\\"a\\\")\"]}");
    const wxString escaped = HistoryQuery::EscapeQueryValue(text);

    for(const char c : std::string("{}[]\" &=+#()<>\\/:,")) {
        EXPECT_EQ(escaped.Find(c), wxNOT_FOUND) << "unescaped '" << c << "' in " << escaped;
    }
    EXPECT_TRUE(escaped.IsAscii());
    EXPECT_EQ(PercentDecode(escaped.utf8_string()), text.utf8_string()); // one decoding gives it back

    // A second pass, as a web view or wxURI makes, changes nothing.
    const wxString url = "http://127.0.0.1:1/tolvekquery/report_client/user_report?bizData=" + escaped;
    EXPECT_EQ(wxURI(url).BuildURI(), url);
}

// --- paging -----------------------------------------------------------------

TEST(HistoryQueryPaging, RequestStartsAtThePageUnlessThePageSizeChanged)
{
    const struct
    {
        int page, size;
        bool changed;
        int start, askedPage;
    } cases[] = {
        {1, 10, false, 0, 1}, {3, 10, false, 20, 3},  {6, 10, false, 50, 6}, {6, 50, true, 0, 1},
        {0, 10, false, 0, 0}, {-4, 20, false, 0, -4}, {2, 20, false, 20, 2},
    };
    for(const auto& c : cases) {
        const auto request = HistoryQuery::RequestFor(c.page, c.size, c.changed);
        EXPECT_EQ(request.start, c.start) << "page " << c.page << " size " << c.size;
        EXPECT_EQ(request.page, c.askedPage) << "page " << c.page << " size " << c.size;
    }
}

TEST(HistoryQueryPaging, ReplyGivesPagesClampedPageAndFirstRowNumber)
{
    const struct
    {
        std::string reply;
        int page, size;
        int total, pages, clamped, firstRow, rows;
    } cases[] = {
        // 57 records, page 3 of 10: rows 21 to 30 of six pages.
        {R"({"totalCount":57,"data":)" + Rows(10) + "}", 3, 10, 57, 6, 3, 21, 10},
        {R"({"totalCount":"57","data":)" + Rows(7) + "}", 6, 10, 57, 6, 6, 51, 7},
        // After a change to size 50: two pages.
        {R"({"totalCount":57,"data":)" + Rows(50) + "}", 1, 50, 57, 2, 1, 1, 50},
        // Fewer records than before: the page is clamped to the last.
        {R"({"totalCount":"12","data":[]})", 5, 10, 12, 2, 2, 11, 0},
        {R"({"totalCount":60,"data":[]})", 6, 10, 60, 6, 6, 51, 0},
        // No or no usable "totalCount": 0 pages, page 1, rows still counted.
        {R"({"data":)" + Rows(3) + "}", 4, 10, 0, 0, 1, 1, 3},
        {R"({"totalCount":"many","data":)" + Rows(2) + "}", 2, 10, 0, 0, 1, 1, 2},
        {R"({"totalCount":"-5","data":[]})", 1, 10, 0, 0, 1, 1, 0},
        {R"({"totalCount":"57.5","data":[]})", 1, 10, 0, 0, 1, 1, 0},
        {R"({"totalCount":99999999999,"data":[]})", 1, 10, 2147483647, 214748365, 1, 1, 0},
        // "bizRet" decides nothing; "data" that is no array has no rows.
        {R"({"bizRet":"-1","bizMsg":"fail","totalCount":5,"data":{}})", 1, 10, 5, 1, 1, 1, 0},
        {R"([1,2,3])", 1, 10, 0, 0, 1, 1, 0},
    };
    for(const auto& c : cases) {
        const auto result = HistoryQuery::ReplyFor(Reply(c.reply), c.page, c.size);
        SCOPED_TRACE(c.reply);
        EXPECT_EQ(result.total, c.total);
        EXPECT_EQ(result.pageCount, c.pages);
        EXPECT_EQ(result.page, c.clamped);
        EXPECT_EQ(result.firstRowNumber, c.firstRow);
        EXPECT_EQ(result.rowCount, c.rows);
    }
}

// --- servers and failover ---------------------------------------------------

namespace {
ServerInfo Server(const wxString& name, std::initializer_list<const char*> history)
{
    ServerInfo server;
    server.name = name;
    for(const char* address : history) {
        server.history.Add(address);
    }
    return server;
}

struct Login
{
    const ServerInfo* current = nullptr;
    HistoryQuery::ServerSource Source()
    {
        return [this] { return current; };
    }
};

// A random source that gives the queued numbers in turn.
HistoryQuery::RandomSource Draws(std::vector<int> numbers)
{
    auto queue = std::make_shared<std::vector<int>>(std::move(numbers));
    auto next = std::make_shared<std::size_t>(0);
    return [queue, next] { return (*queue)[(*next)++ % queue->size()]; };
}

// Runs one query in which every server fails: the servers asked, in order.
std::vector<wxString> FailEveryServer(HistoryQuery& query)
{
    std::vector<wxString> asked;
    wxString server = query.GetServer();
    while(!server.empty()) {
        asked.push_back(server);
        server = query.Failed() ? query.NextServer() : wxString();
    }
    return asked;
}
} // namespace

TEST(HistoryQueryServers, SilentServersAreEachTriedOnceInWrappedOrder)
{
    const ServerInfo demo = Server("Demo", {"http://a:1", "http://b:2", "http://c:3"});
    Login login{&demo};
    HistoryQuery query(login.Source(), Draws({7, 3}));

    // 7 % 3 = 1: b, then c, then a wrapping round; then nothing is left.
    EXPECT_EQ(FailEveryServer(query), (std::vector<wxString>{"http://b:2", "http://c:3", "http://a:1"}));
    EXPECT_EQ(query.GetFixedServer(), -1);
    // The next query draws afresh: 3 % 3 = 0.
    EXPECT_EQ(FailEveryServer(query), (std::vector<wxString>{"http://a:1", "http://b:2", "http://c:3"}));
}

TEST(HistoryQueryServers, AnAnswerFixesTheServerUntilItFails)
{
    const ServerInfo demo = Server("Demo", {"http://a:1", "http://b:2", "http://c:3"});
    Login login{&demo};
    HistoryQuery query(login.Source(), Draws({2, 0}));

    EXPECT_EQ(query.GetServer(), "http://c:3");
    ASSERT_TRUE(query.Failed());
    EXPECT_EQ(query.NextServer(), "http://a:1");
    query.Answered();
    for(int i = 0; i < 3; ++i) {
        EXPECT_EQ(query.GetServer(), "http://a:1") << "query " << i;
        query.Answered();
    }
    // a fails now: b is tried in the same query, and the next draws (0: a).
    EXPECT_EQ(query.GetServer(), "http://a:1");
    ASSERT_TRUE(query.Failed());
    EXPECT_EQ(query.NextServer(), "http://b:2");
    ASSERT_TRUE(query.Failed());
    EXPECT_EQ(query.NextServer(), "http://c:3");
    ASSERT_FALSE(query.Failed());
    EXPECT_EQ(query.GetServer(), "http://a:1");
}

TEST(HistoryQueryServers, NoLoginOrNoHistoryServerGivesNoServer)
{
    Login login;
    HistoryQuery query(login.Source());
    EXPECT_TRUE(query.GetServer().empty());
    EXPECT_FALSE(query.Failed());

    const ServerInfo bare = Server("Bare", {});
    login.current = &bare;
    EXPECT_TRUE(query.GetServer().empty());
    EXPECT_FALSE(query.Failed());
}

TEST(HistoryQueryServers, ListIsCopiedAgainOnlyWhenAnotherServerIsLoggedIn)
{
    const ServerInfo demo = Server("Demo", {"http://a:1", "http://b:2"});
    ServerInfo demoChanged = Server("Demo", {"http://x:9"}); // same record name, list edited
    const ServerInfo other = Server("Other", {"http://o:1", "http://p:2", "http://q:3"});
    Login login{&demo};
    HistoryQuery query(login.Source(), Draws({1, 2, 0}));

    EXPECT_EQ(query.GetServer(), "http://b:2");
    query.Answered();

    // A logout and a login to the same server keep the list and the fixed one.
    login.current = nullptr;
    EXPECT_TRUE(query.GetServer().empty());
    login.current = &demoChanged;
    EXPECT_EQ(query.GetServer(), "http://b:2");
    EXPECT_EQ(query.GetServers().size(), 2u);

    // Another server: its own list, drawn afresh (2 % 3).
    login.current = &other;
    EXPECT_EQ(query.GetServer(), "http://q:3");
    EXPECT_EQ(query.GetServers().size(), 3u);
    EXPECT_EQ(query.GetFixedServer(), -1);
}
