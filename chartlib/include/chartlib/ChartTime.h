#pragma once

#include <cstdint>

namespace chartlib {

// Chart time: seconds since 0001-01-01 00:00:00 of the proleptic Gregorian
// calendar, with no time zone. The epoch is a midnight, so a chart time
// modulo 86,400 is the seconds of its day.
double chartTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// The date of a chart time as year * 10000 + month * 100 + day.
int getChartYMD(double t);

// A chart time taken apart; weekDay 0 is Sunday.
struct ChartDateTime
{
    int year = 1;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekDay = 1;
};

ChartDateTime splitChartTime(double t);

// Whole days since the epoch (day 0 is 0001-01-01, a Monday).
int64_t chartDayNumber(double t);

constexpr double kSecondsPerDay = 86400.0;

} // namespace chartlib
