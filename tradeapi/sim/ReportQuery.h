#pragma once
// One report query of the client's history pages, as its request target
// carries it: ".../report_client/<report>?bizData=<JSON, percent-escaped>".
// The value is taken from the raw target and decoded once, so a '+' stays a
// '+' (it is no space in a JSON text).
//
// Members read from the JSON:
//   "userId", "accId", "tradeMarketId"  decimal texts (or numbers)
//   "parames"  conditions {"operator", "value", "key"}: "tradingday" with the
//              range text ("<from>","<to>") in "%Y-%m-%d %H:%M:%S", both ends
//              included; "amType" with "operator" "in" and an array of codes
//   "pageCtrl" {"start", "limit"} as texts (or numbers)
//   "sort"     {"order": "DESC"|"ASC", "children": [field]}
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <string>

namespace simmarket {

struct ReportQuery
{
    // Largest page a query may ask for.
    static constexpr int kMaxLimit = 1000;

    bool ok = false; // bizData was there and is a JSON object
    nlohmann::ordered_json json;
    int userId = -1;
    std::optional<int> accountKey;
    std::optional<int> tradeMarketId;
    // The "tradingday" range in local milliseconds; a range that does not
    // read matches nothing.
    std::optional<std::pair<int64_t, int64_t>> tradingDay;
    bool badRange = false;
    // "amType" codes; none: every type.
    std::optional<std::set<std::string>> amTypes;
    int start = 0;
    int limit = 10;
    std::string sortField;
    bool descending = true;

    static ReportQuery FromTarget(const std::string& target);
    static ReportQuery FromJson(const nlohmann::ordered_json& json);
    // Decodes %XX escapes once; everything else, '+' included, stays.
    static std::string PercentDecode(const std::string& text);
    // Local "%Y-%m-%d %H:%M:%S" to milliseconds; empty when malformed.
    static std::optional<int64_t> ParseTime(const std::string& text);

    // Whether a row of that time lies in the "tradingday" range.
    bool InRange(int64_t ms) const;
};

} // namespace simmarket
