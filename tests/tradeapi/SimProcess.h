#pragma once
// Starts simmarketd from the build tree on free loopback ports and stops it
// with SIGTERM; every wait is bounded.
#include <string>
#include <sys/types.h>

class SimProcess
{
public:
    // Starts the daemon with extra arguments; throws when it is not ready in
    // time.
    explicit SimProcess(const std::string& extraArgs = "");
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    int TradePort(int index) const { return m_trade[index]; }
    int MdPort() const { return m_md; }
    int HttpPort() const { return m_http; }
    std::string TradeAddress(int index) const;
    std::string MdAddress() const;

    // POST to the admin API; returns the status code (body in `response`).
    int Post(const std::string& pathAndQuery, const std::string& body = "",
             std::string* response = nullptr) const;
    std::string Get(const std::string& path) const;
    // True when the daemon ended within the time after SIGTERM.
    bool Stop(int timeoutMs = 5000);

private:
    pid_t m_pid = -1;
    std::string m_dir;
    int m_trade[2] = {0, 0};
    int m_md = 0;
    int m_http = 0;
};
