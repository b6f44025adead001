#pragma once

#include <wx/string.h>

// An order for a symbol of market type '3' that the trader keeps on this
// machine only; nothing sends it to the market.
struct HangOrder
{
    wxString orderCode;  // MakeLocalOrderCode; unique
    wxString symbolName; // the name text of the symbol's property record
    wxString unitName;   // "Kg", shown translated
    double quantityComplete = 0.0;
    wxString bsCode; // "Buy" or "Sell", shown translated
    double priceOrder = 0.0;
    wxString storeName; // warehouse
    double quantityOrder = 0.0;
    // As typed, shown again when the order is looked at; none in files of
    // earlier builds.
    double minQuantity = 0.0;
    wxString effectiveDay;

    double GetQuantityRemaining() const { return quantityOrder - quantityComplete; }
};
