#ifndef PELMORA_APP_PLUGINMANAGER_H
#define PELMORA_APP_PLUGINMANAGER_H

#include "pelmora/PluginInfo.h"

#include <functional>
#include <memory>
#include <vector>
#include <wx/string.h>

class HostManager;
class IPlugin;
class clDynamicLibrary;

// The three exports every plug-in library has (unmangled names).
extern "C" {
typedef int (*GetPluginInterfaceVersionFunc)();
typedef void (*GetPluginInfoFunc)(PluginInfo& info);
typedef IPlugin* (*CreatePluginFunc)(HostManager* manager);
}

// Loads plug-in libraries, creates their plug-in objects and takes them down
// again. Taking down has two steps, because the windows a plug-in leaves in
// the host may still run its code: Unplug() before the main window goes,
// UnloadLibraries() after it is gone.
class PluginManager
{
public:
    static constexpr int INTERFACE_VERSION = 1000;

    struct LoadResult
    {
        bool loaded = false;
        wxString message; // why a library was refused, or what was loaded
    };

    explicit PluginManager(HostManager* manager);
    ~PluginManager();

    LoadResult Load(const wxString& path);
    // Every shared library of the folder, in name order.
    std::vector<LoadResult> LoadFolder(const wxString& folder);

    // Calls every plug-in's UnPlug, waits for the host's job queue to run dry
    // and deletes the plug-in objects. The libraries stay loaded.
    void Unplug();
    void UnloadLibraries();

    size_t GetCount() const { return m_plugins.size(); }
    IPlugin* GetPlugin(size_t index) const;
    const PluginInfo& GetInfo(size_t index) const;

private:
    struct Loaded;

    HostManager* m_manager; // not owned: outlives the manager's plug-ins
    std::vector<std::unique_ptr<Loaded>> m_plugins;
};

#endif // PELMORA_APP_PLUGINMANAGER_H
