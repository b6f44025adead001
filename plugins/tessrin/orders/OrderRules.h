#pragma once

#include "orders/OrderKindTraits.h"
#include "orders/OrderTicket.h"

#include <wx/string.h>

struct symbol_Property;
struct symbol_price;
struct trade_HoldBill;

// Which groups of order-dialog controls a kind of order shows.
struct OrderControlVisibility
{
    bool orderType = true;  // order-type label and list, first price text
    bool marginType = true; // margin-type label and list
    bool limitPart = true;  // second price text, price label and spin, validity
    bool stopProfit = true; // stop-loss and take-profit rows
    bool pointDiff = true;  // "biggest diff", its spin and "Point"
};

// The order dialog's rules on its ticket and the record tables, without
// windows: the quote pair, the bounds of stop-loss, take-profit and limit
// price, the order-type code, the quantity range, the checks before any
// request, the title and which controls a kind shows. A side other than 'b'
// counts as a sell.
class OrderRules
{
public:
    enum CheckResult {
        eCheckPassed,
        eSymbolInvalid,  // "Symbol Invalid"
        eOrderInvalid,   // "Order Invalid"
        eAccountInvalid, // "Account Invalid, Maybe Disconnected!"
    };

    explicit OrderRules(OrderTicket& ticket) : m_ticket(ticket) {}

    // Finds the symbol again by id, with its property and price, and the bill,
    // position or limit order of the kind by key; the ticket's pointers are
    // set to what was found (null when gone).
    CheckResult Check();
    // The untranslated message of a failed check.
    static const char* CheckMessage(CheckResult result);
    // A failed check of a kind-2/3 market order reaches the message line even
    // when the caller asked for none.
    bool CheckForcesLine(CheckResult result) const;

    // The symbol's property and price records; null until a check passed.
    const symbol_Property* GetProperty() const;
    const symbol_price* GetPrice() const;

    // Whether the symbol's quote came from the market-data link since it
    // last came up; a stale quote prices no market order.
    bool IsQuoteLive() const;
    // Sell and buy quote of the symbol: the last price minus the sell spread,
    // plus the buy spread. False, both 0, when a link fails.
    bool GetQuotes(double& sellQuote, double& buyQuote) const;
    // The quote a trade on the ticket's side takes.
    double SideQuote() const;
    // One price point from the price record's digits, and from the
    // property's decimals (sign kept, at most 7 places).
    double PricePoint() const;
    double PropertyPoint() const;
    int PropertyDecimals() const;
    int PriceDigits() const;

    // 0 when it cannot be computed (no quote, or no limit price yet).
    double StopLossBound() const;
    double TakeProfitBound() const;
    // 0 (none) is always valid, a negative price never; a price exactly at
    // its bound is valid.
    bool IsStopLossValid(double price) const;
    bool IsTakeProfitValid(double price) const;
    // The untranslated message of the first of take-profit and stop-loss
    // that is not valid; null when both are.
    const char* CheckStops(double stopLoss, double takeProfit) const;
    // The side's quote plus (upper) or minus (lower) the limit distance.
    double LimitBoundary(bool upper) const;
    // Never below 0; valid on market '2', when 0 (not chosen yet), or at
    // least the limit distance from the side's quote.
    bool IsLimitPriceValid(double price) const;
    // Whether the two limit boundaries lie apart (a limit distance).
    bool HasLimitDistance() const;
    // Where a new limit order starts: the nearest valid price on the side's
    // limit side of its quote (a buy below, a sell above), in the symbol's
    // decimals; 0 without a quote.
    double OpeningLimitPrice() const;
    // Whether a non-zero stop-loss (take-profit) lies beyond its bound.
    bool IsStopLossBeyondBound(double price) const;
    bool IsTakeProfitBeyondBound(double price) const;

    // The order-type code of the request; 0 for a combination without one.
    char GetOrderType() const;
    // The price a set-order request carries.
    double OrderPrice() const;
    // The largest quantity the kind allows.
    int MaxQuantity() const;
    enum QuantityVerdict {
        eQuantityNone,     // below 1: nothing to send
        eQuantityTooLarge, // above the largest quantity shown
        eQuantitySendable,
    };
    // The quantity as typed, never replaced by another.
    QuantityVerdict CheckQuantity(double quantity) const;
    // The position's quantity on the side being closed (kind 5).
    double PositionCloseQuantity() const;

    // What a delivery request on the bill does: one status decides the
    // menu, the dialog's title and the request.
    enum DeliveryAction {
        eApplyDelivery,    // delivery type '1' or unset
        eWithdrawDelivery, // applied ('2') or waiting to be paired
        eNoDeliveryAction, // paired, or a delivery type of no known meaning
    };
    static DeliveryAction DeliveryActionOf(const trade_HoldBill& bill);
    // "Delivery Order", "UnDelivery Order" or "Exception Delivery Type", translated.
    static wxString DeliveryTitle(const trade_HoldBill* bill);

    // Whether OK stays disabled while the answer of this kind is awaited.
    static bool DisablesOkWhileWaiting(int kind, int orderType);
    static OrderControlVisibility Visibility(int kind, int orderType, bool showMultiMargin);
    // The window title of the kind; false when it is to stay as it is.
    bool GetTitle(wxString& title) const;

    const OrderTicket& GetTicket() const { return m_ticket; }

private:
    const OrderKindTraits& Kind() const { return OrderKindTraits::Of(m_ticket.m_openCloseType); }
    bool IsBuy() const { return m_ticket.m_direction == 'b'; }
    bool IsLimit() const { return m_ticket.m_orderType == eLimitOrder; }
    double CurrentPrice() const;
    // The bound `points` price points from the order's price, towards the
    // gain for a gain side of 1, towards the loss for -1; 0 without a price.
    double BoundAt(double points, double gainSide) const;

    OrderTicket& m_ticket;
};
