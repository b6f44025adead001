#pragma once

#include <map>
#include <set>
#include <wx/string.h>

// The error texts of the trade server: the built-in texts, overridden and
// extended by the entries of the configuration item "errors". Filled once at
// start-up and only read afterwards. The built-in texts are the server's own
// (Chinese) wording and serve as catalogue keys: a text is read through the
// catalogue, so a trader sees its English.
class ErrorTextTable
{
public:
    // Enters every built-in text, replacing what the map holds for its code.
    void InitErrorTexts();
    // Enters one configured entry: its text replaces the built-in one and the
    // code counts as configured.
    void SetConfiguredText(int code, const wxString& text);

    // True when the configuration named the code; only then does its text
    // replace the server's own message.
    bool HasErrorText(int code) const;
    // The text of the code through the catalogue, or "unknow error" when it
    // has none.
    wxString GetErrorText(int code) const;
    // The text of the code as entered, not through the catalogue; empty when
    // it has none.
    wxString GetKeyText(int code) const;

private:
    std::map<int, wxString> m_texts;
    std::set<int> m_configuredCodes;
};

// The plug-in's table, set by its start-up and cleared at shut-down; the
// plug-in owns it.
extern ErrorTextTable* g_errorTable;

// The text of a code from the plug-in's table; "unknow error" for a code
// without text, and while there is no table.
wxString GetErrorText(int code);

// A message of the server as a trader reads it: through the catalogue; a
// message the server cut to its field, or left empty, with an error code
// reads as the whole text of the code (`errors`, default the plug-in's
// table), or "unknow error" when it has none. Any other message stays as
// given.
wxString ServerMessageText(int code, const wxString& message, const ErrorTextTable* errors = nullptr);
