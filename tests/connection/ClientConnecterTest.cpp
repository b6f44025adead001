#include "connection/ClientConnecter.h"

#include "FakeApis.h"
#include "LogCapture.h"
#include "connection/CGetLocalIp.h"

#include <cstring>
#include <gtest/gtest.h>
#include <sstream>
#include <tradeapi/FFixCommon.h>

namespace {

wxArrayString Addresses(std::initializer_list<const char*> list)
{
    wxArrayString addresses;
    for(const char* a : list) {
        addresses.Add(a);
    }
    return addresses;
}

sFFixRspInfo Result(int errorId, const char* text = "")
{
    sFFixRspInfo info{};
    info.errorId = errorId;
    std::strncpy(info.errorMsg, text, sizeof info.errorMsg - 1);
    return info;
}

// A "Trade" machine over a fake library, driven by words:
// start, logout, connected, refused, login, error:N (login answer), drop, rsp:N (error answer).
struct Machine
{
    explicit Machine(const wxArrayString& addresses, const wxString& login = "demo")
        : connecter(addresses, login, "Trade")
    {
        connecter.SetApi(&api);
    }

    void Do(const std::string& word, const wxString& password = "pw")
    {
        if(word == "start") {
            connecter.StartLogin(password);
        } else if(word == "logout") {
            connecter.Logout();
        } else if(word == "connected") {
            connecter.SetConnectResult(true);
        } else if(word == "refused") {
            connecter.SetConnectResult(false);
        } else if(word == "login") {
            connecter.SetLoginResult(sFFixRspUserLogin{}, Result(0));
        } else if(word.rfind("error:", 0) == 0) {
            connecter.SetLoginResult(sFFixRspUserLogin{}, Result(std::stoi(word.substr(6)), "bad"));
        } else if(word == "drop") {
            connecter.OnDisconnect();
        } else if(word.rfind("rsp:", 0) == 0) {
            connecter.OnErrorRsp(Result(std::stoi(word.substr(4)), "oops"));
        } else {
            ADD_FAILURE() << "unknown step " << word;
        }
    }
    void Run(const std::string& script)
    {
        std::istringstream words(script);
        for(std::string word; words >> word;) {
            Do(word);
        }
    }

    FakeTradeApi api;
    ClientConnecter<CTradeApi> connecter;
};

struct Row
{
    const char* name;
    std::vector<const char*> addresses;
    const char* setup; // words run before the event
    const char* event;
    int status;                     // after the event
    std::vector<std::string> calls; // library calls of the event; {next} = the address after the current one
};

class ConnecterStateTable : public ::testing::TestWithParam<Row>
{
};

std::string Expand(const std::string& call, const wxArrayString& addresses, unsigned before, unsigned after)
{
    std::string text = call;
    auto put = [&](const std::string& tag, const wxString& value) {
        const auto at = text.find(tag);
        if(at != std::string::npos) {
            text.replace(at, tag.size(), value.ToStdString());
        }
    };
    put("{next}", addresses[(before + 1) % addresses.size()]);
    put("{now}", addresses[after]);
    return text;
}

TEST_P(ConnecterStateTable, EventMovesToStatusWithLibraryCalls)
{
    const Row& row = GetParam();
    wxArrayString addresses;
    for(const char* a : row.addresses) {
        addresses.Add(a);
    }
    Machine machine(addresses);
    machine.Run(row.setup);
    const unsigned before = machine.connecter.GetCurrentIndex();
    machine.api.calls.clear();

    machine.Run(row.event);

    EXPECT_EQ(machine.connecter.GetStatus(), row.status);
    std::vector<std::string> expected;
    for(const std::string& call : row.calls) {
        expected.push_back(
            addresses.empty() ? call : Expand(call, addresses, before, machine.connecter.GetCurrentIndex()));
    }
    EXPECT_EQ(machine.api.calls, expected);
}

const Row kRows[] = {
    {"IdleStartConnects", {"a:1", "b:2"}, "", "start", eLS_Login1, {"Connect {now}"}},
    {"FailedStartReconnectsAfter1000",
     {"a:1"},
     "start refused",
     "start",
     eLS_Login1,
     {"SetAddress {now}", "ReConnect 1000"}},
    {"StartWhileLoggingInOnlyLogs", {"a:1"}, "start", "start", eLS_Login1, {}},
    {"StartWhileLoggedInOnlyLogs", {"a:1"}, "start connected login", "start", 3, {}},
    {"StartWhileLoggingOutOnlyLogs", {"a:1"}, "start logout", "start", 100, {}},
    {"LogoutIdleIsUnLogin", {"a:1"}, "", "logout", 0, {}},
    {"LogoutConnectingDisconnects", {"a:1"}, "start", "logout", 100, {"Disconnect"}},
    {"LogoutThenConnectedDisconnects", {"a:1"}, "start logout", "connected", 0, {"Disconnect"}},
    {"LogoutThenRefusedIsUnLogin", {"a:1"}, "start logout", "refused", 0, {}},
    {"RefusedTriesNextAddress",
     {"a:1", "b:2", "c:3"},
     "start",
     "refused",
     eLS_Login1,
     {"SetAddress {next}", "ReConnect 1000"}},
    {"RefusedWithoutAddressLeftFails", {"a:1"}, "start", "refused", 4, {}},
    {"ConnectedSendsLogin", {"a:1"}, "start", "connected", eLS_Login1, {"ReqUserLogin"}},
    {"LoginAnswerDuringLogoutIgnored", {"a:1"}, "start connected logout", "login", 100, {}},
    {"WrongPasswordFailsForGood", {"a:1"}, "start connected", "error:21", 4, {"Disconnect"}},
    {"UnknownUserFailsForGood", {"a:1"}, "start connected", "error:20", 4, {"Disconnect"}},
    {"OtherLoginErrorRetries", {"a:1"}, "start connected", "error:5", 1, {"Disconnect"}},
    {"LoginSuccess", {"a:1"}, "start connected", "login", 3, {}},
    {"DropAfterFailedLoginStaysFailed", {"a:1"}, "start connected error:21", "drop", 4, {}},
    {"DropDuringLogoutIsUnLogin", {"a:1"}, "start connected logout", "drop", 0, {}},
    {"DropOfLoginReconnectsAfter2000",
     {"a:1", "b:2"},
     "start connected login",
     "drop",
     eLS_Login1,
     {"SetAddress {next}", "ReConnect 2000"}},
    {"DropOfLoginReconnectsEvenWithOneAddress",
     {"a:1"},
     "start connected login",
     "drop",
     eLS_Login1,
     {"SetAddress a:1", "ReConnect 2000"}},
    {"DropAfterRetryableRefusalTriesNext",
     {"a:1", "b:2"},
     "start connected error:5",
     "drop",
     1,
     {"SetAddress {next}", "ReConnect 2000"}},
    {"DropWithoutAddressLeftFails", {"a:1"}, "start", "drop", 4, {}},
    {"ErrorAnswerDisconnects", {"a:1"}, "start connected login", "rsp:7", 3, {"Disconnect"}},
    {"ErrorAnswerWithZeroIgnored", {"a:1"}, "start connected login", "rsp:0", 3, {}},
    // A logout that raced a connection must not log in again when the link then ends.
    {"DropAfterRacedLogoutStaysIdle", {"a:1", "b:2"}, "start logout connected", "drop", 0, {}},
    {"EmptyAddressListFailsWithoutConnecting", {}, "", "start", 4, {}},
};

INSTANTIATE_TEST_SUITE_P(LoginMachine, ConnecterStateTable, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             return std::string(info.param.name);
                         });

TEST(ClientConnecter, ThreeRefusingAddressesAreEachTriedOnceThenLoginFails)
{
    LogCapture log;
    Machine machine(Addresses({"a:1", "b:2", "c:3"}));
    machine.Run("start");
    const unsigned first = machine.connecter.GetCurrentIndex();
    machine.Run("refused refused");
    EXPECT_EQ(machine.connecter.GetStatus(), eLS_Login1);
    machine.Run("refused");

    EXPECT_EQ(machine.connecter.GetStatus(), eLS_LoginFailed);
    const wxArrayString all = Addresses({"a:1", "b:2", "c:3"});
    const std::vector<std::string> expected = {
        "Connect " + all[first].ToStdString(),
        "SetAddress " + all[(first + 1) % 3].ToStdString(),
        "ReConnect 1000",
        "SetAddress " + all[(first + 2) % 3].ToStdString(),
        "ReConnect 1000",
    };
    EXPECT_EQ(machine.api.calls, expected);
    EXPECT_TRUE(log.Contains("[demo] Trade Server Connect Failed"));
    EXPECT_TRUE(log.Contains("[demo] Trade Server Login Failed"));
    EXPECT_FALSE(machine.connecter.IsConnecting());
}

TEST(ClientConnecter, DroppedLoginCyclesThroughAddressesWithoutEnd)
{
    Machine machine(Addresses({"a:1", "b:2"}));
    machine.Run("start connected login drop");
    for(int i = 0; i < 5; ++i) {
        machine.Run("refused");
        EXPECT_EQ(machine.connecter.GetStatus(), eLS_Login1) << "attempt " << i;
    }
    machine.Run("connected login");
    EXPECT_EQ(machine.connecter.GetStatus(), eLS_LoginSuccess);
}

TEST(ClientConnecter, StartWhileLoggedInLogsTheStatus)
{
    LogCapture log;
    Machine machine(Addresses({"a:1"}));
    machine.Run("start connected login start");
    EXPECT_TRUE(log.Contains("[demo] Trade Server in Login Success"));
}

TEST(ClientConnecter, RefusedLoginLogsTheServerText)
{
    LogCapture log;
    Machine machine(Addresses({"a:1"}));
    machine.Run("start connected");
    machine.connecter.SetLoginResult(sFFixRspUserLogin{}, Result(21, "\xe5\xaf\x86\xe7\xa0\x81"));
    EXPECT_TRUE(log.Contains("[demo] Trade Server Login Failed: \xe5\xaf\x86\xe7\xa0\x81"));
}

TEST(ClientConnecter, StateStringReportsBlinkPhaseAndLogoutAsZero)
{
    Machine machine(Addresses({"a:1"}));
    machine.Run("start");
    EXPECT_EQ(machine.connecter.GetStatus(), eLS_Login1);
    EXPECT_TRUE(machine.connecter.IsChanged());
    EXPECT_EQ(machine.connecter.GetStateString(1), "Trade|1");
    EXPECT_FALSE(machine.connecter.IsChanged());
    EXPECT_EQ(machine.connecter.GetStateString(2), "Trade|2");

    machine.Run("logout");
    EXPECT_EQ(machine.connecter.GetStatus(), eLS_Logout);
    EXPECT_EQ(machine.connecter.GetStateString(2), "Trade|0");
    EXPECT_EQ(machine.connecter.GetStatusText(), "Logout");
}

TEST(ClientConnecter, StatusTexts)
{
    EXPECT_EQ(LoginStatusText(0), "UnLogin");
    EXPECT_EQ(LoginStatusText(1), "Login");
    EXPECT_EQ(LoginStatusText(2), "Login");
    EXPECT_EQ(LoginStatusText(3), "Login Success");
    EXPECT_EQ(LoginStatusText(4), "Login Failed");
    EXPECT_EQ(LoginStatusText(100), "Logout");
    EXPECT_EQ(LoginStatusText(7), "UnKnow");
}

TEST(ClientConnecter, LoginRequestCarriesFixedWidthCredentialsLocalIpAndIdOne)
{
    g_localIp = "10.1.2.3";
    const wxString name(wxString('n', 33)); // fills its field exactly
    Machine machine(Addresses({"a:1"}), name);
    machine.connecter.StartLogin("secret");
    machine.connecter.SetConnectResult(true);
    g_localIp.clear();

    ASSERT_EQ(machine.api.sent.size(), 1u);
    const auto& sent = machine.api.sent[0];
    EXPECT_EQ(sent.requestId, 1);
    ASSERT_EQ(sent.bytes.size(), sizeof(sFFixReqUserLogin));
    sFFixReqUserLogin request;
    std::memcpy(&request, sent.bytes.data(), sizeof request);
    EXPECT_EQ(std::string(request.loginName, 33), std::string(33, 'n'));
    EXPECT_EQ(std::string(request.password), "secret");
    EXPECT_EQ(std::string(request.localIp), "10.1.2.3");
    for(unsigned char byte : request.reserved2) {
        ASSERT_EQ(byte, 0);
    }
}

TEST(ClientConnecter, OverlongCredentialIsRefusedWithoutConnecting)
{
    LogCapture log;
    Machine longName(Addresses({"a:1"}), wxString('n', 34));
    longName.connecter.StartLogin("pw");
    EXPECT_EQ(longName.connecter.GetStatus(), eLS_LoginFailed);
    EXPECT_TRUE(longName.api.calls.empty());

    Machine longPassword(Addresses({"a:1"}));
    longPassword.connecter.StartLogin(wxString('p', 26));
    EXPECT_EQ(longPassword.connecter.GetStatus(), eLS_LoginFailed);
    EXPECT_TRUE(longPassword.api.calls.empty());

    Machine exactPassword(Addresses({"a:1"}));
    exactPassword.connecter.StartLogin(wxString('p', 25));
    EXPECT_EQ(exactPassword.api.calls, std::vector<std::string>{"Connect a:1"});
}

TEST(ClientConnecter, ReleasedLibraryIsNeverCalled)
{
    Machine machine(Addresses({"a:1"}));
    machine.connecter.SetApi(nullptr);
    machine.Run("start connected login drop");
    EXPECT_TRUE(machine.api.calls.empty());
}

} // namespace
