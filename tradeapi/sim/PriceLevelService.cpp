#include "PriceLevelService.h"

#include "MarketMath.h"
#include "RequestBody.h"

namespace simmarket {

using namespace tradeapi::wire;
using tradeapi::SetFixedText;

PriceLevelService::PriceLevelService(SimServer& server)
    : m_server(server), m_state(server.State()),
      m_ticker(server.Io(), std::chrono::milliseconds(100), [this] { Tick(); })
{}

void PriceLevelService::Register()
{
    m_server.Router().SetHandler(kReqQryPriceReport,
                                 [this](const auto& s, const auto& f) { OnQryPriceReport(s, f); });
    for(const auto& [id, symbol] : m_state.symbols)
        m_pushedPrice[id] = symbol.last;
    m_ticker.Start();
}

sFFixPriceReport PriceLevelService::Levels(const SimSymbol& symbol) const
{
    sFFixPriceReport r{};
    r.priceLevelId = symbol.id;
    const double tick = PointsToPrice(std::max(symbol.stepPoints, 1), symbol.digits);
    const double bid = m_state.Bid(symbol);
    const double ask = m_state.Ask(symbol);
    // Volumes follow from the price, so the same price gives the same depth.
    const long seed = std::lround(symbol.last / PointsToPrice(1, symbol.digits));
    for(int i = 0; i < 5; ++i) {
        r.levels[i] = static_cast<float>(bid - i * tick);
        r.levels[5 + i] = static_cast<float>(5 + (seed + 7 * i) % 40);
        r.levels[10 + i] = static_cast<float>(ask + (4 - i) * tick);
        r.levels[15 + i] = static_cast<float>(5 + (seed + 11 * i + 3) % 40);
    }
    const int64_t now = m_server.Clock().NowMs();
    SetFixedText(r.quoteDate, SimClock::DateText(now));
    SetFixedText(r.quoteTime, SimClock::TimeText(now));
    return r;
}

void PriceLevelService::Tick()
{
    for(const auto& [id, symbol] : m_state.symbols) {
        if(symbol.marketType != '2' || m_pushedPrice[id] == symbol.last)
            continue;
        m_pushedPrice[id] = symbol.last;
        const sFFixPriceReport levels = Levels(symbol);
        for(const auto& session : m_server.AllSessions())
            if(session->Kind() == FrontKind::MarketData && session->userId != 0 &&
               session->subscribed.count(id))
                SendNtf(*session, kNtfPriceReport, levels);
    }
}

void PriceLevelService::OnQryPriceReport(const std::shared_ptr<Session>& session, const Frame& frame)
{
    const auto req = RequestBody<sFFixQryPriceReport>(frame);
    std::vector<sFFixPriceReport> rows;
    SimSymbol* symbol = m_state.FindSymbol(req.priceLevelId);
    if(symbol && symbol->marketType == '2' && m_state.AccountForSymbol(session->userId, *symbol))
        rows.push_back(Levels(*symbol));
    SendRows(*session, kRspQryPriceReport, frame.header.requestId, rows);
}

} // namespace simmarket
