#ifndef PELMORA_CONFIGFILE_H
#define PELMORA_CONFIGFILE_H

#include <nlohmann/json.hpp>
#include <wx/string.h>

// The JSON object file behind a configuration store.
//
// A missing or empty file reads as an empty object. A corrupt one (not JSON,
// or JSON that is not an object) also reads as empty and is logged; before
// anything is written in its place it is kept aside under a ".corrupt" name,
// so a hand-edited file with a typo is never lost.
class ConfigFile
{
public:
    using Json = nlohmann::ordered_json;

    explicit ConfigFile(const wxString& path);

    const wxString& GetPath() const { return m_path; }
    bool Exists() const;
    // Reads the file as it is on disk now; corrupt (when given) tells whether
    // the empty result stands for a corrupt file.
    Json Load(bool* corrupt = nullptr) const;
    // Writes the object atomically, first keeping a corrupt file aside.
    bool Save(const Json& document) const;

private:
    enum class State { Missing, Valid, Corrupt };
    State Read(Json& document) const;

    wxString m_path;
};

#endif // PELMORA_CONFIGFILE_H
