#include "pelmora/clDynamicLibrary.h"

#include "ScopedEnv.h"
#include "ScratchFolder.h"
#include "pelmora/pmStandardPaths.h"

#include <gtest/gtest.h>
#include <wx/filefn.h>
#include <wx/stdpaths.h>

namespace {
// The paths of the fixture libraries come from the build.
bool CopyFixture(const char* from, const wxString& to)
{
    return wxFileName::Mkdir(wxFileName(to).GetPath(), 0755, wxPATH_MKDIR_FULL) && wxCopyFile(from, to);
}

using AnswerFn = int (*)();
} // namespace

TEST(clDynamicLibrary, BareNameLooksInPluginsThenBinThenTheSystem)
{
    ScopedEnv bin("PELMORA_BIN_DIR", "/opt/host/bin");
    const wxArrayString c = clDynamicLibrary::Candidates("ClientApi");
    ASSERT_EQ(c.size(), 5u);
    EXPECT_EQ(c[0], "/opt/host/bin/plugins/libClientApi.so");
    EXPECT_EQ(c[1], "/opt/host/bin/plugins/ClientApi.so");
    EXPECT_EQ(c[2], "/opt/host/bin/libClientApi.so");
    EXPECT_EQ(c[3], "/opt/host/bin/ClientApi.so");
    EXPECT_EQ(c[4], "libClientApi.so");
}

TEST(clDynamicLibrary, NamesWithSuffixOrFolderAreNotRewritten)
{
    ScopedEnv bin("PELMORA_BIN_DIR", "/opt/host/bin");
    const wxArrayString file = clDynamicLibrary::Candidates("libm.so.6");
    ASSERT_EQ(file.size(), 3u);
    EXPECT_EQ(file[0], "/opt/host/bin/plugins/libm.so.6");
    EXPECT_EQ(file[2], "libm.so.6");
    const wxArrayString path = clDynamicLibrary::Candidates("/somewhere/libX.so");
    ASSERT_EQ(path.size(), 1u);
    EXPECT_EQ(path[0], "/somewhere/libX.so");
    EXPECT_TRUE(clDynamicLibrary::Candidates("").empty());
}

TEST(clDynamicLibrary, BareNameIsFoundInTheBinFolderAndItsSymbolsBound)
{
    ScratchFolder dir;
    ScopedEnv bin("PELMORA_BIN_DIR", dir.Path());
    ASSERT_TRUE(CopyFixture(FAKEAPI_PATH, dir.File("libFakeApi.so")));
    clDynamicLibrary lib;
    ASSERT_TRUE(lib.Load("FakeApi")) << lib.GetError();
    EXPECT_EQ(lib.GetPath(), dir.File("libFakeApi.so"));
    bool ok = false;
    auto answer = reinterpret_cast<AnswerFn>(lib.GetSymbol("FakeApiAnswer", &ok));
    ASSERT_TRUE(ok);
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
}

TEST(clDynamicLibrary, PluginsFolderWinsOverTheBinFolder)
{
    ScratchFolder dir;
    ScopedEnv bin("PELMORA_BIN_DIR", dir.Path());
    ASSERT_TRUE(CopyFixture(FAKEAPI_PATH, dir.File("libFakeApi.so")));
    ASSERT_TRUE(CopyFixture(FAKEAPI_PATH, dir.File("plugins/libFakeApi.so")));
    clDynamicLibrary lib;
    ASSERT_TRUE(lib.Load("FakeApi"));
    EXPECT_EQ(lib.GetPath(), dir.File("plugins/libFakeApi.so"));
}

TEST(clDynamicLibrary, MissingSymbolReportsFailureAndKeepsTheLibrary)
{
    ScratchFolder dir;
    ScopedEnv bin("PELMORA_BIN_DIR", dir.Path());
    ASSERT_TRUE(CopyFixture(FAKEAPI_PATH, dir.File("libFakeApi.so")));
    clDynamicLibrary lib;
    ASSERT_TRUE(lib.Load("FakeApi"));
    bool ok = true;
    EXPECT_EQ(lib.GetSymbol("CreateTradeApi", &ok), nullptr);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(lib.GetError().empty());
    EXPECT_TRUE(lib.IsLoaded());
    EXPECT_NE(lib.GetSymbol("FakeApiAnswer", &ok), nullptr);
    EXPECT_TRUE(ok);
}

TEST(clDynamicLibrary, FailedLoadLeavesNothingLoaded)
{
    ScratchFolder dir;
    ScopedEnv bin("PELMORA_BIN_DIR", dir.Path());
    ASSERT_TRUE(CopyFixture(FAKEAPI_PATH, dir.File("libFakeApi.so")));
    ASSERT_TRUE(CopyFixture(BROKENAPI_PATH, dir.File("libBrokenApi.so")));
    clDynamicLibrary lib;
    ASSERT_TRUE(lib.Load("FakeApi"));

    EXPECT_FALSE(lib.Load("BrokenApi")); // an unresolved function
    EXPECT_FALSE(lib.IsLoaded());
    EXPECT_TRUE(lib.GetPath().empty());
    EXPECT_TRUE(lib.GetError().Contains("FunctionThatIsNowhere")) << lib.GetError();
    bool ok = true;
    EXPECT_EQ(lib.GetSymbol("FakeApiAnswer", &ok), nullptr);
    EXPECT_FALSE(ok);

    EXPECT_FALSE(lib.Load("NoSuchLibraryAnywhere"));
    EXPECT_FALSE(lib.IsLoaded());
    EXPECT_FALSE(lib.GetError().empty());
}

TEST(clDynamicLibrary, DetachUnloadsAndAllowsALaterLoad)
{
    ScratchFolder dir;
    ScopedEnv bin("PELMORA_BIN_DIR", dir.Path());
    ASSERT_TRUE(CopyFixture(FAKEAPI_PATH, dir.File("libFakeApi.so")));
    clDynamicLibrary lib;
    ASSERT_TRUE(lib.Load("FakeApi"));
    lib.Detach();
    EXPECT_FALSE(lib.IsLoaded());
    lib.Detach(); // twice is harmless
    ASSERT_TRUE(lib.Load(dir.File("libFakeApi.so")));
    EXPECT_TRUE(lib.IsLoaded());
}

TEST(pmStandardPaths, EnvironmentMovesEachFolder)
{
    ScratchFolder dir;
    {
        ScopedEnv data("PELMORA_DATA_DIR", dir.File("data"));
        ScopedEnv user("PELMORA_USER_DATA_DIR", dir.File("user/"));
        ScopedEnv bin("PELMORA_BIN_DIR", dir.File("bin"));
        EXPECT_EQ(pmStandardPaths::Get().GetDataDir(), dir.File("data"));
        EXPECT_EQ(pmStandardPaths::Get().GetUserDataDir(), dir.File("user"));
        EXPECT_EQ(pmStandardPaths::Get().GetBinFolder(), dir.File("bin"));
        EXPECT_EQ(pmStandardPaths::Get().GetPluginsDirectory(), dir.File("bin/plugins"));
    }
    ScopedEnv data("PELMORA_DATA_DIR", "");
    ScopedEnv bin("PELMORA_BIN_DIR", "");
    // Without overrides the bin folder is the program's and the data folder follows it.
    EXPECT_EQ(pmStandardPaths::Get().GetBinFolder(),
              wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath());
    EXPECT_EQ(pmStandardPaths::Get().GetDataDir(), pmStandardPaths::Get().GetBinFolder());
}

TEST(clDynamicLibrary, FromTheHostFoldersOnlyBareNamesOfThoseFoldersLoad)
{
    ScratchFolder dir;
    ScopedEnv bin("PELMORA_BIN_DIR", dir.File("bin"));
    ASSERT_TRUE(CopyFixture(FAKEAPI_PATH, dir.File("bin/libFakeApi.so")));
    ASSERT_TRUE(CopyFixture(FAKEAPI_PATH, dir.File("elsewhere/libFakeApi.so")));
    const struct
    {
        const char* name;
        bool loads;
    } cases[] = {
        {"FakeApi", true},
        {"libFakeApi.so", true},
        {"", false},
        {".", false},
        {"..", false},
        {"../elsewhere/libFakeApi.so", false},
        {"bin/../elsewhere/libFakeApi.so", false},
        {"plugins\\libFakeApi.so", false},
        {"libm.so.6", false}, // the system would find it
    };
    for(const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clDynamicLibrary lib;
        EXPECT_EQ(lib.LoadFromHostFolders(c.name), c.loads) << lib.GetError();
        EXPECT_EQ(lib.IsLoaded(), c.loads);
    }
    clDynamicLibrary absolute;
    EXPECT_FALSE(absolute.LoadFromHostFolders(dir.File("elsewhere/libFakeApi.so")));
    EXPECT_TRUE(absolute.Load(dir.File("elsewhere/libFakeApi.so"))) << "what Load alone would take";
    clDynamicLibrary system;
    EXPECT_TRUE(system.Load("libm.so.6"));
}
