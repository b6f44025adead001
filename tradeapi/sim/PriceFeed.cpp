#include "PriceFeed.h"

#include "MarketMath.h"

#include <cmath>
#include <cstring>

namespace simmarket {

using namespace tradeapi::wire;

PriceFeed::PriceFeed(SimServer& server, OrderEngine& engine, unsigned seed)
    : m_server(server), m_engine(engine), m_random(seed), m_timer(server.Io()),
      m_klines(seed, server.Clock().NowMs() / 1000)
{}

void PriceFeed::Register()
{
    m_server.Router().SetHandler(kReqSubscribeMarketData,
                                 [this](const auto& s, const auto& f) { OnSubscribe(s, f); });
    SetRate(m_server.State().pricePushesPerSecond);
}

void PriceFeed::OnSubscribe(const std::shared_ptr<Session>& session, const Frame& frame)
{
    if(frame.body.size() % sizeof(sFFixSubscribeEntry) != 0) {
        m_server.Router().ReplyFailure(*session, frame, 4, "subscription list of the wrong size");
        return;
    }
    std::vector<int32_t> accepted;
    for(std::size_t i = 0; i < frame.body.size(); i += sizeof(sFFixSubscribeEntry)) {
        sFFixSubscribeEntry entry;
        std::memcpy(&entry, frame.body.data() + i, sizeof entry);
        if(m_server.State().FindSymbol(entry.symbolId) && !session->subscribed.count(entry.symbolId)) {
            session->subscribed.insert(entry.symbolId);
            accepted.push_back(entry.symbolId);
        }
    }
    const sFFixRspInfo info = MakeInfo(0, "");
    session->Send(EncodeFrame(kRspSubscribeMarketData, frame.header.requestId, 0, &info, sizeof info,
                              accepted.data(), accepted.size() * sizeof(int32_t)));
    // The current quote at once, so a new subscriber need not wait for a move.
    const int64_t now = m_server.Clock().NowMs();
    for(int32_t id : accepted)
        SendNtf(*session, kNtfMarketData, m_server.Rows().MarketData(*m_server.State().FindSymbol(id), now));
}

void PriceFeed::SetRate(double pushesPerSecond)
{
    m_rate = pushesPerSecond > 0 && std::isfinite(pushesPerSecond) ? std::min(pushesPerSecond, 100.0) : 0.0;
    ++m_generation;
    m_timer.cancel();
    if(m_rate > 0)
        Schedule();
}

void PriceFeed::Schedule()
{
    const unsigned generation = m_generation;
    m_timer.expires_after(std::chrono::microseconds(static_cast<int64_t>(1e6 / m_rate)));
    m_timer.async_wait([this, generation](const boost::system::error_code& ec) {
        if(ec || generation != m_generation)
            return;
        Step();
        Schedule();
    });
}

void PriceFeed::Step()
{
    for(auto& [id, symbol] : m_server.State().symbols) {
        std::uniform_int_distribution<int> move(-symbol.stepPoints, symbol.stepPoints);
        const double next = symbol.last + PointsToPrice(move(m_random), symbol.digits);
        if(next > PointsToPrice(symbol.bidSpread + 1, symbol.digits)) {
            symbol.last = next;
            Publish(symbol);
        }
    }
}

bool PriceFeed::SetPrice(int symbolId, double price)
{
    SimSymbol* symbol = m_server.State().FindSymbol(symbolId);
    if(!symbol || !(price > 0) || !std::isfinite(price))
        return false;
    symbol->last = price;
    Publish(*symbol);
    return true;
}

void PriceFeed::Publish(SimSymbol& symbol)
{
    // Keep the price on its grid so the client and the market round alike.
    const double scale = std::pow(10.0, std::min(std::max(symbol.digits, 0), 7));
    symbol.last = std::round(symbol.last * scale) / scale;
    symbol.high = std::max(symbol.high, symbol.last);
    symbol.low = std::min(symbol.low, symbol.last);
    const int64_t now = m_server.Clock().NowMs();
    const sFFixMarketData tick = m_server.Rows().MarketData(symbol, now);
    // The quote carries whole seconds: the K-lines use the same time.
    m_klines.OnTick(symbol, now / 1000);
    for(const auto& session : m_server.AllSessions())
        if(session->Kind() == FrontKind::MarketData && session->userId != 0 &&
           session->subscribed.count(symbol.id))
            SendNtf(*session, kNtfMarketData, tick);
    m_engine.OnPriceChanged(symbol.id);
}

} // namespace simmarket
