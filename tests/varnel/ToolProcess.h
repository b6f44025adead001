#pragma once
// A program started by full path with its own environment, its standard
// output and error kept in files; every wait is bounded.
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

class ToolProcess
{
public:
    // Environment: the test's own, with `extraEnv` ("NAME=value") added.
    ToolProcess(const std::string& program, const std::vector<std::string>& args,
                const std::vector<std::string>& extraEnv, const std::string& outputPrefix)
        : m_outPath(outputPrefix + ".out"), m_errPath(outputPrefix + ".err")
    {
        std::vector<std::string> argv{program};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<std::string> env;
        for(char** entry = environ; *entry; ++entry) {
            env.push_back(*entry);
        }
        env.insert(env.end(), extraEnv.begin(), extraEnv.end());

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, m_outPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, m_errPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const std::vector<char*> rawArgs = Raw(argv);
        const std::vector<char*> rawEnv = Raw(env);
        if(posix_spawn(&m_pid, program.c_str(), &actions, nullptr, rawArgs.data(), rawEnv.data()) != 0) {
            m_pid = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        m_started = std::chrono::steady_clock::now();
    }
    ~ToolProcess() { Kill(); }
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    pid_t Pid() const { return m_pid; }

    // The exit code (0-255), 128 + signal, or -1 when it has not ended in
    // time (it is killed then).
    int Wait(int timeoutMs)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while(IsRunning()) {
            if(std::chrono::steady_clock::now() > deadline) {
                Kill();
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return m_exit;
    }

    // Whether it still runs; reaps it when it has ended.
    bool IsRunning()
    {
        int status = 0;
        if(m_pid > 0 && waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            m_exit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            m_ended = std::chrono::steady_clock::now();
        }
        return m_pid > 0;
    }

    // Ends it at once and reaps it, so its id no longer exists.
    void Kill()
    {
        if(m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
    }

    std::chrono::steady_clock::time_point EndedAt() const { return m_ended; }
    std::string Output() const { return ReadAll(m_outPath); }
    std::string Errors() const { return ReadAll(m_errPath); }

private:
    static std::vector<char*> Raw(std::vector<std::string>& texts)
    {
        std::vector<char*> raw;
        for(std::string& text : texts) {
            raw.push_back(text.data());
        }
        raw.push_back(nullptr);
        return raw;
    }
    static std::string ReadAll(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string m_outPath;
    std::string m_errPath;
    pid_t m_pid = -1;
    int m_exit = -1;
    std::chrono::steady_clock::time_point m_started;
    std::chrono::steady_clock::time_point m_ended;
};
