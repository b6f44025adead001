#pragma once

struct OrderTicket;
struct symbol_Info;
struct trade_Limit;

// What the limit-orders pane shows of an order and writes into the order
// dialog, apart from any window.

// The quantity still to be dealt: the order quantity less the traded one.
double LimitOrderRestQuantity(const trade_Limit& order);

// A new limit order of the symbol; the direction stays the dialog's default.
void FillNewLimitOrderTicket(OrderTicket& ticket, const symbol_Info& symbol);

// The cancel (eCancel) or modify (eModify) dialog of an order: the order and
// its code, its prices and direction, and its full order quantity truncated
// to an integer.
void FillLimitOrderTicket(OrderTicket& ticket, const symbol_Info& symbol, const trade_Limit& order, int kind);
