#pragma once

#include "common/RecordListPane.h"
#include "db/CActionTrigger.h"
#include "funds/FinancingGoodsModel.h"

struct user_LoginInfo;

// The vendors' goods inventories inside the goods page; each row's links
// open the financing dialog, "Apply Goods" or "Cancel Goods".
class FinancingGoodsPane : public RecordListPane<FinancingGoodsModel>, public CActionTrigger<user_LoginInfo>
{
public:
    static constexpr const char* kConfigName = "FinancingGoodsPane";

    FinancingGoodsPane(RecordStore* db, HostManager* mgr, wxWindow* parent);
    ~FinancingGoodsPane() override;

    // Opens the dialog for the row, modally: link 0 applies, 1 cancels.
    void OpenFinancing(unsigned int row, int link);

protected:
    wxDataViewRenderer* CreateRenderer(const ListColumn& column) override;
    void OnLinkClicked(wxDataViewEvent& event) override;
};
