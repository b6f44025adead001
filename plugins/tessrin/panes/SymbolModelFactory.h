#pragma once

#include "db/CObjectFactory.h"
#include "db/RecordIndices.h"
#include "panes/SymbolModelRow.h"

#include <boost/multi_index/hashed_index.hpp>
#include <boost/multi_index/member.hpp>
#include <boost/multi_index/random_access_index.hpp>
#include <functional>
#include <vector>

struct BySymbolRecord
{
};

template <> struct RecordContainer<SymbolModelRow>
{
    using type = boost::multi_index_container<
        SymbolModelRow,
        boost::multi_index::indexed_by<
            boost::multi_index::hashed_unique<boost::multi_index::tag<BySymbolRecord>,
                                              boost::multi_index::member<SymbolModelRow, const symbol_Info*,
                                                                         &SymbolModelRow::m_pSymbolInfo>>,
            boost::multi_index::hashed_non_unique<
                boost::multi_index::tag<BySymbolId>,
                boost::multi_index::member<SymbolModelRow, int, &SymbolModelRow::m_symbolId>>,
            boost::multi_index::random_access<boost::multi_index::tag<BySequence>>>>;
};

// The rows of one quote board: one per symbol record, found by the record or
// by the symbol id, shown in the order of the random-access index, which the
// sorts rearrange. Belongs to one model; not part of the record store.
class SymbolModelFactory : public CObjectFactory<SymbolModelRow>
{
public:
    using Less = std::function<bool(const SymbolModelRow& a, const SymbolModelRow& b)>;

    // Both forms; with a unit of work the removal is recorded in it.
    using CObjectFactory::Remove;

    // The row of the symbol record, or the end.
    iterator FindBySymbol(const symbol_Info* symbol) const;
    // The row's display position; -1 for the end.
    int GetPosition(iterator row) const;
    const SymbolModelRow* GetAt(unsigned int position) const;
    unsigned int GetCount() const { return static_cast<unsigned int>(GetContainer().size()); }

    // Stable sort of the display order; `less` must be a strict weak order.
    void SortRows(const Less& less);
};
