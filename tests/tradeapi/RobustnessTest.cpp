// Broken peers: the library closes a link that sends a malformed frame, and
// the market drops a client that sends garbage while other sessions go on.
#include "ClientLibrary.h"
#include "EventLog.h"
#include "Frame.h"
#include "SimProcess.h"
#include "WireCodes.h"
#include "tradeapi/FixedText.h"

#include <boost/asio.hpp>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <thread>

namespace asio = boost::asio;
using asio::ip::tcp;
using namespace tradeapi::wire;

namespace {

// Accepts one connection and sends it the given bytes.
class FakeMarket
{
public:
    explicit FakeMarket(std::vector<uint8_t> bytes)
        : m_acceptor(m_io, tcp::endpoint(asio::ip::address_v4::loopback(), 0)), m_bytes(std::move(bytes))
    {
        m_thread = std::thread([this] {
            boost::system::error_code ec;
            tcp::socket socket(m_io);
            m_acceptor.accept(socket, ec);
            if(ec)
                return;
            asio::write(socket, asio::buffer(m_bytes), ec);
            // Hold the link open until the client has closed it.
            uint8_t sink[256];
            while(!ec)
                socket.read_some(asio::buffer(sink), ec);
        });
    }
    ~FakeMarket()
    {
        boost::system::error_code ignored;
        m_acceptor.close(ignored);
        if(m_thread.joinable())
            m_thread.join();
    }
    std::string Address() const { return "127.0.0.1:" + std::to_string(m_acceptor.local_endpoint().port()); }

private:
    asio::io_context m_io;
    tcp::acceptor m_acceptor;
    std::vector<uint8_t> m_bytes;
    std::thread m_thread;
};

int DisconnectReasonAfter(const std::vector<uint8_t>& bytes)
{
    FakeMarket market(bytes);
    ClientLibrary lib;
    TradeRecorder rec;
    CTradeApi* api = lib.NewTrade(rec);
    api->Connect(market.Address().c_str());
    auto down = rec.log.WaitCode(102);
    api->Release();
    return down ? down->value : -1;
}

} // namespace

TEST(ClientRobustness, OversizedFrameClosesTheLinkAsBadFrame)
{
    FrameHeader header{};
    header.length = kMaxBody + 1;
    header.code = kNtfTrade;
    std::vector<uint8_t> bytes(sizeof header);
    std::memcpy(bytes.data(), &header, sizeof header);
    EXPECT_EQ(DisconnectReasonAfter(bytes), kDisconnectBadFrame);
}

TEST(ClientRobustness, BodyOfTheWrongSizeForItsCodeClosesTheLink)
{
    const uint8_t shortBody[10] = {};
    EXPECT_EQ(DisconnectReasonAfter(EncodeFrame(kNtfTrade, 0, 0, shortBody, sizeof shortBody)),
              kDisconnectBadFrame);
}

TEST(ClientRobustness, UnknownCodeClosesTheLink)
{
    EXPECT_EQ(DisconnectReasonAfter(EncodeFrame(4242, 0, 0, nullptr, 0)), kDisconnectBadFrame);
}

TEST(ClientRobustness, RowsBeforeTheBadFrameStillArrive)
{
    sFFixRspQryAccount row{};
    row.accountKey = 77;
    auto bytes = EncodeFrame(kRspQryAccount, 3, kFlagLast, &row, sizeof row);
    const auto bad = EncodeFrame(4242, 0, 0, nullptr, 0);
    bytes.insert(bytes.end(), bad.begin(), bad.end());
    FakeMarket market(bytes);
    ClientLibrary lib;
    TradeRecorder rec;
    CTradeApi* api = lib.NewTrade(rec);
    api->Connect(market.Address().c_str());
    auto answer = rec.log.WaitCode(1007);
    auto down = rec.log.WaitCode(102);
    api->Release();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->As<sFFixRspQryAccount>().accountKey, 77);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->value, kDisconnectBadFrame);
}

TEST(SimRobustness, GarbageClosesOnlyThatConnectionAndUnknownCodesGetAnError)
{
    SimProcess sim;
    asio::io_context io;
    tcp::socket garbage(io);
    garbage.connect(tcp::endpoint(asio::ip::address_v4::loopback(), sim.TradePort(0)));
    std::vector<uint8_t> junk(64, 0xAB);
    asio::write(garbage, asio::buffer(junk));
    // The market closes the link: the read ends with EOF or a reset.
    garbage.non_blocking(false);
    struct timeval timeout
    {
        5, 0
    };
    setsockopt(garbage.native_handle(), SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    uint8_t sink[64];
    boost::system::error_code ec;
    garbage.read_some(asio::buffer(sink), ec);
    EXPECT_TRUE(ec == asio::error::eof || ec == asio::error::connection_reset) << ec.message();

    ClientLibrary lib;
    TradeRecorder rec;
    CTradeApi* api = lib.NewTrade(rec);
    api->Connect(sim.TradeAddress(0).c_str());
    ASSERT_TRUE(rec.log.WaitCode(100));
    sFFixReqUserLogin req{};
    tradeapi::SetFixedText(req.loginName, "demo");
    // A password field filled to its end without a terminator is read bounded.
    std::memset(req.password, 'x', sizeof req.password);
    ASSERT_GT(api->ReqUserLogin(&req, 1), 0);
    auto login = rec.log.WaitCode(10002);
    ASSERT_TRUE(login);
    EXPECT_EQ(login->info.errorId, 21);

    tcp::socket raw(io);
    raw.connect(tcp::endpoint(asio::ip::address_v4::loopback(), sim.TradePort(1)));
    setsockopt(raw.native_handle(), SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    const auto unknown = EncodeFrame(5555, 31, 0, nullptr, 0);
    asio::write(raw, asio::buffer(unknown));
    FrameHeader header{};
    asio::read(raw, asio::buffer(&header, sizeof header), ec);
    ASSERT_FALSE(ec) << ec.message();
    EXPECT_EQ(header.code, kRspError);
    EXPECT_EQ(header.requestId, 31);
    api->Release();
}

TEST(SimRobustness, AdminNumbersThatAreNotFiniteOrDoNotFitAreRefusedAndTheMarketGoesOn)
{
    SimProcess sim;
    ASSERT_EQ(sim.Post("/admin/walk?rate=2"), 200);
    ASSERT_EQ(sim.Post("/admin/clock?offsetMs=60000"), 200);

    const char* refused[] = {
        "/admin/walk?rate=nan",
        "/admin/walk?rate=inf",
        "/admin/clock?offsetMs=nan",
        "/admin/clock?offsetMs=1e300",
        "/admin/clock?offsetMs=1.5",
        "/admin/price?symbol=101.5&price=5000",
        "/admin/price?symbol=1e20&price=5000",
        "/admin/price?symbol=101&price=nan",
        "/admin/answer?code=1009&mode=fail&error=1e12",
        "/admin/answer?code=1009&mode=delay&ms=-inf",
        "/admin/answer?code=-1&mode=normal",
        "/admin/refuse?codes=1010,nan",
        "/admin/inout?id=nan&state=3",
    };
    for(const char* path : refused) {
        std::string body;
        EXPECT_EQ(sim.Post(path, "", &body), 400) << path;
        EXPECT_NE(body.find("\"error\""), std::string::npos) << path << ": " << body;
    }
    // 2^32 + 1029 must not wrap to the code of a price tick.
    std::string body;
    EXPECT_EQ(
        sim.Post("/admin/push?user=demo&code=4294968325", std::string(sizeof(sFFixMarketData), '\0'), &body),
        400)
        << body;

    // Nothing of the refused requests took effect, and the market still answers.
    const auto state = nlohmann::json::parse(sim.Get("/admin/state"), nullptr, false);
    ASSERT_TRUE(state.is_object());
    EXPECT_DOUBLE_EQ(state["pricePushesPerSecond"].get<double>(), 2.0);
    EXPECT_EQ(state["clockOffsetMs"].get<long long>(), 60000);
    ASSERT_EQ(sim.Post("/admin/walk?rate=0"), 200);
    ASSERT_EQ(sim.Post("/admin/price?symbol=101&price=5123"), 200);
    const auto moved = nlohmann::json::parse(sim.Get("/admin/state"), nullptr, false);
    ASSERT_TRUE(moved.is_object());
    bool found = false;
    for(const auto& row : moved["prices"]) {
        if(row["symbol"].get<int>() == 101) {
            found = true;
            EXPECT_DOUBLE_EQ(row["last"].get<double>(), 5123.0);
        }
    }
    EXPECT_TRUE(found);
}
