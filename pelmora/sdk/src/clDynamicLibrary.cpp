#include "pelmora/clDynamicLibrary.h"

#include "pelmora/pmStandardPaths.h"

#include <dlfcn.h>
#include <wx/filename.h>

namespace {
bool HasLibrarySuffix(const wxString& fileName)
{
    return fileName.EndsWith(".so") || fileName.Contains(".so.");
}
} // namespace

clDynamicLibrary::clDynamicLibrary() : m_handle(nullptr) {}

clDynamicLibrary::~clDynamicLibrary()
{
    Detach();
}

wxArrayString clDynamicLibrary::Candidates(const wxString& name)
{
    wxArrayString candidates;
    if(name.empty()) {
        return candidates;
    }
    if(name.Contains("/")) {
        candidates.Add(name);
        return candidates;
    }
    wxArrayString fileNames;
    if(HasLibrarySuffix(name)) {
        fileNames.Add(name);
    } else {
        fileNames.Add("lib" + name + ".so");
        fileNames.Add(name + ".so");
    }
    const pmStandardPaths& paths = pmStandardPaths::Get();
    for(const wxString& folder : {paths.GetPluginsDirectory(), paths.GetBinFolder()}) {
        for(const wxString& fileName : fileNames) {
            candidates.Add(folder + "/" + fileName);
        }
    }
    candidates.Add(fileNames[0]); // the system's own search
    return candidates;
}

bool clDynamicLibrary::IsBareName(const wxString& name)
{
    return !name.empty() && name != "." && name != ".." && !name.Contains("/") && !name.Contains("\\") &&
           name.find('\0') == wxString::npos;
}

bool clDynamicLibrary::LoadFromHostFolders(const wxString& name)
{
    if(!IsBareName(name)) {
        Detach();
        m_error = "\"" + name + "\" is no bare file name";
        return false;
    }
    wxArrayString candidates = Candidates(name);
    candidates.RemoveAt(candidates.size() - 1); // not the system's search
    return LoadFirst(name, candidates);
}

bool clDynamicLibrary::Load(const wxString& name)
{
    return LoadFirst(name, Candidates(name));
}

bool clDynamicLibrary::LoadFirst(const wxString& name, const wxArrayString& candidates)
{
    Detach();
    m_error.clear();
    if(candidates.empty()) {
        m_error = "empty library name";
        return false;
    }
    for(const wxString& candidate : candidates) {
        const bool searched = !candidate.Contains("/");
        if(!searched && !wxFileName::FileExists(candidate)) {
            continue;
        }
        dlerror();
        void* handle = dlopen(candidate.fn_str(), RTLD_NOW | RTLD_LOCAL);
        if(handle) {
            m_handle = handle;
            m_path = candidate;
            return true;
        }
        const char* error = dlerror();
        // A file that exists but cannot be loaded is the answer; looking
        // further would hide why it failed.
        m_error = error ? wxString(error) : wxString("cannot load " + candidate);
        if(!searched) {
            return false;
        }
    }
    if(m_error.empty()) {
        m_error = "library " + name + " not found";
    }
    return false;
}

void* clDynamicLibrary::GetSymbol(const wxString& name, bool* success)
{
    void* address = nullptr;
    if(!m_handle) {
        m_error = "no library loaded";
    } else {
        dlerror();
        address = dlsym(m_handle, name.utf8_str());
        const char* error = dlerror();
        if(error) {
            m_error = error;
            address = nullptr;
        } else if(!address) {
            m_error = "symbol " + name + " is null";
        }
    }
    if(success) {
        *success = address != nullptr;
    }
    return address;
}

void clDynamicLibrary::Detach()
{
    if(m_handle) {
        dlclose(m_handle);
        m_handle = nullptr;
    }
    m_path.clear();
}
