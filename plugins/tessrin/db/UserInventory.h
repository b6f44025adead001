#pragma once

#include "db/CachedLink.h"

#include <cstdint>
#include <wx/string.h>

class RecordStore;
struct symbol_Info;

// Goods that the user holds in a warehouse.
struct UserInventory
{
    int carriedInt1 = 0;
    int storeId = 0;
    int marketId = 0;
    double userAmount = 0.0;
    double financedQuantity = 0.0; // also the quantity of the mirrored store order
    double usedAmount = 0.0;
    int symbolId = 0;
    wxString storeName;
    uint32_t refreshSerial = 0;
    mutable CachedLink<symbol_Info> cachedSymbolInfo;

    bool GetSymbolInfo(RecordStore* store) const;
};
