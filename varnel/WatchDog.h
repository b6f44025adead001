#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Ends the program when the GUI thread's heartbeat is 6 s old: a thread
// checks every 100 ms on a monotonic clock (setting the wall clock neither
// fires it nor hides a hang). Destruction stops the thread and waits for it,
// so it never touches the object afterwards.
class WatchDog
{
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    using Action = std::function<void()>;

    // An empty clock reads std::chrono::steady_clock. The action runs on the
    // watchdog thread when the heartbeat is overdue; it normally ends the
    // process, and if it returns the watchdog stops.
    WatchDog(Clock clock, Action onDeadlock);
    ~WatchDog();
    WatchDog(const WatchDog&) = delete;
    WatchDog& operator=(const WatchDog&) = delete;

    void Start();
    // The heartbeat: now.
    void Beat();
    // Sets the stop flag and waits for the thread to leave its loop.
    void Stop();

    // Whether the whole seconds since the heartbeat exceed 5.
    bool IsOverdue() const;

private:
    void Run();
    std::chrono::steady_clock::time_point Now() const;

    Clock m_clock;
    Action m_onDeadlock;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::chrono::steady_clock::time_point m_heartbeat;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
