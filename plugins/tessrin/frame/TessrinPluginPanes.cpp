// The panes the plug-in shows from start-up and their removal at shut-down;
// the panes themselves are the pane set's.
#include "frame/TessrinPlugin.h"

#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <wx/frame.h>

void TessrinPlugin::CreatePanes()
{
    m_parts.panes->CreatePanes();
    BuildToolBar(m_mgr ? m_mgr->GetMainFrame() : nullptr);
    ShowQuickOrderButton();
    m_parts.panes->DockPanes();
    if(Notebook* output = m_mgr ? m_mgr->GetOutputBook() : nullptr) {
        output->DisableTopBottomDrag();
    }
}

void TessrinPlugin::AddBinaryOptionPages()
{
    m_parts.panes->AddBinaryOptionPages();
}

void TessrinPlugin::AddBinaryOptionSymbolPage()
{
    m_parts.panes->AddBinaryOptionSymbolPage();
}

void TessrinPlugin::AddOtcSymbolPage()
{
    m_parts.panes->AddOtcSymbolPage();
}

void TessrinPlugin::AddAllSymbolPage()
{
    m_parts.panes->AddAllSymbolPage();
}

void TessrinPlugin::RemovePanes()
{
    m_parts.panes->RemovePanes();
}
