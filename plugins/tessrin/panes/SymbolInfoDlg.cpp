#include "panes/SymbolInfoDlg.h"

#include "db/symbol_Info.h"
#include "db/symbol_Property.h"

namespace {
wxString Number(int value)
{
    return wxString::Format("%d", value);
}
} // namespace

void SymbolInfoDlg::SetSymbol(const symbol_Info& symbol)
{
    if(const symbol_Property* property = symbol.cachedSymbolProperty.Get()) {
        m_symbolName->ChangeValue(property->symbolName);
        m_symbolCode->ChangeValue(property->symbolCode);
        m_contractUnit->ChangeValue(Number(property->contractSize));
        m_minDecimal->ChangeValue(Number(property->digits));
        m_maxHold->ChangeValue(Number(property->maxHoldQuantity));
        m_maxPerTrade->ChangeValue(Number(property->maxOrderQuantity));
    }
    m_pointAsk->ChangeValue(Number(symbol.askSpreadPoints));
    m_pointBid->ChangeValue(Number(symbol.bidSpreadPoints));
    m_pointStopLose->ChangeValue(Number(symbol.stopLossPoints));
    m_pointTakeProfit->ChangeValue(Number(symbol.takeProfitPoints));
}

wxArrayString SymbolInfoDlg::GetFieldTexts() const
{
    wxArrayString texts;
    for(const wxTextCtrl* field :
        {m_symbolName, m_symbolCode, m_contractUnit, m_minDecimal, m_maxHold, m_maxPerTrade, m_pointAsk,
         m_pointBid, m_pointStopLose, m_pointTakeProfit}) {
        texts.Add(field->GetValue());
    }
    return texts;
}
