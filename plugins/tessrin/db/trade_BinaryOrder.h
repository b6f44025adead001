#pragma once

#include "db/CachedLink.h"

#include <cstdint>
#include <wx/datetime.h>
#include <wx/string.h>

class RecordStore;
struct symbol_Info;

// One binary-option order: up or down after a period.
struct trade_BinaryOrder
{
    int accountKey = 0; // first field of the answer
    int symbolId = 0;
    char side = 0; // 'b' up, 's' down
    int periodCount = 0;
    wxString periodName;
    char periodUnit = 0;         // '1'..'5' second, minute, hour, day, month
    double referencePrice = 0.0; // the order price the result is judged against
    double openPrice = 0.0;
    double expirePrice = 0.0;
    double orderAmount = 0.0;
    wxString orderCode;
    double profit = 0.0;
    double openCharge = 0.0;
    double closeCharge = 0.0;
    wxDateTime openTime;
    wxDateTime expireTime;
    double lossBackRate = 0.0;
    double profitRate = 0.0;
    int64_t contractId = 0;
    char orderState = 0; // '2' settled, '3' running, '4' canceled
    int periodSeconds = 0;
    wxString marketName; // trade market name of history rows
    double carriedDouble1 = 0.0;
    int carriedInt1 = 0;
    double charge = 0.0;
    uint32_t refreshSerial = 0;
    wxDateTime localExpireTime;
    int remainingMs = 0; // remaining time of a running order, kept by the countdown
    mutable CachedLink<symbol_Info> cachedSymbolInfo;

    bool GetSymbolInfo(RecordStore* store) const;
};
