#include "panes/PluginInOutPageHost.h"

#include "common/IClientPlugin.h"
#include "funds/PayPortRegistDlg.h"

#include <platform/SystemBrowserLauncher.h>

PluginInOutPageHost::PluginInOutPageHost() = default;

PluginInOutPageHost::~PluginInOutPageHost() = default;

bool PluginInOutPageHost::IsSignControlInstalled()
{
    return ::IsSignControlInstalled();
}

void PluginInOutPageHost::RegistSignControl(wxWindow* parent)
{
    PayPortRegistDlg::RegistSignControl(parent);
}

void PluginInOutPageHost::ShowInOutPage(const am_AmountInOut& row)
{
    if(g_plugin) {
        g_plugin->ShowInOutPage(row);
    }
}

BrowserLauncher& PluginInOutPageHost::GetBrowserLauncher()
{
    if(g_plugin) {
        return g_plugin->GetBrowserLauncher();
    }
    if(!m_withoutPlugin) {
        m_withoutPlugin = std::make_unique<SystemBrowserLauncher>();
    }
    return *m_withoutPlugin;
}
