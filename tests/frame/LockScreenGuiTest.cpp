#include "ScreenshotSaver.h"
#include "frame/LockScreen.h"
#include "frame/PasswordDigest.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <pelmora/SafeKeyboard.h>
#include <vector>
#include <wx/app.h>
#include <wx/display.h>
#include <wx/timer.h>

namespace {

// The lock screen with its message box replaced by a record.
class RecordingLockScreen : public LockScreen
{
public:
    using LockScreen::LockScreen;
    void Click(wxWindow* button)
    {
        wxCommandEvent click(wxEVT_BUTTON, button->GetId());
        click.SetEventObject(button);
        button->ProcessWindowEvent(click);
    }

    std::vector<std::pair<wxString, wxString>> messages;

protected:
    void ShowMessage(const wxString& message, const wxString& caption) override
    {
        messages.emplace_back(message, caption);
    }
};

// Shows the dialog modally, runs `act` inside its loop, and gives up after
// five seconds so that a dialog that does not end cannot hang the test.
int RunModal(RecordingLockScreen& dialog, std::function<void()> act)
{
    wxTimer guard;
    guard.Bind(wxEVT_TIMER, [&dialog](wxTimerEvent&) {
        ADD_FAILURE() << "the lock screen did not end";
        dialog.EndModal(-1);
    });
    guard.StartOnce(5000);
    wxTheApp->CallAfter(std::move(act));
    return dialog.ShowModal();
}

TEST(LockScreenLayout, ShowsThePromptThePasswordFieldTheKeyboardAndTheUnlockButton)
{
    RecordingLockScreen dialog(PasswordDigest("pw"));
    EXPECT_EQ("loginPassword:", dialog.GetStaticTextPassword()->GetLabel());
    EXPECT_EQ("unlockScreen", dialog.GetButtonUnlock()->GetLabel());
    EXPECT_TRUE(dialog.GetTextCtrlPassword()->HasFlag(wxTE_PASSWORD));
    const wxBitmap keyboard = dialog.GetBmpButtonKeyboard()->GetBitmapLabel();
    ASSERT_TRUE(keyboard.IsOk());
    EXPECT_EQ(wxSize(24, 24), keyboard.GetSize());
    EXPECT_FALSE(dialog.HasFlag(wxCAPTION));
    EXPECT_FALSE(dialog.HasFlag(wxCLOSE_BOX));
    EXPECT_EQ(wxSize(600, 200), dialog.GetPanelBox()->GetSize());
    EXPECT_TRUE(dialog.GetTitle().empty());
    EXPECT_EQ(nullptr, dialog.GetParent());
}

TEST(LockScreenUnlock, TheLoginPasswordEndsTheDialogWithZero)
{
    RecordingLockScreen dialog(PasswordDigest("Trade#2026"));
    wxString hint;
    bool screenshot = false;
    const int result = RunModal(dialog, [&] {
        hint = dialog.GetTextCtrlPassword()->GetHint();
        screenshot = SaveWindowScreenshot(&dialog, "lock_screen.png");
        dialog.GetTextCtrlPassword()->SetValue("Trade#2026");
        dialog.Click(dialog.GetButtonUnlock());
    });
    EXPECT_EQ(0, result);
    EXPECT_EQ("Input Password", hint);
    EXPECT_TRUE(dialog.messages.empty());
    EXPECT_TRUE(screenshot);
}

TEST(LockScreenUnlock, AWrongPasswordTellsTheUserAndKeepsTheDialogAndTheText)
{
    RecordingLockScreen dialog(PasswordDigest("right"));
    bool stillShown = false;
    wxString kept;
    const int result = RunModal(dialog, [&] {
        dialog.GetTextCtrlPassword()->SetValue("wrong");
        dialog.Click(dialog.GetButtonUnlock());
        stillShown = dialog.IsModal();
        kept = dialog.GetTextCtrlPassword()->GetValue();
        dialog.GetTextCtrlPassword()->SetValue("right");
        dialog.Click(dialog.GetButtonUnlock());
    });
    EXPECT_EQ(0, result);
    EXPECT_TRUE(stillShown);
    EXPECT_EQ("wrong", kept);
    ASSERT_EQ(1u, dialog.messages.size());
    EXPECT_EQ("password is wrong,please check again!", dialog.messages[0].first);
    EXPECT_EQ("prompt message", dialog.messages[0].second);
}

TEST(LockScreenUnlock, APasswordTypedOnTheOnScreenKeyboardUnlocksLikeATypedOne)
{
    RecordingLockScreen dialog(PasswordDigest("Ab1"));
    const int result = RunModal(dialog, [&] {
        SafeKeyboard keyboard(&dialog, dialog.KeyboardPosition(), dialog.GetTextCtrlPassword());
        keyboard.ToggleShift();
        keyboard.TypeKey("a");
        keyboard.ToggleShift();
        keyboard.TypeKey("b");
        keyboard.TypeKey("1");
        dialog.Click(dialog.GetButtonUnlock());
    });
    EXPECT_EQ(0, result);
    EXPECT_TRUE(dialog.messages.empty());
}

TEST(LockScreenUnlock, WithoutALoginDigestNoPasswordUnlocks)
{
    RecordingLockScreen dialog{wxMemoryBuffer(16)};
    const int result = RunModal(dialog, [&] {
        dialog.GetTextCtrlPassword()->SetValue("");
        dialog.Click(dialog.GetButtonUnlock());
        dialog.EndModal(7);
    });
    EXPECT_EQ(7, result);
    EXPECT_EQ(1u, dialog.messages.size());
}

TEST(LockScreenUnlock, ClosingOrEscapeDoesNotGetPastThePassword)
{
    RecordingLockScreen dialog(PasswordDigest("pw"));
    bool afterClose = false;
    bool afterEscape = false;
    const int result = RunModal(dialog, [&] {
        dialog.Close(false);
        afterClose = dialog.IsModal();
        wxKeyEvent escape(wxEVT_CHAR_HOOK);
        escape.m_keyCode = WXK_ESCAPE;
        dialog.ProcessWindowEvent(escape);
        afterEscape = dialog.IsModal();
        dialog.GetTextCtrlPassword()->SetValue("pw");
        dialog.Click(dialog.GetButtonUnlock());
    });
    EXPECT_EQ(0, result);
    EXPECT_TRUE(afterClose);
    EXPECT_TRUE(afterEscape);
}

TEST(LockScreenKeyboard, TheScreenIsCoveredAndTheKeyboardOpensAboveTheLockBox)
{
    RecordingLockScreen dialog(PasswordDigest("pw"));
    wxRect keyboardRect;
    wxRect boxRect;
    wxRect covered;
    wxPoint asked;
    const int result = RunModal(dialog, [&] {
        asked = dialog.KeyboardPosition();
        boxRect = dialog.GetPanelBox()->GetScreenRect();
        covered = dialog.GetScreenRect();
        // The keyboard's own loop: look where it is, then close it.
        wxTheApp->CallAfter([&] {
            for(wxWindow* window : wxTopLevelWindows) {
                if(auto* keyboard = dynamic_cast<SafeKeyboard*>(window); keyboard && keyboard->IsModal()) {
                    keyboardRect = keyboard->GetScreenRect();
                    keyboard->EndModal(wxID_OK);
                }
            }
        });
        dialog.Click(dialog.GetBmpButtonKeyboard());
        dialog.GetTextCtrlPassword()->SetValue("pw");
        dialog.Click(dialog.GetButtonUnlock());
    });
    EXPECT_EQ(0, result);
    // Nothing of the terminal shows beside the lock box.
    const wxRect screen = wxDisplay(0u).GetGeometry();
    EXPECT_TRUE(covered.Contains(screen)) << covered.width << "x" << covered.height;
    EXPECT_EQ(wxSize(600, 200), boxRect.GetSize());
    EXPECT_EQ(wxPoint(boxRect.x, std::max(0, boxRect.y - 110 - dialog.GetPanelBox()->GetClientSize().y)),
              asked);
    ASSERT_FALSE(keyboardRect.IsEmpty()) << "the keyboard did not open";
    EXPECT_LT(keyboardRect.GetBottom(), boxRect.GetTop())
        << "keyboard " << keyboardRect.x << "," << keyboardRect.y << " " << keyboardRect.width << "x"
        << keyboardRect.height << ", box at " << boxRect.x << "," << boxRect.y;
    EXPECT_EQ(asked, keyboardRect.GetPosition());
}

} // namespace
