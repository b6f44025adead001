#pragma once
// Sets an environment variable for the lifetime of the object and puts back
// what was there before (or nothing).
//
//     ScopedEnv data("PELMORA_DATA_DIR", folder.Path());
#include <cstdlib>
#include <string>
#include <wx/string.h>

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
