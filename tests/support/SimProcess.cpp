#include "SimProcess.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <httplib.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr auto kReadyLimit = std::chrono::seconds(15);

std::string BuildDir()
{
    const char* dir = std::getenv("TESSRIN_BUILD_DIR");
    return dir ? dir : ".";
}

httplib::Client AdminClient(int port)
{
    httplib::Client client("127.0.0.1", port);
    client.set_connection_timeout(5);
    client.set_read_timeout(10);
    return client;
}

} // namespace

SimProcess::SimProcess() : SimProcess(Options()) {}

SimProcess::SimProcess(const std::string& extraArgs)
{
    Options options;
    options.extraArgs = extraArgs;
    Start(options);
}

SimProcess::SimProcess(const Options& options)
{
    Start(options);
}

void SimProcess::Start(const Options& options)
{
    char pattern[] = "/tmp/simmarket-test-XXXXXX";
    if(!mkdtemp(pattern))
        throw std::runtime_error("mkdtemp failed");
    m_dir = pattern;
    const std::string portsFile = m_dir + "/ports.json";
    const std::string program = BuildDir() + "/bin/simmarketd";

    std::vector<std::string> args = {program, "--ports-file", portsFile, "--seed",
                                     std::to_string(options.seed)};
    std::string scenarioFile = options.scenarioFile;
    if(scenarioFile.empty() && !options.scenario.is_null()) {
        scenarioFile = m_dir + "/scenario.json";
        std::ofstream(scenarioFile) << options.scenario.dump(2);
    }
    if(!scenarioFile.empty()) {
        args.push_back("--scenario");
        args.push_back(scenarioFile);
    }
    std::istringstream extra(options.extraArgs);
    for(std::string word; extra >> word;)
        args.push_back(word);
    m_pid = fork();
    if(m_pid == 0) {
        std::vector<char*> argv;
        for(auto& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        // Keep the test's output clean: the ready line goes to /dev/null.
        const int null = open("/dev/null", O_WRONLY);
        if(null >= 0)
            dup2(null, STDOUT_FILENO);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + kReadyLimit;
    while(std::chrono::steady_clock::now() < deadline) {
        std::ifstream in(portsFile);
        // The file is written whole once every port listens.
        const auto ports = in ? nlohmann::json::parse(in, nullptr, false) : nlohmann::json();
        if(ports.is_object()) {
            m_trade[0] = ports.at("trade").at(0).get<int>();
            m_trade[1] = ports.at("trade").at(1).get<int>();
            m_md = ports.at("md").get<int>();
            m_http = ports.at("http").get<int>();
            return;
        }
        int status = 0;
        if(waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            throw std::runtime_error("simmarketd exited at start");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    Stop();
    throw std::runtime_error("simmarketd not ready in time");
}

SimProcess::~SimProcess()
{
    Stop();
    std::remove((m_dir + "/ports.json").c_str());
    std::remove((m_dir + "/scenario.json").c_str());
    rmdir(m_dir.c_str());
}

std::string SimProcess::TradeAddress(int index) const
{
    return "127.0.0.1:" + std::to_string(m_trade[index]);
}

std::string SimProcess::MdAddress() const
{
    return "127.0.0.1:" + std::to_string(m_md);
}

std::string SimProcess::HttpBase() const
{
    return "http://127.0.0.1:" + std::to_string(m_http);
}

int SimProcess::Post(const std::string& pathAndQuery, const std::string& body, std::string* response) const
{
    auto client = AdminClient(m_http);
    auto result = client.Post(pathAndQuery.c_str(), body, "application/octet-stream");
    if(!result)
        return -1;
    if(response)
        *response = result->body;
    return result->status;
}

std::string SimProcess::Get(const std::string& path) const
{
    std::string body;
    Get(path, &body);
    return body;
}

int SimProcess::Get(const std::string& path, std::string* response) const
{
    auto client = AdminClient(m_http);
    auto result = client.Get(path.c_str());
    if(!result)
        return -1;
    if(response)
        *response = result->body;
    return result->status;
}

nlohmann::json SimProcess::State() const
{
    std::string body;
    if(Get("/admin/state", &body) != 200)
        return nlohmann::json(nlohmann::json::value_t::discarded);
    return nlohmann::json::parse(body, nullptr, false);
}

bool SimProcess::Stop(int timeoutMs)
{
    if(m_pid <= 0)
        return true;
    kill(m_pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while(std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if(waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
    return false;
}

void SimProcess::Kill()
{
    if(m_pid <= 0)
        return;
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
}
