#pragma once

#include "platform/ProcessLauncher.h"
#include "platform/ShellResult.h"

#include <set>
#include <vector>

// Records what was started; starts nothing. Checks of verb and full path
// are the real ones (they live in ProcessLauncher::Start).
class FakeProcessLauncher : public ProcessLauncher
{
public:
    struct Call
    {
        wxString verb; // "open" or "runas"
        wxString program;
        std::vector<wxString> arguments;
    };

    std::vector<Call> calls;
    int startResult = ShellResult::kStarted; // 32 or less: starting fails
    long nextPid = 50000;
    long ownPid = 4242;
    std::set<long> runningPids; // started processes are added
    wxString searchPath;        // FindProgram searches this, not PATH

    bool ProcessExists(long pid) const override { return pid == ownPid || runningPids.count(pid) > 0; }
    long OwnProcessId() const override { return ownPid; }
    wxString FindProgram(const std::vector<wxString>& names) const override
    {
        return FindOnSearchPath(names, searchPath);
    }

protected:
    Result DoStart(const wxString& verb, const wxString& program,
                   const std::vector<wxString>& arguments) override
    {
        calls.push_back({verb, program, arguments});
        if(!ShellResult::Started(startResult)) {
            return {startResult, 0};
        }
        runningPids.insert(nextPid);
        return {startResult, nextPid++};
    }
};
