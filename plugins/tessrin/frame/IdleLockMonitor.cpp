#include "frame/IdleLockMonitor.h"

#include <utility>

IdleLockMonitor::IdleLockMonitor(Clock clock) : m_clock(std::move(clock)), m_isScreenLocked(false) {}

void IdleLockMonitor::SetClock(Clock clock)
{
    m_clock = std::move(clock);
}

void IdleLockMonitor::OnActivity()
{
    m_lastActivityTime = Now();
}

bool IdleLockMonitor::CheckIdle(long intervalSeconds)
{
    if(!m_lastActivityTime.IsValid()) {
        return false;
    }
    const wxDateTime now = Now();
    const wxLongLong elapsedSeconds = (now - m_lastActivityTime).GetMilliseconds() / 1000;
    if(intervalSeconds == 0 || elapsedSeconds < intervalSeconds || m_isScreenLocked) {
        return false;
    }
    m_lastActivityTime = now;
    m_isScreenLocked = true;
    return true;
}

bool IdleLockMonitor::TryLock()
{
    if(m_isScreenLocked) {
        return false;
    }
    m_isScreenLocked = true;
    return true;
}

void IdleLockMonitor::Unlock()
{
    m_isScreenLocked = false;
}

wxDateTime IdleLockMonitor::Now() const
{
    return m_clock ? m_clock() : wxDateTime::UNow();
}
