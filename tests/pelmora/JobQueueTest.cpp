#include "pelmora/JobQueue.h"

#include "pelmora/Job.h"
#include "pelmora/JobQueueSingleton.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>
#include <vector>

namespace {
using namespace std::chrono_literals;

// Collects the job-status events queued to it from the workers.
class Owner : public wxEvtHandler
{
public:
    void QueueEvent(wxEvent* event) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queued.emplace_back(event);
    }
    // Handles queued events until count have arrived or the time is up.
    bool WaitFor(std::size_t count, std::chrono::milliseconds limit = 5000ms)
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        for(;;) {
            std::vector<std::unique_ptr<wxEvent>> queued;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                queued.swap(m_queued);
            }
            for(const std::unique_ptr<wxEvent>& event : queued) {
                auto* command = dynamic_cast<wxCommandEvent*>(event.get());
                if(command && command->GetEventType() == wxEVT_CMD_JOB_STATUS) {
                    texts.push_back(*command);
                } else if(command && command->GetEventType() == wxEVT_CMD_JOB_STATUS_VOID_PTR) {
                    pointers.push_back(*command);
                } else {
                    ADD_FAILURE() << "unexpected event type " << event->GetEventType();
                }
            }
            if(texts.size() + pointers.size() >= count) {
                return true;
            }
            if(std::chrono::steady_clock::now() >= end) {
                return false;
            }
            std::this_thread::sleep_for(2ms);
        }
    }
    std::vector<wxCommandEvent> texts;
    std::vector<wxCommandEvent> pointers;

private:
    std::mutex m_mutex;
    std::vector<std::unique_ptr<wxEvent>> m_queued;
};

// A latch the test and the jobs meet at, every wait bounded.
class Signal
{
public:
    void Set()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_set = true;
        m_cv.notify_all();
    }
    bool Wait(std::chrono::milliseconds limit = 5000ms)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_cv.wait_for(lock, limit, [this] { return m_set; });
    }
    bool IsSet()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_set;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_set = false;
};

class TextJob : public Job
{
public:
    TextJob(wxEvtHandler* owner, long long tag, const wxString& text) : Job(owner, tag), m_text(text) {}
    void Process(wxThread*) override { Post(0, m_text); }

private:
    wxString m_text;
};

class NullJob : public Job
{
public:
    explicit NullJob(wxEvtHandler* owner) : Job(owner) {}
    void Process(wxThread*) override { Post(nullptr); }
};

// Runs until released, reporting that it started.
class BlockingJob : public Job
{
public:
    BlockingJob(Signal& started, Signal& release, Signal& finished)
        : m_started(started), m_release(release), m_finished(finished)
    {}
    void Process(wxThread*) override
    {
        m_started.Set();
        m_release.Wait(2000ms);
        std::this_thread::sleep_for(50ms); // the job's work, still running after the release
        m_finished.Set();
    }

private:
    Signal& m_started;
    Signal& m_release;
    Signal& m_finished;
};

class DestructionJob : public Job
{
public:
    DestructionJob(Signal& ran, Signal& destroyed) : m_ran(ran), m_destroyed(destroyed) {}
    ~DestructionJob() override { m_destroyed.Set(); }
    void Process(wxThread*) override { m_ran.Set(); }

private:
    Signal& m_ran;
    Signal& m_destroyed;
};
} // namespace

TEST(JobQueue, TextResultCarriesIdTextAndTheFull64BitTag)
{
    Owner owner;
    JobQueue queue;
    const long long tags[] = {-200, 0x123456789ALL};
    ASSERT_TRUE(
        queue.PushJob(std::make_shared<TextJob>(&owner, tags[0], wxString::FromUTF8("[{\"row\":\"行\"}]"))));
    ASSERT_TRUE(owner.WaitFor(1));
    ASSERT_TRUE(queue.PushJob(std::make_shared<TextJob>(&owner, tags[1], "second")));
    ASSERT_TRUE(owner.WaitFor(2));
    ASSERT_EQ(owner.texts.size(), 2u);
    EXPECT_EQ(owner.texts[0].GetEventType(), wxEVT_CMD_JOB_STATUS);
    EXPECT_EQ(owner.texts[0].GetInt(), 0);
    EXPECT_EQ(owner.texts[0].GetString(), wxString::FromUTF8("[{\"row\":\"行\"}]"));
    EXPECT_EQ(static_cast<long long>(owner.texts[0].GetExtraLong()), tags[0]);
    EXPECT_EQ(static_cast<long long>(owner.texts[1].GetExtraLong()), tags[1]);
}

TEST(JobQueue, PointerResultArrivesAsTheVoidPointerEventWithTheTag)
{
    Owner owner;
    JobQueue queue;
    auto job = std::make_shared<NullJob>(&owner);
    job->SetTag(-5);
    ASSERT_TRUE(queue.PushJob(job));
    ASSERT_TRUE(owner.WaitFor(1));
    ASSERT_EQ(owner.pointers.size(), 1u);
    EXPECT_TRUE(owner.texts.empty());
    EXPECT_EQ(owner.pointers[0].GetClientData(), nullptr);
    EXPECT_EQ(owner.pointers[0].GetExtraLong(), -5);
}

TEST(JobQueue, JobStatusTypesAreFreshTypesApartFromTheBusIds)
{
    const int text = wxEVT_CMD_JOB_STATUS;
    const int pointer = wxEVT_CMD_JOB_STATUS_VOID_PTR;
    EXPECT_NE(text, pointer);
    for(int busId : {10000, 10001, 10002, 10003, 10004, 10005, 10006, 10100, 11111, 11112, 11113, 778877}) {
        EXPECT_NE(text, busId);
        EXPECT_NE(pointer, busId);
    }
    // Types made after them are new again.
    EXPECT_GT(static_cast<int>(wxNewEventType()), std::max(text, pointer));
}

TEST(JobQueue, AStalledJobDoesNotHoldUpTheNext)
{
    Owner owner;
    Signal started, release, finished;
    JobQueue queue; // stops before what its jobs touch goes
    ASSERT_TRUE(queue.PushJob(std::make_shared<BlockingJob>(started, release, finished)));
    ASSERT_TRUE(started.Wait());
    ASSERT_TRUE(queue.PushJob(std::make_shared<TextJob>(&owner, 1, "quick")));
    EXPECT_TRUE(owner.WaitFor(1, 2000ms));
    EXPECT_FALSE(finished.IsSet());
    release.Set();
    EXPECT_TRUE(finished.Wait());
    EXPECT_EQ(queue.GetThreadCount(), 2u);
}

TEST(JobQueue, JobsRunInParallelUpToTheThreadLimit)
{
    Signal release;
    std::vector<std::unique_ptr<Signal>> started, finished;
    // Declared last, so its workers have ended when the signals they still
    // set go (the first three jobs outlive the last one's finish).
    JobQueue queue(3);
    for(int i = 0; i < 4; ++i) {
        started.push_back(std::make_unique<Signal>());
        finished.push_back(std::make_unique<Signal>());
        ASSERT_TRUE(queue.PushJob(std::make_shared<BlockingJob>(*started[i], release, *finished[i])));
    }
    for(int i = 0; i < 3; ++i) {
        EXPECT_TRUE(started[i]->Wait()) << i;
    }
    // The fourth waits for a free worker.
    EXPECT_EQ(queue.GetThreadCount(), 3u);
    EXPECT_FALSE(started[3]->Wait(100ms));
    release.Set();
    EXPECT_TRUE(started[3]->Wait());
    EXPECT_TRUE(finished[3]->Wait());
}

TEST(JobQueue, StopWaitsForTheRunningJobAndDropsTheWaitingOnes)
{
    auto queue = std::make_unique<JobQueue>(1);
    Signal started, release, finished, ran, destroyed;
    ASSERT_TRUE(queue->PushJob(std::make_shared<BlockingJob>(started, release, finished)));
    ASSERT_TRUE(started.Wait());
    ASSERT_TRUE(queue->PushJob(std::make_shared<DestructionJob>(ran, destroyed)));
    // The running job is let go only once Stop has dropped the waiting one,
    // so Stop is under way while the job still runs.
    std::thread releaser([&release, &destroyed] {
        destroyed.Wait();
        release.Set();
    });
    queue->Stop();
    // Stop returned only after the running job had finished, and the job that
    // never started is already gone.
    EXPECT_TRUE(finished.IsSet());
    EXPECT_TRUE(destroyed.IsSet());
    EXPECT_FALSE(ran.IsSet());
    releaser.join();
    EXPECT_FALSE(queue->PushJob(std::make_shared<DestructionJob>(ran, destroyed)));
    EXPECT_EQ(queue->GetThreadCount(), 0u);
}

TEST(JobQueue, FinishedJobsAreReleasedByTheQueue)
{
    Signal ran, destroyed;
    JobQueue queue; // stops before what its jobs touch goes
    auto job = std::make_shared<DestructionJob>(ran, destroyed);
    std::weak_ptr<Job> watch = job;
    ASSERT_TRUE(queue.PushJob(std::move(job)));
    ASSERT_TRUE(destroyed.Wait());
    EXPECT_TRUE(watch.expired());
}

TEST(JobQueueSingleton, OneQueuePerProcessUntilReleased)
{
    JobQueue* first = JobQueueSingleton::Instance();
    EXPECT_EQ(first, JobQueueSingleton::Instance());
    Owner owner;
    ASSERT_TRUE(JobQueueSingleton::Instance()->PushJob(std::make_shared<TextJob>(&owner, 3, "s")));
    EXPECT_TRUE(owner.WaitFor(1));
    JobQueueSingleton::Release();
    JobQueue* second = JobQueueSingleton::Instance();
    ASSERT_NE(second, nullptr);
    ASSERT_TRUE(second->PushJob(std::make_shared<TextJob>(&owner, 4, "t")));
    EXPECT_TRUE(owner.WaitFor(2));
    JobQueueSingleton::Release();
}
