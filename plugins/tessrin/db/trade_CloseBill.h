#pragma once

#include "db/CachedLink.h"

#include <cstdint>
#include <wx/datetime.h>
#include <wx/string.h>

class RecordStore;
struct symbol_Info;

// One closing trade.
struct trade_CloseBill
{
    int accountKey = 0; // first field of the answer
    int symbolId = 0;
    char side = 0;
    double chargeClose = 0.0;
    double chargeOpen = 0.0;
    char closeType = 0; // '1'..'9', 'A', 'B'
    wxString orderCode;
    wxString orderCodeRe; // the hold detail that was closed
    double closePrice = 0.0;
    double holdPrice = 0.0;
    double openPrice = 0.0;
    double closeProfit = 0.0;
    double quantity = 0.0;
    int64_t carriedValue1 = 0;
    wxDateTime closeTime;
    wxDateTime openTime;
    wxString carriedText1;
    uint32_t refreshSerial = 0;
    int carriedInt1 = 0;
    mutable CachedLink<symbol_Info> cachedSymbolInfo;

    bool GetSymbolInfo(RecordStore* store) const;
};
