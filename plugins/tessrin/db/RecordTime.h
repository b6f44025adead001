#pragma once

#include <wx/datetime.h>

// Date-time comparisons that accept the invalid date-time of a record that
// never received a value; it counts as earlier than every valid time and equal
// to itself. (wxDateTime's own operators assert on it.)
bool RecordTimeEqual(const wxDateTime& a, const wxDateTime& b);
bool RecordTimeLater(const wxDateTime& a, const wxDateTime& b);

struct RecordTimeLess
{
    bool operator()(const wxDateTime& a, const wxDateTime& b) const { return RecordTimeLater(b, a); }
};
