#pragma once

#include <wx/string.h>

// Display texts of prices, money and risk rates.

// The value with `decimals` decimals (below 0 taken as 0, above 6 printed
// with "%f"). With `trim`, trailing zeros and then a trailing point are cut.
// A value that is no figure (NaN, an infinity, a sum that overflowed, 1e308;
// see IsFigure) is "---".
wxString FormatPrice(double value, int decimals, bool trim = false);

// Amounts, quantities and money: two decimals.
wxString FormatMoney(double value, bool trim = false);

// The risk rate of an account as a percentage with two decimals, for the
// risk kinds '1', '2' and '3'; an em dash where the rate has no meaning
// (kind '1' at or below 0, kinds '2' and '3' at the 10000.0 sentinel, any
// kind when the rate is infinite or NaN);
// empty for any other kind.
wxString RiskRateText(char kind, double rate);
