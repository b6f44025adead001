#pragma once

#include <cstdint>

// A non-owning pointer from one record to a record of another table, with the
// removal count of the target table at the time it was cached. A link whose
// count no longer matches may name a removed record and is never dereferenced.
template <class T> class CachedLink
{
public:
    const T* Get() const { return m_record; }
    const T* operator->() const { return m_record; }
    const T& operator*() const { return *m_record; }
    explicit operator bool() const { return m_record != nullptr; }

    uint64_t Epoch() const { return m_epoch; }
    void Set(const T* record, uint64_t epoch)
    {
        m_record = record;
        m_epoch = epoch;
    }
    void Reset()
    {
        m_record = nullptr;
        m_epoch = 0;
    }

private:
    const T* m_record = nullptr;
    uint64_t m_epoch = 0;
};
