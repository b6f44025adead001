#include "ReportQuery.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace simmarket {

namespace {

int HexValue(char c)
{
    if(c >= '0' && c <= '9')
        return c - '0';
    if(c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if(c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// A decimal number given as text or as a JSON number.
std::optional<long long> WholeNumber(const nlohmann::ordered_json& value)
{
    if(value.is_number_integer())
        return value.get<long long>();
    if(!value.is_string())
        return std::nullopt;
    const std::string& text = value.get_ref<const std::string&>();
    if(text.empty())
        return std::nullopt;
    char* end = nullptr;
    const long long number = std::strtoll(text.c_str(), &end, 10);
    if(end != text.c_str() + text.size())
        return std::nullopt;
    return number;
}

std::optional<int> IntMember(const nlohmann::ordered_json& object, const char* key)
{
    if(!object.is_object() || !object.contains(key))
        return std::nullopt;
    const auto number = WholeNumber(object[key]);
    if(!number || *number < INT32_MIN || *number > INT32_MAX)
        return std::nullopt;
    return static_cast<int>(*number);
}

// ("2024-03-01 00:00:00","2024-03-05 23:59:59")
std::optional<std::pair<int64_t, int64_t>> ParseRange(const std::string& text)
{
    const auto q1 = text.find('"');
    const auto q2 = q1 == std::string::npos ? q1 : text.find('"', q1 + 1);
    const auto q3 = q2 == std::string::npos ? q2 : text.find('"', q2 + 1);
    const auto q4 = q3 == std::string::npos ? q3 : text.find('"', q3 + 1);
    if(q4 == std::string::npos)
        return std::nullopt;
    const auto from = ReportQuery::ParseTime(text.substr(q1 + 1, q2 - q1 - 1));
    const auto to = ReportQuery::ParseTime(text.substr(q3 + 1, q4 - q3 - 1));
    if(!from || !to)
        return std::nullopt;
    // The end second is whole: 23:59:59 takes in 23:59:59.999.
    return std::make_pair(*from, *to + 999);
}

} // namespace

std::string ReportQuery::PercentDecode(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for(std::size_t i = 0; i < text.size(); ++i) {
        if(text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
           HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::optional<int64_t> ReportQuery::ParseTime(const std::string& text)
{
    std::tm local{};
    char rest = 0;
    if(std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &local.tm_year, &local.tm_mon, &local.tm_mday,
                   &local.tm_hour, &local.tm_min, &local.tm_sec, &rest) != 6)
        return std::nullopt;
    local.tm_year -= 1900;
    local.tm_mon -= 1;
    local.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&local);
    if(seconds == static_cast<std::time_t>(-1))
        return std::nullopt;
    return static_cast<int64_t>(seconds) * 1000;
}

ReportQuery ReportQuery::FromTarget(const std::string& target)
{
    const std::string key = "bizData=";
    const auto query = target.find('?');
    auto at = query == std::string::npos ? std::string::npos : target.find(key, query);
    // The key starts the query or follows another parameter.
    while(at != std::string::npos && target[at - 1] != '?' && target[at - 1] != '&')
        at = target.find(key, at + 1);
    if(at == std::string::npos)
        return ReportQuery();
    const std::string text = PercentDecode(target.substr(at + key.size()));
    return FromJson(nlohmann::ordered_json::parse(text, nullptr, false));
}

ReportQuery ReportQuery::FromJson(const nlohmann::ordered_json& json)
{
    ReportQuery query;
    if(!json.is_object())
        return query;
    query.ok = true;
    query.json = json;
    query.userId = IntMember(json, "userId").value_or(-1);
    query.accountKey = IntMember(json, "accId");
    query.tradeMarketId = IntMember(json, "tradeMarketId");

    if(json.contains("parames") && json["parames"].is_array()) {
        for(const auto& condition : json["parames"]) {
            if(!condition.is_object() || !condition.contains("key") || !condition.contains("value"))
                continue;
            const auto& value = condition["value"];
            if(condition["key"] == "tradingday") {
                query.tradingDay = value.is_string() ? ParseRange(value.get<std::string>()) : std::nullopt;
                query.badRange = !query.tradingDay;
            } else if(condition["key"] == "amType") {
                std::set<std::string> codes;
                if(value.is_array()) {
                    for(const auto& code : value)
                        codes.insert(code.is_string() ? code.get<std::string>() : code.dump());
                } else {
                    codes.insert(value.is_string() ? value.get<std::string>() : value.dump());
                }
                query.amTypes = codes;
            }
        }
    }
    if(json.contains("pageCtrl") && json["pageCtrl"].is_object()) {
        const auto& page = json["pageCtrl"];
        query.start = std::max(0, IntMember(page, "start").value_or(0));
        query.limit = std::clamp(IntMember(page, "limit").value_or(10), 0, kMaxLimit);
    }
    if(json.contains("sort") && json["sort"].is_object()) {
        const auto& sort = json["sort"];
        query.descending = sort.value("order", std::string("DESC")) != "ASC";
        if(sort.contains("children") && sort["children"].is_array() && !sort["children"].empty() &&
           sort["children"][0].is_string())
            query.sortField = sort["children"][0].get<std::string>();
    }
    return query;
}

bool ReportQuery::InRange(int64_t ms) const
{
    if(badRange)
        return false;
    return !tradingDay || (ms >= tradingDay->first && ms <= tradingDay->second);
}

} // namespace simmarket
