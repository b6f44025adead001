#pragma once

#include <wx/string.h>

// Opens addresses in a browser outside the program. Only http and https
// addresses are passed on (a default browser handed a local path may run
// it); any other is logged and refused.
class BrowserLauncher
{
public:
    virtual ~BrowserLauncher() = default;

    // Starts the named browser program (the original's "iexplore.exe") with
    // the address as its one argument; a ShellResult, above 32 = started.
    int OpenInNamedBrowser(const wxString& browser, const wxString& url);
    // Hands the address to the system's default browser; true when started.
    bool OpenInDefaultBrowser(const wxString& url);

protected:
    virtual int DoOpenInNamedBrowser(const wxString& browser, const wxString& url) = 0;
    virtual bool DoOpenInDefaultBrowser(const wxString& url) = 0;
};
