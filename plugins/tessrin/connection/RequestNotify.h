#pragma once

#include "connection/IRequestNotify.h"

#include <boost/multi_index/hashed_index.hpp>
#include <boost/multi_index/member.hpp>
#include <boost/multi_index/ordered_index.hpp>
#include <boost/multi_index_container.hpp>
#include <cstddef>
#include <functional>
#include <memory>
#include <wx/datetime.h>

class ErrorTextTable;

// The process-wide registry of windows waiting for the answer to a request.
// Each wait ends exactly once: answered, failed by NotifyAll, timed out by
// CheckTimeOut, or withdrawn. An entry is always erased before its callback
// runs, so a callback may register or withdraw waits freely. GUI thread only.
class RequestNotify : public IRequestNotify
{
public:
    using Clock = std::function<wxDateTime()>;
    static constexpr unsigned kMaxTimeoutMs = 1000u * 60u * 60u;

    // The singleton: created on first use, destroyed by Release.
    static RequestNotify* Get();
    // The singleton when it exists, else null; never creates it.
    static RequestNotify* GetIfExists();
    static void Release();

    // `clock` gives the time a new wait counts from (default: now, to the
    // millisecond); `errors` chooses the texts (default: the plug-in's table).
    explicit RequestNotify(Clock clock = Clock(), const ErrorTextTable* errors = nullptr);
    ~RequestNotify() override;

    void WaitResponse(int requestId, RequestCallBack* callback, unsigned timeoutMs) override;
    void RemoveRequest(int requestId) override;
    void RemoveCallBack(RequestCallBack* callback) override;
    // Fails and ends every wait registered when the call starts.
    void NotifyAll(int errorCode, const wxString& text) override;
    void NotifyResponse(int requestId, int errorCode, const wxString& serverText) override;

    // Times out every wait whose deadline is not after `now`, earliest first.
    void CheckTimeOut(const wxDateTime& now);

    std::size_t GetCount() const { return m_entries.size(); }
    bool IsWaiting(int requestId) const;
    // The deadline of the wait for `requestId`, invalid when there is none.
    wxDateTime GetDeadline(int requestId) const;

private:
    struct Entry
    {
        int requestId;
        RequestCallBack* callback; // not owned
        wxDateTime deadline;
    };
    struct ById
    {
    };
    struct ByCallback
    {
    };
    struct ByDeadline
    {
    };
    using EntryTable = boost::multi_index_container<
        Entry,
        boost::multi_index::indexed_by<
            boost::multi_index::hashed_unique<boost::multi_index::tag<ById>,
                                              boost::multi_index::member<Entry, int, &Entry::requestId>>,
            boost::multi_index::hashed_non_unique<
                boost::multi_index::tag<ByCallback>,
                boost::multi_index::member<Entry, RequestCallBack*, &Entry::callback>>,
            boost::multi_index::ordered_non_unique<
                boost::multi_index::tag<ByDeadline>,
                boost::multi_index::member<Entry, wxDateTime, &Entry::deadline>>>>;

    // The configured text of `errorCode` when the "errors" item names it,
    // else `given` as a trader reads it (ServerMessageText).
    wxString ChooseText(int errorCode, const wxString& given) const;

    Clock m_clock;
    const ErrorTextTable* m_errors; // not owned; null: the plug-in's table
    EntryTable m_entries;
};
