#pragma once
// GET /quotes/hisquotes_data.js, the market-history service of the K-line
// charts: "symbolCode" (the symbol's code), "period" (a KLineBook code),
// "barcount" and, optionally, "time" (seconds since 1970). The answer is a
// script text with one JSON array of {"row": "time,stamp,open,high,low,close,
// volume,amount"} objects, oldest first.
#include "HttpServices.h"
#include "KLineBook.h"

#include <string>
#include <vector>

namespace simmarket {

class SimMarket;

class KLineService
{
public:
    static constexpr const char* kPath = "/quotes/hisquotes_data.js";

    // The route, reading the K-lines on the market's I/O thread.
    static HttpRoute Route(SimMarket& market);
    // The answer to the parameters of one request; 400 for a missing or
    // malformed parameter, an empty array for an unknown symbol.
    static HttpAnswer Answer(SimMarket& market, const httplib::Request& req);

    static std::string Script(const std::vector<KLine>& bars, int digits);
    // The route's faults: every row's prices replaced by words; every row
    // cut to its first five fields.
    static std::string NonNumericRows(const std::string& body);
    static std::string CutRows(const std::string& body);
};

} // namespace simmarket
