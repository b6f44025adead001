#include "panes/PriceReportPane.h"

#include "common/IClientPlugin.h"
#include "connection/Client.h"
#include "connection/RequestNotify.h"
#include "db/RecordStore.h"
#include "db/symbol_Info.h"
#include "panes/pmPriceReportConfig.h"

#include <pelmora/ColoursAndFontsManager.h>

namespace {

// The grid's header is hidden and its columns fixed: their titles are names.
const std::vector<ListColumn>& Columns()
{
    static const std::vector<ListColumn> table{
        {"C1", PriceReportModel::eLabel, wxDATAVIEW_CELL_INERT, 60, wxALIGN_LEFT},
        {"C2", PriceReportModel::ePrice, wxDATAVIEW_CELL_INERT, 60, wxALIGN_RIGHT},
        {"C3", PriceReportModel::eGap, wxDATAVIEW_CELL_INERT, 60, wxALIGN_RIGHT},
        {"C4", PriceReportModel::eVolume, wxDATAVIEW_CELL_INERT, 60, wxALIGN_RIGHT},
    };
    return table;
}

int QueryThroughPlugin(int symbolId)
{
    Client* client = LoginClient();
    return client ? client->ReqQryPriceReport(symbolId) : -1;
}

constexpr int kRowPadding = 8;

} // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(PriceReportPane, ListPane)
    EVT_TIMER(wxID_ANY, PriceReportPane::OnRetryTimer)
wxEND_EVENT_TABLE()
    // clang-format on

    PriceReportPane::PriceReportPane(RecordStore* db, HostManager* mgr, wxWindow* parent,
                                     const symbol_Info& symbol)
    : PriceReportPane(db, mgr, parent, symbol, QueryThroughPlugin, nullptr)
{}

PriceReportPane::PriceReportPane(RecordStore* db, HostManager* mgr, wxWindow* parent,
                                 const symbol_Info& symbol, LevelQuery query, RequestNotify* registry)
    : ListPane(db, mgr, parent), m_symbolId(symbol.symbolId), m_query(std::move(query)),
      m_wait(this, registry)
{
    Build();
    if(!GetModel()->FindLevels()) {
        const int id = m_query ? m_query(m_symbolId) : -1;
        if(id >= 0) {
            StartWaitting(id);
        }
    }
    m_timer.SetOwner(this);
    m_timer.Start(kRetryMs);
}

PriceReportPane::~PriceReportPane()
{
    m_timer.Stop();
    m_wait.Drop();
    // The control lets go of the layout before the object goes.
    if(GetList()) {
        GetList()->SetConfig(nullptr);
    }
    m_pConfig.reset();
}

void PriceReportPane::Build()
{
    CreateList(new PriceReportModel(GetDatabase(), m_symbolId),
               wxDV_NO_HEADER | wxDV_HORIZ_RULES | wxDV_VERT_RULES | wxBORDER_NONE);
    AppendColumns(Columns());
    SetRowHeight();
    GetSizer()->Add(GetList(), 1, wxEXPAND | wxALL, 1);
    Layout();

    const ColoursAndFontsManager& theme = ColoursAndFontsManager::Get();
    SetBackgroundColour(theme.GetBgColour());
    SetForegroundColour(theme.GetFgColour());

    m_pConfig = std::make_unique<pmPriceReportConfig>(GetList());
    GetList()->SetConfig(m_pConfig.get());
}

void PriceReportPane::SetRowHeight()
{
    // The text renderers all take one line of the list's font.
    const int natural = GetList()->GetCharHeight();
    // GTK may refuse a fixed height; the rows then keep the toolkit's own.
    GetList()->SetRowHeight(natural + kRowPadding);
}

void PriceReportPane::SetColours(wxColour background, wxColour foreground)
{
    SetBackgroundColour(background);
    SetForegroundColour(foreground);
    GetList()->SetBackgroundColour(background);
    GetList()->SetForegroundColour(foreground);
    Refresh(true);
    GetList()->Refresh(true);
}

bool PriceReportPane::RequestPriceLevels()
{
    if(GetModel()->FindLevels()) {
        return true;
    }
    // One query at a time: while one is on its way nothing more is sent.
    if(m_wait.IsWaiting()) {
        return true;
    }
    const int id = m_query ? m_query(m_symbolId) : -1;
    if(id < 0) {
        return false;
    }
    StartWaitting(id);
    return true;
}

void PriceReportPane::StartWaitting(int requestId)
{
    wxASSERT_MSG(!m_wait.IsWaiting(), "m_bWaitting == false");
    if(m_wait.IsWaiting()) {
        return;
    }
    m_wait.Start(requestId, kTimeoutMs);
}

void PriceReportPane::OnResponse(int requestId, int errorCode, const wxString& text)
{
    // The rows change through the table; the answer only ends the wait.
    wxUnusedVar(errorCode);
    wxUnusedVar(text);
    m_wait.End(requestId);
}

void PriceReportPane::OnResponseTimeOut(int requestId)
{
    wxUnusedVar(requestId);
    if(!m_wait.IsWaiting()) {
        return;
    }
    m_wait.Drop();
    RequestPriceLevels();
}

void PriceReportPane::OnRetryTimer(wxTimerEvent& event)
{
    wxUnusedVar(event);
    if(RequestPriceLevels()) {
        m_timer.Stop();
    }
}
