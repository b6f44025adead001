#include "common/DirtyRows.h"

#include <algorithm>
#include <tuple>
#include <wx/dataview.h>

DirtyRows::DirtyRows(wxDataViewVirtualListModel& model, RefreshClock* clock) : m_model(model), m_clock(clock)
{}

DirtyRows::~DirtyRows()
{
    if(m_clock) {
        m_clock->Cancel(this);
    }
}

void DirtyRows::MarkRow(unsigned int row)
{
    if(!m_clock) {
        m_model.RowChanged(row);
        return;
    }
    m_rows.push_back(row);
    Wait();
}

void DirtyRows::MarkCell(unsigned int row, unsigned int column)
{
    if(!m_clock) {
        m_model.RowValueChanged(row, column);
        return;
    }
    m_cells.emplace_back(row, column);
    Wait();
}

void DirtyRows::Wait()
{
    m_clock->Request(this);
}

void DirtyRows::Flush()
{
    if(m_clock) {
        m_clock->Cancel(this);
    }
    if(IsEmpty()) {
        return;
    }
    std::vector<unsigned int> rows;
    std::vector<std::pair<unsigned int, unsigned int>> cells;
    rows.swap(m_rows);
    cells.swap(m_cells);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::sort(cells.begin(), cells.end());
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    const unsigned int count = m_model.GetCount();
    unsigned int first = 0;
    unsigned int last = count;
    if(m_control && rows.size() + cells.size() > kManyRows) {
        std::tie(first, last) = VisibleRows(count);
    }
    for(unsigned int row : rows) {
        if(row >= first && row < last) {
            m_model.RowChanged(row);
        }
    }
    for(const auto& [row, column] : cells) {
        if(row >= first && row < last && !std::binary_search(rows.begin(), rows.end(), row)) {
            m_model.RowValueChanged(row, column);
        }
    }
}

std::pair<unsigned int, unsigned int> DirtyRows::VisibleRows(unsigned int count) const
{
    if(!m_control->IsShownOnScreen()) {
        return {0, 0}; // drawn afresh when it shows
    }
    const wxDataViewItem top = m_control->GetTopItem();
    const int perPage = m_control->GetCountPerPage();
    if(!top.IsOk() || perPage <= 0) {
        return {0, count};
    }
    // One more for the row cut at the bottom.
    const unsigned int first = m_model.GetRow(top);
    return {first, std::min(count, first + static_cast<unsigned int>(perPage) + 1)};
}
