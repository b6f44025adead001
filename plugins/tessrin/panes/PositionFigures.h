#pragma once

#include <wx/string.h>
#include <wx/variant.h>

template <class Record> class CObjectFactory;
struct trade_Position;

// The figures of the positions pane, apart from any window.

// Average price of one side: amount / (contract unit x quantity); 0 when that
// product is 0 or less.
double PositionAveragePrice(double amount, int contractUnit, double quantity);

// A quantity as the link cell shows it: two decimals, followed by "-" when it
// is 0 or less (the renderer draws such a text plain, without a link).
wxString QuantityLinkText(double quantity);
// The same as the one-element text list the hyperlink renderer takes.
wxVariant QuantityLinkValue(double quantity);

// The quantities of the total row: each side summed over every position.
struct PositionTotals
{
    double buyQuantity = 0.0;
    double sellQuantity = 0.0;
};
PositionTotals SumPositionQuantities(const CObjectFactory<trade_Position>& positions);
