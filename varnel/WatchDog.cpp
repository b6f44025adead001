#include "WatchDog.h"

#include <utility>

namespace {
const std::chrono::milliseconds kPoll(100);
const std::chrono::seconds kQuietSeconds(5);
} // namespace

WatchDog::WatchDog(Clock clock, Action onDeadlock)
    : m_clock(std::move(clock)), m_onDeadlock(std::move(onDeadlock))
{
    m_heartbeat = Now();
}

WatchDog::~WatchDog()
{
    Stop();
}

void WatchDog::Start()
{
    if(!m_thread.joinable()) {
        m_stop = false;
        m_thread = std::thread([this] { Run(); });
    }
}

void WatchDog::Beat()
{
    const auto now = Now();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_heartbeat = now;
}

void WatchDog::Stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if(m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id()) {
        m_thread.join();
    }
}

bool WatchDog::IsOverdue() const
{
    const auto now = Now();
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::chrono::duration_cast<std::chrono::seconds>(now - m_heartbeat) > kQuietSeconds;
}

void WatchDog::Run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while(!m_stop) {
        lock.unlock();
        if(IsOverdue()) {
            m_onDeadlock();
            return;
        }
        lock.lock();
        m_wake.wait_for(lock, kPoll, [this] { return m_stop.load(); });
    }
}

std::chrono::steady_clock::time_point WatchDog::Now() const
{
    return m_clock ? m_clock() : std::chrono::steady_clock::now();
}
