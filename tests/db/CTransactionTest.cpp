#include "db/CTransaction.h"

#include "TableTestSupport.h"
#include "db/CDatabaseResource.h"
#include "db/ResourcePool.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <utility>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// Exposes the removal recorded in a unit of work, as the tables of the quote
// board do.
class ItemTableWithRecordedRemove : public ItemTable
{
public:
    using ItemTable::Remove;
};

class UnitOfWork : public ::testing::Test
{
protected:
    ItemTableWithRecordedRemove table;
    std::vector<std::string> log;
    RecordingObserver observer{"O", log};

    void SetUp() override
    {
        table.AddActionTrigger(&observer);
        table.AddCommitTrigger(&observer);
    }
    void TearDown() override { EXPECT_EQ(ResourcePool<Item>::Instance().GetInUse(), 0u); }

    ItemTable::iterator Find(int id) const { return table.GetIndexByPrimary().find(id); }
    const Item* Get(int id) const
    {
        const auto it = Find(id);
        return it == table.GetIndexByPrimary().end() ? nullptr : &*it;
    }
    std::vector<Item> Contents() const
    {
        const auto& sequence = table.GetIndex<2>();
        return std::vector<Item>(sequence.begin(), sequence.end());
    }
};

// --- commit notifications ---------------------------------------------------------

TEST_F(UnitOfWork, ActionTriggersHearAtOnceCommitTriggersAtTheCommitWithItsArgument)
{
    table.Insert(MakeItem(1, "one", 10));
    log.clear();
    CTransaction transaction;
    table.Update(Find(1), MakeItem(1, "one", 11), &transaction);
    table.Insert(MakeItem(2, "two", 20), &transaction);
    EXPECT_THAT(
        log, ElementsAre("O.beforeUpdate 1 tx", "O.afterUpdate 1 tx", "O.beforeAdd 2 tx", "O.afterAdd 2 tx"));
    log.clear();
    transaction.Commit(7);
    EXPECT_THAT(log, ElementsAre("O.commitUpdate 1 arg=7", "O.commitAdd 2 arg=7"));
    EXPECT_EQ(transaction.GetCount(), 0u);
}

TEST_F(UnitOfWork, InsertThenUpdateCommitsOneAddHoldingTheUpdatedValue)
{
    CTransaction transaction;
    const auto stored = table.Insert(MakeItem(1, "one", 10), &transaction).first;
    table.Update(stored, MakeItem(1, "one", 11), &transaction);
    EXPECT_EQ(transaction.GetCount(), 1u);
    log.clear();
    int committedValue = 0;
    observer.onCommitAdd = [&](const Item& stored) { committedValue = stored.value; };
    transaction.Commit(0);
    EXPECT_THAT(log, ElementsAre("O.commitAdd 1 arg=0"));
    EXPECT_EQ(committedValue, 11);
}

TEST_F(UnitOfWork, InsertThenRemoveCommitsNothingAndRollsBackToNothing)
{
    for(const bool commit : {true, false}) {
        CTransaction transaction;
        const auto stored = table.Insert(MakeItem(1, "one", 10), &transaction).first;
        ASSERT_TRUE(table.Remove(stored, &transaction, 0));
        log.clear();
        if(commit) {
            transaction.Commit(0);
        } else {
            transaction.Rollback();
        }
        EXPECT_THAT(log, IsEmpty());
        EXPECT_THAT(Contents(), IsEmpty());
    }
}

TEST_F(UnitOfWork, TwoUpdatesCommitOneUpdateWithTheValueBeforeTheFirst)
{
    table.Insert(MakeItem(1, "one", 10));
    CTransaction transaction;
    table.Update(Find(1), MakeItem(1, "one", 11), &transaction);
    table.Update(Find(1), MakeItem(1, "one", 12), &transaction);
    Item oldSeen, storedSeen;
    observer.onCommitUpdate = [&](const Item& oldValue, const Item& stored) {
        oldSeen = oldValue;
        storedSeen = stored;
    };
    log.clear();
    transaction.Commit(0);
    EXPECT_THAT(log, ElementsAre("O.commitUpdate 1 arg=0"));
    EXPECT_EQ(oldSeen.value, 10);
    EXPECT_EQ(storedSeen.value, 12);
}

TEST_F(UnitOfWork, UpdateThenRemoveCommitsOneRemoveOfTheValueBeforeTheUpdate)
{
    table.Insert(MakeItem(1, "one", 10));
    {
        CTransaction transaction;
        table.Update(Find(1), MakeItem(1, "one", 11), &transaction);
        table.Remove(Find(1), &transaction, 0);
        Item removed;
        observer.onCommitRemove = [&](const Item& oldValue) { removed = oldValue; };
        log.clear();
        transaction.Commit(0);
        EXPECT_THAT(log, ElementsAre("O.commitRemove 1 arg=0"));
        EXPECT_EQ(removed, MakeItem(1, "one", 10));
    }
    table.Insert(MakeItem(1, "one", 10));
    {
        CTransaction transaction;
        table.Update(Find(1), MakeItem(1, "uno", 11), &transaction);
        table.Remove(Find(1), &transaction, 0);
        log.clear();
        transaction.Rollback();
        EXPECT_THAT(log, IsEmpty());
        EXPECT_THAT(Contents(), ElementsAre(MakeItem(1, "one", 10)));
    }
}

TEST_F(UnitOfWork, VetoedUpdateStaysRecordedAndCommitsAnUnchangedValue)
{
    table.Insert(MakeItem(1, "one", 10));
    observer.allowUpdate = false;
    CTransaction transaction;
    EXPECT_FALSE(table.Update(Find(1), MakeItem(1, "one", 11), &transaction));
    EXPECT_EQ(transaction.GetCount(), 1u);
    bool same = false;
    observer.onCommitUpdate = [&](const Item& oldValue, const Item& stored) { same = oldValue == stored; };
    transaction.Commit(0);
    EXPECT_TRUE(same);
    EXPECT_EQ(Get(1)->value, 10);
}

// --- roll-back --------------------------------------------------------------------

TEST_F(UnitOfWork, TransactionDestroyedWithoutCommitRestoresEveryTableSilently)
{
    table.Insert(MakeItem(1, "one", 10));
    table.Insert(MakeItem(2, "two", 20));
    table.Insert(MakeItem(3, "three", 30));
    const std::vector<Item> before = Contents();
    {
        CTransaction transaction;
        table.Insert(MakeItem(4, "four", 40), &transaction);
        table.Update(Find(2), MakeItem(2, "deux", 21), &transaction);
        table.Remove(Find(3), &transaction, 0);
        table.Update(Find(1), MakeItem(5, "one", 10), &transaction); // a key change
        log.clear();
    }
    EXPECT_THAT(log, IsEmpty());
    std::vector<Item> after = Contents();
    // A removed record comes back as a new record at the end of the sequence.
    EXPECT_THAT(after, ElementsAre(before[0], before[1], before[2]));
}

TEST_F(UnitOfWork, RollbackStepWhoseKeyWasTakenMeanwhileFailsQuietlyAndTheRestGoesOn)
{
    table.Insert(MakeItem(1, "one", 10));
    CTransaction transaction;
    table.Update(Find(1), MakeItem(1, "uno", 11), &transaction);
    table.Remove(Find(1), &transaction, 0);
    table.Insert(MakeItem(1, "intruder", 99)); // outside the unit of work
    table.Insert(MakeItem(2, "two", 20), &transaction);
    transaction.Rollback();
    EXPECT_THAT(Contents(), ElementsAre(MakeItem(1, "intruder", 99)));
    EXPECT_EQ(transaction.GetCount(), 0u);
}

// --- merge table --------------------------------------------------------------------

struct MergeCase
{
    int older;
    int newer;
    const char* thrown; // null: no throw
    int result;
    int olderAfter;
};

class MergeTable : public UnitOfWork, public ::testing::WithParamInterface<MergeCase>
{
};

TEST_P(MergeTable, PairOfKindsMergesOrThrowsItsDigit)
{
    const MergeCase c = GetParam();
    table.Insert(MakeItem(1, "one", 10));
    {
        auto older = ResourcePool<Item>::Instance().Alloc();
        auto newer = ResourcePool<Item>::Instance().Alloc();
        older->Set(c.older, &table, Find(1));
        newer->Set(c.newer, &table, Find(1));
        if(c.thrown != nullptr) {
            try {
                older->Merge(newer.get());
                ADD_FAILURE() << "expected a throw";
            } catch(const std::runtime_error& e) {
                EXPECT_STREQ(e.what(), c.thrown);
            }
            EXPECT_EQ(older->GetKind(), c.older);
        } else {
            EXPECT_EQ(older->Merge(newer.get()), c.result);
            EXPECT_EQ(older->GetKind(), c.olderAfter);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllPairs, MergeTable,
                         ::testing::Values(MergeCase{1, 1, "1", 0, 0}, MergeCase{1, 2, nullptr, 1, 1},
                                           MergeCase{1, 3, nullptr, 1, 4}, MergeCase{1, 4, "2", 0, 0},
                                           MergeCase{2, 1, "3", 0, 0}, MergeCase{2, 2, nullptr, 1, 2},
                                           MergeCase{2, 3, nullptr, 1, 3}, MergeCase{2, 4, "4", 0, 0},
                                           MergeCase{3, 1, nullptr, 2, 3}, MergeCase{3, 2, "5", 0, 0},
                                           MergeCase{3, 3, "6", 0, 0}, MergeCase{3, 4, "7", 0, 0},
                                           MergeCase{4, 1, nullptr, 2, 4}, MergeCase{4, 2, "5", 0, 0},
                                           MergeCase{4, 3, "6", 0, 0}, MergeCase{4, 4, "7", 0, 0},
                                           MergeCase{0, 1, "8", 0, 0}, MergeCase{1, 5, "8", 0, 0}));

TEST_F(UnitOfWork, ImpossibleMergeThrowsLeavesTheListAndReturnsTheNewRecordToThePool)
{
    table.Insert(MakeItem(1, "one", 10));
    CTransaction transaction;
    auto removal = ResourcePool<Item>::Instance().Alloc();
    removal->Set(CDatabaseResource<Item>::eRemove, &table, Find(1));
    removal->KeepOldValue(*Find(1));
    transaction.Add(std::move(removal));
    log.clear();
    // An update after a remove of the same record.
    try {
        table.Update(Find(1), MakeItem(1, "one", 11), &transaction);
        ADD_FAILURE() << "expected a throw";
    } catch(const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "5");
    }
    EXPECT_EQ(transaction.GetCount(), 1u);
    EXPECT_EQ(ResourcePool<Item>::Instance().GetInUse(), 1u);
    EXPECT_EQ(Get(1)->value, 10); // the update was not made
    EXPECT_THAT(log, IsEmpty());
    // Rolling the hand-made removal back clashes with the stored record and changes nothing.
    transaction.Rollback();
    EXPECT_THAT(Contents(), ElementsAre(MakeItem(1, "one", 10)));
}

// --- commit buckets -----------------------------------------------------------------

class ProbeResource : public CResource
{
public:
    ProbeResource(std::string name, int priority, std::vector<std::string>& log, bool empty = false)
        : m_name(std::move(name)), m_priority(priority), m_empty(empty), m_log(log)
    {}
    void Release() override
    {
        m_log.push_back(m_name + ".release");
        CResource::Release();
    }
    void Commit(int argument) override { m_log.push_back(m_name + ".commit " + std::to_string(argument)); }
    void Rollback() override { m_log.push_back(m_name + ".rollback"); }
    int Merge(CResource*) override { return 2; }
    int GetPriority() const override { return m_priority; }
    bool IsEmpty() const override { return m_empty; }

private:
    std::string m_name;
    int m_priority;
    bool m_empty;
    std::vector<std::string>& m_log;
};

TEST_F(UnitOfWork, CommitRunsBucketsZeroToThreeEachInRecordingOrder)
{
    CTransaction transaction;
    auto add = [&](const char* name, int priority, bool empty = false) {
        transaction.Add(ResourceHandle(new ProbeResource(name, priority, log, empty)));
    };
    add("p2", 2);
    add("p1a", 1);
    add("empty", 0, true);
    add("p1b", 1);
    add("p0a", 0);
    add("high", 9); // clamped to 3
    add("low", -4); // clamped to 0
    transaction.Commit(3);
    EXPECT_THAT(log, ElementsAre("empty.release", "p0a.commit 3", "p0a.release", "low.commit 3",
                                 "low.release", "p1a.commit 3", "p1a.release", "p1b.commit 3", "p1b.release",
                                 "p2.commit 3", "p2.release", "high.commit 3", "high.release"));
    EXPECT_EQ(transaction.GetCount(), 0u);
}

TEST_F(UnitOfWork, RollbackUndoesNewestFirstAndReleasesEach)
{
    CTransaction transaction;
    transaction.Add(ResourceHandle(new ProbeResource("first", 1, log)));
    transaction.Add(ResourceHandle(new ProbeResource("second", 0, log)));
    transaction.Rollback();
    EXPECT_THAT(log, ElementsAre("second.rollback", "second.release", "first.rollback", "first.release"));
    log.clear();
    transaction.Rollback(); // empty now: nothing happens
    EXPECT_THAT(log, IsEmpty());
}

// --- the pool -----------------------------------------------------------------------

TEST_F(UnitOfWork, TwoOpenTransactionsNeverShareAnOperationRecord)
{
    table.Insert(MakeItem(1, "one", 10));
    table.Insert(MakeItem(2, "two", 20));
    table.Insert(MakeItem(3, "three", 30));
    CTransaction first;
    CTransaction second;
    table.Update(Find(1), MakeItem(1, "one", 11), &first);
    table.Update(Find(2), MakeItem(2, "two", 21), &second);
    first.Commit(0);
    table.Update(Find(3), MakeItem(3, "three", 31), &second);
    second.Rollback();
    EXPECT_THAT(Contents(),
                ElementsAre(MakeItem(1, "one", 11), MakeItem(2, "two", 20), MakeItem(3, "three", 30)));
}

TEST_F(UnitOfWork, PoolStopsGrowingOnceItHoldsTheLargestTransaction)
{
    table.Insert(MakeItem(1, "one", 10));
    table.Insert(MakeItem(2, "two", 20));
    auto& pool = ResourcePool<Item>::Instance();
    for(int round = 0; round < 3; ++round) {
        CTransaction transaction;
        table.Update(Find(1), MakeItem(1, "one", round), &transaction);
        table.Update(Find(2), MakeItem(2, "two", round), &transaction);
        transaction.Commit(0);
    }
    const std::size_t grown = pool.GetSize();
    for(int round = 0; round < 3; ++round) {
        CTransaction transaction;
        table.Update(Find(1), MakeItem(1, "one", round), &transaction);
        table.Update(Find(2), MakeItem(2, "two", round), &transaction);
    }
    EXPECT_EQ(pool.GetSize(), grown);
    EXPECT_EQ(pool.GetInUse(), 0u);
}

// --- an insert whose merge throws -----------------------------------------------------

// Hands the last freed node straight back, so a record inserted right after a
// removal lands at the removed record's address.
template <class T> struct RecyclingAllocator
{
    using value_type = T;
    RecyclingAllocator() = default;
    template <class U> RecyclingAllocator(const RecyclingAllocator<U>&) {}
    T* allocate(std::size_t n)
    {
        if(n == 1 && spare != nullptr) {
            return std::exchange(spare, nullptr);
        }
        return std::allocator<T>().allocate(n);
    }
    void deallocate(T* p, std::size_t n)
    {
        if(n == 1 && spare == nullptr) {
            spare = p;
            return;
        }
        std::allocator<T>().deallocate(p, n);
    }
    template <class U> bool operator==(const RecyclingAllocator<U>&) const { return true; }
    template <class U> bool operator!=(const RecyclingAllocator<U>&) const { return false; }
    static inline T* spare = nullptr;
};

struct Lot
{
    int id = 0;
    int amount = 0;
};

} // namespace

template <> struct RecordContainer<Lot>
{
    using type =
        boost::multi_index_container<Lot,
                                     boost::multi_index::indexed_by<boost::multi_index::hashed_unique<
                                         boost::multi_index::member<Lot, int, &Lot::id>>>,
                                     RecyclingAllocator<Lot>>;
};

namespace {

// An older piece of work on the same address that refuses every merge.
class RefusingResource : public CResource
{
public:
    explicit RefusingResource(const void* target) : CResource(target) {}
    void Commit(int) override {}
    void Rollback() override {}
    int Merge(CResource*) override { throw std::runtime_error("1"); }
};

class LotObserver : public CActionTrigger<Lot>, public CCommitTrigger<Lot>
{
public:
    int told = 0;
    void afterAdd(const Lot&, CTransaction*, void*) override { ++told; }
    void commitAdd(const Lot&, int) override { ++told; }
};

TEST(UnitOfWorkInsert, MergeThatThrowsAfterTheInsertTakesTheRecordOutAgain)
{
    CObjectFactory<Lot> table;
    LotObserver observer;
    table.AddActionTrigger(&observer);
    table.AddCommitTrigger(&observer);
    const Lot* address = &*table.Insert(Lot{1, 10}, false).first;
    CTransaction transaction;
    transaction.Add(ResourceHandle(new RefusingResource(address)));
    table.Remove(table.GetIndexByPrimary().begin(), false);

    try {
        table.Insert(Lot{2, 20}, &transaction);
        ADD_FAILURE() << "expected a throw";
    } catch(const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "1");
    }
    EXPECT_EQ(table.GetIndexByPrimary().size(), 0u);
    EXPECT_EQ(observer.told, 0);
    EXPECT_EQ(transaction.GetCount(), 1u);
    EXPECT_EQ(ResourcePool<Lot>::Instance().GetInUse(), 0u);
    EXPECT_EQ(ResourcePool<Lot>::Instance().GetSize(), 1u); // it was taken and given back
}

} // namespace
