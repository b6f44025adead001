#include "funds/StoreOrderModel.h"

#include "db/DateTimeText.h"
#include "db/NumberFormat.h"
#include "db/RecordStore.h"

#include <wx/intl.h>

StoreOrderModel::StoreOrderModel(RecordStore* db)
    : StoreOrderRows(db), RecordListModel(db, &m_orders, eColumnCount, "StoreOrderModel")
{
    if(db && db->m_UserInventory_table) {
        db->m_UserInventory_table->AddCommitTrigger(this);
        for(const UserInventory& holding : db->m_UserInventory_table->GetIndexByPrimary()) {
            m_orders.MirrorAdded(holding);
        }
    }
}

StoreOrderModel::~StoreOrderModel()
{
    if(auto* holdings = CCommitTrigger<UserInventory>::GetObservedTable()) {
        holdings->RemoveCommitTrigger(this);
    }
}

void StoreOrderModel::commitAdd(const UserInventory& stored, int)
{
    m_orders.MirrorAdded(stored);
    Reset(GetRecordCount());
}

void StoreOrderModel::commitUpdate(const UserInventory&, const UserInventory& stored, int)
{
    m_orders.MirrorChanged(stored);
    Reset(GetRecordCount());
}

void StoreOrderModel::commitRemove(const UserInventory& oldValue, int)
{
    m_orders.MirrorRemoved(oldValue);
    Reset(GetRecordCount());
}

bool StoreOrderModel::HasLinks(const StoreOrder& order) const
{
    return order.GetSymbolInfo(GetDatabase()) && order.cachedSymbolInfo->GetSymbolProperty(GetDatabase());
}

void StoreOrderModel::GetRecordValue(const StoreOrder& order, unsigned int column, wxVariant& value) const
{
    switch(column) {
    case eStoreCode:
        value = order.storeCode;
        break;
    case eSymbolName:
        value = order.cachedSymbolInfo->cachedSymbolProperty->symbolName;
        break;
    case eApplyQuantity:
        value = FormatMoney(order.applyQuantity, true);
        break;
    case eQuantity:
        value = FormatMoney(order.quantity, true);
        break;
    case eStoreName:
        value = order.storeName;
        break;
    case eInOutStatus:
        value = InOutStatusText(order.inoutStatus);
        break;
    case eRegistStatus:
        value = RegistStatusText(order.registStatus);
        break;
    case eMortgageStatus:
        value = MortgageStatusText(order.mortageStatus);
        break;
    case eStoreTime:
        value = order.storeTime.IsValid() ? FormatDateTime(order.storeTime) : wxString("----");
        break;
    case eCancelApply: {
        wxArrayString links;
        links.Add(_("Cancel Apply"));
        value = links;
        break;
    }
    default:
        break;
    }
}
