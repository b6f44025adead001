#pragma once

#include "history/HistoryMinTradeModel.h"
#include "history/HistoryPage.h"

// Settled and cancelled orders of the user's binary-option accounts.
class HistoryMinTradePane : public HistoryPage<HistoryMinTradeModel>
{
public:
    static constexpr HistoryPageKind kKind{"binaryoptionsorder", "orderTime", false, '4',
                                           "HistoryBinaryOrderPane"};

    HistoryMinTradePane(RecordStore* db, HostManager* mgr, wxWindow* parent)
        : HistoryPage(db, mgr, parent, kKind)
    {}
};
