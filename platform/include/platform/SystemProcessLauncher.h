#pragma once

#include "platform/ProcessLauncher.h"

// Starts programs from an argument vector, no shell, with only the standard
// descriptors; each child is reaped as it ends, so a finished child stops
// existing. ProcessExists may be asked from any thread.
class SystemProcessLauncher : public ProcessLauncher
{
public:
    bool ProcessExists(long pid) const override;
    long OwnProcessId() const override;
    // Searches the PATH of the environment at the time of the call.
    wxString FindProgram(const std::vector<wxString>& names) const override;

protected:
    Result DoStart(const wxString& verb, const wxString& program,
                   const std::vector<wxString>& arguments) override;
};
