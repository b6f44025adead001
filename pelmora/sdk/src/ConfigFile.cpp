#include "ConfigFile.h"

#include "AtomicFile.h"
#include "JsonReader.h"
#include "pelmora/clConfig.h"

#include <cerrno>
#include <cstring>
#include <wx/filename.h>
#include <wx/log.h>

#undef wxLOG_COMPONENT
#define wxLOG_COMPONENT clConfig::kLogComponent

ConfigFile::ConfigFile(const wxString& path, int entryLevel) : m_path(path), m_entryLevel(entryLevel) {}

bool ConfigFile::Exists() const
{
    return wxFileName::FileExists(m_path);
}

ConfigFile::State ConfigFile::Read(Json& document) const
{
    // Every problem is logged in the same words each time it is met, so
    // that the host can tell the user once.
    document = Json::object();
    std::string contents;
    int error = 0;
    if(!AtomicFile::Read(m_path, contents, &error)) {
        if(error == ENOENT) {
            return State::Missing;
        }
        wxLogError("Cannot read the settings file %s (%s): it is left as it is, and nothing is saved to it",
                   m_path, std::strerror(error));
        return State::Unreadable;
    }
    if(contents.find_first_not_of(" \t\r\n") == std::string::npos) {
        return State::Missing;
    }
    JsonReader::Result read = JsonReader::Read(contents, m_entryLevel);
    if(!read.ok || !read.document.is_object()) {
        wxLogWarning("The settings file %s is not a JSON object: it reads as empty, and is kept aside before "
                     "it is next saved",
                     m_path);
        return State::Corrupt;
    }
    for(const std::string& entry : read.leftOut) {
        wxLogWarning("The entry \"%s\" of the settings file %s is nested too deeply to read: it is left out, "
                     "and the file is kept aside before it is next saved",
                     wxString::FromUTF8(entry), m_path);
    }
    document = std::move(read.document);
    return read.leftOut.empty() ? State::Valid : State::Partial;
}

ConfigFile::Json ConfigFile::Load(State* state) const
{
    Json document;
    const State read = Read(document);
    if(state) {
        *state = read;
    }
    return document;
}

bool ConfigFile::Save(const Json& document, State onDisk) const
{
    switch(onDisk) {
    case State::Unreadable:
        // Whatever it holds may be all the user has.
        return false;
    case State::Corrupt:
    case State::Partial: {
        const wxString aside = AtomicFile::SetAside(m_path);
        if(aside.empty()) {
            // Keeping the old file matters more than writing the new one.
            return false;
        }
        wxLogWarning("Kept the settings file %s as %s", m_path, aside);
        break;
    }
    case State::Missing:
    case State::Valid:
        break;
    }
    return AtomicFile::Write(m_path, document.dump(4, ' ', false, Json::error_handler_t::replace) + "\n");
}
