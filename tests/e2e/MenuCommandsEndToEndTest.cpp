// Menu commands sent by the real host at a given time (--command): the
// calculator is started from the path, and the settings dialog and the lock
// screen, left open, let the host exit without storing anything.
#include "HostProcess.h"
#include "SimProcess.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

const char* const kLoggedIn = R"(^bus 10004 Demo\|demo\|Trade\|3\|Md\|3$)";
constexpr int kLoginMs = 30000;

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The started program runs on its own: it may finish after the host.
std::string ReadWhenWritten(const std::filesystem::path& path, std::chrono::seconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::string text = ReadFile(path);
    while((text.empty() || text.back() != '\n') && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        text = ReadFile(path);
    }
    return text;
}

// Sets PATH for the programs started from here, and puts it back.
class ScopedPath
{
public:
    explicit ScopedPath(const std::string& first)
    {
        const char* old = std::getenv("PATH");
        m_old = old ? old : "";
        setenv("PATH", (first + ":" + m_old).c_str(), 1);
    }
    ~ScopedPath() { setenv("PATH", m_old.c_str(), 1); }

private:
    std::string m_old;
};

} // namespace

TEST(MenuCommandsEndToEnd, TheCalculatorCommandStartsTheFirstCalculatorOnThePath)
{
    // A folder of its own: other copies of this suite may run at the same time.
    std::string pattern = (std::filesystem::temp_directory_path() / "tessrin-e2e-calculator-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const std::filesystem::path tools = pattern;
    const std::filesystem::path marker = tools / "ran";
    {
        std::ofstream script(tools / "gnome-calculator");
        script << "#!/bin/sh\necho \"$#\" > '" << marker.string() << "'\n";
    }
    std::filesystem::permissions(tools / "gnome-calculator", std::filesystem::perms::owner_all);
    ScopedPath path(tools.string());

    SimProcess market;
    HostProcess host(market);
    // The zoom commands go to the chart opened at login on the way.
    host.Start({"--login", "Demo,demo,demo123", "--command", "chart_zoom_in@6", "--command",
                "chart_zoom_out@7", "--command", "calculator@8"});
    ASSERT_GE(host.WaitForLine(kLoggedIn, kLoginMs), 0) << host.Describe();
    for(const char* line : {"^command chart_zoom_in$", "^command chart_zoom_out$", "^command calculator$"}) {
        EXPECT_GE(host.WaitForLine(line, kLoginMs), 0) << host.Describe();
    }
    host.Quit();
    EXPECT_EQ(host.Wait(30000), 0) << host.Describe();
    // The fake calculator ran, with no arguments.
    EXPECT_EQ(ReadWhenWritten(marker, std::chrono::seconds(20)), "0\n") << host.Describe();
    std::filesystem::remove_all(tools);
}

TEST(MenuCommandsEndToEnd, AnOpenSettingsDialogOrLockScreenLetsTheHostExitAndStoresNothing)
{
    for(const char* command : {"systemSetting@6", "lockScreen@6"}) {
        SCOPED_TRACE(command);
        SimProcess market;
        HostProcess host(market);
        host.Start({"--login", "Demo,demo,demo123", "--command", command});
        ASSERT_GE(host.WaitForLine(kLoggedIn, kLoginMs), 0) << host.Describe();
        // The command's window opens as it is sent, and is left open.
        const std::string name = std::string(command).substr(0, std::string(command).find('@'));
        EXPECT_GE(host.WaitForLine("^command " + name + "$", kLoginMs), 0) << host.Describe();
        host.Quit();
        EXPECT_EQ(host.Wait(30000), 0) << host.Describe();
        const std::filesystem::path settings =
            std::filesystem::path(host.DataDir()).parent_path() / "user" / "config" / "editor.conf";
        EXPECT_EQ(ReadFile(settings).find("LockScreenInterval"), std::string::npos) << ReadFile(settings);
    }
}

TEST(MenuCommandsEndToEnd, AMalformedCommandIsRefusedWithAMessage)
{
    SimProcess market;
    HostProcess host(market);
    host.Start({"--command", "calculator"});
    EXPECT_NE(host.Wait(15000), 0) << host.Describe();
    EXPECT_NE(host.Describe().find("--command expects NAME@SECONDS"), std::string::npos) << host.Describe();
}
