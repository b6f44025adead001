#pragma once
// The logged-in test bed: the plug-in in process, in the real host's main
// window (TestHost), logged in through the host bus to simmarketd
// (SimProcess), over scratch data and user-data folders of its own.
//
// What it sets up:
// - folders: <scratch>/data (PELMORA_DATA_DIR) with config/Tessrin.con made
//   from plugins/tessrin/frame/Tessrin.con.in with the market's ports and
//   "showErrMsgBox" false; <scratch>/user (PELMORA_USER_DATA_DIR) with the
//   user's settings, "NoticeStartShow" off; PELMORA_BIN_DIR is the build's
//   bin folder, where libClientApi.so and the host images are;
// - the market: simmarketd on free loopback ports, server record "Demo";
//   AddMarket starts more, each with a server record of its own;
// - the host and plug-in (Load): created as the host creates them, tool bar
//   and menus included; Unload takes them down as the host does at exit, so
//   Load again reads everything back from the same folders (a restart);
// - the login: bus event 10001 from the host's login controller, then the
//   events are pumped until both fronts are logged in, the symbols have
//   arrived and are subscribed, and the accounts and open hold bills are
//   those the market has for the user (WaitLoggedIn);
// - modal dialogs: answered by Dialogs() (message boxes and prompts are
//   cancelled unless scripted), so no test waits for a click.
//
// Usage:
//
//     #include "TestBed.h"
//
//     TEST(HoldBills, AMarketBuyBecomesAHoldBill)
//     {
//         TestBed bed;                                  // market, folders, Tessrin.con
//         bed.SetConfigValue("HideStoreOrderPane", true); // optional, before Start
//         ASSERT_TRUE(bed.Start());                     // host, plug-in, login as demo
//         ASSERT_EQ(bed.Market().Post("/admin/walk?rate=0"), 200);
//         sFFixSetOrder order = ...;
//         ASSERT_NE(bed.GetClient()->ReqSetOrder(&order), -1);
//         ASSERT_TRUE(PumpUntil([&] { return HoldCount(bed.Store()) == 3; }));
//         EXPECT_EQ(bed.Market().State()["holds"].size(), 3u);
//         ASSERT_TRUE(bed.Restart());                   // unload, load, log in again
//     }
//
// The test program links tessrin_test_bed and runs under a display:
//     tessrin_add_test(panes_HoldPaneGuiTest SOURCES HoldPaneGuiTest.cpp
//                      LIBS tessrin_panes tessrin_test_bed GUI TIMEOUT 180)
// Tests that need only a logged-in bed may derive from LoggedInTest below.
// One bed at a time per process: it sets the process's environment.
#include "DialogScript.h"
#include "EventPump.h"
#include "ScopedEnv.h"
#include "ScratchFolder.h"
#include "SimProcess.h"
#include "TestHost.h"

#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

class Client;
class EditorConfig;
class RecordStore;
class TessrinPlugin;

class TestBed
{
public:
    struct Options
    {
        // The first market, server record "Demo".
        SimProcess::Options market;
        // Who Start() logs in.
        std::string server = "Demo";
        std::string user = "demo";
        std::string password = "demo123";
        // The plug-in's compiled catalogues loaded before the host window, as
        // the host program loads them (English under the tests' LANG): the
        // windows show the catalogue's texts instead of the keys.
        bool catalogue = false;
    };
    static constexpr std::chrono::seconds kLoginLimit{30};

    // Makes the folders, starts the market, writes Tessrin.con and the
    // settings; loads nothing yet. Throws std::runtime_error when the market
    // does not start.
    TestBed();
    explicit TestBed(Options options);
    // Unloads the plug-in, closes the host window, stops the markets and
    // removes the folders.
    ~TestBed();
    TestBed(const TestBed&) = delete;
    TestBed& operator=(const TestBed&) = delete;

    // --- Configuration. The plug-in reads the server list and "markets" when
    // it loads: change those before Load (or Restart). Switches such as
    // "showErrMsgBox" it reads when it needs them: those may change any time.
    // Starts another market and adds its server record under `serverName`.
    SimProcess& AddMarket(const std::string& serverName,
                          const SimProcess::Options& options = SimProcess::Options());
    // Kills the first market at once (SIGKILL, as in a crash) and starts it
    // again on the same ports from its scenario, with further arguments
    // (such as "--swallow 1015"); its state is the scenario's again.
    SimProcess& KillAndRestartMarket(const std::string& extraArgs = std::string());
    // Sets a top-level key of Tessrin.con on disk, keeping the rest; a loaded
    // plug-in reads the file again.
    void SetConfigValue(const std::string& key, const nlohmann::json& value);
    // The user's settings (the host's EditorConfig over the scratch user
    // folder), the object the plug-in reads too. It is valid until the next
    // Load or Unload.
    EditorConfig& Settings();

    // --- Life cycle.
    // Load, then Login as the options say.
    ::testing::AssertionResult Start();
    // The host window and the plug-in in it.
    ::testing::AssertionResult Load();
    // Logs in through the host and waits (kLoginLimit) until logged in.
    ::testing::AssertionResult Login();
    ::testing::AssertionResult Login(const std::string& user, const std::string& password,
                                     const std::string& server = "Demo");
    // Only sends the login request (bus 10001), as the host does; no wait.
    void SendLogin(const std::string& user, const std::string& password, const std::string& server = "Demo");
    // Pumps until both fronts are logged in, the symbols have arrived and
    // their prices are subscribed, every query of the login has been
    // answered (Client::IsReady), and the tables hold every account and
    // every open hold bill the user has at the server's market (asked
    // through /admin/state). Pushes that follow (fills, prices, money
    // steps) may still be on their way: a test that counts them waits.
    ::testing::AssertionResult WaitLoggedIn(std::chrono::milliseconds limit = kLoginLimit);
    // Bus event 10002 from the host; the plug-in drops its Client.
    void Logout();
    // As the host at exit: UnPlug, jobs drained, plug-in deleted, window closed.
    void Unload();
    // Unload, Load, and log in again as the last user (a restart of the program).
    ::testing::AssertionResult Restart();
    bool IsLoaded() const { return m_host != nullptr; }

    // --- What tests act on and look at (Host, Plugin and Store need Load).
    SimProcess& Market() { return *m_markets.front().process; }
    SimProcess& Market(const std::string& serverName);
    TestHost& Host();
    TessrinPlugin& Plugin();
    RecordStore& Store();
    // The Client of the current login; null while logged out.
    Client* GetClient();
    DialogScript& Dialogs() { return m_dialogs; }

    wxString DataDir() const { return m_folder.Path() + "/data"; }
    wxString UserDataDir() const { return m_folder.Path() + "/user"; }
    wxString BinDir() const;
    wxString ConfigFile() const { return DataDir() + "/config/Tessrin.con"; }

private:
    struct MarketEntry
    {
        std::string serverName;
        std::unique_ptr<SimProcess> process;
    };
    SimProcess* FindMarket(const std::string& serverName);
    nlohmann::ordered_json ReadConfig() const;
    void WriteConfig(const nlohmann::ordered_json& json);
    std::string Describe();

    Options m_options;
    ScratchFolder m_folder;
    std::vector<std::unique_ptr<ScopedEnv>> m_environment;
    std::vector<MarketEntry> m_markets;
    DialogScript m_dialogs;
    std::unique_ptr<TestHost> m_host;
    std::string m_user;
    std::string m_password;
    std::string m_server;
};

// A fixture with a bed that is started (demo logged in) before each test.
class LoggedInTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(bed.Start()); }

    TestBed bed;
};
