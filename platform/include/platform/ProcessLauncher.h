#pragma once

#include <vector>
#include <wx/string.h>

// Starts programs and asks about processes. A program is always started by
// its full path with an argument vector, never through a shell or a search.
class ProcessLauncher
{
public:
    struct Result
    {
        int code = 0; // ShellResult: above 32 = started
        long pid = 0; // the started process, 0 when none
        bool Started() const;
    };

    virtual ~ProcessLauncher() = default;

    // verb: "open" (or empty) starts the program; "runas" is accepted and
    // started as "open", since this platform has no elevation prompt; any
    // other verb is refused. A program that is not a full path is refused.
    Result Start(const wxString& verb, const wxString& program, const std::vector<wxString>& arguments);

    // A process with this id exists (a process of another user counts).
    virtual bool ProcessExists(long pid) const = 0;
    virtual long OwnProcessId() const = 0;
    // The full path of the first name found on the program search path;
    // empty when none is found.
    virtual wxString FindProgram(const std::vector<wxString>& names) const = 0;

    // The first calculator program found, empty when there is none.
    wxString FindCalculator() const;
    static const std::vector<wxString>& CalculatorNames();
    // Names are tried in order, each over every folder of the search path
    // (folders separated by ':'); only executable regular files count.
    static wxString FindOnSearchPath(const std::vector<wxString>& names, const wxString& searchPath);

protected:
    // verb is "open" or "runas"; program is a full path.
    virtual Result DoStart(const wxString& verb, const wxString& program,
                           const std::vector<wxString>& arguments) = 0;
};
