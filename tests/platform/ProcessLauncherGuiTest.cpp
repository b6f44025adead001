// Starting programs by full path with an argument vector, process ids, and
// the search for a calculator.
#include "EventPump.h"
#include "ScopedEnv.h"
#include "ScratchFolder.h"
#include "platform/FakeProcessLauncher.h"
#include "platform/ShellResult.h"
#include "platform/SystemProcessLauncher.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wx/ffile.h>
#include <wx/log.h>

namespace {

std::vector<std::string> ReadRecordedArguments(const wxString& path)
{
    std::ifstream in(path.fn_str(), std::ios::binary);
    std::vector<std::string> arguments;
    std::string argument;
    while(std::getline(in, argument, '\0')) {
        arguments.push_back(argument);
    }
    return arguments;
}

void WriteProgram(const wxString& path, mode_t mode)
{
    wxFFile file(path, "w");
    file.Write("#!/bin/sh\nexit 0\n");
    file.Close();
    chmod(path.fn_str(), mode);
}

// Starts the recorder and waits for it to end; the arguments it received.
std::vector<std::string> RecordStart(SystemProcessLauncher& launcher, const wxString& verb,
                                     const std::vector<wxString>& arguments, const ScratchFolder& scratch)
{
    const wxString output = scratch.File("arguments");
    std::vector<wxString> all = {output};
    all.insert(all.end(), arguments.begin(), arguments.end());
    const ProcessLauncher::Result result = launcher.Start(verb, ARG_RECORDER, all);
    EXPECT_TRUE(result.Started()) << result.code;
    EXPECT_GT(result.code, 32);
    EXPECT_TRUE(
        PumpUntil([&] { return !launcher.ProcessExists(result.pid); }, std::chrono::milliseconds(10000)))
        << "the finished child is still there";
    return ReadRecordedArguments(output);
}

TEST(ProcessLauncherTest, ArgumentsWithBlanksQuotesAndShellCharactersArriveUnchanged)
{
    ScratchFolder scratch;
    SystemProcessLauncher launcher;
    const std::vector<wxString> arguments = {"/n",
                                             "123",
                                             "two words",
                                             "\"quoted\" and 'single'",
                                             "$(touch x); `id` | > <",
                                             "line\nbreak",
                                             wxString::FromUTF8("现货一部"),
                                             ""};
    const std::vector<std::string> received = RecordStart(launcher, "open", arguments, scratch);
    ASSERT_EQ(arguments.size(), received.size());
    for(size_t i = 0; i < arguments.size(); ++i) {
        EXPECT_EQ(arguments[i].utf8_string(), received[i]) << i;
    }
    EXPECT_FALSE(wxFileExists(scratch.File("x"))) << "a shell ran the arguments";
}

TEST(ProcessLauncherTest, TheChildHoldsNoDescriptorOfOursButTheStandardThree)
{
    ScratchFolder scratch;
    int ends[2];
    ASSERT_EQ(pipe(ends), 0); // inheritable, as a socket opened without close-on-exec
    const wxString output = scratch.File("descriptor");
    const std::string check = "if [ -e /proc/$$/fd/" + std::to_string(ends[0]) +
                              " ]; then echo open; else echo closed; fi > '" + output.utf8_string() + "'";
    SystemProcessLauncher launcher;
    const ProcessLauncher::Result child =
        launcher.Start("open", "/bin/sh", {"-c", wxString::FromUTF8(check)});
    ASSERT_TRUE(child.Started());
    EXPECT_TRUE(
        PumpUntil([&] { return !launcher.ProcessExists(child.pid); }, std::chrono::milliseconds(10000)));
    std::ifstream in(output.fn_str());
    std::string seen;
    std::getline(in, seen);
    EXPECT_EQ(seen, "closed");
    close(ends[0]);
    close(ends[1]);
}

TEST(ProcessLauncherTest, VerbsOpenEmptyAndRunasStartTheProgram)
{
    ScratchFolder scratch;
    SystemProcessLauncher launcher;
    for(const char* verb : {"open", "", "runas", "RunAs"}) {
        const std::vector<std::string> received = RecordStart(launcher, verb, {"/p", "Regist"}, scratch);
        EXPECT_EQ((std::vector<std::string>{"/p", "Regist"}), received) << verb;
        wxRemoveFile(scratch.File("arguments"));
    }
}

TEST(ProcessLauncherTest, StartsThatCannotHappenGiveFailureResults)
{
    ScratchFolder scratch;
    WriteProgram(scratch.File("not-executable"), 0644);
    wxMkdir(scratch.File("folder"));
    const struct
    {
        const char* verb;
        wxString program;
        int code;
    } cases[] = {
        {"open", scratch.File("missing"), ShellResult::kFileNotFound},
        {"open", scratch.File("folder"), ShellResult::kFileNotFound},
        {"open", scratch.File("not-executable"), ShellResult::kAccessDenied},
        {"open", "true", ShellResult::kFileNotFound},        // bare name: no search
        {"open", "bin/true", ShellResult::kFileNotFound},    // relative: no search either
        {"edit", ARG_RECORDER, ShellResult::kNoAssociation}, // a verb nothing here does
        {"print", ARG_RECORDER, ShellResult::kNoAssociation},
    };
    SystemProcessLauncher launcher;
    wxLogNull quiet;
    for(const auto& c : cases) {
        const ProcessLauncher::Result result = launcher.Start(c.verb, c.program, {scratch.File("out")});
        EXPECT_EQ(c.code, result.code) << c.verb << " " << c.program;
        EXPECT_FALSE(result.Started());
        EXPECT_EQ(0, result.pid);
    }
    EXPECT_FALSE(wxFileExists(scratch.File("out")));
}

TEST(ProcessLauncherTest, ProcessExistsForOwnIdNotForFinishedChildFreeOrGroupIds)
{
    SystemProcessLauncher launcher;
    EXPECT_EQ(static_cast<long>(getpid()), launcher.OwnProcessId());
    EXPECT_TRUE(launcher.ProcessExists(launcher.OwnProcessId()));
    EXPECT_TRUE(launcher.ProcessExists(1)); // another user's process (EPERM when not root)

    ScratchFolder scratch;
    const ProcessLauncher::Result child = launcher.Start("open", ARG_RECORDER, {scratch.File("out")});
    ASSERT_TRUE(child.Started());
    EXPECT_TRUE(
        PumpUntil([&] { return !launcher.ProcessExists(child.pid); }, std::chrono::milliseconds(10000)));

    EXPECT_FALSE(launcher.ProcessExists(4194305)); // above the largest id Linux hands out
    EXPECT_FALSE(launcher.ProcessExists(0));       // 0 and -1 would ask about groups
    EXPECT_FALSE(launcher.ProcessExists(-1));
}

TEST(ProcessLauncherTest, SearchTakesTheFirstNameFoundAndOnlyExecutableFilesInFullFolders)
{
    ScratchFolder first;
    ScratchFolder second;
    WriteProgram(first.File("gnome-calculator"), 0644); // not executable
    wxMkdir(first.File("kcalc"));                       // a folder
    WriteProgram(first.File("xcalc"), 0755);
    WriteProgram(second.File("mate-calc"), 0755);
    const wxString path = first.Path() + "::relative:" + second.Path();

    const std::vector<wxString>& names = ProcessLauncher::CalculatorNames();
    EXPECT_EQ((std::vector<wxString>{"gnome-calculator", "kcalc", "mate-calc", "galculator", "xcalc"}),
              names);
    EXPECT_EQ(second.File("mate-calc"), ProcessLauncher::FindOnSearchPath(names, path));
    EXPECT_EQ(first.File("xcalc"), ProcessLauncher::FindOnSearchPath({"xcalc", "mate-calc"}, path));
    EXPECT_EQ("", ProcessLauncher::FindOnSearchPath({"galculator"}, path));
    EXPECT_EQ("", ProcessLauncher::FindOnSearchPath(names, ""));
    EXPECT_EQ("", ProcessLauncher::FindOnSearchPath(
                      {"../" + wxFileName(first.Path()).GetFullName() + "/xcalc"}, second.Path()));

    // A program in the working folder is never found through an empty or relative entry.
    const wxString cwd = wxGetCwd();
    wxSetWorkingDirectory(second.Path());
    EXPECT_EQ("", ProcessLauncher::FindOnSearchPath({"mate-calc"}, ":.:" + first.Path()));
    wxSetWorkingDirectory(cwd);

    SystemProcessLauncher system;
    {
        ScopedEnv env("PATH", path);
        EXPECT_EQ(second.File("mate-calc"), system.FindCalculator());
    }
    {
        ScopedEnv env("PATH", first.Path() + "/nothing-here");
        EXPECT_EQ("", system.FindCalculator());
    }
}

TEST(ProcessLauncherTest, FakeRecordsVerbProgramAndArgumentsAndSearchesItsOwnPath)
{
    ScratchFolder folder;
    WriteProgram(folder.File("kcalc"), 0755);
    FakeProcessLauncher fake;
    fake.searchPath = folder.Path();
    EXPECT_EQ(folder.File("kcalc"), fake.FindCalculator());

    const ProcessLauncher::Result started =
        fake.Start("runas", "/opt/bin/Varnel", {"/n", "4242", "/p", "Regist"});
    EXPECT_TRUE(started.Started());
    EXPECT_TRUE(fake.ProcessExists(started.pid));
    ASSERT_EQ(1u, fake.calls.size());
    EXPECT_EQ("runas", fake.calls[0].verb);
    EXPECT_EQ("/opt/bin/Varnel", fake.calls[0].program);
    EXPECT_EQ((std::vector<wxString>{"/n", "4242", "/p", "Regist"}), fake.calls[0].arguments);

    // The real checks run before the fake: a bare name never reaches it.
    wxLogNull quiet;
    EXPECT_EQ(ShellResult::kFileNotFound, fake.Start("open", "Varnel", {}).code);
    fake.startResult = ShellResult::kFileNotFound;
    EXPECT_FALSE(fake.Start("open", "/opt/bin/Varnel", {}).Started());
    EXPECT_EQ(2u, fake.calls.size());
}

} // namespace
