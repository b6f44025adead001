#pragma once

#include "history/HistoryCashModel.h"
#include "history/HistoryPage.h"

// The cash log of every account of the user.
class HistoryCashPanel : public HistoryPage<HistoryCashModel>
{
public:
    static constexpr HistoryPageKind kKind{"amlog", "changeDate", false, 0, "HistoryCashPanel"};

    HistoryCashPanel(RecordStore* db, HostManager* mgr, wxWindow* parent)
        : HistoryPage(db, mgr, parent, kKind)
    {}
};
