#include "platform/ProcessLauncher.h"

#include "platform/ShellResult.h"

#include <sys/stat.h>
#include <unistd.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/tokenzr.h>

bool ProcessLauncher::Result::Started() const
{
    return ShellResult::Started(code);
}

ProcessLauncher::Result ProcessLauncher::Start(const wxString& verb, const wxString& program,
                                               const std::vector<wxString>& arguments)
{
    const wxString lowerVerb = verb.Lower();
    if(!lowerVerb.empty() && lowerVerb != "open" && lowerVerb != "runas") {
        wxLogWarning("Start of \"%s\" refused: unknown verb \"%s\".", program, verb);
        return {ShellResult::kNoAssociation, 0};
    }
    if(!wxFileName(program).IsAbsolute()) {
        // A bare name would start whatever a search finds first.
        wxLogWarning("Start of \"%s\" refused: not a full path.", program);
        return {ShellResult::kFileNotFound, 0};
    }
    if(lowerVerb == "runas") {
        wxLogDebug("\"%s\" asked to run elevated: started as the current user (no elevation here).", program);
    }
    return DoStart(lowerVerb == "runas" ? "runas" : "open", program, arguments);
}

wxString ProcessLauncher::FindCalculator() const
{
    return FindProgram(CalculatorNames());
}

const std::vector<wxString>& ProcessLauncher::CalculatorNames()
{
    static const std::vector<wxString> names = {"gnome-calculator", "kcalc", "mate-calc", "galculator",
                                                "xcalc"};
    return names;
}

wxString ProcessLauncher::FindOnSearchPath(const std::vector<wxString>& names, const wxString& searchPath)
{
    const wxArrayString folders = wxStringTokenize(searchPath, ":", wxTOKEN_STRTOK);
    for(const wxString& name : names) {
        if(name.empty() || name.Contains("/")) {
            continue;
        }
        for(const wxString& folder : folders) {
            // Relative entries would search the working folder.
            if(!wxFileName(folder).IsAbsolute()) {
                continue;
            }
            const wxString candidate = folder + "/" + name;
            struct stat info;
            if(stat(candidate.fn_str(), &info) == 0 && S_ISREG(info.st_mode) &&
               access(candidate.fn_str(), X_OK) == 0) {
                return candidate;
            }
        }
    }
    return wxString();
}
