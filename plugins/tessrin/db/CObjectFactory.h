#pragma once

// A record table: one Boost multi-index container of one record type, the only
// way records are added, changed or removed, observed by action triggers
// (asked before and told right after every change) and commit triggers (told
// when a change is final).
//
// Declaring the table of a record type:
//
//   struct trade_HoldBill { wxString orderCode; int symbolId = 0; uint32_t refreshSerial = 0; ... };
//
//   template <> struct RecordContainer<trade_HoldBill> {
//       using type = boost::multi_index_container<trade_HoldBill, boost::multi_index::indexed_by<
//           boost::multi_index::hashed_unique<boost::multi_index::tag<ByOrderCode>,
//               boost::multi_index::member<trade_HoldBill, wxString, &trade_HoldBill::orderCode>>,
//           ...,
//           boost::multi_index::random_access<boost::multi_index::tag<BySequence>>>>;
//   };
//   class trade_HoldBillFactory : public CObjectFactory<trade_HoldBill> {};
//
// The first index is the primary one. Observers derive from
// CActionTrigger<trade_HoldBill> and CCommitTrigger<trade_HoldBill>.
// TableOperations<Record> (TableOperations.h) says which operations a table offers.
//
// The old value handed to commit triggers and kept by units of work is made
// with AssignRecord(target, source), which is the copy assignment unless the
// record type declares its own overload next to the type, for example
//   SymbolInventory& AssignRecord(SymbolInventory& target, const SymbolInventory& source);
//
// Trigger lists are walked from the newest registration to the oldest; a walk
// that asks stops at the first false answer. An observer removed during a walk
// is not called later in that walk; one added during a walk is first called
// on the next change.

#include "db/CActionTrigger.h"
#include "db/CCommitTrigger.h"
#include "db/CTransaction.h"
#include "db/TableOperations.h"

#include <algorithm>
#include <boost/mpl/size.hpp>
#include <boost/multi_index_container.hpp>
#include <cstddef>
#include <cstdint>
#include <cwchar>
#include <deque>
#include <functional>
#include <iterator>
#include <type_traits>
#include <utility>
#include <vector>
#include <wx/debug.h>
#include <wx/string.h>

// Specialise for each record type: `using type = boost::multi_index_container<Record, ...>;`
template <class Record> struct RecordContainer;

template <class Record> class CDatabaseResource;
template <class Record> class ResourcePool;

// The default old-value copy of a record.
template <class Record> Record& AssignRecord(Record& target, const Record& source)
{
    target = source;
    return target;
}

template <class Record> class CObjectFactory
{
public:
    using Container = typename RecordContainer<Record>::type;
    using PrimaryIndex = typename Container::template nth_index<0>::type;
    using iterator = typename PrimaryIndex::const_iterator;
    using Sequence =
        typename Container::template nth_index<boost::mpl::size<typename Container::index_type_list>::value -
                                               1>::type;
    using sequence_iterator = typename Sequence::const_iterator;
    using InsertResult = std::pair<iterator, bool>;

    CObjectFactory();
    virtual ~CObjectFactory();
    CObjectFactory(const CObjectFactory&) = delete;
    CObjectFactory& operator=(const CObjectFactory&) = delete;

    // (stored record, true) on success; (the record holding the same unique
    // key, false) on a clash, after every beforeAdd was asked; (end, false) on
    // a veto. With notify false no trigger is called and no transaction used.
    InsertResult Insert(const Record& record, CTransaction* transaction = nullptr, bool notify = true);
    InsertResult Insert(const Record& record, bool notify) { return Insert(record, nullptr, notify); }
    // As Insert; the record is placed in the table's last index, which must be
    // a random-access sequence, before the given position.
    InsertResult Insert(sequence_iterator where, const Record& record, CTransaction* transaction = nullptr,
                        bool notify = true);

    // Replaces the stored record in place. False on a veto or when another
    // record holds a unique key of the new value; the record is then unchanged.
    // The stored record may be given by an iterator of any index of this table.
    template <class Iterator>
    bool Update(Iterator stored, const Record& newValue, CTransaction* transaction = nullptr,
                bool notify = true);
    template <class Iterator> bool Update(Iterator stored, const Record& newValue, bool notify)
    {
        return Update(stored, newValue, nullptr, notify);
    }

    // Changes the record stored under the primary key: `change` edits a copy,
    // which then goes through Update (triggers, veto and key checks as there).
    // False when no record has the key.
    template <class Key, class Change>
    bool Modify(const Key& key, Change&& change, CTransaction* transaction = nullptr, bool notify = true);
    template <class Key, class Change> bool Modify(const Key& key, Change&& change, bool notify)
    {
        return Modify(key, std::forward<Change>(change), nullptr, notify);
    }

    // Erases the stored record; beforeRemove is asked while it is still stored.
    template <class Iterator> bool Remove(Iterator stored, bool notify = true);

    // Erases every record; calls no trigger.
    void Clear();

    const PrimaryIndex& GetIndexByPrimary() const { return m_container.template get<0>(); }
    template <int N> const auto& GetIndex() const { return m_container.template get<N>(); }
    template <class Tag> const auto& GetIndex() const { return m_container.template get<Tag>(); }
    const Container& GetContainer() const { return m_container; }
    // Counts every record ever erased from this table, so that a cached
    // pointer can tell whether its target may have gone since it was taken.
    uint64_t GetRemovalCount() const { return m_removalCount; }

    // Appends the observer (no check for duplicates) and points it at this table.
    void AddActionTrigger(CActionTrigger<Record>* observer);
    void AddCommitTrigger(CCommitTrigger<Record>* observer);
    // Drops the first registration of the observer; unknown observers are ignored.
    void RemoveActionTrigger(CActionTrigger<Record>* observer);
    void RemoveCommitTrigger(CCommitTrigger<Record>* observer);
    // The number of action observers registered now.
    std::size_t GetActionTriggerCount() const
    {
        return static_cast<std::size_t>(std::count_if(m_actionTriggers.begin(), m_actionTriggers.end(),
                                                      [](auto* t) { return t != nullptr; }));
    }

protected:
    // Removal recorded in a unit of work, for tables whose own users need it.
    // With a transaction: beforeRemove (with the transaction) may veto; the
    // removal is recorded, then made; commitRemove waits for the commit.
    // Without: as Remove, passing the argument to commitRemove.
    template <class Iterator> bool Remove(Iterator stored, CTransaction* transaction, int argument);

    // Puts the last index (the display order) in the order of `first`, a
    // sequence of references to every stored record (Boost's rearrange). The
    // other indices and the records are untouched; no trigger is called.
    template <class InputIterator> void RearrangeSequence(InputIterator first)
    {
        m_container.template get<boost::mpl::size<typename Container::index_type_list>::value - 1>()
            .rearrange(first);
    }

private:
    friend class CDatabaseResource<Record>;
    static constexpr unsigned kOperations = TableOperations<Record>::value;
    static constexpr std::size_t kIndices = boost::mpl::size<typename Container::index_type_list>::value;

    class ChangeScope;
    template <class Trigger, class Call>
    static bool AskEach(const std::vector<Trigger*>& list, std::size_t count, Call&& call);
    template <class Trigger, class Call>
    static void TellEach(const std::vector<Trigger*>& list, std::size_t count, Call&& call);
    template <class Trigger> void Unregister(std::vector<Trigger*>& list, Trigger* observer);
    void CloseGaps();

    // The change operations proper. Each store table compiles them once
    // (TESSRIN_EXTERN_RECORD_TABLE below); the public forms only check that
    // the table offers the operation.
    InsertResult InsertRecord(const Record& record, CTransaction* transaction, bool notify);
    bool UpdateRecord(iterator stored, const Record& newValue, CTransaction* transaction, bool notify);
    bool RemoveRecord(iterator stored, CTransaction* transaction, int argument, bool notify);

    template <class Store>
    InsertResult InsertWith(const Record& record, CTransaction* transaction, bool notify, Store&& store);
    void RecordAdd(iterator stored, CTransaction* transaction);
    void RecordUpdate(iterator stored, CTransaction* transaction);
    void Erase(iterator stored);

    void CommitAdd(const Record& stored, int argument, std::size_t count);
    void CommitUpdate(const Record& oldValue, const Record& stored, int argument, std::size_t count);
    void CommitRemove(const Record& oldValue, int argument, std::size_t count);

    bool Replace(iterator stored, const Record& newValue);
    template <std::size_t... N>
    bool KeysEqual(const Record& a, const Record& b, std::index_sequence<N...>) const;
    template <std::size_t... N> void PrefetchKeys(const Record& a, std::index_sequence<N...>) const;
    Record& OldValueOf(const Record& stored);

    template <class Iterator> iterator ToPrimary(Iterator it) const
    {
        return m_container.template project<0>(it);
    }

    Container m_container;
    std::vector<CActionTrigger<Record>*> m_actionTriggers;
    std::vector<CCommitTrigger<Record>*> m_commitTriggers;
    int m_walkDepth = 0;
    bool m_listsHaveGaps = false; // observers removed during a walk leave null entries
    uint64_t m_removalCount = 0;
    std::deque<Record> m_oldValues; // one per nesting level of changes, reused
};

#include "db/CDatabaseResource.h"
#include "db/ResourcePool.h"

namespace record_table_detail {
template <class Index, class = void> struct HasKeyEq : std::false_type
{
};
template <class Index>
struct HasKeyEq<Index, std::void_t<decltype(std::declval<const Index&>().key_eq())>> : std::true_type
{
};
template <class Index, class = void> struct HasKeyComp : std::false_type
{
};
template <class Index>
struct HasKeyComp<Index, std::void_t<decltype(std::declval<const Index&>().key_comp())>> : std::true_type
{
};

// Key equality without a call into the text library: lengths first.
template <class Key> bool KeysMatch(const Key& a, const Key& b)
{
    return a == b;
}
inline bool KeysMatch(const wxString& a, const wxString& b)
{
    const std::size_t length = a.length();
    return length == b.length() && std::wmemcmp(a.wx_str(), b.wx_str(), length) == 0;
}

// Asks for a text key's characters ahead of their first use: in a big table
// they are a second cache miss behind the record's own, which the triggers'
// calls can then overlap. Only keys held by the record are looked at.
template <class Index, class Value> void PrefetchKey(const Index& index, const Value& a)
{
    if constexpr(HasKeyEq<Index>::value || HasKeyComp<Index>::value) {
        if constexpr(std::is_same<decltype(index.key_extractor()(a)), const wxString&>::value) {
            __builtin_prefetch(index.key_extractor()(a).wx_str());
        }
    }
}

// Whether two values sit at the same place of one index: equal hashed keys,
// equivalent ordered keys; sequences have no key. Keys compared by the
// standard objects are compared for equality once; keys that are equivalent
// but unequal (NaN) then only take the container's own check.
template <class Index, class Value> bool SameKey(const Index& index, const Value& a, const Value& b)
{
    if constexpr(HasKeyEq<Index>::value) {
        const auto key = index.key_extractor();
        if constexpr(std::is_same<typename Index::key_equal,
                                  std::equal_to<typename Index::key_type>>::value) {
            return KeysMatch(key(a), key(b));
        } else {
            return index.key_eq()(key(a), key(b));
        }
    } else if constexpr(HasKeyComp<Index>::value) {
        const auto key = index.key_extractor();
        if constexpr(std::is_same<typename Index::key_compare, std::less<typename Index::key_type>>::value) {
            return KeysMatch(key(a), key(b));
        } else {
            const auto less = index.key_comp();
            return !less(key(a), key(b)) && !less(key(b), key(a));
        }
    } else {
        return true;
    }
}
} // namespace record_table_detail

// Keeps the trigger lists' indices stable while a change runs (removals leave
// a null entry until the outermost change ends) and remembers how many
// registrations the change reaches: later ones first hear of the next change.
template <class Record> class CObjectFactory<Record>::ChangeScope
{
public:
    explicit ChangeScope(CObjectFactory& table)
        : actions(table.m_actionTriggers.size()), commits(table.m_commitTriggers.size()), m_table(table)
    {
        ++m_table.m_walkDepth;
    }
    ~ChangeScope()
    {
        if(--m_table.m_walkDepth == 0 && m_table.m_listsHaveGaps) {
            m_table.CloseGaps();
        }
    }
    ChangeScope(const ChangeScope&) = delete;
    ChangeScope& operator=(const ChangeScope&) = delete;

    const std::size_t actions;
    const std::size_t commits;

private:
    CObjectFactory& m_table;
};

template <class Record> CObjectFactory<Record>::CObjectFactory() {}

template <class Record> CObjectFactory<Record>::~CObjectFactory() {}

template <class Record>
template <class Trigger, class Call>
bool CObjectFactory<Record>::AskEach(const std::vector<Trigger*>& list, std::size_t count, Call&& call)
{
    for(std::size_t i = count; i-- > 0;) {
        Trigger* observer = list[i];
        if(observer != nullptr && !call(*observer)) {
            return false;
        }
    }
    return true;
}

template <class Record>
template <class Trigger, class Call>
void CObjectFactory<Record>::TellEach(const std::vector<Trigger*>& list, std::size_t count, Call&& call)
{
    for(std::size_t i = count; i-- > 0;) {
        Trigger* observer = list[i];
        if(observer != nullptr) {
            call(*observer);
        }
    }
}

template <class Record>
template <class Trigger>
void CObjectFactory<Record>::Unregister(std::vector<Trigger*>& list, Trigger* observer)
{
    for(auto it = list.begin(); it != list.end(); ++it) {
        if(*it == observer) {
            if(m_walkDepth > 0) {
                *it = nullptr;
                m_listsHaveGaps = true;
            } else {
                list.erase(it);
            }
            return;
        }
    }
}

template <class Record> void CObjectFactory<Record>::CloseGaps()
{
    auto dropNull = [](auto& list) {
        list.erase(std::remove(list.begin(), list.end(), nullptr), list.end());
    };
    dropNull(m_actionTriggers);
    dropNull(m_commitTriggers);
    m_listsHaveGaps = false;
}

template <class Record> void CObjectFactory<Record>::AddActionTrigger(CActionTrigger<Record>* observer)
{
    m_actionTriggers.push_back(observer);
    observer->m_pTable = this;
}

template <class Record> void CObjectFactory<Record>::AddCommitTrigger(CCommitTrigger<Record>* observer)
{
    m_commitTriggers.push_back(observer);
    observer->m_pTable = this;
}

template <class Record> void CObjectFactory<Record>::RemoveActionTrigger(CActionTrigger<Record>* observer)
{
    Unregister(m_actionTriggers, observer);
}

template <class Record> void CObjectFactory<Record>::RemoveCommitTrigger(CCommitTrigger<Record>* observer)
{
    Unregister(m_commitTriggers, observer);
}

template <class Record>
auto CObjectFactory<Record>::Insert(const Record& record, CTransaction* transaction, bool notify)
    -> InsertResult
{
    static_assert(kOperations & eTableInsert, "this record table offers no Insert");
    return InsertRecord(record, transaction, notify);
}

template <class Record>
auto CObjectFactory<Record>::InsertRecord(const Record& record, CTransaction* transaction, bool notify)
    -> InsertResult
{
    if constexpr((kOperations & eTableInsert) != 0) {
        return InsertWith(record, transaction, notify, [&] { return m_container.insert(record); });
    } else {
        return InsertResult(GetIndexByPrimary().end(), false);
    }
}

template <class Record>
auto CObjectFactory<Record>::Insert(sequence_iterator where, const Record& record, CTransaction* transaction,
                                    bool notify) -> InsertResult
{
    static_assert(kOperations & eTableInsertAt, "this record table offers no Insert at a position");
    static_assert(std::is_same<typename std::iterator_traits<sequence_iterator>::iterator_category,
                               std::random_access_iterator_tag>::value,
                  "Insert at a position needs a random-access last index");
    return InsertWith(record, transaction, notify, [&] {
        constexpr int last = boost::mpl::size<typename Container::index_type_list>::value - 1;
        const auto placed = m_container.template get<last>().insert(where, record);
        return InsertResult(ToPrimary(placed.first), placed.second);
    });
}

template <class Record>
template <class Store>
auto CObjectFactory<Record>::InsertWith(const Record& record, CTransaction* transaction, bool notify,
                                        Store&& store) -> InsertResult
{
    if(!notify) {
        return store();
    }
    ChangeScope change(*this);
    if(!AskEach(m_actionTriggers, change.actions,
                [&](CActionTrigger<Record>& t) { return t.beforeAdd(record, transaction, nullptr); })) {
        return InsertResult(GetIndexByPrimary().end(), false);
    }
    const InsertResult result = store();
    if(!result.second) {
        return result;
    }
    if(transaction != nullptr) {
        if constexpr((kOperations & eTableInsertInTransaction) != 0) {
            RecordAdd(result.first, transaction);
        } else {
            wxFAIL_MSG("this record table has no insert within a transaction");
            transaction = nullptr;
        }
    }
    const Record& stored = *result.first;
    TellEach(m_actionTriggers, change.actions,
             [&](CActionTrigger<Record>& t) { t.afterAdd(stored, transaction, nullptr); });
    if(transaction == nullptr) {
        CommitAdd(stored, 0, change.commits);
    }
    return result;
}

template <class Record> void CObjectFactory<Record>::RecordAdd(iterator stored, CTransaction* transaction)
{
    auto resource = ResourcePool<Record>::Instance().Alloc();
    resource->Set(CDatabaseResource<Record>::eAdd, this, stored);
    try {
        transaction->Add(std::move(resource));
    } catch(...) {
        // Nobody was told of the record and no unit of work holds it: take it out again.
        Erase(stored);
        throw;
    }
}

template <class Record> void CObjectFactory<Record>::RecordUpdate(iterator stored, CTransaction* transaction)
{
    auto resource = ResourcePool<Record>::Instance().Alloc();
    resource->Set(CDatabaseResource<Record>::eUpdate, this, stored);
    resource->KeepOldValue(*stored);
    transaction->Add(std::move(resource));
}

template <class Record>
template <class Iterator>
bool CObjectFactory<Record>::Update(Iterator storedAt, const Record& newValue, CTransaction* transaction,
                                    bool notify)
{
    static_assert(kOperations & eTableUpdate, "this record table offers no Update");
    return UpdateRecord(ToPrimary(storedAt), newValue, transaction, notify);
}

template <class Record>
template <class Key, class Change>
bool CObjectFactory<Record>::Modify(const Key& key, Change&& change, CTransaction* transaction, bool notify)
{
    const auto found = GetIndexByPrimary().find(key);
    if(found == GetIndexByPrimary().end()) {
        return false;
    }
    Record copy = *found;
    change(copy);
    Update(found, copy, transaction, notify);
    return true;
}

template <class Record>
bool CObjectFactory<Record>::UpdateRecord(iterator stored, const Record& newValue, CTransaction* transaction,
                                          bool notify)
{
    if constexpr((kOperations & eTableUpdate) == 0) {
        return false;
    } else {
        PrefetchKeys(*stored, std::make_index_sequence<kIndices>());
        if(!notify) {
            return Replace(stored, newValue);
        }
        ChangeScope change(*this);
        if(transaction != nullptr) {
            if constexpr((kOperations & eTableUpdateInTransaction) != 0) {
                // Recorded before the update is tried, so a veto or clash still leaves it recorded.
                RecordUpdate(stored, transaction);
            } else {
                wxFAIL_MSG("this record table has no update within a transaction");
                transaction = nullptr;
            }
        }
        if(!AskEach(m_actionTriggers, change.actions, [&](CActionTrigger<Record>& t) {
               return t.beforeUpdate(*stored, newValue, transaction, nullptr);
           })) {
            return false;
        }
        if(transaction != nullptr || change.commits == 0) {
            if(!Replace(stored, newValue)) {
                return false;
            }
            TellEach(m_actionTriggers, change.actions,
                     [&](CActionTrigger<Record>& t) { t.afterUpdate(*stored, transaction, nullptr); });
            return true;
        }
        const Record& oldValue = OldValueOf(*stored);
        if(!Replace(stored, newValue)) {
            return false;
        }
        TellEach(m_actionTriggers, change.actions,
                 [&](CActionTrigger<Record>& t) { t.afterUpdate(*stored, nullptr, nullptr); });
        CommitUpdate(oldValue, *stored, 0, change.commits);
        return true;
    }
}

template <class Record>
template <class Iterator>
bool CObjectFactory<Record>::Remove(Iterator storedAt, bool notify)
{
    static_assert(kOperations & eTableRemove, "this record table offers no Remove");
    return RemoveRecord(ToPrimary(storedAt), nullptr, 0, notify);
}

template <class Record>
template <class Iterator>
bool CObjectFactory<Record>::Remove(Iterator storedAt, CTransaction* transaction, int argument)
{
    static_assert(kOperations & eTableRemove, "this record table offers no Remove");
    return RemoveRecord(ToPrimary(storedAt), transaction, argument, true);
}

template <class Record>
bool CObjectFactory<Record>::RemoveRecord(iterator stored, CTransaction* transaction, int argument,
                                          bool notify)
{
    if constexpr((kOperations & eTableRemove) == 0) {
        return false;
    } else {
        if(!notify) {
            Erase(stored);
            return true;
        }
        ChangeScope change(*this);
        if(!AskEach(m_actionTriggers, change.actions, [&](CActionTrigger<Record>& t) {
               return t.beforeRemove(*stored, transaction, nullptr);
           })) {
            return false;
        }
        if(transaction != nullptr) {
            // Recorded only once the removal is sure to happen, so the unit of work
            // never holds a removal of a record that is still stored.
            auto resource = ResourcePool<Record>::Instance().Alloc();
            resource->Set(CDatabaseResource<Record>::eRemove, this, stored);
            resource->KeepOldValue(*stored);
            transaction->Add(std::move(resource));
            Erase(stored);
            return true;
        }
        if(change.commits == 0) {
            Erase(stored);
            return true;
        }
        const Record& oldValue = OldValueOf(*stored);
        Erase(stored);
        CommitRemove(oldValue, argument, change.commits);
        return true;
    }
}

template <class Record> void CObjectFactory<Record>::Clear()
{
    static_assert(kOperations & eTableClear, "this record table offers no Clear");
    m_removalCount += m_container.size();
    m_container.clear();
}

template <class Record> bool CObjectFactory<Record>::Replace(iterator stored, const Record& newValue)
{
    if(KeysEqual(*stored, newValue, std::make_index_sequence<kIndices>())) {
        // No index moves: skip the container's re-check of every index, which
        // walks to the neighbouring records and costs cache misses in big tables.
        if(&*stored != &newValue) {
            const_cast<Record&>(*stored) = newValue;
        }
        return true;
    }
    return m_container.replace(stored, newValue);
}

template <class Record>
template <std::size_t... N>
bool CObjectFactory<Record>::KeysEqual(const Record& a, const Record& b, std::index_sequence<N...>) const
{
    return (record_table_detail::SameKey(m_container.template get<N>(), a, b) && ...);
}

template <class Record>
template <std::size_t... N>
void CObjectFactory<Record>::PrefetchKeys(const Record& a, std::index_sequence<N...>) const
{
    (record_table_detail::PrefetchKey(m_container.template get<N>(), a), ...);
}

template <class Record> Record& CObjectFactory<Record>::OldValueOf(const Record& stored)
{
    // The copy is kept in a slot of this nesting level, so texts reuse their buffers.
    if(m_walkDepth == 1 && !m_oldValues.empty()) {
        return AssignRecord(m_oldValues.front(), stored);
    }
    const std::size_t level = static_cast<std::size_t>(m_walkDepth) - 1;
    while(m_oldValues.size() <= level) {
        m_oldValues.emplace_back();
    }
    return AssignRecord(m_oldValues[level], stored);
}

template <class Record> void CObjectFactory<Record>::Erase(iterator stored)
{
    ++m_removalCount;
    m_container.erase(stored);
}

template <class Record>
void CObjectFactory<Record>::CommitAdd(const Record& stored, int argument, std::size_t count)
{
    TellEach(m_commitTriggers, count, [&](CCommitTrigger<Record>& t) { t.commitAdd(stored, argument); });
}

template <class Record>
void CObjectFactory<Record>::CommitUpdate(const Record& oldValue, const Record& stored, int argument,
                                          std::size_t count)
{
    TellEach(m_commitTriggers, count,
             [&](CCommitTrigger<Record>& t) { t.commitUpdate(oldValue, stored, argument); });
}

template <class Record>
void CObjectFactory<Record>::CommitRemove(const Record& oldValue, int argument, std::size_t count)
{
    TellEach(m_commitTriggers, count, [&](CCommitTrigger<Record>& t) { t.commitRemove(oldValue, argument); });
}

// The change operations are most of the cost of compiling a table. A header
// that declares a store table names it here, so that its includers call one
// compiled copy instead of compiling their own:
//   TESSRIN_EXTERN_RECORD_TABLE(trade_HoldBill)
// and exactly one source file compiles that copy:
//   TESSRIN_COMPILE_RECORD_TABLE(trade_HoldBill)
#define TESSRIN_RECORD_TABLE_OPERATIONS_(Prefix, Record)                                                     \
    Prefix template CObjectFactory<Record>::CObjectFactory();                                                \
    Prefix template CObjectFactory<Record>::~CObjectFactory();                                               \
    Prefix template CObjectFactory<Record>::InsertResult CObjectFactory<Record>::InsertRecord(               \
        const Record&, CTransaction*, bool);                                                                 \
    Prefix template bool CObjectFactory<Record>::UpdateRecord(CObjectFactory<Record>::iterator,              \
                                                              const Record&, CTransaction*, bool);           \
    Prefix template bool CObjectFactory<Record>::RemoveRecord(CObjectFactory<Record>::iterator,              \
                                                              CTransaction*, int, bool);
#define TESSRIN_EXTERN_RECORD_TABLE(Record) TESSRIN_RECORD_TABLE_OPERATIONS_(extern, Record)
#define TESSRIN_COMPILE_RECORD_TABLE(Record) TESSRIN_RECORD_TABLE_OPERATIONS_(, Record)
