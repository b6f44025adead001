// The market's HTTP service facility, in process, on a route of the test's
// own: every fault mode as a client sees it on the wire, the request log,
// and that a slow route stalls neither the market nor its shutdown.
#include "AdminHttp.h"
#include "MarketState.h"
#include "SimMarket.h"

#include <boost/asio.hpp>
#include <chrono>
#include <gtest/gtest.h>
#include <httplib.h>
#include <nlohmann/json.hpp>
#include <thread>

using nlohmann::json;
using Clock = std::chrono::steady_clock;

namespace {

const char kRows[] = R"([{"row":"1,2"},{"row":"3,4"},{"row":"5,6"},{"row":"7,8"}])";

long long MsSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// What arrived on the socket: the promised length and the body bytes.
struct RawAnswer
{
    int status = 0;
    long contentLength = -1;
    std::string body;
};

RawAnswer RawGet(unsigned short port, const std::string& target)
{
    namespace asio = boost::asio;
    asio::io_context io;
    asio::ip::tcp::socket socket(io);
    socket.connect({asio::ip::address_v4::loopback(), port});
    const std::string request = "GET " + target + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n";
    asio::write(socket, asio::buffer(request));
    std::string all;
    boost::system::error_code ec;
    char buffer[4096];
    while(!ec) {
        const std::size_t n = socket.read_some(asio::buffer(buffer), ec);
        all.append(buffer, n);
    }
    RawAnswer answer;
    const auto headerEnd = all.find("\r\n\r\n");
    if(headerEnd == std::string::npos)
        return answer;
    answer.status = std::stoi(all.substr(9, 3));
    const auto length = all.find("Content-Length: ");
    if(length != std::string::npos && length < headerEnd)
        answer.contentLength = std::stol(all.substr(length + 16));
    answer.body = all.substr(headerEnd + 4);
    return answer;
}

class HttpServicesTest : public ::testing::Test
{
protected:
    HttpServicesTest() : m_market(m_io, json::parse(simmarket::DefaultScenarioText()), 1), m_http(m_market)
    {
        m_market.Server().Open({0, 0, 0});
        m_http.Services().Add({"GET", "/test/rows", [](const httplib::Request&) {
                                   return simmarket::HttpAnswer{200, "application/json", kRows};
                               }});
        m_http.Services().Add({"POST", "/test/echo", [](const httplib::Request& req) {
                                   return simmarket::HttpAnswer{200, "text/plain", "got " + req.body};
                               }});
        m_port = m_http.Start(0);
        m_thread = std::thread([this] { m_io.run(); });
    }
    ~HttpServicesTest() override { Shutdown(); }

    void Shutdown()
    {
        m_http.Stop();
        m_io.stop();
        if(m_thread.joinable())
            m_thread.join();
    }

    int SetFault(const std::string& query)
    {
        httplib::Client client("127.0.0.1", m_port);
        auto result = client.Post(("/admin/http?" + query).c_str(), "", "text/plain");
        return result ? result->status : -1;
    }

    json Log()
    {
        httplib::Client client("127.0.0.1", m_port);
        auto result = client.Get("/admin/state");
        return result ? json::parse(result->body)["requests"] : json();
    }

    boost::asio::io_context m_io;
    simmarket::SimMarket m_market;
    simmarket::AdminHttp m_http;
    unsigned short m_port = 0;
    std::thread m_thread;
};

} // namespace

TEST_F(HttpServicesTest, EachFaultModeIsWhatTheClientGetsAndNoneClearsIt)
{
    RawAnswer normal = RawGet(m_port, "/test/rows");
    EXPECT_EQ(normal.status, 200);
    EXPECT_EQ(normal.body, kRows);
    EXPECT_TRUE(json::parse(normal.body, nullptr, false).is_array());

    ASSERT_EQ(SetFault("route=/test/rows&fault=empty"), 200);
    RawAnswer empty = RawGet(m_port, "/test/rows");
    EXPECT_EQ(empty.status, 200);
    EXPECT_TRUE(empty.body.empty());

    ASSERT_EQ(SetFault("route=/test/rows&fault=garbage"), 200);
    RawAnswer garbage = RawGet(m_port, "/test/rows");
    EXPECT_EQ(garbage.status, 200);
    EXPECT_TRUE(json::parse(garbage.body, nullptr, false).is_discarded()) << garbage.body;

    ASSERT_EQ(SetFault("route=/test/rows&fault=cut"), 200);
    RawAnswer cut = RawGet(m_port, "/test/rows");
    EXPECT_EQ(cut.status, 200);
    EXPECT_EQ(cut.body, std::string(kRows).substr(0, std::string(kRows).size() / 2));
    EXPECT_EQ(static_cast<std::size_t>(cut.contentLength), cut.body.size()) << "a whole answer, cut rows";

    ASSERT_EQ(SetFault("route=/test/rows&fault=close"), 200);
    RawAnswer closed = RawGet(m_port, "/test/rows");
    EXPECT_EQ(closed.contentLength, static_cast<long>(sizeof kRows - 1)) << "the whole body is promised";
    EXPECT_LT(closed.body.size(), sizeof kRows - 1) << "but the connection ends early";
    EXPECT_EQ(closed.body, std::string(kRows).substr(0, closed.body.size()));

    ASSERT_EQ(SetFault("route=/test/rows&fault=status&status=404"), 200);
    EXPECT_EQ(RawGet(m_port, "/test/rows").status, 404);
    ASSERT_EQ(SetFault("route=/test/rows&fault=status"), 200);
    EXPECT_EQ(RawGet(m_port, "/test/rows").status, 500);

    ASSERT_EQ(SetFault("route=/test/rows&fault=delay&ms=400"), 200);
    const auto start = Clock::now();
    EXPECT_EQ(RawGet(m_port, "/test/rows").body, kRows);
    EXPECT_GE(MsSince(start), 400);

    ASSERT_EQ(SetFault("route=/test/rows&fault=none"), 200);
    EXPECT_EQ(RawGet(m_port, "/test/rows").body, kRows);
    // Other routes were never touched.
    EXPECT_EQ(RawGet(m_port, "/getip").body, "127.0.0.1");

    EXPECT_EQ(SetFault("route=/no/such/route&fault=cut"), 400);
    EXPECT_EQ(SetFault("route=/test/rows&fault=sometimes"), 400);
    EXPECT_EQ(SetFault("route=/test/rows&fault=delay&ms=-5"), 400);
    EXPECT_EQ(SetFault("route=/test/rows&fault=status&status=99"), 400);
}

TEST_F(HttpServicesTest, EveryRequestOfARouteIsLoggedWithMethodPathQueryBodyAndOutcome)
{
    ASSERT_EQ(SetFault("route=/test/rows&fault=garbage"), 200);
    RawGet(m_port, "//test/rows?bizData=%7B%22a%22%3A1%7D&x=2");
    httplib::Client client("127.0.0.1", m_port);
    auto posted =
        client.Post("/test/echo?userid=7", "last_time=2026-12-01", "application/x-www-form-urlencoded");
    ASSERT_TRUE(posted);
    EXPECT_EQ(posted->body, "got last_time=2026-12-01");
    RawGet(m_port, "/not/a/route");

    const json log = Log();
    ASSERT_EQ(log.size(), 2u) << "only routes are logged: " << log.dump();
    EXPECT_EQ(log[0]["kind"], "http");
    EXPECT_EQ(log[0]["route"], "/test/rows");
    EXPECT_EQ(log[0]["method"], "GET");
    EXPECT_EQ(log[0]["path"], "//test/rows");
    EXPECT_EQ(log[0]["query"], "bizData=%7B%22a%22%3A1%7D&x=2");
    EXPECT_EQ(log[0]["fault"], "garbage");
    EXPECT_EQ(log[0]["status"], 200);
    EXPECT_EQ(log[1]["method"], "POST");
    EXPECT_EQ(log[1]["query"], "userid=7");
    EXPECT_EQ(log[1]["body"], "last_time=2026-12-01");
    EXPECT_TRUE(log[1]["fault"].is_null());
}

TEST_F(HttpServicesTest, ADelayedRouteStallsNeitherTheMarketNorItsShutdown)
{
    ASSERT_EQ(SetFault("route=/test/rows&fault=delay&ms=60000"), 200);
    std::thread slow([this] { RawGet(m_port, "/test/rows"); });
    // The slow answer waits on its own worker; the market answers meanwhile.
    const auto start = Clock::now();
    while(Log().size() != 1u && MsSince(start) < 20000) {
    }
    ASSERT_EQ(Log().size(), 1u) << "the slow request arrived";
    const auto asked = Clock::now();
    EXPECT_EQ(Log()[0]["fault"], "delay");
    EXPECT_LT(MsSince(asked), 20000) << "answered long before the delay ends";

    const auto stopping = Clock::now();
    Shutdown();
    EXPECT_LT(MsSince(stopping), 20000) << "the delay ends when the market stops";
    slow.join();
}
