#pragma once

#include <wx/event.h>

// The plug-in is unloading: processed on the plug-in object during UnPlug.
// Nothing on the plug-in handles it, so it reaches the application object,
// where open order dialogs and goods pages close themselves.
const wxEventTypeTag<wxCommandEvent> wxEVT_PLUGIN_UNPLUG(15999);
