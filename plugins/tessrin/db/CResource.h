#pragma once

#include <memory>

// One undoable, committable piece of work recorded in a unit of work.
class CResource
{
public:
    explicit CResource(const void* target = nullptr) : m_target(target) {}
    virtual ~CResource() = default;
    CResource(const CResource&) = delete;
    CResource& operator=(const CResource&) = delete;

    // Gives the resource up once it is finished; by default deletes it.
    virtual void Release();
    virtual void Commit(int argument) = 0;
    virtual void Rollback() = 0;
    // 1: the newer resource was merged into this one and is no longer needed;
    // 2: not merged.
    virtual int Merge(CResource* newer) = 0;
    // Commit bucket, 0 first .. 3 last.
    virtual int GetPriority() const;
    virtual bool IsEmpty() const;

    // The stored record the work concerns; null for a unit of work.
    const void* GetTarget() const { return m_target; }

protected:
    void SetTarget(const void* target) { m_target = target; }

private:
    const void* m_target;
};

// Owns a resource until it is finished, then calls its Release.
struct ResourceReleaser
{
    void operator()(CResource* resource) const { resource->Release(); }
};
using ResourceHandle = std::unique_ptr<CResource, ResourceReleaser>;
