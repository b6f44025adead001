#pragma once
// A fresh folder under the temporary folder, removed with everything in it.
//
//     ScratchFolder folder;
//     WriteSomething(folder.File("config/editor.conf"));
#include <cstdlib>
#include <string>
#include <wx/filename.h>
#include <wx/string.h>

class ScratchFolder
{
public:
    explicit ScratchFolder(const char* prefix = "tessrin-test")
    {
        std::string pattern = (wxFileName::GetTempDir() + "/" + prefix + "-XXXXXX").utf8_string();
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

    // Empty when the folder could not be made.
    const wxString& Path() const { return m_path; }
    wxString File(const wxString& name) const { return m_path + "/" + name; }

private:
    wxString m_path;
};
