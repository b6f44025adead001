#pragma once

#include <wx/string.h>

// A chart or contract period: a count of units. Units: '1' second,
// '2' minute, '3' hour, '4' day, '5' month; written "S", "M", "H", "D" and
// "m" (so "M" is minute and "m" month).
struct ChartPeriod
{
    int count = 0;
    char unit = 0;
};

// The first "<digits><letter>" in the text, e.g. "15M" -> {15, '2'};
// {0, 0} when there is none.
ChartPeriod ParsePeriod(const wxString& text);

// "%d%s" of the count and the unit's letter, e.g. "15M"; "UNKNOW" for a
// unit without a letter.
wxString PeriodText(int count, char unit);
