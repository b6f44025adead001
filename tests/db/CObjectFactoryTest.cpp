#include "TableTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class RecordTable : public ::testing::Test
{
protected:
    ItemTable table;
    std::vector<std::string> log;
    RecordingObserver a{"A", log};
    RecordingObserver b{"B", log};

    void RegisterBoth()
    {
        table.AddActionTrigger(&a);
        table.AddActionTrigger(&b);
        table.AddCommitTrigger(&a);
        table.AddCommitTrigger(&b);
    }
    ItemTable::iterator Find(int id) const { return table.GetIndexByPrimary().find(id); }
};

// --- calling order and vetoes ----------------------------------------------

TEST_F(RecordTable, InsertAsksAndTellsNewestRegistrationFirstThenCommits)
{
    RegisterBoth();
    const auto result = table.Insert(MakeItem(1, "one", 10));
    ASSERT_TRUE(result.second);
    EXPECT_EQ(result.first->value, 10);
    EXPECT_THAT(log, ElementsAre("B.beforeAdd 1", "A.beforeAdd 1", "B.afterAdd 1", "A.afterAdd 1",
                                 "B.commitAdd 1 arg=0", "A.commitAdd 1 arg=0"));
}

TEST_F(RecordTable, VetoOnInsertStopsTheWalkAndStoresNothing)
{
    RegisterBoth();
    b.allowAdd = false;
    const auto result = table.Insert(MakeItem(1, "one", 10));
    EXPECT_FALSE(result.second);
    EXPECT_TRUE(result.first == table.GetIndexByPrimary().end());
    EXPECT_EQ(table.GetIndexByPrimary().size(), 0u);
    EXPECT_THAT(log, ElementsAre("B.beforeAdd 1"));
}

TEST_F(RecordTable, InsertClashAsksEveryBeforeAddAndNothingElse)
{
    table.Insert(MakeItem(1, "one", 10));
    RegisterBoth();
    const auto result = table.Insert(MakeItem(1, "other", 99));
    EXPECT_FALSE(result.second);
    ASSERT_TRUE(result.first != table.GetIndexByPrimary().end());
    EXPECT_EQ(result.first->value, 10); // the record that holds the key
    EXPECT_EQ(table.GetIndexByPrimary().size(), 1u);
    EXPECT_THAT(log, ElementsAre("B.beforeAdd 1", "A.beforeAdd 1"));
}

TEST_F(RecordTable, VetoOnUpdateAndRemoveLeavesTheRecord)
{
    table.Insert(MakeItem(1, "one", 10));
    RegisterBoth();
    a.allowUpdate = false;
    a.allowRemove = false;
    EXPECT_FALSE(table.Update(Find(1), MakeItem(1, "one", 11)));
    EXPECT_FALSE(table.Remove(Find(1)));
    ASSERT_TRUE(Find(1) != table.GetIndexByPrimary().end());
    EXPECT_EQ(Find(1)->value, 10);
    EXPECT_THAT(log,
                ElementsAre("B.beforeUpdate 1", "A.beforeUpdate 1", "B.beforeRemove 1", "A.beforeRemove 1"));
}

TEST_F(RecordTable, UpdateToAnotherRecordsUniqueKeyFailsWithoutFurtherCalls)
{
    table.Insert(MakeItem(1, "one", 10));
    table.Insert(MakeItem(2, "two", 20));
    RegisterBoth();
    EXPECT_FALSE(table.Update(Find(1), MakeItem(2, "one", 11)));
    ASSERT_TRUE(Find(1) != table.GetIndexByPrimary().end());
    EXPECT_EQ(Find(1)->value, 10);
    EXPECT_EQ(Find(2)->value, 20);
    EXPECT_THAT(log, ElementsAre("B.beforeUpdate 1", "A.beforeUpdate 1"));
}

TEST_F(RecordTable, ModifyChangesTheStoredRecordThroughUpdateAndSaysWhetherItWasFound)
{
    table.Insert(MakeItem(1, "one", 10));
    RegisterBoth();
    struct Case
    {
        int id;
        bool veto;
        bool found;
        int valueAfter; // of record 1
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {2, false, false, 10, {}},
        {1, true, true, 10, {"B.beforeUpdate 1", "A.beforeUpdate 1"}},
        {1,
         false,
         true,
         11,
         {"B.beforeUpdate 1", "A.beforeUpdate 1", "B.afterUpdate 1", "A.afterUpdate 1",
          "B.commitUpdate 1 arg=0", "A.commitUpdate 1 arg=0"}},
    };
    for(const Case& c : cases) {
        log.clear();
        a.allowUpdate = !c.veto;
        int changes = 0;
        EXPECT_EQ(table.Modify(c.id,
                               [&](Item& item) {
                                   ++changes;
                                   item.value = Find(1)->value + 1;
                               }),
                  c.found);
        EXPECT_EQ(changes, c.found ? 1 : 0);
        EXPECT_EQ(Find(1)->value, c.valueAfter);
        EXPECT_EQ(log, c.calls) << "id " << c.id << " veto " << c.veto;
    }
    EXPECT_EQ(table.GetIndexByPrimary().size(), 1u);
}

// --- values seen by the observers --------------------------------------------

TEST_F(RecordTable, CommitUpdateGetsTheOldValueAndTheStoredNewValue)
{
    table.Insert(MakeItem(1, "one", 10));
    const Item* address = &*Find(1);
    RegisterBoth();
    Item seenOld, seenStored;
    const Item* seenAddress = nullptr;
    a.onCommitUpdate = [&](const Item& oldValue, const Item& stored) {
        seenOld = oldValue;
        seenStored = stored;
        seenAddress = &stored;
    };
    a.onBeforeUpdate = [&](const Item& stored, const Item& newValue) {
        EXPECT_EQ(stored.value, 10); // still the old value while asked
        EXPECT_EQ(newValue.value, 11);
    };
    ASSERT_TRUE(table.Update(Find(1), MakeItem(1, "uno", 11)));
    EXPECT_EQ(seenOld, MakeItem(1, "one", 10));
    EXPECT_EQ(seenStored, MakeItem(1, "uno", 11));
    EXPECT_EQ(seenAddress, address); // updated in place
    EXPECT_THAT(log, ElementsAre("B.beforeUpdate 1", "A.beforeUpdate 1", "B.afterUpdate 1", "A.afterUpdate 1",
                                 "B.commitUpdate 1 arg=0", "A.commitUpdate 1 arg=0"));
}

TEST_F(RecordTable, BeforeRemoveSeesTheStoredRecordAndCommitRemoveAcopyAfterTheErase)
{
    table.Insert(MakeItem(1, "one", 10));
    RegisterBoth();
    a.onBeforeRemove = [&](const Item&) { EXPECT_TRUE(Find(1) != table.GetIndexByPrimary().end()); };
    bool checked = false;
    a.onCommitRemove = [&](const Item& oldValue) {
        EXPECT_TRUE(Find(1) == table.GetIndexByPrimary().end());
        EXPECT_EQ(oldValue, MakeItem(1, "one", 10));
        checked = true;
    };
    ASSERT_TRUE(table.Remove(Find(1)));
    EXPECT_TRUE(checked);
    EXPECT_THAT(log, ElementsAre("B.beforeRemove 1", "A.beforeRemove 1", "B.commitRemove 1 arg=0",
                                 "A.commitRemove 1 arg=0"));
}

TEST_F(RecordTable, UpdateWithTheStoredRecordItselfSucceedsAndNotifies)
{
    table.Insert(MakeItem(1, "one", 10));
    table.AddActionTrigger(&a);
    table.AddCommitTrigger(&a);
    const Item& stored = *Find(1);
    a.onBeforeUpdate = [&](const Item& s, const Item& newValue) { EXPECT_EQ(&s, &newValue); };
    bool checked = false;
    a.onCommitUpdate = [&](const Item& oldValue, const Item& s) {
        EXPECT_EQ(oldValue, s);
        checked = true;
    };
    const_cast<Item&>(stored).value = 12; // a writer that changed the stored record in place
    EXPECT_TRUE(table.Update(Find(1), stored));
    EXPECT_TRUE(checked);
    EXPECT_EQ(Find(1)->value, 12);
    EXPECT_THAT(log, ElementsAre("A.beforeUpdate 1", "A.afterUpdate 1", "A.commitUpdate 1 arg=0"));
}

TEST_F(RecordTable, ChangeMadeByAnObserverKeepsTheOuterChangesOldValueIntact)
{
    table.Insert(MakeItem(1, "one", 10));
    table.Insert(MakeItem(2, "two", 20));
    table.AddCommitTrigger(&a);
    std::vector<int> oldValues;
    a.onCommitUpdate = [&](const Item& oldValue, const Item& stored) {
        if(stored.id == 1) {
            table.Update(Find(2), MakeItem(2, "two", 21));
        }
        oldValues.push_back(oldValue.value); // read after the nested update
    };
    a.onCommitRemove = [&](const Item& oldValue) {
        table.Update(Find(2), MakeItem(2, "two", 22));
        oldValues.push_back(oldValue.value);
    };
    ASSERT_TRUE(table.Update(Find(1), MakeItem(1, "one", 11)));
    ASSERT_TRUE(table.Remove(Find(1)));
    EXPECT_THAT(oldValues, ElementsAre(20, 10, 21, 11));
}

// --- registration -------------------------------------------------------------

TEST_F(RecordTable, ObserverRegisteredTwiceIsCalledTwiceAndUnregisteringOnceLeavesOne)
{
    table.AddActionTrigger(&a);
    table.AddActionTrigger(&a);
    EXPECT_EQ(a.CActionTrigger<Item>::GetObservedTable(), &table);
    table.Insert(MakeItem(1, "one", 10));
    EXPECT_THAT(log, ElementsAre("A.beforeAdd 1", "A.beforeAdd 1", "A.afterAdd 1", "A.afterAdd 1"));
    log.clear();
    table.RemoveActionTrigger(&a);
    table.RemoveActionTrigger(&b); // not registered: no change
    table.Insert(MakeItem(2, "two", 20));
    EXPECT_THAT(log, ElementsAre("A.beforeAdd 2", "A.afterAdd 2"));
    log.clear();
    table.RemoveActionTrigger(&a);
    table.Insert(MakeItem(3, "three", 30));
    EXPECT_THAT(log, IsEmpty());
}

TEST_F(RecordTable, ObserverRemovedDuringAWalkIsNotCalledLaterInIt)
{
    // B is called first; it unregisters and destroys C, which comes next.
    auto c = std::make_unique<RecordingObserver>("C", log);
    table.AddActionTrigger(&a);
    table.AddActionTrigger(c.get());
    table.AddActionTrigger(&b);
    b.onBeforeAdd = [&](const Item&) {
        table.RemoveActionTrigger(c.get());
        c.reset();
    };
    ASSERT_TRUE(table.Insert(MakeItem(1, "one", 10)).second);
    EXPECT_THAT(log, ElementsAre("B.beforeAdd 1", "A.beforeAdd 1", "B.afterAdd 1", "A.afterAdd 1"));
    b.onBeforeAdd = nullptr;
    log.clear();
    table.Insert(MakeItem(2, "two", 20));
    EXPECT_THAT(log, ElementsAre("B.beforeAdd 2", "A.beforeAdd 2", "B.afterAdd 2", "A.afterAdd 2"));
}

TEST_F(RecordTable, ObserverAddedDuringAWalkIsFirstCalledOnTheNextChange)
{
    RecordingObserver c("C", log);
    table.AddActionTrigger(&a);
    a.onBeforeAdd = [&](const Item&) {
        table.AddActionTrigger(&c);
        table.AddCommitTrigger(&c);
        a.onBeforeAdd = nullptr;
    };
    table.Insert(MakeItem(1, "one", 10));
    EXPECT_THAT(log, ElementsAre("A.beforeAdd 1", "A.afterAdd 1"));
    log.clear();
    table.Insert(MakeItem(2, "two", 20));
    EXPECT_THAT(log, ElementsAre("C.beforeAdd 2", "A.beforeAdd 2", "C.afterAdd 2", "A.afterAdd 2",
                                 "C.commitAdd 2 arg=0"));
}

// --- silent operations --------------------------------------------------------

TEST_F(RecordTable, NotifyFalseChangesTheTableAndCallsNoTrigger)
{
    RegisterBoth();
    a.allowAdd = a.allowUpdate = a.allowRemove = false; // not even asked
    ASSERT_TRUE(table.Insert(MakeItem(1, "one", 10), false).second);
    EXPECT_TRUE(table.Update(Find(1), MakeItem(1, "one", 11), false));
    EXPECT_EQ(Find(1)->value, 11);
    EXPECT_TRUE(table.Remove(Find(1), false));
    EXPECT_EQ(table.GetIndexByPrimary().size(), 0u);
    EXPECT_THAT(log, IsEmpty());
}

TEST_F(RecordTable, ClearErasesEverythingSilentlyAndCountsTheRemovals)
{
    table.Insert(MakeItem(1, "one", 10));
    table.Insert(MakeItem(2, "two", 20));
    table.Remove(Find(1));
    EXPECT_EQ(table.GetRemovalCount(), 1u);
    RegisterBoth();
    table.Clear();
    EXPECT_EQ(table.GetIndexByPrimary().size(), 0u);
    EXPECT_EQ(table.GetRemovalCount(), 2u);
    EXPECT_THAT(log, IsEmpty());
}

// --- positions and indices ----------------------------------------------------

TEST_F(RecordTable, InsertAtAPositionPlacesTheRecordBeforeItInTheSequence)
{
    table.Insert(MakeItem(1, "one", 10));
    table.Insert(MakeItem(3, "three", 30));
    const auto& sequence = table.GetIndex<2>();
    table.AddActionTrigger(&a);
    const auto result = table.Insert(sequence.begin() + 1, MakeItem(2, "two", 20));
    ASSERT_TRUE(result.second);
    EXPECT_EQ(result.first->id, 2);
    ASSERT_EQ(sequence.size(), 3u);
    EXPECT_EQ(sequence[0].id, 1);
    EXPECT_EQ(sequence[1].id, 2);
    EXPECT_EQ(sequence[2].id, 3);
    EXPECT_THAT(log, ElementsAre("A.beforeAdd 2", "A.afterAdd 2"));
    // A clash leaves the sequence alone.
    EXPECT_FALSE(table.Insert(sequence.begin(), MakeItem(3, "again", 0)).second);
    EXPECT_EQ(sequence.size(), 3u);
}

TEST_F(RecordTable, UpdateAndRemoveTakeAPositionOfAnyIndex)
{
    table.Insert(MakeItem(1, "one", 10));
    table.Insert(MakeItem(2, "two", 20));
    const auto& byName = table.GetIndex<1>();
    EXPECT_TRUE(table.Update(byName.find("two"), MakeItem(2, "deux", 21)));
    EXPECT_EQ(Find(2)->name, "deux");
    // A text key of the same length, changed: the index moves it.
    EXPECT_TRUE(table.Update(Find(1), MakeItem(1, "abc", 10)));
    EXPECT_EQ(byName.begin()->name, "abc");
    EXPECT_TRUE(table.Remove(table.GetIndex<2>().begin()));
    EXPECT_TRUE(Find(1) == table.GetIndexByPrimary().end());
    EXPECT_EQ(byName.count("deux"), 1u);
}

} // namespace

// --- a record type with its own old-value copy ------------------------------

struct Goods
{
    int id = 0;
    int amount = 0;
    bool copiedByAssign = false;
};

Goods& AssignRecord(Goods& target, const Goods& source)
{
    target = source;
    target.copiedByAssign = true;
    return target;
}

template <> struct RecordContainer<Goods>
{
    using type =
        boost::multi_index_container<Goods,
                                     boost::multi_index::indexed_by<boost::multi_index::hashed_non_unique<
                                         boost::multi_index::member<Goods, int, &Goods::id>>>>;
};

namespace {

class GoodsObserver : public CCommitTrigger<Goods>
{
public:
    int oldCopies = 0;
    void commitUpdate(const Goods& oldValue, const Goods&, int) override
    {
        oldCopies += oldValue.copiedByAssign;
    }
    void commitRemove(const Goods& oldValue, int) override { oldCopies += oldValue.copiedByAssign; }
};

TEST(RecordTableOldValue, OldValueIsMadeByTheRecordTypesOwnCopy)
{
    CObjectFactory<Goods> table;
    GoodsObserver observer;
    table.AddCommitTrigger(&observer);
    Goods goods;
    goods.id = 5;
    const auto stored = table.Insert(goods).first;
    goods.amount = 3;
    ASSERT_TRUE(table.Update(stored, goods));
    ASSERT_TRUE(table.Remove(stored));
    EXPECT_EQ(observer.oldCopies, 2);
}

} // namespace
