#pragma once
// Runs a function on the market's I/O thread every period until destroyed.
// The services use it to look at the market clock, so a test that moves the
// clock forward sees the due work done within one period.
#include <boost/asio.hpp>
#include <chrono>
#include <functional>
#include <memory>

namespace simmarket {

class PeriodicTask
{
public:
    PeriodicTask(boost::asio::io_context& io, std::chrono::milliseconds period, std::function<void()> work);
    ~PeriodicTask();
    PeriodicTask(const PeriodicTask&) = delete;
    PeriodicTask& operator=(const PeriodicTask&) = delete;

    void Start();

private:
    void Schedule();

    boost::asio::steady_timer m_timer;
    std::chrono::milliseconds m_period;
    std::function<void()> m_work;
    // Cleared by the destructor, so a wait that completes late does nothing.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace simmarket
