// A Client logs in to the simulated market through the real trade API
// library, survives a dropped trade front, and ends waits of requests whose
// answers never come.
#include "EventPump.h"
#include "FakeConnectionHost.h"
#include "connection/Client.h"
#include "connection/MdClient.h"
#include "connection/RequestCallBack.h"
#include "connection/RequestNotify.h"
#include "connection/TradeClient.h"
#include "db/RecordStore.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <httplib.h>
#include <nlohmann/json.hpp>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <tradeapi/ClientApi.h>
#include <unistd.h>

namespace {

std::string BinDir()
{
    const char* build = std::getenv("TESSRIN_BUILD_DIR");
    return std::string(build != nullptr ? build : ".") + "/bin";
}

bool Exists(const std::string& path)
{
    struct stat info
    {
    };
    return ::stat(path.c_str(), &info) == 0;
}

// simmarketd on free loopback ports, stopped with SIGTERM.
class SimDaemon
{
public:
    SimDaemon()
    {
        char pattern[] = "/tmp/client-login-test-XXXXXX";
        if(::mkdtemp(pattern) == nullptr) {
            return;
        }
        m_dir = pattern;
        const std::string program = BinDir() + "/simmarketd";
        const std::string portsFile = m_dir + "/ports.json";
        m_pid = ::fork();
        if(m_pid == 0) {
            const int null = ::open("/dev/null", O_WRONLY);
            if(null >= 0) {
                ::dup2(null, STDOUT_FILENO);
            }
            ::execl(program.c_str(), program.c_str(), "--ports-file", portsFile.c_str(), "--seed", "3",
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while(m_pid > 0 && std::chrono::steady_clock::now() < deadline) {
            std::ifstream in(portsFile);
            if(in) {
                const auto ports = nlohmann::json::parse(in);
                m_trade[0] = ports.at("trade").at(0).get<int>();
                m_trade[1] = ports.at("trade").at(1).get<int>();
                m_md = ports.at("md").get<int>();
                m_http = ports.at("http").get<int>();
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    ~SimDaemon()
    {
        if(m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            int status = 0;
            while(::waitpid(m_pid, &status, WNOHANG) != m_pid) {
                if(std::chrono::steady_clock::now() > deadline) {
                    ::kill(m_pid, SIGKILL);
                    ::waitpid(m_pid, &status, 0);
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
        if(!m_dir.empty()) {
            std::remove((m_dir + "/ports.json").c_str());
            ::rmdir(m_dir.c_str());
        }
    }
    SimDaemon(const SimDaemon&) = delete;
    SimDaemon& operator=(const SimDaemon&) = delete;

    bool IsReady() const { return m_http != 0; }
    wxString TradeAddress(int i) const { return wxString::Format("127.0.0.1:%d", m_trade[i]); }
    wxString MdAddress() const { return wxString::Format("127.0.0.1:%d", m_md); }

    bool Admin(const std::string& pathAndQuery) const
    {
        httplib::Client http("127.0.0.1", m_http);
        http.set_connection_timeout(5);
        http.set_read_timeout(5);
        const auto result = http.Post(pathAndQuery.c_str(), "", "text/plain");
        return result && result->status == 200;
    }
    nlohmann::json State() const
    {
        httplib::Client http("127.0.0.1", m_http);
        http.set_connection_timeout(5);
        http.set_read_timeout(5);
        const auto result = http.Get("/admin/state");
        return result ? nlohmann::json::parse(result->body, nullptr, false) : nlohmann::json();
    }

private:
    pid_t m_pid = -1;
    std::string m_dir;
    int m_trade[2] = {0, 0};
    int m_md = 0;
    int m_http = 0;
};

// libClientApi.so with its exports, as the plug-in binds it.
class ApiLibrary
{
public:
    ApiLibrary() : m_handle(::dlopen((BinDir() + "/libClientApi.so").c_str(), RTLD_NOW | RTLD_LOCAL))
    {
        if(m_handle == nullptr) {
            return;
        }
        m_globalInit = reinterpret_cast<GlobalInitFn>(::dlsym(m_handle, "GlobalInit"));
        m_globalUnInit = reinterpret_cast<GlobalUnInitFn>(::dlsym(m_handle, "GlobalUnInit"));
        auto create = reinterpret_cast<CreateClientApiFn>(::dlsym(m_handle, "CreateClientApi"));
        createTrade = reinterpret_cast<CreateTradeApiFn>(::dlsym(m_handle, "CreateTradeApi"));
        createMd = reinterpret_cast<CreateMDApiFn>(::dlsym(m_handle, "CreateMDApi"));
        if(m_globalInit && m_globalUnInit && create && createTrade && createMd) {
            m_globalInit();
            api = create();
        }
    }
    ~ApiLibrary()
    {
        if(api != nullptr) {
            api->Release();
            m_globalUnInit();
        }
        if(m_handle != nullptr) {
            ::dlclose(m_handle);
        }
    }
    ApiLibrary(const ApiLibrary&) = delete;
    ApiLibrary& operator=(const ApiLibrary&) = delete;

    CClientApi* api = nullptr;
    CreateTradeApiFn createTrade = nullptr;
    CreateMDApiFn createMd = nullptr;

private:
    void* m_handle;
    GlobalInitFn m_globalInit = nullptr;
    GlobalUnInitFn m_globalUnInit = nullptr;
};

class Waiter : public RequestCallBack
{
public:
    void OnResponse(int requestId, int errorCode, const wxString&) override
    {
        answers.push_back({requestId, errorCode});
    }
    void OnResponseTimeOut(int requestId) override { timeouts.push_back(requestId); }
    std::vector<std::pair<int, int>> answers;
    std::vector<int> timeouts;
};

// The front name of the user's open trade session, or "".
std::string TradeFrontOf(const nlohmann::json& state, int userId)
{
    if(!state.contains("sessions")) {
        return "";
    }
    for(const auto& session : state["sessions"]) {
        const std::string front = session.value("front", "");
        if(session.value("userId", 0) == userId && front.rfind("trade", 0) == 0) {
            return front;
        }
    }
    return "";
}

TEST(ClientLogin, BothFrontsLogInAndADroppedTradeFrontReconnectsToTheNextAddress)
{
    if(!Exists(BinDir() + "/simmarketd") || !Exists(BinDir() + "/libClientApi.so")) {
        GTEST_SKIP() << "simulated market not built";
    }
    SimDaemon sim;
    ASSERT_TRUE(sim.IsReady());
    ApiLibrary library;
    ASSERT_NE(library.api, nullptr);

    FakeConnectionHost host;
    host.trade.Clear();
    host.trade.Add(sim.TradeAddress(0));
    host.trade.Add(sim.TradeAddress(1));
    host.md.Clear();
    host.md.Add(sim.MdAddress());
    RecordStore db;
    db.CreateTables();
    Client client("demo", &db, &host);
    client.SetTradeApi(library.createTrade(library.api, client.GetTradeClient(), "demo", 0));
    client.SetMdApi(library.createMd(library.api, client.GetMdClient(), "demo", 0));
    ASSERT_NE(client.GetTradeApi(), nullptr);
    ASSERT_NE(client.GetMdApi(), nullptr);
    client.GetTradeConnecter().StartLogin("demo123");
    client.GetMdConnecter().StartLogin("demo123");

    auto loggedIn = [&] {
        return client.GetTradeConnecter().GetStatus() == eLS_LoginSuccess &&
               client.GetMdConnecter().GetStatus() == eLS_LoginSuccess;
    };
    ASSERT_TRUE(PumpUntil(loggedIn, 10000));
    EXPECT_EQ(client.GetUserId(), 1001);
    EXPECT_EQ(db.m_user_LoginInfo_table->GetIndexByPrimary().size(), 1u);
    EXPECT_EQ(host.fields[4], "Demo Market");

    // An answer that never comes ends in the wait's time-out.
    ASSERT_TRUE(sim.Admin("/admin/answer?code=1039&mode=swallow"));
    Waiter late;
    sFFixReqInOutMoney money{};
    money.accountKey = 1;
    money.amount = 10.0;
    money.direction = '1';
    std::strcpy(money.bankPassword, "1234");
    const int moneyId = client.ReqInOutMoney(&money);
    ASSERT_NE(moneyId, -1);
    RequestNotify::Get()->WaitResponse(moneyId, &late, 300);
    EXPECT_TRUE(PumpUntil(
        [&] {
            RequestNotify::Get()->CheckTimeOut(wxDateTime::UNow());
            return !late.timeouts.empty();
        },
        5000));
    EXPECT_EQ(late.timeouts, std::vector<int>{moneyId});
    EXPECT_TRUE(late.answers.empty());

    // Dropping the trade front fails every waiting request once, then the
    // machine reconnects to the other address and logs in again.
    const std::string before = TradeFrontOf(sim.State(), 1001);
    ASSERT_FALSE(before.empty());
    const unsigned indexBefore = client.GetTradeConnecter().GetCurrentIndex();
    ASSERT_TRUE(sim.Admin("/admin/answer?code=1007&mode=swallow"));
    ASSERT_TRUE(sim.Admin("/admin/answer?code=1013&mode=swallow"));
    Waiter waiting;
    RequestNotify::Get()->WaitResponse(client.ReqQryAccount(), &waiting, 60000);
    RequestNotify::Get()->WaitResponse(client.ReqQryPosition(), &waiting, 60000);
    ASSERT_TRUE(sim.Admin("/admin/front?name=" + before + "&action=drop"));

    ASSERT_TRUE(PumpUntil([&] { return waiting.answers.size() >= 2; }, 10000));
    EXPECT_EQ(waiting.answers[0].second, 1);
    EXPECT_EQ(waiting.answers[1].second, 1);
    ASSERT_TRUE(PumpUntil([&] { return client.GetTradeConnecter().GetStatus() == eLS_LoginSuccess; }, 15000));
    EXPECT_NE(client.GetTradeConnecter().GetCurrentIndex(), indexBefore);
    std::string after;
    PumpUntil(
        [&] {
            after = TradeFrontOf(sim.State(), 1001);
            return !after.empty() && after != before;
        },
        5000);
    EXPECT_NE(after, before);
    EXPECT_EQ(client.GetMdConnecter().GetStatus(), eLS_LoginSuccess);
    EXPECT_EQ(waiting.answers.size(), 2u);

    client.Release();
}

} // namespace
