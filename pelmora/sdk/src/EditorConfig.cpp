#include "pelmora/EditorConfig.h"

#include "AtomicFile.h"
#include "ConfigFile.h"
#include "pelmora/Archive.h"
#include "pelmora/SerializedObject.h"
#include "pelmora/pmStandardPaths.h"

#include <climits>
#include <wx/log.h>

namespace {
using Json = nlohmann::ordered_json;

const char* const kLongs = "longValues";
const char* const kStrings = "stringValues";
const char* const kObjects = "objects";

std::unique_ptr<EditorConfig>& Instance()
{
    static std::unique_ptr<EditorConfig> instance;
    return instance;
}
} // namespace

EditorConfig::SaveBatch::SaveBatch(EditorConfig& config) : m_config(config)
{
    ++m_config.m_batchDepth;
}

EditorConfig::SaveBatch::~SaveBatch()
{
    m_config.EndBatch();
}

// Entries are the members of the sections: a setting or object nested too
// deeply is left out alone.
EditorConfig::EditorConfig(const wxString& path) : m_file(std::make_unique<ConfigFile>(path, 2))
{
    AtomicFile::RemoveLeftovers(path);
    m_document = m_file->Load();
}

EditorConfig::~EditorConfig() = default;

const wxString& EditorConfig::GetFileName() const
{
    return m_file->GetPath();
}

const Json* EditorConfig::Find(const char* section, const wxString& key) const
{
    const auto group = m_document.find(section);
    if(group == m_document.end() || !group->is_object()) {
        return nullptr;
    }
    const auto found = group->find(key.utf8_string());
    return found == group->end() ? nullptr : &*found;
}

namespace {
void SetMember(Json& document, const char* section, const std::string& key, Json value)
{
    Json& group = document[section];
    if(!group.is_object()) {
        group = Json::object();
    }
    group[key] = std::move(value);
}
} // namespace

bool EditorConfig::Store(const char* section, const wxString& key, Json value)
{
    // Kept in memory even when the disk refuses it, so this run still sees
    // what the user chose.
    SetMember(m_document, section, key.utf8_string(), value);
    Json changes = Json::object();
    SetMember(changes, section, key.utf8_string(), std::move(value));
    if(m_batchDepth > 0) {
        m_batched.update(changes, true);
        return true;
    }
    return Write(changes);
}

bool EditorConfig::Write(const Json& changes)
{
    // Merge into the file as it is now; if it went corrupt meanwhile, what
    // this process read before is the better base.
    ConfigFile::State state = ConfigFile::State::Valid;
    Json document = m_file->Load(&state);
    if(state == ConfigFile::State::Corrupt || state == ConfigFile::State::Unreadable) {
        document = m_document;
    }
    for(const auto& [section, values] : changes.items()) {
        for(const auto& [key, value] : values.items()) {
            SetMember(document, section.c_str(), key, value);
        }
    }
    m_document = std::move(document);
    // Each write rewrites the whole file: traced, so a caller can count them.
    wxLogTrace("config", "write %s", GetFileName());
    return m_file->Save(m_document, state);
}

void EditorConfig::EndBatch()
{
    if(--m_batchDepth > 0 || m_batched.empty()) {
        return;
    }
    const Json changes = std::move(m_batched);
    m_batched = Json();
    Write(changes);
}

bool EditorConfig::GetLongValue(const wxString& key, long& value) const
{
    const Json* json = Find(kLongs, key);
    // A number beyond a long is refused, not wrapped.
    if(!json || !json->is_number_integer() ||
       (json->is_number_unsigned() &&
        json->get<unsigned long long>() > static_cast<unsigned long long>(LONG_MAX))) {
        return false;
    }
    value = json->get<long>();
    return true;
}

bool EditorConfig::SaveLongValue(const wxString& key, long value)
{
    return Store(kLongs, key, value);
}

wxString EditorConfig::GetStringValue(const wxString& key) const
{
    const Json* json = Find(kStrings, key);
    if(!json || !json->is_string()) {
        return wxEmptyString;
    }
    const std::string& text = json->get_ref<const std::string&>();
    return wxString::FromUTF8(text.data(), text.size());
}

bool EditorConfig::SaveStringValue(const wxString& key, const wxString& value)
{
    return Store(kStrings, key, value.utf8_string());
}

bool EditorConfig::LoadObject(const wxString& name, SerializedObject* object) const
{
    const Json* json = Find(kObjects, name);
    if(!object || !json || !json->is_object()) {
        return false;
    }
    Archive arch(JSONElement::fromJson(*json, name));
    object->DeSerialize(arch);
    return true;
}

bool EditorConfig::SaveObject(const wxString& name, SerializedObject* object)
{
    if(!object) {
        return false;
    }
    Archive arch;
    object->Serialize(arch);
    return Store(kObjects, name, arch.GetElement().value());
}

EditorConfig* EditorConfigST::Get()
{
    std::unique_ptr<EditorConfig>& instance = Instance();
    if(!instance) {
        instance =
            std::make_unique<EditorConfig>(pmStandardPaths::Get().GetUserDataDir() + "/config/editor.conf");
    }
    return instance.get();
}

void EditorConfigST::Free()
{
    Instance().reset();
}
