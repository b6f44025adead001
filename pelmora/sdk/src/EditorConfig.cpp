#include "pelmora/EditorConfig.h"

#include "ConfigFile.h"
#include "pelmora/Archive.h"
#include "pelmora/SerializedObject.h"
#include "pelmora/pmStandardPaths.h"

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

EditorConfig::EditorConfig(const wxString& path)
    : m_file(std::make_unique<ConfigFile>(path)), m_document(m_file->Load())
{}

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

bool EditorConfig::Store(const char* section, const wxString& key, Json value)
{
    // Merge into the file as it is now; if it went corrupt meanwhile, what
    // this process read before is the better base.
    bool corrupt = false;
    Json document = m_file->Load(&corrupt);
    if(corrupt) {
        document = m_document;
    }
    Json& group = document[section];
    if(!group.is_object()) {
        group = Json::object();
    }
    group[key.utf8_string()] = std::move(value);
    // Keep the value in memory even when the disk refuses it, so this run
    // still sees what the user chose.
    m_document = std::move(document);
    return m_file->Save(m_document);
}

bool EditorConfig::GetLongValue(const wxString& key, long& value) const
{
    const Json* json = Find(kLongs, key);
    if(!json || !json->is_number_integer()) {
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
