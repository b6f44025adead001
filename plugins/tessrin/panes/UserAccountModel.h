#pragma once

#include "common/DirtyRows.h"
#include "db/CActionTrigger.h"
#include "db/RecordStore.h"

#include <functional>
#include <vector>
#include <wx/dataview.h>

// The trading accounts, one row each in the account table's order, with
// their money and risk figures. A changed account's row is repainted at the
// refresh clock's next tick; an added account, or one whose risk kind
// changed, asks its pane for a refresh (the pane collects them into one).
// GUI thread only.
class UserAccountModel : public wxDataViewVirtualListModel, public CActionTrigger<user_Account>
{
public:
    enum Column {
        eMarket = 0,
        eNetValue,
        eMarginRemain,
        eMarginFree,
        eMarginUsed,
        eMarginFreezed,
        eSuretyMoney,
        eProfitClose,
        eProfitDyn,
        eDailyCharge,
        eLastDelayCharge,
        eRiskLevel,
        eRisk,
        eCurrency,
        eBonusPoint,
        eColumnCount
    };
    using iterator = user_AccountFactory::iterator;

    // Observes the account table; `requestRefresh` is called on every added
    // account and every change of a risk kind. Without a clock rows are
    // repainted at once.
    UserAccountModel(RecordStore* db, std::function<void()> requestRefresh, RefreshClock* clock = nullptr);
    ~UserAccountModel() override;
    UserAccountModel(const UserAccountModel&) = delete;
    UserAccountModel& operator=(const UserAccountModel&) = delete;

    unsigned int GetColumnCount() const override { return eColumnCount; }
    wxString GetColumnType(unsigned int /*column*/) const override { return "string"; }
    void GetValueByRow(wxVariant& value, unsigned int row, unsigned int column) const override;
    bool SetValueByRow(const wxVariant& /*value*/, unsigned int /*row*/, unsigned int /*column*/) override
    {
        return true;
    }
    bool GetAttrByRow(unsigned int row, unsigned int column, wxDataViewItemAttr& attr) const override;

    void afterAdd(const user_Account& stored, CTransaction* transaction, void* reserved) override;
    bool beforeUpdate(const user_Account& current, const user_Account& next, CTransaction* transaction,
                      void* reserved) override;
    void afterUpdate(const user_Account& stored, CTransaction* transaction, void* reserved) override;
    bool beforeRemove(const user_Account& stored, CTransaction* transaction, void* reserved) override;

    // The record's position in the table, -1 for the table's end.
    int GetRecordRow(iterator node) const;
    const user_Account* GetAccountAt(unsigned int row) const;
    wxString GetCellText(const user_Account& account, unsigned int column) const;

    // '1' normal, '2' warning, '3' force close, from the risk kind's rate
    // against the account's two lines; 0 ("---") when one is no figure.
    // Without lines, or with no margin in use (kinds '1' and '2'), normal.
    static char RiskLevel(const user_Account& account);

private:
    const user_AccountFactory& Table() const { return *m_db->m_user_Account_table; }

    // Whether a cell of the account's row shows another text or colour.
    bool ShowsChange(const user_Account& current, const user_Account& next) const;

    RecordStore* m_db;
    std::function<void()> m_requestRefresh;
    DirtyRows m_dirty;
    bool m_kindChanged = false;
    // Per account in an update, whether its row shows a change: most quotes
    // move the figures of one or two accounts by less than a cent.
    std::vector<std::pair<int, bool>> m_changing;
};
