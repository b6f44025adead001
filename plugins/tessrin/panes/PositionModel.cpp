#include "panes/PositionModel.h"

#include "common/Colours.h"
#include "db/LinkedSymbol.h"
#include "db/NumberFormat.h"
#include "db/TradeArithmetic.h"
#include "panes/PositionFigures.h"
#include "panes/ProfitColour.h"

#include <wx/intl.h>

namespace {} // namespace

PositionModel::PositionModel(RecordStore* db, RefreshClock* clock)
    : RecordListModel(db, db->m_trade_Position_table.get(), eColumnCount, "PositionModel"),
      m_prices(db->m_symbol_price_table.get()), m_dirty(*this, clock)
{
    if(GetRecordCount() > 0) {
        Reset(GetRecordCount() + 1);
    }
    if(m_prices) {
        m_prices->AddActionTrigger(this);
    }
}

PositionModel::~PositionModel()
{
    if(m_prices) {
        m_prices->RemoveActionTrigger(this);
    }
}

bool PositionModel::IsTotalRow(unsigned int row) const
{
    return GetRecordCount() > 0 && row == GetRecordCount();
}

void PositionModel::TotalRowChanged()
{
    if(GetRecordCount() > 0 && GetCount() == GetRecordCount() + 1) {
        RowChanged(GetRecordCount());
    }
}

void PositionModel::afterAdd(const trade_Position& stored, CTransaction* transaction, void* reserved)
{
    m_dirty.Flush(); // marks name rows by their number
    RecordListModel::afterAdd(stored, transaction, reserved);
    const unsigned int records = GetRecordCount();
    if(GetCount() != records + 1) {
        Reset(records + 1); // the total row comes with the first position
        return;
    }
    // The appended row is the new total row; the record stands where the
    // total row was, and the sums have moved.
    const int row = GetRecordRow(Find(stored));
    if(row >= 0) {
        RowChanged(static_cast<unsigned int>(row));
    }
    TotalRowChanged();
}

void PositionModel::afterUpdate(const trade_Position& stored, CTransaction* transaction, void* reserved)
{
    RecordListModel::afterUpdate(stored, transaction, reserved);
    TotalRowChanged();
}

bool PositionModel::beforeRemove(const trade_Position& stored, CTransaction* transaction, void* reserved)
{
    const bool last = GetRecordCount() == 1;
    m_dirty.Flush();
    RecordListModel::beforeRemove(stored, transaction, reserved);
    if(last) {
        Reset(0); // the total row goes with the last position
    } else if(GetCount() > 0) {
        // The record still stands in the table; the total row is the last
        // row once it is gone.
        RowChanged(GetCount() - 1);
    }
    return true;
}

void PositionModel::afterUpdate(const symbol_price& stored, CTransaction*, void*)
{
    const auto range = GetTable()->GetIndexByPrimary().equal_range(stored.symbolId);
    bool repainted = false;
    for(auto it = range.first; it != range.second; ++it) {
        const int row = GetRecordRow(it);
        if(row >= 0) {
            m_dirty.MarkCell(static_cast<unsigned int>(row), eDynProfit);
            repainted = true;
        }
    }
    if(repainted && IsTotalRow(GetCount() - 1)) {
        m_dirty.MarkCell(GetCount() - 1, eDynProfit);
    }
}

bool PositionModel::HasLinks(const trade_Position& position) const
{
    RecordStore* db = GetDatabase();
    const auto* symbol = LinkedSymbol(position, db);
    if(!symbol) {
        return false;
    }
    symbol->cachedSymbolProperty->GetSymbolPrice(db);
    return true;
}

void PositionModel::GetRecordValue(const trade_Position& position, unsigned int column,
                                   wxVariant& value) const
{
    const symbol_Info& symbol = *position.cachedSymbolInfo;
    const symbol_Property& property = *symbol.cachedSymbolProperty;
    switch(column) {
    case eMarket:
        value = symbol.cachedAccount->marketName;
        break;
    case eSymbol:
        value = property.symbolName;
        break;
    case ePriceAvgBuy:
        value =
            FormatPrice(PositionAveragePrice(position.buyAmount, property.contractSize, position.buyQuantity),
                        property.digits);
        break;
    case ePriceAvgSell:
        value = FormatPrice(
            PositionAveragePrice(position.sellAmount, property.contractSize, position.sellQuantity),
            property.digits);
        break;
    case eQuantityBuy:
        value = QuantityLinkValue(position.buyQuantity);
        break;
    case eQuantitySell:
        value = QuantityLinkValue(position.sellQuantity);
        break;
    case eDynProfit:
        value = FormatMoney(SumPositionProfit(GetDatabase(), position.symbolId));
        break;
    default:
        break;
    }
}

void PositionModel::GetRecordAttr(const trade_Position& position, unsigned int column,
                                  wxDataViewItemAttr& attr) const
{
    switch(column) {
    case eQuantityBuy:
    case eQuantitySell:
        attr.SetColour(Colours::kFigureText);
        break;
    case eDynProfit:
        ColourProfit(SumPositionProfit(GetDatabase(), position.symbolId), attr);
        break;
    default:
        break;
    }
}

void PositionModel::GetExtraRowValue(unsigned int row, unsigned int column, wxVariant& value) const
{
    if(!IsTotalRow(row)) {
        return;
    }
    switch(column) {
    case eRowNumber:
        value = _("Counter");
        break;
    case eQuantityBuy:
        value = FormatMoney(SumPositionQuantities(*GetTable()).buyQuantity);
        break;
    case eQuantitySell:
        value = FormatMoney(SumPositionQuantities(*GetTable()).sellQuantity);
        break;
    case eDynProfit:
        value = FormatMoney(SumPositionProfit(GetDatabase(), -1));
        break;
    default:
        break;
    }
}

void PositionModel::GetExtraRowAttr(unsigned int row, unsigned int column, wxDataViewItemAttr& attr) const
{
    if(!IsTotalRow(row)) {
        return;
    }
    attr.SetBackgroundColour(Colours::kTotalRowBackground);
    attr.SetBold(true);
    if(column == eDynProfit) {
        ColourProfit(SumPositionProfit(GetDatabase(), -1), attr);
    }
}
