#pragma once

#include "layouts/QueryConditionPanelBase.h"

#include <utility>
#include <wx/datetime.h>

// The conditions bar of a history page: a change of either date or of the
// market sends "conditions changed", the Query button "query" and the hidden
// Reset button "reset" (HistoryCommandEvents.h), each queued on the bar.
class QueryConditionPanel : public QueryConditionPanelBase
{
public:
    // Start yesterday, end today; Reset hidden.
    explicit QueryConditionPanel(wxWindow* parent, const wxPoint& pos = wxDefaultPosition,
                                 const wxSize& size = wxDefaultSize);

    // The start day at 00:00:00 and the end day at 23:59:59, in local time.
    std::pair<wxDateTime, wxDateTime> GetDateRange() const;

protected:
    void OnStartDate(wxDateEvent& event) override;
    void OnEndDate(wxDateEvent& event) override;
    void OnMarket(wxCommandEvent& event) override;
    void OnQuery(wxCommandEvent& event) override;
    void OnReset(wxCommandEvent& event) override;
};
