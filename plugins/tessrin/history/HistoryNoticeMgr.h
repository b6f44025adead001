#pragma once

#include "history/HistoryNotice.h"

#include <memory>
#include <vector>
#include <wx/event.h>
#include <wx/timer.h>

class HistoryJob;
class INoticeSession;

// The list changed: a poll brought bulletins not held before
// (HistoryNoticeMgr::GetLastAdded), or a logout emptied it (nothing added).
// Processed on the manager itself, so handlers bind on the manager; GetInt()
// is 1 for the first poll's event of a login and 0 otherwise. A type of its
// own: the number 10001 is wx's timer event.
wxDECLARE_EVENT(wxEVT_CMD_NOTICES_UPDATED, wxCommandEvent);

// The market's bulletins: polls the "noticehistory" servers one request at a
// time, keeps every bulletin the login received, newest first and without
// duplicates, and marks bulletins read on the server. GUI thread only.
class HistoryNoticeMgr : public wxEvtHandler
{
public:
    using NoticePtr = std::shared_ptr<HistoryNotice>;

    static constexpr int kStartDelayMs = 3000;
    static constexpr int kRetryDelayMs = 3000;   // no account or no server yet
    static constexpr int kFailureDelayMs = 5000; // then the next server; doubled at each failure in a row
    static constexpr int kPollTimeoutMs = 10000; // a poll that receives nothing this long has failed
    static constexpr int kMessageCount = 20;     // bulletins asked for per poll
    static constexpr long kMarkReadTimeoutS = 3;

    // The plug-in's manager, made on first use over the plug-in's login.
    static HistoryNoticeMgr* Instance();
    // The plug-in's manager when it exists; never makes one.
    static HistoryNoticeMgr* Find();
    // Destroys the plug-in's manager; the next Instance makes a new one.
    static void Release();

    // Starts the poll timer once for kStartDelayMs.
    explicit HistoryNoticeMgr(std::unique_ptr<INoticeSession> session);
    // Cancels a running poll, which then posts nothing.
    ~HistoryNoticeMgr() override;
    HistoryNoticeMgr(const HistoryNoticeMgr&) = delete;
    HistoryNoticeMgr& operator=(const HistoryNoticeMgr&) = delete;

    size_t GetCount() const { return m_notices.size(); }
    // Null past the end.
    NoticePtr GetNotice(size_t index) const;
    NoticePtr GetFirst() const { return GetNotice(0); }
    // What the last poll added, newest first: a poll repeats the bulletins
    // of its start second and those dated ahead of the market.
    const std::vector<NoticePtr>& GetLastAdded() const { return m_lastAdded; }

    // The index of the first bulletin whose content has that output-window
    // hash (OutputWindow::ContentHash); -1 when none has.
    int FindNoticeByHash(wxUint32 hash) const;
    // Asks the server, waiting at most kMarkReadTimeoutS, to mark the
    // bulletin and all older ones read; on "true" they are marked here too.
    // Nothing is sent for a bulletin already read or without a login.
    void MarkNoticeReaded(int index);
    // Starts a poll unless one runs; false when none can be built (no
    // account or no server yet).
    bool RequestNotices();
    // The login has ended: its bulletins (some may be addressed to that user
    // alone) and its running poll go, and the next login's first poll asks
    // from the start, as the first poll of the manager does.
    void ForgetLogin();

    // The one-shot poll timer; tests shorten a wait by restarting it.
    wxTimer& GetTimer() { return m_timer; }
    bool IsPolling() const { return m_job != nullptr; }
    // The next request goes to server (counter modulo the list's length).
    unsigned GetServerCounter() const { return m_serverCounter; }

    // "host:port" of a server entry: an entry with a "/" loses everything up
    // to the first "/" and the character after it ("http://h:p" -> "h:p").
    static wxString ServerHost(const wxString& entry);

private:
    static int PollIntervalMs();
    void OnTimer(wxTimerEvent& event);
    void OnHistoryJobStatus(wxCommandEvent& event);
    void OnHistoryJobFailed(wxCommandEvent& event);
    // The "curtime" of the next poll: the date of the newest bulletin not
    // later than the market's clock; invalid (ask for the newest) without one.
    wxDateTime PollFrom() const;
    // The host of the current server; false without an entry.
    bool CurrentHost(wxString& host) const;
    // Merges a poll's answer into the list and GetLastAdded; false when it
    // is no list or an empty one.
    bool AddNotices(const wxString& answer);
    void CancelJob();

    std::unique_ptr<INoticeSession> m_session;
    unsigned m_serverCounter = 0;
    int m_failures = 0; // polls in a row that failed
    bool m_firstPoll = true;
    std::shared_ptr<HistoryJob> m_job; // the running poll; null while idle
    wxTimer m_timer;
    std::vector<NoticePtr> m_notices; // newest first
    std::vector<NoticePtr> m_lastAdded;

    static std::unique_ptr<HistoryNoticeMgr> ms_instance;
};
