#pragma once

#include "charts/KLineAnswer.h"
#include "charts/sKData.h"
#include "db/CCommitTrigger.h"
#include "db/symbol_price.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <wx/arrstr.h>
#include <wx/event.h>
#include <wx/string.h>
#include <wx/timer.h>

class CTransaction;
class HistoryJob;
class RecordStore;

// The K-lines of one symbol and period from one trading server: downloaded
// on demand from the market-history servers ("mdhistory"), one download at a
// time, and kept live from the symbol's ticks in symbol_price. The object is
// the K-line table itself: chart panels register their sKData commit
// triggers on it and hear of new and changed K-lines when a download or a
// tick commits. Shared through HistoryQuoteMgr; GUI thread only.
class HistoryQuote : public wxEvtHandler, public sKDataFactory, public CCommitTrigger<symbol_price>
{
public:
    static constexpr int kTimerMs = 1000;
    // A download that receives nothing for this long has failed.
    static constexpr int kTimeoutMs = 10000;
    // After repeated failures the pause before the next request doubles,
    // from kTimerMs at the second up to this.
    static constexpr int kMaxRetryMs = 30000;
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // Picks a random first server and observes the store's symbol_price
    // table. Its one-second timer runs only while a tick past the newest
    // K-line waits for the server's answer.
    HistoryQuote(RecordStore* db, const wxString& symbolCode, int period, const wxArrayString& servers);
    // Stops observing and cancels a running download.
    ~HistoryQuote() override;
    // The same ahead of destruction, for a history that may outlive its
    // record store: afterwards it neither downloads nor follows ticks.
    void Detach();

    // Starts a download: time 0 asks for the newest K-lines; barcount > 0
    // that many from `time` on, < 0 that many before `time`, 0 whatever the
    // server sends. False when a download runs, the cache already holds the
    // range, older history is known to be exhausted, there is no server, or
    // the pause after a failure lasts (the failed request is asked again
    // when it ends).
    bool RequestHistory(int64_t time, int barcount);
    // "http://<host>/quotes/hisquotes_data.js" of the current server; empty
    // without servers. An index past the list goes back to 0.
    wxString GetServerUrl();

    // Position 0 is the oldest K-line.
    const sKData& GetKData(int nIndex) const;
    const sKData& GetFirstKData() const;
    const sKData& GetLastKData() const;
    int GetKDataCount() const;
    bool IsEmpty() const;
    // Position of the K-line starting exactly at `time`; -1 when none does.
    int FindKDataByTime(double time) const;

    // Merges a K-line into the table: it replaces (from history) or extends
    // (a tick: high, low and close) the K-line it belongs to, else it is
    // inserted, a tick at its K-line's start.
    void AddOrUpdate(const sKData& bar, CTransaction* transaction, bool fromHistory);
    // A live price at `time` (seconds since 1970).
    void OnTick(int64_t time, double price);

    // A tick of this object's symbol with a quote time goes to OnTick.
    void commitUpdate(const symbol_price& oldValue, const symbol_price& stored, int argument) override;

    int GetPeriod() const { return m_period; }
    const wxString& GetSymbolCode() const { return m_symbolCode; }
    // False once the server answered a backward request with fewer rows than asked.
    bool HasOlderHistory() const { return m_hasOlderHistory; }
    bool IsDownloading() const { return static_cast<bool>(m_job); }
    // The last download brought nothing usable (no answer within
    // kTimeoutMs, a spoilt or error page, only unreadable K-lines); false
    // again after one that did. A failed request is asked again at the next
    // timer tick; from the second failure in a row on, after a pause that
    // doubles with each.
    bool HasFailed() const { return m_failed; }
    // Failures in a row; 0 after a download that served.
    int GetFailureCount() const { return m_failures; }
    // Tests move the time the pauses are counted in.
    void SetClock(Clock clock) { m_clock = std::move(clock); }
    // Whether the timer runs: only while a tick waits for its K-line.
    bool IsWaitingForNewest() const { return m_timer.IsRunning(); }
    int GetServerIndex() const { return m_serverIndex; }

private:
    void OnHistoryJobStatus(wxCommandEvent& event);
    void OnHistoryJobFailed(wxCommandEvent& event);
    void OnTimer(wxTimerEvent& event);
    // Asks for the K-lines from the newest on; the timer asks again until
    // the server has answered.
    void AskForNewest();
    // Position in time order of the first K-line not before `time`.
    int LowerBoundPosition(double time) const;

    // A download's request: the time and the K-line count it asked for.
    struct Request
    {
        int64_t time = 0;
        int barcount = 0;
    };
    // The running download failed: the next tick asks for the same again.
    void Failed();

    // The pause after the last failure lasts.
    bool IsPausing() const;

    std::shared_ptr<HistoryJob> m_job; // the running download; empty while idle
    Request m_request;                 // what the running download asks for
    bool m_failed = false;
    bool m_retry = false; // m_request is to be asked again
    int m_failures = 0;
    std::chrono::steady_clock::time_point m_retryAt; // end of the pause after a failure
    Clock m_clock;
    bool m_hasOlderHistory = true;
    int m_period;
    wxString m_symbolCode;
    RecordStore* m_pDb;
    int64_t m_lastTickTime = 0; // 0: no tick seen yet
    double m_lastTickPrice = 0.0;
    wxTimer m_timer;
    bool m_askedNewest = false; // the running download asks for the tick's K-line
    KLineAnswer m_answer;       // kept for its buffer
    wxArrayString m_servers;
    int m_serverIndex = 0;
};
