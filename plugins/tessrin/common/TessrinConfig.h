#pragma once

#include <wx/arrstr.h>
#include <wx/dynarray.h>
#include <wx/string.h>

class clConfig;

// Typed reads of the keys of the plug-in's configuration file Tessrin.con,
// each with its default. The file is only read, never written, by the plug-in.
// Without a file (a null configuration) every key reads as its default.
class TessrinConfig
{
public:
    explicit TessrinConfig(const clConfig* config);

    // <data dir>/config/Tessrin.con
    static wxString GetFilePath();
    // The numbers of a comma-separated list ('\' escapes a comma); pieces
    // that are not base-10 integers are skipped.
    static wxArrayInt ParseMarketIds(const wxString& text);

    // "markets": the markets whose rows are kept; empty keeps all.
    wxArrayInt GetMarketIds() const;
    bool IsHideStoreOrderPane() const;           // "HideStoreOrderPane", false
    bool IsShowInoutInBrower() const;            // "ShowInoutInBrower", false
    bool IsShowErrMsgBox() const;                // "showErrMsgBox", true
    bool IsShowExpireWeekSel() const;            // "ShowExpireWeekSel", false
    int GetDefaultPointDiff() const;             // "defaultPointDiff", 20
    wxString GetDefaultSymbolPointDiffs() const; // "defaultSymbolPointDiffs", ""
    wxString GetBiMode() const;                  // "BiMode", "1"
    wxString GetQuickBtnColours() const;         // "QuickBtnColours", "#FF8040,#4080F0,#40FF80"
    bool IsShowBonusPoint() const;               // "ShowBonusPoint", false
    wxString GetShowMultiMargin() const;         // "ShowMultiMargin", "false"
    // "StoreNames", "": the warehouse names, split at ',' with '\' escaping
    // by the reader.
    wxString GetStoreNames() const;

private:
    bool ReadBool(const char* key, bool defaultValue) const;
    int ReadInt(const char* key, int defaultValue) const;
    wxString ReadText(const char* key, const char* defaultValue) const;

    const clConfig* m_config; // not owned; may be null
};
