#include "platform/SignControlRegistry.h"

#include <nlohmann/json.hpp>
#include <utility>
#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/regex.h>
#include <wx/utils.h>
#include <wx/wfstream.h>

namespace {

const char kEntrySuffix[] = ".json";
const char kControlSuffix[] = ".js";

bool ReadWholeFile(const wxString& path, std::string& bytes)
{
    if(!wxFileName::FileExists(path)) {
        return false;
    }
    wxFFile file(path, "rb");
    if(!file.IsOpened()) {
        return false;
    }
    const wxFileOffset length = file.Length();
    if(length < 0) {
        return false;
    }
    bytes.resize(static_cast<size_t>(length));
    return length == 0 || file.Read(&bytes[0], bytes.size()) == bytes.size();
}

// Written under a temporary name in the same folder, then renamed into place:
// a reader sees the old file or the new one, never half of one.
bool WriteReplacing(const wxString& path, const std::string& bytes)
{
    wxTempFFile file;
    if(!file.Open(path)) {
        return false;
    }
    if(!bytes.empty() && !file.Write(bytes.data(), bytes.size())) {
        file.Discard();
        return false;
    }
    return file.Commit();
}

} // namespace

wxString SignControlRegistry::DefaultFolder()
{
    wxString folder;
    if(wxGetEnv("PELMORA_SIGN_CONTROLS", &folder) && !folder.empty()) {
        return folder;
    }
    wxString dataHome;
    if(!wxGetEnv("XDG_DATA_HOME", &dataHome) || dataHome.empty() || !wxIsAbsolutePath(dataHome)) {
        dataHome = wxGetHomeDir() + "/.local/share";
    }
    return dataHome + "/pelmora/sign-controls";
}

SignControlRegistry::SignControlRegistry(wxString folder) : m_folder(std::move(folder)) {}

bool SignControlRegistry::IsValidProgId(const wxString& progId)
{
    if(progId.empty() || progId[0] == '.' || progId.length() > 200) {
        return false;
    }
    for(const wxUniChar c : progId) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                        c == '.' || c == '_' || c == '-';
        if(!ok) {
            return false;
        }
    }
    return true;
}

wxString SignControlRegistry::NormaliseClassId(const wxString& classId)
{
    static const wxRegEx guid(
        "^\\{?([0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12})\\}?$",
        wxRE_EXTENDED);
    wxString text = classId;
    text.Trim(true).Trim(false);
    const bool braced = text.StartsWith("{");
    if(braced != text.EndsWith("}") || !guid.Matches(text)) {
        return wxString();
    }
    return guid.GetMatch(text, 1).Upper();
}

wxString SignControlRegistry::EntryPath(const wxString& progId) const
{
    return wxFileName(m_folder, progId + kEntrySuffix).GetFullPath();
}

bool SignControlRegistry::CanCreate(const wxString& progId) const
{
    return Load(progId).has_value();
}

std::optional<SignControlRegistry::Control> SignControlRegistry::Load(const wxString& progId) const
{
    if(!IsValidProgId(progId)) {
        return std::nullopt;
    }
    std::string entryText;
    if(!ReadWholeFile(EntryPath(progId), entryText)) {
        return std::nullopt;
    }
    const nlohmann::json entry = nlohmann::json::parse(entryText, nullptr, false);
    if(!entry.is_object() || !entry.contains("classId") || !entry.contains("file") ||
       !entry["classId"].is_string() || !entry["file"].is_string()) {
        return std::nullopt;
    }
    const wxString classId = NormaliseClassId(wxString::FromUTF8(entry["classId"].get<std::string>()));
    const wxString file = wxString::FromUTF8(entry["file"].get<std::string>());
    // The entry only ever names a file inside the folder.
    if(classId.empty() || !IsValidProgId(file)) {
        return std::nullopt;
    }
    std::string source;
    if(!ReadWholeFile(wxFileName(m_folder, file).GetFullPath(), source)) {
        return std::nullopt;
    }
    return Control{progId, classId, wxString::FromUTF8(source.data(), source.size())};
}

std::vector<SignControlRegistry::Control> SignControlRegistry::LoadAll() const
{
    std::vector<Control> controls;
    if(!wxDir::Exists(m_folder)) {
        return controls;
    }
    wxArrayString entries;
    wxDir::GetAllFiles(m_folder, &entries, wxString("*") + kEntrySuffix, wxDIR_FILES);
    entries.Sort();
    for(const wxString& path : entries) {
        if(auto control = Load(wxFileName(path).GetName())) {
            controls.push_back(std::move(*control));
        }
    }
    return controls;
}

bool SignControlRegistry::Register(const wxString& progId, const wxString& classId,
                                   const wxString& sourcePath)
{
    const wxString canonicalId = NormaliseClassId(classId);
    if(!IsValidProgId(progId) || canonicalId.empty()) {
        wxLogWarning("Sign control registry: refused ProgID \"%s\" with class id \"%s\"", progId, classId);
        return false;
    }
    std::string source;
    if(!ReadWholeFile(sourcePath, source)) {
        wxLogWarning("Sign control registry: cannot read the control file \"%s\"", sourcePath);
        return false;
    }
    if(!wxFileName::Mkdir(m_folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL)) {
        wxLogWarning("Sign control registry: cannot create the folder \"%s\"", m_folder);
        return false;
    }
    const wxString controlFile = progId + kControlSuffix;
    if(!WriteReplacing(wxFileName(m_folder, controlFile).GetFullPath(), source)) {
        wxLogWarning("Sign control registry: cannot copy the control into \"%s\"", m_folder);
        return false;
    }
    const nlohmann::json entry = {{"progId", progId.utf8_string()},
                                  {"classId", canonicalId.utf8_string()},
                                  {"file", controlFile.utf8_string()}};
    if(!WriteReplacing(EntryPath(progId), entry.dump(2) + "\n")) {
        wxLogWarning("Sign control registry: cannot write the entry of \"%s\"", progId);
        return false;
    }
    return true;
}
