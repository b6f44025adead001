#include "PelmoraHostManager.h"

#include "MainFrame.h"

PelmoraHostManager::PelmoraHostManager(MainFrame& frame, BitmapLoader& images, const wxString& baseDirectory)
    : m_frame(frame), m_images(images), m_baseDirectory(baseDirectory)
{}

Notebook* PelmoraHostManager::GetWorkspaceBook()
{
    return m_frame.GetWorkspaceBook();
}

Notebook* PelmoraHostManager::GetOutputBook()
{
    return m_frame.GetOutputBook();
}

Notebook* PelmoraHostManager::GetCentreBook()
{
    return m_frame.GetCentreBook();
}

pmStatusBar* PelmoraHostManager::GetHostStatusBar()
{
    return m_frame.GetHostStatusBar();
}

wxFrame* PelmoraHostManager::GetMainFrame()
{
    return &m_frame;
}

wxMenuBar* PelmoraHostManager::GetMainMenuBar()
{
    return m_frame.GetMenuBar();
}

OutputWindow* PelmoraHostManager::GetOutputWindow()
{
    return m_frame.GetOutputWindow();
}

void PelmoraHostManager::ShowPane(const wxString& paneName, bool show)
{
    m_frame.ShowPane(paneName, show);
}

wxAuiManager* PelmoraHostManager::GetAuiManager()
{
    return m_frame.GetAuiManager();
}
