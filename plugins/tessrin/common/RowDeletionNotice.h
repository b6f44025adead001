#pragma once

#include <functional>

// What a list model tells its pane around the removal of a row. The toolkit
// moves the cursor of a removed row to its neighbour and selects it; the
// pane (ListPane) keeps the trader's own selection instead.
class RowDeletionNotice
{
public:
    using Hook = std::function<void(unsigned int row)>;

    virtual ~RowDeletionNotice() = default;
    // Empty hooks: nothing is told.
    void SetRowDeletionHooks(Hook before, Hook after)
    {
        m_before = std::move(before);
        m_after = std::move(after);
    }

protected:
    // Around the model's own RowDeleted(row).
    void NotifyRowDeleting(unsigned int row) const
    {
        if(m_before) {
            m_before(row);
        }
    }
    void NotifyRowDeleted(unsigned int row) const
    {
        if(m_after) {
            m_after(row);
        }
    }

private:
    Hook m_before;
    Hook m_after;
};
