#pragma once
// Shared by the report tests: the demo market with a second user's kept
// history, and the escaping a page applies to its query.
#include "SimMarket.h"

#include <cctype>
#include <nlohmann/json.hpp>
#include <string>

// The demo market with kept history for a second user's account as well.
inline nlohmann::json ReportScenario()
{
    nlohmann::json scenario = nlohmann::json::parse(simmarket::DefaultScenarioText());
    scenario["history"].push_back({{"account", 21}, {"days", 5}, {"closeBills", 7}, {"moneyMoves", 6}});
    return scenario;
}

// Percent-escaping of everything but the unreserved characters.
inline std::string Escaped(const std::string& text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for(const unsigned char c : text) {
        if(std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}
