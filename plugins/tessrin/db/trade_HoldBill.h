#pragma once

#include "db/CachedLink.h"

#include <cstdint>
#include <wx/datetime.h>
#include <wx/string.h>

class RecordStore;
struct user_Account;
struct symbol_Info;

// One open hold detail: an opening trade not yet fully closed.
struct trade_HoldBill
{
    int accountKey = 0;
    char side = 0; // 'b' or 's'
    int symbolId = 0;
    double stopLoss = 0.0;
    double takeProfit = 0.0;
    double quantity = 0.0;
    wxString orderCode;
    double holdPrice = 0.0;
    double openPrice = 0.0;
    double totalChargeInterest = 0.0;
    double carriedDouble1 = 0.0;
    double chargeOpen = 0.0;
    double marginUsed = 0.0;
    int64_t carriedValue1 = 0;
    wxDateTime openTime;
    char deliveryType = 0;       // '1' may apply for delivery, '2' applied (may withdraw), 0 unset
    double carriedDouble2 = 0.0; // only the query answer fills it
    char deliveryStatus = 0;     // '2' waiting, '3' paired, '4' pairing failed
    wxDateTime carriedTime1;
    double carriedDouble3 = 0.0;
    uint32_t refreshSerial = 0;
    mutable CachedLink<user_Account> cachedAccount;
    mutable CachedLink<symbol_Info> cachedSymbolInfo;

    bool GetAccount(RecordStore* store) const;
    bool GetSymbolInfo(RecordStore* store) const;
};
