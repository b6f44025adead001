#include "app/ChartPages.h"

#include "charts/CharViewPanelMgr.h"
#include "charts/ChartViewerPanel.h"
#include "charts/HistoryQuoteMgr.h"
#include "db/RecordStore.h"
#include "frame/TessrinPlugin.h"
#include "orders/HangOrderPane.h"

#include <pelmora/Notebook.h>
#include <pelmora/pmChartViewer.h>

namespace {
constexpr int kChartPageImage = 3; // "output-pane/24/chart"
} // namespace

ChartPages::ChartPages(TessrinPlugin& plugin) : m_plugin(plugin) {}

ChartPages::~ChartPages() = default;

void ChartPages::Start()
{
    m_pChartViewMgr = std::make_unique<CharViewPanelMgr>(m_plugin.GetDatabase());
}

ChartViewerPanel* ChartPages::GetChartInFront() const
{
    Notebook* book = m_plugin.CentreBook();
    const int selection = book ? book->GetSelection() : wxNOT_FOUND;
    if(selection == wxNOT_FOUND) {
        return nullptr;
    }
    return dynamic_cast<ChartViewerPanel*>(book->GetPage(static_cast<size_t>(selection)));
}

const symbol_Info* ChartPages::GetChartSymbolInFront() const
{
    const ChartViewerPanel* chart = GetChartInFront();
    return chart ? chart->GetSymbolInfo() : nullptr;
}

void ChartPages::ShowChartWindow(const symbol_Info& symbol, bool select)
{
    Notebook* book = m_plugin.CentreBook();
    RecordStore* db = m_plugin.GetDatabase();
    if(!db || !symbol.GetSymbolProperty(db) || !book) {
        return;
    }
    const wxString caption = symbol.cachedSymbolProperty->symbolName;
    const wxBitmap image = m_plugin.GetPageImage(kChartPageImage);
    if(symbol.marketType == '3') {
        for(size_t i = 0; i < book->GetPageCount(); ++i) {
            const auto* open = dynamic_cast<const HangOrderPane*>(book->GetPage(i));
            if(open && open->GetCaption() == symbol.symbolCode) {
                book->SetSelection(i, false);
                return;
            }
        }
        auto* pane = new HangOrderPane(book, db, symbol, m_plugin.GetManager());
        pane->Bind(wxEVT_KEY_UP, &TessrinPlugin::OnKeyUp, &m_plugin);
        book->AddPage(pane, caption, select, image);
        return;
    }
    if(!m_pChartViewMgr) {
        return;
    }
    if(ChartViewerPanel* open = m_pChartViewMgr->FindPanel(symbol.symbolCode)) {
        const int index = book->GetPageIndex(open);
        if(index != wxNOT_FOUND) {
            book->SetSelection(static_cast<size_t>(index), false);
        }
        return;
    }
    auto* panel = new ChartViewerPanel(book, db, symbol, m_plugin.GetManager());
    panel->GetChartView()->Bind(wxEVT_KEY_UP, &TessrinPlugin::OnKeyUp, &m_plugin);
    book->AddPage(panel, caption, select, image);
    m_pChartViewMgr->AddPanel(panel);
}

std::optional<IChartPages::FrontTools> ChartPages::ToolsOf(wxWindow* page) const
{
    const auto* chart = dynamic_cast<const ChartViewerPanel*>(page);
    if(!chart) {
        return std::nullopt;
    }
    // A symbol gone from the table has nothing to order.
    const symbol_Info* symbol = chart->GetSymbolInfo();
    return FrontTools{chart->GetBarType(), chart->GetPeriod(),
                      symbol && (symbol->marketType == '1' || symbol->marketType == '2')};
}

bool ChartPages::ForgetClosedPage(wxWindow* page)
{
    auto* chart = dynamic_cast<ChartViewerPanel*>(page);
    if(!chart || !m_pChartViewMgr) {
        return false;
    }
    m_pChartViewMgr->RemovePanel(chart);
    return m_pChartViewMgr->GetChartViewPanels().empty();
}

wxArrayString ChartPages::CloseChartPages(wxString& activeView)
{
    wxArrayString names;
    Notebook* book = m_plugin.CentreBook();
    if(!book) {
        return names;
    }
    if(ChartViewerPanel* front = GetChartInFront()) {
        activeView = front->GetViewName();
    }
    size_t index = 0;
    while(index < book->GetPageCount()) {
        wxWindow* page = book->GetPage(index);
        auto* chart = dynamic_cast<ChartViewerPanel*>(page);
        auto* hang = chart ? nullptr : dynamic_cast<HangOrderPane*>(page);
        if(!chart && !hang) {
            ++index; // other pages stay
            continue;
        }
        names.Add(chart ? chart->GetViewName() : hang->GetCaption());
        if(book->GetPageCount() > 1) {
            book->SetSelection(index == 0 ? 1 : index - 1, false);
        }
        if(chart) {
            book->RemovePage(index);
            if(m_pChartViewMgr) {
                m_pChartViewMgr->RemovePanel(chart);
            }
            chart->Destroy();
        } else {
            book->RemovePage(index, false);
            // A child window goes at once: the pane leaves the store and the
            // login table while both exist, and writes the store to its file.
            hang->Destroy();
        }
    }
    return names;
}

void ChartPages::ReleaseManager(bool pagesClosed)
{
    if(pagesClosed && m_pChartViewMgr) {
        wxASSERT(m_pChartViewMgr->GetChartViewPanels().empty());
    }
    m_pChartViewMgr.reset();
}

void ChartPages::ReleaseHistories()
{
    HistoryQuoteMgr::Release();
}
