#include "orders/MinTradeOrderCells.h"

#include "db/symbol_price.h"
#include "db/trade_BinaryOrder.h"

#include <algorithm>
#include <climits>
#include <pelmora/DrawingUtils.h>
#include <wx/intl.h>

namespace MinTradeOrderCells {

namespace {
constexpr char kSettled = '2';
constexpr char kRunning = '3';
constexpr char kCanceled = '4';

Tint GainTint(double profit, Tint atZero)
{
    if(profit > 0) {
        return Tint::eDown;
    }
    if(profit < 0) {
        return Tint::eUp;
    }
    return atZero;
}
} // namespace

int RemainingFraction(const trade_BinaryOrder& order)
{
    if(!order.openTime.IsValid() || !order.expireTime.IsValid()) {
        return 0;
    }
    const double total =
        static_cast<double>((order.expireTime - order.openTime).GetMilliseconds().GetValue());
    if(!(total > 0)) {
        return 0;
    }
    // Clocks far apart must still give an int.
    const double fraction = order.remainingMs * 10000.0 / total;
    return static_cast<int>(std::clamp(fraction, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

wxString StatusValue(const trade_BinaryOrder& order)
{
    switch(order.orderState) {
    case kRunning:
        return wxString::Format("%d:%d", RemainingFraction(order), order.remainingMs);
    case kSettled:
        if(order.profit > 0) {
            return _("BO_orderGain");
        }
        return order.profit < 0 ? _("BO_orderLoss") : _("BO_orderEqual");
    case kCanceled:
        return _("Canceled");
    default:
        return wxString();
    }
}

Tint ExpireTimeTint(const trade_BinaryOrder& order)
{
    return order.orderState == kRunning ? Tint::eUp : Tint::eNone;
}

Tint ProfitTint(const trade_BinaryOrder& order)
{
    return GainTint(order.profit, Tint::eNone);
}

Tint StatusTint(const trade_BinaryOrder& order, const symbol_price* price)
{
    if(order.orderState == kSettled) {
        return GainTint(order.profit, Tint::eEqual);
    }
    if(!price || price->lastPrice == 0) {
        return Tint::eEqual;
    }
    const bool above = price->lastPrice > order.referencePrice;
    const bool below = price->lastPrice < order.referencePrice;
    if((above && order.side == 'b') || (below && order.side == 's')) {
        return Tint::eDown;
    }
    if((above && order.side == 's') || (below && order.side == 'b')) {
        return Tint::eUp;
    }
    return Tint::eEqual;
}

wxColour TintColour(Tint tint)
{
    switch(tint) {
    case Tint::eUp:
        return DrawingUtils::GetGlobalUpColour();
    case Tint::eDown:
        return DrawingUtils::GetGlobalDownColour();
    case Tint::eEqual:
        return DrawingUtils::GetGlobalEqualColour();
    case Tint::eNone:
        break;
    }
    return wxColour();
}

} // namespace MinTradeOrderCells
