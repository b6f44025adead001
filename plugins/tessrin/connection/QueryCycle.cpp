#include "connection/QueryCycle.h"

void QueryCycle::Reset()
{
    m_awaited.clear();
    m_begun = false;
}

void QueryCycle::Asked(CallbackCode answer, const wxDateTime& now)
{
    m_awaited[answer] = now;
}

void QueryCycle::Progressed(CallbackCode answer, const wxDateTime& now)
{
    const auto found = m_awaited.find(answer);
    if(found != m_awaited.end()) {
        found->second = now;
    }
}

void QueryCycle::Answered(CallbackCode answer)
{
    m_awaited.erase(answer);
}

bool QueryCycle::IsOverdue(CallbackCode answer, const wxDateTime& now, long waitMs) const
{
    const auto found = m_awaited.find(answer);
    return found != m_awaited.end() && found->second.IsValid() &&
           (now - found->second).GetMilliseconds() > waitMs;
}
