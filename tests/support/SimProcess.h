#pragma once
// simmarketd from the build tree on free loopback ports, with its admin API.
// Started by the constructor, stopped with SIGTERM by Stop() or the
// destructor; every wait is bounded. Several may run at once (a second
// market for a second server record).
//
//     SimProcess market;                                   // the demo market
//     ASSERT_EQ(market.Post("/admin/walk?rate=0"), 200);
//     const nlohmann::json state = market.State();         // GET /admin/state
//
//     SimProcess::Options options;
//     options.scenario = nlohmann::json::parse(simmarket::DefaultScenarioText());
//     options.scenario["users"][0]["password"] = "other";
//     SimProcess own(options);                             // a scenario of the test's own
#include <nlohmann/json.hpp>
#include <string>
#include <sys/types.h>

class SimProcess
{
public:
    struct Options
    {
        // A scenario file (simmarketd --scenario); empty: see `scenario`.
        std::string scenarioFile;
        // A scenario written to a file of the market's own; null: the
        // built-in demo market.
        nlohmann::json scenario;
        unsigned seed = 7;
        // Further arguments, split at blanks (for example "--ports T1,T2,MD,HTTP").
        std::string extraArgs;
    };

    // Throws std::runtime_error when the daemon does not start or is not
    // ready in time.
    SimProcess();
    explicit SimProcess(const std::string& extraArgs);
    explicit SimProcess(const Options& options);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    int TradePort(int index) const { return m_trade[index]; }
    int MdPort() const { return m_md; }
    int HttpPort() const { return m_http; }
    // "127.0.0.1:PORT", as the server lists name the fronts.
    std::string TradeAddress(int index) const;
    std::string MdAddress() const;
    // "http://127.0.0.1:PORT", as the HTTP server lists name it.
    std::string HttpBase() const;

    // POST to the HTTP port (admin API and services): the status code, -1
    // without an answer; the body in `response`.
    int Post(const std::string& pathAndQuery, const std::string& body = "",
             std::string* response = nullptr) const;
    // GET: the body, empty without an answer.
    std::string Get(const std::string& path) const;
    // GET with the status code (-1 without an answer).
    int Get(const std::string& path, std::string* response) const;
    // GET /admin/state parsed; a discarded value when there is no valid answer.
    nlohmann::json State() const;

    // True when the daemon ended cleanly within the time after SIGTERM.
    bool Stop(int timeoutMs = 5000);
    // SIGKILL: gone at once, without closing anything itself (a crash).
    void Kill();
    bool IsRunning() const { return m_pid > 0; }

private:
    void Start(const Options& options);

    pid_t m_pid = -1;
    std::string m_dir;
    int m_trade[2] = {0, 0};
    int m_md = 0;
    int m_http = 0;
};
