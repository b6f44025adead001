#include "ConfigFile.h"

#include "AtomicFile.h"

#include <wx/filename.h>
#include <wx/log.h>

ConfigFile::ConfigFile(const wxString& path) : m_path(path) {}

bool ConfigFile::Exists() const
{
    return wxFileName::FileExists(m_path);
}

ConfigFile::State ConfigFile::Read(Json& document) const
{
    document = Json::object();
    std::string contents;
    if(!AtomicFile::Read(m_path, contents)) {
        return State::Missing;
    }
    if(contents.find_first_not_of(" \t\r\n") == std::string::npos) {
        return State::Missing;
    }
    Json parsed = Json::parse(contents, nullptr, false);
    if(parsed.is_discarded() || !parsed.is_object()) {
        return State::Corrupt;
    }
    document = std::move(parsed);
    return State::Valid;
}

ConfigFile::Json ConfigFile::Load(bool* corrupt) const
{
    Json document;
    const bool isCorrupt = Read(document) == State::Corrupt;
    if(isCorrupt) {
        wxLogWarning("Configuration file %s is not a JSON object; reading it as empty", m_path);
    }
    if(corrupt) {
        *corrupt = isCorrupt;
    }
    return document;
}

bool ConfigFile::Save(const Json& document) const
{
    Json current;
    if(Read(current) == State::Corrupt) {
        const wxString aside = AtomicFile::SetAside(m_path);
        if(aside.empty()) {
            // Keeping the old file matters more than writing the new one.
            return false;
        }
        wxLogWarning("Kept the corrupt configuration file %s as %s", m_path, aside);
    }
    return AtomicFile::Write(m_path, document.dump(4, ' ', false, Json::error_handler_t::replace) + "\n");
}
