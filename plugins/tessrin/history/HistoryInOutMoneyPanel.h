#pragma once

#include "history/HistoryInOutMoneyModel.h"
#include "history/HistoryPage.h"

// Deposits and withdrawals of every account of the user.
class HistoryInOutMoneyPanel : public HistoryPage<HistoryInOutMoneyModel>
{
public:
    static constexpr HistoryPageKind kKind{"inoutmoney", "changeDate", true, 0, "HistoryInOutMoneyPanel"};

    HistoryInOutMoneyPanel(RecordStore* db, HostManager* mgr, wxWindow* parent)
        : HistoryPage(db, mgr, parent, kKind)
    {}
};
