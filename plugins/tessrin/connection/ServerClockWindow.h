#pragma once

#include <wx/datetime.h>

// How far a quote's time may lie from the expected server time and still set
// the server clock. A quote outside it (a market's stray or stale time stamp)
// leaves the clock alone; the login answer sets the clock without this check.
constexpr long kServerClockWindowMs = 60 * 1000;

// True when `quoteTime` is valid and within kServerClockWindowMs, either way,
// of `expected` (the local clock moved by the offset of the login answer).
bool IsWithinServerClockWindow(const wxDateTime& quoteTime, const wxDateTime& expected);
