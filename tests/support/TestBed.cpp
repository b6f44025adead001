#include "TestBed.h"

#include "TessrinConFile.h"

#include <PluginCatalogues.h>
#include <algorithm>
#include <connection/Client.h>
#include <connection/MarketFilter.h>
#include <db/RecordStore.h>
#include <filesystem>
#include <frame/TessrinPlugin.h>
#include <fstream>
#include <pelmora/EditorConfig.h>
#include <pelmora/clConfig.h>
#include <set>
#include <sstream>
#include <stdexcept>
#include <wx/translation.h>

namespace {

constexpr auto kStateInterval = std::chrono::milliseconds(200);

wxString BuildBinDir()
{
    const char* build = std::getenv("TESSRIN_BUILD_DIR");
    return wxString::FromUTF8(build ? build : ".") + "/bin";
}

const char* StatusName(int status)
{
    switch(status) {
    case eLS_UnLogin:
        return "not logged in";
    case eLS_Login1:
    case eLS_Login2:
        return "logging in";
    case eLS_LoginSuccess:
        return "logged in";
    case eLS_LoginFailed:
        return "login failed";
    case eLS_Logout:
        return "logged out";
    default:
        return "in an unknown state";
    }
}

// Whether the tables hold every account and every open bill the market has
// for the user (in the configured markets). The answers arrive row by row:
// one account in the table does not mean all have come.
// The market sends each symbol's quote when it is subscribed: until it is
// in, a market order would be refused as stale.
bool QuotesLive(RecordStore& store)
{
    const auto& prices = store.m_symbol_price_table->GetIndexByPrimary();
    const auto& symbols = store.m_symbol_Info_table->GetIndexByPrimary();
    return std::all_of(symbols.begin(), symbols.end(), [&](const symbol_Info& symbol) {
        const auto price = prices.find(symbol.symbolId);
        return price != prices.end() && price->live;
    });
}

bool TablesMatchMarket(const nlohmann::json& state, RecordStore& store, int userId,
                       const wxArrayInt& marketIds)
{
    if(!state.is_object() || !state.contains("accounts") || !state.contains("holds")) {
        return false;
    }
    std::set<int> accounts;
    for(const auto& account : state["accounts"]) {
        if(account.value("userId", 0) == userId &&
           PassesMarketFilter(marketIds, account.value("marketId", 0))) {
            accounts.insert(account.value("key", 0));
        }
    }
    std::set<int> storedAccounts;
    for(const user_Account& account : store.m_user_Account_table->GetIndexByPrimary()) {
        storedAccounts.insert(account.accountKey);
    }
    if(storedAccounts != accounts) {
        return false;
    }
    std::set<std::string> holds;
    for(const auto& hold : state["holds"]) {
        if(accounts.count(hold.value("account", 0)) != 0) {
            holds.insert(hold.value("code", std::string()));
        }
    }
    std::set<std::string> storedHolds;
    for(const trade_HoldBill& hold : store.m_trade_HoldBill_table->GetIndexByPrimary()) {
        storedHolds.insert(hold.orderCode.utf8_string());
    }
    return storedHolds == holds;
}

// The plug-in's installed data files (page templates and the like) as the
// host's data folder holds them; Tessrin.con is written by the bed itself.
void CopyInstalledDataFiles(const wxString& installed, const wxString& scratch)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path from(installed.utf8_string());
    if(!fs::is_directory(from, ec)) {
        return;
    }
    for(const auto& entry : fs::recursive_directory_iterator(from, ec)) {
        const fs::path relative = fs::relative(entry.path(), from);
        if(!entry.is_regular_file() || relative == "Tessrin.con") {
            continue;
        }
        const fs::path target = fs::path(scratch.utf8_string()) / relative;
        fs::create_directories(target.parent_path(), ec);
        fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing, ec);
    }
}

} // namespace

TestBed::TestBed() : TestBed(Options()) {}

TestBed::TestBed(Options options) : m_options(std::move(options)), m_folder("tessrin-bed")
{
    if(m_folder.Path().empty()) {
        throw std::runtime_error("no scratch folder");
    }
    wxFileName::Mkdir(DataDir() + "/config", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    wxFileName::Mkdir(UserDataDir(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    CopyInstalledDataFiles(BuildBinDir() + "/config", DataDir() + "/config");
    m_environment.push_back(std::make_unique<ScopedEnv>("PELMORA_DATA_DIR", DataDir()));
    m_environment.push_back(std::make_unique<ScopedEnv>("PELMORA_USER_DATA_DIR", UserDataDir()));
    m_environment.push_back(std::make_unique<ScopedEnv>("PELMORA_BIN_DIR", BuildBinDir()));
    EditorConfigST::Free(); // a settings object of an earlier folder must not be used

    m_markets.push_back({m_options.server, std::make_unique<SimProcess>(m_options.market)});
    TessrinConFile con(Market());
    con.Json()["server"][0]["name"] = m_options.server;
    // An error box would wait for a click nobody makes.
    con.Json()["showErrMsgBox"] = false;
    if(!con.Write(ConfigFile().utf8_string())) {
        throw std::runtime_error("cannot write " + ConfigFile().utf8_string());
    }
    // The bulletin tip dialog would open at the first poll.
    Settings().SaveLongValue("NoticeStartShow", 0);
    EditorConfigST::Free();
}

TestBed::~TestBed()
{
    Unload();
    EditorConfigST::Free();
    if(m_options.catalogue) {
        wxTranslations::Set(nullptr);
    }
}

wxString TestBed::BinDir() const
{
    return BuildBinDir();
}

SimProcess& TestBed::AddMarket(const std::string& serverName, const SimProcess::Options& options)
{
    m_markets.push_back({serverName, std::make_unique<SimProcess>(options)});
    SimProcess& market = *m_markets.back().process;
    nlohmann::ordered_json json = ReadConfig();
    json["server"].push_back(TessrinConFile::ServerRecord(serverName, market));
    WriteConfig(json);
    return market;
}

SimProcess& TestBed::KillAndRestartMarket(const std::string& extraArgs)
{
    std::unique_ptr<SimProcess>& market = m_markets.front().process;
    SimProcess::Options options = m_options.market;
    options.extraArgs += " --ports " + std::to_string(market->TradePort(0)) + "," +
                         std::to_string(market->TradePort(1)) + "," + std::to_string(market->MdPort()) + "," +
                         std::to_string(market->HttpPort()) + " " + extraArgs;
    market->Kill();
    market.reset();
    market = std::make_unique<SimProcess>(options);
    return *market;
}

void TestBed::SetConfigValue(const std::string& key, const nlohmann::json& value)
{
    nlohmann::ordered_json json = ReadConfig();
    json[key] = nlohmann::ordered_json::parse(value.dump());
    WriteConfig(json);
    if(m_host && m_host->Plugin() && m_host->Plugin()->GetConfig()) {
        m_host->Plugin()->GetConfig()->Reload();
    }
}

nlohmann::ordered_json TestBed::ReadConfig() const
{
    std::ifstream in(ConfigFile().utf8_string());
    auto json = nlohmann::ordered_json::parse(in, nullptr, false);
    if(!json.is_object()) {
        throw std::runtime_error("Tessrin.con of the bed is not a JSON object");
    }
    return json;
}

void TestBed::WriteConfig(const nlohmann::ordered_json& json)
{
    std::ofstream out(ConfigFile().utf8_string(), std::ios::trunc);
    out << json.dump(2) << '\n';
    if(!out.flush()) {
        throw std::runtime_error("cannot write " + ConfigFile().utf8_string());
    }
}

EditorConfig& TestBed::Settings()
{
    return *EditorConfigST::Get();
}

::testing::AssertionResult TestBed::Start()
{
    ::testing::AssertionResult loaded = Load();
    if(!loaded) {
        return loaded;
    }
    return Login(m_options.user, m_options.password, m_options.server);
}

::testing::AssertionResult TestBed::Load()
{
    if(m_host) {
        return ::testing::AssertionSuccess() << "already loaded";
    }
    // The plug-in reads the settings file afresh, as a new process would.
    EditorConfigST::Free();
    if(m_options.catalogue) {
        PluginCatalogues::Load(BinDir() + "/plugins");
    }
    m_host = std::make_unique<TestHost>();
    // The last hook registered is asked first: the script must answer a
    // dialog before the host's own hook counts it as a running modal loop
    // (an answered dialog never runs one, and the host would wait for it, or
    // end it after it is gone, at exit).
    m_dialogs.Unregister();
    m_dialogs.Register();
    if(!m_host->LoadPlugin() || !Plugin().GetDatabase()) {
        return ::testing::AssertionFailure() << "the plug-in did not start";
    }
    PumpEvents();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult TestBed::Login()
{
    return Login(m_options.user, m_options.password, m_options.server);
}

::testing::AssertionResult TestBed::Login(const std::string& user, const std::string& password,
                                          const std::string& server)
{
    if(!m_host) {
        return ::testing::AssertionFailure() << "login before Load";
    }
    SendLogin(user, password, server);
    return WaitLoggedIn();
}

void TestBed::SendLogin(const std::string& user, const std::string& password, const std::string& server)
{
    m_user = user;
    m_password = password;
    m_server = server;
    Host().Login().Login(wxString::FromUTF8(server), wxString::FromUTF8(user), wxString::FromUTF8(password));
}

::testing::AssertionResult TestBed::WaitLoggedIn(std::chrono::milliseconds limit)
{
    if(!m_host) {
        return ::testing::AssertionFailure() << "not loaded";
    }
    const SimProcess* market = FindMarket(m_server);
    nlohmann::json state;
    auto fetched = std::chrono::steady_clock::time_point();
    const bool loggedIn = PumpUntil(
        [&] {
            Client* client = GetClient();
            RecordStore* store = Plugin().GetDatabase();
            if(!client || !store || !client->IsReady() ||
               client->GetMdConnecter().GetStatus() != eLS_LoginSuccess || !client->IsMdSubscribed() ||
               store->m_symbol_Info_table->GetIndexByPrimary().empty() || !QuotesLive(*store)) {
                return false;
            }
            if(!market) {
                return !store->m_user_Account_table->GetIndexByPrimary().empty();
            }
            // The market's view, asked now and then: a bill may open or close meanwhile.
            const auto now = std::chrono::steady_clock::now();
            if(now - fetched > kStateInterval) {
                state = market->State();
                fetched = now;
            }
            return TablesMatchMarket(state, *store, client->GetUserId(), Plugin().GetMarketIds());
        },
        limit);
    if(!loggedIn) {
        return ::testing::AssertionFailure() << "not logged in as " << m_user << " at " << m_server
                                             << " within " << limit.count() << " ms: " << Describe();
    }
    return ::testing::AssertionSuccess();
}

SimProcess* TestBed::FindMarket(const std::string& serverName)
{
    for(MarketEntry& market : m_markets) {
        if(market.serverName == serverName) {
            return market.process.get();
        }
    }
    return nullptr;
}

std::string TestBed::Describe()
{
    std::ostringstream text;
    Client* client = m_host ? GetClient() : nullptr;
    if(!client) {
        text << "no Client";
    } else {
        RecordStore& store = Store();
        text << "trade " << StatusName(client->GetTradeConnecter().GetStatus())
             << (client->IsReady() ? ", ready" : ", queries unanswered") << ", market data "
             << StatusName(client->GetMdConnecter().GetStatus()) << ", subscribed "
             << client->IsMdSubscribed() << ", accounts "
             << store.m_user_Account_table->GetIndexByPrimary().size() << ", symbols "
             << store.m_symbol_Info_table->GetIndexByPrimary().size();
    }
    for(const MarketEntry& market : m_markets) {
        const nlohmann::json state = market.process->State();
        text << "; market " << market.serverName << ": "
             << (state.is_object() && state.contains("sessions") ? state["sessions"].dump() : "no state");
    }
    return text.str();
}

void TestBed::Logout()
{
    if(m_host) {
        Host().Login().Logout();
        PumpEvents();
    }
}

void TestBed::Unload()
{
    m_host.reset();
    EditorConfigST::Free();
}

::testing::AssertionResult TestBed::Restart()
{
    const std::string user = m_user.empty() ? m_options.user : m_user;
    const std::string password = m_user.empty() ? m_options.password : m_password;
    const std::string server = m_user.empty() ? m_options.server : m_server;
    Unload();
    ::testing::AssertionResult loaded = Load();
    if(!loaded) {
        return loaded;
    }
    return Login(user, password, server);
}

SimProcess& TestBed::Market(const std::string& serverName)
{
    SimProcess* market = FindMarket(serverName);
    if(!market) {
        throw std::out_of_range("no market for server " + serverName);
    }
    return *market;
}

TestHost& TestBed::Host()
{
    if(!m_host) {
        throw std::logic_error("the bed is not loaded");
    }
    return *m_host;
}

TessrinPlugin& TestBed::Plugin()
{
    TessrinPlugin* plugin = Host().Plugin();
    if(!plugin) {
        throw std::logic_error("no plug-in loaded");
    }
    return *plugin;
}

RecordStore& TestBed::Store()
{
    RecordStore* store = Plugin().GetDatabase();
    if(!store) {
        throw std::logic_error("the plug-in has no record store");
    }
    return *store;
}

Client* TestBed::GetClient()
{
    return Plugin().GetClient().get();
}
