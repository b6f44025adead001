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

#include "BankPageService.h"
#include "BulletinService.h"
#include "KLineService.h"
#include "ReportQuery.h"
#include "ReportService.h"
#include "SalesReportService.h"
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
    // Bulletins: the poll and the mark-read.
    services.Add(BulletinService::PollRoute(market));
    services.Add(BulletinService::MarkReadRoute(market));

    // The report queries of the history pages (ReportService.h). The query
    // comes from the raw target: httplib's own decoding would turn '+' into
    // a blank.
    for(const std::string& report : ReportService::Names()) {
        services.Add(
            {"GET", "/tolvekquery/report_client/" + report, [&market, report](const httplib::Request& req) {
                 const ReportQuery query = ReportQuery::FromTarget(req.target);
                 auto body = market.RunOnIo([&] {
                     const ReportService reports(market.Server().State(), market.BinaryOptions().Orders());
                     return reports.Answer(report, query)
                         .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
                 });
                 if(!body)
                     return HttpAnswer{503, "text/plain", ""};
                 return HttpAnswer{query.ok ? 200 : 400, "application/json", *body};
             }});
    }

    // The banks' pages that the pushes of bank addresses point at.
    services.Add(BankPageService::SignRoute(market));
    services.Add(BankPageService::DepositRoute(market));

    // The sales report page of the client: HTML over the same history.
    services.Add(
        {"GET", "/tolvekquery/report_client/user_report", [&market](const httplib::Request& req) {
             const ReportQuery query = ReportQuery::FromTarget(req.target);
             if(!query.ok)
                 return HttpAnswer{400, "text/html; charset=utf-8", SalesReportService::BadRequestPage()};
             auto body = market.RunOnIo([&] {
                 const SalesReportService report(market.Server().State(), market.BinaryOptions().Orders());
                 return report.Page(query);
             });
             if(!body)
                 return HttpAnswer{503, "text/plain", ""};
             return HttpAnswer{200, "text/html; charset=utf-8", *body};
         }});
}

} // namespace simmarket
