#include "history/HistoryPane.h"

#include "history/HistoryCashPanel.h"
#include "history/HistoryInOutMoneyPanel.h"
#include "history/HistoryLimitPane.h"
#include "history/HistoryMinTradePane.h"
#include "history/HistoryOrderPane.h"

#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <pelmora/Notebook.h>
#include <wx/intl.h>
#include <wx/sizer.h>

namespace {
// Tabs on top, no close buttons, no dragging out: the output panes' look.
constexpr long kNotebookStyle = wxAUI_NB_TOP | wxAUI_NB_SCROLL_BUTTONS | wxBORDER_NONE;
} // namespace

HistoryPane::HistoryPane(RecordStore* db, HostManager* mgr, wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER), m_db(db),
      m_mgr(mgr)
{
    CreateControls();
    EventNotifier::Get()->Bind(wxEVT_CMD_COLOURS_CHANGED, &HistoryPane::OnColoursChanged, this);
}

HistoryPane::~HistoryPane()
{
    EventNotifier::Get()->Unbind(wxEVT_CMD_COLOURS_CHANGED, &HistoryPane::OnColoursChanged, this);
}

void HistoryPane::CreateControls()
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(sizer);
    m_notebook = new Notebook(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, kNotebookStyle);
    sizer->Add(m_notebook, 1, wxEXPAND | wxALL, 0);

    m_notebook->AddPage(new HistoryOrderPane(m_db, m_mgr, m_notebook), _("Closed History"), false);
    m_notebook->AddPage(new HistoryLimitPane(m_db, m_mgr, m_notebook), _("Limit History"), false);
    m_notebook->AddPage(new HistoryCashPanel(m_db, m_mgr, m_notebook), _("Cash History"), false);
    m_notebook->AddPage(new HistoryInOutMoneyPanel(m_db, m_mgr, m_notebook), _("InOutMoney History"), false);

    // An initial size: a minimum would widen the output notebook.
    SetSize(200, 100);
    sizer->Layout();
}

void HistoryPane::AddBinaryOptionPage()
{
    if(m_binaryPageAdded) {
        return;
    }
    m_notebook->AddPage(new HistoryMinTradePane(m_db, m_mgr, m_notebook), _("Binary Op History"), false);
    m_binaryPageAdded = true;
}

void HistoryPane::ForgetLogin()
{
    for(size_t i = 0; i < m_notebook->GetPageCount(); ++i) {
        if(auto* page = dynamic_cast<HistoryQryCtl*>(m_notebook->GetPage(i))) {
            page->ForgetLogin();
        }
    }
}

void HistoryPane::OnColoursChanged(wxCommandEvent& event)
{
    Refresh(true);
    event.Skip();
}
