#pragma once

#include "platform/BrowserLauncher.h"
#include "platform/ShellResult.h"

#include <vector>

// Records the addresses it was asked to open. Like the real one, it refuses
// all but http and https (that check lives in BrowserLauncher), and by
// default no named browser exists.
class FakeBrowserLauncher : public BrowserLauncher
{
public:
    struct NamedCall
    {
        wxString browser;
        wxString url;
    };

    std::vector<NamedCall> namedCalls;
    std::vector<wxString> defaultCalls;
    int namedResult = ShellResult::kFileNotFound;
    bool defaultResult = true;

protected:
    int DoOpenInNamedBrowser(const wxString& browser, const wxString& url) override
    {
        namedCalls.push_back({browser, url});
        return namedResult;
    }
    bool DoOpenInDefaultBrowser(const wxString& url) override
    {
        defaultCalls.push_back(url);
        return defaultResult;
    }
};
