// Opening addresses outside the program: the named browser of the original
// does not exist here, the default browser gets http and https only, as one
// argument.
#include "EventPump.h"
#include "ScopedEnv.h"
#include "ScratchFolder.h"
#include "platform/FakeBrowserLauncher.h"
#include "platform/ShellResult.h"
#include "platform/SystemBrowserLauncher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <wx/ffile.h>
#include <wx/log.h>

namespace {

const char* const kRefused[] = {"file:///etc/passwd", "javascript:alert(1)",     "/usr/bin/xterm",
                                "data:text/html,x",   "http://bank.example/a b", ""};

// A desktop whose only "browser" is an xdg-open that appends its arguments,
// one per line in brackets, and "end" to a file.
class RecordingDesktop
{
public:
    RecordingDesktop()
        : m_path("PATH", m_folder.Path()), m_dataDirs("XDG_DATA_DIRS", m_folder.Path()),
          m_dataHome("XDG_DATA_HOME", m_folder.Path())
    {
        wxFFile script(m_folder.File("xdg-open"), "w");
        script.Write(
            "#!/bin/sh\n{ for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; printf 'end\\n'; } >> '" +
            Output() + "'\n");
        script.Close();
        chmod(m_folder.File("xdg-open").fn_str(), 0755);
    }
    wxString Output() const { return m_folder.File("opened"); }
    bool HasOpened() const { return Opened().EndsWith("end\n"); }
    wxString Opened() const
    {
        wxString text;
        if(wxFileExists(Output())) {
            wxFFile(Output()).ReadAll(&text, wxConvUTF8);
        }
        return text;
    }

private:
    ScratchFolder m_folder;
    ScopedEnv m_path;
    ScopedEnv m_dataDirs;
    ScopedEnv m_dataHome;
};

TEST(BrowserLauncherTest, NamedBrowserFailsSoCallersFallBackToTheDefault)
{
    SystemBrowserLauncher launcher;
    const int code =
        launcher.OpenInNamedBrowser("iexplore.exe", "http://127.0.0.1:8080/bank/deposit?inOutId=502");
    EXPECT_FALSE(ShellResult::Started(code));
    EXPECT_EQ(ShellResult::kFileNotFound, code);
}

TEST(BrowserLauncherTest, DefaultBrowserGetsTheAddressAsOneArgument)
{
    RecordingDesktop desktop;
    SystemBrowserLauncher launcher;
    const wxString url = "http://127.0.0.1:8080/bank/sign?qianyue=1&payport=3&acc=11;$(id)'\"";
    ASSERT_TRUE(launcher.OpenInDefaultBrowser(url));
    ASSERT_TRUE(PumpUntil([&] { return desktop.HasOpened(); }, std::chrono::milliseconds(10000)));
    EXPECT_EQ("[" + url + "]\nend\n", desktop.Opened());
}

TEST(BrowserLauncherTest, OtherSchemesNeverReachABrowser)
{
    RecordingDesktop desktop;
    SystemBrowserLauncher launcher;
    wxLogNull quiet;
    for(const char* url : kRefused) {
        EXPECT_FALSE(launcher.OpenInDefaultBrowser(url)) << url;
        EXPECT_FALSE(ShellResult::Started(launcher.OpenInNamedBrowser("iexplore.exe", url))) << url;
    }
    // A web address sent last arrives alone: nothing refused was started before it.
    ASSERT_TRUE(launcher.OpenInDefaultBrowser("https://bank.example/"));
    ASSERT_TRUE(PumpUntil([&] { return desktop.HasOpened(); }, std::chrono::milliseconds(10000)));
    EXPECT_EQ("[https://bank.example/]\nend\n", desktop.Opened());
}

TEST(BrowserLauncherTest, WithoutAnyBrowserTheDefaultReportsFailure)
{
    ScratchFolder empty;
    ScopedEnv path("PATH", empty.Path());
    ScopedEnv dataDirs("XDG_DATA_DIRS", empty.Path());
    ScopedEnv dataHome("XDG_DATA_HOME", empty.Path());
    SystemBrowserLauncher launcher;
    wxLogNull quiet;
    EXPECT_FALSE(launcher.OpenInDefaultBrowser("http://127.0.0.1:8080/"));
}

TEST(BrowserLauncherTest, FakeRecordsWhatWasAskedAndRefusesLikeTheReal)
{
    FakeBrowserLauncher fake;
    const wxString url = "http://127.0.0.1:8080/bank/deposit?inOutId=502&amount=300";
    EXPECT_FALSE(ShellResult::Started(fake.OpenInNamedBrowser("iexplore.exe", url)));
    EXPECT_TRUE(fake.OpenInDefaultBrowser(url));
    {
        wxLogNull quiet;
        for(const char* refused : kRefused) {
            fake.OpenInNamedBrowser("iexplore.exe", refused);
            fake.OpenInDefaultBrowser(refused);
        }
    }
    ASSERT_EQ(1u, fake.namedCalls.size());
    EXPECT_EQ("iexplore.exe", fake.namedCalls[0].browser);
    EXPECT_EQ(url, fake.namedCalls[0].url);
    EXPECT_EQ(std::vector<wxString>{url}, fake.defaultCalls);
}

} // namespace
