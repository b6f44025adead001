#pragma once

#include <wx/colour.h>
#include <wx/string.h>

struct symbol_price;
struct trade_BinaryOrder;

// The window-free cell rules of the binary-order pane: the status value the
// expiry strip reads, and which of the host's colours a cell takes. Gains
// show in the down colour, losses in the up colour.
namespace MinTradeOrderCells {

enum class Tint { eNone, eUp, eDown, eEqual };

// Ten-thousandths of the order's time still to run: remaining milliseconds
// over expire minus open time, truncated; 0 when that span is not above 0.
int RemainingFraction(const trade_BinaryOrder& order);
// Running ('3'): "<fraction>:<remaining ms>"; settled ('2'): translated
// "BO_orderGain", "BO_orderLoss" or "BO_orderEqual" by the profit's sign;
// cancelled ('4'): translated "Canceled"; any other state: empty.
wxString StatusValue(const trade_BinaryOrder& order);

// The expire time of a running order takes the up colour.
Tint ExpireTimeTint(const trade_BinaryOrder& order);
// A gain the down colour, a loss the up colour, none at 0.
Tint ProfitTint(const trade_BinaryOrder& order);
// Settled: as the profit, the equal colour at 0. Otherwise by the current
// price (null when the order's price record is unknown) against the
// reference price: winning the down colour, losing the up colour, else equal.
Tint StatusTint(const trade_BinaryOrder& order, const symbol_price* price);

// The host's colour of a tint; invalid for none.
wxColour TintColour(Tint tint);

} // namespace MinTradeOrderCells
