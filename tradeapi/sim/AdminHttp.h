#pragma once
// The market's HTTP port: the HTTP services (HttpRoutes.cpp) and the admin
// API that tests drive, every endpoint described in AdminApi.md:
//   GET  /admin/state[?logAfter=SEQ]          everything the market knows
//   POST /admin/front?name=trade1|trade2|md&action=drop|refuse|accept|mute|unmute
//   POST /admin/answer?code=C&mode=normal|swallow|delay|fail[&ms=N][&error=E]
//   POST /admin/refuse?codes=C1,C2
//   POST /admin/kick?user=LOGIN
//   POST /admin/price?symbol=ID&price=P
//   POST /admin/push?user=LOGIN&code=C[&front=trade|md]   body: the structure
//   POST /admin/clock?offsetMs=N
//   POST /admin/walk?rate=R
//   POST /admin/http?route=PATH&fault=none|delay|empty|close|garbage|cut|status[&ms=N][&status=N]
// and the routes of MarketEventAdmin (money movements, rates, contracts, risk).
#include "HttpServices.h"
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
    // For a route added before Start (tests add their own).
    HttpServices& Services() { return m_services; }

private:
    void Routes();

    SimMarket& m_market;
    httplib::Server m_http;
    HttpServices m_services;
    std::thread m_thread;
};

} // namespace simmarket
