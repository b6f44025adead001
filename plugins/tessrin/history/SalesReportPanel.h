#pragma once

#include "history/SalesReportQuery.h"
#include "layouts/SalesReportPanelBase.h"

#include <wx/arrstr.h>
#include <wx/timer.h>

class RecordStore;
struct user_Account;

// The sales report page of the centre notebook: builds the report URL from
// the date range, the report server and the market, and lets the web view
// load what the report server renders. It reads the record store only while
// it is built and while it searches.
class SalesReportPanel : public SalesReportPanelBase
{
public:
    SalesReportPanel(RecordStore* store, wxWindow* parent);
    ~SalesReportPanel() override;

    // The "reporthistory" list of the logged-in server record into the
    // server choice, "salesReportSevr1" and on.
    void InitServerListCtrl();
    // True when this search follows the previous one too closely; every
    // call counts as a search.
    bool IsSearchTooFrequent() { return m_query.IsSearchTooFrequent(); }
    // The first account of the chosen market; null for "All Market".
    const user_Account* FindMarketAccount() const;
    // The report path and query; false (after saying why, when the user can
    // mend it) when no search is to be made.
    bool BuildQuery(wxString& path, JSONElement& root);

    const wxString& GetUrl() const { return m_url; }
    bool IsShowPending() const { return m_showTimer.IsRunning(); }
    // Tests: the clock of the throttle.
    void SetClock(SalesReportQuery::Clock clock) { m_query = SalesReportQuery(std::move(clock)); }

protected:
    void OnSearch(wxCommandEvent& event) override;

private:
    void OnShowTimer(wxTimerEvent& event);
    void ShowNoServerPage();

    wxArrayString m_servers;
    RecordStore* m_store;
    wxString m_url; // the last report URL; empty when there was no server
    wxTimer m_showTimer;
    SalesReportQuery m_query;
};
