#pragma once

#include "history/HistoryLimtModel.h"
#include "history/HistoryPage.h"

// Past limit orders of the user's ordinary trading accounts.
class HistoryLimitPane : public HistoryPage<HistoryLimtModel>
{
public:
    static constexpr HistoryPageKind kKind{"limitbill", "openDate", false, '1', "HistoryLimitPane"};

    HistoryLimitPane(RecordStore* db, HostManager* mgr, wxWindow* parent)
        : HistoryPage(db, mgr, parent, kKind)
    {}
};
