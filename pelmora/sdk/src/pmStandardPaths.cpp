#include "pelmora/pmStandardPaths.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

namespace {
wxString FromEnvironment(const char* name)
{
    wxString value;
    if(wxGetEnv(name, &value) && !value.empty()) {
        wxFileName dir = wxFileName::DirName(value);
        dir.MakeAbsolute();
        return dir.GetPath();
    }
    return wxString();
}
} // namespace

pmStandardPaths& pmStandardPaths::Get()
{
    static pmStandardPaths paths;
    return paths;
}

wxString pmStandardPaths::GetDataDir() const
{
    const wxString dir = FromEnvironment("PELMORA_DATA_DIR");
    return dir.empty() ? GetBinFolder() : dir;
}

wxString pmStandardPaths::GetUserDataDir() const
{
    const wxString dir = FromEnvironment("PELMORA_USER_DATA_DIR");
    if(!dir.empty()) {
        return dir;
    }
    return wxFileName::DirName(wxGetHomeDir() + "/.pelmora").GetPath();
}

wxString pmStandardPaths::GetBinFolder() const
{
    const wxString dir = FromEnvironment("PELMORA_BIN_DIR");
    if(!dir.empty()) {
        return dir;
    }
    return wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
}

wxString pmStandardPaths::GetPluginsDirectory() const
{
    return GetBinFolder() + "/plugins";
}
