#include "panes/LimitOrderPane.h"

#include "orders/OrderDialog.h"
#include "panes/LimitOrderActions.h"

#include <wx/intl.h>
#include <wx/xrc/xmlres.h>

namespace {

std::vector<ListColumn> Columns()
{
    constexpr int inert = wxDATAVIEW_CELL_INERT;
    constexpr int automatic = wxCOL_WIDTH_AUTOSIZE;
    constexpr int centre = wxALIGN_CENTER_HORIZONTAL;
    constexpr int right = wxALIGN_RIGHT;
    return {RowNumberColumn(automatic),
            {_("OrderCode"), LimitOrderModel::eOrderCode, inert, automatic, centre},
            {_("Symbol"), LimitOrderModel::eSymbol, inert, automatic, centre},
            {_("marketName"), LimitOrderModel::eMarketName, inert, automatic, centre},
            {_("LimitType"), LimitOrderModel::eLimitType, inert, automatic, centre},
            {_("Freezed"), LimitOrderModel::eFreezed, inert, automatic, centre},
            {_("B/S"), LimitOrderModel::eSide, inert, automatic, centre},
            {_("Quantity"), LimitOrderModel::eQuantity, inert, automatic, right},
            {_("OrderPrice"), LimitOrderModel::eOrderPrice, inert, automatic, centre},
            {_("StopLoss"), LimitOrderModel::eStopLoss, inert, automatic, right},
            {_("TakeProfit"), LimitOrderModel::eTakeProfit, inert, automatic, right},
            {_("OpenTime"), LimitOrderModel::eOpenTime, inert, automatic, centre},
            {_("ValidDateType"), LimitOrderModel::eValidDateType, inert, automatic, centre}};
}

} // namespace

LimitOrderPane::LimitOrderPane(RecordStore* db, HostManager* mgr, wxWindow* parent)
    : RecordListPane(db, mgr, parent)
{
    CreateList(new LimitOrderModel(db));
    AppendColumns(Columns());
    LoadImages({"common/16/new_order", "common/16/close_order", "common/16/modify_order"});
    PlaceList();
    IgnoreColumnSort();
    LoadColumnConfig(kConfigName);
    InitContextMenu({{"new_order", _("New Order\tF9"), 0},
                     {"cancel_order", _("Cancel Order"), 1},
                     {"modify_order", _("Modify Order"), 2}});

    Bind(wxEVT_MENU, &LimitOrderPane::OnNewOrder, this, XRCID("new_order"));
    Bind(wxEVT_MENU, &LimitOrderPane::OnCancelOrder, this, XRCID("cancel_order"));
    Bind(wxEVT_MENU, &LimitOrderPane::OnModifyOrder, this, XRCID("modify_order"));
}

const trade_Limit* LimitOrderPane::GetActionableOrder() const
{
    const trade_Limit* order = GetSelectedRecord();
    RecordStore* db = GetDatabase();
    if(!order || !order->GetAccount(db) || !order->GetSymbolInfo(db) ||
       !order->cachedAccount->GetLoginInfo(db)) {
        return nullptr;
    }
    return order;
}

void LimitOrderPane::OnNewOrder(wxCommandEvent& event)
{
    wxUnusedVar(event);
    const trade_Limit* order = GetActionableOrder();
    if(!order) {
        return;
    }
    const symbol_Info& symbol = *order->cachedSymbolInfo;
    if(OrderDialog::HasNewOrderDialog(symbol.symbolId)) {
        return;
    }
    OrderDialog* dialog = OrderDialog::Create(GetDatabase(), GetManager(), symbol.marketType);
    if(!dialog) {
        return;
    }
    FillNewLimitOrderTicket(*dialog, symbol);
    OrderDialog::PlaceNearLast(dialog);
}

void LimitOrderPane::OnCancelOrder(wxCommandEvent& event)
{
    wxUnusedVar(event);
    OpenOrderDialog(eCancel);
}

void LimitOrderPane::OnModifyOrder(wxCommandEvent& event)
{
    wxUnusedVar(event);
    OpenOrderDialog(eModify);
}

void LimitOrderPane::OpenOrderDialog(int kind)
{
    const trade_Limit* order = GetActionableOrder();
    if(!order || OrderDialog::HasModifyOrderDialog(order->orderCode) ||
       OrderDialog::HasCancelOrderDialog(order->orderCode)) {
        return;
    }
    const symbol_Info& symbol = *order->cachedSymbolInfo;
    OrderDialog* dialog = OrderDialog::Create(GetDatabase(), GetManager(), symbol.marketType);
    if(!dialog) {
        return;
    }
    dialog->SetLimitOrder(order);
    FillLimitOrderTicket(*dialog, symbol, *order, kind);
    OrderDialog::PlaceNearLast(dialog);
}
