#ifndef TESTS_PELMORA_SCRATCHFOLDER_H
#define TESTS_PELMORA_SCRATCHFOLDER_H

#include <cstdlib>
#include <string>
#include <wx/filename.h>
#include <wx/string.h>

// A fresh folder under the temporary folder, removed with everything in it.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::string pattern = (wxFileName::GetTempDir() + "/pelmora-sdk-XXXXXX").utf8_string();
        if(mkdtemp(&pattern[0])) {
            m_path = wxString::FromUTF8(pattern.c_str());
        }
    }
    ~ScratchFolder()
    {
        if(!m_path.empty()) {
            wxFileName::Rmdir(m_path, wxPATH_RMDIR_RECURSIVE);
        }
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const wxString& Path() const { return m_path; }
    wxString File(const wxString& name) const { return m_path + "/" + name; }

private:
    wxString m_path;
};

// Sets an environment variable for the lifetime of the object.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const wxString& value) : m_name(name)
    {
        const char* old = std::getenv(name);
        m_hadValue = old != nullptr;
        if(old) {
            m_old = old;
        }
        setenv(name, value.utf8_str(), 1);
    }
    ~ScopedEnv()
    {
        if(m_hadValue) {
            setenv(m_name.c_str(), m_old.c_str(), 1);
        } else {
            unsetenv(m_name.c_str());
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_name;
    std::string m_old;
    bool m_hadValue;
};

#endif // TESTS_PELMORA_SCRATCHFOLDER_H
