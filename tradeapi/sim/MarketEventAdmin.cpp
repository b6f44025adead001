#include "MarketEventAdmin.h"

#include <cmath>
#include <functional>

namespace simmarket {

using nlohmann::json;

namespace {

using Body = std::function<json(const httplib::Request&)>;

double Number(const httplib::Request& req, const char* name)
{
    if(!req.has_param(name))
        throw std::invalid_argument(std::string("missing parameter ") + name);
    const std::string text = req.get_param_value(name);
    std::size_t used = 0;
    double value = 0;
    try {
        value = std::stod(text, &used);
    } catch(const std::exception&) {
        used = 0;
    }
    if(used == 0 || used != text.size() || !std::isfinite(value))
        throw std::invalid_argument(std::string("parameter ") + name + " is not a number");
    return value;
}

// A whole number that fits the ids of the market.
int Id(const httplib::Request& req, const char* name)
{
    const double value = Number(req, name);
    if(value != std::floor(value) || value < -2147483648.0 || value > 2147483647.0)
        throw std::invalid_argument(std::string("parameter ") + name + " is not an id");
    return static_cast<int>(value);
}

char OneChar(const httplib::Request& req, const char* name)
{
    const std::string text = req.get_param_value(name);
    if(text.size() != 1)
        throw std::invalid_argument(std::string("parameter ") + name + " must be one character");
    return text[0];
}

json Error(const std::string& text)
{
    return {{"ok", false}, {"error", text}};
}

// Runs the body on the market's thread: bad parameters give 400, a market
// that does not answer 503.
httplib::Server::Handler Guarded(SimMarket& market, Body body)
{
    return [&market, body](const httplib::Request& req, httplib::Response& res) {
        json result;
        int status = 200;
        try {
            auto answer = market.RunOnIo([&] { return body(req); });
            if(!answer) {
                status = 503;
                result = Error("market not answering");
            } else {
                result = *answer;
                if(result.contains("error"))
                    status = 400;
            }
        } catch(const std::exception& e) {
            status = 400;
            result = Error(e.what());
        }
        res.status = status;
        res.set_content(result.dump(), "application/json");
    };
}

} // namespace

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
