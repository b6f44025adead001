#pragma once

#include "common/RefreshClock.h"

#include <utility>
#include <vector>

class pmDataViewCtrl;
class wxDataViewVirtualListModel;

// The changed rows and cells of a list model, told to its control together
// at the refresh clock's next tick instead of one by one as prices change
// them; without a clock, at once. Marks name rows by number: a model flushes
// them before it tells of rows added or deleted. When more rows changed than
// a screen holds, the control repaints the rows it shows once instead (values
// only: the row count and the rows' heights stay). GUI thread only.
class DirtyRows : public RefreshClock::Client
{
public:
    // Above this many rows and cells, one repaint of the rows shown.
    static constexpr std::size_t kManyRows = 64;

    DirtyRows(wxDataViewVirtualListModel& model, RefreshClock* clock);
    ~DirtyRows();
    DirtyRows(const DirtyRows&) = delete;
    DirtyRows& operator=(const DirtyRows&) = delete;

    // The control repainted when many rows changed; none: every row told.
    void SetControl(pmDataViewCtrl* control) { m_control = control; }

    void MarkRow(unsigned int row);
    void MarkCell(unsigned int row, unsigned int column);
    bool IsEmpty() const { return m_rows.empty() && m_cells.empty(); }
    // Tells the control of every mark now.
    void Flush();

    void OnRefreshTick() override { Flush(); }

private:
    void Wait();

    wxDataViewVirtualListModel& m_model;
    RefreshClock* m_clock;
    pmDataViewCtrl* m_control = nullptr;
    std::vector<unsigned int> m_rows;
    std::vector<std::pair<unsigned int, unsigned int>> m_cells;
};
