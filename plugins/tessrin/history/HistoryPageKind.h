#pragma once

// What tells one history page of the account family from another.
struct HistoryPageKind
{
    const char* report;    // report name in the path, e.g. "amlog"
    const char* sortField; // sorted on, newest first
    bool amTypeCondition;  // adds "amType" in ("1", "2")
    char marketType;       // accounts offered: this market type only; 0 every account
    const char* layout;    // the column layout's name in the editor configuration
};
