#include "GtkTreeRows.h"

#include <wx/dataview.h>

// The toolkit's development headers are not part of the platform; this is
// the call used, as the toolkit's library exports it.
extern "C" {
typedef struct _GtkWidget GtkWidget;
void gtk_widget_queue_draw(GtkWidget* widget);
}

void GtkTreeRows::Redraw(wxDataViewCtrl* ctrl)
{
    if(ctrl && ctrl->GtkGetTreeView()) {
        gtk_widget_queue_draw(ctrl->GtkGetTreeView());
    }
}
