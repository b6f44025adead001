#pragma once
// The market's K-lines per symbol and period of the market-history service.
// Older K-lines are generated once, deterministically from the seed, up to a
// finite depth before the slot in which the book was made; newer ones come
// from the moves PriceFeed publishes, on the market clock. K-lines start on
// local-time boundaries (weeks on Monday 00:00). I/O thread only.
#include "MarketModel.h"

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace simmarket {

struct KLine
{
    int64_t time = 0; // start, seconds since 1970
    double open = 0;
    double high = 0;
    double low = 0;
    double close = 0;
};

class KLineBook
{
public:
    static constexpr int kDefaultDepth = 500;
    // Most K-lines one query returns.
    static constexpr int kMaxQuery = 2000;

    // startSeconds: the market clock when the book is made.
    KLineBook(unsigned seed, int64_t startSeconds, int depth = kDefaultDepth);

    // Period codes of the service: 4 (1 min), 15 (3 min), 5 (5 min), 6 (15 min),
    // 7 (30 min), 8 (1 h), 13 (2 h), 14 (4 h), 9 (day), 10 (week), 11 (month).
    static bool IsPeriodCode(int code);
    // Start of the K-line holding `seconds`, local time; -1 for an unknown code.
    static int64_t BarStart(int code, int64_t seconds);

    // A move of the symbol to its last price at `seconds`: the K-line of
    // every period holding that time takes it as its close.
    void OnTick(const SimSymbol& symbol, int64_t seconds);

    // In time order. barcount < 0: that many before `time` (the newest when
    // time <= 0); barcount > 0: that many from the K-line holding `time` on;
    // 0 counts as -200. At most kMaxQuery; empty for an unknown code.
    std::vector<KLine> Query(const SimSymbol& symbol, int code, int64_t time, int barcount);

private:
    using Series = std::map<int64_t, KLine>;
    Series& SeriesOf(const SimSymbol& symbol, int code);

    unsigned m_seed;
    int64_t m_startSeconds;
    int m_depth;
    std::map<std::pair<int, int>, Series> m_series; // by symbol id and code
};

} // namespace simmarket
