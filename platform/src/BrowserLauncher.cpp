#include "platform/BrowserLauncher.h"

#include "platform/ShellResult.h"
#include "platform/WebAddress.h"

#include <wx/log.h>

namespace {

bool Refused(const wxString& url)
{
    if(WebAddress::IsWeb(url)) {
        return false;
    }
    wxLogWarning("Browser: refused to open \"%s\" (only http and https addresses).", url);
    return true;
}

} // namespace

int BrowserLauncher::OpenInNamedBrowser(const wxString& browser, const wxString& url)
{
    return Refused(url) ? ShellResult::kNoAssociation : DoOpenInNamedBrowser(browser, url);
}

bool BrowserLauncher::OpenInDefaultBrowser(const wxString& url)
{
    return !Refused(url) && DoOpenInDefaultBrowser(url);
}
