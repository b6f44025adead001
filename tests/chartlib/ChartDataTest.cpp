// Chart time, series arithmetic and the random sample table.
#include <algorithm>
#include <chartlib/ArrayMath.h>
#include <chartlib/ChartConstants.h>
#include <chartlib/ChartTime.h>
#include <chartlib/RanTable.h>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace chartlib;

TEST(ChartTime, DatesRoundTripThroughChartTimeAndYmd)
{
    struct Case
    {
        int y, m, d, h, n, s;
    };
    const Case cases[] = {{1, 1, 1, 0, 0, 0},     {1970, 1, 1, 0, 0, 0},    {2000, 2, 29, 23, 59, 59},
                          {2002, 9, 4, 9, 30, 0}, {2024, 12, 31, 12, 0, 1}, {2100, 3, 1, 0, 0, 0}};
    for(const Case& c : cases) {
        const double t = chartTime(c.y, c.m, c.d, c.h, c.n, c.s);
        SCOPED_TRACE(testing::Message() << c.y << "-" << c.m << "-" << c.d);
        EXPECT_EQ(c.y * 10000 + c.m * 100 + c.d, getChartYMD(t));
        // The epoch is a midnight: the remainder is the time of day.
        EXPECT_EQ(c.h * 3600 + c.n * 60 + c.s, std::fmod(t, 86400.0));
        const ChartDateTime parts = splitChartTime(t);
        EXPECT_EQ(c.h, parts.hour);
        EXPECT_EQ(c.n, parts.minute);
        EXPECT_EQ(c.s, parts.second);
    }
}

TEST(ChartTime, CountsDaysWeekDaysAndRollsMonthsOver)
{
    EXPECT_EQ(0, chartTime(1, 1, 1));
    EXPECT_EQ(86400.0, chartTime(2000, 3, 1) - chartTime(2000, 2, 29));
    EXPECT_EQ(86400.0, chartTime(1900, 3, 1) - chartTime(1900, 2, 28)); // 1900 was no leap year
    EXPECT_EQ(chartTime(2024, 1, 1), chartTime(2023, 13, 1));
    EXPECT_EQ(chartTime(2022, 12, 1), chartTime(2023, 0, 1));
    EXPECT_EQ(1, splitChartTime(chartTime(1, 1, 1)).weekDay);                // a Monday
    EXPECT_EQ(3, splitChartTime(chartTime(2002, 9, 4)).weekDay);             // a Wednesday
    EXPECT_EQ(0, splitChartTime(chartTime(2026, 3, 1, 23, 59, 59)).weekDay); // a Sunday
}

TEST(ArrayMath, MovingAverageSkipsEntriesWithoutValue)
{
    const std::vector<double> closes = {1, 2, NoValue, 3, 4, 5, NoValue};
    ArrayMath average(closes);
    average.movAvg(3);
    const std::vector<double> expected = {NoValue, NoValue, NoValue, 2, 3, 4, NoValue};
    EXPECT_EQ(expected, average.values());

    ArrayMath tooShort(std::vector<double>{1, 2});
    tooShort.movAvg(3);
    EXPECT_EQ(std::vector<double>(2, NoValue), tooShort.values());
}

TEST(ArrayMath, DeltaDivAndMaxKeepTheGaps)
{
    const std::vector<double> values = {10, 12, NoValue, 9, 15};
    ArrayMath change(values);
    change.delta();
    EXPECT_EQ((std::vector<double>{NoValue, 2, NoValue, NoValue, 6}), change.values());

    ArrayMath twoBack(values);
    twoBack.delta(2);
    EXPECT_EQ((std::vector<double>{NoValue, NoValue, NoValue, -3, NoValue}), twoBack.values());

    ArrayMath scaled(values);
    scaled.div(1000);
    EXPECT_DOUBLE_EQ(0.015, scaled.max());
    EXPECT_EQ(NoValue, scaled.values()[2]);

    EXPECT_EQ(-NoValue, ArrayMath(std::vector<double>{NoValue}).max());
}

TEST(RanTable, TheSameSeedGivesTheSameTableAndAnotherSeedAnother)
{
    auto make = [](int seed) {
        RanTable table(seed, 6, 30);
        table.setDateCol(0, chartTime(2002, 9, 4), 86400, true);
        table.setHLOCCols(1, 100, -5, 5);
        table.setCol(5, 50000000, 250000000);
        std::vector<std::vector<double>> cols;
        for(int c = 0; c < 6; ++c) {
            cols.push_back(table.getCol(c).toVector());
        }
        return cols;
    };
    EXPECT_EQ(make(9), make(9));
    EXPECT_NE(make(9)[4], make(10)[4]);
}

TEST(RanTable, ColumnsHoldWeekdaysAValidRandomWalkAndBoundedValues)
{
    RanTable table(9, 6, 30);
    table.setDateCol(0, chartTime(2002, 9, 4), 86400, true);
    table.setHLOCCols(1, 100, -5, 5, 0, 1e308);
    table.setCol(5, 50000000, 250000000);
    ASSERT_EQ(30, table.getCol(0).len());

    // 4 September 2002 was a Wednesday: Saturday 7th and Sunday 8th are left out.
    EXPECT_EQ(20020904, getChartYMD(table.getCol(0)[0]));
    EXPECT_EQ(20020906, getChartYMD(table.getCol(0)[2]));
    EXPECT_EQ(20020909, getChartYMD(table.getCol(0)[3]));
    double previousClose = 100;
    for(int row = 0; row < 30; ++row) {
        const int weekDay = splitChartTime(table.getCol(0)[row]).weekDay;
        EXPECT_TRUE(weekDay >= 1 && weekDay <= 5) << row;
        const double high = table.getCol(1)[row], low = table.getCol(2)[row];
        const double open = table.getCol(3)[row], close = table.getCol(4)[row];
        EXPECT_EQ(previousClose, open) << row;
        EXPECT_LE(std::fabs(close - open), 5.0) << row;
        EXPECT_GE(high, std::max(open, close)) << row;
        EXPECT_LE(low, std::min(open, close)) << row;
        EXPECT_GE(low, 0.0) << row;
        const double volume = table.getCol(5)[row];
        EXPECT_TRUE(volume >= 50000000 && volume < 250000000) << row;
        previousClose = close;
    }
    EXPECT_TRUE(table.getCol(6).empty()); // no such column
}
