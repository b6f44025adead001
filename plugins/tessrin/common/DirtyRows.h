#pragma once

#include "common/RefreshClock.h"

#include <utility>
#include <vector>

class wxDataViewCtrl;
class wxDataViewVirtualListModel;

// The changed rows and cells of a list model, told to its control together
// at the refresh clock's next tick instead of one by one as prices change
// them; without a clock, at once. Marks name rows by number: a model flushes
// them before it tells of rows added or deleted. When more rows changed than
// a screen holds, only those the control shows are told (the toolkit draws
// the others when they scroll into view; repainting the control as a whole
// draws no row on GTK). GUI thread only.
class DirtyRows : public RefreshClock::Client
{
public:
    // Above this many rows and cells, only the control's visible rows are told.
    static constexpr std::size_t kManyRows = 64;

    DirtyRows(wxDataViewVirtualListModel& model, RefreshClock* clock);
    ~DirtyRows();
    DirtyRows(const DirtyRows&) = delete;
    DirtyRows& operator=(const DirtyRows&) = delete;

    // The control whose visible rows are told when many changed; none:
    // every row told.
    void SetControl(wxDataViewCtrl* control) { m_control = control; }

    void MarkRow(unsigned int row);
    void MarkCell(unsigned int row, unsigned int column);
    bool IsEmpty() const { return m_rows.empty() && m_cells.empty(); }
    // Tells the control of every mark now.
    void Flush();

    void OnRefreshTick() override { Flush(); }

private:
    void Wait();
    // The rows the control shows, [first, last); the whole model when it
    // cannot tell, none when it is not on the screen.
    std::pair<unsigned int, unsigned int> VisibleRows(unsigned int count) const;

    wxDataViewVirtualListModel& m_model;
    RefreshClock* m_clock;
    wxDataViewCtrl* m_control = nullptr;
    std::vector<unsigned int> m_rows;
    std::vector<std::pair<unsigned int, unsigned int>> m_cells;
};
