#pragma once

#include <functional>
#include <wx/datetime.h>
#include <wx/string.h>

// A new local order code: two-digit year, month counted from 0, day, hour,
// minute, second and four random digits ("%02d%02d%02d%02d%02d%02d%04d").
// It is not checked against codes in use. Reads the local clock and the C
// library's generator, which the plug-in seeds at start-up.
wxString MakeLocalOrderCode();
// The code of that local time and random number.
wxString FormatLocalOrderCode(const wxDateTime& when, int random);

// Replaces the clock and the random source of MakeLocalOrderCode while it
// lives, so that tests can fix both. Not nested.
class LocalOrderCodeSource
{
public:
    using Clock = std::function<wxDateTime()>;
    using Random = std::function<int()>;

    LocalOrderCodeSource(Clock clock, Random random);
    ~LocalOrderCodeSource();
    LocalOrderCodeSource(const LocalOrderCodeSource&) = delete;
    LocalOrderCodeSource& operator=(const LocalOrderCodeSource&) = delete;
};
