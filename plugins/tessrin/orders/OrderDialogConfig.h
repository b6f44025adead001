#pragma once

#include <pelmora/SerializedObject.h>
#include <wx/string.h>

// The point-difference memory of one symbol, kept in the host's editor
// configuration as "OrderDialog.<symbol code>": whether the order carries a
// point difference ("biggest diff") and how many points.
class OrderDialogConfig : public SerializedObject
{
public:
    OrderDialogConfig() = default;

    void Serialize(Archive& arch) override;
    void DeSerialize(Archive& arch) override;

    // "OrderDialog.<code>".
    static wxString EntryName(const wxString& symbolCode);
    // The symbol's defaults (in use, the default points of the code).
    static OrderDialogConfig Defaults(const wxString& symbolCode);
    // What is stored for the symbol; its defaults when nothing is stored or
    // when `defaultsOnly` is set.
    static OrderDialogConfig Load(const wxString& symbolCode, bool defaultsOnly);
    // Stores the record under the entry of m_symbolName.
    bool Save();

    wxString m_symbolName;
    bool m_usePointDiff = true;
    int m_pointDiff = 20; // points; -1 once the user switched it off
};
