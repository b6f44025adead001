#ifndef PELMORA_JOB_H
#define PELMORA_JOB_H

#include <atomic>
#include <wx/event.h>
#include <wx/string.h>

class wxThread;

// Results of a job, queued to its owner and handled on the GUI thread. Both
// carry the job's tag in GetExtraLong(). These are fresh event types, so they
// are safe to send to windows.
//   wxEVT_CMD_JOB_STATUS:          GetInt() = the id, GetString() = the text
//   wxEVT_CMD_JOB_STATUS_VOID_PTR: GetClientData() = the pointer
wxDECLARE_EVENT(wxEVT_CMD_JOB_STATUS, wxCommandEvent);
wxDECLARE_EVENT(wxEVT_CMD_JOB_STATUS_VOID_PTR, wxCommandEvent);

// A unit of background work for the JobQueue. The owner (a wxEvtHandler that
// must outlive the job's posts) gets the results as queued events.
class Job
{
public:
    explicit Job(wxEvtHandler* owner = nullptr, long long tag = 0);
    virtual ~Job();
    Job(const Job&) = delete;
    Job& operator=(const Job&) = delete;

    // Queues wxEVT_CMD_JOB_STATUS_VOID_PTR to the owner.
    virtual void Post(void* ptr);
    // The work itself, run once on a worker thread of the queue.
    virtual void Process(wxThread* thread) = 0;

    // Queues wxEVT_CMD_JOB_STATUS to the owner.
    void Post(int id, const wxString& text);

    wxEvtHandler* GetOwner() const { return m_owner; }
    // A 64-bit value of the creator's, handed back with every result.
    void SetTag(long long tag) { m_tag = tag; }
    long long GetTag() const { return m_tag; }

private:
    void Send(wxCommandEvent& event);

    wxEvtHandler* m_owner; // not owned
    std::atomic<long long> m_tag;
};

#endif // PELMORA_JOB_H
