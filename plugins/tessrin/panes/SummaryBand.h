#pragma once

#include <wx/gdicmn.h>

class wxDataViewColumn;
class wxDataViewCtrl;
class wxDC;
struct user_Account;

// One cell's slice of a hold-detail summary row: the band colour, the rule
// below it and the part of the bold money line that falls in the cell. The
// toolkit clips every cell, so each cell of the row paints its own slice and
// together they look like one band with the line running from column 0.
class SummaryBand
{
public:
    // `column` is the cell's column of `ctrl`, whose model is a
    // HoldDetailModel; `cell` the cell's rectangle on `dc`.
    static void Paint(wxDC& dc, const wxRect& cell, wxDataViewCtrl& ctrl, const wxDataViewColumn& column,
                      const user_Account& account);
    // Where column 0 starts, in the coordinates of `cell`; past the cell's
    // right edge when column 0 stands right of it.
    static int TextLeft(const wxRect& cell, const wxDataViewCtrl& ctrl, const wxDataViewColumn& column);
};
