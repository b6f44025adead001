#include "MarketMath.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace simmarket {

double PointsToPrice(int points, int digits)
{
    static const double kScale[] = {1.0, 0.1, 0.01, 0.001, 1e-4, 1e-5, 1e-6, 1e-7};
    const int d = std::min(std::abs(digits), 7);
    return (digits < 0 ? -1.0 : 1.0) * kScale[d] * points;
}

double RoundCents(double value)
{
    return std::round(value * 100.0) / 100.0;
}

double ProfitPoints(char side, double basePrice, double closePrice, double units, double rate)
{
    const double diff = side == 'b' ? closePrice - basePrice : basePrice - closePrice;
    return RoundCents(diff * units * rate);
}

double OrderMargin(char marginType, double sideRate, double price, double quantity, int contractSize,
                   double exchangeRate)
{
    double margin = 0.0;
    if(marginType == '1' || marginType == '5')
        margin = quantity * sideRate;
    else if(marginType == '2' || marginType == '4')
        margin = price * quantity * contractSize * sideRate;
    return RoundCents(margin * exchangeRate);
}

double RiskRate(char kind, double netValue, double marginUsed, double suretyMoney)
{
    if(kind == '3') {
        const double s = std::max(suretyMoney, 1.0);
        return (netValue - s) / s;
    }
    double usedOverNet, netOverUsed;
    if(marginUsed <= 0) {
        usedOverNet = 0.0;
        netOverUsed = 10000.0;
    } else if(netValue <= 0) {
        usedOverNet = 10000.0;
        netOverUsed = 0.0;
    } else {
        usedOverNet = std::clamp(marginUsed / netValue, 0.0, 10000.0);
        netOverUsed = std::clamp(netValue / marginUsed, 0.0, 10000.0);
    }
    return kind == '1' ? usedOverNet : kind == '2' ? netOverUsed : 0.0;
}

bool HigherIsWorse(char riskKind)
{
    return riskKind == '1';
}

int RiskLinesReached(char riskKind, double rate, double warningLine, double forceCloseLine)
{
    if(warningLine == 0 || forceCloseLine == 0)
        return 0;
    const bool higherIsWorse = HigherIsWorse(riskKind);
    auto reached = [&](double line) { return higherIsWorse ? rate >= line : rate <= line; };
    return reached(forceCloseLine) ? 2 : reached(warningLine) ? 1 : 0;
}

} // namespace simmarket
