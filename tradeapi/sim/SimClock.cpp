#include "SimClock.h"

#include <cstdio>
#include <ctime>

namespace simmarket {

namespace {

std::string Format(int64_t ms, const char* format)
{
    std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

} // namespace

std::string SimClock::DateText(int64_t ms)
{
    return Format(ms, "%Y%m%d");
}

std::string SimClock::TimeText(int64_t ms)
{
    return Format(ms, "%H%M%S");
}

std::string SimClock::DateTimeText(int64_t ms)
{
    return Format(ms, "%Y%m%dT%H%M%S");
}

std::string SimClock::DashedDateTimeText(int64_t ms)
{
    return Format(ms, "%Y-%m-%d %H:%M:%S");
}

int64_t SimClock::ParseDateTime(const std::string& text)
{
    std::tm local{};
    if(text.size() != 15 || std::sscanf(text.c_str(), "%4d%2d%2dT%2d%2d%2d", &local.tm_year, &local.tm_mon,
                                        &local.tm_mday, &local.tm_hour, &local.tm_min, &local.tm_sec) != 6)
        return -1;
    return FromLocal(local);
}

int64_t SimClock::ParseDashedDateTime(const std::string& text)
{
    std::tm local{};
    char tail = 0;
    if(text.size() != 19 ||
       std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &local.tm_year, &local.tm_mon, &local.tm_mday,
                   &local.tm_hour, &local.tm_min, &local.tm_sec, &tail) != 6)
        return -1;
    return FromLocal(local);
}

int64_t SimClock::FromLocal(std::tm local)
{
    local.tm_year -= 1900;
    local.tm_mon -= 1;
    local.tm_isdst = -1;
    const std::tm asked = local;
    const std::time_t seconds = std::mktime(&local);
    // mktime moves a 13th month or a 32nd day on: such a date is malformed.
    if(seconds < 0 || local.tm_year != asked.tm_year || local.tm_mon != asked.tm_mon ||
       local.tm_mday != asked.tm_mday || asked.tm_hour > 23 || asked.tm_min > 59 || asked.tm_sec > 59)
        return -1;
    return static_cast<int64_t>(seconds) * 1000;
}

} // namespace simmarket
