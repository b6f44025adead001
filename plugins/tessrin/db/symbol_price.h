#pragma once

#include "db/CachedLink.h"

#include <cstdint>
#include <wx/datetime.h>

class RecordStore;
struct symbol_Property;

// The latest quote of a symbol.
struct symbol_price
{
    int symbolId = 0;
    int digits = 0; // may be negative
    double highPrice = 0.0;
    double lowPrice = 0.0;
    double lastPrice = 0.0;
    double carriedPrices[8] = {}; // the rest of the quote, in answer order
    wxDateTime quoteTime;
    double carriedDouble1 = 0.0; // set from the symbol query
    uint32_t refreshSerial = 0;
    // Quoted by the market-data link since it last came up; a price from a
    // symbol query or from before a drop is stale.
    bool live = false;
    mutable CachedLink<symbol_Property> cachedSymbolProperty;

    bool GetSymbolProperty(RecordStore* store) const;
};
