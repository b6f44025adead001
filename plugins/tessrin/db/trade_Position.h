#pragma once

#include "db/CachedLink.h"

#include <cstdint>

class RecordStore;
struct symbol_Info;

// The net position of one symbol; several rows may share a symbol.
struct trade_Position
{
    int accountKey = 0; // first field of the answer, sent back with the position-close request
    double buyAmount = 0.0;
    double sellAmount = 0.0;
    double buyQuantity = 0.0;
    double sellQuantity = 0.0;
    int symbolId = 0;
    uint32_t refreshSerial = 0;
    mutable CachedLink<symbol_Info> cachedSymbolInfo;

    bool GetSymbolInfo(RecordStore* store) const;
};
