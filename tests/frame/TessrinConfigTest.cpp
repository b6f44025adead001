#include "common/TessrinConfig.h"

#include "common/ServerInfo.h"
#include "connection/ErrorTextTable.h"
#include "frame/TessrinErrorArray.h"
#include "frame/TessrinServerArray.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <pelmora/JSONRoot.h>
#include <pelmora/clConfig.h>
#include <vector>
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/filename.h>

namespace {

JSONElement Parse(const char* json)
{
    const JSONRoot root(wxString::FromUTF8(json));
    EXPECT_TRUE(root.isOk()) << json;
    return root.toElement(); // the element shares the document
}

std::vector<wxString> Names(const TessrinServerArray& servers)
{
    std::vector<wxString> names;
    for(const wxString& name : servers.GetServerNames()) {
        names.push_back(name);
    }
    return names;
}

std::vector<wxString> Texts(const wxArrayString& texts)
{
    return std::vector<wxString>(texts.begin(), texts.end());
}

std::vector<int> Ints(const wxArrayInt& ids)
{
    return std::vector<int>(ids.begin(), ids.end());
}

// A scratch Tessrin.con, removed with the test.
class ConfigFileTest : public ::testing::Test
{
protected:
    void Write(const char* json)
    {
        m_path = wxFileName::CreateTempFileName("tessrin-con");
        wxFFile file(m_path, "w");
        ASSERT_TRUE(file.IsOpened());
        file.Write(wxString::FromUTF8(json), wxConvUTF8);
    }
    ~ConfigFileTest() override
    {
        if(!m_path.empty()) {
            wxRemoveFile(m_path);
        }
    }
    wxString m_path;
};

} // namespace

TEST(ServerNameHash, IsTheFixedHashOfTheUtf8Bytes)
{
    // Fixed values: the order of names offered to the host depends on them.
    EXPECT_EQ(ServerNameHash(""), 0u);
    EXPECT_EQ(ServerNameHash("A"), 2654435834u);
    EXPECT_EQ(ServerNameHash("Demo"), 1333001477u);
    EXPECT_EQ(ServerNameHash(wxString::FromUTF8("模拟")), 1323161592u); // bytes above 0x7F sign-extended
}

TEST(ServerInfo, ReadsEveryKeyAndDefaultsTheMissingOnes)
{
    const ServerInfo full = ServerInfo::FromJSON(Parse(R"({"name":"Demo","mq":["127.0.0.1:7001"],
        "trade":["127.0.0.1:7000","127.0.0.1:7002"],"mdhistory":["http://127.0.0.1:8000"],
        "history":["http://127.0.0.1:8001"],"api":"OtherApi","noticehistory":["http://127.0.0.1:8002"],
        "reporthistory":["http://127.0.0.1:8003"]})"));
    EXPECT_EQ(full.name, "Demo");
    EXPECT_EQ(full.nameHash, 1333001477u);
    ASSERT_EQ(full.trade.size(), 2u);
    EXPECT_EQ(full.trade[1], "127.0.0.1:7002");
    EXPECT_EQ(full.mq[0], "127.0.0.1:7001");
    EXPECT_EQ(full.mdhistory[0], "http://127.0.0.1:8000");
    EXPECT_EQ(full.history[0], "http://127.0.0.1:8001");
    EXPECT_EQ(full.api, "OtherApi");
    EXPECT_EQ(full.noticehistory[0], "http://127.0.0.1:8002");
    EXPECT_EQ(full.reporthistory[0], "http://127.0.0.1:8003");

    const ServerInfo bare = ServerInfo::FromJSON(Parse(R"({"name":"Bare"})"));
    EXPECT_EQ(bare.api, "ClientApi");
    EXPECT_TRUE(bare.trade.empty());
    EXPECT_TRUE(bare.mq.empty());
    EXPECT_TRUE(bare.history.empty());

    const ServerInfo nameless = ServerInfo::FromJSON(Parse("{}"));
    EXPECT_EQ(nameless.name, "");
    EXPECT_EQ(nameless.nameHash, 0u);
}

TEST(ServerInfo, WritesTheEightKeysInFileOrderAndReadsThemBack)
{
    ServerInfo info;
    info.name = "Demo";
    info.trade.Add("127.0.0.1:7000");
    info.history.Add("http://127.0.0.1:8001");
    const JSONElement json = info.ToJSON();
    std::vector<std::string> keys;
    const JSONElement::Json value = json.value();
    for(const auto& member : value.items()) {
        keys.push_back(member.key());
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"name", "mq", "trade", "mdhistory", "history", "api",
                                              "noticehistory", "reporthistory"}));
    const ServerInfo back = ServerInfo::FromJSON(json);
    EXPECT_EQ(back.name, "Demo");
    EXPECT_EQ(back.trade[0], "127.0.0.1:7000");
    EXPECT_EQ(back.history[0], "http://127.0.0.1:8001");
    EXPECT_EQ(back.api, "ClientApi");
}

TEST(TessrinServerArray, OffersNamesInHashOrderNotFileOrder)
{
    TessrinServerArray servers;
    servers.FromJSON(Parse(R"([{"name":"Alpha"},{"name":"Beta"},{"name":"Gamma"}])"));
    // Hashes: Gamma 746228960 < Alpha 955490091 < Beta 1327112087.
    EXPECT_EQ(Names(servers), (std::vector<wxString>{"Gamma", "Alpha", "Beta"}));
}

TEST(TessrinServerArray, FirstRecordOfANameOrOfAHashWins)
{
    TessrinServerArray servers;
    // "ao" and "b0" are different names of one hash.
    servers.FromJSON(Parse(R"([{"name":"Demo","api":"First"},{"name":"Demo","api":"Second"},
                              {"name":"ao","api":"A"},{"name":"b0","api":"B"}])"));
    ASSERT_EQ(ServerNameHash("ao"), ServerNameHash("b0"));
    EXPECT_EQ(servers.GetServers().size(), 2u);
    ASSERT_NE(servers.FindServer("Demo"), nullptr);
    EXPECT_EQ(servers.FindServer("Demo")->api, "First");
    ASSERT_NE(servers.FindServer("ao"), nullptr);
    EXPECT_EQ(servers.FindServer("ao")->api, "A");
    // The shadowed name cannot be found, so it cannot be logged in to.
    EXPECT_EQ(servers.FindServer("b0"), nullptr);
    EXPECT_EQ(servers.FindServer("Nowhere"), nullptr);
}

TEST(TessrinServerArray, ReadingAgainReplacesTheListAndANonArrayEmptiesIt)
{
    TessrinServerArray servers;
    servers.FromJSON(Parse(R"([{"name":"Alpha"},{"name":"Beta"}])"));
    servers.FromJSON(Parse(R"([{"name":"Gamma"}])"));
    EXPECT_EQ(Names(servers), std::vector<wxString>{"Gamma"});
    servers.FromJSON(Parse(R"({"name":"NotAList"})"));
    EXPECT_TRUE(servers.GetServers().empty());
}

TEST(TessrinServerArray, WritesAnArrayNamedServerInMapOrder)
{
    TessrinServerArray servers;
    servers.FromJSON(Parse(R"([{"name":"Beta"},{"name":"Alpha"}])"));
    const JSONElement json = servers.ToJSON();
    EXPECT_EQ(json.getName(), "server");
    ASSERT_EQ(json.arraySize(), 2);
    EXPECT_EQ(json.arrayItem(0).namedObject("name").toString(), "Alpha");
    EXPECT_EQ(json.arrayItem(1).namedObject("name").toString(), "Beta");
}

TEST(TessrinErrorArray, KeepsFileOrderAndEntersAMissingIdUnderMinusOne)
{
    TessrinErrorArray errors;
    errors.FromJSON(Parse(R"([{"error":"无效的会话，请重新登录","id":1},{"error":"no id"},{"id":7}])"));
    ASSERT_EQ(errors.GetErrors().size(), 3u);
    EXPECT_EQ(errors.GetErrors()[0].id, 1);
    EXPECT_EQ(errors.GetErrors()[0].error, wxString::FromUTF8("无效的会话，请重新登录"));
    EXPECT_EQ(errors.GetErrors()[1].id, -1);
    EXPECT_EQ(errors.GetErrors()[1].error, "no id");
    EXPECT_EQ(errors.GetErrors()[2].error, "");

    const JSONElement json = errors.ToJSON();
    EXPECT_EQ(json.getName(), "errors");
    EXPECT_EQ(json.arrayItem(1).namedObject("id").toInt(0), -1);
    EXPECT_EQ(json.arrayItem(1).namedObject("error").toString(), "no id");
}

TEST(TessrinErrorArray, LaterEntryOfACodeWinsAndEveryCodeCountsAsConfigured)
{
    TessrinErrorArray errors;
    errors.FromJSON(Parse(R"([{"error":"first","id":31},{"error":"second","id":31},{"error":"new","id":500},
                             {"error":"orphan"}])"));
    ErrorTextTable table;
    table.InitErrorTexts();
    errors.ApplyTo(table);
    EXPECT_EQ(table.GetErrorText(31), "second");
    EXPECT_TRUE(table.HasErrorText(31));
    EXPECT_EQ(table.GetErrorText(500), "new");
    EXPECT_TRUE(table.HasErrorText(-1));
    EXPECT_FALSE(table.HasErrorText(1)); // built in, not configured
}

TEST(MarketIds, KeepsTheNumbersAndSkipsEverythingElse)
{
    EXPECT_EQ(Ints(TessrinConfig::ParseMarketIds("")), std::vector<int>{});
    EXPECT_EQ(Ints(TessrinConfig::ParseMarketIds("3,x,5")), (std::vector<int>{3, 5}));
    EXPECT_EQ(Ints(TessrinConfig::ParseMarketIds("12")), std::vector<int>{12});
    EXPECT_EQ(Ints(TessrinConfig::ParseMarketIds(" 3 , 5 ")), (std::vector<int>{3, 5}));
    EXPECT_EQ(Ints(TessrinConfig::ParseMarketIds("-2,,7")), (std::vector<int>{-2, 7}));
    EXPECT_EQ(Ints(TessrinConfig::ParseMarketIds("4.5,0x10,9abc,99999999999")), std::vector<int>{});
}

TEST(MarketIds, AnEscapedCommaJoinsTwoPiecesIntoOneThatIsNoNumber)
{
    EXPECT_EQ(Ints(TessrinConfig::ParseMarketIds("3\\,4,5")), std::vector<int>{5});
}

TEST(TessrinConfig, WithoutAFileEveryKeyReadsItsDefault)
{
    const TessrinConfig config(nullptr);
    EXPECT_TRUE(config.GetMarketIds().empty());
    EXPECT_FALSE(config.IsHideStoreOrderPane());
    EXPECT_FALSE(config.IsShowInoutInBrower());
    EXPECT_TRUE(config.IsShowErrMsgBox());
    EXPECT_FALSE(config.IsShowExpireWeekSel());
    EXPECT_EQ(config.GetDefaultPointDiff(), 20);
    EXPECT_EQ(config.GetDefaultSymbolPointDiffs(), "");
    EXPECT_EQ(config.GetBiMode(), "1");
    EXPECT_EQ(config.GetQuickBtnColours(), "#FF8040,#4080F0,#40FF80");
    EXPECT_FALSE(config.IsShowBonusPoint());
    EXPECT_EQ(config.GetShowMultiMargin(), "false");
    EXPECT_EQ(config.GetStoreNames(), "");
}

TEST_F(ConfigFileTest, MissingKeysOfARealFileReadTheirDefaults)
{
    Write(R"({"server":[]})");
    clConfig file(m_path);
    const TessrinConfig config(&file);
    EXPECT_TRUE(config.IsShowErrMsgBox());
    EXPECT_EQ(config.GetDefaultPointDiff(), 20);
    EXPECT_EQ(config.GetQuickBtnColours(), "#FF8040,#4080F0,#40FF80");
    EXPECT_TRUE(config.GetMarketIds().empty());
}

TEST_F(ConfigFileTest, ReadsEveryKeyAndBothItemsFromTheFile)
{
    Write(R"({
        "server": [{"name":"Beta","trade":["127.0.0.1:7000"]},{"name":"Alpha"}],
        "errors": [{"error":"会话失效","id":1}],
        "markets": "3,x,5",
        "HideStoreOrderPane": true, "ShowInoutInBrower": true, "showErrMsgBox": false,
        "ShowExpireWeekSel": true, "defaultPointDiff": 35, "defaultSymbolPointDiffs": "1:10,2:20",
        "BiMode": "2", "QuickBtnColours": "#000000,#111111,#222222", "ShowBonusPoint": true,
        "ShowMultiMargin": "TRUE", "StoreNames": "华北一号库,East\\,Dock 2"})");
    clConfig file(m_path);
    const TessrinConfig config(&file);
    EXPECT_EQ(Ints(config.GetMarketIds()), (std::vector<int>{3, 5}));
    EXPECT_TRUE(config.IsHideStoreOrderPane());
    EXPECT_TRUE(config.IsShowInoutInBrower());
    EXPECT_FALSE(config.IsShowErrMsgBox());
    EXPECT_TRUE(config.IsShowExpireWeekSel());
    EXPECT_EQ(config.GetDefaultPointDiff(), 35);
    EXPECT_EQ(config.GetDefaultSymbolPointDiffs(), "1:10,2:20");
    EXPECT_EQ(config.GetBiMode(), "2");
    EXPECT_EQ(config.GetQuickBtnColours(), "#000000,#111111,#222222");
    EXPECT_TRUE(config.IsShowBonusPoint());
    EXPECT_EQ(config.GetShowMultiMargin(), "TRUE");
    EXPECT_EQ(config.GetStoreNames(), wxString::FromUTF8("华北一号库,East\\,Dock 2"));

    TessrinServerArray servers;
    ASSERT_TRUE(file.ReadItem(&servers));
    EXPECT_EQ(Names(servers), (std::vector<wxString>{"Alpha", "Beta"}));
    EXPECT_EQ(servers.FindServer("Beta")->trade[0], "127.0.0.1:7000");

    TessrinErrorArray errors;
    ASSERT_TRUE(file.ReadItem(&errors));
    ASSERT_EQ(errors.GetErrors().size(), 1u);
    EXPECT_EQ(errors.GetErrors()[0].error, wxString::FromUTF8("会话失效"));
}

TEST_F(ConfigFileTest, AFileWithoutItemsLeavesTheServerListEmpty)
{
    Write(R"({"markets": 7})");
    clConfig file(m_path);
    TessrinServerArray servers;
    EXPECT_FALSE(file.ReadItem(&servers));
    EXPECT_TRUE(servers.GetServers().empty());
    // A number written without quotes still names one market.
    EXPECT_EQ(Ints(TessrinConfig(&file).GetMarketIds()), std::vector<int>{7});
}

TEST_F(ConfigFileTest, DemoTemplateFilledWithPortsGivesTheDemoServer)
{
    const char* source = std::getenv("TESSRIN_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    wxString text;
    ASSERT_TRUE(
        wxFFile(wxString(source) + "/plugins/tessrin/frame/Tessrin.con.in").ReadAll(&text, wxConvUTF8));
    text.Replace("@TRADE1_PORT@", "7001");
    text.Replace("@TRADE2_PORT@", "7002");
    text.Replace("@MD_PORT@", "7003");
    text.Replace("@HTTP_PORT@", "8080");
    ASSERT_FALSE(text.Contains("@"));
    Write(text.utf8_str());

    clConfig file(m_path);
    TessrinServerArray servers;
    ASSERT_TRUE(file.ReadItem(&servers));
    const ServerInfo* demo = servers.FindServer("Demo");
    ASSERT_NE(demo, nullptr);
    EXPECT_EQ(Texts(demo->trade), (std::vector<wxString>{"127.0.0.1:7001", "127.0.0.1:7002"}));
    EXPECT_EQ(Texts(demo->mq), std::vector<wxString>{"127.0.0.1:7003"});
    for(const wxArrayString* http :
        {&demo->mdhistory, &demo->history, &demo->noticehistory, &demo->reporthistory}) {
        EXPECT_EQ(Texts(*http), std::vector<wxString>{"http://127.0.0.1:8080"});
    }
    EXPECT_EQ(demo->api, "ClientApi");
    const TessrinConfig config(&file);
    EXPECT_TRUE(config.GetMarketIds().empty());
    EXPECT_TRUE(config.IsShowErrMsgBox());
    EXPECT_EQ(config.GetDefaultPointDiff(), 20);
}
