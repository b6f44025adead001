#pragma once

template <class Record> class CObjectFactory;

// Observer of one record table, told when a change is final: at once for a
// change made without a unit of work, at the commit of its CTransaction
// otherwise. The old value is a copy that lives only for the call. The
// argument is the one given to CTransaction::Commit, 0 for a change that is
// final at once.
template <class Record> class CCommitTrigger
{
public:
    virtual ~CCommitTrigger() = default;

    virtual void commitAdd(const Record& /*stored*/, int /*argument*/) {}
    virtual void commitUpdate(const Record& /*oldValue*/, const Record& /*stored*/, int /*argument*/) {}
    virtual void commitRemove(const Record& /*oldValue*/, int /*argument*/) {}

    // The table this observer last registered with; null before that.
    CObjectFactory<Record>* GetObservedTable() const { return m_pTable; }

private:
    friend class CObjectFactory<Record>;
    CObjectFactory<Record>* m_pTable = nullptr;
};
