// K-line periods: server codes, where a K-line starts and which times share one.
#include "charts/ePeriodType.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <string>

namespace {

// Boundaries are local: every case runs in a zone of its own choosing.
class LocalZone : public ::testing::Test
{
protected:
    void UseZone(const char* zone)
    {
        setenv("TZ", zone, 1);
        tzset();
    }
    void SetUp() override
    {
        const char* old = std::getenv("TZ");
        m_hadZone = old != nullptr;
        m_oldZone = old ? old : "";
        UseZone("CST-8"); // UTC+8, no daylight saving
    }
    void TearDown() override
    {
        if(m_hadZone) {
            setenv("TZ", m_oldZone.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

private:
    bool m_hadZone = false;
    std::string m_oldZone;
};

int64_t Local(int year, int month, int day, int hour, int minute, int second = 0)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&t));
}

} // namespace

TEST(KLinePeriods, ServerCodesFollowThePeriodNumbersAndDefaultToFive)
{
    const int expected[] = {4, 15, 5, 6, 7, 8, 13, 14, 9, 10, 11};
    for(int period = 0; period < kPeriodTypeCount; ++period) {
        EXPECT_EQ(ServerPeriodCode(period), expected[period]) << "period " << period;
    }
    for(int other : {-1, 11, 12, 99}) {
        EXPECT_EQ(ServerPeriodCode(other), 5) << "period " << other;
    }
}

TEST_F(LocalZone, BarStartsOnLocalBoundariesOfEveryPeriod)
{
    const int64_t tick = Local(2024, 3, 15, 13, 59, 42);
    struct Case
    {
        int period;
        int64_t start;
    } cases[] = {
        {eMinute1, Local(2024, 3, 15, 13, 59)},  {eMinute3, Local(2024, 3, 15, 13, 57)},
        {eMinute5, Local(2024, 3, 15, 13, 55)},  {eMinute15, Local(2024, 3, 15, 13, 45)},
        {eMinute30, Local(2024, 3, 15, 13, 30)}, {eHour1, Local(2024, 3, 15, 13, 0)},
        {eHour2, Local(2024, 3, 15, 12, 0)},     {eHour4, Local(2024, 3, 15, 12, 0)},
        {eDay1, Local(2024, 3, 15, 0, 0)},       {eWeek1, Local(2024, 3, 15, 0, 0)},
        {eMonth1, Local(2024, 3, 1, 0, 0)},      {42, Local(2024, 3, 1, 0, 0)},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(GetBarStartTime(c.period, tick), c.start) << "period " << c.period;
    }
    // Odd hours: two-hour K-lines start on even hours, four-hour ones on multiples of 4.
    EXPECT_EQ(GetBarStartTime(eHour2, Local(2024, 3, 15, 11, 10)), Local(2024, 3, 15, 10, 0));
    EXPECT_EQ(GetBarStartTime(eHour4, Local(2024, 3, 15, 11, 10)), Local(2024, 3, 15, 8, 0));
    EXPECT_EQ(GetBarStartTime(eHour4, Local(2024, 3, 15, 3, 59)), Local(2024, 3, 15, 0, 0));
}

TEST_F(LocalZone, DayStartsAtLocalMidnightAlsoOnADaylightSavingDay)
{
    UseZone("CET-1CEST,M3.5.0,M10.5.0/3");
    // 31 March 2024: clocks go from 02:00 to 03:00; midnight is still UTC+1.
    const int64_t noon = Local(2024, 3, 31, 12, 0);
    EXPECT_EQ(GetBarStartTime(eDay1, noon), Local(2024, 3, 31, 0, 0));
    EXPECT_EQ(noon - GetBarStartTime(eDay1, noon), 11 * 3600);
}

TEST_F(LocalZone, SameBarCountsWholeUnitsOfTheAbsoluteSpan)
{
    const int64_t noon = Local(2024, 3, 15, 12, 0);
    const int64_t march1 = Local(2024, 3, 1, 0, 0);
    struct Case
    {
        int period;
        int64_t bar;
        int64_t other;
        bool same;
    } cases[] = {
        {eMinute1, noon, noon + 59, true},
        {eMinute1, noon, noon + 60, false},
        {eMinute3, noon, noon + 179, true},
        {eMinute3, noon, noon + 180, false},
        {eMinute5, noon, noon + 299, true},
        {eMinute5, noon, noon + 300, false},
        {eMinute15, noon, noon + 899, true},
        {eMinute30, noon, noon + 1800, false},
        {eHour1, noon, noon + 3599, true},
        {eHour1, noon, noon + 3600, false},
        // 13:59 belongs to the two-hour K-line of 12:00, 14:00 does not.
        {eHour2, noon, Local(2024, 3, 15, 13, 59), true},
        {eHour2, noon, Local(2024, 3, 15, 14, 0), false},
        // Spans are absolute: a time before the start within the span counts.
        {eHour2, noon, Local(2024, 3, 15, 10, 1), true},
        {eHour4, noon, Local(2024, 3, 15, 15, 59, 59), true},
        {eHour4, noon, Local(2024, 3, 15, 16, 0), false},
        {eDay1, noon, noon + 86399, true},
        {eDay1, noon, noon + 86400, false},
        {eWeek1, noon, noon + 7 * 86400 - 1, true},
        {eWeek1, noon, noon + 7 * 86400, false},
        {eMonth1, march1, Local(2024, 3, 31, 23, 59), true},
        {eMonth1, march1, Local(2024, 4, 1, 0, 0), false},
        // The same month of another year is another K-line.
        {eMonth1, march1, Local(2023, 3, 15, 12, 0), false},
        {eMonth1, march1, Local(2025, 3, 1, 0, 0), false},
        {42, march1, Local(2024, 3, 20, 9, 0), true},
        {42, march1, Local(2024, 2, 29, 9, 0), false},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(IsSameBar(c.period, c.bar, c.other), c.same)
            << "period " << c.period << ", span " << (c.other - c.bar) << " s";
    }
}
