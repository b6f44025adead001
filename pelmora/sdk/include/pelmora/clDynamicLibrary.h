#ifndef PELMORA_CLDYNAMICLIBRARY_H
#define PELMORA_CLDYNAMICLIBRARY_H

#include <wx/arrstr.h>
#include <wx/string.h>

// A shared library loaded at run time.
//
// Load("ClientApi") looks for libClientApi.so (then ClientApi.so) in the
// host's plug-in folder, then in the bin folder, then lets the system search
// its usual places. A name with a folder is loaded as given; a file name that
// already ends in ".so" is used without adding "lib". All symbols are bound at
// load time, so a library with missing dependencies fails to load instead of
// failing later. The library is unloaded by Detach() or by the destructor.
class clDynamicLibrary
{
public:
    clDynamicLibrary();
    ~clDynamicLibrary();
    clDynamicLibrary(const clDynamicLibrary&) = delete;
    clDynamicLibrary& operator=(const clDynamicLibrary&) = delete;

    // Unloads any library loaded before. False leaves nothing loaded.
    bool Load(const wxString& name);
    // As Load, for a name read from a file a user may not control: a bare
    // file name only (no folder part, not "." or ".."), looked for only in
    // the host's plug-in and bin folders, never elsewhere.
    bool LoadFromHostFolders(const wxString& name);
    // Whether the name is a bare file name.
    static bool IsBareName(const wxString& name);
    bool IsLoaded() const { return m_handle != nullptr; }
    // The file that was loaded; empty when nothing is.
    const wxString& GetPath() const { return m_path; }
    // The address of the symbol, or null with *success false.
    void* GetSymbol(const wxString& name, bool* success);
    void Detach();
    // Why the last Load or GetSymbol failed.
    const wxString& GetError() const { return m_error; }

    // The files Load tries for a name, in order (the last is handed to the
    // system search when it has no folder).
    static wxArrayString Candidates(const wxString& name);

private:
    // Loads the first candidate that exists (or that the system finds).
    bool LoadFirst(const wxString& name, const wxArrayString& candidates);

    void* m_handle;
    wxString m_path;
    wxString m_error;
};

#endif // PELMORA_CLDYNAMICLIBRARY_H
