#pragma once

#include "history/HistoryQuery.h"

#include <memory>
#include <pelmora/JSONElement.h>
#include <wx/datetime.h>
#include <wx/panel.h>
#include <wx/timer.h>

class HistoryJob;
class PagingPanel;
class QueryConditionPanel;

// The base of every history page: the conditions bar on top, the page's
// content window, the paging bar below, and the query machinery. A query
// asks a report server of the logged-in server record for one page, as an
// HTTP job of 5000 ms; while it runs the paging bar shows the time waited;
// a server that gives no answer is followed by the next one (each at most
// once per query), and the reply's rows go to the page (FillRows). A query
// that ends without a reply holding a "data" list empties the page and says
// so in the paging bar.
//
// A derived page creates its content window (a child of the frame), calls
// CreateControls with it and overrides BuildQuery and FillRows.
class HistoryQryCtl : public wxPanel
{
public:
    explicit HistoryQryCtl(wxWindow* parent);
    ~HistoryQryCtl() override;

    // The page's report path (".../<report>?bizData=") and conditions; false
    // sends nothing. The base sends nothing.
    virtual bool BuildQuery(wxString& path, JSONElement& root);
    // The reply's "data" array as the page's rows; firstRowNumber is the
    // 1-based number of the first row within the whole result.
    virtual void FillRows(int firstRowNumber, const JSONElement& data);

    // Lays out the two bars around the content window and connects them.
    void CreateControls(wxWindow* content);
    // Asks for the current page. While a query runs only the waiting time
    // starts again: its reply, if the page has changed meanwhile, is dropped
    // and the current page asked for at once.
    void StartQuery();
    // The controls a query must not change while it runs: page size, Query,
    // Reset and both dates. The page links and field stay usable.
    void EnableControls(bool enable);
    // The login has ended: a running query is dropped (its answer would be
    // the last user's) and the page is empty until it is asked again.
    virtual void ForgetLogin();

    PagingPanel* GetPagingPanel() const { return m_pagingPanel; }
    QueryConditionPanel* GetConditionPanel() const { return m_conditionPanel; }
    bool IsQueryRunning() const { return m_job != nullptr; }

    // Where the report servers come from; by default the logged-in server
    // record of the plug-in.
    void SetServerSource(HistoryQuery::ServerSource servers, HistoryQuery::RandomSource random = nullptr);

protected:
    // The first server of a query (the one that answered last, or drawn).
    wxString GetServer();
    // Sends the query of the current page to the server; false when nothing
    // was sent (no server, no query from the page, one already running).
    bool DoQuery(const wxString& server);

private:
    void OnNextPage(wxCommandEvent& event);
    void OnPrevPage(wxCommandEvent& event);
    void OnFirstPage(wxCommandEvent& event);
    void OnLastPage(wxCommandEvent& event);
    void OnQueryCommand(wxCommandEvent& event);
    void OnConditionChanged(wxCommandEvent& event);
    void ChangePage(int page);
    void OnHistoryJobStatus(wxCommandEvent& event);
    void OnHistoryJobFailed(wxCommandEvent& event);
    void OnTimer(wxTimerEvent& event);
    // No usable reply: the page's rows go and the bar says the query failed.
    void ShowFailure();
    void ConnectBars();
    void DisconnectBars();
    // After the paging bar was first drawn: the bars measured again.
    void OnBarPainted(wxPaintEvent& event);
    void MeasureBars();

    std::shared_ptr<HistoryJob> m_job; // the running query; empty when idle
    PagingPanel* m_pagingPanel = nullptr;
    QueryConditionPanel* m_conditionPanel = nullptr;
    HistoryQuery m_query; // servers and failover
    wxDateTime m_startTime;
    wxTimer m_waitTimer;
    int m_askedPage = 0; // the page the running query asks for
    bool m_barsMeasured = false;

    wxDECLARE_EVENT_TABLE();
};
