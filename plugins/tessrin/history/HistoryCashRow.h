#pragma once

#include <cstdint>
#include <wx/datetime.h>
#include <wx/string.h>

// One entry of an account's cash log as the report server keeps it.
struct HistoryCashRow
{
    int accountKey = 0;
    double amountAfter = 0.0;
    double amountBefore = 0.0;
    double amountChanged = 0.0;
    char changeType = 0; // the codes of AmountTypeText
    wxDateTime changeTime;
    int64_t serial = 0;
    wxString marketName;
};
