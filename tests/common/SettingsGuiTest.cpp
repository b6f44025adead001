#include "common/ChartViewPanelGlobalConfig.h"
#include "common/SettingsAccessors.h"
#include "common/TessrinPluginConfig.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <pelmora/Archive.h>
#include <pelmora/EditorConfig.h>
#include <pelmora/EventNotifier.h>
#include <string>
#include <vector>
#include <wx/app.h>
#include <wx/debug.h>
#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/xrc/xmlres.h>

namespace {

// Each test gets its own empty settings store and records every settings
// broadcast that reaches the host's event bus.
class SettingsTest : public ::testing::Test
{
protected:
    SettingsTest()
    {
        m_folder = wxFileName::CreateTempFileName("tessrin-settings");
        wxRemoveFile(m_folder);
        wxFileName::Mkdir(m_folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        setenv("PELMORA_USER_DATA_DIR", m_folder.utf8_str(), 1);
        EditorConfigST::Free();
        m_type = wxXmlResource::GetXRCID("systemSettingChanged");
        EventNotifier::Get()->Bind(wxEventTypeTag<wxCommandEvent>(m_type), &SettingsTest::OnChanged, this);
    }
    ~SettingsTest() override
    {
        Broadcasts(); // nothing is left for the next test
        EventNotifier::Get()->Unbind(wxEventTypeTag<wxCommandEvent>(m_type), &SettingsTest::OnChanged, this);
        EditorConfigST::Free();
        wxFileName::Rmdir(m_folder, wxPATH_RMDIR_RECURSIVE);
    }

    // The ids of the broadcasts queued since the last call.
    std::vector<int> Broadcasts()
    {
        // One event per call: drain the queue.
        for(int pass = 0; pass < 100 && wxTheApp->HasPendingEvents(); ++pass) {
            wxTheApp->ProcessPendingEvents();
        }
        std::vector<int> ids;
        ids.swap(m_ids);
        return ids;
    }
    static int Id(const char* key) { return wxXmlResource::GetXRCID(key); }
    static EditorConfig& Store() { return *EditorConfigST::Get(); }

    std::vector<int> m_ids;

private:
    void OnChanged(wxCommandEvent& event)
    {
        ASSERT_EQ(event.GetEventType(), m_type);
        m_ids.push_back(event.GetId());
    }

    wxString m_folder;
    int m_type = 0;
};

} // namespace

TEST_F(SettingsTest, LockScreenIntervalIsOffOrAtLeastAMinute)
{
    EXPECT_EQ(GetLockScreenInterval(), 0);
    Store().SaveLongValue("LockScreenInterval", 0);
    EXPECT_EQ(GetLockScreenInterval(), 0);
    Store().SaveLongValue("LockScreenInterval", 30);
    EXPECT_EQ(GetLockScreenInterval(), 60);
    Store().SaveLongValue("LockScreenInterval", 300);
    EXPECT_EQ(GetLockScreenInterval(), 300);
}

TEST_F(SettingsTest, LockScreenIntervalIsStoredAsGivenAndAnnouncedEveryTime)
{
    SetLockScreenInterval(30);
    long stored = 0;
    ASSERT_TRUE(Store().GetLongValue("LockScreenInterval", stored));
    EXPECT_EQ(stored, 30);
    SetLockScreenInterval(30);
    EXPECT_EQ(Broadcasts(), (std::vector<int>{Id("LockScreenInterval"), Id("LockScreenInterval")}));
}

TEST_F(SettingsTest, NoticeIntervalIsAtLeastThirtySeconds)
{
    EXPECT_EQ(GetNoticeMsgUpdInterval(), 30);
    Store().SaveLongValue("NoticeMsgUpdInterval", 10);
    EXPECT_EQ(GetNoticeMsgUpdInterval(), 30);
    Store().SaveLongValue("NoticeMsgUpdInterval", 45);
    EXPECT_EQ(GetNoticeMsgUpdInterval(), 45);
}

TEST_F(SettingsTest, SwitchesReadTheirDefaultsWhenNothingIsStored)
{
    EXPECT_FALSE(IsOrderPreConfirm());
    EXPECT_FALSE(IsBinOpOrderSucessPrompt());
    EXPECT_TRUE(IsNoticeStartShow());
    EXPECT_FALSE(IsShowTranscationPanel());
    EXPECT_TRUE(IsShowMultiOrderDialog());
    EXPECT_FALSE(IsShowInOutUrlInBrower());
    EXPECT_EQ(GetDblClickHoldDetailClose(), 2);
    EXPECT_EQ(GetShowSoldBodyCandleStick(), std::make_pair(true, true));
    EXPECT_TRUE(Broadcasts().empty());
}

TEST_F(SettingsTest, SwitchesAreStoredAsOneAndZero)
{
    SetOrderPreConfirm(true);
    SetBinOpOrderSucessPrompt(true);
    SetNoticeStartShow(false);
    SetShowTranscationPanel(true);
    SetShowMultiOrderDialog(false);
    SetShowInOutUrlInBrower(true);
    EXPECT_TRUE(IsOrderPreConfirm());
    EXPECT_TRUE(IsBinOpOrderSucessPrompt());
    EXPECT_FALSE(IsNoticeStartShow());
    EXPECT_TRUE(IsShowTranscationPanel());
    EXPECT_FALSE(IsShowMultiOrderDialog());
    EXPECT_TRUE(IsShowInOutUrlInBrower());

    long value = -1;
    ASSERT_TRUE(Store().GetLongValue("orderPreConfirmChk", value));
    EXPECT_EQ(value, 1);
    ASSERT_TRUE(Store().GetLongValue("NoticeStartShow", value));
    EXPECT_EQ(value, 0);
    // Any non-zero value reads as on.
    Store().SaveLongValue("orderPreConfirmChk", 7);
    EXPECT_TRUE(IsOrderPreConfirm());
}

TEST_F(SettingsTest, AlwaysAnnouncedSettersBroadcastEvenWithoutAChange)
{
    SetOrderPreConfirm(false);
    SetBinOpOrderSucessPrompt(false);
    SetNoticeStartShow(true);
    SetShowSoldBodyCandleStick({true, true});
    EXPECT_EQ(Broadcasts(), (std::vector<int>{Id("orderPreConfirmChk"), Id("BinOpOrderSucessPrompt"),
                                              Id("NoticeStartShow"), Id("showSoldBodyCandleStick")}));
}

TEST_F(SettingsTest, ChangeOnlySettersStayQuietWhenTheValueIsUnchanged)
{
    SetShowTranscationPanel(false);
    SetShowMultiOrderDialog(true);
    SetShowInOutUrlInBrower(false);
    SetDblClickHoldDetailClose(2);
    EXPECT_TRUE(Broadcasts().empty());
    long value = 0;
    EXPECT_FALSE(Store().GetLongValue("ShowMultiOrderDialog", value)); // nothing stored either

    SetShowTranscationPanel(true);
    SetShowMultiOrderDialog(false);
    SetShowInOutUrlInBrower(true);
    SetDblClickHoldDetailClose(1);
    EXPECT_EQ(Broadcasts(), (std::vector<int>{Id("m_bShowTranscationPanel"), Id("ShowMultiOrderDialog"),
                                              Id("ShowInOutUrlInBrower"), Id("DblClickHoldDetailClose")}));
}

TEST_F(SettingsTest, BroadcastIsQueuedNotSentInsideTheSetter)
{
    SetNoticeStartShow(false);
    EXPECT_TRUE(m_ids.empty());
    EXPECT_EQ(Broadcasts().size(), 1u);
}

TEST_F(SettingsTest, DoubleClickOpensANewOrderOnlyForTheExactWordOpen)
{
    EXPECT_EQ(GetDblClickHoldDetailClose(), 2);
    Store().SaveStringValue("DblClickHoldDetailClose", "close");
    EXPECT_EQ(GetDblClickHoldDetailClose(), 2);
    Store().SaveStringValue("DblClickHoldDetailClose", "Open");
    EXPECT_EQ(GetDblClickHoldDetailClose(), 2);
    Store().SaveStringValue("DblClickHoldDetailClose", "open");
    EXPECT_EQ(GetDblClickHoldDetailClose(), 1);
}

TEST_F(SettingsTest, DoubleClickSetterStoresOpenForOneAndCloseForAnythingElse)
{
    SetDblClickHoldDetailClose(1);
    EXPECT_EQ(Store().GetStringValue("DblClickHoldDetailClose"), "open");
    SetDblClickHoldDetailClose(7);
    EXPECT_EQ(Store().GetStringValue("DblClickHoldDetailClose"), "close");
    Broadcasts();
    // 3 means the close dialog just as 2 does: no change, no broadcast.
    SetDblClickHoldDetailClose(3);
    EXPECT_TRUE(Broadcasts().empty());
}

TEST_F(SettingsTest, CandleBodiesReadFromTheShowHideWords)
{
    Store().SaveStringValue("showSoldBodyCandleStick", "HIDE");
    EXPECT_EQ(GetShowSoldBodyCandleStick(), std::make_pair(false, true));
    Store().SaveStringValue("showSoldBodyCandleStick", "show,hide");
    EXPECT_EQ(GetShowSoldBodyCandleStick(), std::make_pair(true, false));
    Store().SaveStringValue("showSoldBodyCandleStick", "Show,SHOW");
    EXPECT_EQ(GetShowSoldBodyCandleStick(), std::make_pair(true, true));
    Store().SaveStringValue("showSoldBodyCandleStick", "solid,hollow");
    EXPECT_EQ(GetShowSoldBodyCandleStick(), std::make_pair(false, false));

    SetShowSoldBodyCandleStick({false, true});
    EXPECT_EQ(Store().GetStringValue("showSoldBodyCandleStick"), "hide,show");
    SetShowSoldBodyCandleStick({true, false});
    EXPECT_EQ(GetShowSoldBodyCandleStick(), std::make_pair(true, false));
}

TEST_F(SettingsTest, NotifyTypesHaveFixedKeysAndDefaultOn)
{
    EXPECT_EQ(NotifyTypeToStr(eNotifyMarketOpen), "ShowNotifyMarketOpen");
    EXPECT_EQ(NotifyTypeToStr(eNotifyLimitOrder), "ShowNotifyLimitOrder");
    EXPECT_EQ(NotifyTypeToStr(eNotifyClosedOrder), "ShowNotifyClosedOrder");
    EXPECT_EQ(NotifyTypeToStr(eNotifyInOutMoney), "ShowNotifyInOutMoney");
    EXPECT_EQ(NotifyTypeToStr(eNotifyMinTrader), "ShowNotifyMinTrader");
    for(int type = 0; type <= 4; ++type) {
        EXPECT_TRUE(IsShowNotify(type)) << type;
    }
    Store().SaveLongValue("ShowNotifyClosedOrder", 0);
    EXPECT_FALSE(IsShowNotify(eNotifyClosedOrder));
    EXPECT_TRUE(IsShowNotify(eNotifyLimitOrder));
}

TEST_F(SettingsTest, UnknownNotifyTypeAssertsAndGivesTheEmptyKey)
{
    static int assertions = 0;
    assertions = 0;
    wxAssertHandler_t previous = wxSetAssertHandler(
        [](const wxString&, int, const wxString&, const wxString&, const wxString&) { ++assertions; });
    const wxString key = NotifyTypeToStr(5);
    wxSetAssertHandler(previous);
    EXPECT_EQ(key, "");
    EXPECT_EQ(assertions, 1);
}

TEST_F(SettingsTest, MultiMarginIsOffWithoutThePlugin)
{
    EXPECT_FALSE(IsShowMultiMargin());
}

TEST_F(SettingsTest, ChartColoursKeepTheirDefaultsWhenNothingIsStored)
{
    const ChartViewPanelGlobalConfig config;
    EXPECT_EQ(config.GetCandUpColour(), wxColour(0xCC, 0x00, 0x00));
    EXPECT_EQ(config.GetCandDownColour(), wxColour(0x00, 0x99, 0x00));
    EXPECT_EQ(config.GetBarUpColour(), wxColour(0xFF, 0x33, 0x33));
    EXPECT_EQ(config.GetBarDownColour(), wxColour(0x33, 0xCC, 0x33));
    EXPECT_EQ(config.GetBackgroundColour(), wxColour(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(config.GetForegroundColour(), wxColour(0x01, 0x01, 0x01));
    EXPECT_TRUE(config.IsShowGrid());
}

TEST_F(SettingsTest, ChartColoursAreSavedAnnouncedAndReadBack)
{
    {
        ChartViewPanelGlobalConfig config;
        config.SetCandUpColour(wxColour(0x12, 0x34, 0x56));
        config.SetBackgroundColour(wxColour(0, 0, 0));
        config.SetShowGrid(false);
        config.Save();
    }
    EXPECT_EQ(Broadcasts(), std::vector<int>{Id("CharViewPanelMgr")});
    EditorConfigST::Free(); // read the file afresh
    const ChartViewPanelGlobalConfig config;
    EXPECT_EQ(config.GetCandUpColour(), wxColour(0x12, 0x34, 0x56));
    EXPECT_EQ(config.GetBackgroundColour(), wxColour(0, 0, 0));
    EXPECT_EQ(config.GetCandDownColour(), wxColour(0x00, 0x99, 0x00));
    EXPECT_FALSE(config.IsShowGrid());
}

TEST_F(SettingsTest, ChartColoursAreWrittenAsHtmlTextsForegroundBeforeBackground)
{
    ChartViewPanelGlobalConfig config;
    Archive archive;
    config.Serialize(archive);
    const JSONElement::Json stored = archive.GetElement().value();
    std::vector<std::string> keys;
    for(const auto& member : stored.items()) {
        keys.push_back(member.key());
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"m_candUpColour", "m_candDownColour", "m_barUpColour",
                                              "m_barDownColour", "m_foregroundColour", "m_backgroundColour",
                                              "m_bShowGrid"}));
    EXPECT_EQ(stored["m_candUpColour"], "#CC0000");
    EXPECT_EQ(stored["m_foregroundColour"], "#010101");
    EXPECT_EQ(stored["m_bShowGrid"], true);
}

TEST_F(SettingsTest, ChartColourThatIsNoColourKeepsTheDefault)
{
    Archive archive;
    archive.Write("m_candUpColour", "not a colour");
    archive.Write("m_candDownColour", "#0000FF");
    ChartViewPanelGlobalConfig config;
    config.DeSerialize(archive);
    EXPECT_EQ(config.GetCandUpColour(), wxColour(0xCC, 0x00, 0x00));
    EXPECT_EQ(config.GetCandDownColour(), wxColour(0x00, 0x00, 0xFF));
    EXPECT_TRUE(config.IsShowGrid());
}

TEST_F(SettingsTest, PluginConfigKeepsTheChartPagesAcrossRuns)
{
    {
        TessrinPluginConfig config;
        wxArrayString views;
        views.Add("XAG");
        views.Add("XAU");
        views.Add("HangOrder");
        config.SetLastShowChartViews(views);
        config.SetLastActiveChartView("XAU");
        ASSERT_TRUE(config.Save());
    }
    EditorConfigST::Free();
    TessrinPluginConfig loaded;
    ASSERT_TRUE(loaded.Load());
    ASSERT_EQ(loaded.GetLastShowChartViews().size(), 3u);
    EXPECT_EQ(loaded.GetLastShowChartViews()[2], "HangOrder");
    EXPECT_EQ(loaded.GetLastActiveChartView(), "XAU");

    const TessrinPluginConfig copy(loaded);
    EXPECT_EQ(copy.GetLastShowChartViews(), loaded.GetLastShowChartViews());
    EXPECT_EQ(copy.GetLastActiveChartView(), "XAU");
}

TEST_F(SettingsTest, PluginConfigWithNothingStoredStaysEmpty)
{
    TessrinPluginConfig config;
    EXPECT_FALSE(config.Load());
    EXPECT_TRUE(config.GetLastShowChartViews().empty());
    EXPECT_TRUE(config.GetLastActiveChartView().empty());
}
