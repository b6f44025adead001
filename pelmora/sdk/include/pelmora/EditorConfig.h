#ifndef PELMORA_EDITORCONFIG_H
#define PELMORA_EDITORCONFIG_H

#include <memory>
#include <nlohmann/json.hpp>
#include <wx/string.h>

class ConfigFile;
class SerializedObject;

// The user's settings store: named long and text values and whole serialised
// objects, kept in one JSON file in the user data folder across runs. Every
// save writes the file at once (atomically), except inside a SaveBatch; a
// corrupt file reads as empty and is kept aside as "<file>.corrupt" before it
// is replaced, and so is one with a value or object nested too deeply, which
// alone is left out. A file that cannot be read is never written over: the
// values saved live on in memory only. Temporary files left by a save that
// never finished (the process died) are removed when the store is made.
// Used on the GUI thread only.
class EditorConfig
{
public:
    // While one lives, saves change the values at once and the file only
    // when the outermost batch ends: one write for a burst of saves (the
    // host opens one while its plug-ins unload).
    class SaveBatch
    {
    public:
        explicit SaveBatch(EditorConfig& config);
        ~SaveBatch();
        SaveBatch(const SaveBatch&) = delete;
        SaveBatch& operator=(const SaveBatch&) = delete;

    private:
        EditorConfig& m_config;
    };

    explicit EditorConfig(const wxString& path);
    ~EditorConfig();
    EditorConfig(const EditorConfig&) = delete;
    EditorConfig& operator=(const EditorConfig&) = delete;

    const wxString& GetFileName() const;

    // False, leaving value alone, when nothing is stored under the key.
    bool GetLongValue(const wxString& key, long& value) const;
    bool SaveLongValue(const wxString& key, long value);
    // Empty when nothing is stored under the key.
    wxString GetStringValue(const wxString& key) const;
    bool SaveStringValue(const wxString& key, const wxString& value);
    // True when an entry of that name was stored and filled the object.
    bool LoadObject(const wxString& name, SerializedObject* object) const;
    bool SaveObject(const wxString& name, SerializedObject* object);

private:
    const nlohmann::ordered_json* Find(const char* section, const wxString& key) const;
    bool Store(const char* section, const wxString& key, nlohmann::ordered_json value);
    // Merges the changes into the file as it is now and writes it.
    bool Write(const nlohmann::ordered_json& changes);
    void EndBatch();

    std::unique_ptr<ConfigFile> m_file;
    nlohmann::ordered_json m_document;
    int m_batchDepth = 0;
    nlohmann::ordered_json m_batched; // section -> key -> value, not yet on disk
};

// The process-wide EditorConfig, over <user data folder>/config/editor.conf.
class EditorConfigST
{
public:
    static EditorConfig* Get();
    // Drops the instance; the next Get() reads the file again.
    static void Free();
};

#endif // PELMORA_EDITORCONFIG_H
