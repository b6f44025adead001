#pragma once

#include "db/CachedLink.h"

#include <cstdint>
#include <wx/datetime.h>
#include <wx/string.h>

class RecordStore;
struct user_Account;
struct symbol_Info;

// One pending limit or stop order.
struct trade_Limit
{
    int accountKey = 0;
    int symbolId = 0;
    char side = 0;
    char limitType = 0; // '1'..'4'
    double freezed = 0.0;
    wxString orderCode;
    double orderPrice = 0.0;
    double quantityComplete = 0.0;
    double quantityOrder = 0.0;
    double stopLoss = 0.0;
    double takeProfit = 0.0;
    wxDateTime openTime;
    wxDateTime validDate;
    char validDateType = 0; // '1'..'3'
    char carriedChar1 = 0;
    double carriedDouble1 = 0.0;
    wxString carriedText1;
    uint32_t refreshSerial = 0;
    mutable CachedLink<user_Account> cachedAccount;
    mutable CachedLink<symbol_Info> cachedSymbolInfo;

    bool GetAccount(RecordStore* store) const;
    bool GetSymbolInfo(RecordStore* store) const;
};
