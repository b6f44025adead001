#pragma once

class HostManager;
class IPlugin;
class PluginInfo;

// The three functions the host looks up by name after loading the plug-in,
// called in this order.
#define TESSRIN_EXPORT __attribute__((visibility("default")))

extern "C" {
// 1000: the plug-in interface this library speaks.
TESSRIN_EXPORT int GetPluginInterfaceVersion();
TESSRIN_EXPORT void GetPluginInfo(PluginInfo& info);
// The one plug-in object: made and started on the first call, the same
// object on every later call. The host owns it and destroys it after UnPlug.
TESSRIN_EXPORT IPlugin* CreatePlugin(HostManager* manager);
}
