// The pay-port registration dialog and the wait for the signing control.
#include "ScopedEnv.h"
#include "ScratchFolder.h"
#include "funds/LabelDialog.h"
#include "funds/PayPortRegistDlg.h"
#include "funds/SignControlRegistrar.h"

#include <gtest/gtest.h>
#include <platform/FakeProcessLauncher.h>
#include <platform/SignControlRegistry.h>
#include <vector>
#include <wx/ffile.h>
#include <wx/frame.h>
#include <wx/stattext.h>
#include <wx/toplevel.h>

namespace {

// The text of the open wait window; empty when none is open.
wxString OpenWaitText()
{
    for(wxWindow* window : wxTopLevelWindows) {
        if(auto* wait = dynamic_cast<LabelDialog*>(window); wait && wait->IsModal()) {
            for(wxWindow* child : wait->GetChildren()) {
                if(auto* text = dynamic_cast<wxStaticText*>(child)) {
                    return text->GetLabelText();
                }
            }
        }
    }
    return wxString();
}

class SignControlRegistrarTest : public ::testing::Test
{
protected:
    SignControlRegistrarTest()
        : m_bin("PELMORA_BIN_DIR", m_binFolder.Path()),
          m_controls("PELMORA_SIGN_CONTROLS", m_registry.Path()),
          m_frame(new wxFrame(nullptr, wxID_ANY, "owner"))
    {
        m_frame->Show();
    }
    ~SignControlRegistrarTest() override { m_frame->Destroy(); }

    ScratchFolder m_binFolder;
    ScratchFolder m_registry;
    ScopedEnv m_bin;
    ScopedEnv m_controls;
    wxFrame* m_frame;
    FakeProcessLauncher m_launcher;
};

TEST_F(SignControlRegistrarTest, StartsTheToolByFullPathWithTheOwnProcessIdAsRunas)
{
    SignControlRegistrar registrar(m_launcher);
    EXPECT_TRUE(registrar.StartTool().Started());
    ASSERT_EQ(1u, m_launcher.calls.size());
    const FakeProcessLauncher::Call& call = m_launcher.calls[0];
    EXPECT_EQ("runas", call.verb);
    EXPECT_EQ(m_binFolder.Path() + "/Varnel", call.program);
    EXPECT_EQ((std::vector<wxString>{"/n", "4242", "/p", "Regist"}), call.arguments);
    EXPECT_FALSE(IsSignControlInstalled()) << "the scratch registry is empty";

    m_launcher.startResult = ShellResult::kFileNotFound;
    EXPECT_FALSE(registrar.StartTool().Started()) << "a failed start is reported to the caller";
}

TEST_F(SignControlRegistrarTest, WaitCountsInTheTextFailsOnTheEleventhTickUnlessFound)
{
    struct Case
    {
        const char* name;
        int foundAt; // 0: never
        int checks;
        std::vector<wxString> notices;
        wxString textAtLastCheck;
    };
    const wxString failed = "Regist Varnel Failed! Please Regist Use IE";
    const Case cases[] = {
        {"found at the first tick", 1, 1, {}, "Regist Varnel"},
        {"found at the fourth", 4, 4, {}, "Please Wait ... 3"},
        {"found at the eleventh: no failure", 11, 11, {}, "Please Wait ... 10"},
        {"never found", 0, 11, {failed}, "Please Wait ... 10"},
    };
    for(const Case& c : cases) {
        SignControlRegistrar registrar(m_launcher);
        registrar.SetIntervalMs(5);
        int checks = 0;
        wxString textAtLastCheck;
        registrar.SetInstalledCheck([&] {
            ++checks;
            textAtLastCheck = OpenWaitText();
            return checks == c.foundAt;
        });
        std::vector<wxString> notices;
        registrar.SetFailureNotice([&](wxWindow* parent, const wxString& text) {
            EXPECT_TRUE(dynamic_cast<LabelDialog*>(parent)) << "over the wait window";
            notices.push_back(text);
        });
        registrar.Wait(m_frame);
        EXPECT_EQ(c.checks, checks) << c.name;
        EXPECT_EQ(c.notices, notices) << c.name;
        EXPECT_EQ(c.textAtLastCheck, textAtLastCheck) << c.name;
        EXPECT_TRUE(OpenWaitText().empty()) << c.name << ": the wait window is gone";
    }
}

TEST_F(SignControlRegistrarTest, TheControlRegisteredWhileWaitingEndsTheWait)
{
    SignControlRegistrar registrar(m_launcher);
    registrar.SetIntervalMs(5);
    int ticks = 0;
    registrar.SetInstalledCheck([&] {
        if(++ticks == 2) {
            // What the signing tool does: the control appears in the registry.
            wxFFile source(m_binFolder.Path() + "/NetSign.js", "w");
            source.Write("function NetSign() {}");
            source.Close();
            EXPECT_TRUE(SignControlRegistry().Register("NetSign.InfoSecNetSign",
                                                       "62B938C4-4190-4F37-8CF0-A92B0A91CC77",
                                                       m_binFolder.Path() + "/NetSign.js"));
        }
        return IsSignControlInstalled();
    });
    registrar.SetFailureNotice([](wxWindow*, const wxString& text) { ADD_FAILURE() << text; });
    registrar.Wait(m_frame);
    EXPECT_EQ(2, ticks);
    EXPECT_TRUE(IsSignControlInstalled());
}

} // namespace
