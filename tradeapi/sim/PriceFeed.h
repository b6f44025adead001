#pragma once
// Market-data subscriptions and the price walk: every symbol moves by a
// seeded random step of up to its stepPoints several times a second, and
// every move goes to the subscribed sessions, to the order engine and into
// the K-lines.
#include "KLineBook.h"
#include "OrderEngine.h"
#include "SimServer.h"

#include <random>

namespace simmarket {

class PriceFeed
{
public:
    PriceFeed(SimServer& server, OrderEngine& engine, unsigned seed);

    void Register();
    // Pushes per second per symbol; 0 stops the walk.
    void SetRate(double pushesPerSecond);
    double Rate() const { return m_rate; }
    // Sets the last price of a symbol and pushes it; false for an unknown
    // symbol or a price that is not positive.
    bool SetPrice(int symbolId, double price);
    // The K-lines of every symbol, fed by every move.
    KLineBook& KLines() { return m_klines; }

private:
    void OnSubscribe(const std::shared_ptr<Session>& session, const tradeapi::wire::Frame& frame);
    void Schedule();
    void Step();
    void Publish(SimSymbol& symbol);

    SimServer& m_server;
    OrderEngine& m_engine;
    std::mt19937 m_random;
    boost::asio::steady_timer m_timer;
    double m_rate = 0;
    unsigned m_generation = 0;
    KLineBook m_klines;
};

} // namespace simmarket
