#pragma once

#include "common/RecordListPane.h"
#include "panes/CloseBillModel.h"

// The "Close" page: the bills closed today. Read-only; the frame selects a
// bill in it when its notice is clicked.
class CloseBillPane : public RecordListPane<CloseBillModel>
{
public:
    static constexpr const char* kConfigName = "CloseBillPane";

    CloseBillPane(RecordStore* db, HostManager* mgr, wxWindow* parent);

    // Makes the first bill whose order code equals the text (case-sensitive)
    // the selection; false, and nothing changed, when there is none.
    bool SelectCloseBill(const wxString& orderCode);
};
