#include "app/PluginExports.h"

#include "app/MakePluginParts.h"
#include "frame/TessrinPlugin.h"

#include <memory>
#include <pelmora/PluginInfo.h>
#include <wx/intl.h>

int GetPluginInterfaceVersion()
{
    return 1000;
}

void GetPluginInfo(PluginInfo& info)
{
    info.SetAuthor("Kestrava");
    info.SetName("TessrinPlugin");
    info.SetDescription(_("Kestrava trade plugin"));
    info.SetVersion("v1.0");
}

IPlugin* CreatePlugin(HostManager* manager)
{
    if(g_plugin) {
        return g_plugin;
    }
    auto plugin = std::make_unique<TessrinPlugin>(manager, MakePluginParts);
    g_plugin = plugin.get();
    plugin->Startup();
    return plugin.release(); // the host owns the plug-in object
}
