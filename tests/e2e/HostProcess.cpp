#include "HostProcess.h"

#include "SimProcess.h"
#include "TessrinConFile.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::string EnvOr(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The child of `parent` that runs `program`; -1 when there is none.
pid_t ChildRunning(pid_t parent, const std::string& program)
{
    const std::string task = "/proc/" + std::to_string(parent) + "/task/" + std::to_string(parent);
    std::ifstream children(task + "/children");
    for(pid_t child = 0; children >> child;) {
        std::string name;
        std::getline(std::ifstream("/proc/" + std::to_string(child) + "/comm"), name);
        if(name == program) {
            return child;
        }
    }
    return -1;
}

} // namespace

HostProcess::HostProcess(const SimProcess& market)
{
    char pattern[] = "/tmp/tessrin-e2e-XXXXXX";
    if(!mkdtemp(pattern)) {
        throw std::runtime_error("mkdtemp failed");
    }
    m_dir = pattern;
    m_dataDir = m_dir + "/data";
    mkdir(m_dataDir.c_str(), 0700);
    mkdir((m_dataDir + "/config").c_str(), 0700);
    mkdir((m_dir + "/user").c_str(), 0700);
    CopyDataFiles(EnvOr("TESSRIN_BUILD_DIR", ".") + "/bin/config", m_dataDir + "/config");
    if(!TessrinConFile(market).Write(m_dataDir + "/config/Tessrin.con")) {
        throw std::runtime_error("cannot write Tessrin.con");
    }
    mkdir((m_dir + "/user/config").c_str(), 0700);
    SetLongSetting("NoticeStartShow", 0);
}

void HostProcess::SetLongSetting(const std::string& key, long value)
{
    // The host's settings file: named long values under "longValues".
    const std::string path = m_dir + "/user/config/editor.conf";
    nlohmann::ordered_json settings = nlohmann::ordered_json::parse(ReadFile(path), nullptr, false);
    if(!settings.is_object()) {
        settings = nlohmann::ordered_json::object();
    }
    settings["longValues"][key] = value;
    std::ofstream(path) << settings.dump(2);
}

void HostProcess::SetObjectSetting(const std::string& name, const nlohmann::ordered_json& value)
{
    // Objects under "objects", by name.
    const std::string path = m_dir + "/user/config/editor.conf";
    nlohmann::ordered_json settings = nlohmann::ordered_json::parse(ReadFile(path), nullptr, false);
    if(!settings.is_object()) {
        settings = nlohmann::ordered_json::object();
    }
    settings["objects"][name] = value;
    std::ofstream(path) << settings.dump(2);
}

int HostProcess::CopyDataFiles(const std::string& installed, const std::string& scratch)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if(!fs::is_directory(installed, ec)) {
        return 0; // nothing installed yet
    }
    int copied = 0;
    for(const auto& entry : fs::recursive_directory_iterator(installed, ec)) {
        const fs::path relative = fs::relative(entry.path(), installed);
        if(!entry.is_regular_file() || relative == "Tessrin.con") {
            continue;
        }
        const fs::path target = fs::path(scratch) / relative;
        fs::create_directories(target.parent_path());
        fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing);
        ++copied;
    }
    return copied;
}

HostProcess::~HostProcess()
{
    if(m_pid > 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    const std::string command = "rm -rf '" + m_dir + "'";
    if(std::system(command.c_str()) != 0) {
        // A scratch folder left behind in /tmp is no test failure.
    }
}

void HostProcess::Start(const std::vector<std::string>& args)
{
    const std::string program = EnvOr("TESSRIN_BUILD_DIR", ".") + "/bin/pelmora";
    std::vector<std::string> argv;
    m_underXvfb = EnvOr("DISPLAY", "").empty();
    if(m_underXvfb) {
        argv = {"/usr/bin/xvfb-run", "-a", "-s", "-screen 0 1600x1000x24"};
    }
    argv.push_back(program);
    argv.push_back("--trace");
    argv.push_back(m_dir + "/trace.txt");
    argv.insert(argv.end(), args.begin(), args.end());

    m_pid = fork();
    if(m_pid == 0) {
        setenv("PELMORA_DATA_DIR", (m_dir + "/data").c_str(), 1);
        setenv("PELMORA_USER_DATA_DIR", (m_dir + "/user").c_str(), 1);
        setenv("GDK_BACKEND", "x11", 1);
        setenv("GDK_GL", "disable", 1);
        setenv("NO_AT_BRIDGE", "1", 1);
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
        const int log = open((m_dir + "/host.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if(log >= 0) {
            dup2(log, STDOUT_FILENO);
            dup2(log, STDERR_FILENO);
        }
        std::vector<char*> raw;
        for(std::string& arg : argv) {
            raw.push_back(arg.data());
        }
        raw.push_back(nullptr);
        execv(raw[0], raw.data());
        _exit(127);
    }
    if(m_pid < 0) {
        throw std::runtime_error("fork failed");
    }
}

void HostProcess::Quit() const
{
    const pid_t host = m_underXvfb ? ChildRunning(m_pid, "pelmora") : m_pid;
    if(host > 0) {
        kill(host, SIGTERM);
    }
}

int HostProcess::Wait(int timeoutMs)
{
    if(m_pid <= 0) {
        return -1;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while(std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if(waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
    return -1;
}

std::vector<std::string> HostProcess::TraceLines() const
{
    std::vector<std::string> lines;
    std::ifstream in(m_dir + "/trace.txt");
    for(std::string line; std::getline(in, line);) {
        const size_t space = line.find(' ');
        lines.push_back(space == std::string::npos ? line : line.substr(space + 1));
    }
    return lines;
}

std::vector<long long> HostProcess::TraceStamps() const
{
    std::vector<long long> stamps;
    std::ifstream in(m_dir + "/trace.txt");
    for(std::string line; std::getline(in, line);) {
        stamps.push_back(std::atoll(line.c_str()));
    }
    return stamps;
}

int HostProcess::WaitForLine(const std::string& pattern, int timeoutMs, int from) const
{
    const std::regex expression(pattern);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for(;;) {
        const std::vector<std::string> lines = TraceLines();
        for(size_t i = static_cast<size_t>(std::max(from, 0)); i < lines.size(); ++i) {
            if(std::regex_search(lines[i], expression)) {
                return static_cast<int>(i);
            }
        }
        if(std::chrono::steady_clock::now() > deadline) {
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

std::string HostProcess::Describe() const
{
    return "--- trace\n" + ReadFile(m_dir + "/trace.txt") + "--- host output\n" +
           ReadFile(m_dir + "/host.log");
}
