#pragma once

#include "common/RecordListModel.h"
#include "db/CCommitTrigger.h"
#include "funds/StoreOrderFactory.h"

struct UserInventory;

// Holds the model's table, made before the list model observes it.
class StoreOrderRows
{
protected:
    explicit StoreOrderRows(RecordStore* db) : m_orders(db) {}
    StoreOrderFactory m_orders;
};

// The rows of the store-order pane: the user's local store orders and one
// "StoreFinancing" row per warehouse holding, which it keeps in step with
// the record store's UserInventory table.
class StoreOrderModel : private StoreOrderRows,
                        public RecordListModel<StoreOrder>,
                        public CCommitTrigger<UserInventory>
{
public:
    enum Column {
        eRowNumber,
        eStoreCode,
        eSymbolName,
        eApplyQuantity,
        eQuantity,
        eStoreName,
        eInOutStatus,
        eRegistStatus,
        eMortgageStatus,
        eStoreTime,
        eCancelApply, // the link renderer draws it blue
        eColumnCount
    };

    explicit StoreOrderModel(RecordStore* db);
    ~StoreOrderModel() override;

    StoreOrderFactory& GetOrders() { return m_orders; }
    const StoreOrderFactory& GetOrders() const { return m_orders; }

    void commitAdd(const UserInventory& stored, int argument) override;
    void commitUpdate(const UserInventory& oldValue, const UserInventory& stored, int argument) override;
    void commitRemove(const UserInventory& oldValue, int argument) override;

protected:
    bool HasLinks(const StoreOrder& order) const override;
    void GetRecordValue(const StoreOrder& order, unsigned int column, wxVariant& value) const override;
};
