// The plug-in as the host sees it: a library loaded at run time and reached
// only through its three exports and the plug-in interface.
#include "../frame/FakeHost.h"

#include <cstdlib>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <pelmora/IPlugin.h>
#include <pelmora/PluginInfo.h>
#include <string>

namespace {

using GetPluginInterfaceVersionFn = int (*)();
using GetPluginInfoFn = void (*)(PluginInfo&);
using CreatePluginFn = IPlugin* (*)(HostManager*);

std::string PluginPath()
{
    const char* build = std::getenv("TESSRIN_BUILD_DIR");
    return std::string(build ? build : "..") + "/bin/plugins/libTessrin.so";
}

// Loaded once for the program: the library stays loaded, as in the host.
void* Library()
{
    static void* handle = dlopen(PluginPath().c_str(), RTLD_NOW | RTLD_LOCAL);
    return handle;
}

template <class Fn> Fn Symbol(const char* name)
{
    return reinterpret_cast<Fn>(dlsym(Library(), name));
}

} // namespace

TEST(PluginExports, LibraryLoadsWithEverySymbolBound)
{
    ASSERT_NE(Library(), nullptr) << PluginPath() << ": " << dlerror();
    EXPECT_NE(Symbol<GetPluginInterfaceVersionFn>("GetPluginInterfaceVersion"), nullptr);
    EXPECT_NE(Symbol<GetPluginInfoFn>("GetPluginInfo"), nullptr);
    EXPECT_NE(Symbol<CreatePluginFn>("CreatePlugin"), nullptr);
}

TEST(PluginExports, AnswerVersionAndInformation)
{
    ASSERT_NE(Library(), nullptr) << dlerror();
    EXPECT_EQ(Symbol<GetPluginInterfaceVersionFn>("GetPluginInterfaceVersion")(), 1000);
    PluginInfo info;
    Symbol<GetPluginInfoFn>("GetPluginInfo")(info);
    EXPECT_EQ(info.GetAuthor(), "Kestrava");
    EXPECT_EQ(info.GetName(), "TessrinPlugin");
    EXPECT_EQ(info.GetDescription(), "Kestrava trade plugin");
    EXPECT_EQ(info.GetVersion(), "v1.0");
}

TEST(PluginExports, CreatePluginGivesOneStartedPluginThatOffersTheServers)
{
    ASSERT_NE(Library(), nullptr) << dlerror();
    FakeHost host(R"({"server": [{"name": "Beta"}, {"name": "Alpha"}]})");
    const auto create = Symbol<CreatePluginFn>("CreatePlugin");
    IPlugin* plugin = create(&host);
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(create(&host), plugin);
    EXPECT_EQ(plugin->FirstNameField(), "TessrinPlugin");
    EXPECT_EQ(plugin->SecondNameField(), "Kestrava trade plugin");

    wxArrayString names;
    EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_QUERY_SERVER_NAMES, &names);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], "Alpha");
    EXPECT_EQ(names[1], "Beta");

    plugin->UnPlug();
    delete plugin;
    names.clear();
    EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_QUERY_SERVER_NAMES, &names);
    EXPECT_TRUE(names.empty());
}
