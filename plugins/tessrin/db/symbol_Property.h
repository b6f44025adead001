#pragma once

#include "db/CachedLink.h"

#include <cstdint>
#include <wx/datetime.h>
#include <wx/string.h>

class RecordStore;
struct symbol_price;

// Texts and display parameters of a symbol.
struct symbol_Property
{
    int symbolId = 0;
    wxString symbolCode;
    wxString symbolName;
    int digits = 0;
    char carriedChar1 = 0;
    int carriedInt1 = 0;
    wxString marketName;
    wxString carriedText1;
    int contractSize = 0;
    int maxHoldQuantity = 0;
    int maxOrderQuantity = 0;
    wxDateTime carriedTime1;
    wxDateTime carriedTime2;
    wxString currency;
    uint32_t refreshSerial = 0;
    mutable CachedLink<symbol_price> cachedSymbolPrice;

    // Inserts a default price row when the symbol has none.
    bool GetSymbolPrice(RecordStore* store) const;
};
