#include "FakeHost.h"
#include "app/PluginExports.h"
#include "common/SettingsAccessors.h"
#include "connection/ErrorTextTable.h"
#include "connection/RequestId.h"
#include "connection/RequestNotify.h"
#include "db/RecordStore.h"
#include "frame/TessrinPlugin.h"

#include <gtest/gtest.h>
#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <pelmora/PluginInfo.h>
#include <wx/dcmemory.h>

namespace {

const char* const kDemoCon = R"({
    "server": [
        {"name": "Alpha", "trade": ["127.0.0.1:7000"], "mq": ["127.0.0.1:7001"]},
        {"name": "Beta", "api": "OtherApi"},
        {"name": "Gamma"},
        {"name": "Alpha", "api": "Shadowed"}
    ],
    "errors": [{"error": "会话已失效", "id": 1}, {"error": "no id"}],
    "markets": "3,x,5",
    "ShowMultiMargin": "True"
})";

class PluginTest : public ::testing::Test
{
protected:
    explicit PluginTest(const char* con = kDemoCon) : m_host(con)
    {
        m_plugin = static_cast<TessrinPlugin*>(CreatePlugin(&m_host));
    }
    ~PluginTest() override
    {
        if(m_plugin) {
            m_plugin->UnPlug();
            delete m_plugin; // as the host does after UnPlug
        }
    }

    static wxArrayString OfferedServerNames()
    {
        wxArrayString names;
        EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_QUERY_SERVER_NAMES, &names);
        return names;
    }

    FakeHost m_host;
    TessrinPlugin* m_plugin;
};

// Whether the 16 by 16 square at `at` of `drawn` shows the image exactly.
bool ShowsImage(const wxImage& drawn, const wxPoint& at, const wxImage& image)
{
    for(int y = 0; y < 16; ++y) {
        for(int x = 0; x < 16; ++x) {
            if(drawn.GetRed(at.x + x, at.y + y) != image.GetRed(x, y) ||
               drawn.GetGreen(at.x + x, at.y + y) != image.GetGreen(x, y) ||
               drawn.GetBlue(at.x + x, at.y + y) != image.GetBlue(x, y)) {
                return false;
            }
        }
    }
    return true;
}

class PluginWithoutConfigTest : public PluginTest
{
protected:
    PluginWithoutConfigTest() : PluginTest(nullptr) {}
};

} // namespace

TEST_F(PluginTest, CreatePluginMakesOneObjectAndStartsItOnce)
{
    ASSERT_NE(m_plugin, nullptr);
    EXPECT_EQ(g_plugin, m_plugin);
    RecordStore* db = m_plugin->GetDatabase();
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(CreatePlugin(&m_host), m_plugin);
    EXPECT_EQ(m_plugin->GetDatabase(), db); // no second start-up
    EXPECT_EQ(m_plugin->FirstNameField(), "TessrinPlugin");
    EXPECT_EQ(m_plugin->SecondNameField(), "Kestrava trade plugin");
}

TEST_F(PluginTest, StartupReadsServersMarketsAndErrorTexts)
{
    wxArrayString expected;
    expected.Add("Gamma"); // ascending name hash
    expected.Add("Alpha");
    expected.Add("Beta");
    EXPECT_EQ(OfferedServerNames(), expected);
    const ServerInfo* alpha = m_plugin->GetServerItem().FindServer("Alpha");
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(alpha->api, "ClientApi"); // the first record of the name
    EXPECT_EQ(alpha->trade[0], "127.0.0.1:7000");
    EXPECT_EQ(m_plugin->GetServerItem().FindServer("Beta")->api, "OtherApi");

    ASSERT_EQ(m_plugin->GetMarketIds().size(), 2u);
    EXPECT_EQ(m_plugin->GetMarketIds()[0], 3);
    EXPECT_EQ(m_plugin->GetMarketIds()[1], 5);

    ErrorTextTable* errors = m_plugin->GetErrorTable();
    ASSERT_NE(errors, nullptr);
    EXPECT_EQ(errors, g_errorTable);
    EXPECT_TRUE(errors->HasErrorText(1));
    EXPECT_EQ(errors->GetErrorText(1), wxString::FromUTF8("会话已失效"));
    EXPECT_EQ(errors->GetErrorText(-1), "no id");
    EXPECT_EQ(errors->GetErrorText(21), wxString::FromUTF8("用户名或口令错误")); // built in
    EXPECT_FALSE(errors->HasErrorText(21));
    EXPECT_TRUE(IsShowMultiMargin());
}

TEST_F(PluginWithoutConfigTest, MissingConfigurationFileStillStartsWithBuiltInTexts)
{
    ASSERT_NE(m_plugin, nullptr);
    EXPECT_TRUE(OfferedServerNames().empty());
    EXPECT_TRUE(m_plugin->GetMarketIds().empty());
    ASSERT_NE(m_plugin->GetConfig(), nullptr);
    ASSERT_NE(m_plugin->GetErrorTable(), nullptr);
    EXPECT_EQ(m_plugin->GetErrorTable()->GetErrorText(0), wxString::FromUTF8("成功"));
    EXPECT_FALSE(m_plugin->GetErrorTable()->HasErrorText(1));
    EXPECT_FALSE(IsShowMultiMargin());
}

TEST_F(PluginTest, OutputLogWritesTitleLineFeedTextAsANotice)
{
    m_plugin->OutputLog("Market Trade", "XAU buy 1 @ 4520.5\nsecond line");
    ASSERT_EQ(m_host.appended.size(), 1u);
    EXPECT_EQ(m_host.appended[0].title, "Market Trade");
    EXPECT_EQ(m_host.appended[0].body, "XAU buy 1 @ 4520.5\nsecond line");
    EXPECT_EQ(m_host.appended[0].flags, 0x800);
}

TEST_F(PluginTest, OutputLogWithoutAnOutputWindowIsDropped)
{
    m_host.withOutput = false;
    m_plugin->OutputLog("Market Trade", "lost");
    EXPECT_TRUE(m_host.appended.empty());
}

TEST_F(PluginTest, LoginUserIsTheFirstAccountOnceAccountsArrive)
{
    EXPECT_EQ(m_plugin->GetLoginUser(), nullptr);
    user_Account account;
    account.accountKey = 42;
    account.accountName = "demo";
    ASSERT_TRUE(m_plugin->GetDatabase()->m_user_Account_table->Insert(account).second);
    const user_Account* user = m_plugin->GetLoginUser();
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(user->accountKey, 42);
}

TEST_F(PluginTest, BeforeLoginThereIsNoTradeApiButARegistryAndRequestIds)
{
    EXPECT_EQ(m_plugin->GetTradeApi(), nullptr);
    RequestNotify* registry = m_plugin->GetRequestNotify();
    ASSERT_NE(registry, nullptr);
    EXPECT_EQ(m_plugin->GetRequestNotify(), registry);
    EXPECT_EQ(RequestNotify::Get(), registry);
    const int before = g_requestId;
    EXPECT_EQ(m_plugin->NextRequestId(), before + 1);
    EXPECT_EQ(NextRequestId(), before + 2); // one counter for every sender
}

TEST_F(PluginTest, SymbolsOfEveryMarketTypePassThePluginsObserver)
{
    // Symbols of every market type pass the plug-in's own observer.
    symbol_Info symbol;
    for(char type : {'1', '2', '3', '4'}) {
        symbol.symbolId = type;
        symbol.marketType = type;
        EXPECT_TRUE(m_plugin->GetDatabase()->m_symbol_Info_table->Insert(symbol).second);
    }
    EXPECT_EQ(m_plugin->GetDatabase()->m_symbol_Info_table->GetIndexByPrimary().size(), 4u);
}

TEST_F(PluginTest, StatusFieldsOutsideOneToSixOrBeforeTheStatusBarAreIgnored)
{
    EXPECT_TRUE(m_plugin->GetStatusItems().empty());
    m_plugin->SetStatusField(0, "x");
    m_plugin->SetStatusField(6, "2026-12-08 10:00:00");
    m_plugin->SetStatusField(7, "x");
    EXPECT_TRUE(m_plugin->GetStatusItems().empty());
}

TEST_F(PluginTest, ConnectionIconsFollowTheLoginStateLeftToRight)
{
    wxBitmap bitmap(120, 20, 24);
    wxPoint position(2, 2);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxBLACK_BRUSH);
        dc.Clear();
        for(long state : {3L, 2L, 0L, 4L, 1L}) {
            m_plugin->DrawStatusIcon(dc, "127.0.0.1:7000", state, position);
        }
    }
    EXPECT_EQ(position, wxPoint(2 + 5 * (16 + 5), 2));
    const wxImage drawn = bitmap.ConvertToImage();
    BitmapLoader& images = *m_host.GetImageLoader();
    const wxImage success = images.LoadBitmap("common/16/login_success").ConvertToImage();
    const wxImage failed = images.LoadBitmap("common/16/login_failed").ConvertToImage();
    const wxImage unlogin = images.LoadBitmap("common/16/unlogin").ConvertToImage();
    EXPECT_TRUE(ShowsImage(drawn, wxPoint(2, 2), success));
    EXPECT_TRUE(ShowsImage(drawn, wxPoint(23, 2), failed));
    EXPECT_TRUE(ShowsImage(drawn, wxPoint(44, 2), unlogin));
    EXPECT_TRUE(ShowsImage(drawn, wxPoint(65, 2), failed));
    EXPECT_TRUE(ShowsImage(drawn, wxPoint(86, 2), unlogin));
    EXPECT_FALSE(ShowsImage(drawn, wxPoint(2, 2), failed)); // the images differ
}

TEST_F(PluginTest, UnPlugReleasesWhatStartupBuiltAndLeavesTheBus)
{
    RequestNotify::Get();
    m_plugin->UnPlug();
    EXPECT_EQ(m_plugin->GetConfig(), nullptr);
    EXPECT_EQ(m_plugin->GetDatabase(), nullptr);
    EXPECT_EQ(m_plugin->GetErrorTable(), nullptr);
    EXPECT_EQ(g_errorTable, nullptr);
    EXPECT_EQ(RequestNotify::GetIfExists(), nullptr);
    EXPECT_TRUE(OfferedServerNames().empty());
    EXPECT_EQ(m_plugin->GetLoginUser(), nullptr);
}

TEST_F(PluginTest, DestroyedPluginIsNotHandedOutAgain)
{
    m_plugin->UnPlug();
    delete m_plugin;
    m_plugin = nullptr;
    EXPECT_EQ(g_plugin, nullptr);
    m_plugin = static_cast<TessrinPlugin*>(CreatePlugin(&m_host));
    ASSERT_NE(m_plugin, nullptr);
    EXPECT_NE(m_plugin->GetDatabase(), nullptr);
}

TEST(PluginInfoExport, DescribesThePlugin)
{
    EXPECT_EQ(GetPluginInterfaceVersion(), 1000);
    PluginInfo info;
    GetPluginInfo(info);
    EXPECT_EQ(info.GetAuthor(), "Kestrava");
    EXPECT_EQ(info.GetName(), "TessrinPlugin");
    EXPECT_EQ(info.GetDescription(), "Kestrava trade plugin");
    EXPECT_EQ(info.GetVersion(), "v1.0");
}
