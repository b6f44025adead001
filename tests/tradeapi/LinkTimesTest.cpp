// Links that fall silent: both ends send heartbeats on an idle link, close a
// link on which nothing arrives, and the library gives up on a login whose
// answer does not come, so the caller can move to the next address.
#include "LinkTimes.h"

#include "ClientLibrary.h"
#include "EventLog.h"
#include "Frame.h"
#include "SimProcess.h"
#include "WireCodes.h"
#include "tradeapi/FixedText.h"

#include <boost/asio.hpp>
#include <chrono>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <optional>
#include <poll.h>
#include <thread>

namespace asio = boost::asio;
using asio::ip::tcp;
using namespace tradeapi::wire;
using Clock = std::chrono::steady_clock;

namespace {

// Slack for a loaded machine on top of the library's own limits.
constexpr int kSlackMs = 1500;

long long MsSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// A TCP peer run by the test: reads frames with a time limit, writes bytes.
class RawPeer
{
public:
    explicit RawPeer(tcp::socket socket) : m_socket(std::move(socket)) {}

    // The next frame, or nothing when the peer closed or the time ran out.
    // What has arrived is always read, however short the time.
    std::optional<Frame> Read(int timeoutMs)
    {
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        Frame frame;
        while(!m_reader.Next(frame)) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if(!WaitReadable(static_cast<int>(std::max<long long>(left.count(), 0))))
                return std::nullopt;
            uint8_t buffer[4096];
            boost::system::error_code ec;
            const std::size_t n = m_socket.read_some(asio::buffer(buffer), ec);
            if(ec) {
                m_closed = true;
                return std::nullopt;
            }
            m_reader.Append(buffer, n);
        }
        return frame;
    }
    void Write(const std::vector<uint8_t>& bytes) { asio::write(m_socket, asio::buffer(bytes)); }
    bool Closed() const { return m_closed; }

private:
    bool WaitReadable(int ms)
    {
        pollfd fd{m_socket.native_handle(), POLLIN, 0};
        return ::poll(&fd, 1, ms) > 0;
    }

    tcp::socket m_socket;
    FrameReader m_reader;
    bool m_closed = false;
};

struct Releaser
{
    void operator()(CTradeApi* api) const { api->Release(); }
};
using TradePtr = std::unique_ptr<CTradeApi, Releaser>;

sFFixReqUserLogin DemoLogin()
{
    sFFixReqUserLogin req{};
    tradeapi::SetFixedText(req.loginName, "demo");
    tradeapi::SetFixedText(req.password, "demo123");
    return req;
}

nlohmann::json RequestsOf(const SimProcess& sim, int code)
{
    const auto state = nlohmann::json::parse(sim.Get("/admin/state"));
    nlohmann::json found = nlohmann::json::array();
    for(const auto& entry : state["requests"])
        if(entry["kind"] == "frame" && entry["code"] == code)
            found.push_back(entry);
    return found;
}

} // namespace

TEST(LibraryLink, AnIdleLinkGetsHeartbeatsAndASilentMarketIsLeftWithItsOwnReason)
{
    asio::io_context io;
    tcp::acceptor acceptor(io, tcp::endpoint(asio::ip::address_v4::loopback(), 0));
    ClientLibrary lib;
    TradeRecorder rec;
    TradePtr api(lib.NewTrade(rec));
    const auto start = Clock::now();
    api->Connect(("127.0.0.1:" + std::to_string(acceptor.local_endpoint().port())).c_str());
    tcp::socket socket(io);
    acceptor.accept(socket);
    RawPeer market(std::move(socket));
    ASSERT_TRUE(rec.log.WaitCode(100));

    // The market says nothing; the library speaks every heartbeat interval.
    int heartbeats = 0;
    while(auto frame = market.Read(kSilenceLimitMs + kSlackMs)) {
        EXPECT_EQ(frame->header.code, kCtlHeartbeat);
        EXPECT_TRUE(frame->body.empty());
        ++heartbeats;
    }
    auto down = rec.log.WaitCode(102, 0, kSlackMs);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->value, kDisconnectSilent);
    EXPECT_GE(MsSince(start), kSilenceLimitMs);
    EXPECT_LE(MsSince(start), kSilenceLimitMs + 2 * kSlackMs);
    EXPECT_GE(heartbeats, kSilenceLimitMs / kHeartbeatIntervalMs - 1);
    EXPECT_TRUE(market.Closed()) << "the library closed the link";
}

TEST(MarketLink, ASilentClientIsDroppedAndAHeartbeatingOneKept)
{
    SimProcess sim;
    ASSERT_EQ(sim.Post("/admin/walk?rate=0"), 200);
    asio::io_context io;
    const tcp::endpoint front(asio::ip::address_v4::loopback(), sim.TradePort(0));
    tcp::socket silentSocket(io), aliveSocket(io);
    silentSocket.connect(front);
    aliveSocket.connect(front);
    RawPeer silent(std::move(silentSocket)), alive(std::move(aliveSocket));
    const auto start = Clock::now();

    int marketHeartbeats = 0;
    bool silentDropped = false;
    long long droppedAfter = 0;
    while(MsSince(start) < kSilenceLimitMs + kSlackMs) {
        alive.Write(EncodeFrame(kCtlHeartbeat, 0, 0, nullptr, 0));
        if(auto frame = alive.Read(500))
            marketHeartbeats += frame->header.code == kCtlHeartbeat;
        if(!silentDropped && !silent.Read(1) && silent.Closed()) {
            silentDropped = true;
            droppedAfter = MsSince(start);
        }
    }
    EXPECT_TRUE(silentDropped);
    EXPECT_GE(droppedAfter, kSilenceLimitMs - 100);
    EXPECT_FALSE(alive.Closed());
    EXPECT_GE(marketHeartbeats, 2) << "the idle market speaks too";
    // Heartbeats are the link's own business: none reaches the request log.
    EXPECT_TRUE(nlohmann::json::parse(sim.Get("/admin/state"))["requests"].empty());
}

TEST(LoginTimeOut, ASwallowedLoginEndsTheLinkAndTheNextFrontLogsIn)
{
    SimProcess sim;
    ASSERT_EQ(sim.Post("/admin/answer?code=10002&mode=swallow"), 200);
    ClientLibrary lib;
    TradeRecorder rec;
    TradePtr api(lib.NewTrade(rec));
    api->Connect(sim.TradeAddress(0).c_str());
    ASSERT_TRUE(rec.log.WaitCode(100));
    const auto login = DemoLogin();
    const auto start = Clock::now();
    ASSERT_GT(api->ReqUserLogin(&login, 1), 0);

    auto down = rec.log.WaitCode(102, 0, kLoginAnswerLimitMs + kSlackMs);
    ASSERT_TRUE(down) << "the link stayed up without a login answer";
    EXPECT_EQ(down->value, kDisconnectLoginTimeout);
    EXPECT_GE(MsSince(start), kLoginAnswerLimitMs);
    EXPECT_FALSE(rec.log.WaitCode(10002, 0, 1)) << "no answer came";

    // What the login machine does next: the other address, which answers.
    ASSERT_EQ(sim.Post("/admin/answer?code=10002&mode=normal"), 200);
    const std::size_t from = rec.log.Size();
    api->SetAddress(sim.TradeAddress(1).c_str());
    api->ReConnect(0);
    ASSERT_TRUE(rec.log.WaitCode(100, from));
    ASSERT_GT(api->ReqUserLogin(&login, 1), 0);
    auto answer = rec.log.WaitCode(10002, from);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->info.errorId, 0);

    const auto logins = RequestsOf(sim, 10001);
    ASSERT_EQ(logins.size(), 2u);
    EXPECT_EQ(logins[0]["front"], "trade1");
    EXPECT_EQ(logins[0]["fault"], "swallow");
    EXPECT_TRUE(logins[0]["answerCode"].is_null());
    EXPECT_EQ(logins[1]["front"], "trade2");
    EXPECT_EQ(logins[1]["answerCode"], 10002);
    EXPECT_EQ(logins[1]["errorId"], 0);
    EXPECT_EQ(logins[1]["fields"]["loginName"], "demo");
    EXPECT_FALSE(logins[1]["fields"].contains("password"));
}

TEST(MutedFront, ALoggedInLinkThatFallsSilentIsClosedAndTheOtherFrontServes)
{
    SimProcess sim;
    ASSERT_EQ(sim.Post("/admin/walk?rate=0"), 200);
    ClientLibrary lib;
    TradeRecorder rec;
    TradePtr api(lib.NewTrade(rec));
    api->Connect(sim.TradeAddress(0).c_str());
    ASSERT_TRUE(rec.log.WaitCode(100));
    const auto login = DemoLogin();
    ASSERT_GT(api->ReqUserLogin(&login, 1), 0);
    ASSERT_TRUE(rec.log.WaitCode(10002));

    ASSERT_EQ(sim.Post("/admin/front?name=trade1&action=mute"), 200);
    const auto muted = Clock::now();
    const std::size_t from = rec.log.Size();
    // A query into the silence gets no answer.
    sFFixUserId user{1001};
    ASSERT_GT(api->ReqQryAccount(&user, 77), 0);
    auto down = rec.log.WaitCode(102, from, kSilenceLimitMs + kSlackMs);
    ASSERT_TRUE(down) << "the silence went unnoticed";
    EXPECT_EQ(down->value, kDisconnectSilent);
    EXPECT_GE(MsSince(muted), kSilenceLimitMs - kLinkCheckMs);
    EXPECT_FALSE(rec.log.WaitCode(1007, from, 1));
    const auto state = nlohmann::json::parse(sim.Get("/admin/state"));
    for(const auto& front : state["fronts"])
        EXPECT_EQ(front["muted"], front["name"] == "trade1");
    const auto queries = RequestsOf(sim, 1006);
    ASSERT_EQ(queries.size(), 1u);
    EXPECT_EQ(queries[0]["fault"], "muted");

    const std::size_t next = rec.log.Size();
    api->SetAddress(sim.TradeAddress(1).c_str());
    api->ReConnect(0);
    ASSERT_TRUE(rec.log.WaitCode(100, next));
    ASSERT_GT(api->ReqUserLogin(&login, 1), 0);
    auto answer = rec.log.WaitCode(10002, next);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->info.errorId, 0);
}
