// The market's K-lines: local boundaries, the generated depth, live moves and queries.
#include "KLineBook.h"

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

using namespace simmarket;

namespace {

class KLineBookTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("TZ", "CST-8", 1); // UTC+8, as the client side of these tests
        tzset();
        start = Local(2024, 3, 15, 13, 59, 42); // a Friday
        symbol.id = 101;
        symbol.digits = 2;
        symbol.open = symbol.last = 5000.0;
    }
    void TearDown() override
    {
        unsetenv("TZ");
        tzset();
    }

    static int64_t Local(int year, int month, int day, int hour, int minute, int second = 0)
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

    void Move(KLineBook& book, double price, int64_t seconds)
    {
        symbol.last = price;
        book.OnTick(symbol, seconds);
    }

    SimSymbol symbol;
    int64_t start = 0;
};

} // namespace

TEST_F(KLineBookTest, KLinesStartOnLocalBoundariesWithWeeksOnMonday)
{
    struct Case
    {
        int code;
        int64_t begin;
    } cases[] = {
        {4, Local(2024, 3, 15, 13, 59)},
        {15, Local(2024, 3, 15, 13, 57)},
        {5, Local(2024, 3, 15, 13, 55)},
        {6, Local(2024, 3, 15, 13, 45)},
        {7, Local(2024, 3, 15, 13, 30)},
        {8, Local(2024, 3, 15, 13, 0)},
        {13, Local(2024, 3, 15, 12, 0)},
        {14, Local(2024, 3, 15, 12, 0)},
        {9, Local(2024, 3, 15, 0, 0)},
        {10, Local(2024, 3, 11, 0, 0)},
        {11, Local(2024, 3, 1, 0, 0)},
        {12, -1},
        {0, -1},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(KLineBook::BarStart(c.code, start), c.begin) << "code " << c.code;
        EXPECT_EQ(KLineBook::IsPeriodCode(c.code), c.begin != -1) << "code " << c.code;
    }
    // A Sunday belongs to the week that began six days before; a Monday starts one.
    EXPECT_EQ(KLineBook::BarStart(10, Local(2024, 3, 17, 23, 0)), Local(2024, 3, 11, 0, 0));
    EXPECT_EQ(KLineBook::BarStart(10, Local(2024, 3, 18, 0, 0)), Local(2024, 3, 18, 0, 0));
}

TEST_F(KLineBookTest, GeneratedHistoryIsDeterministicContiguousAndFinite)
{
    KLineBook book(7, start, 500);
    for(int code : {4, 13, 10, 11}) {
        // Backward pages from the oldest K-line until the depth is used up.
        std::vector<KLine> all;
        int64_t oldest = 0;
        std::vector<size_t> pages;
        for(;;) {
            const auto page = book.Query(symbol, code, oldest, -200);
            pages.push_back(page.size());
            if(page.empty()) {
                break;
            }
            all.insert(all.begin(), page.begin(), page.end());
            oldest = page.front().time;
        }
        EXPECT_EQ(pages, (std::vector<size_t>{200, 200, 100, 0})) << "code " << code;
        ASSERT_EQ(all.size(), 500u);
        // The newest generated K-line is the one before the book's own slot.
        EXPECT_EQ(KLineBook::BarStart(code, all.back().time + 1), all.back().time);
        EXPECT_LT(all.back().time, KLineBook::BarStart(code, start));
        EXPECT_EQ(KLineBook::BarStart(code, all.back().time), all.back().time);
        for(size_t i = 0; i < all.size(); ++i) {
            const KLine& k = all[i];
            EXPECT_LE(k.low, std::min(k.open, k.close)) << code << " " << i;
            EXPECT_GE(k.high, std::max(k.open, k.close)) << code << " " << i;
            EXPECT_DOUBLE_EQ(std::round(k.close * 100) / 100, k.close);
            if(i > 0) {
                // Contiguous slots; each closes where the next opens.
                EXPECT_EQ(KLineBook::BarStart(code, k.time - 1), all[i - 1].time) << code << " " << i;
                EXPECT_DOUBLE_EQ(all[i - 1].close, k.open);
            }
        }
        EXPECT_DOUBLE_EQ(all.back().close, 5000.0); // joins the scenario's price
    }

    KLineBook same(7, start, 500), other(8, start, 500);
    const auto a = book.Query(symbol, 4, 0, -50), b = same.Query(symbol, 4, 0, -50),
               c = other.Query(symbol, 4, 0, -50);
    ASSERT_EQ(a.size(), 50u);
    for(size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].open, b[i].open);
        EXPECT_EQ(a[i].low, b[i].low);
    }
    EXPECT_NE(a[10].open, c[10].open);
}

TEST_F(KLineBookTest, MovesBuildTheNewestKLinesOfEveryPeriod)
{
    KLineBook book(7, start, 500);
    Move(book, 5001.0, start);
    Move(book, 5003.5, start + 5);
    Move(book, 4999.25, start + 10);
    Move(book, 5000.5, start + 15);
    auto newest = book.Query(symbol, 4, 0, -2);
    ASSERT_EQ(newest.size(), 2u);
    EXPECT_EQ(newest[1].time, Local(2024, 3, 15, 13, 59));
    EXPECT_EQ(newest[1].open, 5001.0);
    EXPECT_EQ(newest[1].high, 5003.5);
    EXPECT_EQ(newest[1].low, 4999.25);
    EXPECT_EQ(newest[1].close, 5000.5);
    EXPECT_EQ(newest[0].time, Local(2024, 3, 15, 13, 58)); // generated

    // The next minute starts a new one-minute K-line; the hour's goes on.
    Move(book, 5002.0, start + 18);
    newest = book.Query(symbol, 4, 0, -1);
    EXPECT_EQ(newest[0].time, Local(2024, 3, 15, 14, 0));
    EXPECT_EQ(newest[0].open, 5002.0);
    const auto twoHours = book.Query(symbol, 13, 0, -1);
    EXPECT_EQ(twoHours[0].time, Local(2024, 3, 15, 14, 0));
    const auto week = book.Query(symbol, 10, 0, -1);
    EXPECT_EQ(week[0].time, Local(2024, 3, 11, 0, 0));
    EXPECT_EQ(week[0].close, 5002.0);

    // A move at a time of the generated history (the clock set back) extends that K-line.
    const KLine before = book.Query(symbol, 8, Local(2024, 3, 15, 11, 0), -1).at(0);
    Move(book, before.high + 10, Local(2024, 3, 15, 10, 30));
    const KLine after = book.Query(symbol, 8, Local(2024, 3, 15, 11, 0), -1).at(0);
    EXPECT_EQ(after.time, before.time);
    EXPECT_EQ(after.open, before.open);
    EXPECT_EQ(after.high, before.high + 10);
    EXPECT_EQ(after.close, before.high + 10);
}

TEST_F(KLineBookTest, QueriesCountFromTheirTime)
{
    KLineBook book(7, start, 500);
    const int64_t t = Local(2024, 3, 15, 13, 0, 30);
    struct Case
    {
        int64_t time;
        int barcount;
        size_t size;
        int64_t first;
    } cases[] = {
        {t, -3, 3, Local(2024, 3, 15, 12, 58)},      // starting before the time
        {t - 30, -3, 3, Local(2024, 3, 15, 12, 57)}, // a K-line's own start is not before it
        {t, 3, 3, Local(2024, 3, 15, 13, 0)},        // from the K-line holding the time
        {t, 200, 59, Local(2024, 3, 15, 13, 0)},     // up to the newest
        {0, -1, 1, Local(2024, 3, 15, 13, 58)},      // the newest
        {t, 0, 200, Local(2024, 3, 15, 9, 41)},      // as -200
        {0, 5000, 500, Local(2024, 3, 15, 5, 39)},   // from the oldest, all 500
    };
    for(const Case& c : cases) {
        const auto bars = book.Query(symbol, 4, c.time, c.barcount);
        ASSERT_EQ(bars.size(), c.size) << c.barcount;
        EXPECT_EQ(bars.front().time, c.first) << c.barcount;
    }
    EXPECT_TRUE(book.Query(symbol, 12, 0, -10).empty());
    KLineBook deep(7, start, 3000);
    EXPECT_EQ(deep.Query(symbol, 4, 0, -3000).size(), static_cast<size_t>(KLineBook::kMaxQuery));
}
