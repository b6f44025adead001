#include "chartlib/ChartTime.h"

#include <cmath>

namespace chartlib {
namespace {

// Days since 1970-01-01 of a civil date (Howard Hinnant's public algorithm).
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void civilFromDays(int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (month <= 2));
}

const int64_t kEpochFrom1970 = daysFromCivil(1, 1, 1);

} // namespace

double chartTime(int year, int month, int day, int hour, int minute, int second)
{
    // Months outside 1..12 roll into the neighbouring years.
    int64_t y = year;
    int64_t m0 = static_cast<int64_t>(month) - 1;
    y += m0 >= 0 ? m0 / 12 : (m0 - 11) / 12;
    m0 = ((m0 % 12) + 12) % 12;
    const int64_t days = daysFromCivil(y, static_cast<unsigned>(m0 + 1), 1) + (day - 1) - kEpochFrom1970;
    return static_cast<double>(days) * kSecondsPerDay + hour * 3600.0 + minute * 60.0 + second;
}

int64_t chartDayNumber(double t)
{
    return static_cast<int64_t>(std::floor(t / kSecondsPerDay));
}

ChartDateTime splitChartTime(double t)
{
    ChartDateTime out;
    const int64_t days = chartDayNumber(t);
    civilFromDays(days + kEpochFrom1970, out.year, out.month, out.day);
    const int64_t secs = static_cast<int64_t>(std::floor(t - static_cast<double>(days) * kSecondsPerDay));
    out.hour = static_cast<int>(secs / 3600);
    out.minute = static_cast<int>(secs / 60 % 60);
    out.second = static_cast<int>(secs % 60);
    // Day 0 is a Monday.
    out.weekDay = static_cast<int>(((days + 1) % 7 + 7) % 7);
    return out;
}

int getChartYMD(double t)
{
    const ChartDateTime d = splitChartTime(t);
    return d.year * 10000 + d.month * 100 + d.day;
}

} // namespace chartlib
