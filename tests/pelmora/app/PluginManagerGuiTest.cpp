#include "BusTracer.h"
#include "LoginController.h"
#include "MainFrame.h"
#include "PelmoraHostManager.h"
#include "PluginManager.h"
#include "TestPlugin.h"
#include "Tracer.h"
#include "pelmora/BitmapLoader.h"
#include "pelmora/IPlugin.h"
#include "pelmora/Notebook.h"
#include "pelmora/OutputWindow.h"
#include "pelmora/clDynamicLibrary.h"
#include "pelmora/pmStatusBar.h"

#include <cstdlib>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/ffile.h>
#include <wx/filename.h>

namespace {
const wxString kPluginDir = TEST_PLUGIN_DIR;

wxString PluginPath(const char* name)
{
    return kPluginDir + "/lib" + name + ".so";
}

bool IsLibraryLoaded(const wxString& path)
{
    void* handle = dlopen(path.fn_str(), RTLD_NOW | RTLD_NOLOAD);
    if(!handle) {
        return false;
    }
    dlclose(handle);
    return true;
}

TestPluginRecord* RecordOf(const wxString& path)
{
    void* handle = dlopen(path.fn_str(), RTLD_NOW | RTLD_NOLOAD);
    if(!handle) {
        return nullptr;
    }
    auto record = reinterpret_cast<TestPluginRecordFunc>(dlsym(handle, "TestPluginRecordOf"));
    dlclose(handle); // the manager still holds the library
    return record ? record() : nullptr;
}

wxString ReadFile(const wxString& path)
{
    wxString text;
    wxFFile file(path, "r");
    if(file.IsOpened()) {
        file.ReadAll(&text);
    }
    return text;
}

// A main window with the host services, as the program builds them.
class PluginHostTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_tracePath = wxFileName::CreateTempFileName("pelmora-trace");
        ASSERT_TRUE(m_tracer.Open(m_tracePath));
        m_frame = new MainFrame(m_tracer);
        m_images = std::make_unique<BitmapLoader>(kPluginDir);
        m_manager = std::make_unique<PelmoraHostManager>(*m_frame, *m_images, kPluginDir);
        m_plugins = std::make_unique<PluginManager>(m_manager.get());
    }

    void TearDown() override
    {
        m_plugins.reset();
        m_frame->Destroy();
        wxTheApp->ProcessIdle();
        wxRemoveFile(m_tracePath);
    }

    wxString m_tracePath;
    Tracer m_tracer;
    MainFrame* m_frame = nullptr;
    std::unique_ptr<BitmapLoader> m_images;
    std::unique_ptr<PelmoraHostManager> m_manager;
    std::unique_ptr<PluginManager> m_plugins;
};

TEST_F(PluginHostTest, LoadingCreatesThePluginOnceWithItsInfoAndPages)
{
    const PluginManager::LoadResult result = m_plugins->Load(PluginPath("pelmora_test_plugin"));
    ASSERT_TRUE(result.loaded) << result.message;
    ASSERT_EQ(1u, m_plugins->GetCount());
    EXPECT_EQ("TestPlugin", m_plugins->GetInfo(0).GetName());
    EXPECT_EQ("v0.1", m_plugins->GetInfo(0).GetVersion());
    EXPECT_EQ(1u, m_frame->GetOutputBook()->GetPageCount());
    EXPECT_EQ(1u, m_frame->GetHostStatusBar()->GetItemCount());

    TestPluginRecord* record = RecordOf(PluginPath("pelmora_test_plugin"));
    ASSERT_NE(nullptr, record);
    EXPECT_EQ(1, record->createCalls);
    EXPECT_EQ(1, record->startups);

    // Asking the library again gives the same object and no second start-up.
    clDynamicLibrary again;
    ASSERT_TRUE(again.Load(PluginPath("pelmora_test_plugin")));
    bool found = false;
    auto create = reinterpret_cast<CreatePluginFunc>(again.GetSymbol("CreatePlugin", &found));
    ASSERT_TRUE(found);
    EXPECT_EQ(m_plugins->GetPlugin(0), create(m_manager.get()));
    EXPECT_EQ(2, record->createCalls);
    EXPECT_EQ(1, record->startups);
    EXPECT_EQ(1u, m_frame->GetOutputBook()->GetPageCount());
}

TEST_F(PluginHostTest, TheSameLibraryIsNotLoadedTwice)
{
    ASSERT_TRUE(m_plugins->Load(PluginPath("pelmora_test_plugin")).loaded);
    const PluginManager::LoadResult second = m_plugins->Load(PluginPath("pelmora_test_plugin"));
    EXPECT_FALSE(second.loaded);
    EXPECT_TRUE(second.message.Contains("already loaded")) << second.message;
    EXPECT_EQ(1u, m_plugins->GetCount());
}

TEST_F(PluginHostTest, AnotherInterfaceVersionIsRefusedBeforeCreatePlugin)
{
    wxUnsetEnv("PELMORA_TEST_PLUGIN_CREATED");
    const PluginManager::LoadResult result = m_plugins->Load(PluginPath("pelmora_old_plugin"));
    EXPECT_FALSE(result.loaded);
    EXPECT_TRUE(result.message.Contains("interface version 999")) << result.message;
    EXPECT_EQ(nullptr, std::getenv("PELMORA_TEST_PLUGIN_CREATED"));
    EXPECT_EQ(0u, m_plugins->GetCount());
    EXPECT_FALSE(IsLibraryLoaded(PluginPath("pelmora_old_plugin")));
}

TEST_F(PluginHostTest, LibrariesWithoutTheExportsOrUnreadableAreRefused)
{
    const PluginManager::LoadResult noExports = m_plugins->Load(PluginPath("pelmora_no_exports"));
    EXPECT_FALSE(noExports.loaded);
    EXPECT_TRUE(noExports.message.Contains("no GetPluginInterfaceVersion")) << noExports.message;

    const wxString junk = wxFileName::CreateTempFileName("pelmora-junk") + ".so";
    wxFFile(junk, "w").Write("not a library");
    const PluginManager::LoadResult unreadable = m_plugins->Load(junk);
    EXPECT_FALSE(unreadable.loaded);
    EXPECT_TRUE(unreadable.message.Contains("cannot be loaded")) << unreadable.message;
    wxRemoveFile(junk);
    EXPECT_EQ(0u, m_plugins->GetCount());
}

TEST_F(PluginHostTest, LoadingAFolderTakesEveryLibraryAndKeepsTheGoodOne)
{
    const std::vector<PluginManager::LoadResult> results = m_plugins->LoadFolder(kPluginDir);
    ASSERT_EQ(3u, results.size());
    int loaded = 0;
    for(const auto& result : results) {
        loaded += result.loaded ? 1 : 0;
    }
    EXPECT_EQ(1, loaded);
    EXPECT_EQ(1u, m_plugins->GetCount());
    EXPECT_TRUE(m_plugins->LoadFolder(kPluginDir + "/missing").empty());
}

TEST_F(PluginHostTest, BusEventsTravelBothWaysAndAreTraced)
{
    ASSERT_TRUE(m_plugins->Load(PluginPath("pelmora_test_plugin")).loaded);
    BusTracer busTracer(m_tracer);
    busTracer.Connect();
    LoginController& login = m_frame->GetLogin();

    const wxArrayString servers = login.QueryServerNames();
    ASSERT_EQ(2u, servers.size());
    EXPECT_EQ("Demo", servers[0]);

    login.Login("Demo", "alice", "secret");
    TestPluginRecord* record = RecordOf(PluginPath("pelmora_test_plugin"));
    ASSERT_NE(nullptr, record);
    ASSERT_EQ(3u, record->lastLogin.size());
    EXPECT_EQ("secret", record->lastLogin[2]);
    // The plug-in answered with the connection state.
    ASSERT_EQ(4u, login.GetConnectionState().size());
    EXPECT_EQ("127.0.0.1:1|3", login.GetConnectionState()[2]);
    EXPECT_TRUE(m_frame->GetTitle().Contains("alice@Demo")) << m_frame->GetTitle();

    // The plug-in's notice is clicked in the output window.
    OutputWindow* output = m_frame->GetOutputWindow();
    ASSERT_EQ(1u, output->GetEntryCount());
    EXPECT_TRUE(output->ClickEntry(0));
    ASSERT_EQ(1u, record->noticeClicks.size());
    EXPECT_EQ("Market Trade[B1]", record->noticeClicks[0]);

    login.Logout();
    EXPECT_EQ(1, record->logouts);
    EXPECT_FALSE(login.IsLoggedIn());

    const wxString trace = ReadFile(m_tracePath);
    EXPECT_TRUE(trace.Contains(" bus 10000 Demo|Backup\n")) << trace;
    EXPECT_TRUE(trace.Contains(" bus 10001 Demo|alice|***\n")) << trace;
    EXPECT_TRUE(trace.Contains(" bus 10004 Demo|alice|127.0.0.1:1|3|127.0.0.1:2|3\n")) << trace;
    EXPECT_TRUE(trace.Contains(" bus 10002 \n")) << trace;
    EXPECT_TRUE(trace.Contains(" status 0 Account [alice]\n")) << trace;
    EXPECT_TRUE(trace.Contains(" output Market Trade[B1]|bought 1 lot\n")) << trace;
    // Seen although the plug-in's handler does not pass the event on.
    EXPECT_TRUE(trace.Contains(" bus 11113 Market Trade[B1]\n")) << trace;
    EXPECT_FALSE(trace.Contains("secret")) << trace;
}

TEST_F(PluginHostTest, UnplugRunsOnceDeletesThePluginAndUnloadingDropsTheLibrary)
{
    const wxString path = PluginPath("pelmora_test_plugin");
    ASSERT_TRUE(m_plugins->Load(path).loaded);
    m_frame->AddToolBar(m_plugins->GetPlugin(0)->BuildToolBar(m_frame));
    TestPluginRecord* record = RecordOf(path);
    ASSERT_NE(nullptr, record);

    m_plugins->Unplug();
    EXPECT_EQ(1, record->unplugs);
    EXPECT_EQ(1, record->destructions);
    EXPECT_EQ(nullptr, m_plugins->GetPlugin(0));
    EXPECT_EQ(0u, m_frame->GetOutputBook()->GetPageCount());
    // Taken down once only.
    m_plugins->Unplug();
    EXPECT_EQ(1, record->unplugs);
    EXPECT_TRUE(IsLibraryLoaded(path));

    // Events after the plug-in is gone reach nobody and crash nothing.
    EXPECT_TRUE(m_frame->GetLogin().QueryServerNames().empty());

    m_plugins->UnloadLibraries();
    EXPECT_EQ(0u, m_plugins->GetCount());
    EXPECT_FALSE(IsLibraryLoaded(path));
    EXPECT_TRUE(ReadFile(m_tracePath).Contains(" page output remove TestPage\n"));
}
} // namespace
