#include "PeriodicTask.h"

namespace simmarket {

PeriodicTask::PeriodicTask(boost::asio::io_context& io, std::chrono::milliseconds period,
                           std::function<void()> work)
    : m_timer(io), m_period(period), m_work(std::move(work))
{}

PeriodicTask::~PeriodicTask()
{
    *m_alive = false;
    m_timer.cancel();
}

void PeriodicTask::Start()
{
    Schedule();
}

void PeriodicTask::Schedule()
{
    std::weak_ptr<bool> alive = m_alive;
    m_timer.expires_after(m_period);
    m_timer.async_wait([this, alive](const boost::system::error_code& ec) {
        auto live = alive.lock();
        if(ec || !live || !*live)
            return;
        m_work();
        Schedule();
    });
}

} // namespace simmarket
