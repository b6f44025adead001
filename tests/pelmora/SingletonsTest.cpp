#include "ScopedEnv.h"
#include "ScratchFolder.h"
#include "pelmora/EditorConfig.h"
#include "pelmora/EventNotifier.h"
#include "pelmora/JobQueueSingleton.h"
#include "pelmora/clDynamicLibrary.h"

#include <gtest/gtest.h>

namespace {
using ProbeFn = void* (*)();

void* Probe(clDynamicLibrary& lib, const char* name)
{
    bool ok = false;
    auto fn = reinterpret_cast<ProbeFn>(lib.GetSymbol(name, &ok));
    return ok && fn ? fn() : nullptr;
}
} // namespace

TEST(Singletons, APlugInLibrarySeesTheHostsOwnInstances)
{
    ScratchFolder dir;
    ScopedEnv user("PELMORA_USER_DATA_DIR", dir.Path());
    clDynamicLibrary plugin;
    ASSERT_TRUE(plugin.Load(SINGLETONPROBE_PATH)) << plugin.GetError();

    EXPECT_EQ(Probe(plugin, "ProbeEventNotifier"), static_cast<void*>(EventNotifier::Get()));
    EXPECT_EQ(Probe(plugin, "ProbeJobQueue"), static_cast<void*>(JobQueueSingleton::Instance()));
    // Made by the plug-in first, then seen by the host.
    EditorConfigST::Free();
    void* fromPlugin = Probe(plugin, "ProbeEditorConfig");
    EXPECT_NE(fromPlugin, nullptr);
    EXPECT_EQ(fromPlugin, static_cast<void*>(EditorConfigST::Get()));

    JobQueueSingleton::Release();
    EditorConfigST::Free();
}
