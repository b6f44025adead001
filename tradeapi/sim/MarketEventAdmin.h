#pragma once
// Admin routes that make the market itself act, so tests need not wait for
// its timers. Each runs on the market's I/O thread and answers JSON:
//   POST /admin/inout?id=N&state=S        a money movement to '2' Processing,
//                                         '3' Pass, '4' Reject or '5' Cancel
//   POST /admin/rate?from=C1&to=C2&rate=R an exchange rate changes
//   POST /admin/contract?no=N&state=S     a binary contract changes state
//   POST /admin/risk?account=K&line=L     the account's money moves it past
//                                         its "normal", "warning" or "force" line
//   POST /admin/tick                      the due work of every timer runs now
#include "SimMarket.h"

#include <httplib.h>

namespace simmarket {

class MarketEventAdmin
{
public:
    static void AddRoutes(httplib::Server& http, SimMarket& market);
};

} // namespace simmarket
