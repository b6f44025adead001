#pragma once

#include "history/HistoryOrderModel.h"
#include "history/HistoryPage.h"

// Closed orders of the user's ordinary trading accounts.
class HistoryOrderPane : public HistoryPage<HistoryOrderModel>
{
public:
    static constexpr HistoryPageKind kKind{"closebill", "openDate", false, '1', "HistoryOrderPane"};

    HistoryOrderPane(RecordStore* db, HostManager* mgr, wxWindow* parent)
        : HistoryPage(db, mgr, parent, kKind)
    {}
};
