#pragma once

#include "common/RecordListModel.h"
#include "db/CActionTrigger.h"
#include "db/RecordStore.h"

// The vendors' goods inventories, with the user's holding of each beside it.
class FinancingGoodsModel : public RecordListModel<SymbolInventory>, public CActionTrigger<UserInventory>
{
public:
    enum Column {
        eRowNumber,
        eVendorName,
        eInventorySN,
        eSymbolName,
        eInventoryAmount,
        eInventoryAvailable,
        eStockInTime,
        eUserAmount,
        eUserUsed,
        eLinks, // "Apply Goods", "Cancel Goods"
        eColumnCount
    };

    explicit FinancingGoodsModel(RecordStore* db);
    ~FinancingGoodsModel() override;

    // Any change of the user's holdings repaints every row.
    void afterAdd(const UserInventory& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const UserInventory& stored, CTransaction* transaction, void* reserved) override;
    bool beforeRemove(const UserInventory& stored, CTransaction* transaction, void* reserved) override;
    using RecordListModel::afterAdd;
    using RecordListModel::afterUpdate;
    using RecordListModel::beforeRemove;

protected:
    void GetRecordValue(const SymbolInventory& row, unsigned int column, wxVariant& value) const override;
};
