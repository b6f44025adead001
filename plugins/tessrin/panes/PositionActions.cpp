#include "panes/PositionActions.h"

#include "db/symbol_Info.h"
#include "db/trade_Position.h"
#include "orders/OrderTicket.h"
#include "panes/PositionModel.h"

std::optional<PositionSide> ActivatedSide(int modelColumn)
{
    switch(modelColumn) {
    case PositionModel::ePriceAvgBuy:
    case PositionModel::eQuantityBuy:
        return PositionSide::Buy;
    case PositionModel::ePriceAvgSell:
    case PositionModel::eQuantitySell:
        return PositionSide::Sell;
    default:
        return std::nullopt;
    }
}

PositionMenuState DecidePositionMenu(const trade_Position* position)
{
    PositionMenuState state;
    if(!position) {
        return state;
    }
    state.hookAnswer = false;
    state.closeBuyEnabled = position->buyQuantity > 0.0;
    state.closeSellEnabled = position->sellQuantity > 0.0;
    return state;
}

double SideQuantity(const trade_Position& position, PositionSide side)
{
    return side == PositionSide::Buy ? position.buyQuantity : position.sellQuantity;
}

void FillClosePositionTicket(OrderTicket& ticket, const symbol_Info& symbol, const trade_Position& position,
                             PositionSide side)
{
    ticket.m_pSymbolInfo = &symbol;
    ticket.m_symbolId = symbol.symbolId;
    ticket.m_pHoldBill = nullptr;
    ticket.m_orderCodeRe.clear();
    ticket.m_pPosition = &position;
    ticket.m_orderType = eMarketOrder;
    ticket.m_openCloseType = eClosePosition;
    ticket.m_quantity = static_cast<int>(SideQuantity(position, side));
    ticket.m_direction = side == PositionSide::Buy ? 's' : 'b';
}

char NewOrderDirection(int commandInt)
{
    return commandInt == 's' ? 's' : 'b';
}

void FillPositionNewOrderTicket(OrderTicket& ticket, const symbol_Info& symbol, char direction)
{
    ticket.m_pSymbolInfo = &symbol;
    ticket.m_symbolId = symbol.symbolId;
    ticket.m_orderType = eMarketOrder;
    ticket.m_openCloseType = eOpen;
    ticket.m_direction = direction;
}
