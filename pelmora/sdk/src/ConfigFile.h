#ifndef PELMORA_CONFIGFILE_H
#define PELMORA_CONFIGFILE_H

#include <nlohmann/json.hpp>
#include <wx/string.h>

// The JSON object file behind a configuration store.
//
// A missing or empty file reads as an empty object. A corrupt one (not JSON,
// or JSON that is not an object) also reads as empty; an entry nested too
// deeply to read safely is left out. Before anything is written in place of
// such a file it is kept aside under a ".corrupt" name, so a hand-edited
// file with a typo is never lost. A file that exists but cannot be read
// (no permission, an I/O error, a folder in its place) reads as empty and is
// never written over. Each of these is logged (see clConfig::kLogComponent).
class ConfigFile
{
public:
    using Json = nlohmann::ordered_json;
    enum class State {
        Missing,    // or empty
        Valid,      // read in full
        Partial,    // read without the entries nested too deeply
        Corrupt,    // read as empty
        Unreadable, // read as empty; not written
    };

    // entryLevel: the level of the members that are left out whole when
    // something in them is nested too deeply (1: the file's own members).
    explicit ConfigFile(const wxString& path, int entryLevel = 1);

    const wxString& GetPath() const { return m_path; }
    bool Exists() const;
    // Reads the file as it is on disk now; state (when given) tells how.
    Json Load(State* state = nullptr) const;
    // Writes the object atomically over the file that Load found just
    // before in that state: one that was not read in full is kept aside
    // first; one that cannot be read is left as it is (false).
    bool Save(const Json& document, State onDisk) const;

private:
    State Read(Json& document) const;

    wxString m_path;
    int m_entryLevel;
};

#endif // PELMORA_CONFIGFILE_H
