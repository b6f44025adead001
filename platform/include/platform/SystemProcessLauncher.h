#pragma once

#include "platform/ProcessLauncher.h"

// Starts programs with wxExecute (an argument vector, no shell) on the GUI
// thread; wx reaps the children from its event loop, so a finished child
// stops existing. ProcessExists may be asked from any thread.
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
