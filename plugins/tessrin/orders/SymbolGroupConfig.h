#pragma once

#include <map>
#include <pelmora/clConfigItem.h>
#include <wx/arrstr.h>

// The item "symbolGroup" of the plug-in configuration: named groups of symbol
// codes, kept in name order. Stored as an array of {"Name": group name,
// "Items": [symbol code, ...]}.
class SymbolGroupConfig : public clConfigItem
{
public:
    SymbolGroupConfig();

    // Each element replaces the group of its name; a missing "Name" is the
    // empty name.
    void FromJSON(const JSONElement& json) override;
    JSONElement ToJSON() const override;

    // Reads the item from the plug-in's configuration; nothing without one.
    void ReadFromPlugin();

    const std::map<wxString, wxArrayString>& GetGroups() const { return m_groups; }
    void SetGroup(const wxString& name, const wxArrayString& codes) { m_groups[name] = codes; }

private:
    std::map<wxString, wxArrayString> m_groups;
};
