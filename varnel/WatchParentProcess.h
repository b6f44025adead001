#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Ends the program when the process it watches is gone: a thread asks every
// second whether the process exists. Destruction wakes and joins the thread
// at once, so the watcher never keeps the program from ending.
class WatchParentProcess
{
public:
    using Exists = std::function<bool(long processId)>;
    using Action = std::function<void()>;

    // Starts watching. The action runs on the watcher thread once the process
    // is gone; it normally ends the process.
    WatchParentProcess(long processId, Exists exists, Action onGone,
                       std::chrono::milliseconds interval = std::chrono::seconds(1));
    ~WatchParentProcess();
    WatchParentProcess(const WatchParentProcess&) = delete;
    WatchParentProcess& operator=(const WatchParentProcess&) = delete;

private:
    void Run();

    const long m_processId;
    Exists m_exists;
    Action m_onGone;
    const std::chrono::milliseconds m_interval;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};
