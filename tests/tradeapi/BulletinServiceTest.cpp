// The market's bulletin service in process: the poll with its filters, the
// mark-read, the admin additions and refusal, what /admin/state and the
// request log show, and the scenario key.
#include "AdminHttp.h"
#include "MarketState.h"
#include "SimMarket.h"

#include <boost/asio.hpp>
#include <gtest/gtest.h>
#include <httplib.h>
#include <nlohmann/json.hpp>
#include <thread>

using nlohmann::json;

namespace {

class BulletinServiceTest : public ::testing::Test
{
protected:
    BulletinServiceTest() : m_market(m_io, json::parse(simmarket::DefaultScenarioText()), 1), m_http(m_market)
    {
        m_market.Server().Open({0, 0, 0});
        m_port = m_http.Start(0);
        m_thread = std::thread([this] { m_io.run(); });
    }
    ~BulletinServiceTest() override
    {
        m_http.Stop();
        m_io.stop();
        if(m_thread.joinable())
            m_thread.join();
    }

    struct Answer
    {
        int status = -1;
        std::string body = "no answer";
    };
    Answer Get(const std::string& target)
    {
        httplib::Client client("127.0.0.1", m_port);
        auto result = client.Get(target.c_str());
        return result ? Answer{result->status, result->body} : Answer();
    }
    // The poll as the client sends it, with extra query text.
    json Poll(int userId, const std::string& extra = "", int count = 20)
    {
        auto result =
            Get("/bulletin/trader?exchangeid=0&dealerid=0&orgid=0&userid=" + std::to_string(userId) +
                "&msg_count=" + std::to_string(count) + "&tradeMarketId=1" + extra);
        EXPECT_EQ(result.status, 200) << result.body;
        return json::parse(result.body, nullptr, false);
    }
    std::string MarkRead(const std::string& body)
    {
        httplib::Client client("127.0.0.1", m_port);
        auto result = client.Post("/bulletin/trader?", body, "application/x-www-form-urlencoded");
        return result ? result->body : "no answer";
    }
    int Admin(const std::string& target, const std::string& body = "", json* answer = nullptr)
    {
        httplib::Client client("127.0.0.1", m_port);
        auto result = client.Post(target.c_str(), body, "application/json");
        if(result && answer)
            *answer = json::parse(result->body, nullptr, false);
        return result ? result->status : -1;
    }
    json State() { return json::parse(Get("/admin/state").body, nullptr, false); }
    static std::vector<std::string> IdsOf(const json& list)
    {
        std::vector<std::string> ids;
        for(const auto& item : list)
            ids.push_back(item.value("bulletinId", std::string("?")));
        return ids;
    }
    static std::vector<bool> ReadFlags(const json& list)
    {
        std::vector<bool> flags;
        for(const auto& item : list)
            flags.push_back(item.value("is_read", false));
        return flags;
    }

    boost::asio::io_context m_io;
    simmarket::SimMarket m_market;
    simmarket::AdminHttp m_http;
    unsigned short m_port = 0;
    std::thread m_thread;
};

using Ids = std::vector<std::string>;

} // namespace

TEST_F(BulletinServiceTest, DefaultScenarioGivesDemoThreeBulletinsNewestFirstInTheAnswerForm)
{
    const json list = Poll(1001);
    ASSERT_TRUE(list.is_array()) << list.dump();
    EXPECT_EQ(IdsOf(list), (Ids{"3", "2", "1"}));
    const json& newest = list[0];
    for(const char* key : {"is_read", "from", "title", "content", "bulletinId", "date"})
        EXPECT_TRUE(newest.contains(key)) << key;
    EXPECT_EQ(newest["date"], "2026-12-07 08:30:00");
    EXPECT_FALSE(newest["is_read"].get<bool>());
    EXPECT_NE(newest["content"].get<std::string>().find('\n'), std::string::npos) << "multi-line content";
    EXPECT_EQ(list[0]["title"], list[2]["title"]) << "one title on two dates";
    EXPECT_NE(list[0]["date"], list[2]["date"]);

    EXPECT_EQ(IdsOf(Poll(1002)), (Ids{"2", "1"})) << "the demo user's own bulletin is not the second user's";
    EXPECT_TRUE(Poll(4711).empty()) << "an unknown user has none";
}

TEST_F(BulletinServiceTest, PollFiltersByCurtimeAndCountAndRefusesBadParameters)
{
    const struct
    {
        std::string extra;
        int count;
        Ids ids;
    } cases[] = {
        {"&curtime=2026-12-05%2018:00:00", 20, {"3", "2"}}, // at or after: that second's bulletin is in
        {"&curtime=2026-12-05%2018:00:01", 20, {"3"}},
        {"&curtime=2026-12-07%2008:30:01", 20, {}},
        {"", 1, {"3"}}, // the newest ones
        {"", 0, {"3", "2", "1"}},
        {"&curtime=2026-12-01%2009:00:00", 2, {"3", "2"}},
    };
    for(const auto& c : cases)
        EXPECT_EQ(IdsOf(Poll(1001, c.extra, c.count)), c.ids) << c.extra << " count " << c.count;

    for(const std::string target : {"/bulletin/trader?msg_count=20", "/bulletin/trader?userid=x",
                                    "/bulletin/trader?userid=1001&curtime=20261205T180000",
                                    "/bulletin/trader?userid=1001&msg_count=-1"}) {
        const Answer result = Get(target);
        EXPECT_EQ(result.status, 400) << target << ": " << result.body;
    }
}

TEST_F(BulletinServiceTest, MarkReadMarksThatBulletinAndOlderOnesForThatUserOnly)
{
    EXPECT_EQ(MarkRead("userid=1001&last_time=2026-12-05 18:00:00"), "true");
    EXPECT_EQ(ReadFlags(Poll(1001)), (std::vector<bool>{false, true, true}));
    EXPECT_EQ(ReadFlags(Poll(1002)), (std::vector<bool>{false, false})) << "read is per user";
    // Percent-encoded form bodies are understood as well.
    EXPECT_EQ(MarkRead("userid=1001&last_time=2026-12-07%2008%3A30%3A00"), "true");
    EXPECT_EQ(ReadFlags(Poll(1001)), (std::vector<bool>{true, true, true}));

    for(const std::string body :
        {"userid=4711&last_time=2026-12-05 18:00:00", "userid=1002&last_time=yesterday", "userid=1002", "",
         "last_time=2026-12-05 18:00:00"})
        EXPECT_EQ(MarkRead(body), "false") << body;
    EXPECT_EQ(ReadFlags(Poll(1002)), (std::vector<bool>{false, false}));

    const json state = State();
    ASSERT_EQ(state["bulletins"].size(), 3u);
    EXPECT_EQ(state["bulletins"][0]["readBy"], json::array({"demo"}));
    EXPECT_EQ(state["bulletins"][2]["user"], "demo");
    // The request log has the mark-read as the client sent it.
    json posts = json::array();
    for(const auto& entry : state["requests"])
        if(entry["kind"] == "http" && entry["method"] == "POST")
            posts.push_back(entry);
    ASSERT_EQ(posts.size(), 7u);
    EXPECT_EQ(posts[0]["route"], "/bulletin/trader");
    EXPECT_EQ(posts[0]["query"], "");
    EXPECT_EQ(posts[0]["body"], "userid=1001&last_time=2026-12-05 18:00:00");
}

TEST_F(BulletinServiceTest, AdminAddsBulletinsAndRefusesTheNextMarkRead)
{
    json answer;
    ASSERT_EQ(Admin("/admin/bulletin?user=demo",
                    R"({"title":"新公告","content":"第一行\n第二行","from":"运营"})", &answer),
              200)
        << answer.dump();
    ASSERT_TRUE(answer.contains("bulletinId"));
    EXPECT_EQ(answer["bulletinId"], 4) << "the next free id";
    const json list = Poll(1001);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0]["title"], "新公告") << "dated now, so the newest";
    EXPECT_EQ(list[0]["content"], "第一行\n第二行");
    EXPECT_EQ(Poll(1002).size(), 2u);

    ASSERT_EQ(Admin("/admin/bulletin", R"({"title":"全体","date":"20261208T100000","bulletinId":"40"})"),
              200);
    EXPECT_EQ(Poll(1002)[0]["bulletinId"], "40") << "without a user: for every user";
    EXPECT_EQ(Poll(1002)[0]["date"], "2026-12-08 10:00:00");

    ASSERT_EQ(Admin("/admin/bulletin?markRead=false"), 200);
    EXPECT_EQ(MarkRead("userid=1001&last_time=2026-12-07 08:30:00"), "false");
    EXPECT_EQ(ReadFlags(Poll(1001, "&curtime=2026-12-07%2008:30:00")).back(), false) << "nothing marked";
    EXPECT_EQ(MarkRead("userid=1001&last_time=2026-12-07 08:30:00"), "true") << "only one answer is refused";

    for(const auto& [target, body] : std::vector<std::pair<std::string, std::string>>{
            {"/admin/bulletin?user=nobody", R"({"title":"x"})"},
            {"/admin/bulletin?user=demo", "not json"},
            {"/admin/bulletin?user=demo", R"({"title":"x","date":"tomorrow"})"},
            {"/admin/bulletin?user=demo", R"({"title":"x","bulletinId":2})"},
            {"/admin/bulletin?user=demo", R"({"title":"x","bulletinId":"2a"})"},
            {"/admin/bulletin?markRead=maybe", ""},
            {"/admin/bulletin", ""}})
        EXPECT_EQ(Admin(target, body), 400) << target << " " << body;
    EXPECT_EQ(State()["bulletins"].size(), 5u) << "no refused call added one";
}

TEST(BulletinScenario, BadBulletinsRefuseTheScenario)
{
    json scenario = json::parse(simmarket::DefaultScenarioText());
    const json bad[] = {
        json{{"title", "x"}, {"user", "nobody"}},
        json{{"title", "x"}, {"date", "2026-13-45"}},
        json{{"title", "x"}, {"bulletinId", 1}}, // the default scenario's first bulletin has id 1
        json("a text"),
    };
    for(const json& bulletin : bad) {
        json changed = scenario;
        changed["bulletins"].push_back(bulletin);
        simmarket::MarketState state;
        EXPECT_THROW(state.Load(changed), std::exception) << bulletin.dump();
    }
    simmarket::MarketState state;
    scenario["bulletins"].push_back({{"title", "读过"}, {"is_read", true}});
    state.Load(scenario);
    ASSERT_EQ(state.bulletins.size(), 4u);
    EXPECT_EQ(state.bulletins.back().readBy.size(), state.users.size()) << "read by every user";
    EXPECT_EQ(state.bulletins.back().id, 4);
}
