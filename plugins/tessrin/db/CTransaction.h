#pragma once

#include "db/CResource.h"

#include <cstddef>
#include <unordered_map>
#include <vector>

// A unit of work over record tables. The tables apply each change at once and
// call their action triggers with this transaction; what waits for Commit is
// the commit triggers' notification, and Rollback undoes the changes without
// calling any trigger. A transaction destroyed while it still holds work
// rolls that work back.
//
//   CTransaction transaction;
//   table.Update(it, value, &transaction);
//   transaction.Commit(0);
class CTransaction : public CResource
{
public:
    CTransaction() = default;
    ~CTransaction() override;

    // Records a resource, merging it into an earlier one of the same target
    // where possible. Takes ownership: a merged resource is released at once.
    // An impossible merge throws std::runtime_error with a digit as its text;
    // the recorded list is then unchanged and the new resource released.
    void Add(ResourceHandle resource);

    // Commits every recorded resource in the priority buckets 0 to 3, within a
    // bucket in the order of recording, then empties the list.
    void Commit(int argument) override;
    // Undoes every recorded resource, newest first, then empties the list.
    void Rollback() override;
    int Merge(CResource* newer) override;

    std::size_t GetCount() const { return m_resources.size(); }

private:
    // Empties the list, handing its resources out oldest first.
    std::vector<ResourceHandle> TakeResources();

    std::vector<ResourceHandle> m_resources; // oldest first
    // The resources of one target, newest first: its newest one's position,
    // then for each position the one before it of the same target (kNone at
    // the oldest). A download merged in one unit of work adds a thousand.
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::unordered_map<const void*, std::size_t> m_newestOfTarget;
    std::vector<std::size_t> m_previousOfTarget;
};
