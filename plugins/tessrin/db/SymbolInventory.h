#pragma once

#include "db/CachedLink.h"

#include <cstdint>
#include <wx/datetime.h>
#include <wx/string.h>

class RecordStore;
struct symbol_Info;
struct UserInventory;

// Goods inventory of a symbol at one vendor.
struct SymbolInventory
{
    wxString inventorySN;
    wxDateTime stockInTime;
    int symbolId = 0;
    int marketId = 0;
    double inventoryAmount = 0.0;
    double inventoryAvailable = 0.0;
    double carriedDouble1 = 0.0;
    int inventoryKeyA = 0;
    int inventoryKeyB = 0; // the vendor's store, key of the user's UserInventory row
    wxString vendorName;
    uint32_t refreshSerial = 0;
    mutable CachedLink<symbol_Info> cachedSymbolInfo;
    mutable CachedLink<UserInventory> cachedUserInventory;

    bool GetSymbolInfo(RecordStore* store) const;
    // The user's holding of this symbol at this vendor: (inventoryKeyB, symbolId).
    bool GetUserInventory(RecordStore* store) const;
};

// Copies every field of source into target, links and serial included.
SymbolInventory& AssignGoodsRecord(SymbolInventory& target, const SymbolInventory& source);

// The goods table keeps its old values with the full copy above.
inline SymbolInventory& AssignRecord(SymbolInventory& target, const SymbolInventory& source)
{
    return AssignGoodsRecord(target, source);
}
