#pragma once
// The trade arithmetic the client uses for its totals, repeated here so the
// market's money and the client's display agree to the cent.
#include <string>

namespace simmarket {

// sign(digits) x 10^-min(|digits|, 7) x points.
double PointsToPrice(int points, int digits);
// Halves away from zero.
double RoundCents(double value);
// (close - base) x units x rate for 'b', the reverse otherwise; in cents.
double ProfitPoints(char side, double basePrice, double closePrice, double units, double rate);
// Margin kinds '1'/'5': quantity x side rate; '2'/'4': price x quantity x
// contract x side rate; others 0. Times the exchange rate, in cents.
double OrderMargin(char marginType, double sideRate, double price, double quantity, int contractSize,
                   double exchangeRate);
// kind '3': (net - max(surety,1)) / max(surety,1); '1': used/net; '2': net/used
// (10000 without meaning); others 0.
double RiskRate(char kind, double netValue, double marginUsed, double suretyMoney);
// Whether a higher rate of the kind is the riskier: '1' (used margin over
// net value) rises toward danger, '2' and '3' fall toward it.
bool HigherIsWorse(char riskKind);
// The lines a rate of the kind has reached: 0 none, 1 the warning line, 2 the
// force-close line. Lines of 0 are none.
int RiskLinesReached(char riskKind, double rate, double warningLine, double forceCloseLine);

} // namespace simmarket
