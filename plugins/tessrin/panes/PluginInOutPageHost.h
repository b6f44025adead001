#pragma once

#include "panes/InOutPageHost.h"

#include <memory>

// The program's own: the signing control of the pay-port registration, the
// plug-in's page opener and its browser launcher.
class PluginInOutPageHost : public InOutPageHost
{
public:
    PluginInOutPageHost();
    ~PluginInOutPageHost() override;

    bool IsSignControlInstalled() override;
    void RegistSignControl(wxWindow* parent) override;
    // Nothing while there is no plug-in.
    void ShowInOutPage(const am_AmountInOut& row) override;
    // The plug-in's; the system's while there is no plug-in.
    BrowserLauncher& GetBrowserLauncher() override;

private:
    std::unique_ptr<BrowserLauncher> m_withoutPlugin;
};
