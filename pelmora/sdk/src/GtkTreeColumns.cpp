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
typedef struct _GtkCssProvider GtkCssProvider;
typedef struct _GtkStyleProvider GtkStyleProvider;
typedef struct _GdkScreen GdkScreen;
typedef struct _GError GError;
GtkCssProvider* gtk_css_provider_new(void);
int gtk_css_provider_load_from_data(GtkCssProvider* provider, const char* data, long length, GError** error);
GdkScreen* gtk_widget_get_screen(GtkWidget* widget);
void gtk_style_context_add_provider_for_screen(GdkScreen* screen, GtkStyleProvider* provider,
                                               unsigned priority);
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

void GtkTreeColumns::UseReadableTitles(wxDataViewCtrl* ctrl)
{
    static bool installed = false;
    if(installed || !ctrl || !ctrl->GtkGetTreeView()) {
        return;
    }
    installed = true;
    // Above the theme's own rules, below the user's (GTK's application priority).
    constexpr unsigned kApplicationPriority = 600;
    static const char kCss[] = "treeview.view header button, treeview.view header button label,"
                               " treeview.view header button:hover { color: @theme_fg_color; }";
    GtkCssProvider* provider = gtk_css_provider_new(); // kept by the screen for the process
    gtk_css_provider_load_from_data(provider, kCss, -1, nullptr);
    gtk_style_context_add_provider_for_screen(
        gtk_widget_get_screen(reinterpret_cast<GtkWidget*>(ctrl->GtkGetTreeView())),
        reinterpret_cast<GtkStyleProvider*>(provider), kApplicationPriority);
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
