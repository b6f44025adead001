#include "history/HistoryNoticeMgr.h"

#include "common/SettingsAccessors.h"
#include "connection/HistoryJob.h"
#include "db/user_Account.h"
#include "history/INoticeSession.h"
#include "history/PluginNoticeSession.h"

#include <algorithm>
#include <curl/curl.h>
#include <pelmora/JSONRoot.h>
#include <pelmora/JobQueueSingleton.h>
#include <pelmora/OutputWindow.h>
#include <wx/log.h>
#include <wx/uri.h>

wxDEFINE_EVENT(wxEVT_CMD_NOTICES_UPDATED, wxCommandEvent);

std::unique_ptr<HistoryNoticeMgr> HistoryNoticeMgr::ms_instance;

namespace {

constexpr int kLogLevel = 10000;

struct EasyDeleter
{
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

// One POST of a form body, waiting at most timeoutS for the whole exchange;
// false when the transfer did not complete.
bool PostForm(const wxString& url, const std::string& body, long timeoutS, std::string& reply)
{
    if(!EnsureCurlInitialised()) {
        return false;
    }
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    if(!easy) {
        return false;
    }
    const wxScopedCharBuffer address = url.utf8_str();
    curl_easy_setopt(easy.get(), CURLOPT_URL, address.data());
    curl_easy_setopt(easy.get(), CURLOPT_POST, 1L);
    curl_easy_setopt(easy.get(), CURLOPT_CONNECTTIMEOUT, timeoutS);
    curl_easy_setopt(easy.get(), CURLOPT_TIMEOUT, timeoutS);
    // Time-outs without SIGALRM: the GUI thread is not the only thread.
    curl_easy_setopt(easy.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy.get(), CURLOPT_POSTFIELDS, body.data());
    curl_easy_setopt(easy.get(), CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
    curl_easy_setopt(easy.get(), CURLOPT_WRITEFUNCTION, &HttpWriteToString);
    curl_easy_setopt(easy.get(), CURLOPT_WRITEDATA, &reply);
    return curl_easy_perform(easy.get()) == CURLE_OK;
}

} // namespace

HistoryNoticeMgr* HistoryNoticeMgr::Instance()
{
    if(!ms_instance) {
        ms_instance = std::make_unique<HistoryNoticeMgr>(std::make_unique<PluginNoticeSession>());
    }
    return ms_instance.get();
}

HistoryNoticeMgr* HistoryNoticeMgr::Find()
{
    return ms_instance.get();
}

void HistoryNoticeMgr::Release()
{
    ms_instance.reset();
}

HistoryNoticeMgr::HistoryNoticeMgr(std::unique_ptr<INoticeSession> session)
    : m_session(std::move(session)), m_timer(this)
{
    Bind(wxEVT_TIMER, &HistoryNoticeMgr::OnTimer, this);
    Bind(wxEVT_CMD_JOB_STATUS, &HistoryNoticeMgr::OnHistoryJobStatus, this);
    Bind(wxEVT_CMD_JOB_STATUS_VOID_PTR, &HistoryNoticeMgr::OnHistoryJobFailed, this);
    m_timer.StartOnce(kStartDelayMs);
}

HistoryNoticeMgr::~HistoryNoticeMgr()
{
    m_timer.Stop();
    CancelJob();
}

int HistoryNoticeMgr::PollIntervalMs()
{
    return static_cast<int>(GetNoticeMsgUpdInterval() * 1000);
}

HistoryNoticeMgr::NoticePtr HistoryNoticeMgr::GetNotice(size_t index) const
{
    return index < m_notices.size() ? m_notices[index] : NoticePtr();
}

wxString HistoryNoticeMgr::ServerHost(const wxString& entry)
{
    const size_t slash = entry.find('/');
    return slash == wxString::npos ? entry : entry.Mid(slash + 2);
}

bool HistoryNoticeMgr::CurrentHost(wxString& host) const
{
    const wxArrayString servers = m_session->GetNoticeServers();
    if(servers.empty()) {
        return false;
    }
    host = ServerHost(servers[m_serverCounter % servers.size()]);
    return true;
}

void HistoryNoticeMgr::OnTimer(wxTimerEvent& event)
{
    wxUnusedVar(event);
    if(!RequestNotices()) {
        m_timer.StartOnce(kRetryDelayMs);
    }
}

bool HistoryNoticeMgr::RequestNotices()
{
    if(m_job) {
        return true;
    }
    const user_Account* account = m_session->GetLoginUser();
    wxString host;
    if(!account || !CurrentHost(host)) {
        return false;
    }
    wxString query = wxString::Format(
        "exchangeid=%d&dealerid=%d&orgid=%d&userid=%d&msg_count=%d&tradeMarketId=%d", account->exchangeId,
        account->dealerId, account->organisationId, account->userId, kMessageCount, account->marketId);
    const wxDateTime from = PollFrom();
    if(from.IsValid()) {
        query += "&curtime=" + from.Format("%Y-%m-%d %H:%M:%S");
    }
    const wxString url = wxString::Format("http://%s/bulletin/trader", host) + "?" + wxURI(query).BuildURI();
    auto job = std::make_shared<HistoryJob>(this, url, kPollTimeoutMs, 0);
    if(!JobQueueSingleton::Instance()->PushJob(job)) {
        return false; // the queue is stopping: nothing would ever answer
    }
    m_job = std::move(job);
    return true;
}

void HistoryNoticeMgr::ForgetLogin()
{
    CancelJob();
    m_notices.clear();
    m_lastAdded.clear();
    m_firstPoll = true;
    m_failures = 0;
    m_timer.StartOnce(kStartDelayMs);
    wxCommandEvent emptied(wxEVT_CMD_NOTICES_UPDATED, 0);
    ProcessEvent(emptied);
}

wxDateTime HistoryNoticeMgr::PollFrom() const
{
    // From the newest bulletin the market's clock has reached, that second
    // included: a later one of the same second still comes (and those held
    // are dropped by their ids), and one dated ahead of the market does not
    // hold back the ones that follow it.
    const wxDateTime marketTime = m_session->GetMarketTime();
    for(const NoticePtr& notice : m_notices) {
        if(notice->date.IsValid() && (!marketTime.IsValid() || !notice->date.IsLaterThan(marketTime))) {
            return notice->date;
        }
    }
    return wxDateTime();
}

void HistoryNoticeMgr::OnHistoryJobStatus(wxCommandEvent& event)
{
    m_timer.StartOnce(PollIntervalMs());
    m_job.reset();
    m_failures = 0;
    if(!AddNotices(event.GetString()) || m_lastAdded.empty()) {
        return;
    }
    wxCommandEvent updated(wxEVT_CMD_NOTICES_UPDATED, 0);
    updated.SetInt(m_firstPoll ? 1 : 0);
    m_firstPoll = false;
    ProcessEvent(updated);
}

bool HistoryNoticeMgr::AddNotices(const wxString& answer)
{
    m_lastAdded.clear();
    const JSONRoot root(answer);
    if(!root.isOk()) {
        return false;
    }
    const JSONElement list = root.toElement();
    const int count = list.arraySize();
    if(count == 0) {
        return false;
    }
    for(int i = 0; i < count; ++i) {
        const JSONElement item = list.arrayItem(i);
        if(!item.isObject()) {
            continue; // no bulletin of empty texts from a stray value
        }
        auto notice = std::make_shared<HistoryNotice>(HistoryNotice::FromJSON(item));
        const bool known = std::any_of(m_notices.begin(), m_notices.end(),
                                       [&](const NoticePtr& held) { return held->IsSameAs(*notice); });
        if(!known) {
            m_lastAdded.push_back(notice);
            m_notices.push_back(std::move(notice));
        }
    }
    const auto newer = [](const NoticePtr& a, const NoticePtr& b) { return IsNewerNotice(*a, *b); };
    std::stable_sort(m_notices.begin(), m_notices.end(), newer);
    std::stable_sort(m_lastAdded.begin(), m_lastAdded.end(), newer);
    return true;
}

void HistoryNoticeMgr::OnHistoryJobFailed(wxCommandEvent& event)
{
    wxUnusedVar(event);
    // Servers that keep failing are asked less and less often, at most at
    // the poll interval.
    m_timer.StartOnce(std::min(kFailureDelayMs << std::min(m_failures, 4), PollIntervalMs()));
    ++m_failures;
    m_job.reset();
    ++m_serverCounter;
}

int HistoryNoticeMgr::FindNoticeByHash(wxUint32 hash) const
{
    for(size_t i = 0; i < m_notices.size(); ++i) {
        if(OutputWindow::ContentHash(m_notices[i]->content) == hash) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void HistoryNoticeMgr::MarkNoticeReaded(int index)
{
    if(index < 0 || static_cast<size_t>(index) >= m_notices.size() || m_notices[index]->is_read) {
        return;
    }
    const user_Account* account = m_session->GetLoginUser();
    wxString host;
    if(!account || !CurrentHost(host)) {
        return;
    }
    const wxString body =
        wxString::Format("userid=%d&last_time=%s", account->userId, m_notices[index]->FormatDate());
    const wxString url = wxString::Format("http://%s/bulletin/trader?", host);
    wxLogGeneric(kLogLevel, "MarkNoticeReaded : %s", url + body);

    const wxScopedCharBuffer bytes = body.utf8_str();
    std::string reply;
    const bool complete = PostForm(url, std::string(bytes.data(), bytes.length()), kMarkReadTimeoutS, reply);
    const wxString text = HttpBodyToText(reply);
    wxLogGeneric(kLogLevel, "MarkNoticeReaded Result: %s", text);
    if(!complete || !text.IsSameAs("true", false)) {
        return;
    }
    for(size_t i = static_cast<size_t>(index); i < m_notices.size(); ++i) {
        m_notices[i]->is_read = true;
    }
}

void HistoryNoticeMgr::CancelJob()
{
    if(m_job) {
        m_job->Cancel();
        m_job.reset();
    }
}
