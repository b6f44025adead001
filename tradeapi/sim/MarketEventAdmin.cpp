#include "MarketEventAdmin.h"

#include "AdminRequest.h"

namespace simmarket {

using nlohmann::json;

void MarketEventAdmin::AddRoutes(httplib::Server& http, SimMarket& market)
{
    const json ok = {{"ok", true}};

    http.Post("/admin/inout", Guarded(market, [&market, ok](const httplib::Request& req) {
                  if(!market.Money().SetMovementState(Id(req, "id"), OneChar(req, "state")))
                      return Error("unknown movement or a state it cannot reach");
                  return ok;
              }));

    http.Post("/admin/rate", Guarded(market, [&market, ok](const httplib::Request& req) {
                  if(!market.Money().SetExchangeRate(req.get_param_value("from"), req.get_param_value("to"),
                                                     Number(req, "rate")))
                      return Error("currencies of 1 to 4 characters and a positive rate are needed");
                  return ok;
              }));

    http.Post("/admin/contract", Guarded(market, [&market, ok](const httplib::Request& req) {
                  if(!market.BinaryOptions().SetContractState(Id(req, "no"), OneChar(req, "state")))
                      return Error("unknown contract");
                  return ok;
              }));

    http.Post("/admin/risk", Guarded(market, [&market, ok](const httplib::Request& req) {
                  const std::string problem =
                      market.Risk().MoveAcross(Id(req, "account"), req.get_param_value("line"));
                  return problem.empty() ? ok : Error(problem);
              }));

    http.Post("/admin/goods", Guarded(market, [&market, ok](const httplib::Request& req) {
                  const int account = Id(req, "account");
                  if(!market.Server().State().FindAccount(account))
                      return Error("unknown account");
                  if(!market.Server().State().FindSymbol(Id(req, "symbol")))
                      return Error("unknown symbol");
                  market.Goods().AddGoods(account, Id(req, "store"), Id(req, "symbol"), Number(req, "delta"));
                  return ok;
              }));

    http.Post("/admin/tick", Guarded(market, [&market, ok](const httplib::Request&) {
                  market.Money().Tick();
                  market.BinaryOptions().Tick();
                  market.Deliveries().Tick();
                  market.Risk().Tick();
                  market.PriceLevels().Tick();
                  return ok;
              }));
}

} // namespace simmarket
