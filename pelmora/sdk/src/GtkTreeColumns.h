#pragma once

class wxDataViewColumn;
class wxDataViewCtrl;

// What wx does not offer of the toolkit's tree-view columns: moving a column
// to another place, and the width a column was given (by the program or by
// the user dragging its edge) as opposed to the width it is drawn with.
class GtkTreeColumns
{
public:
    // Places `column` right after `base`, or first when `base` is null.
    static void MoveAfter(wxDataViewCtrl* ctrl, wxDataViewColumn* column, wxDataViewColumn* base);
    // The given width; -1 while the column sizes itself to its contents.
    static int GetGivenWidth(const wxDataViewColumn* column);
};
