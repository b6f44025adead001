#pragma once
// Shared by the admin routes: checked parameters and the wrapper that runs a
// route on the market's thread. A bad parameter throws std::invalid_argument,
// which the wrapper answers with 400.
#include "SimMarket.h"

#include <cstdint>
#include <functional>
#include <httplib.h>
#include <nlohmann/json.hpp>
#include <string>

namespace simmarket {

// A finite number; "nan", "inf" and trailing text are refused.
double Number(const httplib::Request& req, const char* name);
// A whole number from low to high; both bounds must be exact as doubles.
int64_t WholeNumber(const std::string& text, const char* name, int64_t low, int64_t high);
int64_t WholeNumber(const httplib::Request& req, const char* name, int64_t low, int64_t high);
// A whole number that fits the ids and codes of the market.
int Id(const httplib::Request& req, const char* name);
char OneChar(const httplib::Request& req, const char* name);

nlohmann::json Error(const std::string& text);

using AdminBody = std::function<nlohmann::json(const httplib::Request&)>;
// Runs the body on the market's thread: an answer with "error" or a bad
// parameter gives 400, a market that does not answer in time 503.
httplib::Server::Handler Guarded(SimMarket& market, AdminBody body);

} // namespace simmarket
