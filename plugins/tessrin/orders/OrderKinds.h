#pragma once

// What an order dialog does (m_openCloseType); the confirmation uses the same
// values for its kind.
enum OrderKind {
    eOpen = 0,          // new order for a symbol
    eClose = 1,         // close one hold bill
    eModify = 2,        // new stop-loss / take-profit of a hold bill or limit order
    eCancel = 3,        // cancel a limit order
    eDelivery = 4,      // apply for or withdraw the delivery of a hold bill
    eClosePosition = 5, // close (part of) one side of a net position
};

// How an order is priced (m_orderType).
enum OrderPriceType {
    eMarketOrder = 0,
    eLimitOrder = 1,
};
