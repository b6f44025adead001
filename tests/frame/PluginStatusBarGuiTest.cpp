// The plug-in's fields in the host's status bar.
#include "DrawnContrast.h"
#include "EventPump.h"
#include "FakeHost.h"
#include "app/PluginExports.h"
#include "common/SettingsAccessors.h"
#include "db/RecordStore.h"
#include "frame/TessrinPlugin.h"

#include <gtest/gtest.h>
#include <map>
#include <pelmora/pmColourButton.h>
#include <pelmora/pmStatusBar.h>
#include <wx/frame.h>
#include <wx/statbmp.h>

namespace {

class StatusBarHost : public FakeHost
{
public:
    StatusBarHost() : FakeHost("{}")
    {
        m_bar = new pmStatusBar(GetMainFrame());
        GetMainFrame()->SetStatusBar(m_bar);
        m_bar->SetTextObserver([this](int field, const wxString& text) {
            texts[field] = text;
            ++writes[field];
        });
    }
    pmStatusBar* GetHostStatusBar() override { return m_bar; }

    std::map<int, wxString> texts;
    std::map<int, int> writes;

private:
    pmStatusBar* m_bar; // owned by the frame
};

class PluginStatusBarTest : public ::testing::Test
{
protected:
    PluginStatusBarTest() { m_plugin = static_cast<TessrinPlugin*>(CreatePlugin(&m_host)); }
    ~PluginStatusBarTest() override
    {
        if(m_plugin) {
            m_plugin->UnPlug();
            delete m_plugin;
        }
    }

    pmColourButton* QuickOrderButton() const
    {
        pmStatusBarItem* item = m_host.GetHostStatusBar()->GetItem(0);
        return item ? dynamic_cast<pmColourButton*>(item->window) : nullptr;
    }

    mutable StatusBarHost m_host;
    TessrinPlugin* m_plugin;
};

} // namespace

TEST_F(PluginStatusBarTest, StartupAddsSevenFieldsWithTheQuickOrderButtonFirst)
{
    pmStatusBar* bar = m_host.GetHostStatusBar();
    ASSERT_EQ(bar->GetItemCount(), 7u);
    const std::vector<pmStatusBarItem*> items = m_plugin->GetStatusItems();
    ASSERT_EQ(items.size(), 7u);
    const int widths[] = {3, 100, -1, 100, 50, 56, 100};
    for(int field = 0; field < 7; ++field) {
        ASSERT_EQ(items[field], bar->GetItem(field));
        EXPECT_EQ(items[field]->field, field);
        EXPECT_EQ(items[field]->width, widths[field]) << field;
        // The button and the text fields but the rotating line grow to what they show.
        EXPECT_EQ(items[field]->fitWindow, field != 2 && field != 5) << field;
    }
    ASSERT_NE(QuickOrderButton(), nullptr);
    EXPECT_EQ(QuickOrderButton()->GetBackgroundColour(), wxColour(255, 147, 255));
    EXPECT_EQ(QuickOrderButton()->GetForegroundColour(), wxColour(255, 0, 255));
    EXPECT_NE(dynamic_cast<wxStaticBitmap*>(items[5]->window), nullptr);
    // The button's field is at least as wide as the button.
    wxRect rect;
    ASSERT_TRUE(bar->GetFieldRect(0, rect));
    EXPECT_GE(rect.width, QuickOrderButton()->GetBestSize().GetWidth());
}

TEST_F(PluginStatusBarTest, FieldsOneToSixShowTheirTextsAndOthersAreIgnored)
{
    m_plugin->SetStatusField(1, "Demo User|demo");
    m_plugin->SetStatusField(2, "Risk 12%");
    m_plugin->SetStatusField(3, "2026-12-08");
    m_plugin->SetStatusField(4, "Demo");
    m_plugin->SetStatusField(6, "2026-12-08 10:00:00");
    m_plugin->SetStatusField(0, "button");
    m_plugin->SetStatusField(7, "none");
    const std::map<int, wxString> expected = {{1, "Account [Demo User|demo]"},
                                              {2, "Risk 12%"},
                                              {3, "Trading Day [2026-12-08]"},
                                              {4, "Demo"},
                                              {6, "2026-12-08 10:00:00"}};
    EXPECT_EQ(m_host.texts, expected);
    pmStatusBar* bar = m_host.GetHostStatusBar();
    EXPECT_EQ(bar->GetStatusText(1), "Account [Demo User|demo]");
    EXPECT_EQ(bar->GetStatusText(3), "Trading Day [2026-12-08]");

    // The clock, told the time at each 500 ms tick, is written once a second.
    server_time clock{1, wxDateTime(8, wxDateTime::Dec, 2026, 10, 0, 1)};
    for(int ms : {0, 100, 500, 500}) { // the first adds the row
        clock.serverTime += wxTimeSpan::Milliseconds(ms);
        m_plugin->GetDatabase()->m_server_time_table->Upsert(clock);
    }
    EXPECT_EQ(m_host.writes[6], 3);
    EXPECT_EQ(bar->GetStatusText(6), "2026-12-08 10:00:02");
}

TEST_F(PluginStatusBarTest, ConnectionStateIsDrawnNotWritten)
{
    auto* icons = dynamic_cast<wxStaticBitmap*>(m_plugin->GetStatusItems()[5]->window);
    ASSERT_NE(icons, nullptr);
    m_plugin->SetStatusField(5, "Demo\nalice\nTrade|3\nMd|2");
    EXPECT_TRUE(m_host.texts.empty());
    EXPECT_TRUE(icons->GetBitmap().IsOk());
    EXPECT_EQ(icons->GetBitmap().GetSize(), icons->GetSize());
    // Both icons show, the market data's too: 16 pixels each, 5 apart, in a margin of 2.
    EXPECT_GE(icons->GetSize().x, 2 + 16 + 5 + 16 + 2);
}

TEST_F(PluginStatusBarTest, TheAccountLineReadsAtFourAndAHalfToOneInEveryColourItIsGiven)
{
    m_host.GetMainFrame()->SetSize(1280, 800);
    m_host.GetMainFrame()->Show();
    m_plugin->SetStatusField(2, "[ Energy ] Status [Normal] Balance [30000.00]");
    wxWindow& line = *m_plugin->GetStatusItems()[2]->window;
    ASSERT_TRUE(PumpUntil([&] { return line.IsShownOnScreen(); }));
    for(int colour = 0; colour < static_cast<int>(StatusColour::Count); ++colour) {
        m_plugin->SetStatusFieldColour(2, static_cast<StatusColour>(colour));
        line.Refresh();
        line.Update();
        PumpEvents();
        EXPECT_GE(DrawnContrast(line.GetScreenRect()), 4.5) << "colour " << colour;
    }
    m_plugin->SetStatusFieldColour(9, StatusColour::Blue); // no such field: ignored
}

TEST_F(PluginStatusBarTest, TheQuickOrderButtonTogglesTheQuickOrderSetting)
{
    SetShowTranscationPanel(false);
    ASSERT_NE(QuickOrderButton(), nullptr);
    QuickOrderButton()->Click();
    EXPECT_TRUE(IsShowTranscationPanel());
    QuickOrderButton()->Click();
    EXPECT_FALSE(IsShowTranscationPanel());
}

TEST_F(PluginStatusBarTest, AfterUnPlugTheFieldsStayButNoLongerReachThePlugin)
{
    SetShowTranscationPanel(false);
    pmColourButton* button = QuickOrderButton();
    m_plugin->UnPlug();
    EXPECT_TRUE(m_plugin->GetStatusItems().empty());
    m_plugin->SetStatusField(1, "late");
    EXPECT_TRUE(m_host.texts.empty());
    delete m_plugin;
    m_plugin = nullptr;
    ASSERT_NE(QuickOrderButton(), nullptr);
    button->Click();
    EXPECT_FALSE(IsShowTranscationPanel());
}
