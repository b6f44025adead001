#include "platform/SystemProcessLauncher.h"

#include "platform/ShellResult.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <wx/log.h>
#include <wx/utils.h>

bool SystemProcessLauncher::ProcessExists(long pid) const
{
    // 0 and negative ids name process groups, not a process.
    if(pid <= 0) {
        return false;
    }
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

long SystemProcessLauncher::OwnProcessId() const
{
    return static_cast<long>(getpid());
}

wxString SystemProcessLauncher::FindProgram(const std::vector<wxString>& names) const
{
    const char* path = std::getenv("PATH");
    return FindOnSearchPath(names, path ? wxString(path, wxConvFile) : wxString());
}

ProcessLauncher::Result SystemProcessLauncher::DoStart(const wxString& /*verb*/, const wxString& program,
                                                       const std::vector<wxString>& arguments)
{
    // wxExecute reports a failed exec only in the child, so look first.
    struct stat info;
    if(stat(program.fn_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        wxLogWarning("Cannot start \"%s\": no such program.", program);
        return {ShellResult::kFileNotFound, 0};
    }
    if(access(program.fn_str(), X_OK) != 0) {
        wxLogWarning("Cannot start \"%s\": not executable.", program);
        return {ShellResult::kAccessDenied, 0};
    }

    std::vector<std::string> texts;
    texts.push_back(std::string(program.fn_str()));
    for(const wxString& argument : arguments) {
        texts.push_back(argument.utf8_string());
    }
    std::vector<const char*> argv;
    for(const std::string& text : texts) {
        argv.push_back(text.c_str());
    }
    argv.push_back(nullptr);

    // Asynchronous: wx reaps the child when it ends.
    const long pid = wxExecute(argv.data(), wxEXEC_ASYNC);
    if(pid <= 0) {
        wxLogWarning("Cannot start \"%s\".", program);
        return {ShellResult::kBadFormat, 0};
    }
    return {ShellResult::kStarted, pid};
}
