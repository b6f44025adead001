#include "GtkTreeColumns.h"

#include <wx/dataview.h>

// The toolkit's development headers are not part of the platform; these are
// the calls used, as the toolkit's library exports them.
extern "C" {
typedef struct _GtkTreeView GtkTreeView;
typedef struct _GtkTreeViewColumn GtkTreeViewColumn;
typedef struct _GtkWidget GtkWidget;
GtkWidget* gtk_tree_view_column_get_button(GtkTreeViewColumn* column);
void gtk_widget_get_preferred_width(GtkWidget* widget, int* minimum, int* natural);
void gtk_tree_view_move_column_after(GtkTreeView* treeView, GtkTreeViewColumn* column,
                                     GtkTreeViewColumn* baseColumn);
int gtk_tree_view_column_get_fixed_width(GtkTreeViewColumn* column);
}

namespace {
GtkTreeViewColumn* Native(const wxDataViewColumn* column)
{
    return column ? reinterpret_cast<GtkTreeViewColumn*>(column->GetGtkHandle()) : nullptr;
}
} // namespace

void GtkTreeColumns::MoveAfter(wxDataViewCtrl* ctrl, wxDataViewColumn* column, wxDataViewColumn* base)
{
    if(!ctrl || !column) {
        return;
    }
    gtk_tree_view_move_column_after(reinterpret_cast<GtkTreeView*>(ctrl->GtkGetTreeView()), Native(column),
                                    Native(base));
}

int GtkTreeColumns::GetGivenWidth(const wxDataViewColumn* column)
{
    return column ? gtk_tree_view_column_get_fixed_width(Native(column)) : -1;
}

int GtkTreeColumns::GetTitleWidth(const wxDataViewColumn* column)
{
    GtkWidget* button = column ? gtk_tree_view_column_get_button(Native(column)) : nullptr;
    if(!button) {
        return 0;
    }
    int minimum = 0;
    int natural = 0;
    gtk_widget_get_preferred_width(button, &minimum, &natural);
    return natural;
}
