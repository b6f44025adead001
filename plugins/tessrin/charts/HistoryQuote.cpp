#include "charts/HistoryQuote.h"

#include "charts/ePeriodType.h"
#include "connection/HistoryJob.h"
#include "db/CTransaction.h"
#include "db/RecordStore.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <curl/curl.h>
#include <pelmora/JobQueueSingleton.h>
#include <wx/debug.h>

namespace {

constexpr int kRequestBarCount = 200;

// The symbol code as a query value: UTF-8 bytes, percent-encoded except the
// unreserved characters, so '&', '#', '+', blanks or non-ASCII codes reach
// the server as one value. An ordinary code is sent unchanged.
wxString EncodeQueryValue(const wxString& value)
{
    const wxScopedCharBuffer utf8 = value.utf8_str();
    if(!EnsureCurlInitialised()) {
        return wxString();
    }
    std::unique_ptr<char, void (*)(void*)> escaped(
        curl_easy_escape(nullptr, utf8.data(), static_cast<int>(utf8.length())), &curl_free);
    return escaped ? wxString::FromAscii(escaped.get()) : wxString();
}

sKData TickBar(int64_t time, double price)
{
    sKData bar;
    bar.time = static_cast<double>(time);
    bar.open = bar.high = bar.low = bar.close = price;
    return bar;
}

const sKData& NoKData()
{
    static const sKData none;
    return none;
}

} // namespace

HistoryQuote::HistoryQuote(RecordStore* db, const wxString& symbolCode, int period,
                           const wxArrayString& servers)
    : m_clock(&std::chrono::steady_clock::now), m_period(period), m_symbolCode(symbolCode), m_pDb(db),
      m_timer(this), m_servers(servers)
{
    m_serverIndex = m_servers.empty() ? 0 : std::rand() % static_cast<int>(m_servers.size());
    Bind(wxEVT_CMD_JOB_STATUS, &HistoryQuote::OnHistoryJobStatus, this);
    Bind(wxEVT_CMD_JOB_STATUS_VOID_PTR, &HistoryQuote::OnHistoryJobFailed, this);
    Bind(wxEVT_TIMER, &HistoryQuote::OnTimer, this);
    if(m_pDb != nullptr && m_pDb->m_symbol_price_table) {
        m_pDb->m_symbol_price_table->AddCommitTrigger(this);
    }
}

HistoryQuote::~HistoryQuote()
{
    Detach();
}

void HistoryQuote::Detach()
{
    m_timer.Stop();
    if(m_pDb != nullptr && m_pDb->m_symbol_price_table) {
        m_pDb->m_symbol_price_table->RemoveCommitTrigger(this);
    }
    m_pDb = nullptr;
    m_servers.clear();
    if(m_job) {
        m_job->Cancel();
        m_job.reset();
    }
}

wxString HistoryQuote::GetServerUrl()
{
    if(m_servers.empty()) {
        return wxString();
    }
    if(m_serverIndex < 0 || m_serverIndex >= static_cast<int>(m_servers.size())) {
        m_serverIndex = 0;
    }
    wxString host = m_servers[m_serverIndex];
    const int scheme = host.Find("//");
    if(scheme != wxNOT_FOUND) {
        host = host.Mid(scheme + 2);
    }
    return wxString::Format("http://%s/quotes/hisquotes_data.js", host);
}

int HistoryQuote::LowerBoundPosition(double time) const
{
    const auto& byTime = GetIndex<ByKDataTime>();
    const auto& byPosition = GetIndex<ByKDataPosition>();
    return static_cast<int>(GetContainer().project<ByKDataPosition>(byTime.lower_bound(time)) -
                            byPosition.begin());
}

bool HistoryQuote::IsPausing() const
{
    return m_failures > 0 && m_clock() < m_retryAt;
}

bool HistoryQuote::RequestHistory(int64_t time, int barcount)
{
    // Ticks and charts ask often: a failing server is not asked at their pace.
    if(m_job || IsPausing()) {
        return false;
    }
    if(!m_hasOlderHistory && barcount < 0 && !IsEmpty() &&
       GetFirstKData().time >= static_cast<double>(time)) {
        return false;
    }
    const int count = GetKDataCount();
    const int position = LowerBoundPosition(static_cast<double>(time));
    if(barcount > 0 && count - position >= barcount) {
        return false;
    }
    if(barcount < 0 && position >= -barcount) {
        return false;
    }
    const int periodCode = ServerPeriodCode(m_period);
    const wxString url = GetServerUrl();
    if(url.empty()) {
        return false;
    }
    const wxString code = EncodeQueryValue(m_symbolCode);
    wxString query;
    if(time <= 0) {
        query = wxString::Format("%s?symbolCode=%s&period=%d&barcount=%d", url, code, periodCode, barcount);
    } else {
        query = wxString::Format("%s?symbolCode=%s&period=%d&time=%.0f&barcount=%d&rnd=%d", url, code,
                                 periodCode, static_cast<double>(time), barcount, std::rand());
    }
    // A slow server is waited for as long as its answer keeps coming.
    auto job = std::make_shared<HistoryJob>(this, query, kTimeoutMs, barcount);
    if(!JobQueueSingleton::Instance()->PushJob(job)) {
        return false; // the queue is stopping: nothing would ever answer
    }
    m_job = std::move(job);
    m_request = Request{time, barcount};
    m_retry = false;
    return true;
}

void HistoryQuote::Failed()
{
    m_failed = true;
    m_retry = true;
    // A first failure may be its server's alone: the next request, to the
    // next server, goes at once.
    const int pauseMs = m_failures == 0 ? 0 : std::min(kTimerMs << std::min(m_failures - 1, 5), kMaxRetryMs);
    ++m_failures;
    m_retryAt = m_clock() + std::chrono::milliseconds(pauseMs);
    if(!m_timer.IsRunning()) {
        m_timer.Start(kTimerMs); // the next tick asks again
    }
}

void HistoryQuote::OnHistoryJobStatus(wxCommandEvent& event)
{
    m_job.reset();
    if(m_askedNewest) {
        // The server answered: if the tick's K-line is still missing, it has
        // none yet, and the next tick asks again.
        m_askedNewest = false;
        m_timer.Stop();
    }
    if(!m_answer.Parse(event.GetString())) {
        Failed();
        return;
    }
    CTransaction transaction;
    for(const sKData& bar : m_answer.bars) {
        AddOrUpdate(bar, &transaction, true);
    }
    if(m_answer.items > 0 && m_answer.bars.empty()) {
        Failed(); // K-lines that say nothing: asked again, not taken as the end of the history
    } else {
        m_failed = false;
        m_failures = 0;
        const long barcount = event.GetExtraLong();
        if(barcount < 0 && m_answer.items < -barcount) {
            m_hasOlderHistory = false;
        }
    }
    if(!IsEmpty()) {
        const sKData& newest = GetLastKData();
        const int64_t newestTime = static_cast<int64_t>(newest.time);
        if(newestTime != 0 && m_lastTickTime != 0 && IsSameBar(m_period, newestTime, m_lastTickTime) &&
           newest.close != m_lastTickPrice) {
            AddOrUpdate(TickBar(m_lastTickTime, m_lastTickPrice), &transaction, false);
        }
    }
    transaction.Commit(0);
}

void HistoryQuote::OnHistoryJobFailed(wxCommandEvent& /*event*/)
{
    m_job.reset();
    m_askedNewest = false; // the timer asks again
    if(!m_servers.empty()) {
        m_serverIndex = (m_serverIndex + 1) % static_cast<int>(m_servers.size());
    }
    Failed();
}

void HistoryQuote::OnTimer(wxTimerEvent& /*event*/)
{
    if(m_retry && !m_job) {
        if(IsPausing()) {
            return;
        }
        // Asked again as it was; the next server after a silent one. A
        // request the cache now holds is not sent and not repeated.
        m_retry = false;
        RequestHistory(m_request.time, m_request.barcount);
        return;
    }
    if(IsEmpty() || m_lastTickTime == 0 ||
       IsSameBar(m_period, static_cast<int64_t>(GetLastKData().time), m_lastTickTime)) {
        if(!m_retry) {
            m_timer.Stop(); // the newest K-line holds the last tick: nothing to wait for
        }
        return;
    }
    AskForNewest();
}

void HistoryQuote::AskForNewest()
{
    if(RequestHistory(static_cast<int64_t>(GetLastKData().time), kRequestBarCount)) {
        m_askedNewest = true;
    }
    if(!m_timer.IsRunning()) {
        m_timer.Start(kTimerMs);
    }
}

void HistoryQuote::commitUpdate(const symbol_price& oldValue, const symbol_price& stored, int /*argument*/)
{
    if(!oldValue.GetSymbolProperty(m_pDb) || oldValue.cachedSymbolProperty->symbolCode != m_symbolCode ||
       !stored.quoteTime.IsValid()) {
        return;
    }
    const wxLongLong ms = stored.quoteTime.GetValue();
    OnTick(ms.GetValue() / 1000, stored.lastPrice);
}

void HistoryQuote::OnTick(int64_t time, double price)
{
    if(IsEmpty()) {
        RequestHistory(0, -kRequestBarCount);
        return;
    }
    m_lastTickTime = time;
    m_lastTickPrice = price;
    const int64_t newestTime = static_cast<int64_t>(GetLastKData().time);
    if(!IsSameBar(m_period, newestTime, time)) {
        // The new K-line comes from the server; its answer applies this tick
        // again. The timer asks again until the server has answered.
        AskForNewest();
        return;
    }
    CTransaction transaction;
    AddOrUpdate(TickBar(time, price), &transaction, false);
    transaction.Commit(0);
}

void HistoryQuote::AddOrUpdate(const sKData& bar, CTransaction* transaction, bool fromHistory)
{
    const auto& byTime = GetIndex<ByKDataTime>();
    auto next = byTime.lower_bound(bar.time);
    auto target = byTime.end();
    if(next != byTime.end() &&
       IsSameBar(m_period, static_cast<int64_t>(next->time), static_cast<int64_t>(bar.time))) {
        target = next;
    } else if(next != byTime.begin() && !byTime.empty()) {
        const auto before = std::prev(next);
        if(IsSameBar(m_period, static_cast<int64_t>(before->time), static_cast<int64_t>(bar.time))) {
            target = before;
        }
    }

    if(target != byTime.end()) {
        sKData value = *target;
        if(fromHistory) {
            value = bar;
        } else {
            value.high = std::max(value.high, bar.close);
            value.low = std::min(value.low, bar.close);
            value.close = bar.close;
        }
        const bool result = Update(target, value, transaction);
        wxASSERT(result);
        return;
    }

    sKData value = bar;
    if(!fromHistory) {
        value.time = static_cast<double>(GetBarStartTime(m_period, static_cast<int64_t>(bar.time)));
    }
    const auto where = GetContainer().project<ByKDataPosition>(byTime.lower_bound(value.time));
    const InsertResult result = Insert(where, value, transaction);
    wxASSERT(result.second == true);
}

const sKData& HistoryQuote::GetKData(int nIndex) const
{
    const auto& Idx = GetIndex<ByKDataPosition>();
    wxASSERT(nIndex >= 0 && nIndex < (int)Idx.size());
    if(nIndex < 0 || nIndex >= static_cast<int>(Idx.size())) {
        return NoKData();
    }
    return Idx[static_cast<size_t>(nIndex)];
}

const sKData& HistoryQuote::GetFirstKData() const
{
    const auto& Idx = GetIndex<ByKDataPosition>();
    wxASSERT(!Idx.empty());
    return Idx.empty() ? NoKData() : Idx.front();
}

const sKData& HistoryQuote::GetLastKData() const
{
    const auto& Idx = GetIndex<ByKDataPosition>();
    wxASSERT(!Idx.empty());
    return Idx.empty() ? NoKData() : Idx.back();
}

int HistoryQuote::GetKDataCount() const
{
    return static_cast<int>(GetContainer().size());
}

bool HistoryQuote::IsEmpty() const
{
    return GetContainer().empty();
}

int HistoryQuote::FindKDataByTime(double time) const
{
    const auto& byTime = GetIndex<ByKDataTime>();
    const auto found = byTime.find(time);
    if(found == byTime.end()) {
        return -1;
    }
    return static_cast<int>(GetContainer().project<ByKDataPosition>(found) -
                            GetIndex<ByKDataPosition>().begin());
}
