#include "db/NumberFormat.h"

#include "db/TradeArithmetic.h"

#include <cmath>

namespace {

// Rates at or above this are the sentinel of a rate without meaning.
constexpr double kMeaninglessRate = 10000.0;

const char* PriceFormat(int decimals)
{
    static const char* const formats[] = {"%.0f", "%.01f", "%.02f", "%.03f", "%.04f", "%.05f", "%.06f"};
    return decimals < 0 ? formats[0] : decimals <= 6 ? formats[decimals] : "%f";
}

wxString EmDash()
{
    return wxString(wxUniChar(0x2014));
}

wxString Percentage(double rate)
{
    return wxString::FromDouble(rate * 100, 2) + "%";
}

// What a cell shows for a sum that overflowed or a value that is no figure.
wxString NoNumberText()
{
    return "---";
}

} // namespace

wxString FormatPrice(double value, int decimals, bool trim)
{
    // Never hundreds of digits: a column would widen to them.
    if(!IsFigure(value)) {
        return NoNumberText();
    }
    if(decimals < 0) {
        decimals = 0;
    }
    wxString text = wxString::Format(PriceFormat(decimals), value);
    const size_t places = static_cast<size_t>(decimals);
    if(!trim || decimals < 1 || text.length() <= places) {
        return text;
    }
    const size_t dot = text.length() - places - 1;
    if(text[dot] != '.') {
        return text; // "%f" of more than 6 decimals keeps its width
    }
    while(text.length() > dot + 1 && text.Last() == '0') {
        text.RemoveLast();
    }
    if(text.Last() == '.') {
        text.RemoveLast();
    }
    return text;
}

wxString FormatMoney(double value, bool trim)
{
    return FormatPrice(value, 2, trim);
}

wxString RiskRateText(char kind, double rate)
{
    switch(kind) {
    case '1':
        return rate <= 0 || !std::isfinite(rate) ? EmDash() : Percentage(rate);
    case '2':
    case '3':
        return rate >= kMeaninglessRate || !std::isfinite(rate) ? EmDash() : Percentage(rate);
    default:
        return wxString();
    }
}
