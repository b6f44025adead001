// The host's chart data window over a provider: where seeks and zooms put
// it, what it reads, and how it reports the leading points.
#include <chartlib/ChartConstants.h>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <pelmora/ChartDataArray.h>
#include <vector>

namespace {

// Value i is 1000 + i; the count can grow like a K-line history.
class CountingProvider : public IDataProvider
{
public:
    explicit CountingProvider(int& count) : m_count(count) {}
    int GetCount() const override { return m_count; }
    double GetValue(int index) const override
    {
        EXPECT_GE(index, 0);
        EXPECT_LT(index, m_count);
        return 1000 + index;
    }

private:
    int& m_count;
};

class ChartDataArrayTest : public ::testing::Test
{
protected:
    ChartDataArray& Make(int count, int screen = 100, int extra = 30)
    {
        m_count = count;
        m_array =
            std::make_unique<ChartDataArray>(std::make_unique<CountingProvider>(m_count), screen, extra);
        return *m_array;
    }
    // The visible values, leading points in front.
    std::vector<double> Shown(int* leading)
    {
        const chartlib::DoubleArray shown = m_array->GetChartDataArray(leading);
        return std::vector<double>(shown.data() - *leading, shown.data() + shown.len());
    }

    int m_count = 0;
    std::unique_ptr<ChartDataArray> m_array;
};

} // namespace

TEST_F(ChartDataArrayTest, SeeksLandWithinTheValuesAndSayWhetherTheyMoved)
{
    struct Case
    {
        const char* what;
        int count, start, offset, type;
        int position;
        bool moved;
    } cases[] = {
        {"-95 from the end leaves 5 free slots", 200, 0, -95, eSeekFromEnd, 105, true},
        {"from the end past the first value", 50, 10, -95, eSeekFromEnd, 0, true},
        {"from the end never past the newest", 200, 0, 0, eSeekFromEnd, 199, true},
        {"absolute", 200, 0, 40, eSeekAbsolute, 40, true},
        {"absolute below 0", 200, 10, -7, eSeekAbsolute, 0, true},
        {"relative back", 200, 50, -20, eSeekRelative, 30, true},
        {"relative back past the start", 200, 10, -20, eSeekRelative, 0, true},
        {"relative back at the start", 200, 0, -1, eSeekRelative, 0, false},
        {"relative forward", 200, 50, 20, eSeekRelative, 70, true},
        {"relative forward stops at a full last window", 200, 90, 20, eSeekRelative, 100, true},
        {"a full last window stays", 200, 100, 1, eSeekRelative, 100, false},
        {"a window with free slots does not drift", 200, 105, 1, eSeekRelative, 105, false},
        {"fewer values than slots", 50, 0, 5, eSeekRelative, 0, false},
        {"no values", 0, 0, -95, eSeekFromEnd, 0, false},
        {"unknown seek type", 200, 30, 5, 7, 30, false},
    };
    for(const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ChartDataArray& array = Make(c.count);
        array.SetPosition(c.start);
        EXPECT_EQ(array.Seek(c.offset, c.type), c.moved);
        EXPECT_EQ(array.GetPosition(), c.position);
    }
}

TEST_F(ChartDataArrayTest, TheWindowReadsItsValuesLeadingPointsAndFreeSlots)
{
    ChartDataArray& array = Make(200);
    array.Seek(-95, eSeekFromEnd);
    int leading = -1;
    std::vector<double> shown = Shown(&leading);
    EXPECT_EQ(leading, 30);
    ASSERT_EQ(shown.size(), 130u);
    EXPECT_EQ(shown.front(), 1075); // 30 before the first visible value
    EXPECT_EQ(shown[30], 1105);
    EXPECT_EQ(shown[30 + 94], 1199);
    for(size_t i = 30 + 95; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i], chartlib::NoValue) << i;
    }
    EXPECT_EQ(array.GetValidCount(), 95);
    EXPECT_EQ(array.GetScreenCount(), 100);
    EXPECT_TRUE(array.IsAtEnd());
    EXPECT_EQ(array.LocalToGlobalIndex(0), 105);
    EXPECT_EQ(array.LocalToGlobalIndex(94), 199);

    // Near the start only the values that exist lead.
    array.Seek(12, eSeekAbsolute);
    shown = Shown(&leading);
    EXPECT_EQ(leading, 12);
    EXPECT_EQ(shown.front(), 1000);
    EXPECT_EQ(array.GetValidCount(), 100);
    EXPECT_FALSE(array.IsAtEnd());

    // A slot written by its owner keeps the value until the window moves.
    array.SetValue(3, 7.5);
    array.SetValue(100, 8.5); // outside: ignored
    EXPECT_EQ(array.GetChartDataArray(&leading)[3], 7.5);
    array.Seek(0, eSeekRelative);
    EXPECT_EQ(array.GetChartDataArray(&leading)[3], 1015);

    array.Clear();
    EXPECT_EQ(array.GetValidCount(), 0);
    EXPECT_EQ(array.GetPosition(), 12);
    EXPECT_EQ(Shown(&leading).size(), 100u);
    EXPECT_EQ(leading, 0);
    EXPECT_EQ(array.GetChartDataArray(&leading)[0], chartlib::NoValue);
}

TEST_F(ChartDataArrayTest, AtEndIsWhatTheWindowSawWhenItWasRead)
{
    ChartDataArray& array = Make(200);
    array.Seek(100, eSeekAbsolute);
    EXPECT_TRUE(array.IsAtEnd());
    EXPECT_EQ(array.GetValidCount(), 100);

    // One more value: still "at the end" until read again, and a step forward
    // shows it.
    m_count = 201;
    EXPECT_TRUE(array.IsAtEnd());
    EXPECT_TRUE(array.Seek(1, eSeekRelative));
    EXPECT_EQ(array.GetPosition(), 101);
    EXPECT_EQ(array.GetChartDataArray(nullptr)[99], 1200);
    EXPECT_TRUE(array.IsAtEnd());

    // A window scrolled back does not see the end.
    array.Seek(20, eSeekAbsolute);
    m_count = 202;
    array.Seek(0, eSeekRelative);
    EXPECT_FALSE(array.IsAtEnd());
}

TEST_F(ChartDataArrayTest, ZoomKeepsTheEndOfTheWindowWithinItsBounds)
{
    ChartDataArray& array = Make(500);
    array.Seek(-95, eSeekFromEnd); // 405 .. 499, 5 free
    EXPECT_TRUE(array.Zoom(0.75, 0));
    EXPECT_EQ(array.GetScreenCount(), 75);
    EXPECT_EQ(array.GetPosition(), 430); // the same end slot
    EXPECT_EQ(array.GetValidCount(), 70);
    EXPECT_TRUE(array.Zoom(1.25, 0));
    EXPECT_EQ(array.GetScreenCount(), 94); // 93.75 rounded
    EXPECT_EQ(array.GetPosition(), 411);

    // Down to the smallest window, then no further.
    int steps = 0;
    while(array.Zoom(0.75, 0)) {
        ++steps;
        ASSERT_LT(steps, 20);
    }
    EXPECT_EQ(array.GetScreenCount(), ChartDataArray::kMinScreenCount);
    // Up to the largest; the start cannot go below 0.
    while(array.Zoom(1.25, 0)) {
        ASSERT_LT(++steps, 60);
    }
    EXPECT_EQ(array.GetScreenCount(), ChartDataArray::kMaxScreenCount);
    EXPECT_EQ(array.GetPosition(), 0);
    EXPECT_EQ(array.GetValidCount(), 500);

    // Another anchor keeps the start; factors that are no factor change nothing.
    array.SetPosition(100);
    EXPECT_TRUE(array.Zoom(0.5, 1));
    EXPECT_EQ(array.GetPosition(), 100);
    EXPECT_EQ(array.GetScreenCount(), 500);
    for(double factor : {0.0, -2.0, 1.0, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_FALSE(array.Zoom(factor, 0)) << factor;
    }
    EXPECT_EQ(array.GetScreenCount(), 500);
}
