// Every HTTP service of the market is registered here, one Add per route:
//
//   services.Add({"GET", "/bulletin/trader", [&market](const httplib::Request& req) {
//       auto body = market.RunOnIo([&] { return market.Bulletins().Json(req...); });
//       return body ? HttpAnswer{200, "application/json", *body} : HttpAnswer{503, "text/plain", ""};
//   }});
//
// The answer function runs on an HTTP worker thread: it reads and changes the
// market only through SimMarket::RunOnIo, copying what it needs. The facility
// logs each request and applies the faults set through POST /admin/http, so a
// route needs no code of its own for either; a route whose body is not JSON
// may say how "garbage" and "cut" spoil it (HttpRoute). Services keep their
// logic in a class of their own and add only their routes here.
#include "HttpRoutes.h"

#include "AdminRequest.h"
#include "SimMarket.h"

#include <climits>

namespace simmarket {

namespace {

HttpAnswer Unavailable()
{
    return HttpAnswer{503, "text/plain", "the market did not answer"};
}

// The bulletin poll: the query's user, count and lower date bound.
HttpAnswer BulletinList(SimMarket& market, const httplib::Request& req)
{
    int userId = 0;
    int limit = 0;
    int64_t fromMs = -1;
    try {
        userId = Id(req, "userid");
        if(req.has_param("msg_count"))
            limit = static_cast<int>(WholeNumber(req, "msg_count", 0, INT_MAX));
    } catch(const std::exception& e) {
        return HttpAnswer{400, "text/plain", e.what()};
    }
    if(req.has_param("curtime")) {
        fromMs = SimClock::ParseDashedDateTime(req.get_param_value("curtime"));
        if(fromMs < 0)
            return HttpAnswer{400, "text/plain", "curtime must be YYYY-MM-DD HH:MM:SS"};
    }
    auto list = market.RunOnIo([&market, userId, fromMs, limit] {
        return market.Bulletins().Bulletins(userId, fromMs, limit).dump();
    });
    return list ? HttpAnswer{200, "application/json", *list} : Unavailable();
}

// The mark-read of a bulletin and the older ones: "true" or "false".
HttpAnswer BulletinMarkRead(SimMarket& market, const httplib::Request& req)
{
    const auto fields = BulletinService::FormFields(req.body);
    int userId = 0;
    int64_t lastMs = -1;
    try {
        const auto user = fields.find("userid");
        const auto last = fields.find("last_time");
        if(user != fields.end() && last != fields.end()) {
            userId = static_cast<int>(WholeNumber(user->second, "userid", INT_MIN, INT_MAX));
            lastMs = SimClock::ParseDashedDateTime(last->second);
        }
    } catch(const std::exception&) {
        lastMs = -1;
    }
    auto marked =
        market.RunOnIo([&market, userId, lastMs] { return market.Bulletins().MarkRead(userId, lastMs); });
    if(!marked)
        return Unavailable();
    return HttpAnswer{200, "text/plain", *marked ? "true" : "false"};
}

} // namespace

void AddHttpRoutes(HttpServices& services, SimMarket& market)
{
    // The local-IP probe of the client: the caller's address as plain text.
    services.Add({"GET", "/getip", [](const httplib::Request& req) {
                      return HttpAnswer{200, "text/plain", req.remote_addr};
                  }});

    // Bulletins (BulletinService.h): the poll and the mark-read.
    services.Add({"GET", "/bulletin/trader",
                  [&market](const httplib::Request& req) { return BulletinList(market, req); }});
    services.Add({"POST", "/bulletin/trader",
                  [&market](const httplib::Request& req) { return BulletinMarkRead(market, req); }});
}

} // namespace simmarket
