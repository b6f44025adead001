#pragma once

class BrowserLauncher;
class wxWindow;
struct am_AmountInOut;

// What opening a money movement's bank page needs of the rest of the
// program: the bank's signing control, the plug-in's page opener and a
// browser. Tests put a fake in.
class InOutPageHost
{
public:
    virtual ~InOutPageHost() = default;

    virtual bool IsSignControlInstalled() = 0;
    // Registers the control, waiting modally over `parent` (may be null).
    virtual void RegistSignControl(wxWindow* parent) = 0;
    // The page inside the host or in a browser, as the settings say.
    virtual void ShowInOutPage(const am_AmountInOut& row) = 0;
    virtual BrowserLauncher& GetBrowserLauncher() = 0;
};
