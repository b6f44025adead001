#include "PluginManager.h"

#include "pelmora/IPlugin.h"
#include "pelmora/JobQueueSingleton.h"
#include "pelmora/clDynamicLibrary.h"

#include <algorithm>
#include <wx/dir.h>
#include <wx/filename.h>

struct PluginManager::Loaded
{
    std::unique_ptr<clDynamicLibrary> library;
    wxString path;
    PluginInfo info;
    std::unique_ptr<IPlugin> plugin; // released by Unplug()
};

PluginManager::PluginManager(HostManager* manager) : m_manager(manager) {}

PluginManager::~PluginManager()
{
    Unplug();
    UnloadLibraries();
}

PluginManager::LoadResult PluginManager::Load(const wxString& path)
{
    LoadResult result;
    wxFileName file(path);
    file.MakeAbsolute();
    const wxString fullPath = file.GetFullPath();
    for(const auto& loaded : m_plugins) {
        if(loaded->path == fullPath) {
            result.message = wxString::Format("%s: already loaded", fullPath);
            return result;
        }
    }

    auto library = std::make_unique<clDynamicLibrary>();
    if(!library->Load(fullPath)) {
        result.message = wxString::Format("%s: cannot be loaded: %s", fullPath, library->GetError());
        return result;
    }
    bool found = false;
    auto version = reinterpret_cast<GetPluginInterfaceVersionFunc>(
        library->GetSymbol("GetPluginInterfaceVersion", &found));
    if(!found || !version) {
        result.message = wxString::Format("%s: no GetPluginInterfaceVersion", fullPath);
        return result;
    }
    auto getInfo = reinterpret_cast<GetPluginInfoFunc>(library->GetSymbol("GetPluginInfo", &found));
    if(!found || !getInfo) {
        result.message = wxString::Format("%s: no GetPluginInfo", fullPath);
        return result;
    }
    auto create = reinterpret_cast<CreatePluginFunc>(library->GetSymbol("CreatePlugin", &found));
    if(!found || !create) {
        result.message = wxString::Format("%s: no CreatePlugin", fullPath);
        return result;
    }
    const int interfaceVersion = version();
    if(interfaceVersion != INTERFACE_VERSION) {
        result.message = wxString::Format("%s: interface version %d, the host needs %d", fullPath,
                                          interfaceVersion, INTERFACE_VERSION);
        return result;
    }

    auto loaded = std::make_unique<Loaded>();
    loaded->path = fullPath;
    getInfo(loaded->info);
    try {
        loaded->plugin.reset(create(m_manager));
    } catch(const std::exception& e) {
        result.message = wxString::Format("%s: CreatePlugin failed: %s", fullPath, e.what());
        return result;
    } catch(...) {
        result.message = wxString::Format("%s: CreatePlugin failed", fullPath);
        return result;
    }
    if(!loaded->plugin) {
        result.message = wxString::Format("%s: CreatePlugin returned no plug-in", fullPath);
        return result;
    }
    loaded->library = std::move(library);
    result.loaded = true;
    result.message =
        wxString::Format("%s %s loaded from %s", loaded->info.GetName(), loaded->info.GetVersion(), fullPath);
    m_plugins.push_back(std::move(loaded));
    return result;
}

std::vector<PluginManager::LoadResult> PluginManager::LoadFolder(const wxString& folder)
{
    std::vector<LoadResult> results;
    if(!wxDir::Exists(folder)) {
        return results;
    }
    wxArrayString files;
    wxDir::GetAllFiles(folder, &files, "*.so", wxDIR_FILES);
    files.Sort();
    for(const wxString& file : files) {
        results.push_back(Load(file));
    }
    return results;
}

void PluginManager::Unplug()
{
    bool any = false;
    for(auto& loaded : m_plugins) {
        if(loaded->plugin) {
            loaded->plugin->UnPlug();
            any = true;
        }
    }
    if(!any) {
        return;
    }
    // A running job may call into plug-in code: let it finish first.
    JobQueueSingleton::Release();
    for(auto& loaded : m_plugins) {
        loaded->plugin.reset();
    }
}

void PluginManager::UnloadLibraries()
{
    Unplug();
    // Newest first, the reverse of loading.
    while(!m_plugins.empty()) {
        m_plugins.back()->library->Detach();
        m_plugins.pop_back();
    }
}

IPlugin* PluginManager::GetPlugin(size_t index) const
{
    return index < m_plugins.size() ? m_plugins[index]->plugin.get() : nullptr;
}

const PluginInfo& PluginManager::GetInfo(size_t index) const
{
    return m_plugins.at(index)->info;
}
