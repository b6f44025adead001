#pragma once
// A record store with symbols, their properties and quotes, for the quote
// board's model and pane tests.
#include "db/RecordStore.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <wx/dataview.h>

struct BoardSymbol
{
    int id;
    const char* code;
    const char* name;
    char marketType = '1';
    int displayOrder = 0;
    int digits = 2;
    double last = 10.0;
    int askPoints = 0;
    int bidPoints = 0;
    int userId = 1001;
};

inline void AddBoardSymbol(RecordStore& store, const BoardSymbol& s)
{
    symbol_Info info;
    info.userId = s.userId;
    info.accountKey = 11;
    info.symbolId = s.id;
    info.symbolCode = s.code;
    info.marketType = s.marketType;
    info.displayOrder = s.displayOrder;
    info.askSpreadPoints = s.askPoints;
    info.bidSpreadPoints = s.bidPoints;
    symbol_Property property;
    property.symbolId = s.id;
    property.symbolCode = s.code;
    property.symbolName = s.name;
    property.digits = s.digits;
    symbol_price price;
    price.symbolId = s.id;
    price.digits = s.digits;
    price.lastPrice = s.last;
    price.highPrice = s.last;
    price.lowPrice = s.last;
    price.live = true;
    ASSERT_TRUE(store.m_symbol_Property_table->Insert(property).second);
    ASSERT_TRUE(store.m_symbol_price_table->Insert(price).second);
    ASSERT_TRUE(store.m_symbol_Info_table->Insert(info).second);
}

inline const symbol_Info* FindBoardSymbol(RecordStore& store, int id)
{
    const auto& symbols = store.m_symbol_Info_table->GetIndexByPrimary();
    const auto found = symbols.find(id);
    return found == symbols.end() ? nullptr : &*found;
}

inline void MoveLast(RecordStore& store, int id, double last)
{
    ASSERT_TRUE(
        store.m_symbol_price_table->Modify(id, [last](symbol_price& price) { price.lastPrice = last; }));
}

// Logs the row notifications a model sends its control: "change 1",
// "value 1 2", "add 0", "delete 3".
class RowLog : public wxDataViewModelNotifier
{
public:
    bool ItemAdded(const wxDataViewItem&, const wxDataViewItem& item) override { return Log("add", item); }
    bool ItemDeleted(const wxDataViewItem&, const wxDataViewItem& item) override
    {
        return Log("delete", item);
    }
    bool ItemChanged(const wxDataViewItem& item) override { return Log("change", item); }
    bool ValueChanged(const wxDataViewItem& item, unsigned int column) override
    {
        entries.push_back("value " + std::to_string(Row(item)) + " " + std::to_string(column));
        return true;
    }
    bool Cleared() override { return true; }
    void Resort() override {}

    std::vector<std::string> entries;

private:
    unsigned int Row(const wxDataViewItem& item) const
    {
        return static_cast<wxDataViewVirtualListModel*>(GetOwner())->GetRow(item);
    }
    bool Log(const char* what, const wxDataViewItem& item)
    {
        entries.push_back(std::string(what) + " " + std::to_string(Row(item)));
        return true;
    }
};
