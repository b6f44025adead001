#pragma once

#include "common/DirtyRows.h"
#include "common/RecordListModel.h"
#include "db/RecordStore.h"

// The net positions of the trading day, one row each in arrival order, then
// the total row "Counter" while there is any position. Follows the position
// table and the quotes: a quote repaints the profit of its symbol's rows and
// of the total (on the refresh clock, when there is one); every change that
// moves a sum repaints the total row too.
class PositionModel : public RecordListModel<trade_Position>, public CActionTrigger<symbol_price>
{
public:
    enum Column {
        eRowNumber,
        eMarket,
        eSymbol,
        ePriceAvgBuy,
        ePriceAvgSell,
        eQuantityBuy,  // link
        eQuantitySell, // link
        eDynProfit,
        eColumnCount
    };

    explicit PositionModel(RecordStore* db, RefreshClock* clock = nullptr);
    ~PositionModel() override;

    // The row after the positions; only while there is a position.
    bool IsTotalRow(unsigned int row) const;

    void afterAdd(const trade_Position& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const trade_Position& stored, CTransaction* transaction, void* reserved) override;
    bool beforeRemove(const trade_Position& stored, CTransaction* transaction, void* reserved) override;
    // A new quote.
    void afterUpdate(const symbol_price& stored, CTransaction* transaction, void* reserved) override;

protected:
    // The position's symbol and the symbol's account; the property and its
    // price record are made with defaults when missing.
    bool HasLinks(const trade_Position& position) const override;
    void GetRecordValue(const trade_Position& position, unsigned int column, wxVariant& value) const override;
    void GetRecordAttr(const trade_Position& position, unsigned int column,
                       wxDataViewItemAttr& attr) const override;
    void GetExtraRowValue(unsigned int row, unsigned int column, wxVariant& value) const override;
    void GetExtraRowAttr(unsigned int row, unsigned int column, wxDataViewItemAttr& attr) const override;

private:
    void TotalRowChanged();

    symbol_priceFactory* m_prices; // not owned
    DirtyRows m_dirty;             // the profit cells quotes changed
};
