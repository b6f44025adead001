#include "funds/FinancingGoodsModel.h"

#include "db/DateTimeText.h"
#include "db/NumberFormat.h"

#include <wx/intl.h>

FinancingGoodsModel::FinancingGoodsModel(RecordStore* db)
    : RecordListModel(db, db ? db->m_SymbolInventory_table.get() : nullptr, eColumnCount,
                      "FinancingGoodsModel")
{
    if(db && db->m_UserInventory_table) {
        db->m_UserInventory_table->AddActionTrigger(static_cast<CActionTrigger<UserInventory>*>(this));
    }
}

FinancingGoodsModel::~FinancingGoodsModel()
{
    if(auto* holdings = CActionTrigger<UserInventory>::GetObservedTable()) {
        holdings->RemoveActionTrigger(static_cast<CActionTrigger<UserInventory>*>(this));
    }
}

void FinancingGoodsModel::afterAdd(const UserInventory&, CTransaction*, void*)
{
    Reset(GetRecordCount());
}

void FinancingGoodsModel::afterUpdate(const UserInventory&, CTransaction*, void*)
{
    Reset(GetRecordCount());
}

bool FinancingGoodsModel::beforeRemove(const UserInventory&, CTransaction*, void*)
{
    Reset(GetRecordCount());
    return true;
}

void FinancingGoodsModel::GetRecordValue(const SymbolInventory& row, unsigned int column,
                                         wxVariant& value) const
{
    RecordStore* db = GetDatabase();
    if(!row.GetSymbolInfo(db)) {
        // A symbol not (yet) known shows "0" throughout.
        value = wxString("0");
        return;
    }
    const bool holds = row.GetUserInventory(db);
    switch(column) {
    case eVendorName:
        value = row.vendorName;
        break;
    case eInventorySN:
        value = row.inventorySN;
        break;
    case eSymbolName:
        if(row.cachedSymbolInfo->GetSymbolProperty(db)) {
            value = row.cachedSymbolInfo->cachedSymbolProperty->symbolName;
        }
        break;
    case eInventoryAmount:
        value = FormatMoney(row.inventoryAmount, true);
        break;
    case eInventoryAvailable:
        value = FormatMoney(row.inventoryAvailable, true);
        break;
    case eStockInTime:
        value = FormatDateTime(row.stockInTime);
        break;
    case eUserAmount:
        value = holds ? FormatMoney(row.cachedUserInventory->userAmount, true) : wxString("0");
        break;
    case eUserUsed:
        value = holds ? FormatMoney(row.cachedUserInventory->usedAmount, true) : wxString("0");
        break;
    case eLinks: {
        wxArrayString links;
        links.Add(_("Apply Goods"));
        links.Add(_("Cancel Goods"));
        value = links;
        break;
    }
    default:
        break;
    }
}
