#pragma once

#include <vector>
#include <wx/string.h>

// One row of a list pane's column table.
struct ListColumn
{
    wxString title;  // translated header; empty for the row-number column
    int modelColumn; // the column the model answers for
    int mode;        // cell mode, wxDATAVIEW_CELL_INERT in every table
    int width;       // pixels, or -2 (wxCOL_WIDTH_AUTOSIZE)
    int alignment;   // a wxAlignment
};

// The row-number column each table starts with: no title, model column 0,
// centred, of the pane's own width.
ListColumn RowNumberColumn(int width);
// The table in model-column order, the order the columns are appended in;
// rows of one model column keep their order.
std::vector<ListColumn> SortByModelColumn(std::vector<ListColumn> table);
