#ifndef PELMORA_APP_PELMORAHOSTMANAGER_H
#define PELMORA_APP_PELMORAHOSTMANAGER_H

#include "pelmora/HostManager.h"

class MainFrame;

// The host services handed to plug-ins, answered by the main window.
class PelmoraHostManager : public HostManager
{
public:
    PelmoraHostManager(MainFrame& frame, BitmapLoader& images, const wxString& baseDirectory);

    wxString GetBaseDirectory() const override { return m_baseDirectory; }
    BitmapLoader* GetImageLoader() override { return &m_images; }
    bool ToolBarsEnabled() const override { return true; }
    Notebook* GetWorkspaceBook() override;
    Notebook* GetOutputBook() override;
    Notebook* GetCentreBook() override;
    pmStatusBar* GetHostStatusBar() override;
    wxFrame* GetMainFrame() override;
    wxMenuBar* GetMainMenuBar() override;
    OutputWindow* GetOutputWindow() override;
    void ShowPane(const wxString& paneName, bool show) override;
    wxAuiManager* GetAuiManager() override;

private:
    MainFrame& m_frame;
    BitmapLoader& m_images;
    wxString m_baseDirectory;
};

#endif // PELMORA_APP_PELMORAHOSTMANAGER_H
