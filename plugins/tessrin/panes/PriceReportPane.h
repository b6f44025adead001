#pragma once

#include "common/ListPane.h"
#include "connection/RequestCallBack.h"
#include "connection/RequestWait.h"
#include "panes/PriceReportModel.h"

#include <functional>
#include <memory>
#include <wx/timer.h>

class HostManager;
class RecordStore;
class RequestNotify;
class pmPriceReportConfig;
struct symbol_Info;

// The depth of market beside a chart: five sell and five buy levels of one
// symbol with the order ratio and difference. When the symbol has no levels
// yet the pane asks the market for them, and retries once a second until the
// levels are there or a query is on its way; only a time-out asks once more.
// It never shows a message. GUI thread only.
class PriceReportPane : public ListPane, public RequestCallBack
{
public:
    static constexpr int kRetryMs = 1000;
    static constexpr unsigned kTimeoutMs = 10000;
    // Sends the query for a symbol's levels: the request id, or -1 when
    // nothing was sent (no trade connection, or the table not empty).
    using LevelQuery = std::function<int(int symbolId)>;

    PriceReportPane(RecordStore* db, HostManager* mgr, wxWindow* parent, const symbol_Info& symbol);
    // Tests: their own query and registry; the first query goes out now.
    PriceReportPane(RecordStore* db, HostManager* mgr, wxWindow* parent, const symbol_Info& symbol,
                    LevelQuery query, RequestNotify* registry);
    ~PriceReportPane() override;

    void SetColours(wxColour background, wxColour foreground);

    // True when the levels are stored or a query was sent.
    bool RequestPriceLevels();
    void StartWaitting(int requestId);
    void OnResponse(int requestId, int errorCode, const wxString& text) override;
    void OnResponseTimeOut(int requestId) override;

    PriceReportModel* GetModel() const { return static_cast<PriceReportModel*>(GetModelBase()); }
    bool IsWaiting() const { return m_wait.IsWaiting(); }
    int GetRequestId() const { return m_wait.GetRequestId(); }
    bool IsRetrying() const { return m_timer.IsRunning(); }
    // A tick of the retry timer, as the timer gives it.
    void OnRetryTimer(wxTimerEvent& event);

private:
    void Build();
    void SetRowHeight();

    int m_symbolId;
    LevelQuery m_query;
    std::unique_ptr<pmPriceReportConfig> m_pConfig;
    RequestWait m_wait;
    wxTimer m_timer;

    wxDECLARE_EVENT_TABLE();
};
