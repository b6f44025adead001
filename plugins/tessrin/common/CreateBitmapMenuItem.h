#pragma once

#include <wx/bitmap.h>
#include <wx/string.h>

class wxMenu;
class wxMenuItem;

// A normal menu item of the menu with that id and label, no help text and the
// icon as its bitmap (none when the icon is not valid). The caller appends it.
wxMenuItem* CreateBitmapMenuItem(wxMenu* menu, int id, const wxString& label, const wxBitmap& icon);
