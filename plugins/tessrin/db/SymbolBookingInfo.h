#pragma once

#include "db/CachedLink.h"

#include <cstdint>

class RecordStore;
struct UserInventory;

// Nothing fills this table; it keeps its place in the store.
struct SymbolBookingInfo
{
    int storeId = 0; // unique key
    int symbolId = 0;
    uint32_t refreshSerial = 0;
    mutable CachedLink<UserInventory> cachedUserInventory;

    bool GetUserInventory(RecordStore* store) const;
};
