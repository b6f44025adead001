#pragma once

#include "orders/OrderKinds.h"

// What one kind of order dialog is, as a row of one table: adding or
// checking a kind is its row. The dialog, its rules, its requests and the
// confirmation ask the row and never compare kinds themselves.
struct OrderKindTraits
{
    // The request a kind sends.
    enum Request {
        eSetOrder,         // new order, or close of a bill
        eModifyOrder,      // stop-loss and take-profit
        eCancelOrder,      // a limit order
        eHoldBillDelivery, // apply for or withdraw delivery
        ePositionClose,    // (part of) one side of a net position
    };
    // The record a kind acts on, found again by key before every use.
    enum Record {
        eNoRecord,   // the symbol alone
        eHoldBill,   // by the order code
        ePosition,   // by the symbol
        eBillOrLimit // at market a hold bill, as a limit order a limit order, by the order code
    };
    // What makes two open dialogs of a kind the same.
    enum Key {
        eBySymbol,
        eByOrderCode,
    };
    // What the trader may change.
    enum Controls {
        eNewOrderControls, // symbol, side, order type, quantity, stops
        eClosingControls,  // the quantity and, on market '2', the order type
        eFixedControls,    // nothing but, where the kind edits them, the stops
    };
    // "ok" while the answer is awaited.
    enum OkWhileWaiting {
        eOkDisabled,
        eOkDisabledAtMarket,
        eOkEnabled,
    };

    OrderKind kind;
    const char* title; // untranslated; a delivery's names what its bill allows
    Request request;
    Record record;
    Key key;
    Controls controls;
    OkWhileWaiting ok;
    bool opens;          // order-type codes of an opening, else of a close
    bool tradesAtQuote;  // at market: the point difference, a live quote, the confirmation follows quotes
    bool showsOrderType; // the order-type list and the first price text
    bool showsStops;     // stop-loss and take-profit rows
    bool editsStops;

    // The row of a kind; a kind outside the table reads as a new order.
    static const OrderKindTraits& Of(int kind);
};
