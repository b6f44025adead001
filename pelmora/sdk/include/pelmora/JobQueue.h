#ifndef PELMORA_JOBQUEUE_H
#define PELMORA_JOBQUEUE_H

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

class Job;

// Runs jobs on worker threads. A worker is added whenever a job would wait
// for a free one, up to the limit, so slow jobs (a download without a
// time-out) do not hold up the others.
class JobQueue
{
public:
    explicit JobQueue(std::size_t maxThreads = 8);
    // Stops the queue (see Stop).
    ~JobQueue();
    JobQueue(const JobQueue&) = delete;
    JobQueue& operator=(const JobQueue&) = delete;

    // False (the job is not kept) once the queue is stopping.
    bool PushJob(std::shared_ptr<Job> job);
    // Takes no more jobs, drops those not yet started, and waits until the
    // running ones have returned. Their code may live in a plug-in that is
    // unloaded next, so nothing of a job is left running or held afterwards.
    void Stop();

    std::size_t GetThreadCount() const;
    // Jobs waiting for a worker.
    std::size_t GetPendingCount() const;

private:
    class Worker;
    void RunWorker(Worker* worker);

    const std::size_t m_maxThreads;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::shared_ptr<Job>> m_jobs;
    std::vector<std::unique_ptr<Worker>> m_workers;
    std::size_t m_idle;
    bool m_stopping;
};

#endif // PELMORA_JOBQUEUE_H
