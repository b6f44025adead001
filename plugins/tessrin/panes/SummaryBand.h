#pragma once

#include <wx/gdicmn.h>

class wxDataViewColumn;
class wxDataViewCtrl;
class wxDC;
struct user_Account;

// One cell's slice of a hold-detail summary row: the band colour across the
// column, the rule below it and the part of the bold money line that falls
// in the column. The toolkit clips every cell and hands a custom cell only
// the rectangle of the size it asked for, so each cell paints its column's
// slice by the columns' positions, and together they look like one band with
// the line running from the start of column 0.
class SummaryBand
{
public:
    // `column` is the cell's column of `ctrl`, whose model is a
    // HoldDetailModel; `cell` the rectangle the toolkit gave the cell (its
    // rows), in the list's coordinates.
    static void Paint(wxDC& dc, const wxRect& cell, wxDataViewCtrl& ctrl, const wxDataViewColumn& column,
                      const user_Account& account);
    // The rule at the column's right across a bill row. The list draws no
    // rules between columns itself: they would cross the money line.
    static void PaintRule(wxDC& dc, const wxRect& cell, wxDataViewCtrl& ctrl, const wxDataViewColumn& column);
    // Where the column starts: the widths of the shown columns before it in
    // the order they are shown.
    static int ColumnLeft(const wxDataViewCtrl& ctrl, const wxDataViewColumn& column);
};
