#include "chartlib/ValueFormat.h"

#include "chartlib/ChartConstants.h"
#include "chartlib/ChartTime.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace chartlib {
namespace {

bool allDigits(const std::string& text, size_t from = 0)
{
    return text.size() > from &&
           std::all_of(text.begin() + from, text.end(), [](unsigned char c) { return std::isdigit(c); });
}

// Fixed decimals with halves away from zero. The nudge of a few units in the
// last place makes 10.005 (stored as 10.00499999...) read as the trader typed it.
std::string fixed(double value, int decimals)
{
    decimals = std::clamp(decimals, 0, 15);
    if(!std::isfinite(value)) {
        return std::string();
    }
    const double scale = std::pow(10.0, decimals);
    const double scaled = std::fabs(value) * scale;
    if(scaled >= 9.0e15) {
        char buffer[400];
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
        return buffer;
    }
    const uint64_t rounded =
        static_cast<uint64_t>(std::floor(scaled + 0.5 + std::max(scaled * 1e-14, 1e-12)));
    const uint64_t unit = static_cast<uint64_t>(scale);
    std::string out = (value < 0 && rounded != 0) ? "-" : "";
    out += std::to_string(rounded / unit);
    if(decimals > 0) {
        std::string frac = std::to_string(rounded % unit);
        out += '.';
        out.append(static_cast<size_t>(decimals) - frac.size(), '0');
        out += frac;
    }
    return out;
}

std::string precision(double value, int digits)
{
    digits = std::max(1, digits);
    if(value == 0 || !std::isfinite(value)) {
        return fixed(value, digits - 1);
    }
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    return fixed(value, std::max(0, digits - 1 - magnitude));
}

std::string general(double value)
{
    if(value == 0 || !std::isfinite(value)) {
        return "0";
    }
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    std::string out = fixed(value, std::max(0, 9 - magnitude));
    if(out.find('.') != std::string::npos) {
        out.erase(out.find_last_not_of('0') + 1);
        if(out.back() == '.') {
            out.pop_back();
        }
    }
    return out == "-0" ? "0" : out;
}

std::string twoDigits(int v)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", v);
    return buffer;
}

std::string date(double t, const std::string& pattern)
{
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const ChartDateTime d = splitChartTime(t);
    std::string out;
    size_t i = 0;
    auto take = [&](const char* code) {
        const size_t n = std::char_traits<char>::length(code);
        if(pattern.compare(i, n, code) == 0) {
            i += n;
            return true;
        }
        return false;
    };
    while(i < pattern.size()) {
        if(take("yyyy")) {
            out += std::to_string(d.year);
        } else if(take("yy")) {
            out += twoDigits(d.year % 100);
        } else if(take("mmm")) {
            out += kMonths[d.month - 1];
        } else if(take("mm")) {
            out += twoDigits(d.month);
        } else if(take("m")) {
            out += std::to_string(d.month);
        } else if(take("dd")) {
            out += twoDigits(d.day);
        } else if(take("d")) {
            out += std::to_string(d.day);
        } else if(take("hh")) {
            out += twoDigits(d.hour);
        } else if(take("h")) {
            out += std::to_string(d.hour);
        } else if(take("nn")) {
            out += twoDigits(d.minute);
        } else if(take("n")) {
            out += std::to_string(d.minute);
        } else if(take("ss")) {
            out += twoDigits(d.second);
        } else if(take("s")) {
            out += std::to_string(d.second);
        } else {
            out += pattern[i++];
        }
    }
    return out;
}

} // namespace

std::string formatPattern(double value, const std::string& pattern)
{
    if(!hasValue(value)) {
        return std::string();
    }
    if(pattern.empty()) {
        return general(value);
    }
    if(allDigits(pattern)) {
        return fixed(value, std::atoi(pattern.c_str()));
    }
    if(pattern[0] == 'P' && allDigits(pattern, 1)) {
        return precision(value, std::atoi(pattern.c_str() + 1));
    }
    return date(value, pattern);
}

std::string expandTemplate(const std::string& text, const FieldLookup& lookup)
{
    std::string out;
    size_t pos = 0;
    while(pos < text.size()) {
        const size_t open = text.find('{', pos);
        const size_t close = open == std::string::npos ? open : text.find('}', open);
        if(close == std::string::npos) {
            out.append(text, pos, std::string::npos);
            break;
        }
        out.append(text, pos, open - pos);
        const std::string inside = text.substr(open + 1, close - open - 1);
        const size_t bar = inside.find('|');
        const std::string name = inside.substr(0, bar);
        const std::string pattern = bar == std::string::npos ? std::string() : inside.substr(bar + 1);
        const FieldValue field = lookup ? lookup(name) : FieldValue();
        if(!field.found) {
            out.append(text, open, close - open + 1);
        } else if(field.isText) {
            out += field.text;
        } else {
            out += formatPattern(field.number, pattern);
        }
        pos = close + 1;
    }
    return out;
}

std::string formatValue(double value, const std::string& format)
{
    if(format.find('{') == std::string::npos) {
        return formatPattern(value, format);
    }
    return expandTemplate(format, [value](const std::string& name) {
        return name == "value" ? FieldValue::Number(value) : FieldValue();
    });
}

} // namespace chartlib
