#include "connection/RequestWait.h"

#include "connection/RequestNotify.h"

#include <wx/debug.h>

RequestWait::RequestWait(RequestCallBack* owner, RequestNotify* registry)
    : m_owner(owner), m_registry(registry)
{}

RequestWait::~RequestWait()
{
    Drop();
}

RequestNotify* RequestWait::Registry(bool create) const
{
    if(m_registry) {
        return m_registry;
    }
    return create ? RequestNotify::Get() : RequestNotify::GetIfExists();
}

void RequestWait::Start(int requestId, unsigned timeoutMs)
{
    wxASSERT_MSG(!m_bWaitting, "m_bWaitting == false");
    m_waitRequestId = requestId;
    m_bWaitting = true;
    Registry(true)->WaitResponse(requestId, m_owner, timeoutMs);
}

bool RequestWait::End(int requestId)
{
    if(!m_bWaitting || requestId != m_waitRequestId) {
        return false;
    }
    m_bWaitting = false;
    m_waitRequestId = -1;
    return true;
}

bool RequestWait::TimeOut(int requestId)
{
    if(!End(requestId)) {
        return false;
    }
    RequestNotify* registry = Registry(true);
    if(m_lateRequestId != -1) {
        registry->RemoveRequest(m_lateRequestId);
    }
    m_lateRequestId = requestId;
    registry->RemoveRequest(requestId); // a wait still registered would keep its first deadline
    registry->WaitResponse(requestId, m_owner, kLateAnswerMs);
    return true;
}

bool RequestWait::EndLate(int requestId)
{
    if(m_lateRequestId == -1 || requestId != m_lateRequestId) {
        return false;
    }
    m_lateRequestId = -1;
    return true;
}

void RequestWait::Drop()
{
    m_bWaitting = false;
    m_waitRequestId = -1;
    m_lateRequestId = -1;
    // Nothing to withdraw from a registry that does not exist (any more).
    if(RequestNotify* registry = Registry(false)) {
        registry->RemoveCallBack(m_owner);
    }
}
