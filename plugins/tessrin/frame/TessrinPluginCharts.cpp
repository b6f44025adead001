// Symbol pages of the centre notebook: opened for a symbol, gathered and
// closed at shut-down. Market type '3' has hang-order pages; the chart pages
// of the other market types come with the chart windows.
#include "db/RecordStore.h"
#include "frame/TessrinPlugin.h"
#include "orders/HangOrderPane.h"

#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <wx/imaglist.h>

namespace {
constexpr int kChartPageImage = 3; // "output-pane/24/chart"
} // namespace

void TessrinPlugin::ShowChartWindow(const symbol_Info& symbol, bool select)
{
    Notebook* book = m_mgr ? m_mgr->GetCentreBook() : nullptr;
    if(!m_db || !book || !symbol.GetSymbolProperty(m_db.get())) {
        return;
    }
    if(symbol.marketType != '3') {
        return;
    }
    for(size_t i = 0; i < book->GetPageCount(); ++i) {
        const auto* open = dynamic_cast<const HangOrderPane*>(book->GetPage(i));
        if(open && open->GetCaption() == symbol.symbolCode) {
            book->SetSelection(i, false);
            return;
        }
    }
    auto* pane = new HangOrderPane(book, m_db.get(), symbol, m_mgr);
    pane->Bind(wxEVT_KEY_UP, &TessrinPlugin::OnKeyUp, this);
    const wxBitmap image = m_pageImages && m_pageImages->GetImageCount() > kChartPageImage
                               ? m_pageImages->GetBitmap(kChartPageImage)
                               : wxNullBitmap;
    book->AddPage(pane, symbol.cachedSymbolProperty->symbolName, select, image);
}

wxArrayString TessrinPlugin::CloseChartPages()
{
    wxArrayString names;
    Notebook* book = m_mgr ? m_mgr->GetCentreBook() : nullptr;
    if(!book) {
        return names;
    }
    size_t index = 0;
    while(index < book->GetPageCount()) {
        auto* pane = dynamic_cast<HangOrderPane*>(book->GetPage(index));
        if(!pane) {
            ++index; // other pages stay
            continue;
        }
        names.Add(pane->GetCaption());
        if(book->GetPageCount() > 1) {
            book->SetSelection(index == 0 ? 1 : index - 1, false);
        }
        book->RemovePage(index, false);
        // A child window goes at once: the pane leaves the store and the
        // login table while both exist, and writes the store to its file.
        pane->Destroy();
    }
    return names;
}
