#include "common/CreateBitmapMenuItem.h"

#include <wx/menu.h>

wxMenuItem* CreateBitmapMenuItem(wxMenu* menu, int id, const wxString& label, const wxBitmap& icon)
{
    auto* item = new wxMenuItem(menu, id, label, wxEmptyString, wxITEM_NORMAL);
    if(icon.IsOk()) {
        item->SetBitmap(icon);
    }
    return item;
}
