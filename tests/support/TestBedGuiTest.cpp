// The logged-in test bed itself: the plug-in in the real host window logs in
// to the demo market and sees the demo account's tables; host commands,
// output notices, modal boxes, a restart over the same folders and a second
// market work as later window tests will use them.
#include "TestBed.h"

#include <algorithm>
#include <common/SettingsAccessors.h>
#include <common/TessrinConfig.h>
#include <connection/Client.h>
#include <db/RecordStore.h>
#include <frame/TessrinPlugin.h>
#include <history/NoticeTipDialog.h>
#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <pelmora/Notebook.h>
#include <pelmora/pmStatusBar.h>
#include <set>
#include <wx/app.h>
#include <wx/aui/auibar.h>
#include <wx/menu.h>
#include <wx/xrc/xmlres.h>

namespace {

std::set<int> AccountKeys(RecordStore& store)
{
    std::set<int> keys;
    for(const auto& account : store.m_user_Account_table->GetIndexByPrimary()) {
        keys.insert(account.accountKey);
    }
    return keys;
}

std::set<int> MarketAccountKeys(const nlohmann::json& state, int userId)
{
    std::set<int> keys;
    for(const auto& account : state.at("accounts")) {
        if(account.at("userId").get<int>() == userId) {
            keys.insert(account.at("key").get<int>());
        }
    }
    return keys;
}

std::set<int> SymbolIds(RecordStore& store)
{
    std::set<int> ids;
    for(const auto& symbol : store.m_symbol_Info_table->GetIndexByPrimary()) {
        ids.insert(symbol.symbolId);
    }
    return ids;
}

std::set<int> MarketSymbolIds(const nlohmann::json& state)
{
    std::set<int> ids;
    for(const auto& price : state.at("prices")) {
        ids.insert(price.at("symbol").get<int>());
    }
    return ids;
}

// The logins of the market's logged-in sessions.
std::multiset<std::string> LoggedInSessions(const SimProcess& market)
{
    std::multiset<std::string> logins;
    const nlohmann::json state = market.State();
    if(!state.is_object()) {
        return logins;
    }
    for(const auto& session : state.at("sessions")) {
        if(session.value("loggedIn", false)) {
            logins.insert(session.value("login", std::string()));
        }
    }
    return logins;
}

// The commands a test binds where plug-ins bind theirs: on the application.
class CommandSpy
{
public:
    explicit CommandSpy(int id) : m_id(id) { wxTheApp->Bind(wxEVT_MENU, &CommandSpy::OnCommand, this, id); }
    ~CommandSpy() { wxTheApp->Unbind(wxEVT_MENU, &CommandSpy::OnCommand, this, m_id); }
    int calls = 0;

private:
    void OnCommand(wxCommandEvent& event) { calls += event.GetId() == m_id ? 1 : 0; }
    int m_id;
};

// Records the notice clicks that reach the bus.
class NoticeSpy
{
public:
    NoticeSpy() { EventNotifier::Get()->Bind(wxEVT_CMD_NOTICE_CLICKED, &NoticeSpy::OnClick, this); }
    ~NoticeSpy() { EventNotifier::Get()->Unbind(wxEVT_CMD_NOTICE_CLICKED, &NoticeSpy::OnClick, this); }
    std::vector<wxString> titles;

private:
    void OnClick(wxCommandEvent& event)
    {
        event.Skip();
        titles.push_back(*static_cast<const wxString*>(event.GetClientData()));
    }
};

} // namespace

TEST(TestBed, PluginInTheHostWindowLogsInToTheDemoMarketAndHoldsItsTables)
{
    TestBed bed;
    ASSERT_TRUE(bed.Start());
    TessrinPlugin& plugin = bed.Plugin();
    TestHost& host = bed.Host();

    // The host window as the real host builds it, with the plug-in's tool bar.
    wxAuiManager& aui = *host.Manager().GetAuiManager();
    for(const char* pane : {"Navigator", "Output", "Log", "Editor"}) {
        EXPECT_TRUE(aui.GetPane(pane).IsOk()) << pane;
    }
    ASSERT_NE(plugin.GetToolBar(), nullptr);
    EXPECT_TRUE(aui.GetPane(plugin.GetToolBar()).IsOk());
    EXPECT_NE(host.Manager().GetWorkspaceBook(), nullptr);
    EXPECT_NE(host.Manager().GetOutputBook(), nullptr);
    EXPECT_NE(host.Manager().GetCentreBook(), nullptr);
    ASSERT_NE(host.Manager().GetHostStatusBar(), nullptr);
    EXPECT_GE(host.Manager().GetHostStatusBar()->GetItemCount(), 7u);

    // The demo account's tables as the market holds them.
    const nlohmann::json state = bed.Market().State();
    ASSERT_TRUE(state.is_object());
    EXPECT_EQ(AccountKeys(bed.Store()), MarketAccountKeys(state, 1001));
    EXPECT_EQ(AccountKeys(bed.Store()), (std::set<int>{11, 12, 13, 14}));
    EXPECT_EQ(SymbolIds(bed.Store()), MarketSymbolIds(state));
    EXPECT_EQ(bed.GetClient()->GetUserId(), 1001);
    EXPECT_EQ(LoggedInSessions(bed.Market()), (std::multiset<std::string>{"demo", "demo"}));
    // The plug-in changed the host's own menus: its item added; the money
    // items held back are put back by the account pane, as the demo user has
    // several accounts.
    wxMenuBar* menus = host.Frame().GetMenuBar();
    EXPECT_NE(menus->FindItem(wxXmlResource::GetXRCID("modify_password")), nullptr);
    EXPECT_TRUE(
        PumpUntil([&] { return menus->FindItem(wxXmlResource::GetXRCID("transfer_Acc")) != nullptr; }));
    EXPECT_NE(menus->FindItem(wxXmlResource::GetXRCID("in_money")), nullptr);

    // The server record of the login, with the market's HTTP lists.
    const ServerInfo* server = plugin.GetLoginServer();
    ASSERT_NE(server, nullptr);
    EXPECT_EQ(server->name, "Demo");
    ASSERT_FALSE(server->noticehistory.empty());
    EXPECT_EQ(server->noticehistory[0], bed.Market().HttpBase());
    EXPECT_EQ(server->mdhistory[0], bed.Market().HttpBase());
    EXPECT_EQ(server->history[0], bed.Market().HttpBase());

    // The bed's switches: no error boxes, no bulletin tips at start.
    EXPECT_FALSE(plugin.ReadConfigBool("showErrMsgBox", true));
    EXPECT_FALSE(IsNoticeStartShow());
    bed.SetConfigValue("showErrMsgBox", true); // a switch changed while loaded is read at once
    EXPECT_TRUE(plugin.ReadConfigBool("showErrMsgBox", false));
    bed.SetConfigValue("showErrMsgBox", false);

    // Notices reach the output window's list, and a click reaches the bus.
    plugin.OutputLog("Market Trade[T1]", "bought");
    ASSERT_FALSE(host.appended.empty());
    EXPECT_EQ(host.appended.back().title, "Market Trade[T1]");
    EXPECT_EQ(host.appended.back().body, "bought");
    NoticeSpy notices;
    EXPECT_TRUE(host.Output().ClickEntry(host.Output().GetEntryCount() - 1));
    EXPECT_EQ(notices.titles, std::vector<wxString>{"Market Trade[T1]"});

    // Commands as the host sends them: to the application, where plug-ins
    // bind theirs, whether or not the host has a menu item for them.
    CommandSpy report(wxXmlResource::GetXRCID("Sales_report"));
    EXPECT_TRUE(host.SendMenuCommand("Sales_report"));
    EXPECT_EQ(report.calls, 1);
    CommandSpy zoom(wxXmlResource::GetXRCID("chart_zoom_in"));
    EXPECT_TRUE(host.SendMenuCommand("chart_zoom_in"));
    EXPECT_EQ(zoom.calls, 1);
    // A tool of the plug-in's tool bar goes the same way.
    EXPECT_TRUE(host.ClickTool("Sales_report"));
    EXPECT_EQ(report.calls, 2);
    EXPECT_FALSE(host.ClickTool("no_such_tool"));

    // A kick-out shows the plug-in's box, answered for the user, and tells the host.
    ASSERT_EQ(bed.Market().Post("/admin/kick?user=demo"), 200);
    ASSERT_TRUE(PumpUntil([&] { return host.kicked == 1; }));
    ASSERT_FALSE(bed.Dialogs().Seen().empty());
    EXPECT_EQ(bed.Dialogs().Seen().back().message, "User Kicked");
    EXPECT_EQ(bed.Dialogs().Seen().back().answer, wxID_CANCEL);

    // The host's own menu item logs out: the plug-in drops its Client and record.
    ASSERT_TRUE(bed.Login());
    EXPECT_TRUE(host.SendMenuCommand("logout"));
    EXPECT_FALSE(plugin.GetClient());
    EXPECT_EQ(plugin.GetLoginServer(), nullptr);
    EXPECT_TRUE(PumpUntil([&] { return LoggedInSessions(bed.Market()).empty(); }));
}

TEST(TestBed, ARestartReadsTheSameFoldersAndASecondMarketHasItsOwnServerRecord)
{
    TestBed bed;
    SimProcess& second = bed.AddMarket("Second");
    bed.SetConfigValue("HideStoreOrderPane", true);
    ASSERT_TRUE(bed.Start());
    EXPECT_TRUE(TessrinConfig(bed.Plugin().GetConfig()).IsHideStoreOrderPane());

    // A setting stored while loaded is read again after the restart. With it
    // on, each login's first bulletins open the notice box: closed here.
    SetNoticeStartShow(true);
    for(int login = 0; login < 2; ++login) {
        bed.Dialogs().AnswerWith(NoticeTipDialog::kCloseId, [](wxDialog& dialog) {
            return DialogScript::ClassNameOf(dialog) == "NoticeTipDialog";
        });
    }
    bed.Logout();
    ASSERT_TRUE(bed.Login("demo", "demo123", "Second"));
    const ServerInfo* server = bed.Plugin().GetLoginServer();
    ASSERT_NE(server, nullptr);
    EXPECT_EQ(server->name, "Second");
    EXPECT_EQ(server->trade[0], second.TradeAddress(0));
    EXPECT_EQ(LoggedInSessions(second), (std::multiset<std::string>{"demo", "demo"}));
    EXPECT_TRUE(PumpUntil([&] { return LoggedInSessions(bed.Market()).empty(); }));

    ASSERT_TRUE(bed.Restart());
    EXPECT_TRUE(IsNoticeStartShow());
    EXPECT_EQ(bed.Plugin().GetLoginServer()->name, "Second"); // the restart logs in as before
    EXPECT_EQ(AccountKeys(bed.Store()), (std::set<int>{11, 12, 13, 14}));
    EXPECT_TRUE(TessrinConfig(bed.Plugin().GetConfig()).IsHideStoreOrderPane());
}
