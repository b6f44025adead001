#pragma once

class wxDataViewCtrl;

// What wx does not offer of the toolkit's tree view's rows: a repaint of the
// rows shown. wx's Refresh reaches the scrolled window around the tree view,
// which draws no row again.
class GtkTreeRows
{
public:
    static void Redraw(wxDataViewCtrl* ctrl);
};
