#include "pelmora/JobQueue.h"

#include "pelmora/Job.h"

#include <exception>
#include <wx/log.h>
#include <wx/thread.h>

class JobQueue::Worker : public wxThread
{
public:
    explicit Worker(JobQueue& queue) : wxThread(wxTHREAD_JOINABLE), m_queue(queue) {}

protected:
    ExitCode Entry() override
    {
        m_queue.RunWorker(this);
        return nullptr;
    }

private:
    JobQueue& m_queue;
};

JobQueue::JobQueue(std::size_t maxThreads)
    : m_maxThreads(maxThreads > 0 ? maxThreads : 1), m_idle(0), m_stopping(false)
{}

JobQueue::~JobQueue()
{
    Stop();
}

bool JobQueue::PushJob(std::shared_ptr<Job> job)
{
    if(!job) {
        return false;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    if(m_stopping) {
        return false;
    }
    m_jobs.push_back(std::move(job));
    if(m_idle < m_jobs.size() && m_workers.size() < m_maxThreads) {
        auto worker = std::make_unique<Worker>(*this);
        if(worker->Run() == wxTHREAD_NO_ERROR) {
            ++m_idle;
            m_workers.push_back(std::move(worker));
        } else {
            wxLogError("Cannot start a job worker thread");
        }
    }
    m_wake.notify_one();
    return true;
}

void JobQueue::RunWorker(Worker* worker)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for(;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if(m_stopping) {
            break;
        }
        std::shared_ptr<Job> job = std::move(m_jobs.front());
        m_jobs.pop_front();
        --m_idle;
        lock.unlock();
        try {
            job->Process(worker);
        } catch(const std::exception& e) {
            wxLogError("A background job failed: %s", e.what());
        } catch(...) {
            wxLogError("A background job failed");
        }
        // Let go of the job before taking the lock: its destructor is the
        // owner's code.
        job.reset();
        lock.lock();
        ++m_idle;
    }
}

void JobQueue::Stop()
{
    std::deque<std::shared_ptr<Job>> dropped;
    std::vector<std::unique_ptr<Worker>> workers;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        dropped.swap(m_jobs);
        workers.swap(m_workers);
    }
    m_wake.notify_all();
    dropped.clear();
    for(const std::unique_ptr<Worker>& worker : workers) {
        worker->Wait();
    }
}

std::size_t JobQueue::GetThreadCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_workers.size();
}

std::size_t JobQueue::GetPendingCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_jobs.size();
}
