#pragma once

#include <wx/datetime.h>

// How far a quote's time may lie from the expected server time and still set
// the server clock. A quote outside it (a market's stray or stale time stamp)
// leaves the clock alone; the login answer sets the clock without this check.
constexpr long kServerClockWindowMs = 60 * 1000;

// True when `quoteTime` is valid and within kServerClockWindowMs, either way,
// of `expected` (the local clock moved by the offset of the login answer).
bool IsWithinServerClockWindow(const wxDateTime& quoteTime, const wxDateTime& expected);

// The server's time of day, which the login answer gives without a date, on
// the date that puts it nearest to `now`: the market's midnight may come a
// little before or after the machine's.
wxDateTime NearestServerTime(const wxDateTime& timeOfDay, const wxDateTime& now);

// A quote dated the market's trading day whose time of day is within the
// window of `expected`'s gives the market's date where the login answer gave
// none: `shift` moves `expected` to it (whole calendar days). False for any
// other quote, or when `expected` is within the window already.
bool FindServerDateShift(const wxDateTime& quoteTime, const wxDateTime& expected,
                         const wxDateTime& tradingDay, wxTimeSpan& shift);
