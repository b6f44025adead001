#pragma once

#include <nlohmann/json.hpp>
#include <wx/arrstr.h>
#include <wx/string.h>

class Archive;

// Members of a stored object that its reader could not read: kept as they
// stand under another name ("<key>.unreadable", then ".unreadable.2", ...),
// written back with the object, and never read again as what they were.
// Members kept so by an earlier read are carried along unchanged.
class UnreadableEntries
{
public:
    using Json = nlohmann::ordered_json;
    static constexpr const char* kSuffix = ".unreadable";

    // Whether the name is one this class gave.
    static bool IsKeptName(const wxString& key);

    // Keeps every member of the stored object that an earlier read set aside.
    void Carry(const Json& stored);
    // Sets the member aside under the first free kept name.
    void Add(const wxString& key, const Json& value);

    void WriteTo(Archive& arch) const;
    const Json& Kept() const { return m_kept; }
    // The keys this read set aside (not those it carried), to tell the trader.
    const wxArrayString& GetNewKeys() const { return m_newKeys; }

private:
    Json m_kept = Json::object();
    wxArrayString m_newKeys;
};
