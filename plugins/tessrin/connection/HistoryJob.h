#pragma once

#include <cstddef>
#include <pelmora/Job.h>
#include <string>
#include <wx/string.h>
#include <wx/thread.h>

class wxEvtHandler;

// Sets up libcurl's global state once per process (thread-safe); false when
// that failed. Every HistoryJob calls it; other libcurl users call it first.
bool EnsureCurlInitialised();

// libcurl write callback: appends the received block, as raw bytes, to the
// std::string that CURLOPT_WRITEDATA points at. Returns size * count.
// Decode the whole body once at the end (HttpBodyToText): a UTF-8 character
// may be split across two blocks.
size_t HttpWriteToString(char* data, size_t size, size_t count, void* answer);

// The text of an HTTP body: UTF-8; bytes that are not valid UTF-8 are kept
// (mapped to private-use characters) instead of emptying the whole text.
wxString HttpBodyToText(const std::string& body);

// One HTTP GET on the host's job queue. The owner keeps a shared pointer,
// pushes a copy to JobQueueSingleton and later gets exactly one of
//   wxEVT_CMD_JOB_STATUS           the body as GetString(), the tag as GetExtraLong()
//   wxEVT_CMD_JOB_STATUS_VOID_PTR  no answer: empty body, transfer error, time-out
// or, once Cancel() has returned, nothing at all. An owner that goes away
// before its event arrives must cancel first.
class HistoryJob : public Job
{
public:
    // timeoutMs: how long the job waits while no byte of the body arrives,
    // at the start or between two bytes; 0 waits for ever.
    HistoryJob(wxEvtHandler* owner, const wxString& url, int timeoutMs, wxInt64 tag);
    ~HistoryJob() override;

    // Safe from any thread; after it returns the job posts nothing.
    void Cancel();
    bool IsCancelled();

    void Process(wxThread* thread) override;

    const wxString& GetUrl() const { return m_url; }

private:
    enum class Outcome { Complete, Failed, Cancelled };
    Outcome Transfer(std::string& body);

    wxMutex m_mutex;
    bool m_cancelled = false;
    int m_id = 0;
    int m_timeoutMs;
    wxString m_url;
};
