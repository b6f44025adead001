#include "panes/SymbolModelFactory.h"

#include <algorithm>

auto SymbolModelFactory::FindBySymbol(const symbol_Info* symbol) const -> iterator
{
    return GetIndexByPrimary().find(symbol);
}

int SymbolModelFactory::GetPosition(iterator row) const
{
    if(row == GetIndexByPrimary().end()) {
        return -1;
    }
    const auto& container = GetContainer();
    return static_cast<int>(container.project<BySequence>(row) - container.get<BySequence>().begin());
}

const SymbolModelRow* SymbolModelFactory::GetAt(unsigned int position) const
{
    const auto& sequence = GetIndex<BySequence>();
    return position < sequence.size() ? &sequence[position] : nullptr;
}

void SymbolModelFactory::SortRows(const Less& less)
{
    const auto& sequence = GetIndex<BySequence>();
    std::vector<std::reference_wrapper<const SymbolModelRow>> order(sequence.begin(), sequence.end());
    std::stable_sort(order.begin(), order.end(),
                     [&](const SymbolModelRow& a, const SymbolModelRow& b) { return less(a, b); });
    RearrangeSequence(order.begin());
}
