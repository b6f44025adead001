#include "panes/PositionPane.h"

#include "common/IClientPlugin.h"
#include "common/SettingsAccessors.h"
#include "orders/OrderDialog.h"

#include <pelmora/pmDataViewHyperlinkRenderer.h>
#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/xrc/xmlres.h>

namespace {

std::vector<ListColumn> Columns()
{
    constexpr int inert = wxDATAVIEW_CELL_INERT;
    constexpr int centre = wxALIGN_CENTER_HORIZONTAL;
    return {RowNumberColumn(45),
            {_("Market"), PositionModel::eMarket, inert, 100, centre},
            {_("Symbol"), PositionModel::eSymbol, inert, 100, centre},
            {_("priceAvgBuy"), PositionModel::ePriceAvgBuy, inert, 80, centre},
            {_("priceAvgSell"), PositionModel::ePriceAvgSell, inert, 80, centre},
            {_("quantityBuy"), PositionModel::eQuantityBuy, inert, 50, centre},
            {_("quantitySell"), PositionModel::eQuantitySell, inert, 50, centre},
            {_("DynProfit"), PositionModel::eDynProfit, inert, 80, centre}};
}

} // namespace

PositionPane::PositionPane(RecordStore* db, HostManager* mgr, wxWindow* parent)
    : RecordListPane(db, mgr, parent)
{
    CreateList(new PositionModel(db, PluginRefreshClock()));
    AppendColumns(Columns());
    LoadImages({"common/16/new_order", "common/16/close_order"});
    PlaceList();
    GetList()->Bind(wxEVT_DATAVIEW_ITEM_ACTIVATED, &PositionPane::OnItemActivated, this);
    m_menu = InitContextMenu({{"new_order", _("New Order\tF9"), -1},
                              kSeparator,
                              {"close_position_buy", _("Close Position(Buy)"), -1},
                              {"close_position_sell", _("Close Position(Sell)"), -1},
                              kSeparator});
    GetList()->HookPopupMenu([this](wxDataViewEvent& event) { return OnPopupMenu(event); });
    LoadColumnConfig(kConfigName);

    Bind(wxEVT_MENU, &PositionPane::OnClosePositionCommand, this, XRCID("close_position_buy"));
    Bind(wxEVT_MENU, &PositionPane::OnClosePositionCommand, this, XRCID("close_position_sell"));
    Bind(wxEVT_MENU, &PositionPane::OnNewOrderCommand, this, XRCID("new_order"));
}

PositionPane::~PositionPane()
{
    // The control outlives this part of the pane: it must not call back.
    GetList()->HookPopupMenu(nullptr);
    GetList()->Unbind(wxEVT_DATAVIEW_ITEM_ACTIVATED, &PositionPane::OnItemActivated, this);
}

wxDataViewRenderer* PositionPane::CreateRenderer(const ListColumn& column)
{
    if(column.modelColumn == PositionModel::eQuantityBuy ||
       column.modelColumn == PositionModel::eQuantitySell) {
        return CreateLinkRenderer(column);
    }
    return nullptr;
}

bool PositionPane::OnPopupMenu(wxDataViewEvent& event)
{
    const PositionModel* model = GetModel();
    const trade_Position* position = model ? model->GetRecord(event.GetItem()) : nullptr;
    const PositionMenuState state = DecidePositionMenu(position);
    if(!state.hookAnswer && m_menu) {
        m_menu->Enable(XRCID("close_position_buy"), state.closeBuyEnabled);
        m_menu->Enable(XRCID("close_position_sell"), state.closeSellEnabled);
    }
    return state.hookAnswer;
}

void PositionPane::OnClosePositionCommand(wxCommandEvent& event)
{
    ClosePosition(event.GetId() == XRCID("close_position_buy") ? PositionSide::Buy : PositionSide::Sell);
}

void PositionPane::OnNewOrderCommand(wxCommandEvent& event)
{
    NewOrder(NewOrderDirection(event.GetInt()));
}

void PositionPane::OnLinkClicked(wxDataViewEvent& event)
{
    const wxDataViewItem item = event.GetItem();
    if(!item.IsOk()) {
        return;
    }
    // Select alone would add the row to a multiple selection, on which the
    // close acts on nothing.
    GetList()->UnselectAll();
    GetList()->Select(item);
    if(event.GetColumn() == PositionModel::eQuantityBuy) {
        ClosePosition(PositionSide::Buy);
    } else if(event.GetColumn() == PositionModel::eQuantitySell) {
        ClosePosition(PositionSide::Sell);
    }
}

void PositionPane::OnItemActivated(wxDataViewEvent& event)
{
    wxDataViewItemArray selection;
    GetList()->GetSelections(selection);
    if(selection.size() != 1) {
        return;
    }
    const std::optional<PositionSide> side = ActivatedSide(event.GetColumn());
    if(!side) {
        return;
    }
    if(GetDblClickHoldDetailClose() == 1) {
        NewOrder(*side == PositionSide::Buy ? 'b' : 's');
    } else {
        ClosePosition(*side);
    }
}

void PositionPane::ClosePosition(PositionSide side)
{
    const trade_Position* position = GetSelectedRecord();
    RecordStore* db = GetDatabase();
    if(!position || !position->GetSymbolInfo(db)) {
        return;
    }
    const symbol_Info& symbol = *position->cachedSymbolInfo;
    if(!symbol.GetAccount(db) || !symbol.cachedAccount->GetLoginInfo(db)) {
        return;
    }
    if(OrderDialog::HasClosePositionDialog(symbol.symbolId) || !(SideQuantity(*position, side) > 0.0)) {
        return;
    }
    OrderDialog* dialog = OrderDialog::Create(db, GetManager(), symbol.marketType);
    if(!dialog) {
        return;
    }
    FillClosePositionTicket(*dialog, symbol, *position, side);
    OrderDialog::PlaceNearLast(dialog);
}

void PositionPane::NewOrder(char direction)
{
    const trade_Position* position = GetSelectedRecord();
    RecordStore* db = GetDatabase();
    if(!position || !position->GetSymbolInfo(db)) {
        return;
    }
    const symbol_Info& symbol = *position->cachedSymbolInfo;
    if(OrderDialog::HasNewOrderDialog(symbol.symbolId)) {
        return;
    }
    OrderDialog* dialog = OrderDialog::Create(db, GetManager(), symbol.marketType);
    if(!dialog) {
        return;
    }
    FillPositionNewOrderTicket(*dialog, symbol, direction);
    OrderDialog::PlaceNearLast(dialog);
}
