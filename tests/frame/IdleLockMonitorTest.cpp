#include "frame/IdleLockMonitor.h"

#include <gtest/gtest.h>

namespace {

// A clock the test moves by hand.
class IdleLockMonitorTest : public ::testing::Test
{
protected:
    IdleLockMonitorTest()
        : m_now(wxDateTime(8, wxDateTime::Dec, 2026, 9, 30, 0)), m_monitor([this] { return m_now; })
    {}

    void Advance(long milliseconds) { m_now += wxTimeSpan::Milliseconds(milliseconds); }

    wxDateTime m_now;
    IdleLockMonitor m_monitor;
};

TEST_F(IdleLockMonitorTest, WithoutAnyActivitySinceStartTheIdleLockNeverTriggers)
{
    Advance(24L * 3600 * 1000);
    EXPECT_FALSE(m_monitor.CheckIdle(60));
    EXPECT_FALSE(m_monitor.IsLocked());
    EXPECT_FALSE(m_monitor.GetLastActivityTime().IsValid());
}

TEST_F(IdleLockMonitorTest, LockIsDueOnceTheWholeIntervalHasPassed)
{
    m_monitor.OnActivity();
    Advance(59999);
    EXPECT_FALSE(m_monitor.CheckIdle(60)) << "59.999 s count as 59";
    Advance(1);
    EXPECT_TRUE(m_monitor.CheckIdle(60));
    EXPECT_TRUE(m_monitor.IsLocked());
    EXPECT_EQ(m_now, m_monitor.GetLastActivityTime()) << "the idle time starts again at the lock";
}

TEST_F(IdleLockMonitorTest, ActivityStartsTheIdleTimeAgain)
{
    m_monitor.OnActivity();
    Advance(50000);
    m_monitor.OnActivity();
    Advance(50000);
    EXPECT_FALSE(m_monitor.CheckIdle(60));
    Advance(10000);
    EXPECT_TRUE(m_monitor.CheckIdle(60));
}

TEST_F(IdleLockMonitorTest, IntervalZeroSwitchesTheIdleLockOffButTheCommandStillLocks)
{
    m_monitor.OnActivity();
    Advance(3600L * 1000);
    EXPECT_FALSE(m_monitor.CheckIdle(0));
    EXPECT_FALSE(m_monitor.IsLocked());
    EXPECT_TRUE(m_monitor.TryLock());
    EXPECT_TRUE(m_monitor.IsLocked());
}

TEST_F(IdleLockMonitorTest, OnlyOneLockAtATime)
{
    m_monitor.OnActivity();
    Advance(60000);
    ASSERT_TRUE(m_monitor.CheckIdle(60));
    Advance(120000);
    EXPECT_FALSE(m_monitor.CheckIdle(60)) << "due or showing: no second lock";
    EXPECT_FALSE(m_monitor.TryLock()) << "the lock command does nothing while locked";
    m_monitor.Unlock();
    EXPECT_FALSE(m_monitor.IsLocked());
    EXPECT_TRUE(m_monitor.TryLock());
    EXPECT_FALSE(m_monitor.TryLock());
}

TEST_F(IdleLockMonitorTest, AfterUnlockTheNextIdleLockWaitsAFullIntervalFromTheLock)
{
    m_monitor.OnActivity();
    Advance(60000);
    ASSERT_TRUE(m_monitor.CheckIdle(60));
    Advance(30000); // the user types the password
    m_monitor.Unlock();
    EXPECT_FALSE(m_monitor.CheckIdle(60));
    Advance(30000);
    EXPECT_TRUE(m_monitor.CheckIdle(60));
}

TEST_F(IdleLockMonitorTest, AClockThatGoesBackDoesNotLock)
{
    m_monitor.OnActivity();
    Advance(-3600L * 1000);
    EXPECT_FALSE(m_monitor.CheckIdle(60));
}

TEST(IdleLockMonitorClock, WithoutAClockTheSystemTimeIsUsed)
{
    IdleLockMonitor monitor;
    const wxDateTime before = wxDateTime::UNow();
    monitor.OnActivity();
    EXPECT_TRUE(monitor.GetLastActivityTime().IsValid());
    EXPECT_GE(monitor.GetLastActivityTime(), before);
    EXPECT_FALSE(monitor.CheckIdle(60));
}

} // namespace
