#pragma once

#include "common/RecordListPane.h"
#include "db/CActionTrigger.h"
#include "funds/StoreOrderModel.h"

struct user_LoginInfo;
class wxToolBar;

// The output page "Store ": the user's store orders and warehouse holdings,
// the six store commands and the way to goods financing. Loads the user's
// orders when built and at every login, empties at logout, saves when
// destroyed, after a cancelled apply and after each order the dialog adds.
class StoreOrderPane : public RecordListPane<StoreOrderModel>, public CActionTrigger<user_LoginInfo>
{
public:
    static constexpr const char* kConfigName = "StoreOrderPane";

    StoreOrderPane(RecordStore* db, HostManager* mgr, wxWindow* parent);
    ~StoreOrderPane() override;

    void LoadStoreOrders();
    void SaveStoreOrders();
    void ClearStoreOrders();
    // The user of the last login seen; 0 before any.
    int GetUserId() const { return m_userId; }

    void OnStoreCommand(wxCommandEvent& event);
    void OnBorrowInventory(wxCommandEvent& event);
    // Removes a local order after the question; a mirrored row opens the
    // goods page, whose answer opens "Cancel Goods" for that holding.
    void CancelApply(unsigned int row);

    void afterAdd(const user_LoginInfo& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const user_LoginInfo& stored, CTransaction* transaction, void* reserved) override;
    bool beforeRemove(const user_LoginInfo& stored, CTransaction* transaction, void* reserved) override;

protected:
    wxDataViewRenderer* CreateRenderer(const ListColumn& column) override;
    void OnLinkClicked(wxDataViewEvent& event) override;

private:
    void CreateToolBars();
    void OnLogin(const user_LoginInfo& stored);

    int m_userId = 0;
};
