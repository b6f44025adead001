#pragma once

#include "db/RecordIndices.h"
#include "funds/StoreOrder.h"

#include <pelmora/clConfigItem.h>

struct UserInventory;

template <> struct RecordContainer<StoreOrder>
{
    using type = boost::multi_index_container<
        StoreOrder, boost::multi_index::indexed_by<
                        boost::multi_index::hashed_unique<
                            boost::multi_index::tag<ByKey>,
                            boost::multi_index::member<StoreOrder, int, &StoreOrder::localId>>,
                        boost::multi_index::random_access<boost::multi_index::tag<BySequence>>>>;
};
TESSRIN_EXTERN_RECORD_TABLE(StoreOrder)

// The store orders of the logged-in user, and the item "StoreOrder" of the
// file "storeorder.con": one array per user, named by the user id. Rows
// mirrored from the user's warehouse holdings are never written. GUI thread
// only.
class StoreOrderFactory : public CObjectFactory<StoreOrder>, public clConfigItem
{
public:
    static constexpr const char* kItemName = "StoreOrder";

    explicit StoreOrderFactory(RecordStore* db);

    // The name of the user's array; empty until a user is known.
    const wxString& GetUserKey() const { return m_userKey; }
    void SetUserKey(const wxString& key) { m_userKey = key; }
    void SetUserKey(int userId) { m_userKey = wxString::Format("%d", userId); }

    // The next running number; never reset.
    int NextLocalId() { return ++m_counter; }
    int GetCounter() const { return m_counter; }

    // Appends the user's array of the item; rows already here stay. An
    // element that cannot be read as written (no order object, a member of
    // another kind, an id outside 32 bits, a quantity that is no finite
    // number, a time that does not parse, a mirrored row) is no row: Load
    // keeps it aside.
    void FromJSON(const JSONElement& json) override;
    // The item as last read from the file with the user's array replaced
    // (other users' arrays kept), in display order.
    JSONElement ToJSON() const override;

    // Reads the user's orders from the file; false when none were there.
    // Elements that cannot be read move, as they stand, from the user's
    // array to "<user key>.unreadable" in the file at once, so none is lost
    // or written back changed and each is reported once (Save moves them
    // too, should that write have failed).
    bool Load(const wxString& path);
    // How many elements the last Load moved aside.
    int GetSetAsideCount() const { return m_setAsideCount; }
    // Writes the user's orders into the file, keeping the other members and
    // other users' arrays as they are on disk. Nothing is written, and false
    // returned, while no user is known.
    bool Save(const wxString& path);
    // Removes every row, the first of the key index each time.
    void Clear();

    // The holding's "StoreFinancing" row follows the holding: made while the
    // user amount is above 0 and the symbol is known, changed, dropped.
    void MirrorAdded(const UserInventory& holding);
    void MirrorChanged(const UserInventory& holding);
    void MirrorRemoved(const UserInventory& holding);
    // The mirrored row of that holding, or the end.
    iterator FindMirror(int storeId, int symbolId) const;

    // False, the order untouched, when the element cannot be read as written.
    static bool RecordFromJSON(const JSONElement& element, StoreOrder& order);
    static JSONElement RecordToJSON(const StoreOrder& order);

private:
    RecordStore* m_db;
    wxString m_userKey;
    int m_counter = 0;
    JSONElement m_onDisk; // the item as the file held it at the last save
    int m_setAsideCount = 0;
};
