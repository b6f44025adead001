#include "pelmora/pmStatusBar.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace {
class StatusBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "status", wxDefaultPosition, wxSize(900, 300));
        m_bar = new pmStatusBar(m_frame);
        m_frame->SetStatusBar(m_bar);
        m_frame->Show();
    }
    void TearDown() override
    {
        m_frame->Destroy();
        wxTheApp->ProcessIdle();
    }

    wxFrame* m_frame = nullptr;
    pmStatusBar* m_bar = nullptr;
};

TEST_F(StatusBarTest, EachItemHoldsItsWindowAndKnowsItsField)
{
    auto* button = new wxButton(m_bar, wxID_ANY, "Q");
    auto* icons = new wxStaticBitmap(m_bar, wxID_ANY, wxNullBitmap);
    pmStatusBarItem* first = m_bar->AppendItem(3, button, 1, 1, 2, 0);
    pmStatusBarItem* text = m_bar->AppendItem(100, nullptr, 5, 2, 5, 0);
    pmStatusBarItem* stretch = m_bar->AppendItem(-1, nullptr, 5, 2, 5, 0);
    pmStatusBarItem* iconItem = m_bar->AppendItem(40, icons, 5, 2, 5, 0);
    first->fitWindow = true; // the 3 pixels asked for cannot hold the button
    m_bar->Relayout();

    EXPECT_EQ(0, first->field);
    EXPECT_EQ(1, text->field);
    EXPECT_EQ(2, stretch->field);
    EXPECT_EQ(3, iconItem->field);
    EXPECT_EQ(button, first->window);
    EXPECT_EQ(icons, iconItem->window);
    EXPECT_FALSE(first->ownsWindow);
    ASSERT_NE(nullptr, text->window);
    EXPECT_TRUE(text->ownsWindow);
    EXPECT_NE(nullptr, dynamic_cast<wxStaticText*>(text->window));
    EXPECT_EQ(m_bar, text->window->GetParent());
    EXPECT_EQ(4, m_bar->GetFieldsCount());
    EXPECT_EQ(iconItem, m_bar->GetItem(3));
    EXPECT_EQ(nullptr, m_bar->GetItem(4));

    // Every window sits inside its own field, margins taken off.
    for(size_t i = 0; i < m_bar->GetItemCount(); ++i) {
        const pmStatusBarItem* item = m_bar->GetItem(i);
        wxRect field;
        ASSERT_TRUE(m_bar->GetFieldRect(item->field, field));
        const wxRect placed = item->window->GetRect();
        EXPECT_GE(placed.x, field.x + item->marginLeft) << "field " << i;
        EXPECT_LE(placed.GetRight(), field.GetRight()) << "field " << i;
    }
}

TEST_F(StatusBarTest, AFittedItemWidensToItsWindow)
{
    auto* button = new wxButton(m_bar, wxID_ANY, "A rather long label");
    pmStatusBarItem* item = m_bar->AppendItem(3, button, 1, 1, 2, 0);
    item->fitWindow = true;
    m_bar->AppendItem(100, nullptr, 5, 2, 5, 0); // relays out the bar
    wxRect field;
    ASSERT_TRUE(m_bar->GetFieldRect(item->field, field));
    EXPECT_GE(field.width, button->GetBestSize().GetWidth());
}

TEST_F(StatusBarTest, TextGoesIntoTheFieldsOwnLabelAndIsObserved)
{
    std::vector<std::pair<int, wxString>> seen;
    m_bar->SetTextObserver([&seen](int field, const wxString& text) { seen.emplace_back(field, text); });
    auto* button = new wxButton(m_bar, wxID_ANY, "Q");
    m_bar->AppendItem(3, button, 1, 1, 2, 0);
    pmStatusBarItem* account = m_bar->AppendItem(100, nullptr, 5, 2, 5, 0);

    m_bar->SetStatusText("Account [alice]", account->field);
    // On as many lines as the field needs.
    wxString shown = static_cast<wxStaticText*>(account->window)->GetLabel();
    shown.Replace("\n", " ");
    EXPECT_EQ("Account [alice]", shown);
    EXPECT_EQ("Account [alice]", m_bar->GetStatusText(account->field));
    EXPECT_EQ("Q", button->GetLabel()); // a window of the caller's is not written over

    m_bar->SetStatusText("nowhere", 9);
    m_bar->SetStatusText("nowhere", -1);
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(1, seen[0].first);
    EXPECT_EQ("Account [alice]", seen[0].second);
    EXPECT_EQ("", m_bar->GetStatusText(9));
}
TEST_F(StatusBarTest, AFittedLabelWidensToItsTextAndACutTextShowsWholeAsATip)
{
    pmStatusBarItem* clock = m_bar->AppendItem(10, nullptr, 5, 2, 5, 0);
    clock->fitWindow = true;
    pmStatusBarItem* account = m_bar->AppendItem(60, nullptr, 5, 2, 5, 0);

    const wxString time = "2026-12-09 13:16:15";
    m_bar->SetStatusText(time, clock->field);
    EXPECT_GE(clock->window->GetSize().GetWidth(), clock->window->GetTextExtent(time).GetWidth());
    EXPECT_EQ(clock->window->GetToolTipText(), "");
    // The same text in a larger font is measured again.
    clock->window->SetFont(clock->window->GetFont().Scaled(1.5f));
    m_bar->Relayout();
    EXPECT_GE(clock->window->GetSize().GetWidth(), clock->window->GetTextExtent(time).GetWidth());

    const wxString line = "[ Spot ] Status [Normal] Balance [200000.00] Frozen [5803.20]";
    m_bar->SetStatusText(line, account->field);
    EXPECT_EQ(account->window->GetToolTipText(), line);
    m_bar->SetStatusText("short", account->field);
    EXPECT_EQ(account->window->GetToolTipText(), "");
}
} // namespace
