#pragma once

#include "db/CObjectFactory.h"
#include "db/CResource.h"

#include <cstdint>
#include <stdexcept>

// One recorded change of one record table, taken from its record type's
// ResourcePool and given back by Release.
template <class Record> class CDatabaseResource : public CResource
{
public:
    enum Kind : int32_t { eAdd = 1, eUpdate = 2, eRemove = 3, eNothing = 4 };
    using iterator = typename CObjectFactory<Record>::iterator;

    CDatabaseResource() = default;

    void Set(int32_t kind, CObjectFactory<Record>* table, iterator stored);
    // Keeps a copy of the record as it was before the change.
    void KeepOldValue(const Record& value) { AssignRecord(m_oldValue, value); }

    void Release() override;
    void Commit(int argument) override;
    void Rollback() override;
    int Merge(CResource* newer) override;

    int32_t GetKind() const { return m_kind; }
    const Record& GetOldValue() const { return m_oldValue; }

private:
    int32_t m_kind = eNothing;
    CObjectFactory<Record>* m_table = nullptr;
    Record m_oldValue;
    iterator m_stored{};
};

#include "db/ResourcePool.h"

template <class Record>
void CDatabaseResource<Record>::Set(int32_t kind, CObjectFactory<Record>* table, iterator stored)
{
    m_kind = kind;
    m_table = table;
    m_stored = stored;
    SetTarget(&*stored);
}

template <class Record> void CDatabaseResource<Record>::Release()
{
    ResourcePool<Record>::Instance().Free(this);
}

template <class Record> void CDatabaseResource<Record>::Commit(int argument)
{
    typename CObjectFactory<Record>::ChangeScope change(*m_table);
    switch(m_kind) {
    case eAdd:
        m_table->CommitAdd(*m_stored, argument, change.commits);
        break;
    case eUpdate:
        m_table->CommitUpdate(m_oldValue, *m_stored, argument, change.commits);
        break;
    case eRemove:
        m_table->CommitRemove(m_oldValue, argument, change.commits);
        break;
    default:
        break;
    }
}

template <class Record> void CDatabaseResource<Record>::Rollback()
{
    // No trigger hears of an undo; a step whose key was taken meanwhile fails quietly.
    switch(m_kind) {
    case eAdd:
        m_table->Remove(m_stored, false);
        break;
    case eUpdate:
        m_table->Update(m_stored, m_oldValue, nullptr, false);
        break;
    case eRemove:
        m_table->Insert(m_oldValue, nullptr, false);
        break;
    default:
        break;
    }
}

template <class Record> int CDatabaseResource<Record>::Merge(CResource* newer)
{
    auto* other = dynamic_cast<CDatabaseResource<Record>*>(newer);
    if(other == nullptr || other->m_table != m_table) {
        return 2; // a record of another table that happens to sit at the same address
    }
    const int32_t older = m_kind;
    const int32_t later = other->m_kind;
    if(older < eAdd || older > eNothing || later < eAdd || later > eNothing) {
        throw std::runtime_error("8");
    }
    switch(older) {
    case eAdd:
        if(later == eAdd) {
            throw std::runtime_error("1");
        }
        if(later == eNothing) {
            throw std::runtime_error("2");
        }
        if(later == eRemove) {
            m_kind = eNothing;
        }
        return 1;
    case eUpdate:
        if(later == eAdd) {
            throw std::runtime_error("3");
        }
        if(later == eNothing) {
            throw std::runtime_error("4");
        }
        if(later == eRemove) {
            m_kind = eRemove; // keeps the value from before the first update
        }
        return 1;
    default: // eRemove, eNothing: the address now holds a new record
        switch(later) {
        case eAdd:
            return 2;
        case eUpdate:
            throw std::runtime_error("5");
        case eRemove:
            throw std::runtime_error("6");
        default:
            throw std::runtime_error("7");
        }
    }
}
