#include "AdminRequest.h"

#include <climits>
#include <cmath>
#include <stdexcept>

namespace simmarket {

using nlohmann::json;

namespace {

double Finite(const std::string& text, const char* name)
{
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

std::string Param(const httplib::Request& req, const char* name)
{
    if(!req.has_param(name))
        throw std::invalid_argument(std::string("missing parameter ") + name);
    return req.get_param_value(name);
}

} // namespace

double Number(const httplib::Request& req, const char* name)
{
    return Finite(Param(req, name), name);
}

int64_t WholeNumber(const std::string& text, const char* name, int64_t low, int64_t high)
{
    const double value = Finite(text, name);
    // Compared as doubles before the cast, so the cast is always defined.
    if(value != std::floor(value) || value < static_cast<double>(low) || value > static_cast<double>(high))
        throw std::invalid_argument(std::string("parameter ") + name + " must be a whole number from " +
                                    std::to_string(low) + " to " + std::to_string(high));
    return static_cast<int64_t>(value);
}

int64_t WholeNumber(const httplib::Request& req, const char* name, int64_t low, int64_t high)
{
    return WholeNumber(Param(req, name), name, low, high);
}

int Id(const httplib::Request& req, const char* name)
{
    return static_cast<int>(WholeNumber(req, name, INT_MIN, INT_MAX));
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

httplib::Server::Handler Guarded(SimMarket& market, AdminBody body)
{
    return [&market, body](const httplib::Request& req, httplib::Response& res) {
        json result;
        int status = 200;
        try {
            // The task owns what it reads: after a time-out it may still run
            // once this handler has returned.
            auto request = std::make_shared<httplib::Request>(req);
            auto answer = market.RunOnIo([body, request] { return body(*request); });
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
        // Texts from clients may hold any bytes: never fail on them here.
        res.set_content(result.dump(-1, ' ', false, json::error_handler_t::replace), "application/json");
    };
}

} // namespace simmarket
