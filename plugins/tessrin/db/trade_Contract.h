#pragma once

#include <cstdint>
#include <wx/datetime.h>
#include <wx/string.h>

// One binary-option contract: the terms for a symbol and period.
struct trade_Contract
{
    double maxInvestAmount = 0.0;
    double minInvestAmount = 0.0;
    double amountStep = 0.0;
    int64_t contractId = 0;
    char contractState = 0; // '2' open for orders
    wxDateTime carriedTime1;
    double carriedDouble1 = 0.0;
    int periodCount = 0;
    wxString carriedText1;
    char periodUnit = 0;
    double profitRate = 0.0; // a fraction
    int carriedInt1 = 0;
    wxDateTime carriedTime2;
    wxString carriedText2;
    int symbolId = 0;
    double chargeRate = 0.0; // a fraction of the amount
    double carriedDouble2 = 0.0;
    double carriedDouble3 = 0.0;
    uint32_t refreshSerial = 0;
};
