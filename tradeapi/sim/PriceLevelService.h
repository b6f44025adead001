#pragma once
// Price levels (depth) of the symbols of market type '2': five buy and five
// sell levels around the current price. The levels are answered to the
// price-level query (by symbol id) and pushed on the market-data front
// (1089) to the sessions subscribed to a symbol whenever its price moved.
// Layout of the 24 floats: buy prices 0-4 (best first), buy volumes 5-9,
// sell prices 10-14 (best last), sell volumes 15-19, 20-23 zero.
#include "PeriodicTask.h"
#include "SimServer.h"

namespace simmarket {

class PriceLevelService
{
public:
    explicit PriceLevelService(SimServer& server);

    void Register();
    // Pushes the levels of every symbol whose price moved since its last push.
    void Tick();
    sFFixPriceReport Levels(const SimSymbol& symbol) const;

private:
    void OnQryPriceReport(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);

    SimServer& m_server;
    MarketState& m_state;
    std::map<int, double> m_pushedPrice; // by symbol id
    PeriodicTask m_ticker;
};

} // namespace simmarket
