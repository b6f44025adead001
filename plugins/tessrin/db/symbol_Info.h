#pragma once

#include "db/CachedLink.h"

#include <cstdint>
#include <wx/arrstr.h>
#include <wx/string.h>

class RecordStore;
struct user_Account;
struct symbol_Property;
struct am_AmountInOut;

// Trading parameters of a symbol.
struct symbol_Info
{
    int userId = 0;
    int accountKey = 0;
    int symbolId = 0;
    double carriedDouble1 = 0.0;
    double carriedDouble2 = 0.0;
    char carriedChar1 = 0;
    int askSpreadPoints = 0;
    int bidSpreadPoints = 0;
    int limitPoints = 0;      // least distance of a limit price from the quote
    int stopLossPoints = 0;   // least distance of a stop-loss from the quote
    int takeProfitPoints = 0; // least distance of a take-profit from the quote
    int carriedInt1 = 0;
    wxString symbolCode;
    char marginType = 0; // '1', '5' fixed per unit; '2', '4' ratio of the order value
    wxArrayString buyMarginList;
    wxArrayString sellMarginList;
    int carriedInt2 = 0;
    double chargeRate = 0.0; // share of an order's value charged at opening (and at closing); 0: none known
    double carriedDouble4 = 0.0;
    double carriedDouble5 = 0.0;
    int carriedInt3 = 0;
    char carriedChar2 = 0;
    char carriedChar3 = 0;
    char marketType = 0; // '1' OTC, '2' aggregate, '3' hang, '4' binary options
    double settlementPrice = 0.0;
    int displayOrder = 0;
    int marketId = 0;
    uint32_t refreshSerial = 0;
    mutable CachedLink<user_Account> cachedAccount;
    mutable CachedLink<symbol_Property> cachedSymbolProperty;

    bool GetAccount(RecordStore* store) const;
    // Inserts a default property when the symbol has none.
    bool GetSymbolProperty(RecordStore* store) const;

    // The account link of a money movement row, which carries the same key and link.
    static bool GetAccount(const am_AmountInOut& row, RecordStore* store);
};
