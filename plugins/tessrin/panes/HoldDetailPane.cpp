#include "panes/HoldDetailPane.h"

#include "common/IClientPlugin.h"
#include "common/SettingsAccessors.h"
#include "db/RecordStore.h"
#include "funds/ChangeMainAcc.h"
#include "funds/ModifyPasswordDlg.h"
#include "funds/MoneyDialog.h"
#include "funds/PayPortRegistDlg.h"
#include "funds/SetSuretyMoney.h"
#include "funds/TransferAcc.h"
#include "orders/OrderDialog.h"
#include "orders/OrderRules.h"
#include "panes/AccountInfoRenderer.h"
#include "panes/HoldBillLinkRenderer.h"
#include "panes/HoldDetailModel.h"
#include "panes/OrderContract.h"
#include "panes/OrderContractDialog.h"

#include <pelmora/pmDataViewHyperlinkRenderer.h>
#include <wx/app.h>
#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/xrc/xmlres.h>

namespace {
// Titles are looked up in the catalogue when the pane is built; the rows
// stand in any order, the model column places them.
std::vector<ListColumn> Columns()
{
    const int mode = wxDATAVIEW_CELL_INERT;
    const int centre = wxALIGN_CENTER_HORIZONTAL;
    return {
        RowNumberColumn(30),
        {_("Symbol"), HoldDetailModel::eSymbol, mode, 100, centre},
        {_("OrderCode"), HoldDetailModel::eOrderCode, mode, 120, centre},
        {_("Open B/S"), HoldDetailModel::eDirection, mode, 50, centre},
        {_("OpenPrice"), HoldDetailModel::eOpenPrice, mode, 80, centre},
        {_("HoldPrice"), HoldDetailModel::eHoldPrice, mode, 80, centre},
        {_("LastPrice"), HoldDetailModel::eLastPrice, mode, 80, centre},
        {_("Quantity"), HoldDetailModel::eQuantity, mode, 50, centre},
        {_("StopLoss"), HoldDetailModel::eStopLoss, mode, 80, centre},
        {_("TakeProfit"), HoldDetailModel::eTakeProfit, mode, 80, centre},
        {_("DynProfit"), HoldDetailModel::eDynProfit, mode, 80, centre},
        {_("MarginUsed"), HoldDetailModel::eMarginUsed, mode, 80, centre},
        {_("ChargeOpen"), HoldDetailModel::eChargeOpen, mode, 80, centre},
        {_("TotalChargeInterest"), HoldDetailModel::eTotalChargeInterest, mode, 80, centre},
        {_("OpenTime"), HoldDetailModel::eOpenTime, mode, 150, centre},
        {_("AccuProfit"), HoldDetailModel::eAccuProfit, mode, 80, centre},
        {_("DeliveryStatus"), HoldDetailModel::eDeliveryStatus, mode, 80, centre},
    };
}

bool IsLinkColumn(int modelColumn)
{
    return modelColumn == HoldDetailModel::eQuantity || modelColumn == HoldDetailModel::eStopLoss ||
           modelColumn == HoldDetailModel::eTakeProfit || modelColumn == HoldDetailModel::eDeliveryStatus;
}

const char* const kMenuCommands[] = {"new_order",      "close_order",     "modify_order",
                                     "delivery_order", "delivery_cancel", "show_order_contract"};
// The host's money menu commands, which reach the application object.
const char* const kMoneyCommands[] = {"in_money", "out_money"};
// The account dialogs of the host's menus, also on the application object.
const char* const kAccountCommands[] = {"modify_password", "transfer_Acc", "change_MainAcc",
                                        "setsurety_Money"};
} // namespace

HoldDetailPane::HoldDetailPane(RecordStore* db, HostManager* mgr, wxWindow* parent)
    : ListPane(db, mgr, parent), m_clock([] { return wxDateTime::Now(); })
{
    // The model scrolls the control to new rows: the control exists first.
    auto* model = new HoldDetailModel(db, nullptr, PluginRefreshClock());
    // The bill rows' cells draw the rules between columns (SummaryBand).
    CreateList(model, kListStyle & ~wxDV_VERT_RULES);
    GetList()->HookPopupMenu([this](wxDataViewEvent& event) { return OnPopupMenu(event); });
    model->SetCtrl(GetList());

    for(const ListColumn& row : SortByModelColumn(Columns())) {
        wxDataViewRenderer* renderer = CreateRenderer(row);
        const bool link = IsLinkColumn(row.modelColumn);
        // The text columns fit their contents, at least as wide as the table says.
        auto* column =
            new wxDataViewColumn(row.title, renderer, static_cast<unsigned int>(row.modelColumn),
                                 link ? row.width : wxCOL_WIDTH_AUTOSIZE,
                                 static_cast<wxAlignment>(row.alignment), wxDATAVIEW_COL_RESIZABLE);
        column->SetMinWidth(row.width);
        GetList()->AppendColumn(column);
    }

    LoadImages({"common/16/new_order", "common/16/close_order", "common/16/modify_order",
                "common/16/in_money", "common/16/out_money"});
    PlaceList();
    IgnoreColumnSort();
    GetList()->Bind(wxEVT_DATAVIEW_SELECTION_CHANGED, &HoldDetailPane::OnSelectionChanged, this);
    GetList()->Bind(wxEVT_DATAVIEW_ITEM_ACTIVATED, &HoldDetailPane::OnItemActivated, this);
    // The links' clicks travel up from the control.
    Bind(wxEVT_DATAVIEW_LINK_CLICKED, &HoldDetailPane::OnLinkClicked, this);
    LoadColumnConfig("HoldDetailPaneCfg");

    std::vector<MenuEntry> entries{{"new_order", _("New Order\tF9"), -1},
                                   {"close_order", _("Close Order"), -1},
                                   {"modify_order", _("Modify Order"), -1},
                                   kSeparator,
                                   {"delivery_order", _("Delivery Order"), -1},
                                   {"delivery_cancel", _("UnDelivery Order"), -1},
                                   kSeparator};
    wxString contract;
    if(LoadOrderContract(contract)) {
        entries.push_back({"show_order_contract", _("Order Contract"), -1});
    }
    InitContextMenu(entries);

    m_lastActivation = m_clock();
    m_rememberedRow = 0;
    // The menu's commands travel from the control up to the pane.
    for(const char* command : kMenuCommands) {
        Bind(wxEVT_MENU, &HoldDetailPane::OnMenuCommand, this, XRCID(command));
    }
    for(const char* command : kMoneyCommands) {
        wxTheApp->Bind(wxEVT_MENU, &HoldDetailPane::OnMoneyCommand, this, XRCID(command));
    }
    for(const char* command : kAccountCommands) {
        wxTheApp->Bind(wxEVT_MENU, &HoldDetailPane::OnAccountCommand, this, XRCID(command));
    }
    wxTheApp->Bind(wxEVT_MENU, &HoldDetailPane::OnPayPortRegist, this, XRCID("payport_regist"));
}

HoldDetailPane::~HoldDetailPane()
{
    if(wxTheApp) {
        for(const char* command : kMoneyCommands) {
            wxTheApp->Unbind(wxEVT_MENU, &HoldDetailPane::OnMoneyCommand, this, XRCID(command));
        }
        for(const char* command : kAccountCommands) {
            wxTheApp->Unbind(wxEVT_MENU, &HoldDetailPane::OnAccountCommand, this, XRCID(command));
        }
        wxTheApp->Unbind(wxEVT_MENU, &HoldDetailPane::OnPayPortRegist, this, XRCID("payport_regist"));
    }
    for(const char* command : kMenuCommands) {
        Unbind(wxEVT_MENU, &HoldDetailPane::OnMenuCommand, this, XRCID(command));
    }
    Unbind(wxEVT_DATAVIEW_LINK_CLICKED, &HoldDetailPane::OnLinkClicked, this);
    if(pmDataViewCtrl* list = GetList()) {
        list->Unbind(wxEVT_DATAVIEW_SELECTION_CHANGED, &HoldDetailPane::OnSelectionChanged, this);
        list->Unbind(wxEVT_DATAVIEW_ITEM_ACTIVATED, &HoldDetailPane::OnItemActivated, this);
        list->HookPopupMenu(nullptr);
    }
}

HoldDetailModel* HoldDetailPane::GetModel() const
{
    return static_cast<HoldDetailModel*>(GetModelBase());
}

wxDataViewRenderer* HoldDetailPane::CreateRenderer(const ListColumn& column)
{
    if(IsLinkColumn(column.modelColumn)) {
        auto* renderer =
            new HoldBillLinkRenderer(static_cast<wxDataViewCellMode>(column.mode), wxDVR_DEFAULT_ALIGNMENT);
        renderer->HookMouseEvent();
        renderer->SetFlags(pmDataViewHyperlinkRenderer::kUnderline);
        return renderer;
    }
    return new AccountInfoRenderer(GetList(), column);
}

HoldDetailPane::Action HoldDetailPane::LinkAction(unsigned int modelColumn)
{
    switch(modelColumn) {
    case HoldDetailModel::eQuantity:
        return eCloseAction;
    case HoldDetailModel::eStopLoss:
    case HoldDetailModel::eTakeProfit:
        return eModifyAction;
    case HoldDetailModel::eDeliveryStatus:
        return eDeliveryAction;
    default:
        return eNoAction;
    }
}

bool HoldDetailPane::SelectHoldBill(const wxString& orderCode)
{
    HoldDetailModel* model = GetModel();
    if(!model || !GetList()) {
        return false;
    }
    for(unsigned int row = 0; row < model->GetCount(); ++row) {
        const trade_HoldBill* bill = model->GetBill(row);
        if(bill && bill->orderCode == orderCode) {
            const wxDataViewItem item = model->GetItem(row);
            GetList()->UnselectAll();
            GetList()->Select(item);
            GetList()->EnsureVisible(item);
            return true;
        }
    }
    return false;
}

int HoldDetailPane::GetActionRow() const
{
    wxDataViewItemArray selection;
    GetList()->GetSelections(selection);
    if(selection.size() == 1) {
        return static_cast<int>(GetModel()->GetRow(selection[0]));
    }
    return m_rememberedRow;
}

const trade_HoldBill* HoldDetailPane::GetChosenBill() const
{
    HoldDetailModel* model = GetModel();
    if(!model || !GetList()) {
        return nullptr;
    }
    wxDataViewItemArray selection;
    GetList()->GetSelections(selection);
    if(selection.size() != 1) {
        return nullptr;
    }
    const trade_HoldBill* bill = model->GetBill(model->GetRow(selection[0]));
    RecordStore* db = GetDatabase();
    // The account is found again by the bill's key: it may have gone.
    if(!bill || !bill->GetAccount(db) || !bill->cachedAccount->GetLoginInfo(db) || !bill->GetSymbolInfo(db)) {
        return nullptr;
    }
    return bill;
}

void HoldDetailPane::RunAction(Action action)
{
    if(action == eNewOrderAction) {
        OpenNewOrderDialog();
        return;
    }
    const trade_HoldBill* bill = GetChosenBill();
    if(!bill) {
        return;
    }
    switch(action) {
    case eCloseAction:
        OpenCloseDialog(*bill);
        break;
    case eModifyAction:
        OpenModifyDialog(*bill, eModify);
        break;
    case eDeliveryAction:
        // A paired application is neither applied for again nor withdrawn.
        if(OrderRules::DeliveryActionOf(*bill) != OrderRules::eNoDeliveryAction) {
            OpenModifyDialog(*bill, eDelivery);
        }
        break;
    default:
        break;
    }
}

OrderDialog* HoldDetailPane::CreateBillDialog(const trade_HoldBill& bill, int kind)
{
    const symbol_Info& symbol = *bill.cachedSymbolInfo;
    OrderDialog* dialog = OrderDialog::Create(GetDatabase(), GetManager(), symbol.marketType);
    if(!dialog) {
        return nullptr;
    }
    dialog->m_openCloseType = kind;
    dialog->m_orderType = eMarketOrder;
    dialog->m_pSymbolInfo = &symbol;
    dialog->m_symbolId = symbol.symbolId;
    dialog->m_pHoldBill = &bill;
    dialog->m_orderCodeRe = bill.orderCode;
    return dialog;
}

void HoldDetailPane::OpenCloseDialog(const trade_HoldBill& bill)
{
    if(OrderDialog::HasCloseOrderDialog(bill.orderCode)) {
        return;
    }
    OrderDialog* dialog = CreateBillDialog(bill, eClose);
    if(!dialog) {
        return;
    }
    dialog->m_pLimitOrder = nullptr;
    dialog->m_quantity = static_cast<int>(bill.quantity);
    dialog->m_direction = bill.side == 'b' ? 's' : 'b';
    OrderDialog::PlaceNearLast(dialog);
}

void HoldDetailPane::OpenModifyDialog(const trade_HoldBill& bill, int kind)
{
    const bool open = kind == eDelivery ? OrderDialog::HasDeliveryOrderDialog(bill.orderCode)
                                        : OrderDialog::HasModifyOrderDialog(bill.orderCode);
    if(open) {
        return;
    }
    OrderDialog* dialog = CreateBillDialog(bill, kind);
    if(!dialog) {
        return;
    }
    dialog->m_stopLossPrice = bill.stopLoss;
    dialog->m_takeProfitPrice = bill.takeProfit;
    dialog->m_direction = bill.side;
    dialog->m_quantity = static_cast<int>(bill.quantity);
    OrderDialog::PlaceNearLast(dialog);
}

void HoldDetailPane::OpenNewOrderDialog()
{
    HoldDetailModel* model = GetModel();
    RecordStore* db = GetDatabase();
    const int row = GetActionRow();
    if(row < 0 || static_cast<unsigned int>(row) >= model->GetCount()) {
        return;
    }
    const user_Account* account = model->GetRowAccount(static_cast<unsigned int>(row));
    if(!account || !account->GetLoginInfo(db)) {
        return;
    }
    const symbol_Info* symbol = nullptr;
    char direction = 'b';
    const trade_HoldBill* bill = model->GetBill(static_cast<unsigned int>(row));
    if(bill && bill->GetAccount(db) && bill->GetSymbolInfo(db)) {
        symbol = bill->cachedSymbolInfo.Get();
        direction = bill->side;
    } else {
        const auto& symbols = db->m_symbol_Info_table->GetIndexByPrimary();
        if(symbols.empty()) {
            return;
        }
        symbol = &*symbols.begin(); // the smallest symbol id
    }
    if(OrderDialog::HasNewOrderDialog(symbol->symbolId)) {
        return;
    }
    OrderDialog* dialog = OrderDialog::Create(db, GetManager(), symbol->marketType);
    if(!dialog) {
        return;
    }
    dialog->m_openCloseType = eOpen;
    dialog->m_orderType = eMarketOrder;
    dialog->m_pSymbolInfo = symbol;
    dialog->m_symbolId = symbol->symbolId;
    dialog->m_direction = direction;
    OrderDialog::PlaceNearLast(dialog);
}

void HoldDetailPane::ShowOrderContract()
{
    const trade_HoldBill* bill = GetChosenBill();
    wxString page;
    if(!bill || !FillOrderContract(GetDatabase(), *bill, page)) {
        return;
    }
    OrderContractDialog dialog(page);
    dialog.ShowModal();
}

bool HoldDetailPane::OnPopupMenu(wxDataViewEvent& event)
{
    HoldDetailModel* model = GetModel();
    if(!event.GetItem().IsOk() || !model) {
        return false;
    }
    const unsigned int row = model->GetRow(event.GetItem());
    if(model->IsSummaryRow(row)) {
        return true;
    }
    const trade_HoldBill* bill = model->GetBill(row);
    wxMenu* menu = GetList()->GetMenu();
    if(bill && menu) {
        // The status the delivery dialog and its request decide from.
        const OrderRules::DeliveryAction action = OrderRules::DeliveryActionOf(*bill);
        menu->Enable(XRCID("delivery_order"), action == OrderRules::eApplyDelivery);
        menu->Enable(XRCID("delivery_cancel"), action == OrderRules::eWithdrawDelivery);
    }
    return false;
}

bool HoldDetailPane::TakeActivation()
{
    const wxDateTime now = m_clock();
    if((now - m_lastActivation).GetSeconds() < 1) {
        return false;
    }
    m_lastActivation = now;
    return true;
}

void HoldDetailPane::OnSelectionChanged(wxDataViewEvent& event)
{
    HoldDetailModel* model = GetModel();
    wxDataViewItemArray selection;
    GetList()->GetSelections(selection);
    for(const wxDataViewItem& item : selection) {
        const unsigned int row = model->GetRow(item);
        if(model->IsSummaryRow(row)) {
            GetList()->Unselect(item);
            m_rememberedRow = static_cast<int>(row);
        }
    }
    event.Skip();
}

void HoldDetailPane::OnItemActivated(wxDataViewEvent& event)
{
    wxUnusedVar(event);
    if(!TakeActivation()) {
        return;
    }
    wxDataViewItemArray selection;
    GetList()->GetSelections(selection);
    if(selection.size() == 1) {
        RunAction(GetDblClickHoldDetailClose() == 1 ? eNewOrderAction : eCloseAction);
    } else {
        // A summary row was clicked: unselected and remembered.
        OpenMoneyDialog(0);
    }
}

void HoldDetailPane::OnMoneyCommand(wxCommandEvent& event)
{
    // Without a selected row the master account is meant, not the summary
    // row clicked last.
    const int remembered = m_rememberedRow;
    m_rememberedRow = -1;
    OpenMoneyDialog(event.GetId() == XRCID("in_money") ? 0 : 1);
    m_rememberedRow = remembered;
}

void HoldDetailPane::OpenMoneyDialog(int mode)
{
    const user_Account* account =
        GetModel()->FindMoneyAccount(GetActionRow(), HoldDetailModel::eMasterAccount);
    if(!account) {
        return;
    }
    MoneyDialog dialog(this, GetDatabase(), mode);
    dialog.SetUserId(account->userId);
    dialog.SetAccountKey(account->accountKey);
    dialog.ShowModal();
}

void HoldDetailPane::OnAccountCommand(wxCommandEvent& event)
{
    const int id = event.GetId();
    if(id == XRCID("modify_password")) {
        // A remembered row beyond the rows means the first one.
        int row = GetActionRow();
        if(row < 0 || static_cast<unsigned int>(row) >= GetModel()->GetCount()) {
            row = 0;
        }
        const user_Account* account = GetModel()->FindMoneyAccount(row, HoldDetailModel::eFirstAccount);
        if(account && account->GetLoginInfo(GetDatabase())) {
            ModifyPasswordDlg dialog(nullptr, account->cachedLoginInfo.Get());
            dialog.ShowModal();
        }
    } else if(id == XRCID("transfer_Acc")) {
        TransferAcc dialog(this, GetDatabase());
        dialog.ShowModal();
    } else if(id == XRCID("change_MainAcc")) {
        ChangeMainAcc dialog(this, GetDatabase());
        dialog.ShowModal();
    } else if(id == XRCID("setsurety_Money")) {
        SetSuretyMoney dialog(this, GetDatabase());
        dialog.ShowModal();
    }
}

void HoldDetailPane::OnPayPortRegist(wxCommandEvent& /*event*/)
{
    int row = GetActionRow();
    if(row > static_cast<int>(GetModel()->GetCount())) {
        row = 0;
    }
    const user_Account* account = GetModel()->FindMoneyAccount(row, HoldDetailModel::eFirstAccount);
    if(!account || !account->GetLoginInfo(GetDatabase())) {
        return;
    }
    PayPortRegistDlg dialog(this, GetDatabase(), *account);
    dialog.ShowModal();
}

void HoldDetailPane::OnLinkClicked(wxDataViewEvent& event)
{
    if(event.GetItem().IsOk()) {
        GetList()->UnselectAll();
        GetList()->Select(event.GetItem());
    }
    RunAction(LinkAction(static_cast<unsigned int>(event.GetColumn())));
    m_lastActivation = m_clock();
}

void HoldDetailPane::OnMenuCommand(wxCommandEvent& event)
{
    const int id = event.GetId();
    if(id == XRCID("new_order")) {
        RunAction(eNewOrderAction);
    } else if(id == XRCID("close_order")) {
        RunAction(eCloseAction);
    } else if(id == XRCID("modify_order")) {
        RunAction(eModifyAction);
    } else if(id == XRCID("delivery_order") || id == XRCID("delivery_cancel")) {
        RunAction(eDeliveryAction);
    } else if(id == XRCID("show_order_contract")) {
        ShowOrderContract();
    }
}
