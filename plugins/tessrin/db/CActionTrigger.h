#pragma once

class CTransaction;
template <class Record> class CObjectFactory;

// Observer of one record table, called at once on every change. A "before"
// call may veto the change by answering false. There is no call after a
// removal: an observer drops its row in beforeRemove, while the record is
// still stored. The reserved argument is always null.
//
// Observers register with CObjectFactory::AddActionTrigger after the table
// exists and unregister with RemoveActionTrigger before they go away; this
// base does neither.
template <class Record> class CActionTrigger
{
public:
    virtual ~CActionTrigger() = default;

    virtual bool beforeAdd(const Record& /*record*/, CTransaction* /*transaction*/, void* /*reserved*/)
    {
        return true;
    }
    virtual void afterAdd(const Record& /*stored*/, CTransaction* /*transaction*/, void* /*reserved*/) {}
    virtual bool beforeUpdate(const Record& /*stored*/, const Record& /*newValue*/,
                              CTransaction* /*transaction*/, void* /*reserved*/)
    {
        return true;
    }
    virtual void afterUpdate(const Record& /*stored*/, CTransaction* /*transaction*/, void* /*reserved*/) {}
    virtual bool beforeRemove(const Record& /*stored*/, CTransaction* /*transaction*/, void* /*reserved*/)
    {
        return true;
    }

    // The table this observer last registered with; null before that.
    CObjectFactory<Record>* GetObservedTable() const { return m_pTable; }

private:
    friend class CObjectFactory<Record>;
    CObjectFactory<Record>* m_pTable = nullptr;
};
