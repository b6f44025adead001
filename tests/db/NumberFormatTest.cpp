#include "db/NumberFormat.h"

#include <gtest/gtest.h>
#include <limits>

namespace {
const wxString kEmDash(wxUniChar(0x2014));
}

TEST(FormatPrice, UsesTheDecimalsOfTheSymbol)
{
    struct Case
    {
        double value;
        int decimals;
        bool trim;
        const char* text;
    };
    const Case cases[] = {
        {3.25, -1, false, "3"},
        {3.25, 0, false, "3"},
        {1.5, 1, false, "1.5"},
        {1.5, 4, false, "1.5000"},
        {2.0, 2, false, "2.00"},
        {1.2345678, 6, false, "1.234568"},
        {0.1, 7, false, "0.100000"},
        {0.1, 9, false, "0.100000"},
        {-12.5, 3, false, "-12.500"},
        {1.5, 4, true, "1.5"},
        {2.0, 2, true, "2"},
        {2.0, 0, true, "2"},
        {0.1, 9, true, "0.100000"},
        {10.0, 1, true, "10"},
        {100.0, 2, true, "100"},
        {1.05, 2, true, "1.05"},
        {-1.5, 3, true, "-1.5"},
        {0.0, 6, true, "0"},
        {12345.6789, 4, true, "12345.6789"},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(FormatPrice(c.value, c.decimals, c.trim), c.text)
            << c.value << " with " << c.decimals << " decimals, trim " << c.trim;
    }
}

TEST(FormatMoney, TwoDecimalsTrimmedOnlyWhenAsked)
{
    EXPECT_EQ(FormatMoney(3), "3.00");
    EXPECT_EQ(FormatMoney(1234.5), "1234.50");
    EXPECT_EQ(FormatMoney(-0.25), "-0.25");
    EXPECT_EQ(FormatMoney(3, true), "3");
    EXPECT_EQ(FormatMoney(2.5, true), "2.5");
    EXPECT_EQ(FormatMoney(0.004, true), "0");
}

TEST(FormatMoney, AnOverflowedSumOrAnAbsurdValueIsDashesNeverHundredsOfDigits)
{
    const double inf = std::numeric_limits<double>::infinity();
    for(double value :
        {inf, -inf, std::numeric_limits<double>::quiet_NaN(), 1e308 + 1e308, 1e308, -1e308, 1e13}) {
        EXPECT_EQ(FormatMoney(value), "---") << value;
        EXPECT_EQ(FormatPrice(value, 4, true), "---") << value;
    }
    EXPECT_EQ(FormatMoney(-9999999999999.0), "-9999999999999.00");
}

TEST(RiskRateText, PercentageOrDashPerKind)
{
    EXPECT_EQ(RiskRateText('1', 0), kEmDash);
    EXPECT_EQ(RiskRateText('1', -0.1), kEmDash);
    EXPECT_EQ(RiskRateText('1', 0.2567), "25.67%");
    EXPECT_EQ(RiskRateText('1', 10000.0), "1000000.00%");
    EXPECT_EQ(RiskRateText('2', 10000.0), kEmDash);
    EXPECT_EQ(RiskRateText('2', 0), "0.00%");
    EXPECT_EQ(RiskRateText('2', 1.5), "150.00%");
    EXPECT_EQ(RiskRateText('3', 10000.5), kEmDash);
    EXPECT_EQ(RiskRateText('3', 149.0), "14900.00%");
    EXPECT_EQ(RiskRateText('1', std::numeric_limits<double>::infinity()), kEmDash);
    EXPECT_EQ(RiskRateText('2', std::numeric_limits<double>::quiet_NaN()), kEmDash);
    EXPECT_EQ(RiskRateText('4', 0.5), "");
    EXPECT_EQ(RiskRateText(0, 0.5), "");
}

TEST(RiskRateText, DashIsOneCharacter)
{
    EXPECT_EQ(RiskRateText('1', 0).length(), 1u);
    EXPECT_EQ(RiskRateText('1', 0).utf8_string(), "\xe2\x80\x94");
}
