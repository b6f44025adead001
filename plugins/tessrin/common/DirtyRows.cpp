#include "common/DirtyRows.h"

#include <algorithm>
#include <pelmora/pmDataViewCtrl.h>
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
    if(m_control && rows.size() + cells.size() > kManyRows) {
        m_control->RefreshRows();
        return;
    }
    for(unsigned int row : rows) {
        if(row < count) {
            m_model.RowChanged(row);
        }
    }
    for(const auto& [row, column] : cells) {
        if(row < count && !std::binary_search(rows.begin(), rows.end(), row)) {
            m_model.RowValueChanged(row, column);
        }
    }
}
