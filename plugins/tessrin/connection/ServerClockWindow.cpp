#include "connection/ServerClockWindow.h"

bool IsWithinServerClockWindow(const wxDateTime& quoteTime, const wxDateTime& expected)
{
    if(!quoteTime.IsValid() || !expected.IsValid()) {
        return false;
    }
    const wxLongLong difference = (quoteTime - expected).GetMilliseconds().Abs();
    return difference <= kServerClockWindowMs;
}

namespace {
// `clock`'s time of day on the date of `date` moved by `days`.
wxDateTime OnDate(const wxDateTime& clock, const wxDateTime& date, int days)
{
    const wxDateTime day = date + wxDateSpan::Days(days);
    return wxDateTime(day.GetDay(), day.GetMonth(), day.GetYear(), clock.GetHour(), clock.GetMinute(),
                      clock.GetSecond(), clock.GetMillisecond());
}
} // namespace

wxDateTime NearestServerTime(const wxDateTime& timeOfDay, const wxDateTime& now)
{
    if(!timeOfDay.IsValid() || !now.IsValid()) {
        return timeOfDay;
    }
    wxDateTime nearest;
    for(int days : {0, -1, 1}) {
        const wxDateTime candidate = OnDate(timeOfDay, now, days);
        if(!nearest.IsValid() || (candidate - now).Abs() < (nearest - now).Abs()) {
            nearest = candidate;
        }
    }
    return nearest;
}

bool FindServerDateShift(const wxDateTime& quoteTime, const wxDateTime& expected,
                         const wxDateTime& tradingDay, wxTimeSpan& shift)
{
    if(!quoteTime.IsValid() || !expected.IsValid() || !tradingDay.IsValid() ||
       !quoteTime.IsSameDate(tradingDay) || IsWithinServerClockWindow(quoteTime, expected)) {
        return false;
    }
    // Either side of the quote's midnight.
    for(int days : {0, -1, 1}) {
        const wxDateTime moved = OnDate(expected, quoteTime, days);
        if(IsWithinServerClockWindow(quoteTime, moved)) {
            shift = moved - expected;
            return true;
        }
    }
    return false;
}
