#ifndef PELMORA_CLCONFIG_H
#define PELMORA_CLCONFIG_H

#include "pelmora/JSONElement.h"

#include <memory>
#include <wx/string.h>

class clConfigItem;
class ConfigFile;

// A JSON configuration file: one object whose members are keys and items.
//
// The file is read when the object is made (Reload() reads it again). A
// missing file reads as empty; a corrupt one reads as empty, is logged, and
// is kept aside as "<file>.corrupt" before the first write replaces it; so
// is one with a member nested too deeply to read, which is left out. A file
// that exists but cannot be read reads as empty and is never written over.
// Every write changes one member of the file as it is on disk at that moment,
// keeps all other members, and replaces the file atomically. Temporary files
// left by a write that never finished are removed when the object is made.
class clConfig
{
public:
    // The wx log component of what the configuration files log: a file that
    // cannot be read, is kept aside or cannot be written (warnings and errors,
    // each time in the same words), for the host to tell the user.
    static constexpr const char* kLogComponent = "pelmora/config";

    // createIfMissing: write an empty file (and its folders) at once when
    // there is none, so the user finds a file to edit.
    explicit clConfig(const wxString& path, bool createIfMissing = false);
    ~clConfig();
    clConfig(const clConfig&) = delete;
    clConfig& operator=(const clConfig&) = delete;

    const wxString& GetFileName() const;
    void Reload();

    // Reads the member named name (the item's own name when empty) into the
    // item. False, leaving the item alone, when the file has no such member.
    bool ReadItem(clConfigItem* item, const wxString& name = wxEmptyString);
    // Stores the item's ToJSON() as the member named name (or the item's name).
    bool WriteItem(const clConfigItem* item, const wxString& name = wxEmptyString);

    // Typed reads of top-level keys; a missing key or one of another kind
    // gives the default (see JSONElement for the conversions allowed).
    bool Read(const wxString& key, bool defaultValue) const;
    int Read(const wxString& key, int defaultValue) const;
    wxString Read(const wxString& key, const wxString& defaultValue) const;
    // Keeps Read(key, "text") from choosing the bool overload.
    wxString Read(const wxString& key, const char* defaultValue) const;
    wxString Read(const wxString& key, const wchar_t* defaultValue) const;

    bool Write(const wxString& key, bool value);
    bool Write(const wxString& key, int value);
    bool Write(const wxString& key, const wxString& value);
    bool Write(const wxString& key, const char* value);

private:
    JSONElement Member(const wxString& key) const;
    bool WriteMember(const wxString& key, JSONElement::Json value);

    std::unique_ptr<ConfigFile> m_file;
    std::shared_ptr<JSONElement::Json> m_document;
};

#endif // PELMORA_CLCONFIG_H
