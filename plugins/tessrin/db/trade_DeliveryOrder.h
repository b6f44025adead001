#pragma once

#include "db/CachedLink.h"

#include <cstdint>
#include <wx/datetime.h>
#include <wx/string.h>

class RecordStore;
struct symbol_Info;

// One delivery of goods against a hold.
struct trade_DeliveryOrder
{
    int accountKey = 0; // first field of the answer
    char side = 0;
    double chargeClose = 0.0;
    char carriedChar1 = 0;
    wxString orderCode;
    wxString orderCodeRe;
    double deliveryPrice = 0.0;
    double carriedDouble1 = 0.0;
    double carriedDouble2 = 0.0;
    double closeProfit = 0.0;
    double quantity = 0.0;
    int symbolId = 0;
    int64_t carriedValue1 = 0;
    wxDateTime closeTime;
    wxDateTime carriedTime1;
    char deliveryConfirmStatus = 0;
    wxDateTime deliveryConfirmTime; // year 1900: not confirmed
    double deliveryMargin = 0.0;
    wxDateTime deliveryTime;
    double deliveryMoney = 0.0;
    double deliveryCharge = 0.0;
    uint32_t refreshSerial = 0;
    int carriedInt1 = 0;
    mutable CachedLink<symbol_Info> cachedSymbolInfo;

    bool GetSymbolInfo(RecordStore* store) const;
};
