#pragma once

#include <cstdint>

// The period of a K-line history. The values are the period numbers of the
// tool bar and of the stored chart settings; eHour2 has no tool of its own.
enum ePeriodType {
    eMinute1 = 0,
    eMinute3 = 1,
    eMinute5 = 2,
    eMinute15 = 3,
    eMinute30 = 4,
    eHour1 = 5,
    eHour2 = 6,
    eHour4 = 7,
    eDay1 = 8,
    eWeek1 = 9,
    eMonth1 = 10,
};
constexpr int kPeriodTypeCount = 11;

// The period code of the market-history service: 4, 15, 5, 6, 7, 8, 13, 14,
// 9, 10, 11 for the periods in order; 5 for any other value.
int ServerPeriodCode(int period);

// Where the K-line holding `time` starts, in local time, seconds set to 0:
// the minute rounded down to the period's minutes; the hour rounded down to
// an even hour or a multiple of 4; 00:00 of the day for days and weeks;
// 00:00 of the first of the month for months and any other value.
int64_t GetBarStartTime(int period, int64_t time);

// Whether `otherTime` falls in the K-line starting at `barTime`: the absolute
// span in whole units (minutes, hours, days, weeks) is below the period's
// count; months (and any other value) compare the local calendar month.
bool IsSameBar(int period, int64_t barTime, int64_t otherTime);
