#include "connection/HistoryJob.h"

#include "JobEventRecorder.h"
#include "LoopbackHttpServer.h"
#include "TestSocket.h"

#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <memory>
#include <pelmora/JobQueueSingleton.h>
#include <thread>

using namespace std::chrono_literals;

namespace {
// The queue's workers are wx threads: stop them while wx is still up.
class JobQueueRelease : public ::testing::Environment
{
public:
    void TearDown() override { JobQueueSingleton::Release(); }
};
::testing::Environment* const g_queueRelease = ::testing::AddGlobalTestEnvironment(new JobQueueRelease);
} // namespace

namespace {
// Runs the job's transfer on a worker thread of our own, as the queue would,
// and reports whether it ended within the limit (a job still running then is
// cancelled so the thread can be joined).
bool RunJob(const std::shared_ptr<HistoryJob>& job, std::chrono::milliseconds limit = 10s)
{
    std::packaged_task<void()> task([job] { job->Process(nullptr); });
    std::future<void> done = task.get_future();
    std::thread worker(std::move(task));
    const bool finished = done.wait_for(limit) == std::future_status::ready;
    if(!finished) {
        job->Cancel();
    }
    worker.join();
    return finished;
}

std::shared_ptr<HistoryJob> MakeJob(JobEventRecorder& owner, const std::string& url, int timeoutMs = 3000,
                                    wxInt64 tag = 0)
{
    return std::make_shared<HistoryJob>(&owner, wxString::FromUTF8(url), timeoutMs, tag);
}

// Delivers whatever the job queued and returns the single event it posted.
JobEventRecorder::Record OnlyEvent(JobEventRecorder& owner)
{
    EXPECT_TRUE(owner.WaitForEvent(5s));
    PumpFor(50ms); // a second event would show up here
    EXPECT_EQ(owner.Records().size(), 1u);
    return owner.Records().empty() ? JobEventRecorder::Record{false, "", 0, -1} : owner.Records().front();
}
} // namespace

// --- answers ---------------------------------------------------------------

TEST(HistoryJobAnswer, BodyIsPostedAsTextWithIdZeroAndTheTagAsExtraLong)
{
    LoopbackHttpServer http;
    http.server().Get("/bars", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("[1,2,3] 行情", "application/json");
    });
    http.Start();
    JobEventRecorder owner;
    const wxInt64 tag = 0x123456789ALL; // wider than 32 bits
    ASSERT_TRUE(RunJob(MakeJob(owner, http.Url("/bars"), 3000, tag)));

    const auto event = OnlyEvent(owner);
    EXPECT_TRUE(event.answered);
    EXPECT_EQ(event.text, wxString::FromUTF8("[1,2,3] 行情"));
    EXPECT_EQ(event.id, 0);
    EXPECT_EQ(static_cast<wxInt64>(event.extraLong), tag);
}

TEST(HistoryJobAnswer, ErrorPageThatArrivesWholeIsTheAnswer)
{
    LoopbackHttpServer http;
    http.server().Get("/missing", [](const httplib::Request&, httplib::Response& res) {
        res.status = 404;
        res.set_content("<html>not here</html>", "text/html");
    });
    http.Start();
    JobEventRecorder owner;
    ASSERT_TRUE(RunJob(MakeJob(owner, http.Url("/missing"))));

    const auto event = OnlyEvent(owner);
    EXPECT_TRUE(event.answered);
    EXPECT_EQ(event.text, "<html>not here</html>");
}

TEST(HistoryJobAnswer, RedirectIsFollowedToTheFinalBody)
{
    LoopbackHttpServer http;
    http.server().Get("/old",
                      [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/new"); });
    http.server().Get("/new", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("moved here", "text/plain");
    });
    http.Start();
    JobEventRecorder owner;
    ASSERT_TRUE(RunJob(MakeJob(owner, http.Url("/old"))));

    const auto event = OnlyEvent(owner);
    EXPECT_TRUE(event.answered);
    EXPECT_EQ(event.text, "moved here");
}

TEST(HistoryJobAnswer, EmptyBodyIsNoAnswerRatherThanAnEmptyText)
{
    LoopbackHttpServer http;
    http.server().Get(
        "/empty", [](const httplib::Request&, httplib::Response& res) { res.set_content("", "text/plain"); });
    http.Start();
    JobEventRecorder owner;
    ASSERT_TRUE(RunJob(MakeJob(owner, http.Url("/empty"))));

    EXPECT_FALSE(OnlyEvent(owner).answered);
}

TEST(HistoryJobAnswer, UtfEightCharacterSplitAcrossTwoBlocksDecodesWhole)
{
    LoopbackHttpServer http;
    http.server().Get("/split", [](const httplib::Request&, httplib::Response& res) {
        res.set_chunked_content_provider("text/plain", [](size_t, httplib::DataSink& sink) {
            // "价格" is E4 BB B7 E6 A0 BC: cut inside the first character.
            sink.write("\xE4", 1);
            std::this_thread::sleep_for(150ms); // a slow network: the rest comes in a second block
            sink.write("\xBB\xB7\xE6\xA0\xBC", 5);
            sink.done();
            return true;
        });
    });
    http.Start();
    JobEventRecorder owner;
    ASSERT_TRUE(RunJob(MakeJob(owner, http.Url("/split"))));

    const auto event = OnlyEvent(owner);
    EXPECT_TRUE(event.answered);
    EXPECT_EQ(event.text, wxString::FromUTF8("价格"));
}

TEST(HistoryJobAnswer, BodyThatIsNotUtfEightKeepsItsReadableParts)
{
    LoopbackHttpServer http;
    http.server().Get("/bad", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(std::string("ok \xFF end"), "text/plain");
    });
    http.Start();
    JobEventRecorder owner;
    ASSERT_TRUE(RunJob(MakeJob(owner, http.Url("/bad"))));

    const auto event = OnlyEvent(owner);
    EXPECT_TRUE(event.answered);
    EXPECT_TRUE(event.text.StartsWith("ok ")) << event.text;
    EXPECT_TRUE(event.text.EndsWith(" end")) << event.text;
    EXPECT_EQ(event.text.length(), 8u);
}

// --- failures and the time-out -------------------------------------------

TEST(HistoryJobFailure, RefusedConnectionIsNoAnswer)
{
    TestSocket refused(false);
    ASSERT_GT(refused.Port(), 0);
    JobEventRecorder owner;
    ASSERT_TRUE(RunJob(MakeJob(owner, refused.Base() + "/x")));

    EXPECT_FALSE(OnlyEvent(owner).answered);
}

TEST(HistoryJobFailure, ConnectionCutAfterSomeBytesIsNoAnswer)
{
    LoopbackHttpServer http;
    http.server().Get("/cut", [](const httplib::Request&, httplib::Response& res) {
        res.set_content_provider(100, "text/plain", [](size_t, size_t, httplib::DataSink& sink) {
            sink.write("0123456789", 10);
            return false; // drop the connection 90 bytes short
        });
    });
    http.Start();
    JobEventRecorder owner;
    ASSERT_TRUE(RunJob(MakeJob(owner, http.Url("/cut"))));

    EXPECT_FALSE(OnlyEvent(owner).answered);
}

TEST(HistoryJobFailure, SilentServerGivesNoAnswerOnceTheTimeOutHasReallyPassed)
{
    TestSocket silent(true);
    ASSERT_GT(silent.Port(), 0);
    JobEventRecorder owner;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(RunJob(MakeJob(owner, silent.Base() + "/x", 300), 5s));
    const auto elapsed = std::chrono::steady_clock::now() - start;

    EXPECT_FALSE(OnlyEvent(owner).answered);
    EXPECT_GE(elapsed, 300ms); // never gives up before the silence has lasted the time-out
}

TEST(HistoryJobFailure, FirstByteThenAStallBeyondTheTimeOutIsNoAnswer)
{
    LoopbackHttpServer http;
    http.server().Get("/slow", [](const httplib::Request&, httplib::Response& res) {
        res.set_chunked_content_provider("text/plain", [](size_t, httplib::DataSink& sink) {
            sink.write("a", 1);
            std::this_thread::sleep_for(2s); // far beyond the job's time-out, however late its clock runs
            sink.write("bc", 2);
            sink.done();
            return true;
        });
    });
    http.Start();
    JobEventRecorder owner;
    ASSERT_TRUE(RunJob(MakeJob(owner, http.Url("/slow"), 200)));

    EXPECT_FALSE(OnlyEvent(owner).answered);
}

// --- cancel ----------------------------------------------------------------

TEST(HistoryJobCancel, CancelWhileWaitingStopsTheJobAtOnceAndPostsNothing)
{
    // A server that takes the request and answers only when the test lets it.
    std::promise<void> arrived;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    LoopbackHttpServer http;
    http.server().Get("/wait", [&arrived, released](const httplib::Request&, httplib::Response& res) {
        arrived.set_value();
        released.wait_for(5s);
        res.set_content("too late", "text/plain");
    });
    http.Start();
    JobEventRecorder owner;
    // The time-out only bounds the test: the cancel must end the job long before it.
    auto job = MakeJob(owner, http.Url("/wait"), 4000);
    std::packaged_task<void()> task([job] { job->Process(nullptr); });
    std::future<void> done = task.get_future();
    std::thread worker(std::move(task));
    const bool waiting = arrived.get_future().wait_for(5s) == std::future_status::ready;
    job->Cancel();
    const bool stoppedByCancel = done.wait_for(1500ms) == std::future_status::ready;
    release.set_value();
    worker.join();

    EXPECT_TRUE(waiting);
    EXPECT_TRUE(stoppedByCancel);
    PumpFor(100ms);
    EXPECT_TRUE(owner.Records().empty());
}

TEST(HistoryJobCancel, JobCancelledBeforeItRunsPostsNothing)
{
    LoopbackHttpServer http;
    http.server().Get("/data", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("data", "text/plain");
    });
    http.Start();
    JobEventRecorder owner;
    auto job = MakeJob(owner, http.Url("/data"));
    job->Cancel();
    EXPECT_TRUE(job->IsCancelled());
    ASSERT_TRUE(RunJob(job));

    PumpFor(100ms);
    EXPECT_TRUE(owner.Records().empty());
}

// --- on the host's queue ---------------------------------------------------

TEST(HistoryJobQueue, JobPushedToTheHostQueueAnswersItsOwner)
{
    LoopbackHttpServer http;
    http.server().Get("/q", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("queued answer", "text/plain");
    });
    http.Start();
    JobEventRecorder owner;
    auto job = MakeJob(owner, http.Url("/q"), 3000, 42);
    JobQueueSingleton::Instance()->PushJob(job);

    ASSERT_TRUE(owner.WaitForEvent(5s));
    EXPECT_TRUE(owner.Records().front().answered);
    EXPECT_EQ(owner.Records().front().text, "queued answer");
    EXPECT_EQ(owner.Records().front().extraLong, 42);
}
