#pragma once

#include "orders/OrderKinds.h"

#include <wx/string.h>

class RecordStore;
struct symbol_Info;
struct trade_HoldBill;
struct trade_Limit;
struct trade_Position;

// What an order dialog is about: the fields its opener writes after Create
// and its handlers change. Record pointers point into the record tables and
// are found again by key before every use, since a record may be gone.
struct OrderTicket
{
    RecordStore* m_pDb = nullptr;
    char m_marketType = 0; // filters the symbol list; 0 lists every market
    const symbol_Info* m_pSymbolInfo = nullptr;
    int m_symbolId = 0;
    const trade_HoldBill* m_pHoldBill = nullptr; // kinds 1, 2 (market), 4
    const trade_Position* m_pPosition = nullptr; // kind 5
    const trade_Limit* m_pLimitOrder = nullptr;  // kinds 2 (limit), 3
    wxString m_orderCodeRe;                      // the bill or limit order acted on
    double m_stopLossPrice = 0.0;                // 0: none
    double m_takeProfitPrice = 0.0;              // 0: none
    double m_limitPrice = 0.0;                   // 0: not chosen yet
    int m_orderType = eMarketOrder;
    int m_openCloseType = eOpen;
    int m_quantity = 1;
    char m_direction = 'b';
    int m_expireIndex = 0; // 0 today, 1 this week
};
