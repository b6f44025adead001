#include "panes/QuickOrderQuote.h"

#include "db/NumberFormat.h"
#include "db/RecordStore.h"
#include "db/TradeArithmetic.h"

#include <cstring>
#include <wx/intl.h>

QuickOrderQuote::QuickOrderQuote(RecordStore* db, const symbol_Info& symbol) : m_symbol(symbol)
{
    if(!symbol.GetSymbolProperty(db) || !symbol.cachedSymbolProperty->GetSymbolPrice(db)) {
        return;
    }
    const symbol_Property& property = *symbol.cachedSymbolProperty;
    const symbol_price& quote = *property.cachedSymbolPrice;
    m_name = property.symbolName;
    m_digits = quote.digits;
    m_point = PointsToPrice(1, quote.digits);
    m_base = quote.lastPrice;
    CalcStopProfitBounds(db, symbol, m_sell, m_buy);
    m_valid = true;
}

wxString QuickOrderQuote::Caption() const
{
    if(m_symbol.marketType == '2') {
        return FormatPrice(m_base, m_digits);
    }
    return wxString::Format("%s : %s / %s", m_name, FormatPrice(m_buy, m_digits),
                            FormatPrice(m_sell, m_digits));
}

wxString QuickOrderQuote::CheckStops(char side, double stopLoss, double takeProfit) const
{
    const double takeProfitDistance = m_symbol.takeProfitPoints * m_point;
    const double stopLossDistance = m_symbol.stopLossPoints * m_point;
    if(takeProfit != 0.0) {
        const bool valid = takeProfit > 0.0 && (side == 'b' ? takeProfit >= m_sell + takeProfitDistance
                                                            : takeProfit <= m_buy - takeProfitDistance);
        if(!valid) {
            return _("Take Profit Price Invalid");
        }
    }
    if(stopLoss != 0.0) {
        const bool valid = stopLoss > 0.0 && (side == 'b' ? stopLoss <= m_sell - stopLossDistance
                                                          : stopLoss >= m_buy + stopLossDistance);
        if(!valid) {
            return _("Stop Loss Price Invalid");
        }
    }
    return wxString();
}

double QuickOrderQuote::StopStart(bool stopLoss, bool up) const
{
    // A buy's stops are judged against the sell quote, a sell's against the buy quote.
    const bool buy = stopLoss != up;
    const double distance = (stopLoss ? m_symbol.stopLossPoints : m_symbol.takeProfitPoints) * m_point;
    return (buy ? m_sell : m_buy) + (up ? distance : -distance);
}

sFFixSetOrder QuickOrderQuote::BuildRequest(char side, const Inputs& inputs) const
{
    sFFixSetOrder request;
    std::memset(&request, 0, sizeof request);
    const bool aggregate = m_symbol.marketType == '2';
    request.accountKey = m_symbol.accountKey;
    request.side = side;
    request.price = aggregate ? m_base : side == 'b' ? m_buy : m_sell;
    request.quantity = inputs.quantity;
    // The aggregate market opens with its own market-order code.
    request.orderType = aggregate ? 'C' : '1';
    request.buySpreadPoints = m_symbol.askSpreadPoints;
    request.sellSpreadPoints = m_symbol.bidSpreadPoints;
    request.pointDiff = inputs.usePointDiff ? inputs.pointDiff : kOpenPointDiff;
    request.stopLoss = inputs.stopLoss;
    request.takeProfit = inputs.takeProfit;
    request.symbolId = m_symbol.symbolId;
    request.marginTradeType = m_symbol.marginType;
    const wxArrayString& list = side == 'b' ? m_symbol.buyMarginList : m_symbol.sellMarginList;
    double first = 0.0;
    if(!list.empty() && list[0].ToCDouble(&first)) {
        request.sideListValue = first;
    }
    return request;
}
