#pragma once

class wxDataViewColumn;
class wxDataViewCtrl;

// What wx does not offer of the toolkit's tree-view columns: moving a column
// to another place, the width a column was given (by the program or by the
// user dragging its edge) as opposed to the width it is drawn with, and the
// width its header needs to show the title whole.
class GtkTreeColumns
{
public:
    // Places `column` right after `base`, or first when `base` is null.
    static void MoveAfter(wxDataViewCtrl* ctrl, wxDataViewColumn* column, wxDataViewColumn* base);
    // The given width; -1 while the column sizes itself to its contents.
    static int GetGivenWidth(const wxDataViewColumn* column);
    // The header's natural width; 0 before the column is in a list.
    static int GetTitleWidth(const wxDataViewColumn* column);
    // Column titles in the theme's text colour, on every list of the screen
    // `ctrl` is on (the stock theme greys them to about 2.8:1); once.
    static void UseReadableTitles(wxDataViewCtrl* ctrl);
};
