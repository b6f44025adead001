#pragma once

#include "db/RecordIndices.h"
#include "orders/HangOrder.h"

#include <memory>
#include <pelmora/clConfigItem.h>

struct BySymbolName
{
}; // symbol name text

template <> struct RecordContainer<HangOrder>
{
    using type = boost::multi_index_container<
        HangOrder,
        boost::multi_index::indexed_by<
            boost::multi_index::hashed_unique<
                boost::multi_index::tag<ByOrderCode>,
                boost::multi_index::member<HangOrder, wxString, &HangOrder::orderCode>, RecordTextHash>,
            boost::multi_index::hashed_non_unique<
                boost::multi_index::tag<BySymbolName>,
                boost::multi_index::member<HangOrder, wxString, &HangOrder::symbolName>, RecordTextHash>,
            boost::multi_index::random_access<boost::multi_index::tag<BySequence>>>>;
};
TESSRIN_EXTERN_RECORD_TABLE(HangOrder)

// A table of hang orders that is also the item "HangOrder" of the file
// "storeorder.con". The process-wide store is the one GetHangOrderFactory
// returns; each hang-order list keeps a private one that is never read from
// or written to a file. GUI thread only.
class HangOrderFactory : public CObjectFactory<HangOrder>, public clConfigItem
{
public:
    static constexpr const char* kItemName = "HangOrder";

    HangOrderFactory();

    // Inserts the record, or updates the record stored under its code;
    // triggers are told either way. False on a veto.
    bool Upsert(const HangOrder& record);
    // The stored record of that code, or the end.
    iterator Find(const wxString& orderCode) const;

    // Inserts every element of the array in order; an element whose code is
    // already stored is dropped. Anything but an array adds nothing.
    void FromJSON(const JSONElement& json) override;
    // An array named "HangOrder" of one object per record, every value a
    // text and the numbers with two decimals.
    JSONElement ToJSON() const override;

    static HangOrder RecordFromJSON(const JSONElement& element);
    static JSONElement RecordToJSON(const HangOrder& record);
};

// The process-wide store; the first call loads it from the file
// (LoadHangOrders). It lives until the library is unloaded.
HangOrderFactory& GetHangOrderFactory();

// A new store filled from the file; a missing file or item gives an empty one.
std::unique_ptr<HangOrderFactory> LoadHangOrders();

// Writes the whole process-wide store to the file, leaving the file's other
// items as they are. False when the file could not be written.
bool SaveHangOrders();
