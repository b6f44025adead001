#include "WatchParentProcess.h"

#include <utility>

WatchParentProcess::WatchParentProcess(long processId, Exists exists, Action onGone,
                                       std::chrono::milliseconds interval)
    : m_processId(processId), m_exists(std::move(exists)), m_onGone(std::move(onGone)), m_interval(interval)
{
    m_thread = std::thread([this] { Run(); });
}

WatchParentProcess::~WatchParentProcess()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void WatchParentProcess::Run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while(!m_stop) {
        if(!m_exists(m_processId)) {
            lock.unlock();
            m_onGone();
            return;
        }
        m_wake.wait_for(lock, m_interval, [this] { return m_stop; });
    }
}
