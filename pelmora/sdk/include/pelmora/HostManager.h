#ifndef PELMORA_HOSTMANAGER_H
#define PELMORA_HOSTMANAGER_H

#include <wx/string.h>

class BitmapLoader;
class Notebook;
class OutputWindow;
class pmStatusBar;
class wxAuiManager;
class wxFrame;
class wxMenuBar;

// The host services a plug-in receives in CreatePlugin. The host executable
// implements it; every call is made on the GUI thread.
class HostManager
{
public:
    virtual ~HostManager() = default;

    // Installation folder; plug-in resources are under <base>/plugins/resources.
    virtual wxString GetBaseDirectory() const = 0;
    virtual BitmapLoader* GetImageLoader() = 0;
    // Whether the host wants plug-ins to contribute tool bars.
    virtual bool ToolBarsEnabled() const = 0;
    virtual Notebook* GetWorkspaceBook() = 0;
    virtual Notebook* GetOutputBook() = 0;
    virtual Notebook* GetCentreBook() = 0;
    virtual pmStatusBar* GetHostStatusBar() = 0;
    virtual wxFrame* GetMainFrame() = 0;
    virtual wxMenuBar* GetMainMenuBar() = 0;
    virtual OutputWindow* GetOutputWindow() = 0;
    virtual void ShowPane(const wxString& paneName, bool show) = 0;
    virtual wxAuiManager* GetAuiManager() = 0;
};

#endif // PELMORA_HOSTMANAGER_H
