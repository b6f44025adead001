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

#include "KLineService.h"
#include "SimMarket.h"

namespace simmarket {

void AddHttpRoutes(HttpServices& services, SimMarket& market)
{
    // The local-IP probe of the client: the caller's address as plain text.
    services.Add({"GET", "/getip", [](const httplib::Request& req) {
                      return HttpAnswer{200, "text/plain", req.remote_addr};
                  }});
    // K-line history of the charts.
    services.Add(KLineService::Route(market));
}

} // namespace simmarket
