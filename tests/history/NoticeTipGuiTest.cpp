// The tip dialog over three bulletins: counter, button states and focus while
// stepping, the cursor's newest shown bulletin, the heading and body of the
// rich text, and how it ends.
#include "EventPump.h"
#include "FileEnvironment.h"
#include "NoticeFixtures.h"
#include "history/NoticeTipDialog.h"
#include "history/NoticeTipProvider.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/display.h>
#include <wx/richtext/richtextctrl.h>
#include <wx/stattext.h>
#include <wx/timer.h>

namespace {

NoticeEnvironment* const g_environment = AddFileEnvironment<NoticeEnvironment>(__FILE__);

void Click(wxButton* button)
{
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}

// The lines of the rich text as plain text.
wxArrayString Lines(wxRichTextCtrl* text)
{
    return wxSplit(text->GetValue(), '\n', '\0');
}

bool IsBoldAt(wxRichTextCtrl* text, long position)
{
    wxRichTextAttr attr;
    text->GetStyle(position, attr);
    return attr.GetFontWeight() == wxFONTWEIGHT_BOLD;
}

class NoticeTipTest : public ::testing::Test
{
protected:
    NoticeTipTest()
        : manager(ManagerWith(List({Item("C", "2026-12-07 08:30:00", "第一行\\n第二行\\n第三行"),
                                    Item("B", "2026-12-05 18:00:00", "只有一行"),
                                    Item("A", "2026-12-01 09:00:00", "a\\nb")})))
    {}

    std::unique_ptr<HistoryNoticeMgr> manager;
};

} // namespace

TEST_F(NoticeTipTest, SteppingThroughThreeBulletinsMovesCounterButtonsAndFocus)
{
    NoticeTipProvider tips(*manager, 0);
    NoticeTipDialog dialog(nullptr, &tips, true);
    dialog.Show();
    ASSERT_TRUE(PumpUntil([&] { return dialog.IsShownOnScreen(); }));
    EXPECT_EQ(dialog.GetCounter()->GetLabel(), "1 / 3");
    EXPECT_FALSE(dialog.GetPrevButton()->IsEnabled());
    EXPECT_TRUE(dialog.GetNextButton()->IsEnabled());
    EXPECT_TRUE(dialog.ShowAtStartup());
    EXPECT_EQ(Lines(dialog.GetTipControl())[0], "C");

    // Half the screen, in its middle.
    const wxRect screen = wxDisplay(&dialog).GetGeometry();
    EXPECT_EQ(dialog.GetSize(), wxSize(screen.width / 2, screen.height / 2));

    Click(dialog.GetNextButton());
    EXPECT_EQ(dialog.GetCounter()->GetLabel(), "2 / 3");
    EXPECT_TRUE(dialog.GetPrevButton()->IsEnabled());
    EXPECT_TRUE(dialog.GetNextButton()->IsEnabled());
    Click(dialog.GetNextButton());
    EXPECT_EQ(dialog.GetCounter()->GetLabel(), "3 / 3");
    EXPECT_FALSE(dialog.GetNextButton()->IsEnabled());
    EXPECT_TRUE(dialog.GetPrevButton()->IsEnabled());
    EXPECT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == dialog.GetPrevButton(); }))
        << "the focus leaves the disabled button";
    EXPECT_EQ(Lines(dialog.GetTipControl())[0], "A");
    EXPECT_EQ(tips.GetCurrentIndex(), 2u);
    EXPECT_EQ(tips.GetLowestIndex(), 0u);

    Click(dialog.GetNextButton()); // at the last: nothing moves
    EXPECT_EQ(dialog.GetCounter()->GetLabel(), "3 / 3");
    EXPECT_EQ(tips.GetCurrentIndex(), 2u);
}

TEST_F(NoticeTipTest, OpenedAtTheOldestAndSteppedBackTheCursorKeepsTheNewestShown)
{
    NoticeTipProvider tips(*manager, 2);
    NoticeTipDialog dialog(nullptr, &tips, false);
    dialog.Show();
    ASSERT_TRUE(PumpUntil([&] { return dialog.IsShownOnScreen(); }));
    EXPECT_EQ(dialog.GetCounter()->GetLabel(), "3 / 3");
    EXPECT_FALSE(dialog.ShowAtStartup());

    Click(dialog.GetPrevButton());
    EXPECT_EQ(tips.GetLowestIndex(), 1u);
    Click(dialog.GetPrevButton());
    EXPECT_EQ(dialog.GetCounter()->GetLabel(), "1 / 3");
    EXPECT_FALSE(dialog.GetPrevButton()->IsEnabled());
    Click(dialog.GetNextButton());
    EXPECT_EQ(tips.GetCurrentIndex(), 1u);
    EXPECT_EQ(tips.GetLowestIndex(), 0u) << "going older again keeps the newest one seen";
    Click(dialog.GetPrevButton());
    Click(dialog.GetPrevButton()); // at the first: nothing moves
    EXPECT_EQ(tips.GetCurrentIndex(), 0u);
}

TEST_F(NoticeTipTest, TheHeadingIsTheOnlyBoldTextAndEveryContentLineIsABodyLine)
{
    NoticeTipProvider tips(*manager, 1);
    NoticeTipDialog dialog(nullptr, &tips, true);
    wxRichTextCtrl* text = dialog.GetTipControl();

    const struct
    {
        wxString tip;
        std::vector<wxString> lines; // heading, blank line, body lines
    } cases[] = {
        {tips.GetTip(), {"B", "", wxString::FromUTF8("只有一行")}}, // no line break: one body line
        {tips.TipText(0),
         {"C", "", wxString::FromUTF8("第一行"), wxString::FromUTF8("第二行"), wxString::FromUTF8("第三行")}},
        {"Title only", {"Title only", ""}},
    };
    for(const auto& c : cases) {
        SCOPED_TRACE(c.tip.utf8_string());
        dialog.SetTipText(c.tip);
        const wxArrayString lines = Lines(text);
        ASSERT_GE(lines.size(), c.lines.size());
        for(size_t i = 0; i < c.lines.size(); ++i) {
            EXPECT_EQ(lines[i], c.lines[i]) << "line " << i;
        }
        for(size_t i = c.lines.size(); i < lines.size(); ++i) {
            EXPECT_TRUE(lines[i].empty()) << "nothing after the body: " << lines[i];
        }
        // The heading: bold and size 14; every body character: normal weight.
        EXPECT_TRUE(IsBoldAt(text, 0));
        wxRichTextAttr heading;
        text->GetStyle(0, heading);
        EXPECT_EQ(heading.GetFontSize(), 14);
        const long bodyStart = static_cast<long>(c.lines[0].length()) + 2;
        for(long position = bodyStart; position < text->GetLastPosition(); ++position) {
            EXPECT_FALSE(IsBoldAt(text, position)) << "position " << position;
        }
    }
}

TEST_F(NoticeTipTest, EveryWayOfClosingByHandEndsWithTheCloseId)
{
    NoticeTipProvider tips(*manager, 0);
    NoticeTipDialog dialog(nullptr, &tips, true);
    // A dialog that does not end would fail here rather than hang.
    wxTimer guard;
    guard.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { dialog.EndModal(wxID_ABORT); });

    const struct
    {
        const char* how;
        std::function<void()> close;
    } ways[] = {
        {"the close button",
         [&] { Click(dynamic_cast<wxButton*>(dialog.FindWindow(NoticeTipDialog::kCloseId))); }},
        {"the close box", [&] { dialog.Close(); }},
    };
    for(const auto& way : ways) {
        guard.StartOnce(5000);
        dialog.CallAfter(way.close);
        EXPECT_EQ(dialog.ShowModal(), NoticeTipDialog::kCloseId) << way.how;
        guard.Stop();
    }
}
