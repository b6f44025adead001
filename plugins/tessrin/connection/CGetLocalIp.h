#pragma once

#include <memory>
#include <vector>
#include <wx/arrstr.h>
#include <wx/dialog.h>
#include <wx/string.h>

class HistoryJob;
class wxCommandEvent;

// The client's IPv4 address as the market's servers see it; empty until a
// probe succeeds, then kept for the rest of the process. GUI thread only.
extern wxString g_localIp;

// Learns g_localIp by asking every server's "/getip" at once; the first
// answer holding a well-formed IPv4 address wins. The dialog is never shown
// for its looks: its modal loop keeps events flowing while the login waits.
class CGetLocalIp : public wxDialog
{
public:
    // With refresh and no address known yet, probes the servers and waits
    // for the outcome; always returns the (possibly empty) cached address.
    static wxString GetLocalIp(bool refresh, const wxArrayString& servers);

    // "scheme://host..." becomes "http://host.../getip"; other entries only
    // get "/getip" appended.
    static wxString ProbeUrl(const wxString& server);
    // The first well-formed dotted IPv4 address in the text (four parts of
    // 0-255, not part of a longer number), or an empty text.
    static wxString FindIpv4(const wxString& answer);

    CGetLocalIp();
    ~CGetLocalIp() override;

    // Starts one job per server and returns when the probe has ended.
    void SendRequests(const wxArrayString& servers);

private:
    void OnHistoryJobStatus(wxCommandEvent& event);
    void FailedOnce(wxCommandEvent& event);
    void CountFailure();
    void CancelJobs(int code);

    std::vector<std::shared_ptr<HistoryJob>> m_jobs;
    int m_failures = 0;

    wxDECLARE_EVENT_TABLE();
};
