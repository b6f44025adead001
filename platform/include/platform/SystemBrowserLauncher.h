#pragma once

#include "platform/BrowserLauncher.h"

// No named browser exists here, so that start fails as it does on a
// machine without it and callers fall back to the default browser, which
// is wxLaunchDefaultBrowser.
class SystemBrowserLauncher : public BrowserLauncher
{
protected:
    int DoOpenInNamedBrowser(const wxString& browser, const wxString& url) override;
    bool DoOpenInDefaultBrowser(const wxString& url) override;
};
