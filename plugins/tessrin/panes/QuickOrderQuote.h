#pragma once

#include <tradeapi/FFixOrder.h>
#include <wx/string.h>

class RecordStore;
struct symbol_Info;

// What the quick-trade panel computes from its symbol's records: the buy and
// sell quotes, the caption, the stop-loss and take-profit checks and the
// market order. Window-free, so it is tested headless.
class QuickOrderQuote
{
public:
    // Order values the panel's controls give.
    struct Inputs
    {
        double quantity = 0.0;
        bool usePointDiff = true;
        int pointDiff = 20;
        double stopLoss = 0.0;   // 0: none
        double takeProfit = 0.0; // 0: none
    };
    // The points a request carries when "biggest diff" is off.
    static constexpr int kOpenPointDiff = 10000;

    // The symbol's quote; IsValid false when a link fails (the property and
    // quote links create default records, as everywhere).
    QuickOrderQuote(RecordStore* db, const symbol_Info& symbol);

    bool IsValid() const { return m_valid; }
    int GetDigits() const { return m_digits; }
    double GetPoint() const { return m_point; }
    double GetBase() const { return m_base; }
    double GetBuyQuote() const { return m_buy; }
    double GetSellQuote() const { return m_sell; }

    // "name : buy / sell", or the price alone for an aggregate symbol.
    wxString Caption() const;
    // Empty when the side's stop-loss and take-profit are within the
    // symbol's distances (0, none, is not checked; below 0 is invalid),
    // else the message.
    wxString CheckStops(char side, double stopLoss, double takeProfit) const;
    // Where the arrows of an empty stop-loss (take-profit) field start: at
    // the bound of the side whose stop lies that way (up: a sell's stop
    // loss, a buy's take profit), the closest price that passes.
    double StopStart(bool stopLoss, bool up) const;
    // The market order of the side.
    sFFixSetOrder BuildRequest(char side, const Inputs& inputs) const;

private:
    const symbol_Info& m_symbol;
    wxString m_name;
    bool m_valid = false;
    int m_digits = 0;
    double m_point = 0.0;
    double m_base = 0.0;
    double m_buy = 0.0;
    double m_sell = 0.0;
};
