// Login, logout, the local-address probe and the trade API library, with
// recording fake libraries in place of the real one.
#include "DialogScript.h"
#include "EventPump.h"
#include "FakeApis.h"
#include "FakeHost.h"
#include "LoopbackHttpServer.h"
#include "ScopedEnv.h"
#include "ScratchFolder.h"
#include "app/PluginExports.h"
#include "connection/CGetLocalIp.h"
#include "connection/Client.h"
#include "frame/TessrinPlugin.h"
#include "frame/TradeApiLibrary.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <gtest/gtest.h>
#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <pelmora/JobQueueSingleton.h>
#include <string>
#include <vector>

namespace {
std::vector<std::string> g_journal;
} // namespace

// Called by the fake libraries for every export and release.
extern "C" __attribute__((visibility("default"))) void FakeTradeApiRecord(const char* library,
                                                                          const char* entry)
{
    g_journal.push_back(std::string(library) + " " + entry);
}

namespace {

// The host's bin folder of these tests: the stand-ins under the names the
// server list gives, and the host's own library as one without the exports.
class StandInFolder
{
public:
    StandInFolder() : m_bin("PELMORA_BIN_DIR", m_folder.Path())
    {
        const char* build = std::getenv("TESSRIN_BUILD_DIR");
        const std::string sdk = std::string(build ? build : ".") + "/bin/libpelmora_sdk.so";
        Link(std::string(FAKE_API_DIR) + "/libFakeTradeApi.so", "libFakeTradeApi.so");
        Link(std::string(FAKE_API_DIR) + "/libOtherTradeApi.so", "libOtherTradeApi.so");
        // A link, so the library already in the process is the one found.
        Link(sdk, "libNoExports.so");
    }

private:
    void Link(const std::string& target, const char* name)
    {
        std::error_code error;
        std::filesystem::create_symlink(std::filesystem::absolute(target), m_folder.File(name).utf8_string(),
                                        error);
        EXPECT_FALSE(error) << name;
    }

    ScratchFolder m_folder;
    ScopedEnv m_bin;
};

// A "/getip" that answers only once the test lets it (or after ten seconds).
class HeldAddressServer
{
public:
    HeldAddressServer()
    {
        m_http.server().Get("/getip", [this](const httplib::Request&, httplib::Response& res) {
            const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while(!released && std::chrono::steady_clock::now() < limit) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            res.set_content("10.7.7.7", "text/plain");
        });
        m_http.Start();
    }
    ~HeldAddressServer() { released = true; }
    std::string Base() const { return m_http.Base(); }

    std::atomic<bool> released{false};

private:
    LoopbackHttpServer m_http;
};

// "Refused" asks a port that refuses connections for the address.
std::string ConText(const std::string& heldAddress = "http://127.0.0.1:1")
{
    return R"({"server": [
        {"name": "Probed", "api": "FakeTradeApi", "trade": ["127.0.0.1:7800"], "mq": ["127.0.0.1:7801"],
         "history": [")" +
           heldAddress + R"("]},
        {"name": "Refused", "api": "FakeTradeApi", "trade": ["127.0.0.1:7900"], "mq": ["127.0.0.1:7901"],
         "history": ["http://127.0.0.1:1"]},
        {"name": "Fake", "api": "FakeTradeApi", "trade": ["127.0.0.1:7000"], "mq": ["127.0.0.1:7001"]},
        {"name": "Fake2", "api": "FakeTradeApi", "trade": ["127.0.0.1:7100"], "mq": ["127.0.0.1:7101"]},
        {"name": "Other", "api": "OtherTradeApi", "trade": ["127.0.0.1:7200"], "mq": ["127.0.0.1:7201"]},
        {"name": "Missing", "api": "NoSuchTradeApi", "trade": ["127.0.0.1:7300"]},
        {"name": "NoExports", "api": "NoExports", "trade": ["127.0.0.1:7400"]},
        {"name": "Pathed", "api": ")" +
           std::string(FAKE_API_DIR) + R"(/libFakeTradeApi.so", "trade": ["127.0.0.1:7500"]},
        {"name": "Relative", "api": "fakeapi/libFakeTradeApi.so", "trade": ["127.0.0.1:7600"]},
        {"name": "FileName", "api": "libFakeTradeApi.so", "trade": ["127.0.0.1:7700"]}
    ]})";
}

size_t Count(const std::string& entry)
{
    return static_cast<size_t>(std::count(g_journal.begin(), g_journal.end(), entry));
}

size_t IndexOf(const std::string& entry)
{
    return static_cast<size_t>(std::find(g_journal.begin(), g_journal.end(), entry) - g_journal.begin());
}

class PluginLoginTest : public ::testing::Test
{
protected:
    PluginLoginTest() : m_host(ConText(m_held.Base()).c_str())
    {
        g_journal.clear();
        m_plugin = static_cast<TessrinPlugin*>(CreatePlugin(&m_host));
        EventNotifier::Get()->Bind(wxEVT_CMD_CLIENT_CREATED, &PluginLoginTest::OnClientCreated, this);
    }
    ~PluginLoginTest() override
    {
        EventNotifier::Get()->Unbind(wxEVT_CMD_CLIENT_CREATED, &PluginLoginTest::OnClientCreated, this);
        if(m_plugin) {
            m_plugin->UnPlug();
            // As the host does at unload: the address probes' jobs end first.
            JobQueueSingleton::Release();
            delete m_plugin;
        }
    }

    // Handlers unbound by an earlier test leave empty slots on the bus; the
    // plug-in's own send inside the login must cope with them.
    static void Send(const wxEventType& type, void* data)
    {
        EventNotifier::Get()->SendCommandEvent(type, data);
    }
    static void Login(const wxString& server, const wxString& user = "alice", const wxString& password = "pw")
    {
        wxArrayString request;
        request.Add(server);
        request.Add(user);
        request.Add(password);
        Send(wxEVT_CMD_LOGIN_REQUEST, &request);
    }
    FakeTradeApi* TradeApi() const { return static_cast<FakeTradeApi*>(m_plugin->GetTradeApi()); }

    void OnClientCreated(wxCommandEvent& event)
    {
        event.Skip();
        announced.push_back(event.GetClientData());
    }

    StandInFolder m_standIns;
    HeldAddressServer m_held;
    FakeHost m_host;
    TessrinPlugin* m_plugin;
    std::vector<void*> announced;
};

} // namespace

TEST_F(PluginLoginTest, LoginLoadsTheServersLibraryCreatesTheClientAndAnnouncesIt)
{
    EXPECT_EQ(m_plugin->GetTradeApi(), nullptr);
    Login("Fake");
    ASSERT_TRUE(m_plugin->GetClient());
    const std::vector<std::string> expected = {"FakeApi GlobalInit", "FakeApi CreateClientApi",
                                               "FakeApi CreateTradeApi alice", "FakeApi CreateMDApi alice"};
    EXPECT_EQ(g_journal, expected);
    ASSERT_EQ(announced.size(), 1u);
    EXPECT_EQ(announced[0], m_plugin->GetClient().get());
    // Both login machines started on the server's addresses.
    FakeTradeApi* trade = TradeApi();
    ASSERT_NE(trade, nullptr);
    ASSERT_FALSE(trade->calls.empty());
    EXPECT_NE(trade->calls[0].find("127.0.0.1:7000"), std::string::npos) << trade->calls[0];
    auto* md = static_cast<FakeMdApi*>(m_plugin->GetClient()->GetMdApi());
    ASSERT_NE(md, nullptr);
    ASSERT_FALSE(md->calls.empty());
    EXPECT_NE(md->calls[0].find("127.0.0.1:7001"), std::string::npos) << md->calls[0];
    EXPECT_EQ(m_plugin->GetServerText(), "Fake");
    const ServerInfo* server = m_plugin->GetLoginServer();
    ASSERT_NE(server, nullptr);
    EXPECT_EQ(server->name, "Fake");
    ASSERT_EQ(server->trade.size(), 1u);
    EXPECT_EQ(server->trade[0], "127.0.0.1:7000");
    ASSERT_EQ(server->mq.size(), 1u);
    EXPECT_EQ(server->mq[0], "127.0.0.1:7001");
}

// No loop waits for the local-address probe: the login request returns at
// once, and the machines start, and the Client is announced, when the probe
// reports: with the address found, after every server failed, or never when
// a logout came first.
TEST_F(PluginLoginTest, TheMachinesStartWhenTheAddressProbeReports)
{
    g_localIp.clear();
    Login("Probed");
    ASSERT_TRUE(m_plugin->GetClient());
    EXPECT_TRUE(TradeApi()->calls.empty()) << "started before the probe reported";
    EXPECT_TRUE(announced.empty());
    m_held.released = true;
    ASSERT_TRUE(PumpUntil([&] { return !announced.empty(); }, std::chrono::seconds(15)));
    EXPECT_EQ(CGetLocalIp::GetLocalIp(), "10.7.7.7");
    ASSERT_FALSE(TradeApi()->calls.empty());
    EXPECT_NE(TradeApi()->calls[0].find("127.0.0.1:7800"), std::string::npos) << TradeApi()->calls[0];

    g_localIp.clear();
    m_held.released = false;
    Login("Probed");
    FakeTradeApi* abandoned = TradeApi();
    Send(wxEVT_CMD_LOGOUT_REQUEST, nullptr);
    m_held.released = true;
    PumpFor(std::chrono::milliseconds(500));
    EXPECT_EQ(announced.size(), 1u);
    EXPECT_TRUE(abandoned->calls.empty());

    Login("Refused");
    ASSERT_TRUE(PumpUntil([&] { return announced.size() == 2; }, std::chrono::seconds(15)));
    EXPECT_EQ(CGetLocalIp::GetLocalIp(), "");
    EXPECT_FALSE(TradeApi()->calls.empty()) << "a failed probe logs in without an address";
}

TEST_F(PluginLoginTest, MalformedOrUnknownLoginRequestsChangeNothing)
{
    wxArrayString twoTexts;
    twoTexts.Add("Fake");
    twoTexts.Add("alice");
    Send(wxEVT_CMD_LOGIN_REQUEST, &twoTexts);
    Send(wxEVT_CMD_LOGIN_REQUEST, nullptr);
    Login("Nowhere");
    Login("fake"); // names are matched exactly
    EXPECT_FALSE(m_plugin->GetClient());
    EXPECT_TRUE(g_journal.empty()); // no library was even loaded
    EXPECT_TRUE(announced.empty());
}

TEST_F(PluginLoginTest, ALibraryThatCannotBeLoadedOrBoundEndsTheLoginWithoutAClient)
{
    Login("Fake");
    ASSERT_NE(TradeApi(), nullptr);
    Login("Missing");
    EXPECT_FALSE(m_plugin->GetClient());
    EXPECT_EQ(m_plugin->GetLoginServer(), nullptr); // not the record of the login before
    EXPECT_EQ(m_plugin->GetServerText(), "");
    // The old login's objects went first, then the library they came from.
    EXPECT_LT(IndexOf("FakeApi TradeApi::Release"), IndexOf("FakeApi ClientApi::Release"));
    EXPECT_LT(IndexOf("FakeApi MdApi::Release"), IndexOf("FakeApi ClientApi::Release"));
    EXPECT_EQ(Count("FakeApi GlobalUnInit"), 1u);
    Login("NoExports");
    EXPECT_FALSE(m_plugin->GetClient());
    EXPECT_EQ(announced.size(), 1u);
    // A failed name is not taken as loaded later, and a good one loads afresh.
    Login("Missing");
    EXPECT_FALSE(m_plugin->GetClient());
    Login("Fake");
    EXPECT_TRUE(m_plugin->GetClient());
    EXPECT_EQ(Count("FakeApi GlobalInit"), 2u);
    EXPECT_EQ(announced.size(), 2u);
}

TEST_F(PluginLoginTest, OnlyABareLibraryNameOfTheHostsFolderIsLoaded)
{
    // The library exists at each of these names (the second relative to the
    // working folder), but not as a file of the host's folder: a server list
    // must not load code from elsewhere.
    ASSERT_TRUE(wxFileName::FileExists("fakeapi/libFakeTradeApi.so"));
    for(const char* server : {"Pathed", "Relative"}) {
        SCOPED_TRACE(server);
        Login(server);
        EXPECT_FALSE(m_plugin->GetClient());
        EXPECT_EQ(Count("FakeApi GlobalInit"), 0u);
    }
    EXPECT_TRUE(announced.empty());
    Login("FileName");
    EXPECT_TRUE(m_plugin->GetClient()) << "the file name as it stands";
}

TEST_F(PluginLoginTest, ASecondLoginWithTheSameLibraryKeepsItAndReplacesTheClient)
{
    Login("Fake");
    FakeTradeApi* first = TradeApi();
    const Client* firstClient = m_plugin->GetClient().get();
    Login("Fake2", "bob");
    ASSERT_TRUE(m_plugin->GetClient());
    EXPECT_NE(TradeApi(), first);
    EXPECT_EQ(first->released, 1);
    EXPECT_EQ(Count("FakeApi GlobalInit"), 1u);
    EXPECT_EQ(Count("FakeApi GlobalUnInit"), 0u);
    EXPECT_EQ(Count("FakeApi CreateTradeApi bob"), 1u);
    EXPECT_EQ(m_plugin->GetServerText(), "Fake2");
    ASSERT_NE(m_plugin->GetLoginServer(), nullptr);
    ASSERT_EQ(m_plugin->GetLoginServer()->trade.size(), 1u);
    EXPECT_EQ(m_plugin->GetLoginServer()->trade[0], "127.0.0.1:7100");
    ASSERT_EQ(announced.size(), 2u);
    EXPECT_EQ(announced[0], firstClient);
    EXPECT_EQ(announced[1], m_plugin->GetClient().get());
}

TEST_F(PluginLoginTest, ALoginToAnotherLibraryReleasesTheFirstBeforeLoadingTheSecond)
{
    Login("Fake");
    Login("Other");
    ASSERT_TRUE(m_plugin->GetClient());
    EXPECT_LT(IndexOf("FakeApi TradeApi::Release"), IndexOf("FakeApi ClientApi::Release"));
    const size_t released = IndexOf("FakeApi ClientApi::Release");
    const size_t uninit = IndexOf("FakeApi GlobalUnInit");
    const size_t otherInit = IndexOf("OtherApi GlobalInit");
    ASSERT_LT(otherInit, g_journal.size());
    EXPECT_LT(released, uninit);
    EXPECT_LT(uninit, otherInit);
    EXPECT_EQ(Count("OtherApi CreateTradeApi alice"), 1u);
}

TEST_F(PluginLoginTest, LogoutDropsTheClientKeepsTheLibraryAndALaterLoginWorks)
{
    Login("Fake");
    FakeTradeApi* first = TradeApi();
    auto* firstMd = static_cast<FakeMdApi*>(m_plugin->GetClient()->GetMdApi());
    Send(wxEVT_CMD_LOGOUT_REQUEST, nullptr);
    EXPECT_FALSE(m_plugin->GetClient());
    EXPECT_EQ(m_plugin->GetTradeApi(), nullptr);
    EXPECT_EQ(m_plugin->GetLoginServer(), nullptr);
    EXPECT_EQ(first->released, 1);
    EXPECT_EQ(firstMd->released, 1);
    EXPECT_EQ(Count("FakeApi GlobalUnInit"), 0u);
    Send(wxEVT_CMD_LOGOUT_REQUEST, nullptr); // twice is harmless
    Login("Fake");
    EXPECT_TRUE(m_plugin->GetClient());
    EXPECT_EQ(Count("FakeApi GlobalInit"), 1u);
}

TEST_F(PluginLoginTest, UnPlugReleasesTheClientThenTheLibrary)
{
    Login("Fake");
    m_plugin->UnPlug();
    EXPECT_FALSE(m_plugin->GetClient());
    ASSERT_GE(g_journal.size(), 4u);
    const std::vector<std::string> tail(g_journal.end() - 4, g_journal.end());
    const std::vector<std::string> expected = {"FakeApi TradeApi::Release", "FakeApi MdApi::Release",
                                               "FakeApi ClientApi::Release", "FakeApi GlobalUnInit"};
    EXPECT_EQ(tail, expected);
    // After unload a login request reaches nobody.
    Login("Fake");
    EXPECT_EQ(announced.size(), 1u);
    delete m_plugin;
    m_plugin = nullptr;
}

namespace {

// The library part on its own, without a plug-in object: a login's objects
// come from the library's own client object, one initialisation serves as
// long as the library is kept, and the library is handed back once.
TEST(TradeApiLibraryPart, MakesALoginsObjectsFromItsOwnClientAndUnloadsOnce)
{
    StandInFolder standIns;
    g_journal.clear();
    TradeApiLibrary library;
    EXPECT_EQ(library.CreateTradeApi(nullptr, "alice"), nullptr) << "nothing loaded";
    for(const char* name : {"NoSuchTradeApi", "NoExports"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(library.Load(name));
        EXPECT_EQ(library.CreateMDApi(nullptr, "alice"), nullptr);
    }
    ASSERT_TRUE(library.Load("FakeTradeApi"));
    ASSERT_TRUE(library.Load("FakeTradeApi"));
    EXPECT_EQ(Count("FakeApi GlobalInit"), 1u);
    EXPECT_EQ(Count("FakeApi CreateClientApi"), 1u);

    CTradeApi* trade = library.CreateTradeApi(nullptr, "alice");
    CMDApi* md = library.CreateMDApi(nullptr, "bob");
    ASSERT_NE(trade, nullptr);
    ASSERT_NE(md, nullptr);
    // Neither "foreign client" nor "reserved": the library's own client, 0.
    EXPECT_EQ(Count("FakeApi CreateTradeApi alice no callback"), 1u);
    EXPECT_EQ(Count("FakeApi CreateMDApi bob no callback"), 1u);
    trade->Release();
    md->Release();

    library.Unload();
    EXPECT_LT(IndexOf("FakeApi ClientApi::Release"), IndexOf("FakeApi GlobalUnInit"));
    library.Unload();
    EXPECT_EQ(Count("FakeApi GlobalUnInit"), 1u);
    EXPECT_EQ(library.CreateTradeApi(nullptr, "alice"), nullptr);
    // Unloaded, the same name loads afresh.
    ASSERT_TRUE(library.Load("FakeTradeApi"));
    EXPECT_EQ(Count("FakeApi GlobalInit"), 2u);
}

TEST(ServerList, ACutShortFileIsToldOnceInTheOutputWindowAndABox)
{
    DialogScript dialogs;
    std::string text = ConText();
    text.resize(text.size() / 2);
    FakeHost host(text.c_str());
    auto* plugin = static_cast<TessrinPlugin*>(CreatePlugin(&host));
    wxArrayString names;
    EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_QUERY_SERVER_NAMES, &names);
    EXPECT_TRUE(names.empty());
    for(int attempt = 0; attempt < 2; ++attempt) {
        wxArrayString request;
        request.Add("Fake");
        request.Add("alice");
        request.Add("pw");
        EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_LOGIN_REQUEST, &request);
    }
    ASSERT_TRUE(PumpUntil([&] { return !dialogs.Seen().empty(); }));
    wxTheApp->ProcessPendingEvents();
    EXPECT_FALSE(plugin->GetClient());
    ASSERT_EQ(dialogs.Seen().size(), 1u) << "told once";
    const wxString told =
        "The server list could not be read from " + host.GetBaseDirectory() + "/data/config/Tessrin.con.";
    EXPECT_EQ(dialogs.Seen()[0].message, told);
    ASSERT_EQ(host.appended.size(), 1u);
    EXPECT_EQ(host.appended[0].title, "Server list");
    EXPECT_EQ(host.appended[0].body, told);
    plugin->UnPlug();
    delete plugin;
}
} // namespace
