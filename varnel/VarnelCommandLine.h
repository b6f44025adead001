#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

// The signing tool's command line: "-n <process id>" to watch, "-p <text>"
// with "Regist" (exactly) to register the signing control or any other text
// as a script to sign with. '-' and '/' both start an option, as in
// " /n 123 /p Regist".
class VarnelCommandLine
{
public:
    enum class Mode {
        Error,    // unparsable, help asked, or a bad process id: end
        End,      // no -p: end at once
        Register, // -p Regist
        Sign,     // -p <script>
    };

    // args[0] is the program. Usage and errors go to standard error.
    static VarnelCommandLine Parse(const wxArrayString& args);

    Mode GetMode() const { return m_mode; }
    // Whether -n was given with a valid process id (also for Mode::End).
    bool HasParentProcess() const { return m_parentProcess > 0; }
    long GetParentProcess() const { return m_parentProcess; }
    const wxString& GetScript() const { return m_script; }

private:
    Mode m_mode = Mode::Error;
    long m_parentProcess = 0;
    wxString m_script;
};
