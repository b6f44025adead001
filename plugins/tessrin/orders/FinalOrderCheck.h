#pragma once

#include <tradeapi/FFixOrder.h>
#include <wx/string.h>

class RecordStore;

// The one rule every order window applies to the request it is about to
// send, before its confirmation and again when the final OK is pressed (the
// confirmation's OK, or OK itself where none is shown): the records the
// request acts on, the bounds of its stop-loss, take-profit and limit
// price, its quantity within the Max the window shows, a live quote for an
// order at market, and for a binary option its contract and amount, all
// with the records and prices of this moment. The order dialog (every
// kind), the quick-trade panel and the binary-option quick order call it;
// a failure sends nothing and its message says why. Window-free.
namespace FinalOrderCheck {

struct Verdict
{
    enum Failure {
        ePassed,
        eRecord, // the symbol, account, bill, limit order or position is gone
        eTakeProfit,
        eStopLoss,
        eLimitPrice,
        eQuantity,   // below 1, or above the Max of this moment
        eStaleQuote, // an order at market without a live quote
        eContract,   // binary option: the contract is no longer open
        eAmount,     // binary option: outside the contract's amounts
        eDelivery,   // the bill can no longer be applied for or withdrawn so
    };
    Failure failure = ePassed;
    wxString message; // translated; empty when passed
    // The Max of this moment, for eQuantity.
    int maxQuantity = 0;

    bool Passed() const { return failure == ePassed; }
};

// A new order (kind eOpen) or the close of a bill (eClose); a binary option
// (order type 'F') is known by its code, whatever the kind.
Verdict Check(RecordStore* store, int kind, const sFFixSetOrder& request);
Verdict Check(RecordStore* store, const sFFixModifyOrder& request);
Verdict Check(RecordStore* store, const sFFixCancelOrder& request);
Verdict Check(RecordStore* store, const sFFixHoldBillDelivery& request);
Verdict Check(RecordStore* store, const sFFixPositionCloseOrder& request);

// The warning a confirmation shows for a new order that would take its
// account's risk rate to or past the warning line at the request's price
// (its margin, charge and spread loss included); empty for any other.
wxString RiskWarning(RecordStore* store, int kind, const sFFixSetOrder& request);

} // namespace FinalOrderCheck
