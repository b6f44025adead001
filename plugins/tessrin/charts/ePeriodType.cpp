#include "charts/ePeriodType.h"

#include <cstdlib>
#include <ctime>

namespace {

constexpr int kServerCodes[kPeriodTypeCount] = {4, 15, 5, 6, 7, 8, 13, 14, 9, 10, 11};
constexpr int kDefaultServerCode = 5;

std::tm LocalTime(int64_t time)
{
    const std::time_t t = static_cast<std::time_t>(time);
    std::tm local{};
    localtime_r(&t, &local);
    return local;
}

int64_t FromLocal(std::tm local)
{
    local.tm_sec = 0;
    local.tm_isdst = -1; // let the library decide, so day starts stay 00:00 across a change
    return static_cast<int64_t>(std::mktime(&local));
}

// Whole units of the span between the two times, counted toward zero.
int64_t WholeUnits(int64_t from, int64_t to, int64_t unitSeconds)
{
    return std::llabs((to - from) / unitSeconds);
}

} // namespace

int ServerPeriodCode(int period)
{
    return period >= 0 && period < kPeriodTypeCount ? kServerCodes[period] : kDefaultServerCode;
}

int64_t GetBarStartTime(int period, int64_t time)
{
    std::tm local = LocalTime(time);
    switch(period) {
    case eMinute1:
        break;
    case eMinute3:
        local.tm_min -= local.tm_min % 3;
        break;
    case eMinute5:
        local.tm_min -= local.tm_min % 5;
        break;
    case eMinute15:
        local.tm_min -= local.tm_min % 15;
        break;
    case eMinute30:
        local.tm_min -= local.tm_min % 30;
        break;
    case eHour1:
        local.tm_min = 0;
        break;
    case eHour2:
        local.tm_min = 0;
        local.tm_hour -= local.tm_hour % 2;
        break;
    case eHour4:
        local.tm_min = 0;
        local.tm_hour -= local.tm_hour % 4;
        break;
    case eDay1:
    case eWeek1:
        local.tm_min = 0;
        local.tm_hour = 0;
        break;
    default:
        local.tm_min = 0;
        local.tm_hour = 0;
        local.tm_mday = 1;
        break;
    }
    return FromLocal(local);
}

bool IsSameBar(int period, int64_t barTime, int64_t otherTime)
{
    constexpr int64_t kMinute = 60;
    constexpr int64_t kHour = 3600;
    constexpr int64_t kDay = 86400;
    switch(period) {
    case eMinute1:
        return WholeUnits(barTime, otherTime, kMinute) < 1;
    case eMinute3:
        return WholeUnits(barTime, otherTime, kMinute) < 3;
    case eMinute5:
        return WholeUnits(barTime, otherTime, kMinute) < 5;
    case eMinute15:
        return WholeUnits(barTime, otherTime, kMinute) < 15;
    case eMinute30:
        return WholeUnits(barTime, otherTime, kMinute) < 30;
    case eHour1:
        return WholeUnits(barTime, otherTime, kHour) < 1;
    case eHour2:
        return WholeUnits(barTime, otherTime, kHour) < 2;
    case eHour4:
        return WholeUnits(barTime, otherTime, kHour) < 4;
    case eDay1:
        return WholeUnits(barTime, otherTime, kDay) < 1;
    case eWeek1:
        return WholeUnits(barTime, otherTime, 7 * kDay) < 1;
    default: {
        const std::tm bar = LocalTime(barTime);
        const std::tm other = LocalTime(otherTime);
        return bar.tm_year == other.tm_year && bar.tm_mon == other.tm_mon;
    }
    }
}
