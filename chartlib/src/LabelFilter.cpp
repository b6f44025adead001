#include "chartlib/LabelFilter.h"

#include "chartlib/ChartConstants.h"
#include "chartlib/ChartTime.h"

#include <cmath>

namespace chartlib {
namespace {

struct Period
{
    int64_t number; // periods since the epoch
    double start;   // chart time it began
    double length;  // seconds
};

bool isLeap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

Period periodOf(LabelFilter::Kind kind, double t)
{
    const ChartDateTime d = splitChartTime(t);
    const int64_t day = chartDayNumber(t);
    switch(kind) {
    case LabelFilter::Kind::StartOfHour:
        return {day * 24 + d.hour, chartTime(d.year, d.month, d.day, d.hour), 3600.0};
    case LabelFilter::Kind::StartOfDay:
        return {day, chartTime(d.year, d.month, d.day), kSecondsPerDay};
    case LabelFilter::Kind::StartOfMonth: {
        const double start = chartTime(d.year, d.month, 1);
        return {int64_t(d.year) * 12 + d.month - 1, start, chartTime(d.year, d.month + 1, 1) - start};
    }
    case LabelFilter::Kind::StartOfYear:
        return {d.year, chartTime(d.year, 1, 1), (isLeap(d.year) ? 366 : 365) * kSecondsPerDay};
    }
    return {day, 0, kSecondsPerDay};
}

} // namespace

bool LabelFilter::selects(const double* times, int count, int index) const
{
    if(index < 0 || index >= count || !hasValue(times[index])) {
        return false;
    }
    const Period here = periodOf(kind, times[index]);
    const int64_t every = step < 1 ? 1 : step;
    if(((here.number % every) + every) % every != 0) {
        return false;
    }
    if(index > 0 && hasValue(times[index - 1])) {
        return periodOf(kind, times[index - 1]).number != here.number;
    }
    return times[index] - here.start <= initialMargin * here.length;
}

} // namespace chartlib
