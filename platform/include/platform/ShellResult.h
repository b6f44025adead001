#pragma once

// Results of starting a program or a browser in the convention of the
// original's shell start, which callers keep checking: above 32 = started.
struct ShellResult
{
    static constexpr int kFileNotFound = 2;   // no such program (or not a full path)
    static constexpr int kAccessDenied = 5;   // not executable
    static constexpr int kBadFormat = 11;     // not a program
    static constexpr int kNoAssociation = 31; // a verb or address nothing takes
    static constexpr int kStarted = 42;

    static bool Started(int code) { return code > 32; }
};
