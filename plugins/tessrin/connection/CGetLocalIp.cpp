#include "connection/CGetLocalIp.h"

#include "connection/HistoryJob.h"

#include <arpa/inet.h>
#include <cctype>
#include <pelmora/JobQueueSingleton.h>
#include <string>
#include <wx/log.h>

wxString g_localIp;

namespace {
// Each probe job gives up after this much silence.
constexpr int kProbeTimeoutMs = 3000;

bool IsAddressChar(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) || c == '.';
}

// A strict dotted quad: four decimal parts 0-255, no leading zeros.
bool IsIpv4(const std::string& text)
{
    in_addr address{};
    return inet_pton(AF_INET, text.c_str(), &address) == 1;
}
} // namespace

wxString CGetLocalIp::ProbeUrl(const wxString& server)
{
    wxString url = server;
    // Only a real scheme is replaced: "host:port" keeps its host.
    const int colon = url.Find(':');
    if(colon != wxNOT_FOUND && url.Mid(colon, 3) == "://") {
        url = "http" + url.Mid(colon);
    }
    return url + "/getip";
}

wxString CGetLocalIp::FindIpv4(const wxString& answer)
{
    const std::string text = answer.utf8_string();
    size_t pos = 0;
    while(pos < text.size()) {
        if(!IsAddressChar(text[pos])) {
            ++pos;
            continue;
        }
        // One whole run of digits and dots; dots at its ends are punctuation.
        size_t end = pos;
        while(end < text.size() && IsAddressChar(text[end])) {
            ++end;
        }
        const size_t first = text.find_first_not_of('.', pos);
        const size_t last = text.find_last_not_of('.', end - 1);
        if(first != std::string::npos && first < end && last != std::string::npos && last >= first) {
            const std::string candidate = text.substr(first, last - first + 1);
            if(IsIpv4(candidate)) {
                return wxString::FromUTF8(candidate);
            }
        }
        pos = end;
    }
    return wxString();
}

CGetLocalIp::CGetLocalIp() : m_limit(this) {}

CGetLocalIp::~CGetLocalIp()
{
    Cancel();
}

void CGetLocalIp::Cancel()
{
    m_limit.Stop();
    // After Cancel() a job posts nothing; what it posted before goes here.
    for(const auto& job : m_jobs) {
        job->Cancel();
    }
    m_jobs.clear();
    DeletePendingEvents();
    m_report = nullptr;
}

void CGetLocalIp::SendRequests(const wxArrayString& servers, Report report)
{
    Cancel();
    m_failures = 0;
    m_report = std::move(report);
    if(!g_localIp.empty() || servers.empty()) {
        CancelJobs();
        return;
    }
    for(const wxString& server : servers) {
        auto job = std::make_shared<HistoryJob>(this, ProbeUrl(server), kProbeTimeoutMs, 0);
        m_jobs.push_back(job);
        // A queue that is shutting down takes no job: that job will never report.
        if(!JobQueueSingleton::Instance()->PushJob(job)) {
            ++m_failures;
        }
    }
    if(m_failures == static_cast<int>(m_jobs.size())) {
        wxLogGeneric(100, "GetLocalIp : Failed");
        CancelJobs();
        return;
    }
    m_limit.StartOnce(kProbeLimitMs);
}

void CGetLocalIp::OnHistoryJobStatus(wxCommandEvent& event)
{
    if(m_jobs.empty()) {
        return;
    }
    const wxString address = FindIpv4(event.GetString());
    if(address.empty()) {
        CountFailure();
        return;
    }
    g_localIp = address;
    wxLogGeneric(100, "localIp : %s", g_localIp);
    CancelJobs();
}

void CGetLocalIp::FailedOnce(wxCommandEvent& /*event*/)
{
    CountFailure();
}

void CGetLocalIp::OnProbeLimit(wxTimerEvent& /*event*/)
{
    // A server that keeps trickling bytes must not hold the login back.
    if(!m_jobs.empty()) {
        wxLogGeneric(100, "GetLocalIp : Failed");
        CancelJobs();
    }
}

void CGetLocalIp::CountFailure()
{
    if(m_jobs.empty()) {
        return;
    }
    ++m_failures;
    if(m_failures == static_cast<int>(m_jobs.size())) {
        wxLogGeneric(100, "GetLocalIp : Failed");
        CancelJobs();
    }
}

void CGetLocalIp::CancelJobs()
{
    m_limit.Stop();
    for(const auto& job : m_jobs) {
        job->Cancel();
    }
    m_jobs.clear();
    Report report;
    report.swap(m_report);
    if(report) {
        report();
    }
}

// clang-format off
wxBEGIN_EVENT_TABLE(CGetLocalIp, wxEvtHandler)
    EVT_COMMAND(wxID_ANY, wxEVT_CMD_JOB_STATUS, CGetLocalIp::OnHistoryJobStatus)
    EVT_COMMAND(wxID_ANY, wxEVT_CMD_JOB_STATUS_VOID_PTR, CGetLocalIp::FailedOnce)
    EVT_TIMER(wxID_ANY, CGetLocalIp::OnProbeLimit)
wxEND_EVENT_TABLE()
