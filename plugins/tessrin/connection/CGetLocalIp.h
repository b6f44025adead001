#pragma once

#include <functional>
#include <memory>
#include <vector>
#include <wx/arrstr.h>
#include <wx/event.h>
#include <wx/string.h>
#include <wx/timer.h>

class HistoryJob;

// The client's IPv4 address as the market's servers see it; empty until a
// probe succeeds, then kept for the rest of the process. GUI thread only.
extern wxString g_localIp;

// Learns g_localIp by asking every server's "/getip" at once; the first
// answer holding a well-formed IPv4 address wins. It never waits: the end of
// a probe, found or not, is reported once to the callback it was given.
class CGetLocalIp : public wxEvtHandler
{
public:
    using Report = std::function<void()>;

    // A probe that has not ended by then is given up as failed.
    static constexpr int kProbeLimitMs = 5000;

    // The cached address (possibly empty).
    static wxString GetLocalIp() { return g_localIp; }

    // "scheme://host..." becomes "http://host.../getip"; other entries only
    // get "/getip" appended.
    static wxString ProbeUrl(const wxString& server);
    // The first well-formed dotted IPv4 address in the text (four parts of
    // 0-255, not part of a longer number), or an empty text.
    static wxString FindIpv4(const wxString& answer);

    CGetLocalIp();
    // A probe still running ends unreported.
    ~CGetLocalIp() override;
    CGetLocalIp(const CGetLocalIp&) = delete;
    CGetLocalIp& operator=(const CGetLocalIp&) = delete;

    // Starts one job per server and reports when the probe has ended. With
    // the address already known or no server to ask, it reports before it
    // returns. A probe still running is cancelled first, unreported.
    void SendRequests(const wxArrayString& servers, Report report);
    // Ends a running probe without reporting it.
    void Cancel();
    bool IsRunning() const { return !m_jobs.empty(); }

private:
    void OnHistoryJobStatus(wxCommandEvent& event);
    void FailedOnce(wxCommandEvent& event);
    void OnProbeLimit(wxTimerEvent& event);
    void CountFailure();
    // Cancels and drops every job, then reports: the last thing a probe does,
    // as the report may end the owner.
    void CancelJobs();

    std::vector<std::shared_ptr<HistoryJob>> m_jobs;
    int m_failures = 0;
    Report m_report;
    wxTimer m_limit;

    wxDECLARE_EVENT_TABLE();
};
