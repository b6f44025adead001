// The real host with the plug-in against the simulated market when things go
// wrong: a kick-out box or the password prompt left open at the exit, a
// login the market never answers, a front that falls silent. The client must end up logged in on
// the other front, and the host must exit normally. Assertions are on the
// host's trace and the market's state.
#include "HostProcess.h"
#include "SimProcess.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <nlohmann/json.hpp>
#include <regex>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using nlohmann::json;

namespace {

const char* const kLoggedIn = R"(^bus 10004 Demo\|demo\|Trade\|3\|Md\|3$)";
const char* const kNotLoggedIn = R"(^bus 10004 Demo\|demo\|Trade\|([^3]|3\|Md\|[^3]))";
// How long a login may take to come back through the other front.
constexpr int kRecoveryMs = 30000;
constexpr int kLoginMs = 30000;

// The host logs in and runs until the test quits it.
std::vector<std::string> LoginArgs()
{
    return {"--login", "Demo,demo,demo123"};
}

json State(const SimProcess& market)
{
    return json::parse(market.Get("/admin/state"), nullptr, false);
}

// The front of the demo user's logged-in trade session, "" when none.
std::string LoggedInTradeFront(const SimProcess& market)
{
    const json state = State(market);
    if(!state.is_object()) {
        return "";
    }
    for(const auto& session : state["sessions"]) {
        const std::string front = session["front"];
        if(session["login"] == "demo" && session["loggedIn"] == true && front.rfind("trade", 0) == 0) {
            return front;
        }
    }
    return "";
}

// Waits until the predicate holds on the market's state.
template <class Predicate> bool WaitForState(const SimProcess& market, Predicate done, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while(!done(State(market))) {
        if(std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

class HostFaultsTest : public ::testing::Test
{
protected:
    HostFaultsTest() : m_market(std::make_unique<SimProcess>()), m_host(*m_market) {}

    std::unique_ptr<SimProcess> m_market;
    HostProcess m_host;
};

} // namespace

TEST_F(HostFaultsTest, AKickOutBoxLeftOpenDoesNotStopTheExit)
{
    m_host.Start(LoginArgs());
    const int login = m_host.WaitForLine(kLoggedIn, kLoginMs);
    ASSERT_GE(login, 0) << m_host.Describe();
    // The host tells the views of the login, with the user.
    EXPECT_GT(m_host.WaitForLine(R"(^bus 11111 Demo\|demo$)", kLoginMs), login) << m_host.Describe();

    std::string answer;
    ASSERT_EQ(m_market->Post("/admin/kick?user=demo", "", &answer), 200);
    ASSERT_EQ(json::parse(answer)["kicked"], true);
    // Both sides log out and the box opens at once; it waits for the user,
    // who never comes.
    const int loggedOut = m_host.WaitForLine(R"(^bus 10004 Demo\|demo\|Trade\|0\|Md\|0$)", kLoginMs, login);
    ASSERT_GT(loggedOut, login) << m_host.Describe();

    m_host.Quit();
    EXPECT_EQ(m_host.Wait(30000), 0) << "a normal exit, no crash\n" << m_host.Describe();
    const int kicked = m_host.WaitForLine("^bus 10006 ?$", 0, loggedOut);
    ASSERT_GT(kicked, loggedOut) << "the box returned before the exit\n" << m_host.Describe();
    // The box stays open until the exit, which ends it.
    const int exit = m_host.WaitForLine("^exit$", 0, loggedOut);
    ASSERT_GT(exit, loggedOut) << m_host.Describe();
    EXPECT_GT(kicked, exit) << "the box stayed open until the exit";
    // The kick-out is a logout: the views hear of it without a user.
    EXPECT_GT(m_host.WaitForLine("^bus 11111 ?$", 0, kicked), kicked) << m_host.Describe();
}

TEST_F(HostFaultsTest, APasswordPromptLeftOpenDoesNotStopTheExit)
{
    // "changer" must change his password: the prompt opens 8 s after the
    // start and nobody answers it.
    constexpr int kExitAfter = 14;
    m_host.Start({"--login", "Demo,changer,changer1", "--exit-after", std::to_string(kExitAfter)});
    ASSERT_GE(m_host.WaitForLine(R"(^bus 10004 Demo\|changer\|Trade\|3\|Md\|3$)", kLoginMs), 0)
        << m_host.Describe();
    // A prompt whose loop the host could not end would keep it past the wait.
    EXPECT_EQ(m_host.Wait(30000), 0) << "a normal exit, no crash\n" << m_host.Describe();
    EXPECT_LT(m_host.WaitForLine("^bus 10005", 0), 0) << "nothing was changed";
    bool mustChange = false;
    const json state = State(*m_market);
    for(const auto& user : state["users"]) {
        mustChange = mustChange || (user["login"] == "changer" && user["mustChangePassword"] == true);
    }
    EXPECT_TRUE(mustChange);
}

TEST_F(HostFaultsTest, ASwallowedLoginAnswerEndsInALoginOnTheOtherFront)
{
    ASSERT_EQ(m_market->Post("/admin/answer?code=10002&mode=swallow"), 200);
    m_host.Start(LoginArgs());
    std::string swallowedFront;
    auto firstTradeLogin = [&](const json& state) {
        if(!state.is_object()) {
            return false;
        }
        // HTTP entries of the log have no code and no front.
        for(const auto& request : state.value("requests", json::array())) {
            const std::string front = request.value("front", std::string());
            if(request.value("code", 0) == 10001 && !front.empty() && front != "md") {
                swallowedFront = front;
                return true;
            }
        }
        return false;
    };
    ASSERT_TRUE(WaitForState(*m_market, firstTradeLogin, kLoginMs)) << m_host.Describe();
    ASSERT_EQ(m_market->Post("/admin/answer?code=10002&mode=normal"), 200);

    ASSERT_GE(m_host.WaitForLine(kLoggedIn, kRecoveryMs), 0) << m_host.Describe();
    std::string front;
    ASSERT_TRUE(WaitForState(
        *m_market, [&](const json&) { return !(front = LoggedInTradeFront(*m_market)).empty(); }, kLoginMs));
    EXPECT_NE(front, swallowedFront) << "the login moved to the next address";
    m_host.Quit();
    EXPECT_EQ(m_host.Wait(40000), 0) << m_host.Describe();
}

TEST_F(HostFaultsTest, AMutedFrontAfterLoginIsLeftForTheOtherFront)
{
    m_host.Start(LoginArgs());
    const int login = m_host.WaitForLine(kLoggedIn, kLoginMs);
    ASSERT_GE(login, 0) << m_host.Describe();
    std::string muted;
    ASSERT_TRUE(WaitForState(
        *m_market, [&](const json&) { return !(muted = LoggedInTradeFront(*m_market)).empty(); }, kLoginMs));
    ASSERT_EQ(m_market->Post("/admin/front?name=" + muted + "&action=mute"), 200);

    // Prices and answers stop; the client notices and goes elsewhere.
    const int lost = m_host.WaitForLine(kNotLoggedIn, kRecoveryMs, login + 1);
    ASSERT_GT(lost, login) << m_host.Describe();
    const int back = m_host.WaitForLine(kLoggedIn, kRecoveryMs, lost + 1);
    ASSERT_GT(back, lost) << m_host.Describe();
    std::string front;
    ASSERT_TRUE(WaitForState(
        *m_market, [&](const json&) { return !(front = LoggedInTradeFront(*m_market)).empty(); }, kLoginMs));
    EXPECT_NE(front, muted);
    m_host.Quit();
    EXPECT_EQ(m_host.Wait(40000), 0) << m_host.Describe();
}

namespace {
// A pid that no process has: one of a child that has ended.
pid_t GonePid()
{
    const pid_t child = fork();
    if(child == 0) {
        _exit(0);
    }
    waitpid(child, nullptr, 0);
    return child;
}
} // namespace

TEST_F(HostFaultsTest, AHugeSettingsFileDoesNotStallTheExit)
{
    // About 30 MB of settings, as years of chart and order-dialog states may
    // leave, and the temporary file of a save that a crash cut short.
    json filler = json::object();
    const std::string text(200, 'x');
    for(int i = 0; i < 1000; ++i) {
        filler["k" + std::to_string(i)] = text;
    }
    json objects = json::object();
    for(int i = 0; i < 150; ++i) {
        objects["Filler." + std::to_string(i)] = filler;
    }
    // One object of many members: each insert searched them all.
    json& wide = objects["Wide"] = json::object();
    for(int i = 0; i < 300000; ++i) {
        wide["k" + std::to_string(i)] = i;
    }
    m_host.SetObjectSetting("Filler", objects);
    const std::string settings = m_host.UserDataDir() + "/config/editor.conf";
    ASSERT_GT(std::filesystem::file_size(settings), 30u * 1000 * 1000);
    const std::string leftover = settings + ".tmp." + std::to_string(GonePid()) + ".1";
    std::ofstream(leftover) << "{\"half\":";

    std::vector<std::string> args = LoginArgs();
    args.insert(args.end(), {"--trace-mask", "config"});
    m_host.Start(args);
    ASSERT_GE(m_host.WaitForLine(kLoggedIn, kLoginMs), 0) << m_host.Describe();
    EXPECT_FALSE(std::filesystem::exists(leftover)) << "removed at the start";
    m_host.Quit();
    const int exit = m_host.WaitForLine("^exit$", kLoginMs);
    ASSERT_GE(exit, 0) << m_host.Describe();
    EXPECT_EQ(m_host.Wait(120000), 0) << m_host.Describe();
    // Each write of 30 MB takes a second or more: one per pane stalled the
    // exit for half a minute.
    const std::vector<std::string> lines = m_host.TraceLines();
    const auto writes = std::count_if(lines.begin() + exit, lines.end(), [](const std::string& line) {
        return line.find("trace config write ") != std::string::npos;
    });
    EXPECT_EQ(writes, 1) << "the panes' settings are written once, not once per pane";

    // What the panes stored at the exit is in the file, beside the rest.
    std::ifstream in(settings);
    const json stored = json::parse(in, nullptr, false);
    ASSERT_TRUE(stored.is_object());
    EXPECT_EQ(stored["objects"]["Filler"].size(), 151u);
    EXPECT_EQ(stored["objects"]["Filler"]["Wide"].size(), 300000u);
    EXPECT_TRUE(stored["objects"].contains("TessrinPluginConfig"));
    EXPECT_TRUE(stored["objects"].contains("PositionPaneCfg"));
}

TEST_F(HostFaultsTest, SettingsFilesThatCannotBeReadAreLeftAsTheyAreAndToldOnce)
{
    namespace fs = std::filesystem;
    // Folders where the settings and the store orders belong.
    const std::string config = m_host.UserDataDir() + "/config";
    fs::remove(config + "/editor.conf");
    fs::create_directories(config + "/editor.conf");
    fs::create_directories(config + "/storeorder.con");
    const std::string leftover = config + "/storeorder.con.tmp." + std::to_string(GonePid()) + ".1";
    std::ofstream(leftover) << "[";
    // The error texts nested 200,000 levels deep: copying them overflowed the stack.
    const std::string server = m_host.DataDir() + "/config/Tessrin.con";
    std::string text = json::parse(std::ifstream(server)).dump();
    text.pop_back();
    std::ofstream(server) << text << R"(, "errors": )" << std::string(200000, '[') << std::string(200000, ']')
                          << '}';

    m_host.Start(LoginArgs());
    ASSERT_GE(m_host.WaitForLine(kLoggedIn, kLoginMs), 0) << m_host.Describe();
    m_host.Quit();
    EXPECT_EQ(m_host.Wait(60000), 0) << m_host.Describe();
    const std::vector<std::string> lines = m_host.TraceLines();
    for(const std::string told :
        {"Settings not saved\\|Cannot read the settings file .*/editor.conf \\(Is a directory\\)",
         "Settings not saved\\|Cannot read the settings file .*/storeorder.con \\(Is a directory\\)",
         "Settings file\\|The entry \"errors\" of the settings file .*/Tessrin.con is nested too deeply"}) {
        const std::regex line("^output " + told);
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [&](const std::string& l) { return std::regex_search(l, line); }),
                  1)
            << told << "\n"
            << m_host.Describe();
    }
    EXPECT_TRUE(fs::is_directory(config + "/editor.conf") && fs::is_empty(config + "/editor.conf"));
    EXPECT_TRUE(fs::is_directory(config + "/storeorder.con") && fs::is_empty(config + "/storeorder.con"));
    EXPECT_FALSE(fs::exists(leftover)) << "removed as editor.conf's are";
}

TEST_F(HostFaultsTest, SettingsTheExitCannotSaveAreToldAtTheNextStart)
{
    namespace fs = std::filesystem;
    m_host.Start(LoginArgs());
    ASSERT_GE(m_host.WaitForLine(kLoggedIn, kLoginMs), 0) << m_host.Describe();
    // A file in the settings' folder's place refuses the exit's writes, as a
    // read-only folder or a full disk do.
    const std::string config = m_host.UserDataDir() + "/config";
    fs::remove_all(config);
    std::ofstream(config) << "in the folder's place";
    m_host.Quit();
    ASSERT_EQ(m_host.Wait(60000), 0) << m_host.Describe();
    fs::remove(config);

    // The next start tells it, once, in the output window and a box.
    m_host.Start(LoginArgs());
    const std::string told =
        "^output Settings not saved at the last exit\\|.*/config/storeorder.con .*/config/editor.conf ";
    ASSERT_GE(m_host.WaitForLine(told, kLoginMs), 0) << m_host.Describe();
    m_host.Quit();
    ASSERT_EQ(m_host.Wait(60000), 0) << m_host.Describe();
    const std::vector<std::string> lines = m_host.TraceLines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [&](const std::string& l) { return std::regex_search(l, std::regex(told)); }),
              1)
        << m_host.Describe();
    EXPECT_FALSE(fs::exists(m_host.UserDataDir() + "/unsaved-at-exit.txt"));
}

TEST(ScratchDataFolder, GetsEveryInstalledDataFileButTheServerList)
{
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("tessrin-data-" + std::to_string(::getpid()));
    const fs::path installed = root / "installed", scratch = root / "scratch";
    fs::create_directories(installed / "templates");
    std::ofstream(installed / "ordercontract.html") << "<html>%s</html>";
    std::ofstream(installed / "templates" / "page.html") << "nested";
    std::ofstream(installed / "Tessrin.con") << "the build's own";
    fs::create_directories(scratch);
    std::ofstream(scratch / "Tessrin.con") << "the test's";
    std::ofstream(scratch / "ordercontract.html") << "stale";

    EXPECT_EQ(HostProcess::CopyDataFiles(installed.string(), scratch.string()), 2);
    auto read = [](const fs::path& path) {
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_EQ(read(scratch / "ordercontract.html"), "<html>%s</html>") << "replaced";
    EXPECT_EQ(read(scratch / "templates" / "page.html"), "nested");
    EXPECT_EQ(read(scratch / "Tessrin.con"), "the test's");
    EXPECT_EQ(HostProcess::CopyDataFiles((root / "none").string(), scratch.string()), 0);
    fs::remove_all(root);
}
