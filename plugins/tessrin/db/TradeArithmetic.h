#pragma once

#include <wx/string.h>

class RecordStore;
struct symbol_Info;
struct trade_HoldBill;
struct user_Account;

// The computations that turn records into money. Those that take the store
// follow the records' cached links and give 0 (or false) when a link fails.
// Money results are rounded to cents, halves away from zero.

// Rates of a risk rate without meaning (no margin used, or no net value).
constexpr double kMeaninglessRiskRate = 10000.0;

// No price, quantity or amount of this market comes near this in size.
constexpr double kMostFigure = 1e13;
// A number that may be shown, summed and charted: finite and below
// kMostFigure in size. Anything else (NaN, an infinity, 1e308) is no figure,
// whatever the sender meant.
bool IsFigure(double value);

// Price decimals beyond this count as this many (either sign).
constexpr int kMaxPointDigits = 7;

// Price value of spread points: points x 10^-|digits| (|digits| capped at
// kMaxPointDigits, for every int), negative when digits is.
double PointsToPrice(int points, int digits);

double RoundToCents(double value);

// (close - base) x units x rate for a buy ('b'), (base - close) x units x rate
// for any other side; in cents.
double CalcProfitPoints(char side, double basePrice, double closePrice, double units, double rate);

// The quote of the symbol with its spreads: bid below and ask above the last
// price. False, with both 0, when the symbol has no property or price.
bool CalcStopProfitBounds(RecordStore* store, const symbol_Info& symbol, double& bid, double& ask);

// Hold profit modes: measured from the hold price (the "DynProfit" column) or
// from the open price (the "AccuProfit" column).
constexpr int kProfitFromHoldPrice = 11;
constexpr int kProfitFromOpenPrice = 12;

// Floating profit of one hold detail at the current quote, in the currency of
// the symbol's account; 0 without a quote or without an exchange rate.
double CalcHoldProfit(RecordStore* store, const trade_HoldBill& hold, int mode);

// What a hold's floating profit takes from its symbol at the current quote:
// where a buy and a sell close, the contract size, and the currencies of the
// exchange rate (the symbol's into its account's), whose rate the caller
// looks up and sets. The same for every hold of the symbol.
struct HoldProfitTerms
{
    double buyClose = 0.0;
    double sellClose = 0.0;
    double contractSize = 0.0;
    const wxString* fromCurrency = nullptr;
    const wxString* toCurrency = nullptr;
    double rate = 0.0;
};
// False (the profit is 0) without the symbol's property, account or quote.
bool MakeHoldProfitTerms(RecordStore* store, const symbol_Info& symbol, HoldProfitTerms& terms);
// The hold's profit from terms whose rate is set; as CalcHoldProfit.
double HoldProfitFrom(const HoldProfitTerms& terms, const trade_HoldBill& hold, int mode);
// Sum over the hold details of the account.
double SumHoldProfit(RecordStore* store, const user_Account& account, int mode);
// Sum over the hold details of the symbol (every hold detail for -1), from
// the hold price.
double SumPositionProfit(RecordStore* store, int symbolId);

// Price modes of an order.
constexpr int kMarketPrice = 0; // the ask for a buy, the bid for a sell
constexpr int kGivenPrice = 1;  // the price passed in

// Margin an order of `quantity` would take, in the account's currency. When
// `sideRate` is given it receives the margin rate of the side. 0 for a margin
// type without a known formula, a side other than 'b' or 's', a given price
// above 10000000, or a missing exchange rate.
double CalcOrderMargin(RecordStore* store, const symbol_Info& symbol, char side, int priceMode,
                       double* sideRate, double quantity, double price);

// What one unit of an order takes from its account at the order's price, in
// the account's currency, as the market books it: the margin it holds, the
// charge it pays on opening (the symbol's charge rate of its value) and the
// loss it shows at once because it is valued where it closes, on the other
// side of the quote (market '1' only).
struct OrderUnitCost
{
    double margin = 0.0;
    double charge = 0.0;
    double spreadLoss = 0.0;
};
// False, all 0, when a record or the exchange rate is missing.
bool CalcOrderUnitCost(RecordStore* store, const symbol_Info& symbol, char side, int priceMode, double price,
                       OrderUnitCost& cost);

// Whether a risk rate of the kind has reached a line (the force-close or
// the warning line): kind '1' (used margin over net value) rises toward
// danger, kinds '2' and '3' fall toward it; a line of 0 (none) or a rate
// that is no figure is never reached, nor is any line of another kind.
bool IsRiskLineReached(char kind, double rate, double line);

// The risk rate of the symbol's account were an order of `quantity` at its
// price filled now: its margin added to the used margin, its charge and
// its spread loss taken from the net value. NaN when it cannot be known.
double CalcRiskRateAfterOrder(RecordStore* store, const symbol_Info& symbol, char side, int priceMode,
                              double price, double quantity);

// The largest quantity an order may take: what the account's free money
// pays for in margin and charges, and what leaves the account short of its
// force-close line at the order's price (its margin, charge and spread loss
// included); capped by the symbol's largest order and, with
// `checkHoldings`, by what its largest holding leaves. Not rounded: the
// order entry applies its own step.
double CalcMaxOrderQuantity(RecordStore* store, const symbol_Info& symbol, char side, int priceMode,
                            bool checkHoldings, double price);

// Risk rate of an account by its risk kind: '1' used margin over net value,
// '2' net value over used margin (both within [0, 10000]), '3' the net value
// above the surety money relative to it; 0 for any other kind; NaN when a
// figure it is made from is none (see IsFigure).
double CalcRiskRate(char kind, double netValue, double marginUsed, double suretyMoney);
