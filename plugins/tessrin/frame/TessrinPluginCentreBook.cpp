// The centre notebook as the plug-in object sees it: the tools follow the
// page in front. The symbol pages themselves are the chart pages part's.
#include "frame/TessrinPlugin.h"

#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <wx/aui/auibar.h>

Notebook* TessrinPlugin::CentreBook() const
{
    return m_centreBook.get();
}

void TessrinPlugin::ConnectCentreBook()
{
    if(!m_centreBook && m_mgr) {
        m_centreBook = m_mgr->GetCentreBook();
    }
    Notebook* book = CentreBook();
    if(!book || m_centreBookConnected) {
        return;
    }
    book->Bind(wxEVT_AUINOTEBOOK_PAGE_CHANGING, &TessrinPlugin::OnNotebookPageChanging, this);
    book->Bind(wxEVT_AUINOTEBOOK_PAGE_CLOSE, &TessrinPlugin::OnNotebookPageClose, this);
    m_centreBookConnected = true;
}

void TessrinPlugin::DisconnectCentreBook()
{
    Notebook* book = CentreBook();
    if(book && m_centreBookConnected) {
        book->Unbind(wxEVT_AUINOTEBOOK_PAGE_CHANGING, &TessrinPlugin::OnNotebookPageChanging, this);
        book->Unbind(wxEVT_AUINOTEBOOK_PAGE_CLOSE, &TessrinPlugin::OnNotebookPageClose, this);
    }
    m_centreBookConnected = false;
}

ChartViewerPanel* TessrinPlugin::GetChartInFront() const
{
    return m_parts.charts->GetChartInFront();
}

const symbol_Info* TessrinPlugin::GetChartSymbolInFront() const
{
    return m_parts.charts->GetChartSymbolInFront();
}

void TessrinPlugin::ShowChartWindow(const symbol_Info& symbol, bool select)
{
    m_parts.charts->ShowChartWindow(symbol, select);
}

void TessrinPlugin::OnNotebookPageChanging(wxAuiNotebookEvent& event)
{
    event.Skip();
    Notebook* book = CentreBook();
    const int selection = event.GetSelection();
    wxWindow* page = book && selection >= 0 && static_cast<size_t>(selection) < book->GetPageCount()
                         ? book->GetPage(static_cast<size_t>(selection))
                         : nullptr;
    const std::optional<IChartPages::FrontTools> tools = m_parts.charts->ToolsOf(page);
    if(!tools) {
        UpdateChartTypeTools(false);
        UpdatePeriodTools(false);
        UpdateOrderTools(false);
        m_toolBar.Refresh();
        return;
    }
    UpdateChartTypeTools(true);
    UpdatePeriodTools(true);
    ToggleChartTypeTool(tools->barType);
    m_toolBar.TogglePeriodTool(tools->period);
    m_toolBar.Refresh();
    UpdateOrderTools(tools->orders);
}

void TessrinPlugin::OnNotebookPageClose(wxAuiNotebookEvent& event)
{
    event.Skip();
    Notebook* book = CentreBook();
    const int selection = event.GetSelection();
    if(!book || selection == wxNOT_FOUND || static_cast<size_t>(selection) >= book->GetPageCount()) {
        return;
    }
    if(m_parts.charts->ForgetClosedPage(book->GetPage(static_cast<size_t>(selection)))) {
        UpdateChartTypeTools(false);
        UpdatePeriodTools(false);
        UpdateOrderTools(false);
        m_toolBar.Refresh();
    }
}
