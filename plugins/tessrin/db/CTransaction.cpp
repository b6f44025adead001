#include "db/CTransaction.h"

#include <algorithm>
#include <array>
#include <utility>

CTransaction::~CTransaction()
{
    Rollback();
}

void CTransaction::Add(ResourceHandle resource)
{
    const void* target = resource->GetTarget();
    const auto newest = m_newestOfTarget.find(target);
    const std::size_t first = newest == m_newestOfTarget.end() ? kNone : newest->second;
    for(std::size_t at = first; at != kNone; at = m_previousOfTarget[at]) {
        if(m_resources[at]->Merge(resource.get()) == 1) {
            return; // the handle releases the merged resource
        }
    }
    m_resources.push_back(std::move(resource));
    m_previousOfTarget.push_back(first);
    m_newestOfTarget[target] = m_resources.size() - 1;
}

std::vector<ResourceHandle> CTransaction::TakeResources()
{
    std::vector<ResourceHandle> resources;
    resources.swap(m_resources);
    m_newestOfTarget.clear();
    m_previousOfTarget.clear();
    return resources;
}

void CTransaction::Commit(int argument)
{
    // Taken out first, so work recorded by a trigger during the commit waits
    // for the next Commit or Rollback instead of disturbing this walk.
    std::vector<ResourceHandle> resources = TakeResources();

    std::array<std::vector<ResourceHandle>, 4> buckets;
    for(auto it = resources.rbegin(); it != resources.rend(); ++it) {
        if((*it)->IsEmpty()) {
            it->reset();
            continue;
        }
        const int priority = std::clamp((*it)->GetPriority(), 0, 3);
        buckets[priority].push_back(std::move(*it));
    }
    for(auto& bucket : buckets) {
        // Each bucket was filled newest first: commit from its end.
        for(auto it = bucket.rbegin(); it != bucket.rend(); ++it) {
            (*it)->Commit(argument);
            it->reset();
        }
    }
}

void CTransaction::Rollback()
{
    std::vector<ResourceHandle> resources = TakeResources();
    for(auto it = resources.rbegin(); it != resources.rend(); ++it) {
        (*it)->Rollback();
        it->reset();
    }
}

int CTransaction::Merge(CResource* /*newer*/)
{
    return 2;
}
