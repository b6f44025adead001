#pragma once

// Counts the trigger calls of one record table and can refuse removals; the
// keys of removed rows are kept through a caller-given key function.
#include "db/CObjectFactory.h"

#include <functional>
#include <vector>

template <class Record, class Key>
class CountingObserver : public CActionTrigger<Record>, public CCommitTrigger<Record>
{
public:
    CountingObserver(CObjectFactory<Record>& table, std::function<Key(const Record&)> key)
        : m_table(table), m_key(std::move(key))
    {
        m_table.AddActionTrigger(this);
        m_table.AddCommitTrigger(this);
    }
    ~CountingObserver() override
    {
        m_table.RemoveActionTrigger(this);
        m_table.RemoveCommitTrigger(this);
    }

    int adds = 0;
    int updates = 0;
    int beforeRemoves = 0;
    std::vector<Key> removed; // keys seen by commitRemove, in order
    bool allowRemove = true;
    std::function<void(const Record&)> onCommitRemove;

    void afterAdd(const Record&, CTransaction*, void*) override { ++adds; }
    void afterUpdate(const Record&, CTransaction*, void*) override { ++updates; }
    bool beforeRemove(const Record&, CTransaction*, void*) override
    {
        ++beforeRemoves;
        return allowRemove;
    }
    void commitRemove(const Record& oldValue, int) override
    {
        removed.push_back(m_key(oldValue));
        if(onCommitRemove) {
            onCommitRemove(oldValue);
        }
    }

private:
    CObjectFactory<Record>& m_table;
    std::function<Key(const Record&)> m_key;
};
