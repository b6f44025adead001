#include "funds/FinancingGoodsPane.h"

#include "funds/FinancingGoods.h"

#include <pelmora/pmDataViewHyperlinkRenderer.h>
#include <wx/intl.h>

namespace {

std::vector<ListColumn> Columns()
{
    const int inert = wxDATAVIEW_CELL_INERT;
    const int centre = wxALIGN_CENTER_HORIZONTAL;
    return {
        {_("inventorySN"), FinancingGoodsModel::eInventorySN, inert, 120, centre},
        {_("SymbolName"), FinancingGoodsModel::eSymbolName, inert, 120, centre},
        {_("vendorName"), FinancingGoodsModel::eVendorName, inert, 80, centre},
        {_("inventoryAmount"), FinancingGoodsModel::eInventoryAmount, inert, 80, centre},
        {_("inventoryAvaliable"), FinancingGoodsModel::eInventoryAvailable, inert, 80, centre},
        {_("stockInTime"), FinancingGoodsModel::eStockInTime, inert, 100, centre},
        {_("inventoryAmount_user"), FinancingGoodsModel::eUserAmount, inert, 80, centre},
        {_("inventoryUsed_user"), FinancingGoodsModel::eUserUsed, inert, 80, centre},
        {"        ", FinancingGoodsModel::eLinks, inert, 120, centre},
    };
}

} // namespace

FinancingGoodsPane::FinancingGoodsPane(RecordStore* db, HostManager* mgr, wxWindow* parent)
    : RecordListPane(db, mgr, parent)
{
    CreateList(new FinancingGoodsModel(db));
    AppendColumns(Columns());
    LoadImages({"common/16/close"});
    PlaceList();
    IgnoreColumnSort();
    InitContextMenu({});
    LoadColumnConfig(kConfigName);
    if(db && db->m_user_LoginInfo_table) {
        db->m_user_LoginInfo_table->AddActionTrigger(this);
    }
}

FinancingGoodsPane::~FinancingGoodsPane()
{
    if(auto* logins = GetObservedTable()) {
        logins->RemoveActionTrigger(this);
    }
}

wxDataViewRenderer* FinancingGoodsPane::CreateRenderer(const ListColumn& column)
{
    if(column.modelColumn == FinancingGoodsModel::eLinks) {
        return CreateLinkRenderer(column);
    }
    return nullptr;
}

void FinancingGoodsPane::OnLinkClicked(wxDataViewEvent& event)
{
    if(event.GetItem().IsOk()) {
        OpenFinancing(GetModel()->GetRow(event.GetItem()), event.GetInt());
    }
}

void FinancingGoodsPane::OpenFinancing(unsigned int row, int link)
{
    const SymbolInventory* inventory = GetModel()->GetRecordAt(row);
    if(!inventory || link < 0 || link > 1) {
        return;
    }
    FinancingGoods dialog(GetDatabase(), GetManager(), link, *inventory, this);
    dialog.ShowModal();
}
