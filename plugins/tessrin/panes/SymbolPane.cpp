#include "panes/SymbolPane.h"

#include "common/IClientPlugin.h"
#include "common/pmSymbolPaneConfig.h"
#include "db/RecordStore.h"
#include "orders/HandOrderDlg.h"
#include "orders/OrderDialog.h"
#include "orders/SymbolOrders.h"
#include "panes/SymbolInfoDlg.h"
#include "panes/SymbolModel.h"
#include "panes/TranscationPanel.h"

#include <algorithm>
#include <pelmora/ColoursAndFontsManager.h>
#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <pelmora/HostManager.h>
#include <pelmora/Notebook.h>
#include <pelmora/pmDataViewCtrl.h>
#include <wx/app.h>
#include <wx/menu.h>
#include <wx/xrc/xmlres.h>

const wxEventType SymbolPane::kRebuildEventType = wxNewEventType();

namespace {
// A flash's end waits at least this long, so flashes ending close together
// end in one pass.
constexpr int kMinTimerMs = 20;
constexpr int kRowPadding = 20;

std::vector<ListColumn> ColumnTable()
{
    return {
        {_("Symbol"), SymbolModel::eSymbol, wxDATAVIEW_CELL_INERT, 125, wxALIGN_LEFT},
        {_("Bid"), SymbolModel::eBid, wxDATAVIEW_CELL_INERT, 65, wxALIGN_RIGHT},
        {_("Ask"), SymbolModel::eAsk, wxDATAVIEW_CELL_INERT, 65, wxALIGN_RIGHT},
        {_("Last"), SymbolModel::eLast, wxDATAVIEW_CELL_INERT, 60, wxALIGN_RIGHT},
        {_("High"), SymbolModel::eHigh, wxDATAVIEW_CELL_INERT, 60, wxALIGN_RIGHT},
        {_("Low"), SymbolModel::eLow, wxDATAVIEW_CELL_INERT, 60, wxALIGN_RIGHT},
        {_("SettlementPrice"), SymbolModel::eSettlementPrice, wxDATAVIEW_CELL_INERT, 60, wxALIGN_RIGHT},
        {_("Time"), SymbolModel::eTime, wxDATAVIEW_CELL_INERT, 80, wxALIGN_RIGHT},
    };
}

// The board of every market (0) orders its '1' and '2' symbols and hangs
// its '3' ones.
bool CanOrder(char marketType)
{
    return marketType == '1' || marketType == '2' || marketType == 0;
}
} // namespace

SymbolPane::SymbolPane(RecordStore* db, TranscationPanel* panel, HostManager* mgr, wxWindow* parent,
                       char marketType, RefreshClock* clock)
    : ListPane(db, mgr, parent), m_marketType(marketType), m_panel(panel)
{
    auto config = std::make_unique<pmSymbolPaneConfig>();
    config->AddDynColumn("m_bAsk", SymbolModel::eAsk, true);
    config->AddDynColumn("m_bBid", SymbolModel::eBid, true);
    config->AddDynColumn("m_bSettlementPrice", SymbolModel::eSettlementPrice, false);
    config->AddDynColumn("m_bShowHigh", SymbolModel::eHigh, false);
    config->AddDynColumn("m_bShowLow", SymbolModel::eLow, false);
    config->AddDynColumn("m_bShowLast", SymbolModel::eLast, false);
    m_config = config.get();
    ReadColumnConfig(pmSymbolPaneConfig::EntryName(m_marketType), std::move(config));

    if(db && db->m_symbol_Info_table) {
        db->m_symbol_Info_table->AddActionTrigger(this);
        m_triggerRegistered = true;
    }
    m_timer.SetOwner(this);

    LoadImages({"common/16/up", "common/16/down", "common/16/circle_dark", "common/16/circle_blue",
                "common/16/new_order", "common/16/chart", "common/16/move_up", "common/16/move_down",
                "common/16/symbol_info"});
    m_model = new SymbolModel(db, GetImages(), clock);
    CreateList(m_model, wxDV_MULTIPLE | wxDV_HORIZ_RULES | wxDV_VERT_RULES | wxBORDER_NONE);
    m_model->SetRepaintControl(GetList());
    // Flashes expire on the board's timer, set for the oldest one's end: one
    // wake-up per flash that ends, none while quotes keep them alive.
    m_model->SetFlashListener([this] {
        if(!m_timer.IsRunning()) {
            ExpireFlashesLater();
        }
    });
    AppendColumns(ColumnTable());
    for(unsigned int i = 0; i < GetList()->GetColumnCount(); ++i) {
        // A header click sorts; the model does, told by the sorted event.
        GetList()->GetColumn(i)->SetSortable(true);
    }
    // The text renderers are one line of the list's font high.
    GetList()->SetRowHeight(GetList()->GetCharHeight() + kRowPadding);
    PlaceList();

    ApplyTheme();

    ApplyColumnConfig();
    wxMenu* menu = BuildMenu();
    menu->Enable(XRCID("new_order"), CanOrder(m_marketType));
    BindHandlers();
    // A board made when its first symbol arrives heard of no symbol yet.
    PostRebuild();
}

SymbolPane::~SymbolPane()
{
    if(m_model) {
        m_model->SetFlashListener(nullptr); // the model may outlive the pane's timer
    }
    m_timer.Stop();
    UnbindHandlers();
    // The stored custom order is the last display order, whatever the sort.
    SnapshotCustomOrder();
    if(m_triggerRegistered && GetDatabase()) {
        GetDatabase()->m_symbol_Info_table->RemoveActionTrigger(this);
    }
}

bool SymbolPane::HasIcon(const ListColumn& column) const
{
    return column.modelColumn == SymbolModel::eSymbol;
}

wxMenu* SymbolPane::BuildMenu()
{
    return InitContextMenu({
        {"new_order", _("New Order"), eImageNewOrder},
        kSeparator,
        {"show_symbolInfo", _("SymbolInfo"), eImageSymbolInfo},
        kSeparator,
        {"new_chart", _("Chart Window"), eImageChart},
        kSeparator,
        {"symbol_restor", _("Restor Default Order"), -1},
        {"symbol_up", _("Up"), eImageUp},
        {"symbol_down", _("Down"), eImageDown},
        kSeparator,
    });
}

void SymbolPane::BindHandlers()
{
    Bind(wxEVT_TIMER, &SymbolPane::OnTimer, this);
    Bind(wxEVT_MENU, &SymbolPane::OnNewOrder, this, XRCID("new_order"));
    Bind(wxEVT_MENU, &SymbolPane::OnNewChart, this, XRCID("new_chart"));
    Bind(wxEVT_MENU, &SymbolPane::OnSymbolUp, this, XRCID("symbol_up"));
    Bind(wxEVT_MENU, &SymbolPane::OnSymbolDown, this, XRCID("symbol_down"));
    Bind(wxEVT_MENU, &SymbolPane::OnSymbolRestore, this, XRCID("symbol_restor"));
    Bind(wxEVT_MENU, &SymbolPane::OnShowSymbolInfo, this, XRCID("show_symbolInfo"));
    Bind(wxEventTypeTag<wxCommandEvent>(kRebuildEventType), &SymbolPane::OnRebuildEvent, this);
    EventNotifier::Get()->Bind(wxEVT_CMD_COLOURS_CHANGED, &SymbolPane::OnColoursChanged, this);
    GetList()->Bind(wxEVT_MOUSEWHEEL, &SymbolPane::OnMouseWheel, this);
    GetList()->Bind(wxEVT_DATAVIEW_COLUMN_SORTED, &SymbolPane::OnColumnSorted, this);
    GetList()->Bind(wxEVT_DATAVIEW_ITEM_ACTIVATED, &SymbolPane::OnItemActivated, this);
    GetList()->Bind(wxEVT_DATAVIEW_SELECTION_CHANGED, &SymbolPane::OnSelectionChanged, this);
    // The host's buy and sell tools reach the boards wherever they are used.
    if(wxTheApp) {
        wxTheApp->Bind(wxEVT_MENU, &SymbolPane::OnAppNewOrder, this, XRCID("new_buy_order"));
        wxTheApp->Bind(wxEVT_MENU, &SymbolPane::OnAppNewOrder, this, XRCID("new_sell_order"));
    }
}

void SymbolPane::UnbindHandlers()
{
    if(wxTheApp) {
        wxTheApp->Unbind(wxEVT_MENU, &SymbolPane::OnAppNewOrder, this, XRCID("new_buy_order"));
        wxTheApp->Unbind(wxEVT_MENU, &SymbolPane::OnAppNewOrder, this, XRCID("new_sell_order"));
    }
    GetList()->Unbind(wxEVT_MOUSEWHEEL, &SymbolPane::OnMouseWheel, this);
    GetList()->Unbind(wxEVT_DATAVIEW_COLUMN_SORTED, &SymbolPane::OnColumnSorted, this);
    GetList()->Unbind(wxEVT_DATAVIEW_ITEM_ACTIVATED, &SymbolPane::OnItemActivated, this);
    GetList()->Unbind(wxEVT_DATAVIEW_SELECTION_CHANGED, &SymbolPane::OnSelectionChanged, this);
    Unbind(wxEventTypeTag<wxCommandEvent>(kRebuildEventType), &SymbolPane::OnRebuildEvent, this);
    EventNotifier::Get()->Unbind(wxEVT_CMD_COLOURS_CHANGED, &SymbolPane::OnColoursChanged, this);
}

void SymbolPane::ApplyTheme()
{
    // The board and its list in the host's theme, the colours the model's
    // highlight is chosen by.
    const ColoursAndFontsManager& theme = ColoursAndFontsManager::Get();
    for(wxWindow* window : {static_cast<wxWindow*>(this), static_cast<wxWindow*>(GetList())}) {
        window->SetBackgroundColour(theme.GetBgColour());
        window->SetForegroundColour(theme.GetFgColour());
        window->Refresh();
    }
}

void SymbolPane::OnColoursChanged(wxCommandEvent& event)
{
    event.Skip();
    ApplyTheme();
}

SymbolModel* SymbolPane::GetModel() const
{
    return GetModelBase() ? m_model : nullptr;
}

void SymbolPane::afterAdd(const symbol_Info& stored, CTransaction* transaction, void* reserved)
{
    wxUnusedVar(stored);
    wxUnusedVar(transaction);
    wxUnusedVar(reserved);
    PostRebuild();
}

void SymbolPane::afterUpdate(const symbol_Info& stored, CTransaction* transaction, void* reserved)
{
    wxUnusedVar(transaction);
    wxUnusedVar(reserved);
    const int row = m_model->GetSymbolRow(&stored);
    if(row != -1) {
        m_model->RowChanged(static_cast<unsigned int>(row));
    } else if(m_marketType == 0 || stored.marketType == m_marketType) {
        // The symbols can arrive before the login is known (the market-data
        // front answered first, a re-login): every later answer updates them.
        PostRebuild();
    }
}

bool SymbolPane::beforeRemove(const symbol_Info& stored, CTransaction* transaction, void* reserved)
{
    wxUnusedVar(reserved);
    SymbolModelFactory& rows = m_model->GetRows();
    const auto row = rows.FindBySymbol(&stored);
    if(row != rows.GetIndexByPrimary().end()) {
        rows.Remove(row, transaction, 0);
    }
    PostRebuild();
    return true;
}

void SymbolPane::PostRebuild()
{
    if(m_rebuildPosted) {
        return;
    }
    m_rebuildPosted = true;
    wxCommandEvent event(kRebuildEventType, 0);
    AddPendingEvent(event);
}

void SymbolPane::OnRebuildEvent(wxCommandEvent& event)
{
    wxUnusedVar(event);
    if(m_rebuildPosted) {
        m_rebuildPosted = false;
    }
    Rebuild();
}

void SymbolPane::Rebuild()
{
    RecordStore* db = GetDatabase();
    if(!db || !m_model) {
        return;
    }
    const auto& logins = db->m_user_LoginInfo_table->GetIndexByPrimary();
    if(logins.empty()) {
        return;
    }
    const int userId = logins.begin()->userId;

    SymbolModelFactory& rows = m_model->GetRows();
    const auto& sequence = rows.GetIndex<BySequence>();
    for(std::size_t position = 0; position < sequence.size();) {
        if(sequence[position].m_userId != userId) {
            rows.Remove(sequence.begin() + static_cast<std::ptrdiff_t>(position));
        } else {
            ++position;
        }
    }
    // Symbols of another user (a login changing) are not listed: they would
    // be dropped again by the next rebuild.
    for(const symbol_Info& symbol : db->m_symbol_Info_table->GetIndexByPrimary()) {
        if(symbol.userId != userId || (m_marketType != 0 && symbol.marketType != m_marketType)) {
            continue;
        }
        if(rows.FindBySymbol(&symbol) == rows.GetIndexByPrimary().end()) {
            rows.Insert(SymbolModelRow{symbol.userId, symbol.symbolId, SymbolModel::eNoMark, &symbol});
        }
    }
    SortRows();
}

void SymbolPane::SetQuotesLive(bool live)
{
    if(m_model) {
        m_model->SetQuotesLive(live);
    }
}

void SymbolPane::SortRows()
{
    if(!m_model) {
        return;
    }
    if(wxDataViewColumn* sorted = GetList()->GetSortingColumn()) {
        m_config->m_sortType = pmSymbolPaneConfig::eColumnSort;
        m_config->m_nSortColumn = GetList()->GetColumnPosition(sorted);
        m_config->m_bSortAsc = sorted->IsSortOrderAscending();
    } else if(m_config->m_sortType == pmSymbolPaneConfig::eColumnSort) {
        m_config->m_sortType = pmSymbolPaneConfig::eNoSort;
    }
    switch(m_config->m_sortType) {
    case pmSymbolPaneConfig::eColumnSort:
        if(m_config->m_nSortColumn >= 0 && m_config->m_nSortColumn < SymbolModel::eColumnCount) {
            m_model->SortByColumn(static_cast<unsigned int>(m_config->m_nSortColumn), m_config->m_bSortAsc);
        }
        break;
    case pmSymbolPaneConfig::eCustomSort:
        m_model->SortByCustomOrder(m_config->m_customSymbols);
        break;
    default:
        break;
    }
    PublishOrder();
    GetList()->RefreshRows(); // the rows stand in another order
}

void SymbolPane::PublishOrder()
{
    g_symbolOrders[m_marketType] = m_model->GetSymbolCodes();
}

void SymbolPane::SnapshotCustomOrder()
{
    if(m_model && m_model->GetRows().GetCount() > 0) {
        m_config->m_customSymbols = m_model->GetSymbolCodes();
    }
}

const symbol_Info* SymbolPane::GetSelectedSymbol() const
{
    if(!m_model || !GetList()->HasSelection()) {
        return nullptr;
    }
    const wxDataViewItem item = GetList()->GetSelection();
    return item.IsOk() ? m_model->GetSymbolAt(m_model->GetRow(item)) : nullptr;
}

const symbol_Info* SymbolPane::GetActionSymbol() const
{
    if(const symbol_Info* selected = GetSelectedSymbol()) {
        return selected;
    }
    return m_model ? m_model->GetSymbolAt(0) : nullptr;
}

void SymbolPane::SelectRow(int row)
{
    GetList()->UnselectAll();
    if(row >= 0 && static_cast<unsigned int>(row) < m_model->GetRows().GetCount()) {
        const wxDataViewItem item = m_model->GetItem(static_cast<unsigned int>(row));
        GetList()->Select(item);
        GetList()->EnsureVisible(item);
    }
}

int SymbolPane::MoveSelected(int step)
{
    const symbol_Info* selected = GetSelectedSymbol();
    if(!selected) {
        return -1;
    }
    SnapshotCustomOrder();
    wxArrayString& codes = m_config->m_customSymbols;
    const int index = codes.Index(selected->symbolCode, true);
    const int count = static_cast<int>(m_model->GetRows().GetCount());
    int result = index;
    if(step < 0 && index > 0) {
        std::swap(codes[index - 1], codes[index]);
        result = index - 1;
    } else if(step > 0 && index >= 0 && index < count - 1) {
        std::swap(codes[index], codes[index + 1]);
        result = index + 1;
    }
    m_config->m_sortType = pmSymbolPaneConfig::eCustomSort;
    SortRows();
    SelectRow(result);
    return result;
}

void SymbolPane::RestoreDefaultOrder()
{
    const symbol_Info* selected = GetSelectedSymbol();
    const int position = selected ? m_model->GetSymbolRow(selected) : -1;
    m_model->SortByDefaultOrder();
    PublishOrder();
    MoveSelected(0);
    if(position >= 0) {
        SelectRow(position);
    }
    GetList()->RefreshRows();
    Refresh();
}

void SymbolPane::ActivateColumn(int modelColumn)
{
    const symbol_Info* symbol = GetActionSymbol();
    if(!symbol) {
        return;
    }
    const bool chartColumn = modelColumn == SymbolModel::eSymbol || modelColumn == SymbolModel::eTime;
    if(symbol->marketType == '4') {
        if(chartColumn || modelColumn == SymbolModel::eBid || modelColumn == SymbolModel::eAsk) {
            wxCommandEvent none;
            OnNewChart(none);
        }
        return;
    }
    if(chartColumn) {
        wxCommandEvent none;
        OnNewChart(none);
        return;
    }
    OpenOrder(symbol, modelColumn == SymbolModel::eAsk ? 'b' : 's');
}

void SymbolPane::OpenOrder(const symbol_Info* symbol, char side)
{
    RecordStore* db = GetDatabase();
    if(!symbol || !symbol->GetAccount(db) || !symbol->GetSymbolProperty(db) ||
       !symbol->cachedAccount->GetLoginInfo(db)) {
        return;
    }
    switch(symbol->marketType) {
    case '1':
    case '2': {
        if(OrderDialog::HasNewOrderDialog(symbol->symbolId)) {
            return;
        }
        // The dialog lists the symbol's own market, also when the symbol
        // comes from the chart in front or from the board of every market.
        OrderDialog* dialog = OrderDialog::Create(db, GetManager(), symbol->marketType);
        if(!dialog) {
            return;
        }
        dialog->m_pSymbolInfo = symbol;
        dialog->m_symbolId = symbol->symbolId;
        dialog->m_direction = side;
        dialog->m_orderType = eMarketOrder;
        dialog->m_openCloseType = eOpen;
        OrderDialog::PlaceNearLast(dialog);
        break;
    }
    case '3': {
        HandOrderDlg dialog(nullptr, db);
        dialog.SetMode(0);
        dialog.SetSide(side);
        dialog.SetSymbolName(symbol->cachedSymbolProperty->symbolName);
        dialog.ShowModal();
        break;
    }
    default:
        break;
    }
}

void SymbolPane::ShowSymbolInfo()
{
    const symbol_Info* symbol = GetSelectedSymbol();
    if(!symbol || !symbol->GetSymbolProperty(GetDatabase())) {
        return;
    }
    SymbolInfoDlg dialog(nullptr, wxID_ANY, _("symbolInfoDlg"));
    dialog.SetSymbol(*symbol);
    dialog.ShowModal();
}

void SymbolPane::OnTimer(wxTimerEvent& event)
{
    wxUnusedVar(event);
    if(m_model && !m_model->ExpireHighlights()) {
        ExpireFlashesLater();
    }
}

void SymbolPane::ExpireFlashesLater()
{
    m_timer.StartOnce(std::max(kMinTimerMs, m_model->GetMsToNextExpiry()));
}

void SymbolPane::OnNewOrder(wxCommandEvent& event)
{
    wxUnusedVar(event);
    // The side follows the column under the mouse: Ask buys.
    char side = 's';
    wxDataViewItem item;
    wxDataViewColumn* column = nullptr;
    GetList()->HitTest(GetList()->ScreenToClient(wxGetMousePosition()), item, column);
    if(column && column->GetModelColumn() == SymbolModel::eAsk) {
        side = 'b';
    }
    OpenOrder(GetActionSymbol(), side);
}

void SymbolPane::OnAppNewOrder(wxCommandEvent& event)
{
    const char side = event.GetId() == XRCID("new_buy_order") ? 'b' : 's';
    // The chart in front names the symbol, whichever board is asked.
    if(const symbol_Info* charted = g_plugin ? g_plugin->GetChartSymbolInFront() : nullptr) {
        OpenOrder(charted, side);
        return;
    }
    // Otherwise the board in front orders its selection; with none in front
    // the OTC board does. The others let the command pass on.
    Notebook* workspace = GetManager() ? GetManager()->GetWorkspaceBook() : nullptr;
    wxWindow* front = workspace ? workspace->GetCurrentPage() : nullptr;
    const bool boardInFront = dynamic_cast<SymbolPane*>(front) != nullptr;
    if(boardInFront ? front != this : m_marketType != '1') {
        event.Skip();
        return;
    }
    OpenOrder(GetActionSymbol(), side);
}

void SymbolPane::OnNewChart(wxCommandEvent& event)
{
    wxUnusedVar(event);
    const symbol_Info* symbol = GetActionSymbol();
    if(symbol && g_plugin) {
        g_plugin->ShowChartWindow(*symbol, true);
    }
}

void SymbolPane::OnSymbolUp(wxCommandEvent& event)
{
    wxUnusedVar(event);
    MoveSelected(-1);
}

void SymbolPane::OnSymbolDown(wxCommandEvent& event)
{
    wxUnusedVar(event);
    MoveSelected(1);
}

void SymbolPane::OnSymbolRestore(wxCommandEvent& event)
{
    wxUnusedVar(event);
    RestoreDefaultOrder();
}

void SymbolPane::OnShowSymbolInfo(wxCommandEvent& event)
{
    wxUnusedVar(event);
    ShowSymbolInfo();
}

void SymbolPane::OnMouseWheel(wxMouseEvent& event)
{
    if(!event.ControlDown()) {
        event.Skip(); // the list scrolls
        return;
    }
    wxFont font = GetList()->GetFont();
    GetList()->SetFont(event.GetWheelRotation() > 0 ? font.Larger() : font.Smaller());
    GetList()->Refresh();
}

void SymbolPane::OnColumnSorted(wxDataViewEvent& event)
{
    wxUnusedVar(event);
    SortRows();
}

void SymbolPane::OnItemActivated(wxDataViewEvent& event)
{
    const wxDataViewColumn* column = event.GetDataViewColumn();
    ActivateColumn(column ? static_cast<int>(column->GetModelColumn()) : event.GetColumn());
}

void SymbolPane::OnSelectionChanged(wxDataViewEvent& event)
{
    event.Skip();
    const symbol_Info* symbol = GetSelectedSymbol();
    if(!m_panel || !symbol || symbol->marketType != '1' || !symbol->GetSymbolProperty(GetDatabase())) {
        return;
    }
    m_panel->SetSymbol(symbol);
    m_panel->LoadOrderConfig(symbol->cachedSymbolProperty->symbolCode);
}
