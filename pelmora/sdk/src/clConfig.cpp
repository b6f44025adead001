#include "pelmora/clConfig.h"

#include "AtomicFile.h"
#include "ConfigFile.h"
#include "pelmora/clConfigItem.h"

namespace {
using Json = JSONElement::Json;
}

clConfig::clConfig(const wxString& path, bool createIfMissing)
    : m_file(std::make_unique<ConfigFile>(path)), m_document(std::make_shared<Json>(Json::object()))
{
    AtomicFile::RemoveLeftovers(path);
    Reload();
    if(createIfMissing && !m_file->Exists()) {
        ConfigFile::State state = ConfigFile::State::Missing;
        m_file->Load(&state);
        if(state == ConfigFile::State::Missing) {
            m_file->Save(*m_document, state);
        }
    }
}

clConfig::~clConfig() = default;

const wxString& clConfig::GetFileName() const
{
    return m_file->GetPath();
}

void clConfig::Reload()
{
    *m_document = m_file->Load();
}

JSONElement clConfig::Member(const wxString& key) const
{
    const std::string name = key.utf8_string();
    const auto found = m_document->find(name);
    if(found == m_document->end()) {
        return JSONElement();
    }
    return JSONElement::fromJson(*found, key);
}

bool clConfig::WriteMember(const wxString& key, Json value)
{
    // Start from the file as it is now, so members written meanwhile by
    // another object (or by hand) survive. A file that went corrupt since it
    // was read gives way to what this object read before.
    ConfigFile::State state = ConfigFile::State::Valid;
    Json document = m_file->Load(&state);
    if(state == ConfigFile::State::Corrupt || state == ConfigFile::State::Unreadable) {
        document = *m_document;
    }
    document[key.utf8_string()] = std::move(value);
    if(!m_file->Save(document, state)) {
        return false;
    }
    *m_document = std::move(document);
    return true;
}

bool clConfig::ReadItem(clConfigItem* item, const wxString& name)
{
    if(!item) {
        return false;
    }
    const JSONElement member = Member(name.empty() ? item->GetName() : name);
    if(!member.isOk()) {
        return false;
    }
    item->FromJSON(member);
    return true;
}

bool clConfig::WriteItem(const clConfigItem* item, const wxString& name)
{
    if(!item) {
        return false;
    }
    return WriteMember(name.empty() ? item->GetName() : name, item->ToJSON().value());
}

bool clConfig::Read(const wxString& key, bool defaultValue) const
{
    return Member(key).toBool(defaultValue);
}

int clConfig::Read(const wxString& key, int defaultValue) const
{
    return Member(key).toInt(defaultValue);
}

wxString clConfig::Read(const wxString& key, const wxString& defaultValue) const
{
    return Member(key).toString(defaultValue);
}

wxString clConfig::Read(const wxString& key, const char* defaultValue) const
{
    return Read(key, wxString::FromUTF8(defaultValue ? defaultValue : ""));
}

wxString clConfig::Read(const wxString& key, const wchar_t* defaultValue) const
{
    return Read(key, wxString(defaultValue ? defaultValue : L""));
}

bool clConfig::Write(const wxString& key, bool value)
{
    return WriteMember(key, value);
}

bool clConfig::Write(const wxString& key, int value)
{
    return WriteMember(key, value);
}

bool clConfig::Write(const wxString& key, const wxString& value)
{
    return WriteMember(key, value.utf8_string());
}

bool clConfig::Write(const wxString& key, const char* value)
{
    return Write(key, wxString::FromUTF8(value ? value : ""));
}
