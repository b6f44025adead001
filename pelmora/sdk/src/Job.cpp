#include "pelmora/Job.h"

// The tag travels in wxCommandEvent's extra long.
static_assert(sizeof(long) >= sizeof(long long), "the job tag needs a 64-bit long");

wxDEFINE_EVENT(wxEVT_CMD_JOB_STATUS, wxCommandEvent);
wxDEFINE_EVENT(wxEVT_CMD_JOB_STATUS_VOID_PTR, wxCommandEvent);

Job::Job(wxEvtHandler* owner, long long tag) : m_owner(owner), m_tag(tag) {}

Job::~Job() = default;

void Job::Post(void* ptr)
{
    wxCommandEvent event(wxEVT_CMD_JOB_STATUS_VOID_PTR);
    event.SetClientData(ptr);
    Send(event);
}

void Job::Post(int id, const wxString& text)
{
    wxCommandEvent event(wxEVT_CMD_JOB_STATUS);
    event.SetInt(id);
    // Clone() copies the text, so the worker's string never crosses threads.
    event.SetString(text.Clone());
    Send(event);
}

void Job::Send(wxCommandEvent& event)
{
    if(!m_owner) {
        return;
    }
    event.SetExtraLong(static_cast<long>(m_tag.load()));
    wxQueueEvent(m_owner, event.Clone());
}
