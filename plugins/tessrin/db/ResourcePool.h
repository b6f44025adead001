#pragma once

#include "db/CResource.h"

#include <cstddef>
#include <memory>
#include <vector>
#include <wx/debug.h>

template <class Record> class CDatabaseResource;

// The recycled operation records of one record type: a process-wide pool,
// made on first use, that grows to the largest number of records in use at
// once and then allocates nothing. It tracks which records are free, so two
// open units of work never share one.
template <class Record> class ResourcePool
{
public:
    using Lease = std::unique_ptr<CDatabaseResource<Record>, ResourceReleaser>;

    static ResourcePool& Instance()
    {
        static ResourcePool pool;
        return pool;
    }

    // Released by CDatabaseResource::Release, which hands it back here.
    Lease Alloc();
    void Free(CDatabaseResource<Record>* resource);

    std::size_t GetSize() const { return m_resources.size(); }
    std::size_t GetInUse() const { return m_resources.size() - m_free.size(); }

private:
    ResourcePool() = default;

    std::vector<std::unique_ptr<CDatabaseResource<Record>>> m_resources;
    std::vector<CDatabaseResource<Record>*> m_free;
};

template <class Record> auto ResourcePool<Record>::Alloc() -> Lease
{
    if(m_free.empty()) {
        m_resources.push_back(std::make_unique<CDatabaseResource<Record>>());
        m_free.reserve(m_resources.capacity());
        return Lease(m_resources.back().get());
    }
    CDatabaseResource<Record>* resource = m_free.back();
    m_free.pop_back();
    return Lease(resource);
}

template <class Record> void ResourcePool<Record>::Free(CDatabaseResource<Record>* resource)
{
    wxASSERT_MSG(GetInUse() > 0, "ResourcePool::Free: nothing is in use");
    m_free.push_back(resource);
}
