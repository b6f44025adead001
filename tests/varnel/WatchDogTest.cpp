#include "WatchDog.h"

#include "WatchParentProcess.h"

#include <atomic>
#include <future>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono;
using TimePoint = steady_clock::time_point;

// A monotonic clock the test moves by hand, safe to read from the watchdog.
class FakeClock
{
public:
    TimePoint Now() const { return TimePoint(milliseconds(m_ms.load())); }
    void Advance(long ms) { m_ms += ms; }
    WatchDog::Clock Function()
    {
        return [this] { return Now(); };
    }

private:
    std::atomic<long> m_ms{1000000};
};

const auto kBounded = seconds(5);

TEST(WatchDog, FiresAfterSixWholeSecondsWithoutAHeartbeat)
{
    FakeClock clock;
    WatchDog dog(clock.Function(), [] {});
    clock.Advance(5999);
    EXPECT_FALSE(dog.IsOverdue()) << "5999 ms count as 5 s";
    clock.Advance(1);
    EXPECT_TRUE(dog.IsOverdue());
    dog.Beat();
    EXPECT_FALSE(dog.IsOverdue()) << "a heartbeat starts the count again";
    clock.Advance(5999);
    EXPECT_FALSE(dog.IsOverdue());
}

TEST(WatchDog, ThreadRunsTheActionOnceTheHeartbeatIsOverdue)
{
    FakeClock clock;
    std::promise<void> fired;
    std::atomic<int> firings{0};
    WatchDog dog(clock.Function(), [&] {
        if(++firings == 1) {
            fired.set_value();
        }
    });
    dog.Start();
    clock.Advance(6000);
    ASSERT_EQ(std::future_status::ready, fired.get_future().wait_for(kBounded));
    dog.Stop();
    EXPECT_EQ(1, firings.load()) << "the watchdog ends after its action";
}

TEST(WatchDog, StopEndsTheLoopWithoutFiring)
{
    FakeClock clock;
    std::atomic<int> firings{0};
    WatchDog dog(clock.Function(), [&] { ++firings; });
    dog.Start();
    const auto before = steady_clock::now();
    dog.Stop();
    EXPECT_LT(steady_clock::now() - before, kBounded);
    clock.Advance(60000);
    dog.Stop();
    EXPECT_EQ(0, firings.load()) << "no thread left to see the overdue heartbeat";
}

TEST(WatchDog, DestructionWaitsForTheThreadToLeave)
{
    // The watchdog thread is held inside a clock reading while the watchdog
    // is destroyed on another thread: the destruction may only finish after
    // that reading has returned.
    std::atomic<int> sequence{0};
    std::atomic<int> readingReturnedAt{-1};
    std::atomic<int> destroyedAt{-1};
    std::promise<void> entered;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<int> readings{0};
    const WatchDog::Clock clock = [&] {
        if(++readings == 2) { // the first reading is the constructor's
            entered.set_value();
            released.wait();
            readingReturnedAt = ++sequence;
        }
        return TimePoint(seconds(1));
    };
    auto dog = std::make_unique<WatchDog>(clock, [] {});
    dog->Start();
    ASSERT_EQ(std::future_status::ready, entered.get_future().wait_for(kBounded));

    std::thread destroyer([&] {
        dog.reset();
        destroyedAt = ++sequence;
    });
    // While the reading is held, the destruction must not finish.
    const auto until = steady_clock::now() + milliseconds(200);
    while(destroyedAt < 0 && steady_clock::now() < until) {
        std::this_thread::sleep_for(milliseconds(1));
    }
    EXPECT_LT(destroyedAt.load(), 0) << "destroyed while its thread still ran";
    release.set_value();
    destroyer.join();
    EXPECT_LT(readingReturnedAt.load(), destroyedAt.load());
    EXPECT_GT(readingReturnedAt.load(), 0);
}

TEST(WatchParentProcess, EndsOnceTheWatchedProcessIsGone)
{
    std::atomic<int> checks{0};
    std::promise<void> gone;
    WatchParentProcess watcher(
        4242,
        [&](long id) {
            EXPECT_EQ(4242, id);
            return ++checks < 3;
        },
        [&] { gone.set_value(); }, milliseconds(1));
    ASSERT_EQ(std::future_status::ready, gone.get_future().wait_for(kBounded));
    EXPECT_EQ(3, checks.load());
}

TEST(WatchParentProcess, NeverKeepsTheProgramFromEnding)
{
    std::atomic<int> checks{0};
    std::atomic<bool> gone{false};
    std::promise<void> firstCheck;
    const auto before = steady_clock::now();
    {
        // An hour between checks: destruction must not wait for the next one.
        WatchParentProcess watcher(
            1,
            [&](long) {
                if(++checks == 1) {
                    firstCheck.set_value();
                }
                return true;
            },
            [&] { gone = true; }, hours(1));
        ASSERT_EQ(std::future_status::ready, firstCheck.get_future().wait_for(kBounded));
    }
    EXPECT_LT(steady_clock::now() - before, kBounded);
    EXPECT_EQ(1, checks.load());
    EXPECT_FALSE(gone.load());
}

} // namespace
