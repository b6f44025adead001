#include "orders/OrderSymbolList.h"

#include "db/RecordStore.h"

#include <algorithm>

std::vector<OrderSymbolEntry> OrderSymbolList::Build(RecordStore* store, char marketType,
                                                     const std::map<wxString, wxArrayString>& groups,
                                                     const wxArrayString& boardOrder)
{
    std::vector<OrderSymbolEntry> entries;
    if(!store || !store->m_symbol_Info_table) {
        return entries;
    }
    std::vector<const symbol_Info*> candidates;
    for(const symbol_Info& symbol : store->m_symbol_Info_table->GetIndexByPrimary()) {
        if((marketType == 0 || symbol.marketType == marketType) && symbol.GetSymbolProperty(store)) {
            candidates.push_back(&symbol);
        }
    }

    std::map<wxString, std::vector<const symbol_Info*>> kept;
    std::vector<bool> grouped(candidates.size(), false);
    for(const auto& [name, codes] : groups) {
        std::vector<const symbol_Info*> members;
        for(const wxString& code : codes) {
            for(std::size_t i = 0; i < candidates.size(); ++i) {
                if(candidates[i]->symbolCode == code) {
                    members.push_back(candidates[i]);
                    grouped[i] = true;
                }
            }
        }
        if(!members.empty()) {
            kept[name] = members;
        }
    }

    std::vector<const symbol_Info*> others;
    for(std::size_t i = 0; i < candidates.size(); ++i) {
        if(!grouped[i]) {
            others.push_back(candidates[i]);
        }
    }
    auto boardPosition = [&boardOrder](const symbol_Info* symbol) {
        return boardOrder.Index(symbol->symbolCode, true); // wxNOT_FOUND (-1) comes first
    };
    std::stable_sort(others.begin(), others.end(), [&](const symbol_Info* a, const symbol_Info* b) {
        return boardPosition(a) < boardPosition(b);
    });
    if(!others.empty()) {
        kept[kDefaultGroup] = others;
    }

    bool first = true;
    for(const auto& group : kept) {
        if(!first) {
            entries.push_back(OrderSymbolEntry{kSeparatorText, false, 0});
        }
        first = false;
        for(const symbol_Info* symbol : group.second) {
            entries.push_back(
                OrderSymbolEntry{symbol->cachedSymbolProperty->symbolName, true, symbol->symbolId});
        }
    }
    return entries;
}

int OrderSymbolList::PickSymbolEntry(const std::vector<OrderSymbolEntry>& entries, int selection)
{
    if(selection < 0 || selection >= static_cast<int>(entries.size())) {
        for(std::size_t i = 0; i < entries.size(); ++i) {
            if(entries[i].hasSymbol) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    for(int i = selection; i >= 0; --i) {
        if(entries[i].hasSymbol) {
            return i;
        }
    }
    return -1;
}
