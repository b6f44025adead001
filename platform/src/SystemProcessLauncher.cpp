#include "platform/SystemProcessLauncher.h"

#include "platform/ShellResult.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
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
    // A clear reason for the two usual failures, before anything starts.
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
    std::vector<char*> argv;
    for(std::string& text : texts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);

    // The child gets no descriptor of ours but the standard three: a started
    // program must not hold the market connection open.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if(error != 0) {
        wxLogWarning("Cannot start \"%s\": %s.", program, std::strerror(error));
        return {ShellResult::kBadFormat, 0};
    }
    // A thread of its own reaps the child, so a finished child stops existing
    // whatever the host does with SIGCHLD.
    std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
    return {ShellResult::kStarted, static_cast<long>(pid)};
}
