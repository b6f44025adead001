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

void RequestWait::Drop()
{
    m_bWaitting = false;
    m_waitRequestId = -1;
    // Nothing to withdraw from a registry that does not exist (any more).
    if(RequestNotify* registry = Registry(false)) {
        registry->RemoveCallBack(m_owner);
    }
}
