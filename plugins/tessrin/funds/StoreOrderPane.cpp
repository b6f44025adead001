#include "funds/StoreOrderPane.h"

#include "common/IClientPlugin.h"
#include "common/ModalMessageBox.h"
#include "common/StoreOrderFile.h"
#include "common/UnreadableEntries.h"
#include "db/RecordStore.h"
#include "funds/GoodsMgrPanel.h"
#include "funds/StoreOrderDlg.h"

#include <pelmora/BitmapLoader.h>
#include <pelmora/HostManager.h>
#include <pelmora/pmDataViewHyperlinkRenderer.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/toolbar.h>
#include <wx/wrapsizer.h>
#include <wx/xrc/xmlres.h>

namespace {

std::vector<ListColumn> Columns()
{
    const int inert = wxDATAVIEW_CELL_INERT;
    const int centre = wxALIGN_CENTER_HORIZONTAL;
    return {
        {_("StoreCode"), StoreOrderModel::eStoreCode, inert, 100, centre},
        {_("SymbolName"), StoreOrderModel::eSymbolName, inert, 100, centre},
        {_("Apply Qty"), StoreOrderModel::eApplyQuantity, inert, 80, centre},
        {_("Qty"), StoreOrderModel::eQuantity, inert, 80, centre},
        {_("Time"), StoreOrderModel::eStoreTime, inert, 120, centre},
        {_("Store Name"), StoreOrderModel::eStoreName, inert, 100, centre},
        {_("InOut Status"), StoreOrderModel::eInOutStatus, inert, 80, centre},
        {_("Regist Status"), StoreOrderModel::eRegistStatus, inert, 80, centre},
        {_("Mortage Status"), StoreOrderModel::eMortgageStatus, inert, 80, centre},
        {"    ", StoreOrderModel::eCancelApply, inert, 80, centre},
    };
}

struct StoreTool
{
    const char* id;
    const char* label;
    const char* bitmap;
};

const StoreTool kStoreTools[] = {
    {"store_in", wxTRANSLATE("Store In"), "output-pane/16/store_in"},
    {"store_out", wxTRANSLATE("Store Out"), "output-pane/16/store_out"},
    {"store_regist", wxTRANSLATE("Store Regist"), "output-pane/16/store_regist"},
    {"store_unregist", wxTRANSLATE("Store UnRegist"), "output-pane/16/store_unregist"},
    {"store_mortage", wxTRANSLATE("Store Mortage"), "output-pane/16/store_mortage"},
    {"store_unmortage", wxTRANSLATE("Store UnMortage"), "output-pane/16/store_unmortage"},
};

int OperationOf(int id)
{
    for(int operation = 0; operation < 6; ++operation) {
        if(id == XRCID(kStoreTools[operation].id)) {
            return operation;
        }
    }
    return -1;
}

} // namespace

StoreOrderPane::StoreOrderPane(RecordStore* db, HostManager* mgr, wxWindow* parent)
    : RecordListPane(db, mgr, parent)
{
    CreateToolBars();
    CreateList(new StoreOrderModel(db));
    AppendColumns(Columns());
    LoadImages({"common/16/close"});
    PlaceList();
    IgnoreColumnSort();
    InitContextMenu({});
    LoadColumnConfig(kConfigName);

    if(db && db->m_user_LoginInfo_table) {
        // A pane made after the login takes its user from the login row.
        const auto& logins = db->m_user_LoginInfo_table->GetIndexByPrimary();
        if(!logins.empty()) {
            m_userId = logins.begin()->userId;
            GetModel()->GetOrders().SetUserKey(m_userId);
        }
        db->m_user_LoginInfo_table->AddActionTrigger(this);
    }
    LoadStoreOrders();

    for(const StoreTool& tool : kStoreTools) {
        Bind(wxEVT_MENU, &StoreOrderPane::OnStoreCommand, this, XRCID(tool.id));
    }
    Bind(wxEVT_MENU, &StoreOrderPane::OnBorrowInventory, this, XRCID("ReqBorrowInventory"));
}

StoreOrderPane::~StoreOrderPane()
{
    if(auto* logins = CActionTrigger<user_LoginInfo>::GetObservedTable()) {
        logins->RemoveActionTrigger(this);
    }
    SaveColumnConfig();
    SaveStoreOrders();
}

void StoreOrderPane::CreateToolBars()
{
    BitmapLoader* loader = GetManager() ? GetManager()->GetImageLoader() : nullptr;
    auto bitmap = [loader](const char* name) {
        wxBitmap image = loader ? loader->LoadBitmap(name) : wxNullBitmap;
        return image.IsOk() ? image : wxBitmap(16, 16);
    };
    // The two bars wrap: at the host's default size the goods tool goes below
    // the store tools instead of past the pane's edge.
    auto* row = new wxWrapSizer(wxHORIZONTAL);
    auto* stores = new wxToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                 wxTB_FLAT | wxTB_HORZ_TEXT | wxTB_NODIVIDER);
    for(int i = 0; i < 6; ++i) {
        if(i % 2 == 0 || i == 1) {
            if(i != 1) {
                stores->AddSeparator();
            }
        }
        const StoreTool& tool = kStoreTools[i];
        stores->AddTool(XRCID(tool.id), wxGetTranslation(tool.label), bitmap(tool.bitmap));
    }
    stores->Realize();
    auto* goods = new wxToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                wxTB_FLAT | wxTB_HORZ_TEXT | wxTB_NODIVIDER);
    goods->AddSeparator();
    goods->AddTool(XRCID("ReqBorrowInventory"), _("FinancingGoods"),
                   bitmap("toolbars/24/tessrin/payport_regist"));
    goods->AddSeparator();
    goods->Realize();
    row->Add(stores, 0, wxEXPAND);
    row->Add(goods, 0, wxEXPAND);
    GetSizer()->Add(row, 0, wxEXPAND);
}

wxDataViewRenderer* StoreOrderPane::CreateRenderer(const ListColumn& column)
{
    if(column.modelColumn == StoreOrderModel::eCancelApply) {
        return CreateLinkRenderer(column);
    }
    return nullptr;
}

void StoreOrderPane::LoadStoreOrders()
{
    StoreOrderFactory& orders = GetModel()->GetOrders();
    orders.Load(StoreOrderFile::GetPath());
    if(orders.GetSetAsideCount() > 0 && g_plugin) {
        g_plugin->OutputLog(
            _("Store orders"),
            wxString::Format(_("%d stored orders could not be read; kept unchanged as \"%s%s\" in %s"),
                             orders.GetSetAsideCount(), orders.GetUserKey(), UnreadableEntries::kSuffix,
                             StoreOrderFile::GetPath()));
    }
}

void StoreOrderPane::SaveStoreOrders()
{
    if(GetModel()) {
        GetModel()->GetOrders().Save(StoreOrderFile::GetPath());
    }
}

void StoreOrderPane::ClearStoreOrders()
{
    GetModel()->GetOrders().Clear();
}

void StoreOrderPane::OnLogin(const user_LoginInfo& stored)
{
    m_userId = stored.userId;
    ClearStoreOrders();
    GetModel()->GetOrders().SetUserKey(m_userId);
    LoadStoreOrders();
    // The holdings are not in the file: mirror those already known.
    if(RecordStore* db = GetDatabase(); db && db->m_UserInventory_table) {
        for(const UserInventory& holding : db->m_UserInventory_table->GetIndexByPrimary()) {
            GetModel()->GetOrders().MirrorAdded(holding);
        }
    }
}

void StoreOrderPane::afterAdd(const user_LoginInfo& stored, CTransaction*, void*)
{
    OnLogin(stored);
}

void StoreOrderPane::afterUpdate(const user_LoginInfo& stored, CTransaction*, void*)
{
    OnLogin(stored);
}

bool StoreOrderPane::beforeRemove(const user_LoginInfo&, CTransaction*, void*)
{
    ClearStoreOrders();
    return true;
}

void StoreOrderPane::OnStoreCommand(wxCommandEvent& event)
{
    RecordStore* db = GetDatabase();
    if(!db || !db->m_user_LoginInfo_table || db->m_user_LoginInfo_table->GetIndexByPrimary().empty()) {
        return;
    }
    const int operation = OperationOf(event.GetId());
    if(operation < 0) {
        return;
    }
    const StoreOrder* order = GetSelectedRecord();
    if(!order) {
        const auto& rows = GetModel()->GetOrders().GetIndex<BySequence>();
        if(rows.empty() && operation != StoreOrderDlg::eStoreIn) {
            return;
        }
        order = rows.empty() ? nullptr : &rows[0];
    }
    StoreOrderDlg dialog(this, GetModel(), db);
    if(order) {
        dialog.SetStoreOrder(*order);
    }
    dialog.SetUserId(m_userId);
    dialog.SetOperation(operation);
    dialog.ShowModal();
}

void StoreOrderPane::OnBorrowInventory(wxCommandEvent&)
{
    GoodsMgrPanel::ShowGoodsPage(GetDatabase(), GetManager(), nullptr);
}

void StoreOrderPane::OnLinkClicked(wxDataViewEvent& event)
{
    if(event.GetItem().IsOk()) {
        CancelApply(GetModel()->GetRow(event.GetItem()));
    }
}

void StoreOrderPane::CancelApply(unsigned int row)
{
    const StoreOrder* order = GetModel()->GetRecordAt(row);
    if(!order) {
        return;
    }
    if(!order->IsMirrored()) {
        const int localId = order->localId;
        if(ModalMessageBox::Show(_("Are you sure cancel this apply?"), _("Cancel Apply"),
                                 wxYES_NO | wxICON_QUESTION | wxCENTRE, this) != wxYES) {
            return;
        }
        StoreOrderFactory& orders = GetModel()->GetOrders();
        const auto found = orders.GetIndexByPrimary().find(localId);
        if(found != orders.GetIndexByPrimary().end()) {
            orders.Remove(found, true);
            SaveStoreOrders();
        }
        return;
    }
    // Goods delivered or stored in, not financed: there is no financing to cancel.
    if(order->quantity <= 0.0) {
        ModalMessageBox::Show(_("None of these goods is financed: there is no financing to cancel."),
                              _("Cancel Apply"), wxOK | wxICON_INFORMATION | wxCENTRE, this);
        return;
    }
    // The holding's own row at the goods page's next answer.
    const int storeId = order->mirrorStoreId;
    const int symbolId = order->symbolId;
    RecordStore* db = GetDatabase();
    HostManager* mgr = GetManager();
    GoodsMgrPanel::ShowGoodsPage(db, mgr, [db, mgr, storeId, symbolId]() {
        GoodsMgrPanel::ShowCancelGoods(db, mgr, storeId, symbolId);
    });
}
