#include "db/ChartPeriod.h"

#include <gtest/gtest.h>

TEST(ParsePeriod, CountAndUnitWithMinuteUpperAndMonthLower)
{
    struct Case
    {
        const char* text;
        int count;
        char unit;
    };
    const Case cases[] = {
        {"15M", 15, '2'},          {"1m", 1, '5'},     {"30S", 30, '1'}, {"4H", 4, '3'},    {"1D", 1, '4'},
        {"chart 5M view", 5, '2'}, {"x60Sy", 60, '1'}, {"007H", 7, '3'}, {"5M15H", 5, '2'},
    };
    for(const Case& c : cases) {
        const ChartPeriod period = ParsePeriod(c.text);
        EXPECT_EQ(period.count, c.count) << c.text;
        EXPECT_EQ(period.unit, c.unit) << c.text;
    }
}

TEST(ParsePeriod, TextsWithoutAPeriodGiveZeroAndNoUnit)
{
    for(const char* text : {"", "M", "M15", "15", "15X", "15 M", "15d", "15s", "99999999999M"}) {
        const ChartPeriod period = ParsePeriod(text);
        EXPECT_EQ(period.count, 0) << text;
        EXPECT_EQ(period.unit, 0) << text;
    }
}

TEST(PeriodText, LetterOfEachUnitAndUnknowOtherwise)
{
    EXPECT_EQ(PeriodText(15, '2'), "15M");
    EXPECT_EQ(PeriodText(1, '5'), "1m");
    EXPECT_EQ(PeriodText(30, '1'), "30S");
    EXPECT_EQ(PeriodText(4, '3'), "4H");
    EXPECT_EQ(PeriodText(1, '4'), "1D");
    EXPECT_EQ(PeriodText(15, '6'), "UNKNOW");
    EXPECT_EQ(PeriodText(15, 0), "UNKNOW");
}

TEST(PeriodText, InverseOfParsePeriodForEveryValidPair)
{
    for(char unit = '1'; unit <= '5'; ++unit) {
        for(int count : {0, 1, 5, 15, 60, 240, 2147483647}) {
            const ChartPeriod period = ParsePeriod(PeriodText(count, unit));
            EXPECT_EQ(period.count, count) << count << unit;
            EXPECT_EQ(period.unit, unit) << count << unit;
        }
    }
}
