#pragma once
// The market's HTTP port: GET /getip and the admin API that tests drive.
// Every admin call runs on the market's I/O thread and answers JSON:
//   GET  /admin/state                         sessions, accounts, orders, prices
//   POST /admin/front?name=trade1|trade2|md&action=drop|refuse|accept
//   POST /admin/answer?code=C&mode=normal|swallow|delay|fail[&ms=N][&error=E]
//        (C = the answer code of the request kind, e.g. 1009 for orders)
//   POST /admin/refuse?codes=C1,C2           those request operations return 0
//   POST /admin/kick?user=LOGIN
//   POST /admin/price?symbol=ID&price=P
//   POST /admin/push?user=LOGIN&code=C[&front=trade|md]   body: the structure
//   POST /admin/clock?offsetMs=N
//   POST /admin/walk?rate=R                   price pushes per second, 0 stops
// and the routes of MarketEventAdmin (money movements, rates, contracts, risk).
#include "SimMarket.h"

#include <httplib.h>
#include <thread>

namespace simmarket {

class AdminHttp
{
public:
    explicit AdminHttp(SimMarket& market);
    ~AdminHttp();

    // Port 0 picks a free port; returns the port or throws.
    unsigned short Start(unsigned short port);
    void Stop();

private:
    void Routes();

    SimMarket& m_market;
    httplib::Server m_http;
    std::thread m_thread;
};

} // namespace simmarket
