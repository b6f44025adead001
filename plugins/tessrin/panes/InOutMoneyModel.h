#pragma once

#include "common/RecordListModel.h"
#include "db/RecordStore.h"
#include "panes/InOutPageOpener.h"

#include <memory>

class InOutPageHost;

// The deposits and withdrawals of the trading day, one row each in arrival
// order, then the total row of the passed ones (always there). An update
// that brings a movement a new bank page address opens that page once the
// update is over.
class InOutMoneyModel : public RecordListModel<am_AmountInOut>
{
public:
    enum Column { eRowNumber, eMarket, eInMoney, eOutMoney, eCommitTime, eStatus, eColumnCount };

    InOutMoneyModel(RecordStore* db, std::unique_ptr<InOutPageHost> host);
    ~InOutMoneyModel() override;

    // The row count is the record count + 1, kept by the notifications.
    bool IsTotalRow(unsigned int row) const { return row == GetRecordCount(); }
    InOutPageOpener& GetOpener() { return m_opener; }

    void afterAdd(const am_AmountInOut& stored, CTransaction* transaction, void* reserved) override;
    bool beforeUpdate(const am_AmountInOut& stored, const am_AmountInOut& updated, CTransaction* transaction,
                      void* reserved) override;
    void afterUpdate(const am_AmountInOut& stored, CTransaction* transaction, void* reserved) override;
    bool beforeRemove(const am_AmountInOut& stored, CTransaction* transaction, void* reserved) override;

protected:
    // The movement's account and the account's login.
    bool HasLinks(const am_AmountInOut& row) const override;
    void GetRecordValue(const am_AmountInOut& row, unsigned int column, wxVariant& value) const override;
    void GetExtraRowValue(unsigned int row, unsigned int column, wxVariant& value) const override;

private:
    void TotalRowChanged();

    std::unique_ptr<InOutPageHost> m_host;
    InOutPageOpener m_opener; // over m_host
};
