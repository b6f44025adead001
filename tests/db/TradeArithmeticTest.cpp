#include "db/TradeArithmetic.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(PointsToPrice, PowerOfTenWithSignAndCap)
{
    EXPECT_DOUBLE_EQ(PointsToPrice(15, 2), 0.15);
    EXPECT_DOUBLE_EQ(PointsToPrice(15, -2), -0.15);
    EXPECT_DOUBLE_EQ(PointsToPrice(1, 9), 1e-7);
    EXPECT_DOUBLE_EQ(PointsToPrice(1, 7), 1e-7);
    EXPECT_DOUBLE_EQ(PointsToPrice(3, 0), 3.0);
    EXPECT_DOUBLE_EQ(PointsToPrice(-4, 1), -0.4);
    EXPECT_DOUBLE_EQ(PointsToPrice(0, 5), 0.0);
    EXPECT_DOUBLE_EQ(PointsToPrice(2, -9), -2e-7);
}

TEST(PointsToPrice, EveryIntOfDecimalsStaysWithinTheTable)
{
    struct Case
    {
        int digits;
        double price; // of 3 points
    };
    const Case cases[] = {
        {std::numeric_limits<int>::min(), -3e-7},
        {std::numeric_limits<int>::min() + 1, -3e-7},
        {-8, -3e-7},
        {-7, -3e-7},
        {7, 3e-7},
        {8, 3e-7},
        {std::numeric_limits<int>::max(), 3e-7},
    };
    for(const Case& c : cases) {
        EXPECT_DOUBLE_EQ(PointsToPrice(3, c.digits), c.price) << "digits " << c.digits;
    }
}

TEST(RoundToCents, HalvesGoAwayFromZero)
{
    EXPECT_DOUBLE_EQ(RoundToCents(0.125), 0.13);
    EXPECT_DOUBLE_EQ(RoundToCents(-0.125), -0.13);
    EXPECT_DOUBLE_EQ(RoundToCents(0.124), 0.12);
    EXPECT_DOUBLE_EQ(RoundToCents(-0.124), -0.12);
    EXPECT_DOUBLE_EQ(RoundToCents(2.5), 2.5);
    EXPECT_DOUBLE_EQ(RoundToCents(0.0), 0.0);
}

TEST(RoundToCents, AValueTooLargeForCentsStaysFinite)
{
    EXPECT_EQ(RoundToCents(1e308), 1e308);
    EXPECT_EQ(RoundToCents(-1e308), -1e308);
    EXPECT_TRUE(std::isinf(RoundToCents(std::numeric_limits<double>::infinity())));
}

TEST(CalcProfitPoints, BuyGainsWhenThePriceRisesAndSellWhenItFalls)
{
    EXPECT_DOUBLE_EQ(CalcProfitPoints('b', 100.0, 101.5, 10, 1.0), 15.0);
    EXPECT_DOUBLE_EQ(CalcProfitPoints('s', 100.0, 101.5, 10, 1.0), -15.0);
    EXPECT_DOUBLE_EQ(CalcProfitPoints('s', 100.0, 98.0, 2, 0.5), 2.0);
    // Every side but 'b' counts as a sell.
    EXPECT_DOUBLE_EQ(CalcProfitPoints(0, 100.0, 98.0, 2, 1.0), 4.0);
}

TEST(CalcProfitPoints, RoundsToCentsAtTheHalves)
{
    EXPECT_DOUBLE_EQ(CalcProfitPoints('b', 0.0, 0.125, 1, 1.0), 0.13);
    EXPECT_DOUBLE_EQ(CalcProfitPoints('b', 0.125, 0.0, 1, 1.0), -0.13);
    EXPECT_DOUBLE_EQ(CalcProfitPoints('s', 1.0, 0.875, 1, 1.0), 0.13);
    EXPECT_DOUBLE_EQ(CalcProfitPoints('b', 10.0, 10.001, 3, 1.0), 0.0);
}

TEST(CalcRiskRate, UsedMarginOverNetValue)
{
    EXPECT_DOUBLE_EQ(CalcRiskRate('1', 1000, 250, 0), 0.25);
    EXPECT_DOUBLE_EQ(CalcRiskRate('1', 0, 500, 0), kMeaninglessRiskRate);
    EXPECT_DOUBLE_EQ(CalcRiskRate('1', -10, 500, 0), kMeaninglessRiskRate);
    EXPECT_DOUBLE_EQ(CalcRiskRate('1', 1000, 0, 0), 0.0);
    EXPECT_DOUBLE_EQ(CalcRiskRate('1', 1000, -5, 0), 0.0);
    EXPECT_DOUBLE_EQ(CalcRiskRate('1', 0.001, 500, 0), kMeaninglessRiskRate) << "clamped";
}

TEST(CalcRiskRate, NetValueOverUsedMargin)
{
    EXPECT_DOUBLE_EQ(CalcRiskRate('2', 1000, 0, 0), kMeaninglessRiskRate);
    EXPECT_DOUBLE_EQ(CalcRiskRate('2', 1000, 250, 0), 4.0);
    EXPECT_DOUBLE_EQ(CalcRiskRate('2', 0, 500, 0), 0.0);
    EXPECT_DOUBLE_EQ(CalcRiskRate('2', 1e9, 0.01, 0), kMeaninglessRiskRate) << "clamped";
}

TEST(CalcRiskRate, SuretyKindMeasuresAgainstAtLeastOne)
{
    EXPECT_DOUBLE_EQ(CalcRiskRate('3', 150, 0, 0.5), 149.0);
    EXPECT_DOUBLE_EQ(CalcRiskRate('3', 150, 999, 100), 0.5);
    EXPECT_DOUBLE_EQ(CalcRiskRate('3', 50, 0, 100), -0.5);
}

TEST(CalcRiskRate, OtherKindsGiveZero)
{
    EXPECT_DOUBLE_EQ(CalcRiskRate('4', 1000, 250, 0), 0.0);
    EXPECT_DOUBLE_EQ(CalcRiskRate(0, 0, 500, 0), 0.0);
}
