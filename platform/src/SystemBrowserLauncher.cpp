#include "platform/SystemBrowserLauncher.h"

#include "platform/ShellResult.h"

#include <wx/log.h>
#include <wx/utils.h>

int SystemBrowserLauncher::DoOpenInNamedBrowser(const wxString& browser, const wxString& /*url*/)
{
    wxLogDebug("Browser \"%s\" does not exist on this system.", browser);
    return ShellResult::kFileNotFound;
}

bool SystemBrowserLauncher::DoOpenInDefaultBrowser(const wxString& url)
{
    if(wxLaunchDefaultBrowser(url)) {
        return true;
    }
    wxLogWarning("No default browser could open \"%s\".", url);
    return false;
}
