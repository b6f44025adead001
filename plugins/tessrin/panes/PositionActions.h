#pragma once

#include <optional>

struct OrderTicket;
struct symbol_Info;
struct trade_Position;

// What the positions pane does with a position, apart from any window: the
// menu's state, the double click's side and the order dialog's fields.

enum class PositionSide { Buy, Sell };

// The model columns of the positions pane that a double click acts on: the
// buy average and quantity close the buy side, the sell ones the sell side;
// other columns do nothing.
std::optional<PositionSide> ActivatedSide(int modelColumn);

// The context menu over a row. Without a position (empty space, the total
// row) the pane's hook answers true and the items keep their state;
// otherwise each close item is enabled when its side holds a quantity.
struct PositionMenuState
{
    bool hookAnswer = true;
    bool closeBuyEnabled = false;
    bool closeSellEnabled = false;
};
PositionMenuState DecidePositionMenu(const trade_Position* position);

// The quantity of a side, as the close dialog checks it (0 or less: no dialog).
double SideQuantity(const trade_Position& position, PositionSide side);

// The close dialog of one side: market order of kind close position, the
// side's quantity truncated to an integer, the direction opposite the side
// ('s' closes the buy side), the position and no hold bill.
void FillClosePositionTicket(OrderTicket& ticket, const symbol_Info& symbol, const trade_Position& position,
                             PositionSide side);

// A new market order of the position's symbol. The direction is 's' when the
// command's integer is 's', else 'b' (a menu command carries 0: a buy).
char NewOrderDirection(int commandInt);
void FillPositionNewOrderTicket(OrderTicket& ticket, const symbol_Info& symbol, char direction);
