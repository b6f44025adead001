#ifndef PELMORA_APP_PLUGINCATALOGUES_H
#define PELMORA_APP_PLUGINCATALOGUES_H

#include <wx/arrstr.h>
#include <wx/string.h>

// The translation catalogues of the plug-ins, beside them: the plug-in
// library lib<name>.so has <plugins>/locale/<language>/LC_MESSAGES/<name>.mo.
// The language is the one the environment asks for (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG, as gettext reads them); when no plug-in has a catalogue
// in it, English. Load before the main window is built: the host's menus and
// the plug-ins' look-ups of their titles must read the same texts.
//
// Only the translations are set up, not the C locale: numbers keep their
// decimal point whatever the language.
class PluginCatalogues
{
public:
    struct Loaded
    {
        wxString language;     // the language whose catalogues were loaded; empty: none
        wxArrayString domains; // the plug-ins whose catalogue was loaded
    };

    // Replaces the process's translations with the catalogues found.
    static Loaded Load(const wxString& pluginsFolder);
};

#endif // PELMORA_APP_PLUGINCATALOGUES_H
