#include "common/ListColumn.h"

#include <algorithm>
#include <wx/dataview.h>

ListColumn RowNumberColumn(int width)
{
    return ListColumn{wxString(), 0, wxDATAVIEW_CELL_INERT, width, wxALIGN_CENTER_HORIZONTAL};
}

std::vector<ListColumn> SortByModelColumn(std::vector<ListColumn> table)
{
    std::stable_sort(table.begin(), table.end(),
                     [](const ListColumn& a, const ListColumn& b) { return a.modelColumn < b.modelColumn; });
    return table;
}
