#include "KLineService.h"

#include "SimMarket.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <optional>

namespace simmarket {

namespace {

const char kPrefix[] = "var hisquotes_data = ";

// A whole number parameter; false when missing, empty or not wholly a number.
bool WholeParam(const httplib::Request& req, const char* key, int64_t& value)
{
    if(!req.has_param(key))
        return false;
    const std::string text = req.get_param_value(key);
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if(text.empty() || *end != '\0' || errno == ERANGE)
        return false;
    value = parsed;
    return true;
}

HttpAnswer BadRequest(const std::string& why)
{
    return HttpAnswer{400, "text/plain", why};
}

std::string Price(double value, int digits)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", std::min(std::max(digits, 0), 7), value);
    return text;
}

// Applies `change` to the "row" text of every array item, keeping the script around it.
template <class Change> std::string ChangeRows(const std::string& body, Change change)
{
    const auto first = body.find('[');
    const auto last = body.rfind(']');
    if(first == std::string::npos || last == std::string::npos || last < first)
        return body;
    auto rows = nlohmann::json::parse(body.substr(first, last - first + 1), nullptr, false);
    if(!rows.is_array())
        return body;
    for(auto& item : rows)
        if(item.contains("row") && item["row"].is_string())
            item["row"] = change(item["row"].get<std::string>());
    return body.substr(0, first) + rows.dump() + body.substr(last + 1);
}

std::vector<std::string> Split(const std::string& row)
{
    std::vector<std::string> fields;
    std::size_t from = 0;
    for(;;) {
        const auto comma = row.find(',', from);
        fields.push_back(row.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
        if(comma == std::string::npos)
            return fields;
        from = comma + 1;
    }
}

} // namespace

HttpRoute KLineService::Route(SimMarket& market)
{
    return HttpRoute{"GET", kPath, [&market](const httplib::Request& req) { return Answer(market, req); },
                     &NonNumericRows, &CutRows};
}

HttpAnswer KLineService::Answer(SimMarket& market, const httplib::Request& req)
{
    const std::string code = req.get_param_value("symbolCode");
    int64_t period = 0, barcount = 0, time = 0;
    if(code.empty())
        return BadRequest("symbolCode is missing");
    if(!WholeParam(req, "period", period) || !KLineBook::IsPeriodCode(static_cast<int>(period)))
        return BadRequest("period is no period code");
    if(!WholeParam(req, "barcount", barcount) || barcount < -1000000 || barcount > 1000000)
        return BadRequest("barcount is no number");
    if(req.has_param("time") && !WholeParam(req, "time", time))
        return BadRequest("time is no number");

    struct Found
    {
        std::vector<KLine> bars;
        int digits = 2;
    };
    auto found = market.RunOnIo([&]() -> std::optional<Found> {
        for(auto& [id, symbol] : market.Server().State().symbols)
            if(symbol.code == code)
                return Found{market.Prices().KLines().Query(symbol, static_cast<int>(period), time,
                                                            static_cast<int>(barcount)),
                             symbol.digits};
        return std::nullopt;
    });
    if(!found)
        return HttpAnswer{503, "text/plain", "the market did not answer"};
    const Found result = found->value_or(Found{});
    return HttpAnswer{200, "application/javascript", Script(result.bars, result.digits)};
}

std::string KLineService::Script(const std::vector<KLine>& bars, int digits)
{
    nlohmann::json rows = nlohmann::json::array();
    for(const KLine& bar : bars) {
        const std::string stamp = SimClock::DateText(bar.time * 1000) + SimClock::TimeText(bar.time * 1000);
        rows.push_back({{"row", std::to_string(bar.time) + "," + stamp + "," + Price(bar.open, digits) + "," +
                                    Price(bar.high, digits) + "," + Price(bar.low, digits) + "," +
                                    Price(bar.close, digits) + ",0,0"}});
    }
    return kPrefix + rows.dump() + ";\n";
}

std::string KLineService::NonNumericRows(const std::string& body)
{
    return ChangeRows(body, [](const std::string& row) {
        auto fields = Split(row);
        for(std::size_t i = 2; i < fields.size() && i < 6; ++i)
            fields[i] = "n/a";
        std::string out;
        for(std::size_t i = 0; i < fields.size(); ++i)
            out += (i ? "," : "") + fields[i];
        return out;
    });
}

std::string KLineService::CutRows(const std::string& body)
{
    return ChangeRows(body, [](const std::string& row) {
        const auto fields = Split(row);
        std::string out;
        for(std::size_t i = 0; i < fields.size() && i < 5; ++i)
            out += (i ? "," : "") + fields[i];
        return out;
    });
}

} // namespace simmarket
