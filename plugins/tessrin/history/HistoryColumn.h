#pragma once

#include "common/ListColumn.h"

#include <vector>

// One row of a history page's column table: title (translated once, when
// the table is built), column number (display position and model column),
// cell mode, width (-2 sizes itself) and alignment. The same shape as a
// list pane's column.
using HistoryColumn = ListColumn;

// The table in column-number order, the order its columns are appended in.
inline std::vector<HistoryColumn> SortByColumnNumber(std::vector<HistoryColumn> table)
{
    return SortByModelColumn(std::move(table));
}
