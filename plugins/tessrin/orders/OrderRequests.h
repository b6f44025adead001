#pragma once

#include <tradeapi/FFixOrder.h>
#include <wx/string.h>

class OrderRules;
struct trade_Position;

// What a request takes from the order dialog's controls.
struct OrderInputs
{
    double quantity = 0.0;
    double stopLoss = 0.0;
    double takeProfit = 0.0;
    bool usePointDiff = true; // "biggest diff"
    int pointDiff = 0;
    int expireSelection = 0;    // validity list: 0 today, 1 this week
    bool withoutMargin = false; // margin list shown with its second entry chosen
};

// The points a request carries when "biggest diff" is off.
constexpr int kSetOrderOpenPointDiff = 100000;
constexpr int kPositionCloseOpenPointDiff = 10000;

// The requests of the order dialog, every byte not named zero. Order codes
// are cut at their field's bound; a code as long as the bound has no
// terminator.

// New order (kind 0) or close of the ticket's hold bill (kind 1), on the
// ticket's symbol, side and kind.
sFFixSetOrder BuildSetOrder(const OrderRules& rules, const OrderInputs& inputs);
sFFixModifyOrder BuildModifyOrder(const wxString& orderCode, double stopLoss, double takeProfit);
sFFixCancelOrder BuildCancelOrder(const wxString& orderCode);
// '1' applies for delivery, '0' withdraws the application.
sFFixHoldBillDelivery BuildHoldBillDelivery(const wxString& orderCode, bool apply);
// Close of `quantity` on the side opposite the ticket's direction, at the
// side's quote.
sFFixPositionCloseOrder BuildPositionCloseOrder(const OrderRules& rules, const trade_Position& position,
                                                const OrderInputs& inputs);
